#include "platform/unicode.h"

#include <array>
#include <cstdint>

#include "platform/codepage.h"

namespace zorva {
namespace {

bool IsHighSurrogate(char32_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLowSurrogate(char32_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

// Reverse map of the code page for the code points above 0xFF; Latin-1 code
// points that the code page holds at their own value are found directly.
struct ReverseEntry {
  char16_t unicode;
  unsigned char byte;
};

struct ReverseMap {
  std::array<ReverseEntry, 128> entries{};
  std::size_t count = 0;
  std::array<std::int16_t, 256> latin1{};  // code point 0..255 -> byte, or -1
};

ReverseMap MakeReverse() {
  ReverseMap m;
  m.latin1.fill(-1);
  const CodePage& cp = AnsiCodePage();
  for (int b = 0; b < 256; ++b) {
    char16_t u = cp.unicode[b];
    if (u < 256) m.latin1[u] = static_cast<std::int16_t>(b);
    else m.entries[m.count++] = {u, static_cast<unsigned char>(b)};
  }
  return m;
}

const ReverseMap& Reverse() {
  static const ReverseMap map = MakeReverse();
  return map;
}

}  // namespace

char AnsiFromCodePoint(char32_t cp) noexcept {
  const ReverseMap& m = Reverse();
  if (cp < 256) {
    return m.latin1[cp] < 0 ? '?' : static_cast<char>(m.latin1[cp]);
  }
  for (std::size_t i = 0; i < m.count; ++i) {
    if (m.entries[i].unicode == cp) return static_cast<char>(m.entries[i].byte);
  }
  return '?';
}

std::size_t Utf16ToAnsi(const char16_t* src, std::size_t srcLen, char* dest,
                        std::size_t destSize) noexcept {
  if (destSize == 0) return 0;
  if (!src) srcLen = 0;
  // ASCII but zero is the same byte in every ANSI code page: the usual text
  // is copied by this loop alone.
  std::size_t out = CopyAsciiPrefix(src, srcLen < destSize - 1 ? srcLen : destSize - 1, dest);
  if (out == srcLen || out + 1 >= destSize) {
    dest[out] = '\0';
    return out;
  }
  const ReverseMap& m = Reverse();
  for (std::size_t i = out; i < srcLen && out + 1 < destSize; ++i) {
    const char32_t u = src[i];
    if (u - 1 < 0x7F) {
      dest[out++] = static_cast<char>(u);
    } else if (u != 0 && u < 256) {
      dest[out++] = m.latin1[u] < 0 ? '?' : static_cast<char>(m.latin1[u]);
    } else if (IsHighSurrogate(u) && i + 1 < srcLen && IsLowSurrogate(src[i + 1])) {
      ++i;  // a pair is one character outside the code page
      dest[out++] = '?';
    } else {
      dest[out++] = AnsiFromCodePoint(u);
    }
  }
  dest[out] = '\0';
  return out;
}

std::size_t AnsiToUtf16(const char* src, std::size_t srcLen, char16_t* dest,
                        std::size_t destSize) noexcept {
  if (destSize == 0) return 0;
  if (!src) srcLen = 0;
  const std::size_t n = srcLen < destSize - 1 ? srcLen : destSize - 1;
  const CodePage& cp = AnsiCodePage();
  for (std::size_t i = 0; i < n; ++i) {
    const auto b = static_cast<unsigned char>(src[i]);
    dest[i] = b < 0x80 ? static_cast<char16_t>(b) : cp.unicode[b];  // ASCII is itself
  }
  dest[n] = u'\0';
  return n;
}

std::size_t Utf8ToUtf16(const char* src, std::size_t srcLen, char16_t* dest,
                        std::size_t destSize) noexcept {
  if (destSize == 0) return 0;
  std::size_t out = 0;
  std::size_t i = 0;
  auto put = [&](char32_t c) {
    if (c >= 0x10000) {
      if (out + 2 >= destSize) return false;
      c -= 0x10000;
      dest[out++] = static_cast<char16_t>(0xD800 + (c >> 10));
      dest[out++] = static_cast<char16_t>(0xDC00 + (c & 0x3FF));
      return true;
    }
    if (out + 1 >= destSize) return false;
    dest[out++] = static_cast<char16_t>(c);
    return true;
  };
  while (src && i < srcLen) {
    unsigned char b = static_cast<unsigned char>(src[i]);
    int extra = b < 0x80 ? 0 : (b & 0xE0) == 0xC0 ? 1 : (b & 0xF0) == 0xE0 ? 2
              : (b & 0xF8) == 0xF0 ? 3 : -1;
    char32_t c = extra == 0 ? b : extra == 1 ? (b & 0x1F) : extra == 2 ? (b & 0x0F) : (b & 0x07);
    bool ok = extra >= 0 && i + extra < srcLen;
    for (int k = 1; ok && k <= extra; ++k) {
      unsigned char t = static_cast<unsigned char>(src[i + k]);
      if ((t & 0xC0) != 0x80) ok = false;
      else c = (c << 6) | (t & 0x3F);
    }
    static constexpr char32_t kMin[4] = {0, 0x80, 0x800, 0x10000};
    if (ok && (c < kMin[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))) ok = false;
    if (!ok) {
      c = 0xFFFD;
      extra = 0;  // resynchronise on the next byte
    }
    if (!put(c)) break;
    i += static_cast<std::size_t>(extra) + 1;
  }
  dest[out] = u'\0';
  return out;
}

std::size_t Utf16ToUtf8(const char16_t* src, std::size_t srcLen, char* dest,
                        std::size_t destSize) noexcept {
  if (destSize == 0) return 0;
  std::size_t out = 0;
  for (std::size_t i = 0; src && i < srcLen; ++i) {
    char32_t c = src[i];
    if (IsHighSurrogate(c) && i + 1 < srcLen && IsLowSurrogate(src[i + 1])) {
      c = 0x10000 + ((c - 0xD800) << 10) + (src[i + 1] - 0xDC00);
      ++i;
    } else if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
      c = 0xFFFD;
    }
    char buf[4];
    std::size_t n;
    if (c < 0x80) { buf[0] = static_cast<char>(c); n = 1; }
    else if (c < 0x800) {
      buf[0] = static_cast<char>(0xC0 | (c >> 6));
      buf[1] = static_cast<char>(0x80 | (c & 0x3F)); n = 2;
    } else if (c < 0x10000) {
      buf[0] = static_cast<char>(0xE0 | (c >> 12));
      buf[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      buf[2] = static_cast<char>(0x80 | (c & 0x3F)); n = 3;
    } else {
      buf[0] = static_cast<char>(0xF0 | (c >> 18));
      buf[1] = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      buf[2] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      buf[3] = static_cast<char>(0x80 | (c & 0x3F)); n = 4;
    }
    if (out + n >= destSize) break;
    for (std::size_t k = 0; k < n; ++k) dest[out++] = buf[k];
  }
  dest[out] = '\0';
  return out;
}

std::size_t Utf8ToAnsi(const char* src, std::size_t srcLen, char* dest,
                       std::size_t destSize) noexcept {
  if (destSize == 0) return 0;
  std::size_t out = 0;
  std::size_t i = 0;
  // ASCII is the same in both; everything else goes through UTF-16 a few
  // characters at a time.
  while (src && i < srcLen && out + 1 < destSize) {
    unsigned char b = static_cast<unsigned char>(src[i]);
    if (b - 1u < 0x7Fu) {  // ASCII but zero, which takes the general path
      dest[out++] = static_cast<char>(b);
      ++i;
      continue;
    }
    std::size_t n = 1;
    while (n < 4 && b != 0 && i + n < srcLen && (static_cast<unsigned char>(src[i + n]) & 0xC0) == 0x80) ++n;
    char16_t wide[8];
    std::size_t units = Utf8ToUtf16(src + i, n, wide, 8);
    char ansi[8];
    std::size_t k = Utf16ToAnsi(wide, units, ansi, sizeof ansi);
    for (std::size_t j = 0; j < k && out + 1 < destSize; ++j) dest[out++] = ansi[j];
    i += n;
  }
  dest[out] = '\0';
  return out;
}

std::size_t AnsiToUtf8(const char* src, std::size_t srcLen, char* dest,
                       std::size_t destSize) noexcept {
  if (destSize == 0) return 0;
  if (!src) srcLen = 0;
  // ASCII is the same in both: the usual answer is copied by this alone.
  std::size_t i = 0;
  const std::size_t room = destSize - 1;
  for (; i + 8 <= srcLen && i + 8 <= room; i += 8) {
    std::uint64_t bytes;
    std::memcpy(&bytes, src + i, sizeof bytes);
    if ((bytes & 0x8080808080808080ull) != 0) break;
    std::memcpy(dest + i, &bytes, sizeof bytes);
  }
  while (i < srcLen && i < room && static_cast<unsigned char>(src[i]) < 0x80) {
    dest[i] = src[i];
    ++i;
  }
  std::size_t out = i;
  if (i == srcLen || i == room) {
    dest[out] = '\0';
    return out;
  }
  const CodePage& cp = AnsiCodePage();
  for (; i < srcLen; ++i) {
    unsigned char b = static_cast<unsigned char>(src[i]);
    if (b < 0x80) {
      if (out + 1 >= destSize) break;
      dest[out++] = static_cast<char>(b);
      continue;
    }
    char16_t u = cp.unicode[b];
    char buf[4];
    std::size_t n = Utf16ToUtf8(&u, 1, buf, sizeof buf);
    if (out + n >= destSize) break;
    for (std::size_t j = 0; j < n; ++j) dest[out++] = buf[j];
  }
  dest[out] = '\0';
  return out;
}

}  // namespace zorva
