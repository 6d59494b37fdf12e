// A C++ client of the registered component: class-object creation racing
// from several threads, early binding through the vtable, objects passed by
// value and by reference, late binding through IDispatch, error-information
// support, the type library read back and DllCanUnloadNow around the last
// Release.
//   com_client DLLPATH         the checks; exit code = failures
//   com_client DLLPATH about   shows the about box and reports what it shows
//   com_client DLLPATH typelib the type library inside a DLL of either bitness
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>

#include "shell/zorva_masked_edit_i.h"

namespace {

int g_checks = 0;
int g_failures = 0;

void Check(bool ok, const char* what, long detail = 0) {
  ++g_checks;
  if (!ok) {
    ++g_failures;
    std::printf("FAIL %s (0x%08lx)\n", what, static_cast<unsigned long>(detail));
  }
}

std::string Narrow(BSTR s) {
  std::string out;
  for (UINT i = 0; s && i < SysStringLen(s); ++i) out += static_cast<char>(s[i] < 128 ? s[i] : '?');
  return out;
}

void CheckText(BSTR got, const char* want, const char* what) {
  const std::string text = Narrow(got);
  ++g_checks;
  if (text != want) {
    ++g_failures;
    std::printf("FAIL %s: gave [%s], expected [%s]\n", what, text.c_str(), want);
  }
  SysFreeString(got);
}

using GetClassObjectFn = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
using CanUnloadFn = HRESULT(STDAPICALLTYPE*)();

struct Racer {
  GetClassObjectFn getClassObject;
  HANDLE start;
  IClassFactory* got;
  HRESULT result;
};

DWORD WINAPI Race(void* p) {
  auto* r = static_cast<Racer*>(p);
  WaitForSingleObject(r->start, INFINITE);
  r->result = r->getClassObject(zorva::ids::kClassId, IID_IClassFactory,
                                reinterpret_cast<void**>(&r->got));
  return 0;
}

// Eight threads ask the fresh module for its class object at once: one
// object must come out.
void RaceForClassObject(GetClassObjectFn getClassObject) {
  constexpr int kThreads = 8;
  Racer racers[kThreads];
  HANDLE start = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE threads[kThreads];
  for (int i = 0; i < kThreads; ++i) {
    racers[i] = {getClassObject, start, nullptr, E_FAIL};
    threads[i] = CreateThread(nullptr, 0, &Race, &racers[i], 0, nullptr);
  }
  SetEvent(start);
  WaitForMultipleObjects(kThreads, threads, TRUE, INFINITE);
  for (HANDLE t : threads) CloseHandle(t);
  CloseHandle(start);
  IClassFactory* got[kThreads];
  HRESULT results[kThreads];
  for (int i = 0; i < kThreads; ++i) {
    got[i] = racers[i].got;
    results[i] = racers[i].result;
  }
  for (int i = 0; i < kThreads; ++i) {
    Check(results[i] == S_OK && got[i] == got[0], "racing threads get the one class object",
          results[i]);
  }
  for (int i = 0; i < kThreads; ++i) {
    if (got[i]) got[i]->Release();
  }
}

void ClassObjectChecks(GetClassObjectFn getClassObject, CanUnloadFn canUnload) {
  IClassFactory* factory = nullptr;
  Check(getClassObject(zorva::ids::kClassId, IID_IClassFactory, nullptr) == E_POINTER,
        "DllGetClassObject with no out pointer");
  Check(getClassObject(IID_IDispatch, IID_IClassFactory, reinterpret_cast<void**>(&factory)) ==
            CLASS_E_CLASSNOTAVAILABLE,
        "DllGetClassObject for another class");
  HRESULT hr = getClassObject(zorva::ids::kClassId, IID_IClassFactory,
                              reinterpret_cast<void**>(&factory));
  Check(hr == S_OK && factory, "DllGetClassObject", hr);
  if (!factory) return;
  Check(canUnload() == S_FALSE, "a held class object keeps the module");
  IUnknown* object = nullptr;
  Check(factory->CreateInstance(reinterpret_cast<IUnknown*>(factory), IID_IUnknown,
                                reinterpret_cast<void**>(&object)) == CLASS_E_NOAGGREGATION,
        "CreateInstance refuses aggregation");
  Check(factory->CreateInstance(nullptr, IID_IPersist, reinterpret_cast<void**>(&object)) ==
                E_NOINTERFACE && !object,
        "CreateInstance for an interface the object lacks");
  factory->LockServer(TRUE);
  factory->Release();
  Check(canUnload() == S_FALSE, "LockServer keeps the module");
  getClassObject(zorva::ids::kClassId, IID_IClassFactory, reinterpret_cast<void**>(&factory));
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

// The vtable side: a VARIANT passed by value (a DECIMAL fills all of it)
// must arrive whole in both bitnesses; the answers themselves are the case
// table's and host_values.vbs's.
void EarlyBinding(IZorvaMaskedEdit* edit) {
  BSTR empty = SysAllocString(L"");
  LONG valid = 0;
  Check(edit->IsValid(5, empty, empty, &valid) == S_OK && valid == -1, "IsValid through the vtable");
  Check(edit->IsValid(5, empty, empty, nullptr) == E_POINTER, "IsValid with no result pointer");
  BSTR out = nullptr;
  Check(edit->GetRawValue(1, empty, empty, nullptr) == E_POINTER, "GetRawValue with no result pointer");
  VARIANT dec = Variant(VT_DECIMAL);
  dec.decVal.scale = 1;
  dec.decVal.sign = DECIMAL_NEG;
  dec.decVal.Lo64 = 125;  // -12.5
  HRESULT hr = edit->GetFormattedValue(11, empty, dec, &out);
  Check(hr == S_OK, "GetFormattedValue through the vtable", hr);
  CheckText(out, "-12.50", "a DECIMAL by value");
  SysFreeString(empty);
}

VARIANT Text(const wchar_t* s) {
  VARIANT v = Variant(VT_BSTR);
  v.bstrVal = SysAllocString(s);
  return v;
}

VARIANT Int(LONG n) {
  VARIANT v = Variant(VT_I4);
  v.lVal = n;
  return v;
}

// A caller's object whose default property gives "2001-12-31", or fails
// with `read` (DISP_E_MEMBERNOTFOUND: it has none); counts its references.
class ValueObject final : public IDispatch {
 public:
  explicit ValueObject(HRESULT read) : read_(read) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IDispatch) return E_NOINTERFACE;
    *out = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs; }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS*,
                                   VARIANT* result, EXCEPINFO*, UINT*) override {
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

// An object in a variant: by value or by reference (`tag`), behind `links`
// VT_VARIANT|VT_BYREF (how a script host passes a variable). Points into
// itself, so it stays where it was made.
struct Carried {
  Carried(IDispatch* object, VARTYPE tag, int links) : pointer(object) {
    value = Variant(tag);
    if (tag & VT_BYREF) {
      value.ppdispVal = &pointer;
    } else {
      value.pdispVal = pointer;
    }
    for (int i = 0; i < links; ++i) {
      link[i] = value;
      value = Variant(static_cast<VARTYPE>(VT_BYREF | VT_VARIANT));
      value.pvarVal = &link[i];
    }
  }
  Carried(const Carried&) = delete;
  IDispatch* pointer;
  VARIANT link[5];
  VARIANT value;
};

// An object passed by reference is read as the object itself, its failures
// included, through the vtable and through Invoke as a script host calls.
void ObjectsByReference(IZorvaMaskedEdit* edit) {
  BSTR mask = SysAllocString(L"mm/dd/yyyy");
  const VARTYPE tags[] = {VT_DISPATCH, VT_UNKNOWN, VT_BYREF | VT_DISPATCH, VT_BYREF | VT_UNKNOWN};
  const HRESULT kOwnError = static_cast<HRESULT>(0x80041234);
  for (HRESULT read : {S_OK, kOwnError, DISP_E_MEMBERNOTFOUND}) {
    for (VARTYPE tag : tags) {
      for (int links : {0, 1, 4}) {
        ValueObject object(read);
        Carried carried(&object, tag, links);
        BSTR out = reinterpret_cast<BSTR>(1);
        HRESULT hr = edit->GetFormattedValue(2, mask, carried.value, &out);
        Check(hr == read, "an object's default property through the vtable", hr);
        if (read == S_OK) {
          CheckText(out, "12/31/2001", "an object's default property");
        } else {
          Check(out == reinterpret_cast<BSTR>(1), "a failed read leaves the answer unwritten");
        }
        Check(object.refs == 1, "the object's references come back", static_cast<long>(object.refs));
      }
    }
  }
  // No object behind the reference, or a chain no caller builds: no text.
  ValueObject deep(S_OK);
  Carried tooDeep(&deep, VT_DISPATCH, 5);
  Carried none(nullptr, static_cast<VARTYPE>(VT_BYREF | VT_DISPATCH), 1);
  for (const VARIANT* v : {&tooDeep.value, &none.value}) {
    BSTR out = nullptr;
    HRESULT hr = edit->GetFormattedValue(2, mask, *v, &out);
    Check(hr == S_OK, "no object by reference", hr);
    CheckText(out, "", "no object by reference");
  }

  // Late bound, arguments in reverse order.
  IDispatch* dispatch = edit;
  for (HRESULT read : {S_OK, kOwnError}) {
    for (VARTYPE tag : {VARTYPE{VT_DISPATCH}, VARTYPE{VT_BYREF | VT_DISPATCH}}) {
      ValueObject object(read);
      Carried carried(&object, tag, tag == VT_DISPATCH ? 1 : 0);
      VARIANT args[3] = {carried.value, Variant(VT_BSTR), Int(2)};
      args[1].bstrVal = mask;
      DISPPARAMS params = {args, nullptr, 3, 0};
      VARIANT result;
      VariantInit(&result);
      EXCEPINFO exception = {};
      HRESULT hr = dispatch->Invoke(2, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params,
                                    &result, &exception, nullptr);
      if (read == S_OK) {
        Check(hr == S_OK && result.vt == VT_BSTR, "Invoke with an object by reference", hr);
        CheckText(result.vt == VT_BSTR ? result.bstrVal : nullptr, "12/31/2001",
                  "Invoke with an object by reference");
      } else {
        Check(hr == DISP_E_EXCEPTION && exception.scode == read,
              "Invoke with a failing object by reference", exception.scode);
        VariantClear(&result);
      }
      SysFreeString(exception.bstrSource);
      SysFreeString(exception.bstrDescription);
      SysFreeString(exception.bstrHelpFile);
      Check(object.refs == 1, "the object's references come back after Invoke",
            static_cast<long>(object.refs));
    }
  }
  SysFreeString(mask);
}

void LateBinding(IDispatch* dispatch) {
  struct Name {
    const wchar_t* name;
    DISPID id;
  };
  const Name names[] = {{L"IsValid", 0}, {L"GetRawValue", 1}, {L"GetFormattedValue", 2},
                        {L"AboutBox", -552}, {L"getrawvalue", 1}};
  for (const Name& n : names) {
    DISPID id = 12345;
    LPOLESTR name = const_cast<LPOLESTR>(n.name);
    HRESULT hr = dispatch->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id);
    Check(hr == S_OK && id == n.id, "GetIDsOfNames of a member", hr);
  }
  LPOLESTR unknown = const_cast<LPOLESTR>(L"Format");
  DISPID id = 0;
  Check(dispatch->GetIDsOfNames(IID_NULL, &unknown, 1, LOCALE_USER_DEFAULT, &id) ==
            DISP_E_UNKNOWNNAME,
        "GetIDsOfNames of an unknown name");

  // The calls that succeed are the script runs'; here the refusals.
  VARIANT result;
  VariantInit(&result);
  VARIANT five[5] = {Int(1), Int(1), Int(1), Int(1), Int(1)};
  DISPPARAMS tooMany = {five, nullptr, 5, 0};
  HRESULT hr = dispatch->Invoke(0, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &tooMany,
                                &result, nullptr, nullptr);
  Check(hr == DISP_E_BADPARAMCOUNT, "Invoke with too many arguments", hr);
  hr = dispatch->Invoke(99, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &tooMany, &result,
                        nullptr, nullptr);
  Check(hr == DISP_E_MEMBERNOTFOUND, "Invoke of an unknown dispatch id", hr);
  // Arguments go in reverse order: the value type is the last.
  VARIANT wrongType[3] = {Text(L"x"), Text(L""), Text(L"not a number")};
  DISPPARAMS wrong = {wrongType, nullptr, 3, 0};
  UINT argErr = 99;
  hr = dispatch->Invoke(0, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &wrong, &result, nullptr,
                        &argErr);
  // Wine leaves argErr as it was; Windows names argument 2.
  Check(hr == DISP_E_TYPEMISMATCH && (argErr == 2 || argErr == 99),
        "Invoke with a text for the value type", hr);
  for (VARIANT& v : wrongType) VariantClear(&v);
}

std::wstring NameOf(ITypeInfo* info, MEMBERID id) {
  BSTR text = nullptr;
  info->GetDocumentation(id, &text, nullptr, nullptr, nullptr);
  std::wstring out = text ? text : L"";
  SysFreeString(text);
  return out;
}

// A member's name and its parameters' names, joined by blanks.
std::wstring NamesOf(ITypeInfo* info, MEMBERID id) {
  BSTR names[8] = {};
  UINT count = 0;
  info->GetNames(id, names, 8, &count);
  std::wstring out;
  for (UINT i = 0; i < count; ++i) {
    out += (i ? L" " : L"") + std::wstring(names[i] ? names[i] : L"");
    SysFreeString(names[i]);
  }
  return out;
}

// The library's content.
void TypeLibrary(ITypeLib* library, SYSKIND sys) {
  TLIBATTR* libAttr = nullptr;
  library->GetLibAttr(&libAttr);
  Check(libAttr && libAttr->syskind == sys && libAttr->wMajorVerNum == 1 &&
            libAttr->wMinorVerNum == 0 && libAttr->guid == zorva::ids::kLibraryId,
        "library identity, version and system kind", libAttr ? libAttr->syskind : -1);
  if (libAttr) library->ReleaseTLibAttr(libAttr);
  HRESULT hr;
  BSTR name = nullptr;
  library->GetDocumentation(-1, &name, nullptr, nullptr, nullptr);
  Check(name && !std::wcscmp(name, L"ZorvaMaskedEdit"), "library name");
  SysFreeString(name);

  ITypeInfo* iface = nullptr;
  hr = library->GetTypeInfoOfGuid(zorva::ids::kInterfaceId, &iface);
  Check(hr == S_OK, "interface type information", hr);
  if (iface) {
    TYPEATTR* attr = nullptr;
    iface->GetTypeAttr(&attr);
    Check(attr && (attr->wTypeFlags & TYPEFLAG_FDUAL), "a dual interface");
    if (attr) iface->ReleaseTypeAttr(attr);
    // The vtable side: slots after IDispatch's seven, in the reading
    // process's pointers (a library of the other kind is scaled on loading).
    HREFTYPE vtableRef;
    ITypeInfo* vtable = nullptr;
    if (SUCCEEDED(iface->GetRefTypeOfImplType(static_cast<UINT>(-1), &vtableRef))) {
      iface->GetRefTypeInfo(vtableRef, &vtable);
    }
    if (!vtable) {
      vtable = iface;
      vtable->AddRef();
    }
    for (UINT i = 0; i < 4; ++i) {
      FUNCDESC* func = nullptr;
      vtable->GetFuncDesc(i, &func);
      Check(func && func->oVft == (7 + static_cast<int>(i)) * static_cast<int>(sizeof(void*)) &&
                func->cParams == (i < 3 ? 4 : 0),  // the result counts here
            "vtable slot and parameter count", func ? func->oVft : -1);
      // Object browsers and early-binding tools show every parameter by name.
      if (func && i < 3) {
        Check(NamesOf(vtable, func->memid).ends_with(L" valueType mask value RetVal"),
              "parameter names, the result's included", static_cast<long>(i));
      }
      if (func) vtable->ReleaseFuncDesc(func);
    }
    vtable->Release();
    // Names and ids, which late binding goes by (help texts are only shown).
    const struct { MEMBERID id; const wchar_t* name; } members[] = {
        {0, L"IsValid"}, {1, L"GetRawValue"}, {2, L"GetFormattedValue"}, {-552, L"AboutBox"}};
    for (const auto& m : members) Check(NameOf(iface, m.id) == m.name, "member name");
    iface->Release();
  }

  ITypeInfo* constants = nullptr;
  for (UINT i = 0; i < library->GetTypeInfoCount(); ++i) {
    TYPEKIND kind;
    if (SUCCEEDED(library->GetTypeInfoType(i, &kind)) && kind == TKIND_ENUM) {
      library->GetTypeInfo(i, &constants);
    }
  }
  Check(constants != nullptr, "the enumeration");
  if (constants) {
    TYPEATTR* attr = nullptr;
    constants->GetTypeAttr(&attr);
    Check(attr && attr->cVars == 18, "eighteen value types");
    for (UINT i = 0; attr && i < attr->cVars; ++i) {
      VARDESC* var = nullptr;
      constants->GetVarDesc(i, &var);
      Check(var && var->varkind == VAR_CONST && var->lpvarValue->lVal == static_cast<LONG>(i),
            "value type constant");
      if (var && i == 14) Check(NameOf(constants, var->memid) == L"tkMEURL", "name of value type 14");
      if (var) constants->ReleaseVarDesc(var);
    }
    if (attr) constants->ReleaseTypeAttr(attr);
    constants->Release();
  }

  ITypeInfo* coclass = nullptr;
  hr = library->GetTypeInfoOfGuid(zorva::ids::kClassId, &coclass);
  Check(hr == S_OK, "class type information", hr);
  if (coclass) coclass->Release();
}

void ObjectChecks(CanUnloadFn canUnload) {
  IZorvaMaskedEdit* edit = nullptr;
  HRESULT hr = CoCreateInstance(zorva::ids::kClassId, nullptr, CLSCTX_INPROC_SERVER,
                                zorva::ids::kInterfaceId, reinterpret_cast<void**>(&edit));
  Check(hr == S_OK && edit, "CoCreateInstance", hr);
  if (!edit) return;
  Check(canUnload() == S_FALSE, "a live object keeps the module");

  IUnknown* unknown = nullptr;
  IDispatch* dispatch = nullptr;
  edit->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown));
  edit->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch));
  Check(unknown == static_cast<IUnknown*>(edit) && dispatch == static_cast<IDispatch*>(edit),
        "IUnknown and IDispatch are the main pointer");
  Check(edit->QueryInterface(IID_IUnknown, nullptr) == E_POINTER, "QueryInterface with no out");
  void* none = nullptr;
  Check(edit->QueryInterface(IID_IPersist, &none) == E_NOINTERFACE && !none, "E_NOINTERFACE");
  ISupportErrorInfo* errors = nullptr;
  edit->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(&errors));
  Check(errors != nullptr, "ISupportErrorInfo");
  if (errors) {
    Check(errors->InterfaceSupportsErrorInfo(zorva::ids::kInterfaceId) == S_OK,
          "error information for the interface");
    Check(errors->InterfaceSupportsErrorInfo(IID_IDispatch) == S_FALSE,
          "no error information for others");
    IUnknown* back = nullptr;
    errors->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&back));
    Check(back == unknown, "ISupportErrorInfo leads back to the object");
    if (back) back->Release();
    errors->Release();
  }
  UINT count = 0;
  edit->GetTypeInfoCount(&count);
  Check(count == 1, "GetTypeInfoCount");
  Check(edit->GetTypeInfo(0, 0, nullptr) == E_POINTER, "GetTypeInfo with no out");

  EarlyBinding(edit);
  ObjectsByReference(edit);
  LateBinding(dispatch);
  unknown->Release();
  dispatch->Release();
  Check(canUnload() == S_FALSE, "one reference left");
  Check(edit->Release() == 0, "the last Release returns 0");
  Check(canUnload() == S_OK, "after the last Release the module may go");
}

DWORD WINAPI WatchAboutBox(void*) {
  for (int i = 0; i < 600; ++i) {
    HWND box = FindWindowA(nullptr, "About Zorva Masked Edit Control");
    if (box) {
      char text[256] = {};
      GetDlgItemTextA(box, 0xFFFF, text, sizeof text);  // the message's static control
      std::printf("caption: About Zorva Masked Edit Control\ntext: %s\n", text);
      std::fflush(stdout);
      return 0;
    }
    Sleep(100);
  }
  return 1;
}

// Shows the about box; a watcher thread reads its caption and text.
int About() {
  IZorvaMaskedEdit* edit = nullptr;
  HRESULT hr = CoCreateInstance(zorva::ids::kClassId, nullptr, CLSCTX_INPROC_SERVER,
                                zorva::ids::kInterfaceId, reinterpret_cast<void**>(&edit));
  if (FAILED(hr)) {
    std::printf("FAIL CoCreateInstance 0x%08lx\n", static_cast<unsigned long>(hr));
    return 1;
  }
  HANDLE watcher = CreateThread(nullptr, 0, &WatchAboutBox, nullptr, 0, nullptr);
  hr = edit->AboutBox();
  WaitForSingleObject(watcher, INFINITE);
  CloseHandle(watcher);
  std::printf("AboutBox returned 0x%08lx\n", static_cast<unsigned long>(hr));
  edit->Release();
  return hr == S_OK ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::printf("usage: com_client DLLPATH [about]\n");
    return 2;
  }
  if (argc > 2 && !std::wcscmp(argv[2], L"typelib")) {
    // The library inside a module of either bitness, read as data.
    ITypeLib* library = nullptr;
    HRESULT hr = LoadTypeLibEx(argv[1], REGKIND_NONE, &library);
    Check(hr == S_OK, "LoadTypeLibEx", hr);
    if (library) {
      TLIBATTR* attr = nullptr;
      library->GetLibAttr(&attr);
      const SYSKIND sys = attr ? attr->syskind : SYS_WIN64;
      if (attr) library->ReleaseTLibAttr(attr);
      std::printf("type library of %ls: %s\n", argv[1], sys == SYS_WIN32 ? "SYS_WIN32" : "SYS_WIN64");
      TypeLibrary(library, sys);
      library->Release();
    }
    std::printf("com_client: %d checks, %d failed\n", g_checks, g_failures);
    std::printf("com_client finished\n");
    return g_failures;
  }
  if (argc > 2 && !std::wcscmp(argv[2], L"about")) {
    CoInitialize(nullptr);
    int rc = About();
    CoUninitialize();
    return rc;
  }
  // The module itself first, so that the threads race on its first class object.
  HMODULE module = LoadLibraryW(argv[1]);
  Check(module != nullptr, "LoadLibrary", static_cast<long>(GetLastError()));
  if (!module) return 1;
  // Through void*: the export's real type is not FARPROC's.
  auto getClassObject = reinterpret_cast<GetClassObjectFn>(
      reinterpret_cast<void*>(GetProcAddress(module, "DllGetClassObject")));
  auto canUnload = reinterpret_cast<CanUnloadFn>(
      reinterpret_cast<void*>(GetProcAddress(module, "DllCanUnloadNow")));
  Check(getClassObject && canUnload, "the exports by name");
  if (!getClassObject || !canUnload) return 1;

  CoInitialize(nullptr);  // the class is apartment-threaded: no proxies in between
  Check(canUnload() == S_OK, "a fresh module may go");
  RaceForClassObject(getClassObject);
  ClassObjectChecks(getClassObject, canUnload);
  ObjectChecks(canUnload);
  ITypeLib* library = nullptr;
  HRESULT hr = LoadRegTypeLib(zorva::ids::kLibraryId, 1, 0, LOCALE_NEUTRAL, &library);
  Check(hr == S_OK, "LoadRegTypeLib", hr);
  if (library) {
    TypeLibrary(library, sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32);
    library->Release();
  }
  CoUninitialize();
  std::printf("com_client: %d checks, %d failed\n", g_checks, g_failures);
  std::printf("com_client finished\n");
  return g_failures;
}
