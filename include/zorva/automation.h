// The value service for automation callers: the three questions with
// automation strings and values, as an automation host asks them. Opt-in:
// zorva/masked_edit.h does not include it.
//
//   IsValid            is this entered text valid?            (-1 yes, 0 no)
//   GetRawValue        what raw value is behind this text?
//   GetFormattedValue  how does this raw value look under the mask?
//
// Strings are BSTRs (UTF-16; a null BSTR is an empty string). Answers are new
// BSTRs that the caller frees with SysFreeString; an empty answer is an empty
// string, never null. The answers are those of the UTF-8 functions of
// zorva/masked_edit.h, whose comment tells the bounds.
//
// On Windows the types are the system's own (<oleauto.h>); elsewhere they are
// portable stand-ins of the same names and layout (zorva/automation_types.h),
// with SysAllocString, SysFreeString, VariantClear and the like. Either way
// the names live in namespace zorva.
#pragma once

#include <cstdint>

#include "zorva/export.h"
#include "zorva/types.h"

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <oleauto.h>

namespace zorva {

using ::BSTR;
using ::BYTE;
using ::CHAR;
using ::CY;
using ::DATE;
using ::DECIMAL;
using ::DISPID;
using ::DISPPARAMS;
using ::DOUBLE;
using ::DWORD;
using ::EXCEPINFO;
using ::FLOAT;
using ::GUID;
using ::HRESULT;
using ::IDispatch;
using ::IID;
using ::INT;
using ::ITypeInfo;
using ::IUnknown;
using ::LCID;
using ::LONG;
using ::LONGLONG;
using ::LPCOLESTR;
using ::LPOLESTR;
using ::OLECHAR;
using ::SAFEARRAY;
using ::SCODE;
using ::SHORT;
using ::SysAllocString;
using ::SysAllocStringLen;
using ::SysFreeString;
using ::SysStringByteLen;
using ::SysStringLen;
using ::UINT;
using ::ULONG;
using ::ULONGLONG;
using ::USHORT;
using ::VARIANT;
using ::VARIANT_BOOL;
using ::VARIANTARG;
using ::VariantClear;
using ::VariantInit;
using ::VARTYPE;
using ::WORD;

static_assert(sizeof(OLECHAR) == sizeof(char16_t), "BSTR characters are UTF-16 code units");
// The characters of an automation string as UTF-16 code units.
inline const char16_t* AsUtf16(const OLECHAR* text) noexcept {
  return reinterpret_cast<const char16_t*>(text);
}
inline const OLECHAR* AsOleChars(const char16_t* text) noexcept {
  return reinterpret_cast<const OLECHAR*>(text);
}

}  // namespace zorva
#else
#include "zorva/automation_types.h"
#endif

namespace zorva {

// A number written with a signed exponent ("1.5E+3") is never valid, for any
// number type; GetRawValue still reads it ("1500"), scaling by the double
// nearest 10^k on every platform ("1E+23" gives "99999999999999992000000.").
ZORVA_API HRESULT IsValid(std::int32_t valueType, BSTR mask, BSTR value, LONG* retVal) noexcept;
ZORVA_API HRESULT GetRawValue(std::int32_t valueType, BSTR mask, BSTR value, BSTR* retVal) noexcept;
// The value is any automation value: it is first turned into the raw text of
// the type (a string is its own raw text). An object's default property is
// read, also for an object passed by reference; when that fails its HRESULT
// is returned and *retVal is left as it was.
ZORVA_API HRESULT GetFormattedValue(std::int32_t valueType, BSTR mask, const VARIANT& value,
                                    BSTR* retVal) noexcept;

}  // namespace zorva
