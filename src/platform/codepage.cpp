#include "platform/codepage.h"

#include <array>

namespace zorva {
namespace {

// One byte of the upper half: its code point, its classes and the byte of its
// other case (0 when the code page has none).
struct HighByte {
  std::uint16_t unicode;
  std::uint8_t classes;
  std::uint8_t otherCase;
};

constexpr std::uint8_t P = kPunct;
constexpr std::uint8_t C = kCntrl;
constexpr std::uint8_t S = kSpace;
constexpr std::uint8_t D = kDigit | kPunct;  // superscript digits
constexpr std::uint8_t U = kAlpha | kUpper;
constexpr std::uint8_t L = kAlpha | kLower;
constexpr std::uint8_t A = kAlpha;           // a modifier letter: no case

// Windows-1252, 0x80 to 0xFF. The five bytes the code page leaves undefined
// map to the C1 control of the same value.
constexpr HighByte kCp1252High[128] = {
    {0x20AC, P, 0},    {0x0081, C, 0},    {0x201A, P, 0},    {0x0192, L, 0},     // 80
    {0x201E, P, 0},    {0x2026, P, 0},    {0x2020, P, 0},    {0x2021, P, 0},
    {0x02C6, A, 0},    {0x2030, P, 0},    {0x0160, U, 0x9A}, {0x2039, P, 0},
    {0x0152, U, 0x9C}, {0x008D, C, 0},    {0x017D, U, 0x9E}, {0x008F, C, 0},
    {0x0090, C, 0},    {0x2018, P, 0},    {0x2019, P, 0},    {0x201C, P, 0},     // 90
    {0x201D, P, 0},    {0x2022, P, 0},    {0x2013, P, 0},    {0x2014, P, 0},
    {0x02DC, P, 0},    {0x2122, P, 0},    {0x0161, L, 0x8A}, {0x203A, P, 0},
    {0x0153, L, 0x8C}, {0x009D, C, 0},    {0x017E, L, 0x8E}, {0x0178, U, 0xFF},
    {0x00A0, S, 0},    {0x00A1, P, 0},    {0x00A2, P, 0},    {0x00A3, P, 0},     // A0
    {0x00A4, P, 0},    {0x00A5, P, 0},    {0x00A6, P, 0},    {0x00A7, P, 0},
    {0x00A8, P, 0},    {0x00A9, P, 0},    {0x00AA, L, 0},    {0x00AB, P, 0},
    {0x00AC, P, 0},    {0x00AD, P, 0},    {0x00AE, P, 0},    {0x00AF, P, 0},
    {0x00B0, P, 0},    {0x00B1, P, 0},    {0x00B2, D, 0},    {0x00B3, D, 0},     // B0
    {0x00B4, P, 0},    {0x00B5, L, 0},    {0x00B6, P, 0},    {0x00B7, P, 0},
    {0x00B8, P, 0},    {0x00B9, D, 0},    {0x00BA, L, 0},    {0x00BB, P, 0},
    {0x00BC, P, 0},    {0x00BD, P, 0},    {0x00BE, P, 0},    {0x00BF, P, 0},
};

constexpr CodePage MakeCp1252() {
  CodePage cp{};
  cp.number = 1252;
  for (int b = 0; b < 256; ++b) {
    cp.unicode[b] = static_cast<std::uint16_t>(b);
    cp.upper[b] = cp.lower[b] = static_cast<std::uint8_t>(b);
  }
  // The ASCII half is the same in every Windows single-byte code page.
  for (int b = 0; b < 128; ++b) {
    std::uint8_t k = 0;
    if (b < 0x20 || b == 0x7F) k = kCntrl;
    if ((b >= 0x09 && b <= 0x0D) || b == 0x20) k |= kSpace;
    if (b >= '0' && b <= '9') k = kDigit;
    else if (b >= 'A' && b <= 'Z') k = U;
    else if (b >= 'a' && b <= 'z') k = L;
    else if (b > 0x20 && b < 0x7F) k = kPunct;
    cp.classes[b] = k;
    if (b >= 'A' && b <= 'Z') cp.lower[b] = static_cast<std::uint8_t>(b + 32);
    if (b >= 'a' && b <= 'z') cp.upper[b] = static_cast<std::uint8_t>(b - 32);
  }
  for (int i = 0; i < 128; ++i) {
    int b = 0x80 + i;
    if (b < 0xC0) {
      const HighByte& h = kCp1252High[i];
      cp.unicode[b] = h.unicode;
      cp.classes[b] = h.classes;
      if (h.otherCase && (h.classes & kLower)) cp.upper[b] = h.otherCase;
      if (h.otherCase && (h.classes & kUpper)) cp.lower[b] = h.otherCase;
      continue;
    }
    // 0xC0 to 0xFF is Latin-1: capitals, then small letters 0x20 above them,
    // with the two signs and the two letters that have no partner.
    if (b == 0xD7 || b == 0xF7) { cp.classes[b] = kPunct; continue; }
    if (b == 0xDF) { cp.classes[b] = L; continue; }          // sharp s
    if (b == 0xFF) { cp.classes[b] = L; cp.upper[b] = 0x9F; continue; }
    if (b < 0xE0) { cp.classes[b] = U; cp.lower[b] = static_cast<std::uint8_t>(b + 0x20); }
    else { cp.classes[b] = L; cp.upper[b] = static_cast<std::uint8_t>(b - 0x20); }
  }
  return cp;
}

}  // namespace

namespace codepage_detail {
constexpr CodePage kCp1252 = MakeCp1252();
}  // namespace codepage_detail

void CharUpperBuffA(char* text) noexcept {
  for (; text && *text; ++text) *text = CharUpperA(*text);
}

}  // namespace zorva
