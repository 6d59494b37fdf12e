#include "time/time_mask.h"

#include <cstring>

#include "platform/codepage.h"

namespace zorva {
namespace {

// Copies text[from, to) into a 12-byte designator buffer, cut at 11.
void CopyDesignator(char (&dest)[12], const char* text, std::size_t from, std::size_t to) noexcept {
  std::size_t n = to - from;
  if (n > sizeof dest - 1) n = sizeof dest - 1;
  std::memcpy(dest, text + from, n);
  dest[n] = '\0';
}

bool IsAnyOf(char c, char lower) noexcept { return c == lower || c == lower - ('a' - 'A'); }

}  // namespace

void AnalyseTimeMask(const char* mask, TimeLayout& layout, char& separator) noexcept {
  std::memset(&layout, 0, sizeof layout);
  separator = 0;
  if (!mask) return;
  std::int32_t tokens = 0;
  std::size_t i = 0;
  while (char c = mask[i]) {
    if (IsCharAlphaA(c)) {
      std::int32_t* ordinal = nullptr;
      if (IsAnyOf(c, 'h')) ordinal = &layout.hourOrdinal;
      else if (IsAnyOf(c, 'm')) ordinal = &layout.minuteOrdinal;
      else if (IsAnyOf(c, 's')) ordinal = &layout.secondOrdinal;
      if (ordinal) {
        *ordinal = ++tokens;
        // "hh" is one token, "hH" two.
        i += mask[i + 1] == c ? 2 : 1;
      } else {
        // A designator run: letters and "/", the last "/" parting AM from PM.
        std::size_t part = i;
        for (; mask[i] && (IsCharAlphaA(mask[i]) || mask[i] == '/'); ++i) {
          if (mask[i] == '/') {
            CopyDesignator(layout.amText, mask, part, i);
            layout.hasDesignatorPair = 1;
            part = i + 1;
          }
        }
        CopyDesignator(layout.pmText, mask, part, i);
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
      if (IsAnyOf(c, 'h') || IsAnyOf(c, 'm') || IsAnyOf(c, 's')) {
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
  auto clamp = [](std::int32_t& v) {
    if (v < 0) v = 0;
    if (v > 59) v = 59;
  };
  clamp(time.minutes);
  clamp(time.seconds);
  if (time.hours < 0) {
    time.hours = 0;
    time.meridiem = MeridiemAM;
  } else if (time.hours > 24) {
    time.hours %= 24;
  }
  time.isBlank = 0;
  time.meridiem = time.hours >= 12 && time.hours <= 23 ? MeridiemPM : MeridiemAM;
}

}  // namespace zorva
