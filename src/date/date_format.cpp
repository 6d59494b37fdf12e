#include "date/date_format.h"

#include <cstring>

#include "date/date_mask.h"
#include "date/date_parse.h"
#include "date/int_text.h"
#include "intl/settings.h"
#include "intl/string_table.h"

namespace zorva {
namespace {

// Appends to a bounded, always terminated text; what does not fit is dropped.
class Output {
 public:
  // The text is terminated when the writer goes out of scope, not after
  // every character.
  Output(char* dest, std::size_t size) noexcept : dest_(dest), size_(size) {}
  ~Output() {
    if (size_ > 0) dest_[length_] = '\0';
  }
  Output(const Output&) = delete;
  Output& operator=(const Output&) = delete;
  bool Full() const noexcept { return size_ == 0 || length_ + 1 >= size_; }
  void Put(char c) noexcept {
    if (Full()) return;
    dest_[length_++] = c;
  }
  void Put(const char* text) noexcept {
    while (*text != '\0' && !Full()) Put(*text++);
  }
  void Repeat(char c, int count) noexcept {
    for (int i = 0; i < count; ++i) Put(c);
  }
  void Number(std::int32_t value, int width) noexcept {
    if (value >= 0 && value < 10000) {
      // The usual day, month or year: FormatPaddedInt's text without its call.
      char digits[4];
      const int count = value >= 1000 ? 4 : value >= 100 ? 3 : value >= 10 ? 2 : 1;
      for (int i = count - 1; i >= 0; --i) {
        digits[i] = static_cast<char>('0' + value % 10);
        value /= 10;
      }
      Repeat('0', width - count);
      for (int i = 0; i < count; ++i) Put(digits[i]);
      return;
    }
    char digits[16];
    FormatPaddedInt(digits, sizeof digits, value, width);
    Put(digits);
  }
  void String(unsigned id) noexcept {
    char text[256];
    LoadString(id, text, sizeof text);
    Put(text);
  }

 private:
  char* dest_;
  std::size_t size_;
  std::size_t length_ = 0;
};

bool Usable(const DateParts& date, std::int32_t part) noexcept {
  return date.empty == 0 && part >= 0;
}

void PutDay(Output& out, std::size_t length, const DateParts& date, int& weekday) noexcept {
  if (!Usable(date, date.day)) {
    out.Repeat('_', length == 1 ? 1 : length == 3 ? 3 : length == 4 ? 4 : 2);
    return;
  }
  if (length == 3 || length == 4) {
    if (weekday < 0) weekday = WeekdayOf(date);  // the same for every name run
    const StringId names = length == 3 ? kShortWeekdayNamesId : kFullWeekdayNamesId;
    out.String(names + static_cast<unsigned>(weekday));
  } else {
    out.Number(date.day, length == 1 ? 1 : 2);
  }
}

void PutMonth(Output& out, std::size_t length, const DateParts& date) noexcept {
  if (length == 3 || length == 4) {
    // A full-name placeholder is three underscores too.
    if (Usable(date, date.month) && date.month >= 1 && date.month <= 12) {
      const StringId names = length == 3 ? kShortMonthNamesId : kFullMonthNamesId;
      out.String(names + static_cast<unsigned>(date.month - 1));
    } else {
      out.Repeat('_', 3);
    }
  } else if (!Usable(date, date.month)) {
    out.Repeat('_', length == 1 ? 1 : 2);
  } else {
    out.Number(date.month, length == 1 ? 0 : 2);
  }
}

void PutYear(Output& out, std::size_t length, const DateParts& date) noexcept {
  if (!Usable(date, date.year)) {
    out.Repeat('_', length == 4 ? 4 : 2);
  } else if (length == 4) {
    out.Number(date.year, 4);
  } else {
    out.Number(date.year % 100, 2);
  }
}

// The mask to use when the caller gives none.
const char* MaskOrDefault(const char* mask) noexcept {
  return mask && *mask != '\0' ? mask : Intl().sShortDate;
}

void FormatDateWith(char* dest, std::size_t size, const char* mask, const DateParts& date,
                    const DateTokenLetters& letters) noexcept {
  if (!dest || size == 0) return;
  Output out(dest, size);
  if (!mask) return;
  int weekday = -1;  // computed on first use
  for (const char* m = mask; *m != '\0' && !out.Full();) {
    const DatePart part = DatePartOf(letters, *m);
    if (part == kNoDatePart) {
      out.Put(*m++);  // a literal, letters included
      continue;
    }
    const std::size_t length = RunLength(m);
    m += length;
    if (part == kDayPart) {
      PutDay(out, length, date, weekday);
    } else if (part == kMonthPart) {
      PutMonth(out, length, date);
    } else {
      PutYear(out, length, date);
    }
  }
}

DateTokenLetters LettersOf(const IntlSettings& s) noexcept {
  DateTokenLetters letters{};
  std::memcpy(letters.letters, s.sDateLetters, sizeof letters.letters);
  return letters;
}

}  // namespace

void FormatDate(char* dest, std::size_t size, const char* mask, const DateParts& date) noexcept {
  FormatDateWith(dest, size, mask, date, LoadDateTokenLetters());
}

void ConvertDate(char* dest, std::size_t size, const char* value, const char* sourceMask,
                 const char* targetMask) noexcept {
  // The settings block is asked once for both halves.
  const IntlSettings& s = Intl();
  DateParts date{-2, -2, -2, 1};
  if (value && *value != '\0' && sourceMask) ParseDate(value, sourceMask, date, true, s);
  FormatDateWith(dest, size, targetMask, date, LettersOf(s));
}

void MakeDateRawValue(char* dest, std::size_t size, const char* value, const char* mask) noexcept {
  if (!dest || size == 0) return;
  dest[0] = '\0';
  const IntlSettings& s = Intl();
  DateParts date;
  ParseDate(value, mask && *mask != '\0' ? mask : s.sShortDate, date, false, s);
  if (date.empty) return;  // no date: the raw value is empty
  FormatDateWith(dest, size, s.sRawDateMask, date, LettersOf(s));
}

void MakeDateFormattedValue(char* dest, std::size_t size, const char* value,
                            const char* mask) noexcept {
  ConvertDate(dest, size, value, Intl().sRawDateMask, MaskOrDefault(mask));
}

}  // namespace zorva
