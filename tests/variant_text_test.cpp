#include "service/variant_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <deque>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "intl/settings.h"
#include "zorva/automation.h"
#include "zorva/masked_edit.h"
#include "zorva/types.h"

namespace zorva {
namespace {

// A variant of any scalar tag: every scalar member starts where llVal does.
template <class T = std::int64_t>
VARIANT Of(VARTYPE vt, T x = 0) {
  static_assert(sizeof x <= sizeof(LONGLONG));
  VARIANT v;
  VariantInit(&v);
  v.vt = vt;
  std::memcpy(&v.llVal, &x, sizeof x);
  return v;
}

// Owns the BSTRs of the variants a test builds.
struct Strings {
  std::vector<BSTR> owned;
  ~Strings() { for (BSTR s : owned) SysFreeString(s); }
  VARIANT Str(const char16_t* text, UINT length) {
    VARIANT v = Of(VT_BSTR);
    v.bstrVal = SysAllocStringLen(text, length);
    owned.push_back(v.bstrVal);
    return v;
  }
  VARIANT Str(const char16_t* text) { return Str(text, static_cast<UINT>(std::char_traits<char16_t>::length(text))); }
};

// The answer as the entry point sees it: "(none)" when there is no text,
// "!" and the code in hex when the call fails (the holder then unchanged).
std::string Raw(const VARIANT& v, std::int32_t valueType) {
  SVariant holder(Of(VT_I4, 7));
  holder.Transmogrify(1);
  const HRESULT hr = VariantToRawText(v, valueType, holder);
  const char* text = holder.DataPtr(0);
  char code[16];
  std::snprintf(code, sizeof code, "!0x%08X", static_cast<unsigned>(hr));
  EXPECT_STREQ(FAILED(hr) ? text : "7", "7");
  return FAILED(hr) ? code : hr != S_OK ? "?" : text ? text : "(none)";
}

constexpr const char* kNone = "(none)";

// A tag of variants.tsv: VT_ names without VT_, joined by "|", or numbers.
VARTYPE TagNamed(const std::string& word) {
  static const std::map<std::string, int> kTags = {
      {"EMPTY", VT_EMPTY}, {"NULL", VT_NULL}, {"I2", VT_I2}, {"I4", VT_I4}, {"R4", VT_R4}, {"R8", VT_R8},
      {"CY", VT_CY}, {"DATE", VT_DATE}, {"DISPATCH", VT_DISPATCH}, {"ERROR", VT_ERROR}, {"BOOL", VT_BOOL},
      {"VARIANT", VT_VARIANT}, {"UNKNOWN", VT_UNKNOWN}, {"DECIMAL", VT_DECIMAL}, {"I1", VT_I1}, {"UI1", VT_UI1},
      {"UI2", VT_UI2}, {"UI4", VT_UI4}, {"I8", VT_I8}, {"UI8", VT_UI8}, {"INT", VT_INT}, {"UINT", VT_UINT},
      {"RECORD", VT_RECORD}, {"ARRAY", VT_ARRAY}};
  int vt = 0;
  std::istringstream parts(word);
  for (std::string part; std::getline(parts, part, '|');)
    vt |= kTags.count(part) ? kTags.at(part) : std::stoi(part, nullptr, 0);
  return static_cast<VARTYPE>(vt);
}

// A value of variants.tsv: a number of the tag's kind; a decimal as its sign
// byte, high 32 bits, low 64 bits and scale.
VARIANT ValueOf(VARTYPE vt, const std::string& text) {
  if (text.empty()) return Of(vt);
  switch (vt) {
    case VT_R8: case VT_DATE: return Of(vt, std::strtod(text.c_str(), nullptr));
    case VT_R4: return Of(vt, std::strtof(text.c_str(), nullptr));
    case VT_UI8: return Of(vt, std::stoull(text));
    case VT_DECIMAL: {
      std::istringstream in(text);
      unsigned sign, scale;
      VARIANT v = Of(VT_EMPTY);
      in >> sign >> v.decVal.Hi32 >> v.decVal.Lo64 >> scale;
      v.decVal.sign = static_cast<BYTE>(sign);
      v.decVal.scale = static_cast<BYTE>(scale);
      v.vt = VT_DECIMAL;
      return v;
    }
    default: return Of(vt, std::stoll(text, nullptr, 0));  // the low bytes are the tag's
  }
}

// An object whose query and default-property read answer as a row says.
class FakeObject : public IDispatch {
 public:
  HRESULT QueryInterface(REFIID iid, void** object) override {
    EXPECT_TRUE(iid == IID_IDispatch);
    *object = nullptr;
    if (SUCCEEDED(queryResult) && !queryGivesNull) {
      *object = static_cast<IDispatch*>(this);
      AddRef();
    }
    return queryResult;
  }
  ULONG AddRef() override { return ++refs; }
  ULONG Release() override { return --refs; }
  HRESULT GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  HRESULT GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT Invoke(DISPID member, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                 VARIANT* result, EXCEPINFO* exception, UINT* argErr) override {
    EXPECT_TRUE(member == 0 && iid == IID_NULL && locale == 0x400 && flags == DISPATCH_PROPERTYGET &&
                params && params->cArgs == 0 && params->cNamedArgs == 0 && !exception && !argErr &&
                result && result->vt == VT_EMPTY);
    if (FAILED(invokeResult)) return invokeResult;
    *result = answer;
    if (answer.vt == VT_BSTR) result->bstrVal = SysAllocString(answer.bstrVal);  // the caller frees it
    if (answer.vt == VT_DISPATCH && answer.pdispVal) answer.pdispVal->AddRef();
    return invokeResult;
  }

  HRESULT queryResult = S_OK;
  bool queryGivesNull = false;
  HRESULT invokeResult = S_OK;
  VARIANT answer = Of(VT_EMPTY);
  ULONG refs = 1;
};

// The seventh column of variants.tsv: words that wrap the value, in order.
//   ref      the same tag by reference        nullref  by reference to nothing
//   var      VT_VARIANT by reference to it     self     a VT_VARIANT reference to itself
//   obj unk  an object (VT_DISPATCH, VT_UNKNOWN) whose default property it is
//   nothing  that object's query succeeds with no object
//   qfail=X invfail=X  its query or property read fails with HRESULT X
// Everything built points into `held`, which neither copies nor moves.
struct Wrapped {
  std::deque<VARIANT> held;
  std::deque<FakeObject> objects;
  VARIANT value;
  Wrapped(VARIANT v, const std::string& words) : value(v) {
    std::istringstream in(words);
    for (std::string word; in >> word;) {
      VARIANT& inner = held.emplace_back(value);
      void* at = inner.vt == VT_DECIMAL ? static_cast<void*>(&inner.decVal) : &inner.llVal;
      const auto byRef = static_cast<VARTYPE>(inner.vt | VT_BYREF);
      if (word == "ref") value = Of(byRef, at);
      else if (word == "nullref") value = Of(byRef, nullptr);
      else if (word == "var") value = Of(VT_VARIANT | VT_BYREF, &inner);
      else if (word == "self") value = inner = Of(VT_VARIANT | VT_BYREF, &inner);
      else if (word == "obj" || word == "unk") {
        FakeObject& o = objects.emplace_back();
        o.answer = inner;
        value = Of(word == "obj" ? VT_DISPATCH : VT_UNKNOWN, static_cast<IDispatch*>(&o));
      } else if (word == "nothing") objects.back().queryGivesNull = true;
      else if (word.rfind("qfail=", 0) == 0) objects.back().queryResult = std::stoul(word.substr(6), nullptr, 16);
      else if (word.rfind("invfail=", 0) == 0) objects.back().invokeResult = std::stoul(word.substr(8), nullptr, 16);
      else ADD_FAILURE() << "unknown word " << word;
    }
  }
};

// The text each group of value types must give: Text, Memo, URL and Image;
// the numbers ("=": as the text); date-time, whose halves the Date and Time
// types give; Boolean. OLE object, binary and time stamp give none; a
// failure ("!" and its code) is the answer for every type.
void CheckRow(const VARIANT& value, const std::vector<std::string>& f, const std::string& where) {
  const std::string& text = f[2], & dt = f[4];
  const bool none = dt == kNone;
  for (std::int32_t type = -1; type <= kValueTypeCount; ++type) {
    std::string expected = text[0] == '!' ? text : kNone;
    if (text[0] != '!') switch (type) {
      case tkMEText: case tkMEMemo: case tkMEURL: case tkMEImage: expected = text; break;
      case tkMEDate: expected = none ? dt : dt.substr(0, 10); break;
      case tkMETime: expected = none ? dt : dt.substr(11); break;
      case tkMEDateTime: expected = dt; break;
      case tkMEBoolean: expected = f[5]; break;
      case tkMECurrency: case tkMEByte: case tkMEShortInt: case tkMELongInt: case tkMECounter:
      case tkMEFloat: case tkMEDouble: expected = f[3] == "=" ? text : f[3]; break;
      default: break;
    }
    EXPECT_EQ(Raw(value, type), expected) << where << " as type " << type;
  }
  // The entry point formats the raw text (none as the empty answer, cut to 254
  // characters; a Boolean not given as a string takes the general path), or
  // returns the failure and leaves its answer unwritten.
  const bool failed = text[0] == '!';
  const std::string boolean = f[5] == "1" ? "True" : f[5] == "0" ? "False" : "";
  for (std::int32_t type : {tkMEText, tkMEBoolean}) {
    BSTR out = reinterpret_cast<BSTR>(0x1234);
    const HRESULT hr = GetFormattedValue(type, nullptr, value, &out);
    if (failed) {
      EXPECT_EQ(hr, static_cast<HRESULT>(std::stoul(text.substr(1), nullptr, 16))) << where;
      EXPECT_EQ(out, reinterpret_cast<BSTR>(0x1234)) << where;
      continue;
    }
    ASSERT_EQ(hr, S_OK) << where;
    EXPECT_EQ(std::string(out, out + SysStringLen(out)), type == tkMEText ? (text == kNone ? "" : text.substr(0, 254)) : boolean) << where;
    SysFreeString(out);
  }
}

TEST(VariantText, Table) {
  std::ifstream in(ZORVA_SOURCE_DIR "/tests/cases/variants.tsv");
  ASSERT_TRUE(in);
  std::string line;
  int rows = 0;
  for (int n = 1; std::getline(in, line); ++n) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> f;
    std::istringstream fields(line);
    for (std::string field; std::getline(fields, field, '\t');) f.push_back(field);
    const std::string where = "variants.tsv:" + std::to_string(n);
    ASSERT_TRUE(f.size() == 6u || f.size() == 7u) << where;
    IntlSettingsOverride dollar(LoadIntlSettings(MakeSystemLocale("en", "$")));
    Wrapped w(ValueOf(TagNamed(f[0]), f[1]), f.size() == 7 ? f[6] : "");
    CheckRow(w.value, f, where);
    for (const FakeObject& o : w.objects) EXPECT_EQ(o.refs, 1u) << where << ": every reference released";
    ++rows;
  }
  EXPECT_GT(rows, 90);
}

TEST(VariantText, StringsPassThroughForEveryType) {
  Strings s;
  // The code page's own conversion is codepage_test's: here, that it is used.
  const std::string million(1 << 20, 'x');
  const VARIANT wideMillion = s.Str(std::u16string(1 << 20, u'x').c_str());
  BSTR borrowed = s.Str(u"hi").bstrVal;  // by reference: the owner still frees it, once
  FakeObject object;  // a default property that is a string is freed by the caller
  object.answer = s.Str(u"$1.00");
  const struct { VARIANT value; std::string text; } cases[] = {
      {s.Str(u"($1,234.50)"), "($1,234.50)"},
      {s.Str(u"\u00E9\u20AC\u4E2D"), "\xE9\x80?"},  // the code page's bytes, "?" where it has none
      {s.Str(u"ab\0cd", 5), "ab?cd"},  // a zero is a character the code page lacks
      {s.Str(u""), ""},
      {Of(VT_BSTR), ""},
      {wideMillion, million},
      {Of(VT_BSTR | VT_BYREF, &borrowed), "hi"},
      {Of(VT_DISPATCH, static_cast<IDispatch*>(&object)), "$1.00"},
  };
  for (const auto& c : cases) {
    for (std::int32_t type = -1; type <= kValueTypeCount; ++type)
      EXPECT_EQ(Raw(c.value, type), c.text) << c.text.substr(0, 20) << " as type " << type;
  }
  EXPECT_EQ(SysStringLen(borrowed), 2u);
}

TEST(VariantText, DecimalSeparatorOfTheSettings) {
  IntlSettings settings = LoadIntlSettings(MakeSystemLocale("en", "$"));
  settings.sDecimal = ',';
  IntlSettingsOverride use(settings);
  EXPECT_EQ(Raw(Of(VT_R8, 1234.5), tkMEDouble), "1234,5");
  EXPECT_EQ(Raw(Of(VT_CY, std::int64_t{-12345000}), tkMECurrency), "-1234,5");
  EXPECT_EQ(Raw(Of(VT_R8, 1.5e300), tkMEDouble), "1,5E+300");
  EXPECT_EQ(Raw(Of(VT_DATE, 0.5), tkMEDateTime), "1899-12-30 12:00:00");
}

// ---- The holder --------------------------------------------------------------

TEST(SVariantHolder, ConvertsInPlaceAndMoves) {
  SVariant number(Of(VT_R8, 2.5));
  EXPECT_EQ(number.DataPtr(0), nullptr);  // no text before a conversion
  EXPECT_EQ(number.Transmogrify(12), 0);  // an unknown code changes nothing
  EXPECT_EQ(number.Transmogrify(6), 1);
  EXPECT_STREQ(number.DataPtr(0), "1900-01-01");
  EXPECT_EQ(number.Transmogrify(1), 1);  // text stays text
  EXPECT_STREQ(number.DataPtr(0), "1900-01-01");

  SVariant moved(std::move(number));
  EXPECT_STREQ(moved.DataPtr(0), "1900-01-01");
  EXPECT_EQ(number.DataPtr(0), nullptr);

  SVariant scalarCopy;
  scalarCopy = SVariant(Of(VT_BOOL, VARIANT_TRUE));
  EXPECT_EQ(scalarCopy.Transmogrify(13), 1);
  EXPECT_STREQ(scalarCopy.DataPtr(0), "-1");
}

TEST(FormatBlocks, BoundedByTheDestination) {
  char small[4];
  EXPECT_EQ(FormatRealText(small, sizeof small, 1234.5, 15), 3u);
  EXPECT_STREQ(small, "123");
  EXPECT_EQ(FormatScaledText(small, sizeof small, true, 0, 12345, 1), 3u);
  EXPECT_STREQ(small, "-12");
  EXPECT_EQ(FormatDayCount(small, sizeof small, 0, 8), 3u);
  EXPECT_STREQ(small, "189");
  EXPECT_EQ(FormatIntegerText(small, 1, false, 99), 0u);
  EXPECT_STREQ(small, "");
  char answer[256];
  EXPECT_EQ(FormatRealText(answer, sizeof answer, -1e-300, 15), 7u);
  EXPECT_STREQ(answer, "-1E-300");
}

}  // namespace
}  // namespace zorva
