#include "date/date_mask.h"

#include <cstring>

#include "intl/settings.h"
#include "platform/codepage.h"

namespace zorva {
namespace {

// True when text begins with prefix (of prefixLength characters), ignoring
// case; a text that ends first does not match.
bool BeginsWithNoCase(const char* text, const char* prefix, std::size_t prefixLength) noexcept {
  for (std::size_t i = 0; i < prefixLength; ++i) {
    if (text[i] == '\0' || CrtToUpper(text[i]) != CrtToUpper(prefix[i])) return false;
  }
  return true;
}

}  // namespace


DateSeparators FindDateSeparators(const char* mask, const DateTokenLetters& letters) noexcept {
  DateSeparators seps{'\0', '\0'};
  if (!mask) return seps;
  bool haveFirst = false;
  bool haveSecond = false;
  const char* p = mask;
  while (*p != '\0' && !haveSecond) {
    if (DatePartOf(letters, *p) == kNoDatePart) {
      ++p;
      continue;
    }
    p += RunLength(p);
    // The character after a run is taken even when it is a letter itself.
    if (!haveFirst) {
      seps.first = *p;
      haveFirst = true;
    } else {
      seps.second = *p;
      haveSecond = true;
    }
    if (*p != '\0') ++p;
  }
  return seps;
}

int MatchMonthName(const char* text, bool strictNames, const IntlSettings& s) noexcept {
  if (!text) return 0;
  int month = -1;
  for (int m = 1; m <= 12 && month < 0; ++m) {
    const char* abbrev = s.MonthAbbrev[m];
    // Bounded: an entry need not be terminated within its four bytes.
    std::size_t length = 0;
    while (length < sizeof s.MonthAbbrev[m] && abbrev[length] != '\0') ++length;
    if (BeginsWithNoCase(text, abbrev, length)) month = m;
  }
  if (month < 0 || !strictNames) return month;
  const char* full = s.sMonthNames[month - 1];
  // An empty full name leaves the abbreviation's verdict standing.
  if (*full && !BeginsWithNoCase(text, full, std::strlen(full))) return -1;
  return month;
}

int CheckDateShape(const char* value, const char* mask, const IntlSettings& s) noexcept {
  if (!value || *value == '\0' || !mask) return 1;
  const DateTokenLetters letters = DateLettersOf(s);
  const char* m = mask;
  const char* v = value;
  int result = 1;
  while (*m != '\0' && *v != '\0' && result) {
    DatePart part = DatePartOf(letters, *m);
    if (part == kNoDatePart) {
      // A literal of the mask stands for one character of the value, whatever it is.
      ++m;
      ++v;
    } else if (part != kYearPart) {
      m += RunLength(m);
      while (IsCharAlphaNumericA(*v) || *v == '_') ++v;
    } else {
      std::size_t length = RunLength(m);
      m += length;
      std::size_t taken = 0;
      std::size_t digits = 0;
      for (; taken < length && v[taken] != '\0'; ++taken) {
        if (CrtIsDigit(v[taken])) ++digits;
      }
      v += taken;
      // Underscores or letters alone leave the verdict to the other checks.
      if (digits > 0 && digits != length) result = 0;
    }
  }
  return result;
}

}  // namespace zorva
