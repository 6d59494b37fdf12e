// Date masks: token letters, runs, separators, month names, shape check.
#pragma once

#include <cstddef>
#include <cstring>

#include "intl/settings.h"

namespace zorva {

// The six letters that mark date parts in a mask, from the string table:
// positions 0-1 the day, 2-3 the month, 4-5 the year ("dDmMyY").
struct DateTokenLetters {
  char letters[7];
};

inline DateTokenLetters DateLettersOf(const IntlSettings& s) noexcept {
  DateTokenLetters t;
  std::memcpy(t.letters, s.sDateLetters, sizeof t.letters);
  return t;
}

enum DatePart : int { kNoDatePart = 0, kDayPart, kMonthPart, kYearPart };

// The date part that a mask character stands for; kNoDatePart for a literal.
// Inline, as RunLength: the engines ask for every mask character.
inline DatePart DatePartOf(const DateTokenLetters& letters, char c) noexcept {
  if (c == '\0') return kNoDatePart;  // a short letter table leaves zeros
  for (int i = 0; i < 6; ++i) {
    if (letters.letters[i] == c) return static_cast<DatePart>(kDayPart + i / 2);
  }
  return kNoDatePart;
}

// Length of the run of characters equal to text[0] (0 for an empty text).
inline std::size_t RunLength(const char* text) noexcept {
  std::size_t n = 0;
  while (text[n] != '\0' && text[n] == text[0]) ++n;
  return n;
}

// The character right after each of the first two runs of the mask; '\0'
// when there is none. A null mask gives none twice.
struct DateSeparators {
  char first;
  char second;
};
DateSeparators FindDateSeparators(const char* mask, const DateTokenLetters& letters) noexcept;

// Month 1..12 whose abbreviation begins text (case-insensitive), -1 when
// none does, 0 when text is null. With strictNames the text must also begin
// with that month's full name, else -1.
int MatchMonthName(const char* text, bool strictNames, const IntlSettings& s) noexcept;

// 1 when the year digits of value agree with the year runs of mask, else 0.
// An empty value passes.
int CheckDateShape(const char* value, const char* mask, const IntlSettings& s) noexcept;

}  // namespace zorva
