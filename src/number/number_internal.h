// Pieces shared by the number files; not part of the engine's interface.
#pragma once

#include <cstddef>

#include "intl/settings.h"
#include "number/number.h"

namespace zorva::number_detail {

// Digits are "0" to "9" only: superscripts and other code-page digits are not.
inline bool IsDigit(char c) noexcept { return c >= '0' && c <= '9'; }

// Appends to a caller's buffer, cutting at size - 1. The text is terminated
// when the writer goes out of scope, not after every character: read it as
// a string only after that.
class BoundedText {
 public:
  BoundedText(char* dest, std::size_t size) noexcept : dest_(dest), size_(size) {}
  ~BoundedText() {
    if (size_ > 0) dest_[length_] = '\0';
  }
  BoundedText(const BoundedText&) = delete;
  BoundedText& operator=(const BoundedText&) = delete;
  void Put(char c) noexcept {
    if (length_ + 1 < size_) dest_[length_++] = c;
  }
  void Put(char c, std::size_t count) noexcept {
    for (std::size_t i = 0; i < count && length_ + 1 < size_; ++i) Put(c);
  }
  char* data() noexcept { return dest_; }
  std::size_t length() const noexcept { return length_; }

 private:
  char* dest_;
  std::size_t size_;
  std::size_t length_ = 0;
};

// The digit string of a magnitude rounded at some places, as _fcvt makes it:
// `length` digits with the decimal point after `point` of them (point <= 0:
// below 1). Only the leading `kept` digits are stored; the rest are "0".
struct FcvtDigits {
  char digits[20];
  int kept = 0;
  int length = 0;
  int point = 0;
  char At(int i) const noexcept { return i < kept ? digits[i] : '0'; }
};

// The first `count` (1..17) significant digits of |v| (finite, not zero),
// correctly rounded with ties to even as printf's "%e" rounds, and the
// decimal exponent of the first digit.
void SignificantDigits(double v, int count, char* digits, int& exponent) noexcept;

// NaN reads as 0 and infinity as the largest double, so rendering stays total.
FcvtDigits Fcvt(double magnitude, int places) noexcept;

// A format section without copying it: an optional lead character (the sign
// put in front, or the first character of a negative section whose following
// spaces were dropped) followed by a slice of the caller's format.
struct FormatView {
  char lead = 0;
  const char* body = "";
  std::size_t bodyLength = 0;

  std::size_t size() const noexcept { return (lead ? 1 : 0) + bodyLength; }
  char operator[](std::size_t i) const noexcept {
    if (lead) {
      if (i == 0) return lead;
      --i;
    }
    return body[i];
  }
};

FormatView SectionOf(const char* format, int negative) noexcept;
FormatView SectionOf(const char* format, int negative, const IntlSettings& s) noexcept;

// NegativeMarkerOf and AllowedDecimals for a format whose first ";" (or
// null) and first section's end are already found.
char NegativeMarkerOf(const char* format, const char* semicolon, const IntlSettings& s) noexcept;
int AllowedDecimals(const char* format, const char* firstEnd, char decimalSep) noexcept;

// ParseFraction with the format's allowed decimals already known.
int ParseFraction(const char*& position, int allowed, NumberParts& parts) noexcept;

}  // namespace zorva::number_detail
