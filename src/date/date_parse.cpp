#include "date/date_parse.h"

#include <cstddef>
#include <cstring>

#include "date/date_mask.h"
#include "date/date_plan.h"
#include "intl/settings.h"
#include "platform/codepage.h"

namespace zorva {
namespace {

// A piece of the value: a name (text set, number 0), a number (no text) or
// a placeholder run of underscores (text set, number -1).
struct DateToken {
  const char* text;
  std::int32_t number;
};

constexpr std::size_t kMaxDigits = 4;

bool IsSeparator(char c, const DateSeparators& seps) noexcept {
  return c != '\0' && (c == seps.first || c == seps.second);
}

// The next separator or the end of the value, from p on.
const char* SkipToSeparator(const char* p, const DateSeparators& seps) noexcept {
  while (*p != '\0' && !IsSeparator(*p, seps)) ++p;
  return p;
}

// The value of a run of at most kMaxDigits CrtIsDigit characters (the
// superscript digits count as the digits they show).
std::int32_t RunValue(const char* run, std::size_t digits) noexcept {
  std::int32_t value = 0;
  for (std::size_t i = 0; i < digits; ++i) {
    const char c = run[i];
    value = value * 10 + (c >= '0' && c <= '9' ? c - '0' : CrtDigitValue(c));
  }
  return value;
}

[[gnu::always_inline]] inline int Tokenize(const char* value, const DateSeparators& seps,
                                           DateToken* tokens) noexcept {
  int count = 0;
  const char* p = value;
  while (*p != '\0' && count < kMaxDateTokens) {
    if (IsCharAlphaA(*p)) {
      // A name runs on to the next separator; its text is the rest of the value.
      tokens[count++] = {p, 0};
      p = SkipToSeparator(p, seps);
    } else if (CrtIsDigit(*p)) {
      const char* end = p;
      while (CrtIsDigit(*end)) ++end;
      std::size_t digits = static_cast<std::size_t>(end - p);
      // A run that runs into something other than a separator is not a number.
      bool readable = digits <= kMaxDigits && (*end == '\0' || IsSeparator(*end, seps));
      tokens[count++] = {nullptr, readable ? RunValue(p, digits) : 0};
      p = SkipToSeparator(end, seps);
    } else if (*p == '_') {
      const char* end = p;
      while (*end == '_') ++end;
      // Underscores glued to a name or number are noise, not a placeholder.
      if (!IsCharAlphaA(*end) && !CrtIsDigit(*end)) tokens[count++] = {p, -1};
      p = end;
    } else {
      ++p;
    }
  }
  return count;
}

// The tokens one run of the mask takes, from tokens[k] on.
[[gnu::always_inline]] inline void TakeRun(DatePart part, std::size_t length, const DateToken* tokens, int count,
                                           int& k, DateParts& parts, bool strictNames,
                                           const IntlSettings& s) noexcept {
  const bool left = k < count;
  switch (part) {
    case kDayPart:
      if (length == 3 || length == 4) {
        if (left) ++k;  // a weekday name, taken but never checked
      } else if (left) {
        parts.day = tokens[k++].number;
      } else if (length != 1) {
        parts.day = 0;  // a single d leaves a missing day to its default
      }
      break;
    case kMonthPart:
      if (!left) {
        parts.month = 0;
      } else {
        // A month run takes a number or a name alike.
        // A number has no text, which names no month.
        const int named = tokens[k].text ? MatchMonthName(tokens[k].text, strictNames, s) : 0;
        parts.month = named >= 1 ? named : tokens[k].number;
        ++k;
      }
      break;
    case kYearPart:
      parts.year = left ? tokens[k++].number : 0;
      parts.year = WidenTwoDigitYear(parts.year, length == 4);
      break;
    case kNoDatePart:
      break;
  }
}

// The value's tokens, read against `runs`, which calls its argument with
// each run of the mask in turn.
template <class Runs>
void ReadRuns(const char* value, const DateSeparators& seps, Runs runs, DateParts& parts, bool strictNames,
              const IntlSettings& s) noexcept {
  parts.day = parts.month = parts.year = -2;  // not given
  if (!value || *value == '\0') {
    parts.empty = 1;
    return;
  }
  parts.empty = 0;
  DateToken tokens[kMaxDateTokens];
  const int count = Tokenize(value, seps, tokens);
  if (count == 0) {
    parts.empty = 1;
    return;
  }
  int k = 0;
  runs([&](DatePart part, std::size_t length) { TakeRun(part, length, tokens, count, k, parts, strictNames, s); });
  parts.empty = parts.day < 0 && parts.month < 0 && parts.year < 0 ? 1 : 0;
  if (parts.day == -2) parts.day = 1;
  if (parts.month == -2) parts.month = 1;
  if (parts.year == -2) parts.year = 1900;
}

}  // namespace

void ParseDate(const char* value, const char* mask, DateParts& parts, bool strictNames,
               const IntlSettings& s) noexcept {
  if (!mask) mask = "";
  const DateTokenLetters letters = DateLettersOf(s);
  const auto runs = [&](auto take) {
    for (const char* m = mask; *m != '\0';) {
      const DatePart part = DatePartOf(letters, *m);
      if (part == kNoDatePart) {
        ++m;
        continue;
      }
      const std::size_t length = RunLength(m);
      m += length;
      take(part, length);
    }
  };
  // The separators are found only for a value that has something to read.
  const DateSeparators seps = value && *value ? FindDateSeparators(mask, letters) : DateSeparators{};
  ReadRuns(value, seps, runs, parts, strictNames, s);
}

void ParseDatePlan(const char* value, const DateMaskPlan& plan, DateParts& parts, bool strictNames,
                   const IntlSettings& s) noexcept {
  const auto runs = [&](auto take) {
    for (std::size_t i = 0; i < plan.count; ++i) {
      if (plan.items[i].part != kNoDatePart) take(plan.items[i].part, plan.items[i].length);
    }
  };
  ReadRuns(value, plan.seps, runs, parts, strictNames, s);
}

}  // namespace zorva
