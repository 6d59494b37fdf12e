// Writes the component's type library through ICreateTypeLib2: run at build
// time under Wine. Usage: make_typelib OUT.tlb win32|win64
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <cwchar>

#include <windows.h>
#include <oleauto.h>

#include "shell/zorva_masked_edit_i.h"

namespace {

#define CHECK(call)                                                               \
  do {                                                                            \
    HRESULT hr_ = (call);                                                         \
    if (FAILED(hr_)) {                                                            \
      std::fprintf(stderr, "make_typelib: %s failed: 0x%08lx\n", #call,           \
                   static_cast<unsigned long>(hr_));                              \
      std::exit(1);                                                               \
    }                                                                             \
  } while (0)

struct EnumValue {
  const wchar_t* name;
  const wchar_t* help;
};
const EnumValue kValueTypes[] = {
#define ZORVA_VALUE_TYPE(number, c_name, constant, name, description) \
  {L"" #constant, L"Data Value type is " description},
#include "zorva/value_types.def"
#undef ZORVA_VALUE_TYPE
};

ICreateTypeInfo* MakeEnum(ICreateTypeLib2* lib) {
  ICreateTypeInfo* info = nullptr;
  CHECK(lib->CreateTypeInfo(const_cast<LPOLESTR>(L"ZorvaMaskedEditConstants"), TKIND_ENUM, &info));
  for (UINT i = 0; i < std::size(kValueTypes); ++i) {
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_I4;
    value.lVal = static_cast<LONG>(i);
    VARDESC var = {};
    var.memid = 0x40000000 + i;  // what compiled libraries give enumeration members
    var.varkind = VAR_CONST;
    var.lpvarValue = &value;
    var.elemdescVar.tdesc.vt = VT_I4;
    CHECK(info->AddVarDesc(i, &var));
    CHECK(info->SetVarName(i, const_cast<LPOLESTR>(kValueTypes[i].name)));
    CHECK(info->SetVarDocString(i, const_cast<LPOLESTR>(kValueTypes[i].help)));
  }
  CHECK(info->LayOut());
  return info;
}

struct Param {
  const wchar_t* name;
  VARTYPE vt;  // VT_USERDEFINED: the enumeration
  USHORT flags;
};

void AddMethod(ICreateTypeInfo* info, UINT index, DISPID id, const wchar_t* name,
               const Param* params, UINT count, HREFTYPE enumRef, const wchar_t* help,
               DWORD context, SYSKIND sys) {
  ELEMDESC elems[4] = {};
  TYPEDESC pointed[4] = {};
  for (UINT i = 0; i < count; ++i) {
    TYPEDESC& t = elems[i].tdesc;
    if (params[i].vt == VT_USERDEFINED) {
      t.vt = VT_USERDEFINED;
      t.hreftype = enumRef;
    } else if (params[i].flags & PARAMFLAG_FRETVAL) {
      pointed[i].vt = params[i].vt;
      t.vt = VT_PTR;
      t.lptdesc = &pointed[i];
    } else {
      t.vt = params[i].vt;
    }
    elems[i].paramdesc.wParamFlags = params[i].flags;
  }
  FUNCDESC func = {};
  func.memid = id;
  func.funckind = FUNC_PUREVIRTUAL;
  func.invkind = INVOKE_FUNC;
  func.callconv = CC_STDCALL;
  func.cParams = static_cast<SHORT>(count);
  func.lprgelemdescParam = elems;
  func.oVft = static_cast<SHORT>((7 + index) * (sys == SYS_WIN64 ? 8 : 4));
  func.elemdescFunc.tdesc.vt = VT_HRESULT;
  CHECK(info->AddFuncDesc(index, &func));
  LPOLESTR names[5] = {const_cast<LPOLESTR>(name)};
  for (UINT i = 0; i < count; ++i) names[i + 1] = const_cast<LPOLESTR>(params[i].name);
  // The result is named too, as object browsers and early-binding tools show it.
  CHECK(info->SetFuncAndParamNames(index, names, count + 1));
  CHECK(info->SetFuncDocString(index, const_cast<LPOLESTR>(help)));
  CHECK(info->SetFuncHelpContext(index, context));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: make_typelib OUT.tlb win32|win64\n");
    return 2;
  }
  const SYSKIND sys = std::wcscmp(argv[2], L"win32") == 0 ? SYS_WIN32 : SYS_WIN64;
  CHECK(CoInitialize(nullptr));
  ICreateTypeLib2* lib = nullptr;
  CHECK(CreateTypeLib2(sys, argv[1], &lib));
  CHECK(lib->SetGuid(zorva::ids::kLibraryId));
  CHECK(lib->SetName(const_cast<LPOLESTR>(L"ZorvaMaskedEdit")));
  CHECK(lib->SetVersion(1, 0));
  CHECK(lib->SetLcid(LOCALE_NEUTRAL));
  CHECK(lib->SetDocString(const_cast<LPOLESTR>(L"Zorva Masked Edit Object")));
  CHECK(lib->SetHelpFileName(const_cast<LPOLESTR>(L"ZorvaMaskedEdit.hlp")));

  ITypeLib* stdole = nullptr;
  CHECK(LoadTypeLib(L"stdole2.tlb", &stdole));
  ITypeInfo* dispatch = nullptr;
  CHECK(stdole->GetTypeInfoOfGuid(IID_IDispatch, &dispatch));

  ICreateTypeInfo* constants = MakeEnum(lib);
  ITypeInfo* constantsInfo = nullptr;
  CHECK(constants->QueryInterface(IID_ITypeInfo, reinterpret_cast<void**>(&constantsInfo)));

  ICreateTypeInfo* iface = nullptr;
  CHECK(lib->CreateTypeInfo(const_cast<LPOLESTR>(L"IZorvaMaskedEdit"), TKIND_INTERFACE, &iface));
  CHECK(iface->SetGuid(zorva::ids::kInterfaceId));
  CHECK(iface->SetTypeFlags(TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION));
  CHECK(iface->SetDocString(
      const_cast<LPOLESTR>(L"Primary interface for the ZorvaMaskedEdit object")));
  HREFTYPE dispatchRef, enumRef;
  CHECK(iface->AddRefTypeInfo(dispatch, &dispatchRef));
  CHECK(iface->AddImplType(0, dispatchRef));
  CHECK(iface->AddRefTypeInfo(constantsInfo, &enumRef));
  const USHORT in = PARAMFLAG_FIN, out = PARAMFLAG_FOUT | PARAMFLAG_FRETVAL;
  const Param isValid[] = {{L"valueType", VT_USERDEFINED, in}, {L"mask", VT_BSTR, in},
                           {L"value", VT_BSTR, in}, {L"RetVal", VT_I4, out}};
  const Param raw[] = {{L"valueType", VT_USERDEFINED, in}, {L"mask", VT_BSTR, in},
                       {L"value", VT_BSTR, in}, {L"RetVal", VT_BSTR, out}};
  const Param formatted[] = {{L"valueType", VT_USERDEFINED, in}, {L"mask", VT_BSTR, in},
                             {L"value", VT_VARIANT, in}, {L"RetVal", VT_BSTR, out}};
  AddMethod(iface, 0, 0, L"IsValid", isValid, 4, enumRef, L"Invokes the IsValid method", 10000, sys);
  AddMethod(iface, 1, 1, L"GetRawValue", raw, 4, enumRef, L"Invokes the GetRawValue method", 10001,
            sys);
  AddMethod(iface, 2, 2, L"GetFormattedValue", formatted, 4, enumRef,
            L"Invokes the GetFormattedValue method", 10002, sys);
  AddMethod(iface, 3, kDispAboutBox, L"AboutBox", nullptr, 0, enumRef, L"Shows the about box",
            static_cast<DWORD>(kDispAboutBox), sys);
  CHECK(iface->LayOut());

  ITypeInfo* ifaceInfo = nullptr;
  CHECK(iface->QueryInterface(IID_ITypeInfo, reinterpret_cast<void**>(&ifaceInfo)));
  ICreateTypeInfo* coclass = nullptr;
  CHECK(lib->CreateTypeInfo(const_cast<LPOLESTR>(L"ZorvaMaskedEdit"), TKIND_COCLASS, &coclass));
  CHECK(coclass->SetGuid(zorva::ids::kClassId));
  CHECK(coclass->SetTypeFlags(TYPEFLAG_FCANCREATE));
  CHECK(coclass->SetDocString(const_cast<LPOLESTR>(L"Zorva Masked Edit Object")));
  HREFTYPE ifaceRef;
  CHECK(coclass->AddRefTypeInfo(ifaceInfo, &ifaceRef));
  CHECK(coclass->AddImplType(0, ifaceRef));
  CHECK(coclass->SetImplTypeFlags(0, IMPLTYPEFLAG_FDEFAULT));
  CHECK(coclass->LayOut());

  CHECK(lib->SaveAllChanges());
  coclass->Release();
  ifaceInfo->Release();
  iface->Release();
  constantsInfo->Release();
  constants->Release();
  dispatch->Release();
  stdole->Release();
  lib->Release();
  CoUninitialize();
  return 0;
}
