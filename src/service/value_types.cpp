#include "service/value_types.h"

#include <cstring>

#include "intl/settings.h"
#include "intl/string_table.h"

namespace zorva {
namespace {

constexpr EditType kEditTypes[kValueTypeCount] = {
    etText,    etCurrency, etDate,    etTime,        etText,        etByte,
    etInteger, etLong,     etBoolean, etInteger,     etSingle,      etDouble,
    etUnsupported, etUnsupported, etText, etText,   etDateTime,    etUnsupported,
};

// A counter converts as a long integer but is held to the short range.
constexpr int kFirstConversionCodes[kValueTypeCount] = {
    1, 13, 6, 7, 1, 11, 3, 2, 10, 2, 4, 5, 9, 9, 1, 1, 8, 9,
};

}  // namespace

EditType EditTypeOf(std::int32_t valueType) noexcept {
  return valueType >= 0 && valueType < kValueTypeCount ? kEditTypes[valueType] : etUnsupported;
}

int FirstConversionCodeOf(std::int32_t valueType) noexcept {
  return valueType >= 0 && valueType < kValueTypeCount ? kFirstConversionCodes[valueType] : 9;
}

const char* EditTypeLabel(int editType) noexcept {
  static constexpr const char* kLabels[] = {
      "Text", "Currency", "Date", "Time", "Whole Number (+-127)",
      "Whole Number (+-32,767)", "Whole Number (+-2,147,483,647)", "True/False",
      "Decimal (3.4E+-38, 7 digits)", "Decimal (1.7E+-308, 15 digits)",
  };
  return editType >= 0 && editType <= etDouble ? kLabels[editType] : nullptr;
}

void DefaultMaskFor(char* dest, int editType, int size) noexcept {
  if (!dest) return;
  const IntlSettings& s = Intl();
  switch (editType) {
    case etText: std::strcpy(dest, s.sTextMask); break;
    case etCurrency: std::strcpy(dest, s.sCurrencyMask); break;
    case etDate: std::strcpy(dest, s.sShortDate); break;
    case etTime: std::strcpy(dest, s.sTimeMask); break;
    case etByte: LoadString(1301, dest, 64); break;
    case etInteger:
    case etLong: std::strcpy(dest, s.sIntegerMask); break;
    case etBoolean: LoadString(1501, dest, size); break;
    case etSingle:
    case etDouble: std::strcpy(dest, s.sDecimalMask); break;
    default: break;  // no default: date-times, unsupported and unknown codes
  }
}

}  // namespace zorva
