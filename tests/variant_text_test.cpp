#include "service/variant_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
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
VARIANT Dec(bool negative, std::uint32_t hi, std::uint64_t lo, int scale) {
  VARIANT v;
  VariantInit(&v);
  v.decVal.scale = static_cast<BYTE>(scale);
  v.decVal.sign = negative ? DECIMAL_NEG : 0;
  v.decVal.Hi32 = hi;
  v.decVal.Lo64 = lo;
  v.vt = VT_DECIMAL;
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

// The answer as the entry point sees it: "(none)" when there is no text.
std::string Raw(const VARIANT& v, std::int32_t valueType) {
  SVariant holder;
  EXPECT_EQ(VariantToRawText(v, valueType, holder), S_OK);
  const char* text = holder.DataPtr(0);
  return text ? std::string(text) : std::string("(none)");
}

constexpr const char* kNone = "(none)";

// The text each group of value types must give: Text, Memo, URL and Image;
// the numbers ("=": as the text); date-time, whose halves the Date and Time
// types give; Boolean. OLE object, binary and time stamp give none.
struct Row {
  VARIANT value;
  std::string text, number, dateTime, boolean;
  int line = 0;
};

void CheckRows(const std::vector<Row>& rows) {
  for (const Row& r : rows) {
    const std::string& dt = r.dateTime;
    const bool none = dt == kNone;
    for (std::int32_t type = -1; type <= kValueTypeCount; ++type) {
      std::string expected = kNone;
      switch (type) {
        case tkMEText: case tkMEMemo: case tkMEURL: case tkMEImage: expected = r.text; break;
        case tkMEDate: expected = none ? dt : dt.substr(0, 10); break;
        case tkMETime: expected = none ? dt : dt.substr(11); break;
        case tkMEDateTime: expected = dt; break;
        case tkMEBoolean: expected = r.boolean; break;
        case tkMECurrency: case tkMEByte: case tkMEShortInt: case tkMELongInt: case tkMECounter:
        case tkMEFloat: case tkMEDouble: expected = r.number == "=" ? r.text : r.number; break;
        default: break;
      }
      EXPECT_EQ(Raw(r.value, type), expected) << "line " << r.line << " as type " << type;
    }
  }
}
Row NoText(VARIANT v) { return {v, kNone, kNone, kNone, kNone}; }

// A tag of variants.tsv: VT_ names without VT_, joined by "|", or numbers.
VARTYPE TagNamed(const std::string& word) {
  static const std::map<std::string, int> kTags = {
      {"EMPTY", VT_EMPTY}, {"NULL", VT_NULL}, {"I2", VT_I2},   {"I4", VT_I4},       {"R4", VT_R4},
      {"R8", VT_R8},       {"CY", VT_CY},     {"DATE", VT_DATE}, {"DISPATCH", VT_DISPATCH},
      {"ERROR", VT_ERROR}, {"BOOL", VT_BOOL}, {"VARIANT", VT_VARIANT}, {"UNKNOWN", VT_UNKNOWN},
      {"DECIMAL", VT_DECIMAL}, {"I1", VT_I1}, {"UI1", VT_UI1}, {"UI2", VT_UI2}, {"UI4", VT_UI4},
      {"I8", VT_I8}, {"UI8", VT_UI8}, {"INT", VT_INT}, {"UINT", VT_UINT}, {"RECORD", VT_RECORD},
      {"ARRAY", VT_ARRAY}};
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
      std::uint32_t hi;
      std::uint64_t lo;
      in >> sign >> hi >> lo >> scale;
      VARIANT v = Dec(false, hi, lo, static_cast<int>(scale));
      v.decVal.sign = static_cast<BYTE>(sign);
      return v;
    }
    default: return Of(vt, std::stoll(text, nullptr, 0));  // the low bytes are the tag's
  }
}

TEST(VariantText, TableOfScalars) {
  std::ifstream in(ZORVA_SOURCE_DIR "/tests/cases/variants.tsv");
  ASSERT_TRUE(in);
  std::vector<Row> rows;
  std::string line;
  for (int n = 1; std::getline(in, line); ++n) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> f;
    std::istringstream fields(line);
    for (std::string field; std::getline(fields, field, '\t');) f.push_back(field);
    ASSERT_EQ(f.size(), 6u) << "variants.tsv:" << n;
    rows.push_back({ValueOf(TagNamed(f[0]), f[1]), f[2], f[3], f[4], f[5], n});
  }
  EXPECT_GT(rows.size(), 60u);
  CheckRows(rows);
}

TEST(VariantText, StringsPassThroughForEveryType) {
  Strings s;
  // The code page's own conversion is codepage_test's: here, that it is used.
  const std::string million(1 << 20, 'x');
  const VARIANT wideMillion = s.Str(std::u16string(1 << 20, u'x').c_str());
  const struct { VARIANT value; std::string text; } cases[] = {
      {s.Str(u"($1,234.50)"), "($1,234.50)"},
      {s.Str(u"\u00E9\u20AC\u4E2D"), "\xE9\x80?"},  // the code page's bytes, "?" where it has none
      {s.Str(u"ab\0cd", 5), "ab?cd"},  // a zero is a character the code page lacks
      {s.Str(u""), ""},
      {Of(VT_BSTR), ""},
      {wideMillion, million},
  };
  for (const auto& c : cases) {
    for (std::int32_t type = -1; type <= kValueTypeCount; ++type)
      EXPECT_EQ(Raw(c.value, type), c.text) << c.text.substr(0, 20) << " as type " << type;
  }
}

TEST(VariantText, ByReferenceConvertsWhatItPointsAt) {
  Strings s;
  std::int32_t i4 = 42;
  double r8 = 36526.5;
  VARIANT_BOOL b = VARIANT_TRUE;
  CY cy;
  cy.int64 = 12345000;
  DECIMAL dec = Dec(false, 0, 123450, 2).decVal;
  BSTR text = s.Str(u"hi").bstrVal;
  VARIANT inner = Of(VT_R8, 1.5);
  IDispatch* noObject = nullptr;
  VARIANT self = Of(VT_VARIANT | VT_BYREF);
  self.pvarVal = &self;  // a loop ends as no text
  auto ref = [](VARTYPE vt, void* p) { return Of(static_cast<VARTYPE>(vt | VT_BYREF), p); };
  CheckRows({
      {ref(VT_I4, &i4), "42", "=", "1900-02-10 00:00:00", "1"},
      {ref(VT_DATE, &r8), "2000-01-01 12:00:00", "36526.5", "2000-01-01 12:00:00", "1"},
      {ref(VT_BOOL, &b), "True", "-1", "1899-12-29 00:00:00", "1"},
      {ref(VT_CY, &cy), "1234.5", "=", "1903-05-18 12:00:00", "1"},
      {ref(VT_DECIMAL, &dec), "1234.5", "=", "1903-05-18 12:00:00", "1"},
      {ref(VT_VARIANT, &inner), "1.5", "=", "1899-12-31 12:00:00", "1"},
      NoText(self),
      NoText(ref(VT_I4, nullptr)),
      NoText(ref(VT_ERROR, &i4)),
      NoText(ref(VT_DISPATCH, &noObject)),
      NoText(ref(VT_UNKNOWN, nullptr)),
      NoText(ref(VT_ARRAY | VT_I4, &i4)),
  });
  for (std::int32_t type = -1; type <= kValueTypeCount; ++type)
    EXPECT_EQ(Raw(ref(VT_BSTR, &text), type), "hi") << type;
  // The string is only borrowed: the owner still frees it (once) at the end.
  EXPECT_EQ(SysStringLen(text), 2u);
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

// ---- Objects -----------------------------------------------------------------

// An object whose query and default-property read answer as a test says.
class FakeObject : public IDispatch {
 public:
  HRESULT QueryInterface(REFIID iid, void** object) override {
    ++queries;
    queriedDispatch = iid == IID_IDispatch;
    *object = nullptr;
    if (FAILED(queryResult)) return queryResult;
    if (!queryGivesNull) {
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
    ++invokes;
    sawDefaultGet = member == 0 && iid == IID_NULL && locale == 0x400 && flags == DISPATCH_PROPERTYGET &&
                    params && params->cArgs == 0 && params->cNamedArgs == 0 && !exception && !argErr &&
                    result && result->vt == VT_EMPTY;
    if (FAILED(invokeResult)) return invokeResult;
    *result = answer;
    if (answer.vt == VT_BSTR) result->bstrVal = SysAllocString(answer.bstrVal);  // the caller frees it
    if (answer.vt == VT_DISPATCH && answer.pdispVal) answer.pdispVal->AddRef();
    return invokeResult;
  }

  HRESULT queryResult = S_OK;
  bool queryGivesNull = false;
  HRESULT invokeResult = S_OK;
  VARIANT answer = Of(VT_EMPTY);  // owned by the test
  ULONG refs = 1;
  int queries = 0;
  int invokes = 0;
  bool queriedDispatch = false;
  bool sawDefaultGet = false;
};

VARIANT Holding(FakeObject& object, VARTYPE vt) { return Of(vt, static_cast<IDispatch*>(&object)); }

// An object as a caller hands it over: VT_DISPATCH or VT_UNKNOWN, by value or
// by reference, behind `links` VT_VARIANT|VT_BYREF (a script host passes a
// variable behind one). Points into itself: neither copied nor moved.
struct Passed {
  Passed(FakeObject& object, VARTYPE tag, int links) : pointer(&object) {
    value = tag & VT_BYREF ? Of(tag, &pointer) : Of(tag, pointer);
    for (int i = 0; i < links; ++i) {
      link[i] = value;
      value = Of(static_cast<VARTYPE>(VT_VARIANT | VT_BYREF), &link[i]);
    }
  }
  Passed(const Passed&) = delete;
  IDispatch* pointer;
  VARIANT link[5];
  VARIANT value;
};
constexpr VARTYPE kObjectTags[] = {VT_DISPATCH, VT_UNKNOWN, VT_DISPATCH | VT_BYREF, VT_UNKNOWN | VT_BYREF};
constexpr int kLinks[] = {0, 1, 4};  // four is as deep as a chain is followed

TEST(VariantObjects, DefaultPropertyIsConverted) {
  Strings s;
  const struct { VARIANT answer; std::int32_t type; const char* text; } cases[] = {
      {s.Str(u"$1.00"), tkMECurrency, "$1.00"},
      {Of(VT_R8, 1234.5), tkMECurrency, "1234.5"},
      {Of(VT_DATE, 36526.5), tkMEDate, "2000-01-01"},
      {Of(VT_EMPTY), tkMEText, kNone},
  };
  for (VARTYPE tag : kObjectTags) {
    for (int links : kLinks) {
      for (const auto& c : cases) {
        FakeObject object;
        object.answer = c.answer;
        Passed passed(object, tag, links);
        EXPECT_EQ(Raw(passed.value, c.type), c.text) << c.text << " tag " << tag << " links " << links;
        EXPECT_TRUE(object.queriedDispatch);
        EXPECT_TRUE(object.sawDefaultGet) << c.text;
        EXPECT_EQ(object.refs, 1u) << "the queried pointer is released";
      }
    }
  }
}

TEST(VariantObjects, FailuresComeBackUnchangedAndLeaveTheAnswer) {
  const struct { HRESULT query, invoke; int invokes; } cases[] = {
      {E_NOINTERFACE, S_OK, 0},
      {static_cast<HRESULT>(0x80040154u), S_OK, 0},
      {S_OK, DISP_E_MEMBERNOTFOUND, 1},
      {S_OK, DISP_E_EXCEPTION, 1},
      {S_OK, E_FAIL, 1},
  };
  for (const auto& c : cases) {
    for (VARTYPE tag : kObjectTags) {
      for (int links : kLinks) {
        FakeObject object;
        object.queryResult = c.query;
        object.invokeResult = c.invoke;
        Passed passed(object, tag, links);
        const HRESULT expected = FAILED(c.query) ? c.query : c.invoke;
        Strings s;
        SVariant holder(s.Str(u"kept"));
        holder.Transmogrify(1);
        EXPECT_EQ(VariantToRawText(passed.value, tkMEText, holder), expected) << tag << " " << links;
        EXPECT_STREQ(holder.DataPtr(0), "kept");
        // The entry point returns the failure and leaves its answer unwritten.
        BSTR out = reinterpret_cast<BSTR>(0x1234);
        EXPECT_EQ(GetFormattedValue(tkMECurrency, nullptr, passed.value, &out), expected);
        EXPECT_EQ(out, reinterpret_cast<BSTR>(0x1234));
        EXPECT_EQ(object.invokes, 2 * c.invokes);
        EXPECT_EQ(object.refs, 1u);
      }
    }
  }
}

// The entry point formats the raw text of a value that is not a string, and
// a value without text as the empty answer.
TEST(VariantObjects, FormattedThroughTheEntryPoint) {
  IntlSettingsOverride dollar(LoadIntlSettings(MakeSystemLocale("en", "$")));
  FakeObject object;
  object.answer = Of(VT_R8, -1234.5);
  // A boolean that is not a string takes the general path, not the quick one.
  const struct {
    std::int32_t type;
    VARIANT value;
    const char16_t* expected;
  } cases[] = {{tkMECurrency, Holding(object, VT_UNKNOWN), u"($1,234.50)"},
               {tkMECurrency, Of(VT_NULL), u""},
               {tkMEBoolean, Of(VT_BOOL, VARIANT_TRUE), u"True"}};
  for (const auto& [type, value, expected] : cases) {
    BSTR out = nullptr;
    ASSERT_EQ(GetFormattedValue(type, nullptr, value, &out), S_OK);
    EXPECT_EQ(std::u16string(out, SysStringLen(out)), expected);
    SysFreeString(out);
  }
}

TEST(VariantObjects, NoObjectGivesNoText) {
  FakeObject object;
  object.queryGivesNull = true;  // a query that succeeds with nothing
  EXPECT_EQ(Raw(Holding(object, VT_DISPATCH), tkMEText), kNone);
  EXPECT_EQ(object.invokes, 0);

  // A chain of references longer than any caller builds is not followed.
  FakeObject deep;
  Passed tooDeep(deep, VT_DISPATCH, 5);
  EXPECT_EQ(Raw(tooDeep.value, tkMEText), kNone);
  EXPECT_EQ(deep.queries, 0);

  // A default property that is itself an object is not followed.
  FakeObject inner;
  FakeObject outer;
  outer.answer = Holding(inner, VT_DISPATCH);
  EXPECT_EQ(Raw(Holding(outer, VT_DISPATCH), tkMEText), kNone);
  EXPECT_EQ(inner.invokes, 0);
  EXPECT_EQ(inner.refs, 1u) << "the answer variant is released";
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
