// A number as it is typed: its sign and its units (the digits and the
// point, "1234.5"), shown between what the mask puts around a number of
// that sign ("$", "(", ")", "%"...) with the integer digits regrouped and no
// decimals forced; the commit lays it out with the whole mask. Positions
// given and returned are positions in the text shown; an edit keeps the
// caret after the same unit.
//
// Digits go where the caret is, at most 15 before the point and as many
// after it as the mask allows (15 when it allows any number); the mask's
// decimal separator places the point once, where the mask allows decimals;
// the minus sign or a left parenthesis makes the number negative, the plus
// sign positive; everything else (grouping separators, currency symbols) is
// dropped. Deleting removes units; backspace at the start of a negative
// number removes its sign; deleting a selection of the whole text empties
// the field.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "service/answer_size.h"
#include "zorva/masked_edit.h"

namespace zorva {

class NumberField {
 public:
  // Reads what the mask shows around a number of each sign, its grouping and
  // its decimal places. False when the mask shows no digits.
  bool Prepare(std::int32_t valueType, const PreparedMask& mask);
  void Clear() noexcept;
  // As Editor's operations: false when refused, and then nothing changes.
  bool Insert(const char* chars, std::size_t n, std::size_t& start, std::size_t& end) noexcept;
  bool DeleteBackward(std::size_t& start, std::size_t& end) noexcept;
  bool DeleteForward(std::size_t& start, std::size_t& end) noexcept;
  std::string_view Shown() const noexcept { return {shown_, shownLength_}; }

 private:
  static constexpr std::size_t kMaxDigits = 15;
  static constexpr std::size_t kMaxUnits = 2 * kMaxDigits + 1;
  static constexpr std::size_t kMaxFrame = 64;  // what a mask shows around the number

  struct Frame {
    char prefix[kMaxFrame], suffix[kMaxFrame];
    std::size_t prefixLength = 0, suffixLength = 0;
    bool usable = false;
  };

  std::size_t PointAt() const noexcept;  // the point's unit, or count_
  std::size_t UnitOf(std::size_t position) const noexcept;
  std::size_t PositionOf(std::size_t unit) const noexcept;
  void Erase(std::size_t from, std::size_t to) noexcept;
  bool Fits() const noexcept;  // within the digit limits
  // Drops the integer's leading zeros but one; `unit` stays after the same one.
  void TrimZeros(std::size_t& unit) noexcept;
  void Lay(std::size_t unit, std::size_t& start, std::size_t& end) noexcept;

  Frame frames_[2];  // positive, negative
  char decimal_ = '.', thousand_ = ',', minus_ = '-', plus_ = '+', leftParen_ = '(';
  int group_ = 0;   // digits a group, 0 for none
  int places_ = 0;  // decimals allowed
  char units_[kMaxUnits + 1];
  std::size_t count_ = 0;
  bool negative_ = false;
  char shown_[kAnswerBytes];
  std::size_t shownLength_ = 0;
  std::size_t unitAt_[kMaxUnits + 1];  // where each unit is shown
};

}  // namespace zorva
