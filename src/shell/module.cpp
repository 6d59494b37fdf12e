// The in-process server: process attach and detach, the class object, the
// module lock count and the four exports.
#include <new>
#include <string>

#include "intl/settings.h"
#include "shell/module.h"
#include "shell/zorva_masked_edit_i.h"

namespace zorva::shell {
namespace {

HINSTANCE g_instance = nullptr;
LONG g_locks = 0;
CRITICAL_SECTION g_classObjectLock;

// The class object. The module's cache holds one reference; while anyone
// else holds one too, it keeps the module loaded.
class ClassFactory final : public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IClassFactory) {
      *out = static_cast<IClassFactory*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override {
    LONG n = InterlockedIncrement(&refs_);
    if (n == 2) LockModule();
    return n;
  }
  ULONG STDMETHODCALLTYPE Release() override {
    LONG n = InterlockedDecrement(&refs_);
    if (n == 1) UnlockModule();
    if (n == 0) delete this;
    return n;
  }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    return CreateMaskedEdit(iid, out);
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    if (lock) LockModule();
    else UnlockModule();
    return S_OK;
  }

 private:
  LONG refs_ = 0;
};

ClassFactory* g_classObject = nullptr;

std::wstring ModulePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(g_instance, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return L"";
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

// Registers the type library in the module (or, failing that, the .tlb
// beside it), with the module's folder as help directory.
HRESULT RegisterTypeLibrary(const std::wstring& module) {
  ITypeLib* library = nullptr;
  std::wstring from = module;
  HRESULT hr = LoadTypeLibEx(from.c_str(), REGKIND_NONE, &library);
  if (FAILED(hr)) {
    std::size_t dot = from.find_last_of(L'.');
    std::size_t slash = from.find_last_of(L"\\/");
    if (dot != std::wstring::npos && (slash == std::wstring::npos || dot > slash)) from.resize(dot);
    from += L".tlb";
    hr = LoadTypeLibEx(from.c_str(), REGKIND_NONE, &library);
    if (FAILED(hr)) return hr;
  }
  std::wstring folder = module.substr(0, module.find_last_of(L"\\/") + 1);
  if (folder.size() > 3) folder.pop_back();  // no trailing separator but for a drive root
  hr = RegisterTypeLib(library, from.data(), folder.data());
  library->Release();
  return hr;
}

}  // namespace

HINSTANCE ModuleInstance() noexcept { return g_instance; }
void LockModule() noexcept { InterlockedIncrement(&g_locks); }
void UnlockModule() noexcept { InterlockedDecrement(&g_locks); }

}  // namespace zorva::shell

using namespace zorva::shell;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void* reserved) {
  if (reason == DLL_PROCESS_ATTACH) {
    g_instance = instance;
    g_locks = 0;
    InitializeCriticalSection(&g_classObjectLock);
    StartMaskedEditClass();
    DisableThreadLibraryCalls(instance);
    zorva::Intl();  // the settings block, before any object can exist
  } else if (reason == DLL_PROCESS_DETACH) {
    // At process exit the system libraries may be gone: release nothing then.
    const bool unloading = reserved == nullptr;
    if (g_classObject && unloading) g_classObject->Release();
    g_classObject = nullptr;
    StopMaskedEditClass(unloading);
    DeleteCriticalSection(&g_classObjectLock);
  }
  return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (clsid != zorva::ids::kClassId) return CLASS_E_CLASSNOTAVAILABLE;
  if (!g_classObject) {
    EnterCriticalSection(&g_classObjectLock);
    if (!g_classObject) {
      auto* made = new (std::nothrow) ClassFactory;
      if (made) {
        made->AddRef();  // the module's cached reference
        g_classObject = made;
      }
    }
    LeaveCriticalSection(&g_classObjectLock);
    if (!g_classObject) return E_OUTOFMEMORY;
  }
  return g_classObject->QueryInterface(iid, out);
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() {
  return g_locks == 0 ? S_OK : S_FALSE;
}

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() {
  const std::wstring module = ModulePath();
  if (module.empty()) return HRESULT_FROM_WIN32(GetLastError());
  HRESULT hr = RunRegistryScript(true, module.c_str());
  if (FAILED(hr)) return hr;
  return RegisterTypeLibrary(module);
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {
  const std::wstring module = ModulePath();
  if (module.empty()) return HRESULT_FROM_WIN32(GetLastError());
  return RunRegistryScript(false, module.c_str());
}
