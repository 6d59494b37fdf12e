// The automation object: the value service behind the dual interface, with
// dispatch through the registered type library and error-information support.
#include <new>

#include "shell/module.h"
#include "shell/zorva_masked_edit_i.h"
#include "zorva/automation.h"
#include "zorva/masked_edit.h"

namespace zorva::shell {
namespace {

// The process's type information for the interface, loaded on first use, and
// the member names that GetIDsOfNames answers from without asking it.
struct MemberName {
  BSTR name;
  UINT length;
  DISPID id;
};
CRITICAL_SECTION g_typeInfoLock;
ITypeInfo* g_typeInfo = nullptr;    // handed out by GetTypeInfo
ITypeInfo* g_invokeInfo = nullptr;  // the vtable side, which Invoke calls through
MemberName g_names[16];  // a dual interface lists IDispatch's members too
UINT g_nameCount = 0;

void ClearTypeInfo() {
  for (UINT i = 0; i < g_nameCount; ++i) SysFreeString(g_names[i].name);
  g_nameCount = 0;
  if (g_invokeInfo) g_invokeInfo->Release();
  if (g_typeInfo) g_typeInfo->Release();
  g_invokeInfo = g_typeInfo = nullptr;
}

HRESULT LoadTypeInfo(LCID locale) {
  ITypeLib* library = nullptr;
  HRESULT hr = LoadRegTypeLib(ids::kLibraryId, 1, 0, locale, &library);
  if (FAILED(hr)) return hr;
  ITypeInfo* info = nullptr;
  hr = library->GetTypeInfoOfGuid(ids::kInterfaceId, &info);
  library->Release();
  if (FAILED(hr)) return hr;
  ITypeInfo2* extended = nullptr;
  if (SUCCEEDED(info->QueryInterface(IID_ITypeInfo2, reinterpret_cast<void**>(&extended)))) {
    info->Release();
    info = extended;
  }
  TYPEATTR* attr = nullptr;
  hr = info->GetTypeAttr(&attr);
  if (FAILED(hr)) {
    info->Release();
    return hr;
  }
  // A dual interface's dispatch description leads to its vtable description.
  ITypeInfo* invoke = info;
  invoke->AddRef();
  if (attr->typekind == TKIND_DISPATCH && (attr->wTypeFlags & TYPEFLAG_FDUAL)) {
    HREFTYPE vtable;
    ITypeInfo* side = nullptr;
    if (SUCCEEDED(info->GetRefTypeOfImplType(static_cast<UINT>(-1), &vtable)) &&
        SUCCEEDED(info->GetRefTypeInfo(vtable, &side))) {
      invoke->Release();
      invoke = side;
    }
  }
  UINT count = 0;
  for (UINT i = 0; i < attr->cFuncs && count < std::size(g_names); ++i) {
    FUNCDESC* func = nullptr;
    if (FAILED(info->GetFuncDesc(i, &func))) continue;
    BSTR name = nullptr;
    if (SUCCEEDED(info->GetDocumentation(func->memid, &name, nullptr, nullptr, nullptr)) && name) {
      g_names[count++] = {name, SysStringLen(name), func->memid};
    }
    info->ReleaseFuncDesc(func);
  }
  info->ReleaseTypeAttr(attr);
  g_nameCount = count;
  g_typeInfo = info;
  g_invokeInfo = invoke;
  return S_OK;
}

HRESULT EnsureTypeInfo(LCID locale) {
  EnterCriticalSection(&g_typeInfoLock);
  HRESULT hr = g_typeInfo ? S_OK : LoadTypeInfo(locale);
  LeaveCriticalSection(&g_typeInfoLock);
  return hr;
}

class MaskedEdit final : public IZorvaMaskedEdit {
 public:
  MaskedEdit() {
    InitializeCriticalSection(&lock_);
    LockModule();
  }
  ~MaskedEdit() {
    DeleteCriticalSection(&lock_);
    UnlockModule();
  }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == ids::kInterfaceId || iid == IID_IDispatch) {
      *out = static_cast<IZorvaMaskedEdit*>(this);
    } else if (iid == IID_ISupportErrorInfo) {
      *out = &errorInfo_;
    } else {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&refs_); }
  ULONG STDMETHODCALLTYPE Release() override {
    LONG n = InterlockedDecrement(&refs_);
    if (n == 0) delete this;
    return n;
  }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 1;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID locale, ITypeInfo** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    HRESULT hr = EnsureTypeInfo(locale);
    if (FAILED(hr)) return hr;
    g_typeInfo->AddRef();
    *out = g_typeInfo;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override {
    if (!names || !ids) return E_POINTER;
    HRESULT hr = EnsureTypeInfo(locale);
    if (FAILED(hr)) return hr;
    for (UINT i = 0; i < count; ++i) {
      if (!FindName(names[i], ids[i])) return g_typeInfo->GetIDsOfNames(names, count, ids);
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID locale, WORD flags,
                                   DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                   UINT* argErr) override {
    HRESULT hr = EnsureTypeInfo(locale);
    if (FAILED(hr)) return hr;
    return g_invokeInfo->Invoke(static_cast<IZorvaMaskedEdit*>(this), member, flags, params, result,
                                exception, argErr);
  }

  HRESULT STDMETHODCALLTYPE IsValid(int valueType, BSTR mask, BSTR value, LONG* retVal) override {
    return zorva::IsValid(valueType, mask, value, retVal);
  }
  HRESULT STDMETHODCALLTYPE GetRawValue(int valueType, BSTR mask, BSTR value,
                                        BSTR* retVal) override {
    return zorva::GetRawValue(valueType, mask, value, retVal);
  }
  HRESULT STDMETHODCALLTYPE GetFormattedValue(int valueType, BSTR mask, VARIANT value,
                                              BSTR* retVal) override {
    return zorva::GetFormattedValue(valueType, mask, value, retVal);
  }
  HRESULT STDMETHODCALLTYPE AboutBox() override {
    // The box's own answer (a headless desktop may refuse it) is not ours.
    MessageBoxA(nullptr, "ZorvaMaskedEdit Server" ", v." "2.2.1.0",
                "About Zorva Masked Edit Control", MB_OK);
    return S_OK;
  }

 private:
  // Exact, case-sensitive lookup in the cached names, last entry first.
  static bool FindName(const OLECHAR* name, DISPID& id) {
    if (!name) return false;
    UINT length = 0;
    while (name[length]) ++length;
    for (UINT i = g_nameCount; i-- > 0;) {
      const MemberName& m = g_names[i];
      if (m.length != length) continue;
      UINT k = 0;
      while (k < length && m.name[k] == name[k]) ++k;
      if (k == length) {
        id = m.id;
        return true;
      }
    }
    return false;
  }

  struct ErrorInfo final : public ISupportErrorInfo {
    explicit ErrorInfo(MaskedEdit* owner) : owner(owner) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
      return owner->QueryInterface(iid, out);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return owner->AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return owner->Release(); }
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override {
      return iid == ids::kInterfaceId ? S_OK : S_FALSE;
    }
    MaskedEdit* owner;
  };

  LONG refs_ = 0;
  CRITICAL_SECTION lock_;
  ErrorInfo errorInfo_{this};
};

}  // namespace

HRESULT CreateMaskedEdit(REFIID iid, void** out) noexcept {
  auto* object = new (std::nothrow) MaskedEdit;
  if (!object) return E_OUTOFMEMORY;
  object->AddRef();
  HRESULT hr = object->QueryInterface(iid, out);
  object->Release();  // destroys it when the query failed
  return hr;
}

void StartMaskedEditClass() noexcept { InitializeCriticalSection(&g_typeInfoLock); }

void StopMaskedEditClass(bool releaseObjects) noexcept {
  if (releaseObjects) ClearTypeInfo();
  DeleteCriticalSection(&g_typeInfoLock);
}

}  // namespace zorva::shell
