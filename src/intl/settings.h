// The process-wide international settings block. Every field but
// sSystemCurrency comes from the string table; it is filled once, on first
// use, and read-only afterwards.
#pragma once

#include <cstdint>
#include <span>

#include "intl/string_table.h"

namespace zorva {

struct IntlSettings {
  char MonthAbbrev[13][4];  // months 1..12; a longer translated text is cut to 3
  char sThousand;
  char sMonThousandSep;
  char sTime;
  char sCurrency[16];        // the currency character of masks, at most 3 characters
  char sSystemCurrency[16];  // the user's currency symbol, at most 3 characters
  char sDecimal;
  char sMonDecimalSep;
  char sNegativeSign;
  char sPositiveSign;
  char sLeftParen;
  char sRightParen;
  char sTimeMask[64];
  char sShortDate[64];
  char sCurrencyMask[64];
  char sIntegerMask[64];
  char sDecimalMask[64];
  char sTextMask[1];  // always empty
  char sBooleanMask[64];  // the boolean type's default mask
  // String-table texts the engines read on every call, resolved once here:
  // the raw forms of dates, times, booleans and numbers, and the date letters.
  char sRawDateMask[64];       // "yyyy-mm-dd"
  char sRawTimeMask[64];       // "hh:mm:ss"
  char sRawBooleanMask[64];    // "1/0"
  char sRawCurrencyFormat[64]; // "0.#"
  char sRawWholeFormat[64];    // "0"
  char sRawDecimalFormat[64];  // "0.#"
  char sDateLetters[7];        // "dDmMyY"
  // The names dates are written with (month 0 is January, day 0 Sunday), and
  // the full month names a strict reading asks for; each cut to 63 characters.
  char sMonthNames[12][64];
  char sMonthShortNames[12][64];
  char sDayNames[7][64];
  char sDayShortNames[7][64];
};

// What the system contributes: the user's language and currency symbol.
struct SystemLocale {
  char language[16];  // e.g. "de"; empty when the system names none
  char currency[16];  // in the ANSI code page; empty when there is none or it does not fit
};

// The user's locale as the environment names it (LC_ALL, LC_MONETARY, LANG).
// Reads it with its own locale object: the host's global locale is untouched.
SystemLocale QuerySystemLocale() noexcept;
// A SystemLocale from a given language and currency symbol (ANSI), for tests.
SystemLocale MakeSystemLocale(const char* language, const char* currencyAnsi) noexcept;

// Fills a settings block from the string table and the given system locale;
// a translation's texts stand in for the table's entries of the same number.
IntlSettings LoadIntlSettings(const SystemLocale& system,
                              std::span<const StringEntry> translation = {}) noexcept;

// The process's settings: loaded from QuerySystemLocale() exactly once, on
// first use (thread-safe), unless an override is active.
const IntlSettings& Intl() noexcept;

// Changes whenever Intl() starts answering with another block: a cache of
// what the settings imply keeps it beside what it holds.
std::uint32_t IntlGeneration() noexcept;

// Makes Intl() answer with another block while it lives (tests and tools
// that must not depend on the environment). Not for use while other threads
// call the engines. Overrides do not nest.
class IntlSettingsOverride {
 public:
  explicit IntlSettingsOverride(const IntlSettings& settings) noexcept;
  ~IntlSettingsOverride();
  IntlSettingsOverride(const IntlSettingsOverride&) = delete;
  IntlSettingsOverride& operator=(const IntlSettingsOverride&) = delete;

 private:
  IntlSettings copy_;
};

}  // namespace zorva
