// Public value types of the masked-edit service.
#pragma once

#include <cstdint>

namespace zorva {

// The automation enumeration of value types.
enum ZorvaMaskedEditConstants : std::int32_t {
  tkMEText = 0,
  tkMECurrency = 1,
  tkMEDate = 2,
  tkMETime = 3,
  tkMEMemo = 4,
  tkMEByte = 5,
  tkMEShortInt = 6,
  tkMELongInt = 7,
  tkMEBoolean = 8,
  tkMECounter = 9,
  tkMEFloat = 10,
  tkMEDouble = 11,
  tkMEOleObject = 12,
  tkMEBinary = 13,
  tkMEURL = 14,
  tkMEImage = 15,
  tkMEDateTime = 16,
  tkMETimeStamp = 17,
};

inline constexpr int kValueTypeCount = 18;

}  // namespace zorva
