// A time mask read once for many values: the fields a value's numbers go
// to and its designator's letters, for reading; its pieces with their texts
// copied out, for rendering. Only masks shorter than kTimePlanBytes.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/codepage.h"
#include "time/time_format.h"
#include "time/time_mask.h"

namespace zorva {

inline constexpr std::size_t kTimePlanBytes = 64;
// A value gives at most this many numbers: the fields after them take none.
inline constexpr int kTimeValueNumbers = 15;

struct TimeReadPlan {
  std::uint8_t fields;                  // numbers taken, in order, before the designator
  std::uint8_t field[kTimeValueNumbers];  // 0 hours, 1 minutes, 2 seconds
  bool designator;                      // the walk ends at a designator letter
  char am, pm;                          // it upper-cased, and the letter after its next "/"
};

struct TimePlanPiece {
  TimeMaskPiece::Kind kind;
  std::uint8_t length;      // a field's letters; kText: its characters
  bool pair;                // hours: a designator with a "/" follows
  std::uint16_t text, pm;   // kText: its characters; kDesignator: its zero-terminated AM and PM texts
};

struct TimeFormatPlan {
  std::size_t count;
  TimePlanPiece pieces[kTimePlanBytes];
  char chars[3 * kTimePlanBytes];
};

// The lenient reader's walk of a mask: field(0, 1 or 2) for each hours,
// minutes or seconds token in order, up to a designator (a letter after a
// space or underscore); designator(am, pm) with that letter and the one
// after its next "/", upper-cased, ends the walk.
template <typename Field, typename Designator>
[[gnu::always_inline]] inline void WalkTimeReadMask(const char* m, Field&& field, Designator&& designator) noexcept {
  bool armed = false;
  while (*m) {
    const char c = *m;
    if (c == ' ' || c == '_') {
      armed = true;
      ++m;
    } else if (c == '"') {
      ++m;
      while (*m && *m != '"') ++m;
      if (*m) ++m;
    } else if (IsLetterOf(c, 'h') || IsLetterOf(c, 'm') || IsLetterOf(c, 's')) {
      const char lower = static_cast<char>(c | ('a' - 'A'));
      while (IsLetterOf(*m, lower)) ++m;
      field(lower == 'h' ? 0 : lower == 'm' ? 1 : 2);
    } else if (!armed) {
      ++m;
    } else {
      const char am = CrtToUpper(c);
      while (*m && *m != '/') ++m;
      if (*m) ++m;
      designator(am, CrtToUpper(*m));
      return;
    }
  }
}

// A read plan is made of any mask (false for none); a format plan only of
// one shorter than kTimePlanBytes (false, the plan unusable, otherwise).
bool ReadTimeReadPlan(const char* mask, TimeReadPlan& plan) noexcept;
bool ReadTimeFormatPlan(const char* mask, TimeFormatPlan& plan) noexcept;

// ReadTimeLenient, FormatTime and ReformatTime under plans.
TimeValue ReadTimePlan(const char* value, const TimeReadPlan& plan) noexcept;
std::size_t FormatTimePlan(char* dest, std::size_t size, const TimeFormatPlan& plan, TimeValue& time) noexcept;
std::size_t ReformatTimePlan(char* dest, std::size_t size, const char* value, const TimeReadPlan& source,
                             const TimeFormatPlan& target) noexcept;

}  // namespace zorva
