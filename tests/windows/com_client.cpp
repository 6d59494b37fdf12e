// A C++ client of the registered component, for what a script host cannot
// reach: class objects raced for by threads, the vtable (a variant by value),
// refused calls, error information, the about box, the type library, and the
// module's lifetime.
// Each mode prints what it finds, for the suite to compare with an expected
// file in tests/cases/com_client.expected, typelib.expected and
// version_resource.expected.
//   com_client DLLPATH         the checks
//   com_client DLLPATH typelib dumps the type library inside a DLL of either
//                              bitness
//   com_client DLLPATH version its version resource, likewise
#include <cstdio>
#include <string>

#include "shell/zorva_masked_edit_i.h"

namespace {

// A line of the output the suite compares with an expected file: a result
// code, count or truth in hexadecimal.
void Show(const char* what, long value) { std::printf("%s: 0x%lx\n", what, static_cast<unsigned long>(value)); }

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
  for (Racer& r : racers) {  // a compare of pointers only: releasing the first one early is safe
    Show("a racing thread gets the one class object", r.got == racers[0].got ? r.result : -1);
    if (r.got) r.got->Release();
  }
}

void ClassObjectChecks(GetClassObjectFn getClassObject, CanUnloadFn canUnload) {
  IClassFactory* factory = nullptr;
  void** out = reinterpret_cast<void**>(&factory);
  Show("DllGetClassObject with no out pointer", getClassObject(zorva::ids::kClassId, IID_IClassFactory, nullptr));
  Show("DllGetClassObject for another class", getClassObject(IID_IDispatch, IID_IClassFactory, out));
  Show("DllGetClassObject", getClassObject(zorva::ids::kClassId, IID_IClassFactory, out));
  if (!factory) return;
  Show("a held class object: DllCanUnloadNow", canUnload());
  IUnknown* object = nullptr;
  void** made = reinterpret_cast<void**>(&object);
  Show("CreateInstance with an outer object", factory->CreateInstance(factory, IID_IUnknown, made));
  Show("CreateInstance for an interface the object lacks", factory->CreateInstance(nullptr, IID_IPersist, made));
  Show("and gives no object", object != nullptr);
  factory->LockServer(TRUE);
  factory->Release();
  Show("LockServer: DllCanUnloadNow", canUnload());
  getClassObject(zorva::ids::kClassId, IID_IClassFactory, out);
  factory->LockServer(FALSE);
  factory->Release();
  Show("no locks: DllCanUnloadNow", canUnload());
}

// Through the vtable: a variant by value (a DECIMAL fills all of it) arrives
// whole. The answers themselves, objects in variants included, are the case
// table's, variants.tsv's and host_values.vbs's.
void EarlyBinding(IZorvaMaskedEdit* edit) {
  BSTR empty = SysAllocString(L""), out = nullptr;
  Show("IsValid with no result pointer", edit->IsValid(5, empty, empty, nullptr));
  Show("GetRawValue with no result pointer", edit->GetRawValue(1, empty, empty, nullptr));
  VARIANT dec{};  // the tag overlays decVal's reserved field: set it first
  dec.vt = VT_DECIMAL;
  dec.decVal.scale = 1;
  dec.decVal.sign = DECIMAL_NEG;
  dec.decVal.Lo64 = 125;
  Show("GetFormattedValue of a DECIMAL by value", edit->GetFormattedValue(11, empty, dec, &out));
  std::printf("its answer: [%ls]\n", out ? out : L"(none)");
  SysFreeString(out);
  SysFreeString(empty);
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
void DumpLibrary(ITypeLib* library, const wchar_t* path) {
  TLIBATTR* a = nullptr;
  if (FAILED(library->GetLibAttr(&a))) return;
  std::printf("type library of %ls: %s\n", path, a->syskind == SYS_WIN32 ? "SYS_WIN32" : "SYS_WIN64");
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

// The version resource as Explorer's properties page reads it, for the
// suite to compare with tests/cases/version_resource.expected.
void DumpVersion(const wchar_t* path) {
  DWORD ignored = 0, size = GetFileVersionInfoSizeW(path, &ignored);
  std::wstring data(size / sizeof(wchar_t) + 1, L'\0');
  Show("GetFileVersionInfo", size && GetFileVersionInfoW(path, 0, size, data.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length)) return;
  auto dotted = [](DWORD ms, DWORD ls) {
    std::printf("%lu.%lu.%lu.%lu\n", ms >> 16, ms & 0xffff, ls >> 16, ls & 0xffff);
  };
  std::printf("file version: "), dotted(fixed->dwFileVersionMS, fixed->dwFileVersionLS);
  std::printf("product version: "), dotted(fixed->dwProductVersionMS, fixed->dwProductVersionLS);
  Show("file type", fixed->dwFileType);
  for (const wchar_t* name : {L"CompanyName", L"FileDescription", L"FileVersion", L"InternalName",
                              L"LegalCopyright", L"OriginalFilename", L"ProductName", L"ProductVersion",
                              L"OLESelfRegister"}) {
    wchar_t* text = nullptr;
    std::wstring key = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    if (VerQueryValueW(data.data(), key.c_str(), reinterpret_cast<void**>(&text), &length))
      std::printf("%ls: %ls\n", name, text);
    else
      std::printf("%ls missing\n", name);
  }
}

template <typename T>
T* Query(IUnknown* from, REFIID iid) {
  void* out = nullptr;
  from->QueryInterface(iid, &out);
  return static_cast<T*>(out);
}

// Waits for the about box, checks that it shows with its caption and text,
// and closes it as its OK button would.
DWORD WINAPI WatchAboutBox(void*) {
  HWND box = nullptr;
  auto shown = [&box] { return (box = FindWindowA(nullptr, "About Zorva Masked Edit Control")) && IsWindowVisible(box); };
  for (int i = 0; i < 600 && !shown(); ++i) Sleep(100);
  Show("the about box shows", box && IsWindowVisible(box));
  if (!box) return 1;
  char text[256] = {};
  GetDlgItemTextA(box, 0xFFFF, text, sizeof text);  // the message's static control
  std::printf("its text: %s\n", text);
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  return 0;
}

void ObjectChecks(CanUnloadFn canUnload) {
  IZorvaMaskedEdit* edit = nullptr;
  Show("CoCreateInstance", CoCreateInstance(zorva::ids::kClassId, nullptr, CLSCTX_INPROC_SERVER,
                                            zorva::ids::kInterfaceId, reinterpret_cast<void**>(&edit)));
  if (!edit) return;
  Show("a live object: DllCanUnloadNow", canUnload());
  auto* unknown = Query<IUnknown>(edit, IID_IUnknown);
  auto* dispatch = Query<IDispatch>(edit, IID_IDispatch);
  Show("IUnknown and IDispatch are the main pointer",
       unknown == static_cast<IUnknown*>(edit) && dispatch == static_cast<IDispatch*>(edit));
  Show("QueryInterface with no out", edit->QueryInterface(IID_IUnknown, nullptr));
  auto* errors = Query<ISupportErrorInfo>(edit, IID_ISupportErrorInfo);
  Show("ISupportErrorInfo", errors != nullptr);
  if (errors) {
    Show("error information for the interface", errors->InterfaceSupportsErrorInfo(zorva::ids::kInterfaceId));
    Show("error information for IDispatch", errors->InterfaceSupportsErrorInfo(IID_IDispatch));
    IUnknown* back = Query<IUnknown>(errors, IID_IUnknown);
    Show("ISupportErrorInfo leads back to the object", back == unknown);
    if (back) back->Release();
    errors->Release();
  }
  UINT count = 0;
  Show("GetTypeInfoCount", (edit->GetTypeInfoCount(&count), static_cast<long>(count)));
  Show("GetTypeInfo with no out", edit->GetTypeInfo(0, 0, nullptr));
  EarlyBinding(edit);
  // Late binding refuses an id no name gives (wrong counts and types are the
  // VBScript host's).
  VARIANT result{};  // VT_EMPTY
  DISPPARAMS none = {nullptr, nullptr, 0, 0};
  Show("Invoke of an unknown dispatch id",
       dispatch->Invoke(99, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none, &result, nullptr, nullptr));
  // The about box, on the suite's virtual display, while a thread waits for it.
  HANDLE watcher = CreateThread(nullptr, 0, &WatchAboutBox, nullptr, 0, nullptr);
  Show("AboutBox", edit->AboutBox());
  WaitForSingleObject(watcher, INFINITE);
  CloseHandle(watcher);
  unknown->Release();
  dispatch->Release();
  Show("one reference left: DllCanUnloadNow", canUnload());
  Show("the last Release", static_cast<long>(edit->Release()));
  Show("after it: DllCanUnloadNow", canUnload());
}

int Finish() { return std::printf("com_client finished\n"), 0; }

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return std::printf("usage: com_client DLLPATH [typelib|version]\n"), 2;
  const std::wstring mode = argc > 2 ? argv[2] : L"";
  if (mode == L"typelib") {  // the library inside a module of either bitness, read as data
    ITypeLib* library = nullptr;
    Show("LoadTypeLibEx", LoadTypeLibEx(argv[1], REGKIND_NONE, &library));
    if (library) {
      DumpLibrary(library, argv[1]);
      library->Release();
    }
    return Finish();
  }
  if (mode == L"version") return DumpVersion(argv[1]), Finish();
  CoInitialize(nullptr);  // the class is apartment-threaded: no proxies in between
  // The module itself first, so that the threads race on its first class object.
  HMODULE module = LoadLibraryW(argv[1]);
  // Through void*: the exports' real types are not FARPROC's.
  auto getClassObject = reinterpret_cast<GetClassObjectFn>(
      reinterpret_cast<void*>(module ? GetProcAddress(module, "DllGetClassObject") : nullptr));
  auto canUnload = reinterpret_cast<CanUnloadFn>(
      reinterpret_cast<void*>(module ? GetProcAddress(module, "DllCanUnloadNow") : nullptr));
  Show("LoadLibrary and the exports by name", getClassObject && canUnload);
  if (!getClassObject || !canUnload) return Finish();
  Show("a fresh module: DllCanUnloadNow", canUnload());
  RaceForClassObject(getClassObject);
  ClassObjectChecks(getClassObject, canUnload);
  ObjectChecks(canUnload);
  CoUninitialize();
  return Finish();
}
