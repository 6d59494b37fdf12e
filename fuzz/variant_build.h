// An automation value of any kind, built from fuzz bytes: every scalar tag,
// strings, null objects, by-reference forms and unknown tags.
#pragma once

#include <algorithm>
#include <cstring>

#include "fuzz_input.h"
#include "zorva/automation.h"

namespace zorva::fuzz {

class FuzzVariant {
 public:
  // `tag` picks the kind (low 6 bits) and how it is held (by value, by
  // reference, through a variant); `payload` fills the value (16 bytes used).
  FuzzVariant(std::uint8_t tag, std::string_view payload, BSTR text) {
    std::memset(&v_, 0, sizeof v_);
    std::memset(&inner_, 0, sizeof inner_);
    static constexpr VARTYPE kTags[] = {
        VT_EMPTY, VT_NULL, VT_I2,    VT_I4,   VT_R4,      VT_R8,      VT_CY,     VT_DATE,
        VT_BSTR,  VT_BOOL, VT_DECIMAL, VT_I1, VT_UI1,     VT_UI2,     VT_UI4,    VT_I8,
        VT_UI8,   VT_INT,  VT_UINT,  VT_ERROR, VT_DISPATCH, VT_UNKNOWN, VT_RECORD,
        static_cast<VARTYPE>(VT_ARRAY | VT_I4), 0x7F};
    const VARTYPE vt = kTags[(tag & 0x3F) % (sizeof kTags / sizeof kTags[0])];
    if (vt == VT_DECIMAL) {
      std::memcpy(&inner_.decVal, payload.data(), std::min<std::size_t>(payload.size(), 16));
      inner_.decVal.wReserved = VT_DECIMAL;  // the tag overlays it
    } else {
      inner_.vt = vt;
      // Objects, records and arrays stay null: only their tags are fuzzed.
      const bool pointer = vt == VT_DISPATCH || vt == VT_UNKNOWN || vt == VT_RECORD ||
                           vt == static_cast<VARTYPE>(VT_ARRAY | VT_I4);
      if (!pointer) std::memcpy(&inner_.llVal, payload.data(), std::min<std::size_t>(payload.size(), 8));
      if (vt == VT_BSTR) inner_.bstrVal = text;
    }
    if (tag & 0x80) {  // by reference, through a variant
      v_.vt = static_cast<VARTYPE>(VT_VARIANT | VT_BYREF);
      v_.pvarVal = &inner_;
    } else if (tag & 0x40 && vt != VT_RECORD) {  // by reference to the value itself
      v_.vt = static_cast<VARTYPE>(vt | VT_BYREF);
      v_.byref = vt == VT_DECIMAL ? static_cast<void*>(&inner_.decVal) : &inner_.llVal;
      if (vt == VT_DECIMAL) inner_.decVal.wReserved = 0;
    } else {
      v_ = inner_;
    }
  }
  bool IsString() const { return v_.vt == VT_BSTR; }
  const VARIANT& get() const { return v_; }

 private:
  VARIANT v_, inner_;
};

}  // namespace zorva::fuzz
