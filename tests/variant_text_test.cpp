#include "service/variant_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "intl/settings.h"
#include "zorva/types.h"

namespace zorva {
namespace {

// ---- Building variants -------------------------------------------------------

VARIANT Make(VARTYPE vt) {
  VARIANT v;
  VariantInit(&v);
  v.vt = vt;
  return v;
}
VARIANT I1(signed char x) { VARIANT v = Make(VT_I1); v.cVal = static_cast<char>(x); return v; }
VARIANT UI1(std::uint8_t x) { VARIANT v = Make(VT_UI1); v.bVal = x; return v; }
VARIANT I2(std::int16_t x) { VARIANT v = Make(VT_I2); v.iVal = x; return v; }
VARIANT UI2(std::uint16_t x) { VARIANT v = Make(VT_UI2); v.uiVal = x; return v; }
VARIANT I4(std::int32_t x) { VARIANT v = Make(VT_I4); v.lVal = x; return v; }
VARIANT UI4(std::uint32_t x) { VARIANT v = Make(VT_UI4); v.ulVal = x; return v; }
VARIANT I8(std::int64_t x) { VARIANT v = Make(VT_I8); v.llVal = x; return v; }
VARIANT UI8(std::uint64_t x) { VARIANT v = Make(VT_UI8); v.ullVal = x; return v; }
VARIANT Int(int x) { VARIANT v = Make(VT_INT); v.intVal = x; return v; }
VARIANT UInt(unsigned x) { VARIANT v = Make(VT_UINT); v.uintVal = x; return v; }
VARIANT R4(float x) { VARIANT v = Make(VT_R4); v.fltVal = x; return v; }
VARIANT R8(double x) { VARIANT v = Make(VT_R8); v.dblVal = x; return v; }
VARIANT Cy(std::int64_t units) { VARIANT v = Make(VT_CY); v.cyVal.int64 = units; return v; }
VARIANT Date(double days) { VARIANT v = Make(VT_DATE); v.date = days; return v; }
VARIANT Bool(VARIANT_BOOL b) { VARIANT v = Make(VT_BOOL); v.boolVal = b; return v; }
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
  ~Strings() {
    for (BSTR s : owned) SysFreeString(s);
  }
  VARIANT Str(const char16_t* text, UINT length) {
    VARIANT v = Make(VT_BSTR);
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

// ---- The matrix --------------------------------------------------------------

constexpr const char* kNone = "(none)";

// Expected text per group of value types; every type of a group must agree.
struct Row {
  const char* name;
  VARIANT value;
  const char* text;      // Text, Memo, URL, Image
  const char* number;    // Currency, Byte, ShortInt, LongInt, Counter, Float, Double
  const char* date;
  const char* time;
  const char* dateTime;
  const char* boolean;
};

enum Group { kText, kNumber, kDate, kTime, kDateTime, kBoolean, kUnsupported };

Group GroupOf(std::int32_t type) {
  switch (type) {
    case tkMEText: case tkMEMemo: case tkMEURL: case tkMEImage: return kText;
    case tkMEDate: return kDate;
    case tkMETime: return kTime;
    case tkMEDateTime: return kDateTime;
    case tkMEBoolean: return kBoolean;
    case tkMEOleObject: case tkMEBinary: case tkMETimeStamp: return kUnsupported;
    default: return kNumber;
  }
}

void CheckRow(const Row& r) {
  for (std::int32_t type = -1; type <= kValueTypeCount; ++type) {
    const char* expected = kNone;
    if (type >= 0 && type < kValueTypeCount) {
      switch (GroupOf(type)) {
        case kText: expected = r.text; break;
        case kNumber: expected = r.number; break;
        case kDate: expected = r.date; break;
        case kTime: expected = r.time; break;
        case kDateTime: expected = r.dateTime; break;
        case kBoolean: expected = r.boolean; break;
        case kUnsupported: break;
      }
    }
    EXPECT_EQ(Raw(r.value, type), expected) << r.name << " as type " << type;
  }
}

TEST(VariantText, EmptyNullAndTagsWithoutText) {
  VARIANT array = Make(VT_ARRAY | VT_I4);
  array.parray = nullptr;
  const Row rows[] = {
      {"empty", Make(VT_EMPTY), kNone, kNone, kNone, kNone, kNone, kNone},
      {"null", Make(VT_NULL), kNone, kNone, kNone, kNone, kNone, kNone},
      {"error", [] { VARIANT v = Make(VT_ERROR); v.scode = E_FAIL; return v; }(), kNone, kNone, kNone, kNone, kNone, kNone},
      {"array", array, kNone, kNone, kNone, kNone, kNone, kNone},
      {"record", Make(VT_RECORD), kNone, kNone, kNone, kNone, kNone, kNone},
      {"variant by value", Make(VT_VARIANT), kNone, kNone, kNone, kNone, kNone, kNone},
      {"unknown tag", Make(0x7FF), kNone, kNone, kNone, kNone, kNone, kNone},
      {"tag 15", Make(15), kNone, kNone, kNone, kNone, kNone, kNone},
      {"null dispatch", Make(VT_DISPATCH), kNone, kNone, kNone, kNone, kNone, kNone},
      {"null unknown", Make(VT_UNKNOWN), kNone, kNone, kNone, kNone, kNone, kNone},
  };
  for (const Row& r : rows) CheckRow(r);
}

TEST(VariantText, Integers) {
  const Row rows[] = {
      {"I2", I2(1234), "1234", "1234", "1903-05-18", "00:00:00", "1903-05-18 00:00:00", "1"},
      {"I4 negative", I4(-5), "-5", "-5", "1899-12-25", "00:00:00", "1899-12-25 00:00:00", "1"},
      {"I4 zero", I4(0), "0", "0", "1899-12-30", "00:00:00", "1899-12-30 00:00:00", "0"},
      {"I1", I1(-128), "-128", "-128", "1899-08-24", "00:00:00", "1899-08-24 00:00:00", "1"},
      {"UI1", UI1(255), "255", "255", "1900-09-11", "00:00:00", "1900-09-11 00:00:00", "1"},
      {"UI2", UI2(65535), "65535", "65535", "2079-06-04", "00:00:00", "2079-06-04 00:00:00", "1"},
      {"UI4", UI4(4294967295u), "4294967295", "4294967295", kNone, kNone, kNone, "1"},
      {"I8 min", I8(std::numeric_limits<std::int64_t>::min()), "-9223372036854775808",
       "-9223372036854775808", kNone, kNone, kNone, "1"},
      {"UI8 max", UI8(~std::uint64_t{0}), "18446744073709551615", "18446744073709551615", kNone,
       kNone, kNone, "1"},
      {"INT", Int(-7), "-7", "-7", "1899-12-23", "00:00:00", "1899-12-23 00:00:00", "1"},
      {"UINT", UInt(2958465), "2958465", "2958465", "9999-12-31", "00:00:00", "9999-12-31 00:00:00", "1"},
      {"I4 first day", I4(-657434), "-657434", "-657434", "0100-01-01", "00:00:00", "0100-01-01 00:00:00", "1"},
      {"I4 before range", I4(-657435), "-657435", "-657435", kNone, kNone, kNone, "1"},
      {"I4 after range", I4(2958466), "2958466", "2958466", kNone, kNone, kNone, "1"},
  };
  for (const Row& r : rows) CheckRow(r);
}

TEST(VariantText, Reals) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const std::string e200 = "1" + std::string(200, '0');
  const std::string e254 = "1" + std::string(254, '0');       // 255 characters: still plain
  const std::string em253 = "0." + std::string(252, '0') + "1";  // 255 characters
  const Row rows[] = {
      {"R8", R8(1234.5), "1234.5", "1234.5", "1903-05-18", "12:00:00", "1903-05-18 12:00:00", "1"},
      {"R8 sum", R8(0.1 + 0.2), "0.3", "0.3", "1899-12-30", "07:12:00", "1899-12-30 07:12:00", "1"},
      {"R8 -0", R8(-0.0), "0", "0", "1899-12-30", "00:00:00", "1899-12-30 00:00:00", "0"},
      {"R8 15 digits", R8(123456789012345678.0), "123456789012346000", "123456789012346000", kNone,
       kNone, kNone, "1"},
      {"R8 small", R8(0.000123), "0.000123", "0.000123", "1899-12-30", "00:00:11",
       "1899-12-30 00:00:11", "1"},
      {"R8 negative days", R8(-1.25), "-1.25", "-1.25", "1899-12-29", "06:00:00", "1899-12-29 06:00:00", "1"},
      {"R8 1.5E+300", R8(1.5e300), "1.5E+300", "1.5E+300", kNone, kNone, kNone, "1"},
      {"R8 1.5E-300", R8(-1.5e-300), "-1.5E-300", "-1.5E-300", "1899-12-30", "00:00:00",
       "1899-12-30 00:00:00", "1"},
      {"R8 1E+200 plain", R8(1e200), e200.c_str(), e200.c_str(), kNone, kNone, kNone, "1"},
      {"R8 1E+254 plain", R8(1e254), e254.c_str(), e254.c_str(), kNone, kNone, kNone, "1"},
      {"R8 1E+255", R8(1e255), "1E+255", "1E+255", kNone, kNone, kNone, "1"},
      {"R8 -1E+254", R8(-1e254), "-1E+254", "-1E+254", kNone, kNone, kNone, "1"},
      {"R8 1E-253 plain", R8(1e-253), em253.c_str(), em253.c_str(), "1899-12-30", "00:00:00",
       "1899-12-30 00:00:00", "1"},
      {"R8 1E-254", R8(1e-254), "1E-254", "1E-254", "1899-12-30", "00:00:00", "1899-12-30 00:00:00", "1"},
      {"R8 NaN", R8(nan), kNone, kNone, kNone, kNone, kNone, kNone},
      {"R8 inf", R8(-inf), kNone, kNone, kNone, kNone, kNone, kNone},
      {"R4", R4(0.1f), "0.1", "0.1", "1899-12-30", "02:24:00", "1899-12-30 02:24:00", "1"},
      {"R4 third", R4(1.0f / 3), "0.3333333", "0.3333333", "1899-12-30", "08:00:00",
       "1899-12-30 08:00:00", "1"},
      {"R4 7 digits", R4(123456.789f), "123456.8", "123456.8", "2238-01-03", "18:56:15",
       "2238-01-03 18:56:15", "1"},
      {"R4 max", R4(std::numeric_limits<float>::max()), "340282300000000000000000000000000000000",
       "340282300000000000000000000000000000000", kNone, kNone, kNone, "1"},
      {"R4 NaN", R4(std::numeric_limits<float>::quiet_NaN()), kNone, kNone, kNone, kNone, kNone, kNone},
  };
  for (const Row& r : rows) CheckRow(r);
}

TEST(VariantText, CurrencyAndDecimal) {
  const Row rows[] = {
      {"CY", Cy(12345000), "1234.5", "1234.5", "1903-05-18", "12:00:00", "1903-05-18 12:00:00", "1"},
      {"CY smallest", Cy(-1), "-0.0001", "-0.0001", "1899-12-30", "00:00:09", "1899-12-30 00:00:09", "1"},
      {"CY zero", Cy(0), "0", "0", "1899-12-30", "00:00:00", "1899-12-30 00:00:00", "0"},
      {"CY whole", Cy(10000), "1", "1", "1899-12-31", "00:00:00", "1899-12-31 00:00:00", "1"},
      {"CY min", Cy(std::numeric_limits<std::int64_t>::min()), "-922337203685477.5808",
       "-922337203685477.5808", kNone, kNone, kNone, "1"},
      {"DEC", Dec(false, 0, 123450, 2), "1234.5", "1234.5", "1903-05-18", "12:00:00",
       "1903-05-18 12:00:00", "1"},
      {"DEC negative", Dec(true, 0, 5, 1), "-0.5", "-0.5", "1899-12-30", "12:00:00",
       "1899-12-30 12:00:00", "1"},
      {"DEC max", Dec(false, 0xFFFFFFFFu, ~std::uint64_t{0}, 0), "79228162514264337593543950335",
       "79228162514264337593543950335", kNone, kNone, kNone, "1"},
      {"DEC max scale 28", Dec(true, 0xFFFFFFFFu, ~std::uint64_t{0}, 28), "-7.9228162514264337593543950335",
       "-7.9228162514264337593543950335", "1899-12-23", "22:08:51", "1899-12-23 22:08:51", "1"},
      {"DEC tiny", Dec(false, 0, 1, 28), "0.0000000000000000000000000001",
       "0.0000000000000000000000000001", "1899-12-30", "00:00:00", "1899-12-30 00:00:00", "1"},
      {"DEC negative zero", Dec(true, 0, 0, 3), "0", "0", "1899-12-30", "00:00:00", "1899-12-30 00:00:00", "0"},
      {"DEC trailing zeros", Dec(false, 0, 1000, 3), "1", "1", "1899-12-31", "00:00:00", "1899-12-31 00:00:00", "1"},
      {"DEC scale 29", Dec(false, 0, 1, 29), kNone, kNone, kNone, kNone, kNone, kNone},
  };
  for (const Row& r : rows) CheckRow(r);
  VARIANT badSign = Dec(false, 0, 1, 0);
  badSign.decVal.sign = 1;
  CheckRow({"DEC bad sign", badSign, kNone, kNone, kNone, kNone, kNone, kNone});
}

TEST(VariantText, Dates) {
  const double second = 1.0 / 86400;
  const Row rows[] = {
      {"noon", Date(36526.5), "2000-01-01 12:00:00", "36526.5", "2000-01-01", "12:00:00",
       "2000-01-01 12:00:00", "1"},
      {"epoch", Date(0), "1899-12-30 00:00:00", "0", "1899-12-30", "00:00:00", "1899-12-30 00:00:00", "0"},
      {"days back, time forward", Date(-1.25), "1899-12-29 06:00:00", "-1.25", "1899-12-29", "06:00:00",
       "1899-12-29 06:00:00", "1"},
      {"less than a day back", Date(-0.5), "1899-12-30 12:00:00", "-0.5", "1899-12-30", "12:00:00",
       "1899-12-30 12:00:00", "1"},
      {"no 29 February 1900", Date(60), "1900-02-28 00:00:00", "60", "1900-02-28", "00:00:00",
       "1900-02-28 00:00:00", "1"},
      {"leap day", Date(36585), "2000-02-29 00:00:00", "36585", "2000-02-29", "00:00:00",
       "2000-02-29 00:00:00", "1"},
      {"round down", Date(0.5 + 0.4 * second), "1899-12-30 12:00:00", "0.50000462962963", "1899-12-30",
       "12:00:00", "1899-12-30 12:00:00", "1"},
      {"round up", Date(0.5 + 0.6 * second), "1899-12-30 12:00:01", "0.500006944444444", "1899-12-30",
       "12:00:01", "1899-12-30 12:00:01", "1"},
      {"carry into the next day", Date(1 - 0.3 * second), "1899-12-31 00:00:00", "0.999996527777778",
       "1899-12-31", "00:00:00", "1899-12-31 00:00:00", "1"},
      {"carry back across zero", Date(-1 - (1 - 0.3 * second)), "1899-12-30 00:00:00", "-1.99999652777778",
       "1899-12-30", "00:00:00", "1899-12-30 00:00:00", "1"},
      {"first moment", Date(-657434.75), "0100-01-01 18:00:00", "-657434.75", "0100-01-01", "18:00:00",
       "0100-01-01 18:00:00", "1"},
      {"before range", Date(-657435), kNone, "-657435", kNone, kNone, kNone, "1"},
      {"last second", Date(2958465 + 86399 * second), "9999-12-31 23:59:59", "2958465.99998843",
       "9999-12-31", "23:59:59", "9999-12-31 23:59:59", "1"},
      {"rounds past the range", Date(2958465 + 86399.6 * second), kNone, "2958465.99999537", kNone, kNone,
       kNone, "1"},
      {"NaN", Date(std::nan("")), kNone, kNone, kNone, kNone, kNone, kNone},
  };
  for (const Row& r : rows) CheckRow(r);
}

TEST(VariantText, Booleans) {
  const Row rows[] = {
      {"true", Bool(VARIANT_TRUE), "True", "-1", "1899-12-29", "00:00:00", "1899-12-29 00:00:00", "1"},
      {"false", Bool(VARIANT_FALSE), "False", "0", "1899-12-30", "00:00:00", "1899-12-30 00:00:00", "0"},
      {"any non-zero", Bool(1), "True", "-1", "1899-12-29", "00:00:00", "1899-12-29 00:00:00", "1"},
  };
  for (const Row& r : rows) CheckRow(r);
}

TEST(VariantText, StringsPassThroughForEveryType) {
  Strings s;
  const std::string million(1 << 20, 'x');
  std::u16string wideMillion(1 << 20, u'x');
  const char16_t embedded[] = {u'a', u'b', 0, u'c', u'd'};
  const char16_t lone[] = {0xD800, u'x', 0xDFFF};
  const char16_t pair[] = {0xD83D, 0xDE00, u'!'};
  struct Case {
    const char* name;
    VARIANT value;
    std::string text;
  } const cases[] = {
      {"word", s.Str(u"abc"), "abc"},
      {"date text", s.Str(u"12/31/2001"), "12/31/2001"},
      {"not a number", s.Str(u"($1,234.50)"), "($1,234.50)"},
      {"code page", s.Str(u"\u00E9\u20AC"), "\xE9\x80"},
      {"no equivalent", s.Str(u"\u4E2D!"), "?!"},
      {"unpaired surrogates", s.Str(lone, 3), "?x?"},
      {"surrogate pair", s.Str(pair, 3), "?!"},
      {"embedded zero is a character the code page lacks", s.Str(embedded, 5), "ab?cd"},
      {"empty", s.Str(u""), ""},
      {"null", Make(VT_BSTR), ""},
      {"megabyte", s.Str(wideMillion.c_str()), million},
  };
  for (const Case& c : cases) {
    for (std::int32_t type = -1; type <= kValueTypeCount; ++type) {
      EXPECT_EQ(Raw(c.value, type), c.text) << c.name << " as type " << type;
    }
  }
  std::string viaString = "old";
  EXPECT_EQ(VariantToRawText(cases[10].value, tkMEMemo, viaString), S_OK);
  EXPECT_EQ(viaString, million);
  EXPECT_EQ(VariantToRawText(Make(VT_EMPTY), tkMEMemo, viaString), S_OK);
  EXPECT_EQ(viaString, "");
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
  VARIANT inner = R8(1.5);
  VARIANT chain = Make(VT_VARIANT | VT_BYREF);
  chain.pvarVal = &inner;
  VARIANT self = Make(VT_VARIANT | VT_BYREF);
  self.pvarVal = &self;  // a loop ends as no text
  auto ref = [](VARTYPE vt, void* p) {
    VARIANT v = Make(static_cast<VARTYPE>(vt | VT_BYREF));
    v.byref = p;
    return v;
  };
  const Row rows[] = {
      {"I4", ref(VT_I4, &i4), "42", "42", "1900-02-10", "00:00:00", "1900-02-10 00:00:00", "1"},
      {"R8 date", ref(VT_DATE, &r8), "2000-01-01 12:00:00", "36526.5", "2000-01-01", "12:00:00",
       "2000-01-01 12:00:00", "1"},
      {"BOOL", ref(VT_BOOL, &b), "True", "-1", "1899-12-29", "00:00:00", "1899-12-29 00:00:00", "1"},
      {"CY", ref(VT_CY, &cy), "1234.5", "1234.5", "1903-05-18", "12:00:00", "1903-05-18 12:00:00", "1"},
      {"DECIMAL", ref(VT_DECIMAL, &dec), "1234.5", "1234.5", "1903-05-18", "12:00:00", "1903-05-18 12:00:00", "1"},
      {"VARIANT", chain, "1.5", "1.5", "1899-12-31", "12:00:00", "1899-12-31 12:00:00", "1"},
      {"VARIANT loop", self, kNone, kNone, kNone, kNone, kNone, kNone},
      {"null pointer", ref(VT_I4, nullptr), kNone, kNone, kNone, kNone, kNone, kNone},
      {"ERROR", ref(VT_ERROR, &i4), kNone, kNone, kNone, kNone, kNone, kNone},
      {"DISPATCH", ref(VT_DISPATCH, &i4), kNone, kNone, kNone, kNone, kNone, kNone},
      {"array", ref(VT_ARRAY | VT_I4, &i4), kNone, kNone, kNone, kNone, kNone, kNone},
  };
  for (const Row& r : rows) CheckRow(r);
  for (std::int32_t type = -1; type <= kValueTypeCount; ++type) {
    EXPECT_EQ(Raw(ref(VT_BSTR, &text), type), "hi") << type;
  }
  // The string is only borrowed: the owner still frees it (once) at the end.
  EXPECT_EQ(SysStringLen(text), 2u);
}

TEST(VariantText, DecimalSeparatorOfTheSettings) {
  IntlSettings settings = LoadIntlSettings(MakeSystemLocale("en", "$"));
  settings.sDecimal = ',';
  IntlSettingsOverride use(settings);
  EXPECT_EQ(Raw(R8(1234.5), tkMEDouble), "1234,5");
  EXPECT_EQ(Raw(Cy(-12345000), tkMECurrency), "-1234,5");
  EXPECT_EQ(Raw(R8(1.5e300), tkMEDouble), "1,5E+300");
  EXPECT_EQ(Raw(Date(0.5), tkMEDateTime), "1899-12-30 12:00:00");
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
  HRESULT GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
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
  VARIANT answer = Make(VT_EMPTY);  // owned by the test
  ULONG refs = 1;
  int queries = 0;
  int invokes = 0;
  bool queriedDispatch = false;
  bool sawDefaultGet = false;
};

VARIANT Holding(FakeObject& object, VARTYPE vt) {
  VARIANT v = Make(vt);
  v.pdispVal = &object;
  return v;
}

TEST(VariantObjects, DefaultPropertyIsConverted) {
  Strings s;
  struct Case {
    const char* name;
    VARIANT answer;
    std::int32_t type;
    const char* text;
  } const cases[] = {
      {"string", s.Str(u"hello"), tkMEText, "hello"},
      {"string as currency", s.Str(u"$1.00"), tkMECurrency, "$1.00"},
      {"number", R8(1234.5), tkMECurrency, "1234.5"},
      {"number as text", I4(-42), tkMEMemo, "-42"},
      {"date", Date(36526.5), tkMEDate, "2000-01-01"},
      {"date-time", Date(36526.5), tkMEDateTime, "2000-01-01 12:00:00"},
      {"boolean", Bool(VARIANT_TRUE), tkMEBoolean, "1"},
      {"empty", Make(VT_EMPTY), tkMEText, kNone},
  };
  for (VARTYPE tag : {VARTYPE{VT_DISPATCH}, VARTYPE{VT_UNKNOWN}}) {
    for (const Case& c : cases) {
      FakeObject object;
      object.answer = c.answer;
      EXPECT_EQ(Raw(Holding(object, tag), c.type), c.text) << c.name << " tag " << tag;
      EXPECT_TRUE(object.queriedDispatch);
      EXPECT_TRUE(object.sawDefaultGet) << c.name;
      EXPECT_EQ(object.refs, 1u) << "the queried pointer is released";
    }
  }
}

TEST(VariantObjects, FailuresComeBackUnchangedAndLeaveTheAnswer) {
  struct Case {
    const char* name;
    HRESULT query;
    HRESULT invoke;
    int invokes;
  } const cases[] = {
      {"query fails", E_NOINTERFACE, S_OK, 0},
      {"query fails oddly", static_cast<HRESULT>(0x80040154u), S_OK, 0},
      {"member not found", S_OK, DISP_E_MEMBERNOTFOUND, 1},
      {"exception", S_OK, DISP_E_EXCEPTION, 1},
      {"plain failure", S_OK, E_FAIL, 1},
  };
  for (const Case& c : cases) {
    FakeObject object;
    object.queryResult = c.query;
    object.invokeResult = c.invoke;
    const HRESULT expected = FAILED(c.query) ? c.query : c.invoke;
    std::string text = "untouched";
    EXPECT_EQ(VariantToRawText(Holding(object, VT_DISPATCH), tkMEText, text), expected) << c.name;
    EXPECT_EQ(text, "untouched");
    Strings s;
    SVariant holder(s.Str(u"kept"));
    holder.Transmogrify(1);
    EXPECT_EQ(VariantToRawText(Holding(object, VT_UNKNOWN), tkMEText, holder), expected) << c.name;
    EXPECT_STREQ(holder.DataPtr(0), "kept");
    EXPECT_EQ(object.invokes, 2 * c.invokes);
    EXPECT_EQ(object.refs, 1u);
  }
}

TEST(VariantObjects, NoObjectGivesNoText) {
  FakeObject object;
  object.queryGivesNull = true;  // a query that succeeds with nothing
  EXPECT_EQ(Raw(Holding(object, VT_DISPATCH), tkMEText), kNone);
  EXPECT_EQ(object.invokes, 0);

  // By reference, an object is not read at all.
  FakeObject byRef;
  IDispatch* pointer = &byRef;
  VARIANT v = Make(VT_DISPATCH | VT_BYREF);
  v.ppdispVal = &pointer;
  EXPECT_EQ(Raw(v, tkMEText), kNone);
  EXPECT_EQ(byRef.queries, 0);

  // A default property that is itself an object is not followed.
  FakeObject inner;
  FakeObject outer;
  outer.answer = Holding(inner, VT_DISPATCH);
  EXPECT_EQ(Raw(Holding(outer, VT_DISPATCH), tkMEText), kNone);
  EXPECT_EQ(inner.invokes, 0);
  EXPECT_EQ(inner.refs, 1u) << "the answer variant is released";
}

// ---- The holder --------------------------------------------------------------

TEST(SVariantHolder, ConvertsInPlaceAndCopies) {
  SVariant empty;
  EXPECT_EQ(empty.DataPtr(0), nullptr);
  EXPECT_EQ(empty.Transmogrify(1), 0);

  SVariant number(R8(2.5));
  EXPECT_EQ(number.DataPtr(0), nullptr);  // no text before a conversion
  EXPECT_EQ(number.Transmogrify(12), 0);  // an unknown code changes nothing
  EXPECT_EQ(number.Transmogrify(6), 1);
  EXPECT_STREQ(number.DataPtr(0), "1900-01-01");
  EXPECT_EQ(number.Transmogrify(1), 1);  // text stays text
  EXPECT_STREQ(number.DataPtr(0), "1900-01-01");

  SVariant copy(number);
  SVariant assigned;
  assigned = copy;
  EXPECT_STREQ(assigned.DataPtr(0), "1900-01-01");
  EXPECT_NE(assigned.DataPtr(0), number.DataPtr(0));
  SVariant moved(std::move(copy));
  EXPECT_STREQ(moved.DataPtr(0), "1900-01-01");

  SVariant scalarCopy;
  scalarCopy = SVariant(Bool(VARIANT_TRUE));
  EXPECT_EQ(scalarCopy.Transmogrify(13), 1);
  EXPECT_STREQ(scalarCopy.DataPtr(0), "-1");

  SVariant binary(I4(3));
  EXPECT_EQ(binary.Transmogrify(9), 0);
  EXPECT_EQ(binary.DataPtr(0), nullptr);
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
