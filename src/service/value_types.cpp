#include "service/value_types.h"

#include <cstring>

#include "intl/settings.h"
#include "intl/string_table.h"

namespace zorva {
namespace {

struct Traits {
  EditType editType;
  Conversion first;
};

// What the service makes of each value type. No default: a type added to
// value_types.def and not here does not compile.
constexpr Traits TraitsOf(ZorvaMaskedEditConstants type) {
  switch (type) {
    case tkMEText: case tkMEMemo: case tkMEURL: case tkMEImage: return {etText, kToText};
    case tkMECurrency: return {etCurrency, kToCurrency};
    case tkMEDate: return {etDate, kToDate};
    case tkMETime: return {etTime, kToTime};
    case tkMEByte: return {etByte, kToByte};
    case tkMEShortInt: return {etInteger, kToShort};
    // A counter converts as a long integer but is held to the short range.
    case tkMECounter: return {etInteger, kToLong};
    case tkMELongInt: return {etLong, kToLong};
    case tkMEBoolean: return {etBoolean, kToBoolean};
    case tkMEFloat: return {etSingle, kToFloat};
    case tkMEDouble: return {etDouble, kToDouble};
    case tkMEDateTime: return {etDateTime, kToDateTime};
    case tkMEOleObject: case tkMEBinary: case tkMETimeStamp: return {etUnsupported, kToBinary};
  }
  return {etUnsupported, kToBinary};
}

constexpr Traits kTraits[] = {
#define ZORVA_VALUE_TYPE(number, c_name, constant, name, description) TraitsOf(constant),
#include "zorva/value_types.def"
#undef ZORVA_VALUE_TYPE
};

bool Listed(std::int32_t valueType) { return valueType >= 0 && valueType < kValueTypeCount; }

}  // namespace

EditType EditTypeOf(std::int32_t valueType) noexcept {
  return Listed(valueType) ? kTraits[valueType].editType : etUnsupported;
}

int FirstConversionCodeOf(std::int32_t valueType) noexcept {
  return Listed(valueType) ? kTraits[valueType].first : kToBinary;
}

}  // namespace zorva
