// Exact conversions between doubles and decimal text. The C++ library's
// <charconv> serves where it has floating point; the WebAssembly C++ library
// has none, and there the C library's conversions, exact as well, stand in.
#pragma once

#include <charconv>
#include <system_error>

#if defined(__EMSCRIPTEN__)
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#endif

namespace zorva {

// "d.ddde+XX": `precision` digits after the point, correctly rounded; the
// text is not terminated. Returns its end.
inline char* ScientificText(char* first, char* last, double value, int precision) noexcept {
#if defined(__EMSCRIPTEN__)
  const int room = static_cast<int>(last - first);
  const int n = std::snprintf(first, static_cast<std::size_t>(room), "%.*e", precision, value);
  return first + (n < 0 ? 0 : n < room ? n : room - 1);
#else
  return std::to_chars(first, last, value, std::chars_format::scientific, precision).ptr;
#endif
}

// The double nearest to the decimal text [first, last) ("123e-4"). A value
// that rounds to zero or infinity is out of range and leaves `value` alone.
inline std::errc ReadDouble(const char* first, const char* last, double& value) noexcept {
#if defined(__EMSCRIPTEN__)
  char text[1024];  // strtod reads a terminated copy
  const std::size_t n = static_cast<std::size_t>(last - first);
  if (n == 0 || n >= sizeof text) return std::errc::invalid_argument;
  std::memcpy(text, first, n);
  text[n] = '\0';
  char* end = nullptr;
  const double v = std::strtod(text, &end);
  if (end == text) return std::errc::invalid_argument;
  if (std::isinf(v)) return std::errc::result_out_of_range;
  if (v == 0) {
    // Zero is in range only when every digit of the mantissa is zero.
    for (const char* p = text; p < end && *p != 'e' && *p != 'E'; ++p) {
      if (*p >= '1' && *p <= '9') return std::errc::result_out_of_range;
    }
  }
  value = v;
  return std::errc{};
#else
  return std::from_chars(first, last, value).ec;
#endif
}

}  // namespace zorva
