#include "sql_functions.h"

#include "platform/unicode.h"
#include "service/variant_text.h"
#include "zorva/masked_edit.h"

namespace zorva::sql {
namespace {

std::size_t RawTextOf(int type, const VARIANT& value, char (&dest)[kAnswerSize]) noexcept {
  SVariant holder;
  VariantToRawText(value, type, holder);  // never fails for a scalar
  const char* text = holder.DataPtr(0);
  dest[0] = '\0';
  return text ? AnsiToUtf8(text, holder.TextLength(), dest, kAnswerSize) : 0;
}

VARIANT Scalar(VARTYPE vt) noexcept {
  VARIANT v;
  VariantInit(&v);
  v.vt = vt;
  return v;
}

}  // namespace

int ValueTypeNumbered(long long number) noexcept {
  return number >= 0 && number < kValueTypeCount ? static_cast<int>(number) : -1;
}

std::size_t RawTextOfInteger(int type, std::int64_t value, char (&dest)[kAnswerSize]) noexcept {
  VARIANT v = Scalar(VT_I8);
  v.llVal = value;
  return RawTextOf(type, v, dest);
}

std::size_t RawTextOfReal(int type, double value, char (&dest)[kAnswerSize]) noexcept {
  VARIANT v = Scalar(VT_R8);
  v.dblVal = value;
  return RawTextOf(type, v, dest);
}

std::size_t RawTextOfDate(int type, double days, char (&dest)[kAnswerSize]) noexcept {
  VARIANT v = Scalar(VT_DATE);
  v.date = days;
  return RawTextOf(type, v, dest);
}

bool IsValid(int type, std::string_view mask, std::string_view value, bool& valid) noexcept {
  try {
    valid = IsValidUtf8(type, mask, value);
    return true;
  } catch (...) {
    return false;
  }
}

bool RawValue(int type, std::string_view mask, std::string_view value, char (&dest)[kAnswerSize],
              std::size_t& length) noexcept {
  try {
    length = GetRawValueUtf8(type, mask, value, dest, kAnswerSize);
    return true;
  } catch (...) {
    return false;
  }
}

bool FormattedValue(int type, std::string_view mask, std::string_view value,
                    char (&dest)[kAnswerSize], std::size_t& length) noexcept {
  try {
    length = GetFormattedValueUtf8(type, mask, value, dest, kAnswerSize);
    return true;
  } catch (...) {
    return false;
  }
}

}  // namespace zorva::sql
