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

}  // namespace zorva
