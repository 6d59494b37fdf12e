// Conversions between UTF-16, UTF-8 and the ANSI code page. They are bounded
// by the destination, never allocate and always terminate a non-empty buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace zorva {

// UTF-16 to ANSI, as the system's wide-to-multibyte conversion does by
// default: a character the code page lacks (an unpaired surrogate included)
// becomes "?", a surrogate pair becomes one "?". Stops at the end of the input
// or when the destination is full; returns the bytes written, not counting
// the terminator. An embedded zero is copied like any other character.
std::size_t Utf16ToAnsi(const char16_t* src, std::size_t srcLen, char* dest,
                        std::size_t destSize) noexcept;

// Copies the leading run of src[0, n) that is ASCII other than zero (the
// same bytes in every ANSI code page) to dest; returns its length. Callers
// convert what follows, zero included, with the functions here.
namespace unicode_detail {
// Four UTF-16 units (little-endian, as on every target) that are ASCII
// other than zero.
inline bool PlainAscii4(std::uint64_t units) noexcept {
  const bool zero = ((units - 0x0001000100010001ull) & ~units & 0x8000800080008000ull) != 0;
  return (units & 0xFF80FF80FF80FF80ull) == 0 && !zero;
}
// Their low bytes, in order, as four bytes: shifts, not a store per unit.
inline std::uint32_t PackAscii4(std::uint64_t units) noexcept {
  units = (units | (units >> 8)) & 0x0000FFFF0000FFFFull;
  return static_cast<std::uint32_t>(units | (units >> 16));
}
inline std::uint64_t Load8(const char* src) noexcept {
  std::uint64_t bytes;
  std::memcpy(&bytes, src, sizeof bytes);
  return bytes;
}
// Eight bytes with none above 0x7F and none zero (unless known zero-free).
template <bool kZeroFree = false>
inline bool PlainAscii8(std::uint64_t bytes) noexcept {
  if ((bytes & 0x8080808080808080ull) != 0) return false;
  return kZeroFree || ((bytes - 0x0101010101010101ull) & ~bytes & 0x8080808080808080ull) == 0;
}
// Eight bytes as eight UTF-16 units (little-endian, as on every target):
// each byte moved to its own unit with shifts.
inline void Widen8(std::uint64_t bytes, char16_t* dest) noexcept {
  const auto spread = [](std::uint64_t x) {
    x = (x | (x << 16)) & 0x0000FFFF0000FFFFull;
    return (x | (x << 8)) & 0x00FF00FF00FF00FFull;
  };
  const std::uint64_t low = spread(bytes & 0xFFFFFFFFull), high = spread(bytes >> 32);
  std::memcpy(dest, &low, sizeof low);
  std::memcpy(dest + 4, &high, sizeof high);
}
#if defined(__SSE2__)
// Runs `block(at)` over the blocks of eight from the start while it succeeds,
// the last block overlapping those before it rather than reading past n:
// how many units it covered, n when all.
template <class Block>
inline std::size_t InBlocksOfEight(std::size_t n, Block block) noexcept {
  std::size_t i = 0;
  if (n < 8) return 0;
  for (; i + 8 <= n && block(i); i += 8) {
  }
  return i < n && i + 8 > n && block(n - 8) ? n : i;
}
#endif

}  // namespace unicode_detail

inline std::size_t CopyAsciiPrefix(const char16_t* src, std::size_t n, char* dest) noexcept {
  using unicode_detail::PackAscii4;
  using unicode_detail::PlainAscii4;
  std::size_t i = 0;
#if defined(__SSE2__)
  // Eight units at a time, the last eight overlapping those before them:
  // a unit of 1 to 0x7F is above zero and below 0x80 as a signed one.
  const auto copy8 = [&](std::size_t at) {
    const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + at));
    const __m128i plain = _mm_and_si128(_mm_cmpgt_epi16(units, _mm_setzero_si128()),
                                        _mm_cmplt_epi16(units, _mm_set1_epi16(0x80)));
    if (_mm_movemask_epi8(plain) != 0xFFFF) return false;
    _mm_storel_epi64(reinterpret_cast<__m128i*>(dest + at), _mm_packus_epi16(units, units));
    return true;
  };
  if ((i = unicode_detail::InBlocksOfEight(n, copy8)) == n) return n;
#else
  for (; i + 8 <= n; i += 8) {  // eight units at a time
    std::uint64_t low, high;
    std::memcpy(&low, src + i, sizeof low);
    std::memcpy(&high, src + i + 4, sizeof high);
    if (!PlainAscii4(low) || !PlainAscii4(high)) break;
    const std::uint64_t bytes = PackAscii4(low) | static_cast<std::uint64_t>(PackAscii4(high)) << 32;
    std::memcpy(dest + i, &bytes, sizeof bytes);
  }
#endif
  if (i + 4 <= n) {
    std::uint64_t units;
    std::memcpy(&units, src + i, sizeof units);
    if (PlainAscii4(units)) {
      const std::uint32_t bytes = PackAscii4(units);
      std::memcpy(dest + i, &bytes, sizeof bytes);
      i += 4;
    }
  }
  while (i < n && static_cast<char32_t>(src[i]) - 1 < 0x7F) {
    dest[i] = static_cast<char>(src[i]);
    ++i;
  }
  return i;
}
// kZeroFree: the caller knows src[0, n) holds no zero (an answer of known
// length), so the eight-byte test skips it.
template <bool kZeroFree = false>
inline std::size_t CopyAsciiPrefix(const char* src, std::size_t n, char* dest) noexcept {
  using unicode_detail::PlainAscii8;
  std::size_t i = 0;
  for (std::uint64_t bytes; i + 8 <= n && PlainAscii8<kZeroFree>(bytes = unicode_detail::Load8(src + i)); i += 8) {
    std::memcpy(dest + i, &bytes, sizeof bytes);  // eight bytes at a time
  }
  while (i < n && static_cast<unsigned char>(src[i]) - 1u < 0x7Fu) {
    dest[i] = src[i];
    ++i;
  }
  return i;
}
// The same prefix widened to UTF-16 units: every ASCII byte is its unit.
inline std::size_t WidenAsciiPrefix(const char* src, std::size_t n, char16_t* dest) noexcept {
  using unicode_detail::PlainAscii8;
  std::size_t i = 0;
#if defined(__SSE2__)
  // Eight at a time, the last eight overlapping those before them: a byte
  // of 1 to 0x7F is above zero as a signed one.
  const auto widen8 = [&](std::size_t at) {
    const __m128i bytes = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(src + at));
    const __m128i zero = _mm_setzero_si128();
    if ((_mm_movemask_epi8(_mm_cmpgt_epi8(bytes, zero)) & 0xFF) != 0xFF) return false;
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dest + at), _mm_unpacklo_epi8(bytes, zero));
    return true;
  };
  if ((i = unicode_detail::InBlocksOfEight(n, widen8)) == n) return n;
#else
  for (std::uint64_t bytes; i + 8 <= n && PlainAscii8(bytes = unicode_detail::Load8(src + i)); i += 8) {
    unicode_detail::Widen8(bytes, dest + i);
  }
#endif
  while (i < n && static_cast<unsigned char>(src[i]) - 1u < 0x7Fu) {
    dest[i] = static_cast<unsigned char>(src[i]);
    ++i;
  }
  return i;
}

// ANSI to UTF-16: every byte maps to one code unit. Returns the code units
// written, not counting the terminator.
std::size_t AnsiToUtf16(const char* src, std::size_t srcLen, char16_t* dest,
                        std::size_t destSize) noexcept;

// The ANSI byte of a code point, or '?' when the code page has none.
char AnsiFromCodePoint(char32_t cp) noexcept;

// UTF-8 to UTF-16; a malformed sequence becomes U+FFFD. Returns code units written.
std::size_t Utf8ToUtf16(const char* src, std::size_t srcLen, char16_t* dest,
                        std::size_t destSize) noexcept;
// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD. Returns bytes written.
// A character that does not fit whole is not written.
std::size_t Utf16ToUtf8(const char16_t* src, std::size_t srcLen, char* dest,
                        std::size_t destSize) noexcept;

// UTF-8 straight to the ANSI code page, as UTF-8 -> UTF-16 -> ANSI would go:
// a malformed sequence and a character outside the code page become "?".
// Returns the bytes written, not counting the terminator.
std::size_t Utf8ToAnsi(const char* src, std::size_t srcLen, char* dest,
                       std::size_t destSize) noexcept;
// ANSI to UTF-8 (at most 3 bytes a character). A character that does not fit
// whole is not written. Returns the bytes written.
std::size_t AnsiToUtf8(const char* src, std::size_t srcLen, char* dest,
                       std::size_t destSize) noexcept;

}  // namespace zorva
