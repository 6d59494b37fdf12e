#include "sql_functions.h"

#include <cstring>

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

// The value zero-terminated where it lies, or copied to `copy` when short
// enough; null when neither.
const char* TerminatedValue(std::string_view value, bool terminated, char (&copy)[256]) {
  if (terminated) return value.data();
  if (value.size() >= sizeof copy) return nullptr;
  std::memcpy(copy, value.data(), value.size());
  copy[value.size()] = '\0';
  return copy;
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

bool Prepare(Prepared& prepared, int type, std::string_view mask) noexcept {
  if (mask.size() > sizeof prepared.mask) return false;
  prepared.type = type;
  prepared.maskLength = mask.size();
  std::memcpy(prepared.mask, mask.data(), mask.size());
  prepared.number = PreparedNumber{};
  PrepareNumber(prepared.number, type, mask);
  return true;
}

bool IsValid(const Prepared& prepared, std::string_view value, bool terminated, bool& valid) noexcept {
  char copy[256];
  if (const char* text = TerminatedValue(value, terminated, copy)) {
    if (const int answer = PreparedIsValid(prepared.number, text, value.size()); answer >= 0) {
      valid = answer != 0;
      return true;
    }
  }
  return IsValid(prepared.type, {prepared.mask, prepared.maskLength}, value, valid);
}

bool RawValue(const Prepared& prepared, std::string_view value, bool terminated,
              char (&dest)[kAnswerSize], std::size_t& length) noexcept {
  char copy[256];
  const char* text = TerminatedValue(value, terminated, copy);
  if (!text) return RawValue(prepared.type, {prepared.mask, prepared.maskLength}, value, dest, length);
  return TerminatedRawValue(prepared, {text, value.size()}, dest, length);
}

}  // namespace zorva::sql
