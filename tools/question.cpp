#include "question.h"

#include <cstring>

#include "intl/settings.h"
#include "service/value_types.h"
#include "zorva/masked_edit.h"

namespace zmask {
namespace {

// The mask of the type's raw form, against which format checks its input;
// empty where any text is a raw value.
std::string RawMaskOf(int type) {
  using namespace zorva;
  const IntlSettings& s = Intl();
  switch (EditTypeOf(type)) {
    case etCurrency: return s.sRawCurrencyFormat;
    case etDate: return s.sRawDateMask;
    case etTime: return s.sRawTimeMask;
    case etByte: case etInteger: case etLong: return s.sRawWholeFormat;
    case etBoolean: return s.sRawBooleanMask;
    case etSingle: case etDouble: return s.sRawDecimalFormat;
    case etDateTime: return std::string(s.sRawDateMask) + ' ' + s.sRawTimeMask;
    default: return "";
  }
}

}  // namespace

Op ParseOp(std::string_view word) {
  if (word == "check") return Op::kCheck;
  if (word == "raw") return Op::kRaw;
  if (word == "format") return Op::kFormat;
  return Op::kNone;
}

int ParseType(std::string_view word) { return zorva::ValueTypeNamed(word); }

const char* TypeName(int type) {
  const char* name = zorva::ValueTypeName(type);
  return name ? name : "unknown";
}

Question::Question(Op op, int type, std::string mask)
    : op_(op),
      type_(type),
      mask_(type, mask),
      rawMask_(type, RawMaskOf(type)),
      hasRawMask_(!RawMaskOf(type).empty()) {}

bool Question::Ask(std::string_view value, std::string& out, bool wantValidity) const {
  char buf[kAnswerBytes];
  std::size_t length = 0;
  const bool valid = Ask(value, buf, length, wantValidity);
  out.assign(buf, length);
  return valid;
}

}  // namespace zmask
