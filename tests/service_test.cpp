// The three questions end to end, through the public entry points.
#include <gtest/gtest.h>

#include <string>

#include "intl/settings.h"
#include "platform/unicode.h"
#include "zorva/masked_edit.h"

namespace zorva {
namespace {

// Settings of a user whose currency symbol is the dollar, whatever this
// machine's locale is.
class ServiceTest : public testing::Test {
 protected:
  ServiceTest() : settings_(LoadIntlSettings(MakeSystemLocale("en", "$"))) {}
  IntlSettingsOverride settings_;
};

// A BSTR from UTF-8, freed with the holder.
class Bstr {
 public:
  explicit Bstr(std::string_view utf8) {
    std::u16string wide(utf8.size() + 1, u'\0');
    std::size_t n = Utf8ToUtf16(utf8.data(), utf8.size(), wide.data(), wide.size());
    b_ = SysAllocStringLen(wide.data(), static_cast<UINT>(n));
  }
  ~Bstr() { SysFreeString(b_); }
  BSTR get() const { return b_; }

 private:
  BSTR b_;
};

std::string Utf8Of(BSTR b) {
  std::string out(SysStringLen(b) * 3 + 1, '\0');
  out.resize(Utf16ToUtf8(b, SysStringLen(b), out.data(), out.size()));
  return out;
}

LONG Valid(int type, std::string_view mask, std::string_view value) {
  LONG ret = 42;
  EXPECT_EQ(IsValid(type, Bstr(mask).get(), Bstr(value).get(), &ret), S_OK);
  return ret;
}

std::string Raw(int type, std::string_view mask, std::string_view value) {
  BSTR out = nullptr;
  EXPECT_EQ(GetRawValue(type, Bstr(mask).get(), Bstr(value).get(), &out), S_OK);
  EXPECT_NE(out, nullptr);  // an empty answer is an empty string, not null
  std::string s = Utf8Of(out);
  SysFreeString(out);
  return s;
}

std::string Formatted(int type, std::string_view mask, std::string_view value) {
  Bstr v(value);
  VARIANT var;
  VariantInit(&var);
  var.vt = VT_BSTR;
  var.bstrVal = v.get();
  BSTR out = nullptr;
  EXPECT_EQ(GetFormattedValue(type, Bstr(mask).get(), var, &out), S_OK);
  EXPECT_NE(out, nullptr);
  std::string s = Utf8Of(out);
  SysFreeString(out);
  return s;
}

struct Case {
  int type;
  const char* mask;
  const char* value;
  const char* expected;  // "valid"/"invalid" for checks, the answer otherwise
};

const Case kChecks[] = {
    {tkMEText, "(###) ###-####", "(555) 123-4567", "valid"},
    {tkMEText, "(###) ###-####", "555123456", "invalid"},
    {tkMEMemo, "", "anything at all", "valid"},
    {tkMEURL, "LLL", "AbC", "valid"},
    {tkMECurrency, "", "($1,234.50)", "valid"},
    {tkMECurrency, "", "$1,234.567", "invalid"},      // more decimals than the mask
    {tkMECurrency, "", "99999999999", "valid"},
    {tkMECurrency, "", "-99999999999", "valid"},
    {tkMECurrency, "", "100000000000", "invalid"},
    {tkMECurrency, "", "$", "valid"},                 // no digits: the parse alone decides
    {tkMEByte, "", "127", "valid"},
    {tkMEByte, "", "-127", "valid"},
    {tkMEByte, "", "128", "invalid"},
    {tkMEByte, "", "-128", "invalid"},
    {tkMEByte, "", "12.5", "invalid"},
    {tkMEShortInt, "", "32,767", "valid"},
    {tkMEShortInt, "", "32768", "invalid"},
    {tkMECounter, "", "32768", "invalid"},            // a counter holds the short range
    {tkMELongInt, "", "2147483647", "valid"},
    {tkMELongInt, "", "2147483648", "invalid"},
    {tkMELongInt, "", "+5", "invalid"},
    {tkMEFloat, "", "1234567", "valid"},
    {tkMEFloat, "", "12345678", "invalid"},
    {tkMEFloat, "0.#", "1.234567", "valid"},
    {tkMEFloat, "0.#", "1.2345678", "invalid"},
    {tkMEDouble, "", "12345678", "valid"},
    {tkMEDouble, "0", "1234567890123456", "invalid"},
    {tkMEDate, "", "12/31/01", "valid"},
    {tkMEDate, "mm/dd/yyyy", "02/29/2000", "valid"},
    {tkMEDate, "mm/dd/yyyy", "02/29/1900", "invalid"},
    {tkMEDate, "mm/dd/yyyy", "13/01/2001", "invalid"},
    {tkMETime, "", "1:05:00 PM", "valid"},
    {tkMETime, "hh:mm", "25:00", "invalid"},
    {tkMEBoolean, "", "True", "valid"},
    {tkMEBoolean, "", "false", "valid"},
    {tkMEBoolean, "", "maybe", "valid"},
    {tkMEBoolean, "", "2", "valid"},
    {tkMEDateTime, "mm/dd/yyyy hh:mm", "12/31/2001", "valid"},
    {tkMEDateTime, "mm/dd/yyyy hh:mm", "12/31/2001 10:30", "valid"},
    {tkMEDateTime, "mm/dd/yyyy hh:mm", "12/31/2001 25:00", "invalid"},
    {tkMEDateTime, "mm/dd/yyyy hh:mm", "02/30/2001 10:30", "invalid"},
    {tkMEDateTime, "mm/dd/yyyy", "12/31/2001", "invalid"},  // no blank in the mask
    {tkMEDateTime, "", "12/31/2001", "invalid"},
    {tkMEDateTime, "", "", "valid"},
    {tkMEDateTime, " hh:mm", "12/31/01 10:30", "valid"},    // empty date half: default mask
    {tkMEOleObject, "", "x", "valid"},
    {tkMEBinary, "###", "abc", "valid"},
    {tkMETimeStamp, "", "x", "valid"},
};

TEST_F(ServiceTest, IsValid) {
  for (const Case& c : kChecks) {
    EXPECT_EQ(Valid(c.type, c.mask, c.value), std::string(c.expected) == "valid" ? -1 : 0)
        << "type " << c.type << " mask " << c.mask << " value " << c.value;
  }
  for (int type = 0; type < kValueTypeCount; ++type) {
    EXPECT_EQ(Valid(type, "", ""), -1) << type;
    EXPECT_EQ(Valid(type, "#", ""), -1) << type;
  }
  LONG ret = 7;
  EXPECT_EQ(IsValid(tkMEByte, nullptr, nullptr, &ret), S_OK);  // null strings are empty ones
  EXPECT_EQ(ret, -1);
  EXPECT_EQ(IsValid(tkMEByte, nullptr, nullptr, nullptr), E_POINTER);
}

const Case kRaw[] = {
    {tkMEText, "(###) ###-####", "(555) 123-4567", "5551234567"},
    {tkMEText, "(###) ###-####", "555 12", "55512"},
    {tkMEText, "##-##", "1a-34", "1_34"},   // inner fill characters are part of the raw value
    {tkMEText, "", "caf\xc3\xa9", "caf\xc3\xa9"},
    {tkMEText, "", "\xe4\xb8\xad", "?"},       // outside the code page
    {tkMECurrency, "", "$1,234.50", "1234.5"},
    {tkMECurrency, "", "$1,234.00", "1234."},
    {tkMECurrency, "", "($1,234.50)", "-1234.5"},
    {tkMECurrency, "", "$0.00", "0."},
    {tkMECurrency, "", "-$0.00", "0."},      // no negative zero
    {tkMECurrency, "", "12.345", "12.35"},   // rounded to the mask's places
    {tkMECurrency, "", "abc", ""},
    {tkMELongInt, "#,##0", "1,234", "1234"},
    {tkMELongInt, "", "-1,234", "-1234"},
    {tkMEByte, "", "12.5", "13"},
    {tkMEShortInt, "", "12-", "-12"},
    {tkMEDouble, "", "1,234.5", "1234.5"},
    {tkMEDouble, "0.#", "1.5E+3", "1500."},
    {tkMEFloat, "#,##0.00", "-0.50", "-0.5"},
    {tkMEDate, "mm/dd/yyyy", "12/31/2001", "2001-12-31"},
    {tkMEDate, "", "12/31/01", "2001-12-31"},
    {tkMEDate, "", "1/2/79", "1979-01-02"},
    {tkMEDate, "mm/dd/yyyy", "__/__/____", ""},
    {tkMEDate, "mm/dd/yyyy", "02/30/2001", "2001-02-30"},  // written as it stands
    {tkMETime, "h:mm AM/PM", "1:05 PM", "13:05:00"},
    {tkMETime, "", "12:00:00 AM", "00:00:00"},
    {tkMETime, "hh:mm", "__:__", ""},
    {tkMEBoolean, "", "True", "1"},
    {tkMEBoolean, "", "False", "0"},
    {tkMEBoolean, "", "maybe", "0"},
    {tkMEBoolean, "", " True", ""},
    {tkMEBoolean, "Yes/No", "yes", "1"},
    {tkMEDateTime, "mm/dd/yyyy hh:mm", "12/31/2001 10:30", "2001-12-31 10:30:00"},
    {tkMEDateTime, "mm/dd/yyyy hh:mm", "12/31/2001", "2001-12-31"},
    {tkMEDateTime, "mm/dd/yyyy hh:mm", "__/__/____ 10:30", "__/__/____ 10:30:00"},
    {tkMEDateTime, "mm/dd/yyyy", "12/31/2001 10:30", ""},   // no blank in the mask
    {tkMEOleObject, "", "x", ""},
    {tkMEBinary, "", "x", ""},
    {tkMETimeStamp, "", "x", ""},
};

TEST_F(ServiceTest, GetRawValue) {
  for (const Case& c : kRaw) {
    EXPECT_EQ(Raw(c.type, c.mask, c.value), c.expected)
        << "type " << c.type << " mask " << c.mask << " value " << c.value;
  }
  for (int type = 0; type < kValueTypeCount; ++type) EXPECT_EQ(Raw(type, "", ""), "") << type;
}

const Case kFormatted[] = {
    {tkMEText, "(###) ###-####", "5551234567", "(555) 123-4567"},
    {tkMEText, "(###) ###-####", "", ""},       // no literals for an empty value
    {tkMEText, "###", "1a2", "1#2"},
    {tkMECurrency, "", "1234.5", "$1,234.50"},
    {tkMECurrency, "", "-1234.5", "($1,234.50)"},
    {tkMECurrency, "", "0", "$0.00"},
    {tkMECurrency, "#,##0.00 \"EUR\"", "1234567.891", "1,234,567.89 EUR"},
    {tkMEDouble, "#,##0.00", "12.346", "12.35"},
    {tkMEDouble, "#,##0.00", "12.344", "12.34"},
    {tkMEDouble, "#,##0.00", "-12.345", "-12.35"},
    {tkMEDouble, "#,##0.00", "1.5E3", "1.50"},  // an exponent is neither padded nor rounded
    {tkMEFloat, "0.000", "12.3", "12.300"},
    {tkMELongInt, "#,##0", "1234567", "1,234,567"},
    {tkMELongInt, "", "-1234567", "-1,234,567"},
    {tkMEByte, "", "12", "12"},
    {tkMEDate, "mm/dd/yyyy", "2001-12-31", "12/31/2001"},
    {tkMEDate, "", "2001-12-31", "12/31/01"},
    {tkMEDate, "dddd, mmmm d, yyyy", "2001-12-04", "Tuesday, December 4, 2001"},
    {tkMETime, "", "13:05:00", "1:05:00 PM"},
    {tkMETime, "hh:mm", "13:05:00", "13:05"},
    {tkMEBoolean, "", "1", "True"},
    {tkMEBoolean, "", "0", "False"},
    {tkMEBoolean, "", "2", "2"},
    {tkMEBoolean, "Y/N", "1", "Y"},
    {tkMEDateTime, "mm/dd/yyyy hh:mm", "2001-12-31 10:30:00", "12/31/2001 10:30"},
    {tkMEDateTime, "mm/dd/yyyy hh:mm", "2001-12-31", "12/31/2001 __:__"},
    {tkMEDateTime, "mm/dd/yyyy", "2001-12-31", ""},
    {tkMEOleObject, "", "x", ""},
    {tkMETimeStamp, "", "x", ""},
};

TEST_F(ServiceTest, GetFormattedValue) {
  for (const Case& c : kFormatted) {
    EXPECT_EQ(Formatted(c.type, c.mask, c.value), c.expected)
        << "type " << c.type << " mask " << c.mask << " value " << c.value;
  }
  for (int type = 0; type < kValueTypeCount; ++type) EXPECT_EQ(Formatted(type, "", ""), "") << type;
}

TEST_F(ServiceTest, Utf8OverloadsGiveTheSameAnswers) {
  for (const Case& c : kRaw) EXPECT_EQ(GetRawValueUtf8(c.type, c.mask, c.value), c.expected);
  for (const Case& c : kFormatted) {
    EXPECT_EQ(GetFormattedValueUtf8(c.type, c.mask, c.value), c.expected);
  }
  for (const Case& c : kChecks) {
    EXPECT_EQ(IsValidUtf8(c.type, c.mask, c.value), std::string(c.expected) == "valid");
  }
  char small[4];
  EXPECT_EQ(GetFormattedValueUtf8(tkMECurrency, "", "1234.5", small, sizeof small), 3u);
  EXPECT_STREQ(small, "$1,");
}

// A user whose currency symbol is the euro: masks and values of Currency
// fields have their "$" replaced by the euro byte.
TEST(ServiceCurrencySwap, EuroUser) {
  IntlSettingsOverride euro(LoadIntlSettings(MakeSystemLocale("de", "\x80")));
  // The default mask is chosen after the swap: its "$" stays a literal.
  EXPECT_EQ(GetFormattedValueUtf8(tkMECurrency, "", "-1234.5"), "($1,234.50)");
  EXPECT_EQ(GetFormattedValueUtf8(tkMECurrency, "$#,##0.00", "5"), "\xe2\x82\xac" "5.00");
  EXPECT_EQ(GetRawValueUtf8(tkMECurrency, "", "($1,234.50)"), "-1234.5");
  EXPECT_EQ(GetRawValueUtf8(tkMECurrency, "", "(\xe2\x82\xac" "1,234.50)"), "-1234.5");
  EXPECT_TRUE(IsValidUtf8(tkMECurrency, "", "$1,234.50"));
  // Other types keep the "$" as a literal of the mask.
  EXPECT_EQ(GetFormattedValueUtf8(tkMEDouble, "$#,##0.00", "5"), "$5.00");
}

TEST(ServiceCurrencySwap, OnlyForTheEuroByte) {
  IntlSettingsOverride pound(LoadIntlSettings(MakeSystemLocale("en", "\xa3")));
  // Only a euro user's masks are rewritten: the mask's "$" stays "$".
  EXPECT_EQ(GetFormattedValueUtf8(tkMECurrency, "", "5"), "$5.00");
}

// What a failing object's default property does.
class Failing final : public IDispatch {
 public:
  explicit Failing(HRESULT query, HRESULT invoke) : query_(query), invoke_(invoke) {}
  HRESULT QueryInterface(REFIID, void** object) override {
    *object = query_ < 0 ? nullptr : static_cast<IDispatch*>(this);
    return query_;
  }
  ULONG AddRef() override { return 2; }
  ULONG Release() override { return 1; }
  HRESULT GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  HRESULT GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                 UINT*) override {
    if (invoke_ < 0) return invoke_;
    result->vt = VT_R8;
    result->dblVal = -1234.5;
    return S_OK;
  }

 private:
  HRESULT query_, invoke_;
};

TEST_F(ServiceTest, ObjectValues) {
  BSTR sentinel = reinterpret_cast<BSTR>(0x1234);
  const struct { HRESULT query, invoke, expected; } kCases[] = {
      {E_NOINTERFACE, S_OK, E_NOINTERFACE},
      {S_OK, DISP_E_MEMBERNOTFOUND, DISP_E_MEMBERNOTFOUND},
      {S_OK, E_FAIL, E_FAIL},
  };
  for (const auto& c : kCases) {
    Failing object(c.query, c.invoke);
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_DISPATCH;
    v.pdispVal = &object;
    BSTR out = sentinel;
    EXPECT_EQ(GetFormattedValue(tkMECurrency, nullptr, v, &out), c.expected);
    EXPECT_EQ(out, sentinel);  // the answer is left unwritten
  }
  Failing good(S_OK, S_OK);
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_UNKNOWN;
  v.punkVal = &good;
  BSTR out = nullptr;
  ASSERT_EQ(GetFormattedValue(tkMECurrency, nullptr, v, &out), S_OK);
  EXPECT_EQ(Utf8Of(out), "($1,234.50)");
  SysFreeString(out);
}

TEST_F(ServiceTest, VariantsOfEveryKind) {
  const struct { int type; VARTYPE vt; double number; const char* mask; const char* expected; } kCases[] = {
      {tkMECurrency, VT_R8, 1234.5, "", "$1,234.50"},
      {tkMECurrency, VT_I4, -7, "", "($7.00)"},
      {tkMELongInt, VT_I2, 12345, "", "12,345"},
      {tkMEDouble, VT_R4, 0.1, "0.000000", "0.100000"},
      {tkMEDate, VT_DATE, 37256.0, "mm/dd/yyyy", "12/31/2001"},
      {tkMETime, VT_DATE, 0.5, "hh:mm", "12:00"},
      {tkMEDateTime, VT_DATE, 37256.4375, "mm/dd/yyyy hh:mm", "12/31/2001 10:30"},
      {tkMEDate, VT_R8, 37256.0, "mm/dd/yyyy", "12/31/2001"},
      {tkMEBoolean, VT_BOOL, -1, "Yes/No", "Yes"},
      {tkMEBoolean, VT_BOOL, 0, "Yes/No", "No"},
      {tkMEBoolean, VT_I4, 5, "", "True"},
      {tkMEText, VT_BOOL, -1, "", "True"},
      {tkMEText, VT_EMPTY, 0, "", ""},
      {tkMEText, VT_NULL, 0, "", ""},
      {tkMEText, VT_ERROR, 0, "", ""},
  };
  for (const auto& c : kCases) {
    VARIANT v;
    VariantInit(&v);
    v.vt = c.vt;
    switch (c.vt) {
      case VT_R8: case VT_DATE: v.dblVal = c.number; break;
      case VT_R4: v.fltVal = static_cast<float>(c.number); break;
      case VT_I4: v.lVal = static_cast<LONG>(c.number); break;
      case VT_I2: v.iVal = static_cast<SHORT>(c.number); break;
      case VT_BOOL: v.boolVal = static_cast<VARIANT_BOOL>(c.number); break;
      case VT_ERROR: v.scode = E_FAIL; break;
      default: break;
    }
    BSTR out = nullptr;
    ASSERT_EQ(GetFormattedValue(c.type, Bstr(c.mask).get(), v, &out), S_OK);
    EXPECT_EQ(Utf8Of(out), c.expected) << "type " << c.type << " vt " << c.vt;
    SysFreeString(out);
  }
}

TEST_F(ServiceTest, DateTimeHalvesAreBounded) {
  // A value half over 255 characters is refused, not cut into a valid one.
  EXPECT_EQ(Valid(tkMEDateTime, "mm/dd/yyyy hh:mm", std::string(260, '1') + " 10:30"), 0);
  EXPECT_EQ(Valid(tkMEDateTime, "mm/dd/yyyy hh:mm", "12/31/2001 " + std::string(300, '1')), 0);
  // A mask half is cut to 63 characters: trailing literals past that are lost.
  std::string longTimeMask = "hh:mm" + std::string(70, '-');
  EXPECT_EQ(Raw(tkMEDateTime, "mm/dd/yyyy " + longTimeMask, "12/31/2001 10:30"),
            "2001-12-31 10:30:00");
  EXPECT_EQ(Formatted(tkMEDateTime, "mm/dd/yyyy " + longTimeMask, "2001-12-31 10:30:00"),
            "12/31/2001 10:30" + std::string(58, '-'));
  // Raw and formatted values of over-long halves stay within the answer.
  EXPECT_LE(Raw(tkMEDateTime, "mm/dd/yyyy hh:mm", std::string(1000, '1') + " 10:30").size(), 255u);
  EXPECT_LE(Formatted(tkMEDateTime, "dddd mmmm dd yyyy " + std::string(60, 'h'),
                      "2001-12-31 10:30:00").size(), 255u);
}

TEST_F(ServiceTest, HostileInput) {
  std::string huge(1 << 20, '9');
  std::string hugeMask(1000, '#');
  for (int type = 0; type < kValueTypeCount; ++type) {
    EXPECT_LE(Raw(type, hugeMask, huge).size(), 255u) << type;
    EXPECT_LE(Formatted(type, hugeMask, huge).size(), 255u) << type;
    Valid(type, hugeMask, huge);
    std::string embedded("12\0 34", 6);
    Raw(type, "", embedded);
    Formatted(type, std::string("#\0#", 3), embedded);
  }
  // Unpaired surrogates and characters outside the code page become "?".
  char16_t odd[] = {u'1', 0xD800, u'2', 0};
  BSTR value = SysAllocString(odd);
  BSTR out = nullptr;
  ASSERT_EQ(GetRawValue(tkMEText, nullptr, value, &out), S_OK);
  EXPECT_EQ(Utf8Of(out), "1?2");
  SysFreeString(out);
  SysFreeString(value);
  EXPECT_EQ(Raw(tkMEText, "", "\xe2\x82\xac \xc3\xbf"), "\xe2\x82\xac \xc3\xbf");
  EXPECT_EQ(Raw(tkMEText, "UU", "\xc3\xbf\xc3\xa9"), "\xc5\xb8\xc3\x89");  // Ÿ É
}

}  // namespace
}  // namespace zorva
