#include "time/time_mask.h"

#include <cstring>

#include "platform/bounded_text.h"
#include "platform/codepage.h"

namespace zorva {

DesignatorRun ReadDesignatorRun(const char* run) noexcept {
  DesignatorRun d{};
  std::size_t part = 0;
  std::size_t end = 0;
  for (; run[end] && (IsCharAlphaA(run[end]) || run[end] == '/'); ++end) {
    if (run[end] == '/') {
      CopyCut(d.am, run + part, end - part);
      d.pair = true;
      part = end + 1;
    }
  }
  CopyCut(d.pm, run + part, end - part);
  d.length = end;
  return d;
}

void AnalyseTimeMask(const char* mask, TimeLayout& layout, char& separator) noexcept {
  std::memset(&layout, 0, sizeof layout);
  separator = 0;
  if (!mask) return;
  std::int32_t tokens = 0;
  std::size_t i = 0;
  while (char c = mask[i]) {
    if (IsCharAlphaA(c)) {
      std::int32_t* ordinal = nullptr;
      if (IsLetterOf(c, 'h')) ordinal = &layout.hourOrdinal;
      else if (IsLetterOf(c, 'm')) ordinal = &layout.minuteOrdinal;
      else if (IsLetterOf(c, 's')) ordinal = &layout.secondOrdinal;
      if (ordinal) {
        *ordinal = ++tokens;
        // "hh" is one token, "hH" two.
        i += mask[i + 1] == c ? 2 : 1;
      } else {
        const DesignatorRun run = ReadDesignatorRun(mask + i);
        if (run.pair) {  // a run without "/" leaves an earlier AM text standing
          std::memcpy(layout.amText, run.am, sizeof run.am);
          layout.hasDesignatorPair = 1;
        }
        std::memcpy(layout.pmText, run.pm, sizeof run.pm);
        i += run.length;
      }
      // The first token's follower separates the fields of a value.
      if (tokens == 1) separator = mask[i];
    } else if (c == '\\') {
      i += mask[i + 1] ? 2 : 1;
    } else if (c == '"') {
      ++i;
      while (mask[i] && mask[i] != '"') ++i;
      if (mask[i]) ++i;
    } else {
      ++i;
    }
  }
}

bool HasDesignatorPair(const char* position) noexcept {
  if (!position) return false;
  // AnalyseTimeMask's walk over the first 63 characters, looking only for a
  // designator run that holds a "/".
  std::size_t n = 0;
  while (n < 63 && position[n]) ++n;
  const auto at = [position, n](std::size_t k) { return k < n ? position[k] : '\0'; };
  std::size_t i = 0;
  while (char c = at(i)) {
    if (IsCharAlphaA(c)) {
      if (IsLetterOf(c, 'h') || IsLetterOf(c, 'm') || IsLetterOf(c, 's')) {
        i += at(i + 1) == c ? 2 : 1;
      } else {
        for (; at(i) && (IsCharAlphaA(at(i)) || at(i) == '/'); ++i) {
          if (at(i) == '/') return true;
        }
      }
    } else if (c == '\\') {
      i += at(i + 1) ? 2 : 1;
    } else if (c == '"') {
      ++i;
      while (at(i) && at(i) != '"') ++i;
      if (at(i)) ++i;
    } else {
      ++i;
    }
  }
  return false;
}

bool IsTimeInRange(const TimeValue& time) noexcept {
  if (time.isBlank) return true;
  return time.hours >= 0 && time.hours <= 24 && time.minutes >= 0 && time.minutes <= 59 &&
         time.seconds >= 0 && time.seconds <= 59;
}

bool IsMeridiemConsistent(const TimeValue& time) noexcept {
  if (time.isBlank) return true;
  switch (time.meridiem) {
    case MeridiemAM:
      return (time.hours >= 0 && time.hours <= 11) || time.hours == 24;
    case MeridiemPM:
      return time.hours >= 12 && time.hours <= 23;
    default:
      return false;
  }
}

void NormaliseTime(TimeValue& time) noexcept {
  time.isBlank = 0;
  time.meridiem = time.hours >= 12 && time.hours <= 23 ? MeridiemPM : MeridiemAM;
}

}  // namespace zorva
