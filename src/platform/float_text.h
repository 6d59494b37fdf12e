// Exact conversions between doubles and decimal text. The C++ library's
// <charconv> serves where it has floating point. The WebAssembly C++ library
// has none; there the portable versions below stand in: the C library's exact
// (but slow, quad-precision) conversions, with an exact shortcut for reading
// short decimals. Both give the same text and the same doubles.
#pragma once

#include <charconv>
#include <system_error>

namespace zorva {

// "d.ddde+XX": `precision` digits after the point, correctly rounded (an
// exact tie to even); the text is not terminated. Returns its end.
char* ScientificTextPortable(char* first, char* last, double value, int precision) noexcept;
// The double nearest to the decimal text [first, last) ("123e-4"). A value
// that rounds to zero or infinity is out of range and leaves `value` alone.
std::errc ReadDoublePortable(const char* first, const char* last, double& value) noexcept;

inline char* ScientificText(char* first, char* last, double value, int precision) noexcept {
#if defined(__EMSCRIPTEN__)
  return ScientificTextPortable(first, last, value, precision);
#else
  return std::to_chars(first, last, value, std::chars_format::scientific, precision).ptr;
#endif
}

inline std::errc ReadDouble(const char* first, const char* last, double& value) noexcept {
#if defined(__EMSCRIPTEN__)
  return ReadDoublePortable(first, last, value);
#else
  return std::from_chars(first, last, value).ec;
#endif
}

}  // namespace zorva
