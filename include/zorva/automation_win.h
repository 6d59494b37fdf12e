// On Windows the service speaks the system's own automation types: the names
// of the portable stand-ins are brought into namespace zorva from the headers
// of OLE Automation, so every source compiles unchanged.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <oleauto.h>

// The string table's LoadString lives in namespace zorva; the system's
// character-set macro of that name would rename it in some sources only.
#undef LoadString

namespace zorva {

using ::BYTE;
using ::CHAR;
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
using BSTR = ::BSTR;
using CY = ::CY;

static_assert(sizeof(OLECHAR) == sizeof(char16_t), "BSTR characters are UTF-16 code units");
inline const char16_t* AsUtf16(const OLECHAR* text) noexcept {
  return reinterpret_cast<const char16_t*>(text);
}
inline const OLECHAR* AsOleChars(const char16_t* text) noexcept {
  return reinterpret_cast<const OLECHAR*>(text);
}

}  // namespace zorva
