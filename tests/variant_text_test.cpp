#include "service/variant_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
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
// the numbers (nullptr: as the text); date-time, whose halves the Date and
// Time types give; Boolean. OLE object, binary and time stamp give none.
struct Row {
  VARIANT value;
  const char *text, *number, *dateTime, *boolean;
};
const Row kNoText{{}, kNone, kNone, kNone, kNone};

void CheckRows(const std::vector<Row>& rows) {
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const Row& r = rows[i];
    const std::string dt = r.dateTime;
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
        case tkMEFloat: case tkMEDouble: expected = r.number ? r.number : r.text; break;
        default: break;
      }
      EXPECT_EQ(Raw(r.value, type), expected) << "row " << i << " as type " << type;
    }
  }
}
Row NoText(VARIANT v) { Row r = kNoText; r.value = v; return r; }

TEST(VariantText, EmptyNullAndTagsWithoutText) {
  std::vector<Row> rows;
  const int tags[] = {VT_EMPTY, VT_NULL, VT_ERROR, VT_ARRAY | VT_I4, VT_RECORD, VT_VARIANT, 0x7FF, 15, VT_DISPATCH, VT_UNKNOWN};
  for (int vt : tags)
    rows.push_back(NoText(Of(static_cast<VARTYPE>(vt), vt == VT_ERROR ? E_FAIL : 0)));
  CheckRows(rows);
}

TEST(VariantText, Integers) {
  CheckRows({
      {Of(VT_I2, std::int16_t{1234}), "1234", nullptr, "1903-05-18 00:00:00", "1"},
      {Of(VT_I4, 0), "0", nullptr, "1899-12-30 00:00:00", "0"},
      {Of(VT_I1, static_cast<signed char>(-128)), "-128", nullptr, "1899-08-24 00:00:00", "1"},
      {Of(VT_UI1, std::uint8_t{255}), "255", nullptr, "1900-09-11 00:00:00", "1"},
      {Of(VT_UI2, std::uint16_t{65535}), "65535", nullptr, "2079-06-04 00:00:00", "1"},
      {Of(VT_UI4, 4294967295u), "4294967295", nullptr, kNone, "1"},
      {Of(VT_I8, std::numeric_limits<std::int64_t>::min()), "-9223372036854775808", nullptr, kNone, "1"},
      {Of(VT_UI8, ~std::uint64_t{0}), "18446744073709551615", nullptr, kNone, "1"},
      {Of(VT_INT, -7), "-7", nullptr, "1899-12-23 00:00:00", "1"},
      {Of(VT_UINT, 2958465u), "2958465", nullptr, "9999-12-31 00:00:00", "1"},
  });
}

TEST(VariantText, Reals) {
  const std::string e254 = "1" + std::string(254, '0');       // 255 characters: still plain
  const std::string em253 = "0." + std::string(252, '0') + "1";  // 255 characters
  const char* epoch = "1899-12-30 00:00:00";
  CheckRows({
      {Of(VT_R8, 1234.5), "1234.5", nullptr, "1903-05-18 12:00:00", "1"},
      {Of(VT_R8, 0.1 + 0.2), "0.3", nullptr, "1899-12-30 07:12:00", "1"},
      {Of(VT_R8, -0.0), "0", nullptr, epoch, "0"},
      {Of(VT_R8, 123456789012345678.0), "123456789012346000", nullptr, kNone, "1"},
      {Of(VT_R8, 1.5e300), "1.5E+300", nullptr, kNone, "1"},
      {Of(VT_R8, -1.5e-300), "-1.5E-300", nullptr, epoch, "1"},
      {Of(VT_R8, 1e254), e254.c_str(), nullptr, kNone, "1"},
      {Of(VT_R8, 1e255), "1E+255", nullptr, kNone, "1"},
      {Of(VT_R8, -1e254), "-1E+254", nullptr, kNone, "1"},
      {Of(VT_R8, 1e-253), em253.c_str(), nullptr, epoch, "1"},
      {Of(VT_R8, 1e-254), "1E-254", nullptr, epoch, "1"},
      NoText(Of(VT_R8, std::numeric_limits<double>::quiet_NaN())),
      NoText(Of(VT_R8, -std::numeric_limits<double>::infinity())),
      {Of(VT_R4, 0.1f), "0.1", nullptr, "1899-12-30 02:24:00", "1"},
      {Of(VT_R4, 1.0f / 3), "0.3333333", nullptr, "1899-12-30 08:00:00", "1"},
      {Of(VT_R4, 123456.789f), "123456.8", nullptr, "2238-01-03 18:56:15", "1"},
      {Of(VT_R4, std::numeric_limits<float>::max()), "340282300000000000000000000000000000000", nullptr, kNone, "1"},
  });
}

TEST(VariantText, CurrencyAndDecimal) {
  const char* epoch = "1899-12-30 00:00:00";
  VARIANT badSign = Dec(false, 0, 1, 0);
  badSign.decVal.sign = 1;
  CheckRows({
      {Of(VT_CY, std::int64_t{12345000}), "1234.5", nullptr, "1903-05-18 12:00:00", "1"},
      {Of(VT_CY, std::int64_t{-1}), "-0.0001", nullptr, "1899-12-30 00:00:09", "1"},
      {Of(VT_CY), "0", nullptr, epoch, "0"},
      {Of(VT_CY, std::int64_t{10000}), "1", nullptr, "1899-12-31 00:00:00", "1"},
      {Of(VT_CY, std::numeric_limits<std::int64_t>::min()), "-922337203685477.5808", nullptr, kNone, "1"},
      {Dec(false, 0, 123450, 2), "1234.5", nullptr, "1903-05-18 12:00:00", "1"},
      {Dec(true, 0, 5, 1), "-0.5", nullptr, "1899-12-30 12:00:00", "1"},
      {Dec(false, 0xFFFFFFFFu, ~std::uint64_t{0}, 0), "79228162514264337593543950335", nullptr, kNone, "1"},
      {Dec(true, 0xFFFFFFFFu, ~std::uint64_t{0}, 28), "-7.9228162514264337593543950335", nullptr,
       "1899-12-23 22:08:51", "1"},
      {Dec(false, 0, 1, 28), "0.0000000000000000000000000001", nullptr, epoch, "1"},
      {Dec(true, 0, 0, 3), "0", nullptr, epoch, "0"},
      NoText(Dec(false, 0, 1, 29)),
      NoText(badSign),
  });
}

TEST(VariantText, DatesAndBooleans) {
  const double second = 1.0 / 86400;
  auto date = [](double days) { return Of(VT_DATE, days); };
  CheckRows({
      {date(36526.5), "2000-01-01 12:00:00", "36526.5", "2000-01-01 12:00:00", "1"},
      {date(0), "1899-12-30 00:00:00", "0", "1899-12-30 00:00:00", "0"},
      // Days back, the time still forward.
      {date(-1.25), "1899-12-29 06:00:00", "-1.25", "1899-12-29 06:00:00", "1"},
      {date(-0.5), "1899-12-30 12:00:00", "-0.5", "1899-12-30 12:00:00", "1"},
      {date(60), "1900-02-28 00:00:00", "60", "1900-02-28 00:00:00", "1"},  // no 29 February 1900
      {date(36585), "2000-02-29 00:00:00", "36585", "2000-02-29 00:00:00", "1"},
      {date(36600), "2000-03-15 00:00:00", "36600", "2000-03-15 00:00:00", "1"},  // the day arithmetic counts its years from March
      {date(0.5 + 0.4 * second), "1899-12-30 12:00:00", "0.50000462962963", "1899-12-30 12:00:00", "1"},
      {date(0.5 + 0.6 * second), "1899-12-30 12:00:01", "0.500006944444444", "1899-12-30 12:00:01", "1"},
      {date(1 - 0.3 * second), "1899-12-31 00:00:00", "0.999996527777778", "1899-12-31 00:00:00", "1"},
      {date(-1 - (1 - 0.3 * second)), "1899-12-30 00:00:00", "-1.99999652777778", "1899-12-30 00:00:00", "1"},
      {date(-657434.75), "0100-01-01 18:00:00", "-657434.75", "0100-01-01 18:00:00", "1"},
      {date(-657435), kNone, "-657435", kNone, "1"},
      {date(2958465 + 86399 * second), "9999-12-31 23:59:59", "2958465.99998843", "9999-12-31 23:59:59", "1"},
      {date(2958465 + 86399.6 * second), kNone, "2958465.99999537", kNone, "1"},  // rounds past the range
      NoText(date(std::nan(""))),
      {Of(VT_BOOL, VARIANT_TRUE), "True", "-1", "1899-12-29 00:00:00", "1"},
      {Of(VT_BOOL, VARIANT_FALSE), "False", "0", "1899-12-30 00:00:00", "0"},
      {Of(VT_BOOL, VARIANT_BOOL{1}), "True", "-1", "1899-12-29 00:00:00", "1"},
  });
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
      {ref(VT_I4, &i4), "42", nullptr, "1900-02-10 00:00:00", "1"},
      {ref(VT_DATE, &r8), "2000-01-01 12:00:00", "36526.5", "2000-01-01 12:00:00", "1"},
      {ref(VT_BOOL, &b), "True", "-1", "1899-12-29 00:00:00", "1"},
      {ref(VT_CY, &cy), "1234.5", nullptr, "1903-05-18 12:00:00", "1"},
      {ref(VT_DECIMAL, &dec), "1234.5", nullptr, "1903-05-18 12:00:00", "1"},
      {ref(VT_VARIANT, &inner), "1.5", nullptr, "1899-12-31 12:00:00", "1"},
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

TEST(SVariantHolder, ConvertsInPlaceAndCopies) {
  SVariant number(Of(VT_R8, 2.5));
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
