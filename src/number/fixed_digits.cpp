// Fixed-point digits of a double, rounded the way the C runtime's _fcvt does:
// on the 17-significant-digit decimal form, half up, at the asked place. So
// 1.005 (1.0049999999999999) at 2 places gives "100", not "101".
#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstring>

#include "intl/settings.h"
#include "number/number.h"
#include "number/number_internal.h"
#include "platform/float_text.h"

namespace zorva {
namespace number_detail {

namespace {

constexpr int kSignificant = 17;
constexpr int kMaxDigits = 348;  // the runtime's conversion buffer, less its terminator

}  // namespace

FcvtDigits Fcvt(double magnitude, int places) noexcept {
  FcvtDigits r;
  double v = std::fabs(magnitude);
  if (std::isnan(v)) v = 0;
  if (std::isinf(v)) v = DBL_MAX;
  if (places < 0) places = 0;

  char mantissa[kSignificant];
  int significant = 0;
  int point = 0;  // zero has no digits and its point at 0
  if (v != 0) {
    // "d.dddddddddddddddde+XX": exactly 17 significant digits, correctly rounded.
    char text[40];
    char* end = ScientificText(text, text + sizeof text, v, kSignificant - 1);
    const char* e = std::find(text, end, 'e');
    mantissa[0] = text[0];
    std::memcpy(mantissa + 1, text + 2, kSignificant - 1);
    significant = kSignificant;
    int exponent = 0;
    const char* digits = e + 1;
    if (*digits == '+' || *digits == '-') ++digits;
    std::from_chars(digits, end, exponent);
    point = (e[1] == '-' ? -exponent : exponent) + 1;
  }
  if (point + places > kMaxDigits) places = kMaxDigits - point;

  r.point = point;
  const int wanted = point + places;
  if (wanted < 0) return r;  // all digits fall below the last place: nothing, no rounding

  // digits[0] takes a carry out of the top digit (9.99 -> 10.0).
  const int keep = std::min(wanted, significant);
  r.digits[0] = '0';
  std::memcpy(r.digits + 1, mantissa, static_cast<std::size_t>(keep));
  if (wanted < significant && mantissa[wanted] >= '5') {
    int i = keep;
    while (r.digits[i] == '9') r.digits[i--] = '0';
    ++r.digits[i];
  }
  if (r.digits[0] == '1') {
    ++r.point;
    r.kept = keep + 1;
    r.length = wanted + 1;
  } else {
    std::memmove(r.digits, r.digits + 1, static_cast<std::size_t>(keep));
    r.kept = keep;
    r.length = wanted;
  }
  return r;
}

}  // namespace number_detail

std::size_t FixedDigits(char* dest, std::size_t size, double magnitude, int minIntegerDigits,
                        int places) noexcept {
  using namespace number_detail;
  BoundedText out(dest, size);
  const FcvtDigits d = Fcvt(magnitude, places);
  // Leading zeros pad the integer digits only; a magnitude below 1 has none.
  const int integerDigits = std::clamp(d.point, 0, d.length);
  if (minIntegerDigits > integerDigits) {
    out.Put('0', static_cast<std::size_t>(minIntegerDigits - integerDigits));
  }
  for (int i = 0; i < integerDigits; ++i) out.Put(d.At(i));
  if (d.length > integerDigits) {
    out.Put(Intl().sDecimal);
    if (d.point < 0) out.Put('0', static_cast<std::size_t>(-d.point));
    for (int i = integerDigits; i < d.length; ++i) out.Put(d.At(i));
  }
  return out.length();
}

}  // namespace zorva
