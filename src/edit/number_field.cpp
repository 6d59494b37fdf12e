#include "edit/number_field.h"

#include <cstring>

#include "intl/settings.h"
#include "number/number.h"
#include "platform/unicode.h"
#include "service/default_mask.h"
#include "service/prepared_mask.h"

namespace zorva {
namespace {

constexpr std::string_view kDigits = "0123456789";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool NumberField::Prepare(std::int32_t valueType, const PreparedMask& mask) {
  const IntlSettings& s = Intl();
  // The separators and signs the service reads and writes numbers with.
  decimal_ = s.sDecimal;
  thousand_ = s.sMonThousandSep;
  minus_ = s.sNegativeSign;
  plus_ = s.sPositiveSign;
  leftParen_ = s.sLeftParen;
  char ansi[kAnswerBytes];
  // What the service shows for a raw value: the frames and the grouping are
  // read from its own answers, not from a second reading of the mask.
  auto shown = [&](std::string_view raw) {
    char utf8[kUtf8AnswerBytes];
    const std::size_t n = GetFormattedValueUtf8(mask, raw, utf8, sizeof utf8);
    return std::string_view(ansi, Utf8ToAnsi(utf8, n, ansi, sizeof ansi));
  };
  for (int negative = 0; negative < 2; ++negative) {
    const std::string_view t = shown(negative ? "-1" : "1");
    const std::size_t first = t.find_first_of(kDigits);
    std::size_t last = t.find_last_of(kDigits);
    if (last != t.npos && last + 1 < t.size() && t[last + 1] == decimal_) ++last;  // "1." is the number's
    // A mask that shows more than an answer holds cuts the number off.
    if (first == t.npos || first >= kMaxFrame || t.size() - last - 1 >= kMaxFrame || t.size() >= kAnswerChars) {
      continue;
    }
    Frame& f = frames_[negative];
    f.prefixLength = first;
    f.suffixLength = t.size() - last - 1;
    std::memcpy(f.prefix, t.data(), f.prefixLength);
    std::memcpy(f.suffix, t.data() + last + 1, f.suffixLength);
    f.usable = true;
  }
  const std::string_view t = shown("1234567");
  group_ = 0;
  bool grouped = false;
  for (std::size_t i = t.find_first_of(kDigits); i < t.size() && (IsDigit(t[i]) || t[i] == thousand_); ++i) {
    if (t[i] == thousand_) {
      grouped = true;
      group_ = 0;
    } else {
      ++group_;
    }
  }
  if (!grouped) group_ = 0;
  places_ = AllowedDecimals(EffectiveMask(EditTypeOf(valueType), mask.state().text.c_str(), s), decimal_);
  Clear();
  return frames_[0].usable;
}

void NumberField::Clear() noexcept {
  count_ = 0;
  negative_ = false;
  shownLength_ = 0;
  shown_[0] = '\0';
}

std::size_t NumberField::PointAt() const noexcept {
  const void* point = std::memchr(units_, '.', count_);
  return point ? static_cast<const char*>(point) - units_ : count_;
}

std::size_t NumberField::UnitOf(std::size_t position) const noexcept {
  std::size_t unit = 0;
  while (unit < count_ && unitAt_[unit] < position) ++unit;
  return unit;
}

std::size_t NumberField::PositionOf(std::size_t unit) const noexcept {
  if (unit > 0) return unitAt_[unit - 1] + 1;
  if (count_ > 0) return unitAt_[0];
  return shownLength_ ? frames_[negative_].prefixLength : 0;
}

void NumberField::Erase(std::size_t from, std::size_t to) noexcept {
  std::memmove(units_ + from, units_ + to, count_ - to);
  count_ -= to - from;
}

bool NumberField::Fits() const noexcept {
  const std::size_t point = PointAt();
  const std::size_t places = places_ < 0 ? kMaxDigits : static_cast<std::size_t>(places_);
  return point <= kMaxDigits && (point == count_ || count_ - point - 1 <= places);
}

// Shows the number and places the caret after `unit`.
void NumberField::TrimZeros(std::size_t& unit) noexcept {
  while (PointAt() >= 2 && units_[0] == '0') {
    Erase(0, 1);
    if (unit > 0) --unit;
  }
}

void NumberField::Lay(std::size_t unit, std::size_t& start, std::size_t& end) noexcept {
  TrimZeros(unit);
  std::size_t n = 0;
  if (count_ > 0 || negative_) {
    const Frame& f = frames_[negative_];
    std::memcpy(shown_, f.prefix, f.prefixLength);
    n = f.prefixLength;
    const std::size_t point = PointAt();
    for (std::size_t i = 0; i < count_; ++i) {
      if (i < point && group_ > 0 && i > 0 && (point - i) % group_ == 0) shown_[n++] = thousand_;
      unitAt_[i] = n;
      shown_[n++] = i == point ? decimal_ : units_[i];
    }
    std::memcpy(shown_ + n, f.suffix, f.suffixLength);
    n += f.suffixLength;
  }
  shown_[n] = '\0';
  shownLength_ = n;
  start = end = PositionOf(unit);
}

bool NumberField::Insert(const char* chars, std::size_t n, std::size_t& start, std::size_t& end) noexcept {
  char saved[kMaxUnits];
  const std::size_t savedCount = count_;
  const bool savedNegative = negative_;
  std::memcpy(saved, units_, count_);
  std::size_t at = UnitOf(start);
  Erase(at, UnitOf(end));
  bool taken = false;
  for (std::size_t i = 0; i < n; ++i) {
    const char c = chars[i];
    const bool point = c == decimal_ && places_ != 0 && PointAt() == count_;
    if ((IsDigit(c) || point) && count_ < kMaxUnits) {
      std::memmove(units_ + at + 1, units_ + at, count_ - at);
      units_[at] = point ? '.' : c;
      ++count_;
      if (!Fits()) {  // too many digits on its side of the point
        Erase(at, at + 1);
        continue;
      }
      ++at;
      TrimZeros(at);  // so that they count for no digit
      taken = true;
    } else if ((c == minus_ || c == leftParen_) && frames_[1].usable && !negative_) {
      negative_ = taken = true;
    } else if (c == plus_ && negative_) {
      negative_ = false;
      taken = true;
    }
  }
  if (!taken) {
    std::memcpy(units_, saved, savedCount);
    count_ = savedCount;
    negative_ = savedNegative;
    return false;
  }
  Lay(at, start, end);
  return true;
}

bool NumberField::DeleteBackward(std::size_t& start, std::size_t& end) noexcept {
  const std::size_t a = UnitOf(start), b = UnitOf(end);
  if (a < b) {
    char saved[kMaxUnits];
    const std::size_t savedCount = count_;
    std::memcpy(saved, units_, count_);
    Erase(a, b);
    if (!Fits()) {  // the point taken out of a selection: the digits would not fit joined
      std::memcpy(units_, saved, savedCount);
      count_ = savedCount;
      return false;
    }
    if (start == 0 && end >= shownLength_) negative_ = false;  // the whole text
  } else if (a > 0) {
    if (units_[a - 1] == '.' && PointAt() + (count_ - a) > kMaxDigits) return false;  // would not fit joined
    Erase(a - 1, a);
    Lay(a - 1, start, end);
    return true;
  } else if (negative_ && start > 0) {
    negative_ = false;  // the sign before the caret
  } else {
    return false;
  }
  Lay(a, start, end);
  return true;
}

bool NumberField::DeleteForward(std::size_t& start, std::size_t& end) noexcept {
  const std::size_t a = UnitOf(start), b = UnitOf(end);
  if (a < b) return DeleteBackward(start, end);
  if (a == count_) return false;
  if (units_[a] == '.' && count_ - 1 > kMaxDigits) return false;  // would not fit joined
  Erase(a, a + 1);
  Lay(a, start, end);
  return true;
}

}  // namespace zorva
