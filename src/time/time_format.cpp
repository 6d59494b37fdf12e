#include "time/time_format.h"

#include <cstring>

#include "platform/bounded_text.h"
#include "platform/codepage.h"
#include "time/time_digits.h"

namespace zorva {
namespace {

constexpr int kMaxNumbers = 15;
constexpr int kMaxWords = 7;

// One hours, minutes or seconds token at mask[i]; returns the letters used.
std::size_t FormatField(BoundedText& out, const char* mask, std::size_t i, std::int32_t number,
                        TimeValue& time, bool isHours) noexcept {
  if (number < 0 || time.isBlank) {
    out.Put(kTimePlaceholder);
    return 1;
  }
  if (isHours && HasDesignatorPair(mask + i)) {
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
  char lower = static_cast<char>(CrtToLower(mask[i]));
  if (mask[i + 1] && CrtToLower(mask[i + 1]) == lower) {
    out.Put(digits[0]);
    out.Put(digits[1]);
    return 2;
  }
  if (digits[0] > '0') out.Put(digits[0]);
  out.Put(digits[1]);
  return 1;
}

// A designator run at mask[i]; returns its length.
std::size_t FormatDesignator(BoundedText& out, const char* mask, std::size_t i,
                             const TimeValue& time) noexcept {
  const DesignatorRun run = ReadDesignatorRun(mask + i);
  if (time.meridiem == MeridiemAM) {
    out.Put(run.am);
  } else if (time.meridiem == MeridiemPM) {
    out.Put(run.pm);
  } else {
    out.Put(kTimePlaceholder, 2);
  }
  return run.length;
}

TimeValue BlankTime() noexcept {
  TimeValue time{};
  time.isBlank = 1;
  return time;
}

}  // namespace

TimeValue ReadTimeLenient(const char* value, const char* mask) noexcept {
  TimeValue time{};
  if (!value || !*value) {
    time.isBlank = 1;
    return time;
  }
  std::int32_t numbers[kMaxNumbers];
  const char* words[kMaxWords];
  int numberCount = 0;
  int wordCount = 0;
  for (const char* p = value; *p && numberCount < kMaxNumbers && wordCount < kMaxWords;) {
    if (IsCharAlphaA(*p)) {
      words[wordCount++] = p;
      while (IsCharAlphaA(*p)) ++p;
    } else if (CrtIsDigit(*p)) {
      std::int32_t number = 0;
      while (CrtIsDigit(*p)) number = AppendTimeDigit(number, *p++);
      numbers[numberCount++] = number;
    } else {
      ++p;
    }
  }
  if (numberCount == 0 && wordCount == 0) {
    time.isBlank = 1;
    return time;
  }

  int nextNumber = 0;
  int nextWord = 0;
  bool armed = false;  // a space or underscore was passed: a designator may follow
  bool matched = false;
  bool matchedPM = false;
  const char* m = mask ? mask : "";
  while (*m) {
    char c = *m;
    if (c == ' ' || c == '_') {
      armed = true;
      ++m;
    } else if (c == '"') {
      ++m;
      while (*m && *m != '"') ++m;
      if (*m) ++m;
    } else if (IsLetterOf(c, 'h') || IsLetterOf(c, 'm') || IsLetterOf(c, 's')) {
      char lower = static_cast<char>(c | ('a' - 'A'));
      while (IsLetterOf(*m, lower)) ++m;
      std::int32_t* target = lower == 'h' ? &time.hours : lower == 'm' ? &time.minutes : &time.seconds;
      if (nextNumber < numberCount) *target = numbers[nextNumber++];
    } else if (!armed) {
      ++m;
    } else {
      // Only the first letter of the entered word counts against the mask.
      if (nextWord < wordCount) {
        char first = CrtToUpper(*words[nextWord++]);
        if (CrtToUpper(c) == first) matched = true;
        // The PM letter follows the next "/" from here on (this character included).
        while (*m && *m != '/') ++m;
        if (*m) ++m;
        if (CrtToUpper(*m) == first) matched = matchedPM = true;
      }
      break;
    }
  }

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
  return time;
}

std::size_t FormatTime(char* dest, std::size_t size, const char* mask, TimeValue& time) noexcept {
  BoundedText out(dest, size);
  const char* m = mask ? mask : "";
  std::size_t i = 0;
  while (char c = m[i]) {
    if (c == '"') {
      ++i;
      while (m[i] && m[i] != '"') out.Put(m[i++]);
      if (m[i]) ++i;
    } else if (c == '\\') {
      if (!m[i + 1]) break;
      out.Put(m[i + 1]);
      i += 2;
    } else if (IsLetterOf(c, 'h')) {
      i += FormatField(out, m, i, time.hours, time, true);
    } else if (IsLetterOf(c, 'm')) {
      i += FormatField(out, m, i, time.minutes, time, false);
    } else if (IsLetterOf(c, 's')) {
      i += FormatField(out, m, i, time.seconds, time, false);
    } else if (IsCharAlphaA(c)) {
      i += FormatDesignator(out, m, i, time);
    } else {
      out.Put(c);
      ++i;
    }
  }
  return out.length();
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

}  // namespace zorva
