#include "time/time_format.h"

#include <cstring>

#include "platform/bounded_text.h"
#include "platform/codepage.h"
#include "time/time_digits.h"
#include "time/time_plan.h"

namespace zorva {
namespace {

constexpr int kMaxWords = 7;

// One hours, minutes or seconds token of `letters` letters; `pairAfter`
// tells, when asked, whether a designator pair follows it.
template <class PairAfter>
[[gnu::always_inline]] inline void PutField(BoundedText& out, std::size_t letters, std::int32_t number,
                                            TimeValue& time, bool isHours, PairAfter pairAfter) noexcept {
  if (number < 0 || time.isBlank) {
    out.Put(kTimePlaceholder, letters);
    return;
  }
  if (isHours && pairAfter()) {
    // A pair after the hours token puts them on the 12-hour clock.
    if (number == 0 || number == 24) {
      number = 12;
      time.meridiem = MeridiemAM;
    } else if (number >= 13 && number <= 23) {
      number -= 12;
      time.meridiem = MeridiemPM;
    }
  }
  char digits[16];  // at least two digits, of which the first two show
  {
    BoundedText text(digits, sizeof digits);
    text.PutDecimal(static_cast<std::uint32_t>(number), 2);
  }
  if (letters == 2 || digits[0] > '0') out.Put(digits[0]);
  out.Put(digits[1]);
}

void FormatField(BoundedText& out, const char* mask, std::size_t i, std::size_t letters, std::int32_t number,
                 TimeValue& time, bool isHours) noexcept {
  PutField(out, letters, number, time, isHours, [mask, i] { return HasDesignatorPair(mask + i); });
}

// A designator run, read once by the piece reader.
void FormatDesignator(BoundedText& out, const DesignatorRun& run, const TimeValue& time) noexcept {
  if (time.meridiem == MeridiemAM) {
    out.Put(run.am);
  } else if (time.meridiem == MeridiemPM) {
    out.Put(run.pm);
  } else {
    out.Put(kTimePlaceholder, 2);
  }
}

TimeValue BlankTime() noexcept {
  TimeValue time{};
  time.isBlank = 1;
  return time;
}

}  // namespace

namespace {

// The numbers and words of a value, in order.
struct TimeTokens {
  std::int32_t numbers[kTimeValueNumbers];
  const char* words[kMaxWords];
  int numberCount = 0;
  int wordCount = 0;
};

// False for an empty value, or one with neither digits nor letters.
[[gnu::always_inline]] inline bool ReadTokens(const char* value, TimeTokens& t) noexcept {
  if (!value || !*value) return false;
  for (const char* p = value; *p && t.numberCount < kTimeValueNumbers && t.wordCount < kMaxWords;) {
    if (IsCharAlphaA(*p)) {
      t.words[t.wordCount++] = p;
      while (IsCharAlphaA(*p)) ++p;
    } else if (CrtIsDigit(*p)) {
      std::int32_t number = 0;
      while (CrtIsDigit(*p)) number = AppendTimeDigit(number, *p++);
      t.numbers[t.numberCount++] = number;
    } else {
      ++p;
    }
  }
  return t.numberCount > 0 || t.wordCount > 0;
}

// The designator's letters against the first word's first letter, and the
// meridiem of the hours.
[[gnu::always_inline]] inline void Finish(TimeValue& time, bool matched, bool matchedPM) noexcept {
  if (matched) {
    if (matchedPM) {
      if (time.hours < 12) time.hours += 12;
    } else if (time.hours == 12) {
      time.hours = 0;
    }
  }
  if (time.hours < 12 || time.hours == 24) time.meridiem = MeridiemAM;
  else if (time.hours <= 23) time.meridiem = MeridiemPM;
  else time.meridiem = -1;
}

}  // namespace

namespace {

// A value's numbers put in the fields `walk` names, in order, and its first
// word matched against the designator's letters, if `walk` reaches one.
template <typename Walk>
[[gnu::always_inline]] inline TimeValue ReadTimeWith(const char* value, Walk&& walk) noexcept {
  TimeValue time{};
  TimeTokens t;
  if (!ReadTokens(value, t)) {
    time.isBlank = 1;
    return time;
  }
  std::int32_t* const targets[] = {&time.hours, &time.minutes, &time.seconds};
  int next = 0;
  bool matched = false, matchedPM = false;
  walk([&](int field) {
         if (next < t.numberCount) *targets[field] = t.numbers[next++];
       },
       [&](char am, char pm) {
         if (t.wordCount == 0) return;
         const char first = CrtToUpper(*t.words[0]);
         matched = am == first;
         if (pm == first) matched = matchedPM = true;
       });
  Finish(time, matched, matchedPM);
  return time;
}

}  // namespace

TimeValue ReadTimeLenient(const char* value, const char* mask) noexcept {
  return ReadTimeWith(value, [mask](auto field, auto designator) {
    WalkTimeReadMask(mask ? mask : "", field, designator);
  });
}

TimeValue ReadTimePlan(const char* value, const TimeReadPlan& plan) noexcept {
  return ReadTimeWith(value, [&plan](auto field, auto designator) {
    for (int i = 0; i < plan.fields; ++i) field(plan.field[i]);
    if (plan.designator) designator(plan.am, plan.pm);
  });
}

namespace {

// The piece at m; a designator run's texts go into `run`, so that the
// formatter reads the run once.
inline TimeMaskPiece ReadPiece(const char* m, DesignatorRun& run) noexcept {
  const char c = m[0];
  if (c == '\0') return {TimeMaskPiece::kEnd, 0, m, 0};
  if (c == '"') {  // a quote that is never closed runs to the end
    std::size_t n = 1;
    while (m[n] && m[n] != '"') ++n;
    return {TimeMaskPiece::kText, n + (m[n] ? 1 : 0), m + 1, n - 1};
  }
  if (c == '\\') {  // a backslash as the last character ends the mask
    if (!m[1]) return {TimeMaskPiece::kEnd, 1, m, 0};
    return {TimeMaskPiece::kText, 2, m + 1, 1};
  }
  const char lower = static_cast<char>(CrtToLower(c));
  if (lower == 'h' || lower == 'm' || lower == 's') {
    // One letter, or two when the next is the same letter in either case.
    const std::size_t letters = m[1] && CrtToLower(m[1]) == lower ? 2 : 1;
    const auto kind = lower == 'h'   ? TimeMaskPiece::kHours
                      : lower == 'm' ? TimeMaskPiece::kMinutes
                                     : TimeMaskPiece::kSeconds;
    return {kind, letters, m, 0};
  }
  if (IsCharAlphaA(c)) {
    run = ReadDesignatorRun(m);
    return {TimeMaskPiece::kDesignator, run.length, m, 0};
  }
  return {TimeMaskPiece::kText, 1, m, 1};
}

}  // namespace

TimeMaskPiece NextTimeMaskPiece(const char* m) noexcept {
  DesignatorRun run;
  return ReadPiece(m, run);
}

TimeMaskPiece NextTimeMaskPiece(const char* m, DesignatorRun& run) noexcept { return ReadPiece(m, run); }

std::size_t FormatTime(char* dest, std::size_t size, const char* mask, TimeValue& time) noexcept {
  BoundedText out(dest, size);
  const char* m = mask ? mask : "";
  DesignatorRun run;
  for (std::size_t i = 0;;) {
    const TimeMaskPiece piece = ReadPiece(m + i, run);
    switch (piece.kind) {
      case TimeMaskPiece::kEnd: return out.length();
      case TimeMaskPiece::kText:
        for (std::size_t k = 0; k < piece.textLength; ++k) out.Put(piece.text[k]);
        break;
      case TimeMaskPiece::kHours: FormatField(out, m, i, piece.length, time.hours, time, true); break;
      case TimeMaskPiece::kMinutes: FormatField(out, m, i, piece.length, time.minutes, time, false); break;
      case TimeMaskPiece::kSeconds: FormatField(out, m, i, piece.length, time.seconds, time, false); break;
      case TimeMaskPiece::kDesignator: FormatDesignator(out, run, time); break;
    }
    i += piece.length;
  }
}

std::size_t ReformatTime(char* dest, std::size_t size, const char* value, const char* sourceMask,
                         const char* targetMask) noexcept {
  TimeValue time = BlankTime();
  if (value && *value && sourceMask) {
    time = ReadTimeLenient(value, sourceMask);
    if (IsTimeInRange(time)) NormaliseTime(time);
    else time = BlankTime();
  }
  return FormatTime(dest, size, targetMask, time);
}

std::size_t FormatTimePlan(char* dest, std::size_t size, const TimeFormatPlan& plan, TimeValue& time) noexcept {
  BoundedText out(dest, size);
  const auto never = [] { return false; };  // only hours switch clocks
  for (std::size_t i = 0; i < plan.count; ++i) {
    const TimePlanPiece& p = plan.pieces[i];
    switch (p.kind) {
      case TimeMaskPiece::kEnd: break;
      case TimeMaskPiece::kText:
        for (std::size_t k = 0; k < p.length; ++k) out.Put(plan.chars[p.text + k]);
        break;
      case TimeMaskPiece::kHours: PutField(out, p.length, time.hours, time, true, [&p] { return p.pair; }); break;
      case TimeMaskPiece::kMinutes: PutField(out, p.length, time.minutes, time, false, never); break;
      case TimeMaskPiece::kSeconds: PutField(out, p.length, time.seconds, time, false, never); break;
      case TimeMaskPiece::kDesignator:
        if (time.meridiem == MeridiemAM) {
          out.Put(plan.chars + p.text);
        } else if (time.meridiem == MeridiemPM) {
          out.Put(plan.chars + p.pm);
        } else {
          out.Put(kTimePlaceholder, 2);
        }
        break;
    }
  }
  return out.length();
}

std::size_t ReformatTimePlan(char* dest, std::size_t size, const char* value, const TimeReadPlan& source,
                             const TimeFormatPlan& target) noexcept {
  TimeValue time = BlankTime();
  if (value && *value) {
    time = ReadTimePlan(value, source);
    if (IsTimeInRange(time)) NormaliseTime(time);
    else time = BlankTime();
  }
  return FormatTimePlan(dest, size, target, time);
}

}  // namespace zorva
