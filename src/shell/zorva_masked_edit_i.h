// The automation interface as C++ sees it (early binding): slot order and
// parameters as in the type library.
#pragma once

#include <oaidl.h>

#include "shell/ids.h"

struct IZorvaMaskedEdit : public IDispatch {
  virtual HRESULT STDMETHODCALLTYPE IsValid(int valueType, BSTR mask, BSTR value, LONG* retVal) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetRawValue(int valueType, BSTR mask, BSTR value,
                                                BSTR* retVal) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetFormattedValue(int valueType, BSTR mask, VARIANT value,
                                                      BSTR* retVal) = 0;
  virtual HRESULT STDMETHODCALLTYPE AboutBox() = 0;
};

// Dispatch ids of the members.
enum ZorvaDispId : DISPID {
  kDispIsValid = 0,
  kDispGetRawValue = 1,
  kDispGetFormattedValue = 2,
  kDispAboutBox = -552,
};
