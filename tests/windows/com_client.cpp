// A C++ client of the registered component, for what a script host cannot
// reach: class objects raced for by threads, the vtable (a variant by value,
// objects by reference through chains of variants), refused calls, error
// information, the type library, and the module's lifetime.
//   com_client DLLPATH         the checks; exit code = failures
//   com_client DLLPATH about   shows the about box, checks and closes it
//   com_client DLLPATH typelib dumps the type library inside a DLL of either
//                              bitness
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>

#include "shell/zorva_masked_edit_i.h"

namespace {

int g_checks = 0, g_failures = 0;

void Check(bool ok, const char* what, long detail = 0) {
  ++g_checks;
  if (!ok) ++g_failures, std::printf("FAIL %s (0x%08lx)\n", what, static_cast<unsigned long>(detail));
}

// Frees the answer.
void CheckText(BSTR got, const wchar_t* want, const char* what) {
  Check(got && !std::wcscmp(got, want), what);
  SysFreeString(got);
}

using GetClassObjectFn = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
using CanUnloadFn = HRESULT(STDAPICALLTYPE*)();

struct Racer {
  GetClassObjectFn getClassObject;
  HANDLE start;
  IClassFactory* got = nullptr;
  HRESULT result = E_FAIL;
};

DWORD WINAPI Race(void* p) {
  auto* r = static_cast<Racer*>(p);
  WaitForSingleObject(r->start, INFINITE);
  r->result = r->getClassObject(zorva::ids::kClassId, IID_IClassFactory, reinterpret_cast<void**>(&r->got));
  return 0;
}

// Eight threads ask the fresh module for its class object at once: one
// object must come out.
void RaceForClassObject(GetClassObjectFn getClassObject) {
  constexpr int kThreads = 8;
  HANDLE start = CreateEventW(nullptr, TRUE, FALSE, nullptr), threads[kThreads];
  Racer racers[kThreads];
  for (int i = 0; i < kThreads; ++i) {
    racers[i] = {getClassObject, start};
    threads[i] = CreateThread(nullptr, 0, &Race, &racers[i], 0, nullptr);
  }
  SetEvent(start);
  WaitForMultipleObjects(kThreads, threads, TRUE, INFINITE);
  for (HANDLE t : threads) CloseHandle(t);
  CloseHandle(start);
  for (const Racer& r : racers)
    Check(r.result == S_OK && r.got == racers[0].got, "racing threads get the one class object", r.result);
  for (const Racer& r : racers)
    if (r.got) r.got->Release();
}

void ClassObjectChecks(GetClassObjectFn getClassObject, CanUnloadFn canUnload) {
  IClassFactory* factory = nullptr;
  void** out = reinterpret_cast<void**>(&factory);
  Check(getClassObject(zorva::ids::kClassId, IID_IClassFactory, nullptr) == E_POINTER,
        "DllGetClassObject with no out pointer");
  Check(getClassObject(IID_IDispatch, IID_IClassFactory, out) == CLASS_E_CLASSNOTAVAILABLE,
        "DllGetClassObject for another class");
  HRESULT hr = getClassObject(zorva::ids::kClassId, IID_IClassFactory, out);
  Check(hr == S_OK && factory, "DllGetClassObject", hr);
  if (!factory) return;
  Check(canUnload() == S_FALSE, "a held class object keeps the module");
  IUnknown* object = nullptr;
  Check(factory->CreateInstance(factory, IID_IUnknown, reinterpret_cast<void**>(&object)) ==
            CLASS_E_NOAGGREGATION,
        "CreateInstance refuses aggregation");
  Check(factory->CreateInstance(nullptr, IID_IPersist, reinterpret_cast<void**>(&object)) == E_NOINTERFACE &&
            !object,
        "CreateInstance for an interface the object lacks");
  factory->LockServer(TRUE);
  factory->Release();
  Check(canUnload() == S_FALSE, "LockServer keeps the module");
  getClassObject(zorva::ids::kClassId, IID_IClassFactory, out);
  factory->LockServer(FALSE);
  factory->Release();
  Check(canUnload() == S_OK, "no locks: the module may go");
}

VARIANT Variant(VARTYPE vt) {
  VARIANT v;
  VariantInit(&v);
  v.vt = vt;
  return v;
}

// A caller's object whose default property gives "2001-12-31", or fails
// with `read` (DISP_E_MEMBERNOTFOUND: it has none); counts its references.
class ValueObject final : public IDispatch {
 public:
  explicit ValueObject(HRESULT read) : read_(read) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    *out = iid == IID_IUnknown || iid == IID_IDispatch ? static_cast<IDispatch*>(this) : nullptr;
    return *out ? (AddRef(), S_OK) : E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs; }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result,
                                   EXCEPINFO*, UINT*) override {
    if (member != DISPID_VALUE) return DISP_E_MEMBERNOTFOUND;
    if (FAILED(read_)) return read_;
    if (!(flags & DISPATCH_PROPERTYGET) || !result) return E_INVALIDARG;
    result->vt = VT_BSTR;
    result->bstrVal = SysAllocString(L"2001-12-31");
    return S_OK;
  }
  ULONG refs = 1;

 private:
  HRESULT read_;
};

// An object in a variant, by value or by reference (`tag`), behind `links`
// VT_VARIANT|VT_BYREF (how a script host passes a variable). Points into
// itself, so it stays where it was made.
struct Carried {
  Carried(IDispatch* object, VARTYPE tag, int links) : pointer(object), value(Variant(tag)) {
    if (tag & VT_BYREF)
      value.ppdispVal = &pointer;
    else
      value.pdispVal = pointer;
    for (int i = 0; i < links; ++i) {
      link[i] = value;
      value = Variant(static_cast<VARTYPE>(VT_BYREF | VT_VARIANT));
      value.pvarVal = &link[i];
    }
  }
  Carried(const Carried&) = delete;
  IDispatch* pointer;
  VARIANT value, link[5];
};

// Through the vtable: a variant by value (a DECIMAL fills all of it) arrives
// whole; an object by reference is read as the object itself, its failures
// included, and its references come back. The answers themselves are the
// case table's and host_values.vbs's.
void EarlyBinding(IZorvaMaskedEdit* edit) {
  BSTR empty = SysAllocString(L""), mask = SysAllocString(L"mm/dd/yyyy"), out = nullptr;
  LONG valid = 0;
  Check(edit->IsValid(5, empty, empty, &valid) == S_OK && valid == -1, "IsValid through the vtable");
  Check(edit->IsValid(5, empty, empty, nullptr) == E_POINTER, "IsValid with no result pointer");
  Check(edit->GetRawValue(1, empty, empty, nullptr) == E_POINTER, "GetRawValue with no result pointer");
  VARIANT dec = Variant(VT_DECIMAL);
  dec.decVal.scale = 1;
  dec.decVal.sign = DECIMAL_NEG;
  dec.decVal.Lo64 = 125;
  Check(edit->GetFormattedValue(11, empty, dec, &out) == S_OK, "GetFormattedValue through the vtable");
  CheckText(out, L"-12.50", "a DECIMAL by value");
  const HRESULT kOwnError = static_cast<HRESULT>(0x80041234);
  const VARTYPE kTags[] = {VT_DISPATCH, VT_UNKNOWN, VT_BYREF | VT_DISPATCH, VT_BYREF | VT_UNKNOWN};
  for (HRESULT read : {S_OK, kOwnError, DISP_E_MEMBERNOTFOUND}) {
    for (VARTYPE tag : kTags) {
      for (int links : {0, 1, 4}) {
        ValueObject object(read);
        Carried carried(&object, tag, links);
        out = reinterpret_cast<BSTR>(1);
        HRESULT hr = edit->GetFormattedValue(2, mask, carried.value, &out);
        Check(hr == read, "an object's default property through the vtable", hr);
        if (read == S_OK)
          CheckText(out, L"12/31/2001", "an object's default property");
        else
          Check(out == reinterpret_cast<BSTR>(1), "a failed read leaves the answer unwritten");
        Check(object.refs == 1, "the object's references come back", static_cast<long>(object.refs));
      }
    }
  }
  // No object behind the reference, or a chain no caller builds: no text.
  ValueObject deep(S_OK);
  Carried tooDeep(&deep, VT_DISPATCH, 5), none(nullptr, VT_BYREF | VT_DISPATCH, 1);
  for (const VARIANT* v : {&tooDeep.value, &none.value}) {
    out = nullptr;
    Check(edit->GetFormattedValue(2, mask, *v, &out) == S_OK, "no object by reference");
    CheckText(out, L"", "no object by reference");
  }
  SysFreeString(empty);
  SysFreeString(mask);
}

// Late binding refuses an id no name gives (wrong counts and types are the
// VBScript host's).
void LateBinding(IDispatch* dispatch) {
  VARIANT result = Variant(VT_EMPTY);
  DISPPARAMS none = {nullptr, nullptr, 0, 0};
  Check(dispatch->Invoke(99, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none, &result, nullptr,
                         nullptr) == DISP_E_MEMBERNOTFOUND,
        "Invoke of an unknown dispatch id");
}

template <typename Documented>
std::wstring NameOf(Documented* item, MEMBERID id) {
  BSTR text = nullptr;
  item->GetDocumentation(id, &text, nullptr, nullptr, nullptr);
  std::wstring out = text ? text : L"";
  SysFreeString(text);
  return out;
}

std::wstring Guid(const GUID& id) {
  wchar_t text[40] = {};
  StringFromGUID2(id, text, 40);
  return text;
}

// One type and its members: functions with their vtable slot (in pointers,
// so that either bitness reads the same) and the names of their parameters,
// the result's included; constants with their values.
void DumpType(ITypeInfo* info, const char* side) {
  TYPEATTR* t = nullptr;
  if (FAILED(info->GetTypeAttr(&t))) return;
  std::printf("%s%ls: kind %d, flags 0x%x, %d implemented, %ls\n", side, NameOf(info, MEMBERID_NIL).c_str(),
              t->typekind, t->wTypeFlags, t->cImplTypes, Guid(t->guid).c_str());
  for (UINT k = 0; k < t->cFuncs; ++k) {
    FUNCDESC* f = nullptr;
    if (FAILED(info->GetFuncDesc(k, &f))) continue;
    BSTR names[8] = {};
    UINT count = 0;
    info->GetNames(f->memid, names, 8, &count);
    std::printf("  %ld slot %d, %d parameters:", f->memid, f->oVft / static_cast<int>(sizeof(void*)), f->cParams);
    for (UINT n = 0; n < count; ++n) std::printf(" %ls", names[n]), SysFreeString(names[n]);
    std::printf("\n");
    info->ReleaseFuncDesc(f);
  }
  for (UINT k = 0; k < t->cVars; ++k) {
    VARDESC* v = nullptr;
    if (FAILED(info->GetVarDesc(k, &v))) continue;
    std::printf("  %ls = %ld\n", NameOf(info, v->memid).c_str(), v->varkind == VAR_CONST ? v->lpvarValue->lVal : -1L);
    info->ReleaseVarDesc(v);
  }
  info->ReleaseTypeAttr(t);
}

// The library as object browsers and early-binding tools read it, for the
// suite to compare with tests/cases/typelib.expected; a dual interface
// shows its vtable side too.
void DumpLibrary(ITypeLib* library) {
  TLIBATTR* a = nullptr;
  if (FAILED(library->GetLibAttr(&a))) return;
  std::printf("library %ls %d.%d %ls\n", NameOf(library, -1).c_str(), a->wMajorVerNum, a->wMinorVerNum,
              Guid(a->guid).c_str());
  library->ReleaseTLibAttr(a);
  for (UINT i = 0; i < library->GetTypeInfoCount(); ++i) {
    ITypeInfo *info = nullptr, *vtable = nullptr;
    if (FAILED(library->GetTypeInfo(i, &info))) continue;
    DumpType(info, "");
    HREFTYPE ref;
    if (SUCCEEDED(info->GetRefTypeOfImplType(static_cast<UINT>(-1), &ref)) &&
        SUCCEEDED(info->GetRefTypeInfo(ref, &vtable)))
      DumpType(vtable, "vtable of "), vtable->Release();
    info->Release();
  }
}

template <typename T>
T* Query(IUnknown* from, REFIID iid) {
  void* out = nullptr;
  from->QueryInterface(iid, &out);
  return static_cast<T*>(out);
}

IZorvaMaskedEdit* Create() {
  IZorvaMaskedEdit* edit = nullptr;
  HRESULT hr = CoCreateInstance(zorva::ids::kClassId, nullptr, CLSCTX_INPROC_SERVER, zorva::ids::kInterfaceId,
                                reinterpret_cast<void**>(&edit));
  Check(hr == S_OK && edit, "CoCreateInstance", hr);
  return edit;
}

void ObjectChecks(CanUnloadFn canUnload) {
  IZorvaMaskedEdit* edit = Create();
  if (!edit) return;
  Check(canUnload() == S_FALSE, "a live object keeps the module");
  auto* unknown = Query<IUnknown>(edit, IID_IUnknown);
  auto* dispatch = Query<IDispatch>(edit, IID_IDispatch);
  Check(unknown == static_cast<IUnknown*>(edit) && dispatch == static_cast<IDispatch*>(edit),
        "IUnknown and IDispatch are the main pointer");
  Check(edit->QueryInterface(IID_IUnknown, nullptr) == E_POINTER, "QueryInterface with no out");
  Check(!Query<IPersist>(edit, IID_IPersist), "E_NOINTERFACE");
  auto* errors = Query<ISupportErrorInfo>(edit, IID_ISupportErrorInfo);
  Check(errors != nullptr, "ISupportErrorInfo");
  if (errors) {
    Check(errors->InterfaceSupportsErrorInfo(zorva::ids::kInterfaceId) == S_OK,
          "error information for the interface");
    Check(errors->InterfaceSupportsErrorInfo(IID_IDispatch) == S_FALSE, "no error information for others");
    IUnknown* back = Query<IUnknown>(errors, IID_IUnknown);
    Check(back == unknown, "ISupportErrorInfo leads back to the object");
    if (back) back->Release();
    errors->Release();
  }
  UINT count = 0;
  edit->GetTypeInfoCount(&count);
  Check(count == 1, "GetTypeInfoCount");
  Check(edit->GetTypeInfo(0, 0, nullptr) == E_POINTER, "GetTypeInfo with no out");
  EarlyBinding(edit);
  LateBinding(dispatch);
  unknown->Release();
  dispatch->Release();
  Check(canUnload() == S_FALSE, "one reference left");
  Check(edit->Release() == 0, "the last Release returns 0");
  Check(canUnload() == S_OK, "after the last Release the module may go");
}

// Waits for the about box, checks that it shows with its caption and text,
// and closes it as its OK button would.
DWORD WINAPI WatchAboutBox(void*) {
  HWND box = nullptr;
  for (int i = 0; i < 600 && !(box = FindWindowA(nullptr, "About Zorva Masked Edit Control")); ++i) Sleep(100);
  Check(box && IsWindowVisible(box), "the about box shows");
  if (!box) return 1;
  char text[256] = {};
  GetDlgItemTextA(box, 0xFFFF, text, sizeof text);  // the message's static control
  Check(!std::strcmp(text, "ZorvaMaskedEdit Server, v.2.2.1.0"), "the about box's text");
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  return 0;
}

// Shows the about box (on a display: headless, it returns at once).
void About() {
  IZorvaMaskedEdit* edit = Create();
  if (!edit) return;
  HANDLE watcher = CreateThread(nullptr, 0, &WatchAboutBox, nullptr, 0, nullptr);
  HRESULT hr = edit->AboutBox();
  Check(hr == S_OK, "AboutBox", hr);
  WaitForSingleObject(watcher, INFINITE);
  CloseHandle(watcher);
  edit->Release();
}

int Finish() {
  std::printf("com_client: %d checks, %d failed\ncom_client finished\n", g_checks, g_failures);
  return g_failures;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return std::printf("usage: com_client DLLPATH [about|typelib]\n"), 2;
  const std::wstring mode = argc > 2 ? argv[2] : L"";
  if (mode == L"typelib") {  // the library inside a module of either bitness, read as data
    ITypeLib* library = nullptr;
    HRESULT hr = LoadTypeLibEx(argv[1], REGKIND_NONE, &library);
    Check(hr == S_OK, "LoadTypeLibEx", hr);
    if (library) {
      TLIBATTR* attr = nullptr;
      library->GetLibAttr(&attr);
      std::printf("type library of %ls: %s\n", argv[1], attr && attr->syskind == SYS_WIN32 ? "SYS_WIN32" : "SYS_WIN64");
      if (attr) library->ReleaseTLibAttr(attr);
      DumpLibrary(library);
      library->Release();
    }
    return Finish();
  }
  CoInitialize(nullptr);  // the class is apartment-threaded: no proxies in between
  if (mode == L"about") {
    About();
    CoUninitialize();
    return Finish();
  }
  // The module itself first, so that the threads race on its first class object.
  HMODULE module = LoadLibraryW(argv[1]);
  // Through void*: the exports' real types are not FARPROC's.
  auto getClassObject = reinterpret_cast<GetClassObjectFn>(
      reinterpret_cast<void*>(module ? GetProcAddress(module, "DllGetClassObject") : nullptr));
  auto canUnload = reinterpret_cast<CanUnloadFn>(
      reinterpret_cast<void*>(module ? GetProcAddress(module, "DllCanUnloadNow") : nullptr));
  Check(getClassObject && canUnload, "LoadLibrary and the exports by name",
        static_cast<long>(GetLastError()));
  if (!getClassObject || !canUnload) return Finish();
  Check(canUnload() == S_OK, "a fresh module may go");
  RaceForClassObject(getClassObject);
  ClassObjectChecks(getClassObject, canUnload);
  ObjectChecks(canUnload);
  ITypeLib* library = nullptr;
  HRESULT hr = LoadRegTypeLib(zorva::ids::kLibraryId, 1, 0, LOCALE_NEUTRAL, &library);
  Check(hr == S_OK, "LoadRegTypeLib", hr);
  if (library) library->Release();
  CoUninitialize();
  return Finish();
}
