// The system's single-byte ANSI code page: character classes, case mapping and
// the mapping to Unicode. The engines see only the functions below, which
// answer as the Windows functions of the same names do for Windows-1252.
#pragma once

#include <cstdint>

namespace zorva {

// Class bits of one byte, as the code page's character-type table holds them.
enum CharClass : std::uint8_t {
  kAlpha = 1 << 0,
  kUpper = 1 << 1,
  kLower = 1 << 2,
  kDigit = 1 << 3,
  kSpace = 1 << 4,
  kPunct = 1 << 5,
  kCntrl = 1 << 6,
};

// A single-byte code page as data: everything the classification, case
// mapping and conversions need. Another code page is one more such table.
struct CodePage {
  int number;                   // 1252
  std::uint16_t unicode[256];   // byte -> UTF-16 code unit (no code page here needs surrogates)
  std::uint8_t classes[256];    // CharClass bits
  std::uint8_t upper[256];      // byte -> upper-case byte (itself when none)
  std::uint8_t lower[256];      // byte -> lower-case byte (itself when none)
};

namespace codepage_detail {
extern const CodePage kCp1252;
}  // namespace codepage_detail

// The ANSI code page of the system: Windows-1252. Inline: every character
// test of the engines goes through it.
inline const CodePage& AnsiCodePage() noexcept { return codepage_detail::kCp1252; }

inline std::uint8_t ClassOf(char c) noexcept {
  return AnsiCodePage().classes[static_cast<unsigned char>(c)];
}

// The Windows user-interface character functions of the ANSI code page.
inline bool IsCharAlphaA(char c) noexcept { return ClassOf(c) & kAlpha; }
inline bool IsCharAlphaNumericA(char c) noexcept { return ClassOf(c) & (kAlpha | kDigit); }
inline bool IsCharUpperA(char c) noexcept { return ClassOf(c) & kUpper; }
inline bool IsCharLowerA(char c) noexcept { return ClassOf(c) & kLower; }
inline char CharUpperA(char c) noexcept {
  return static_cast<char>(AnsiCodePage().upper[static_cast<unsigned char>(c)]);
}
inline char CharLowerA(char c) noexcept {
  return static_cast<char>(AnsiCodePage().lower[static_cast<unsigned char>(c)]);
}
// The whole-string form, in place, as CharUpperA on a string.
void CharUpperBuffA(char* text) noexcept;

// The C runtime under the user's locale, whose code page is the same ANSI code
// page: the digit test, toupper, tolower and case-insensitive comparison.
inline bool CrtIsDigit(char c) noexcept { return ClassOf(c) & kDigit; }
// The value of a character CrtIsDigit accepts: the superscripts one, two and
// three count as the digits they show.
inline int CrtDigitValue(char c) noexcept {
  switch (static_cast<unsigned char>(c)) {
    case 0xB9: return 1;
    case 0xB2: return 2;
    case 0xB3: return 3;
    default: return static_cast<unsigned char>(c) - '0';
  }
}
inline char CrtToUpper(char c) noexcept { return CharUpperA(c); }
inline char CrtToLower(char c) noexcept { return CharLowerA(c); }

}  // namespace zorva
