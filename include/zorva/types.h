// Public value types of the masked-edit service.
#pragma once

#include <cstdint>
#include <string_view>

#include "zorva/export.h"

namespace zorva {

// The automation enumeration of value types: tkMEText = 0, tkMECurrency = 1,
// ... tkMETimeStamp = 17, listed in zorva/value_types.def.
enum ZorvaMaskedEditConstants : std::int32_t {
#define ZORVA_VALUE_TYPE(number, c_name, constant, name, description) constant = number,
#include "zorva/value_types.def"
#undef ZORVA_VALUE_TYPE
};

inline constexpr int kValueTypeCount = 0
#define ZORVA_VALUE_TYPE(number, c_name, constant, name, description) +1
#include "zorva/value_types.def"
#undef ZORVA_VALUE_TYPE
    ;

// The short name of a value type ("currency"), or nullptr for a number
// outside 0..17.
ZORVA_API const char* ValueTypeName(std::int32_t valueType) noexcept;
// A value type from its short name ("currency") or its constant name
// ("tkMECurrency"), either in any case, or its number written out ("1");
// -1 when the word names none.
ZORVA_API std::int32_t ValueTypeNamed(std::string_view word) noexcept;

}  // namespace zorva
