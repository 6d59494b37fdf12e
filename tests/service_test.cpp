// The three questions end to end, through the public entry points.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "intl/settings.h"
#include "platform/unicode.h"
#include "service/prepared_number.h"
#include "case_table.h"
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

// A BSTR of UTF-16 text, freed with the holder.
class Bstr {
 public:
  explicit Bstr(const std::u16string& s) : b_(SysAllocStringLen(s.data(), static_cast<UINT>(s.size()))) {}
  ~Bstr() { SysFreeString(b_); }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  BSTR get() const { return b_; }

 private:
  BSTR b_;
};

std::string Utf8Of(BSTR b) {
  std::string out(SysStringLen(b) * 3 + 1, '\0');
  out.resize(Utf16ToUtf8(b, SysStringLen(b), out.data(), out.size()));
  return out;
}

std::string Utf8Of16(const std::u16string& s) {
  std::string out(s.size() * 3 + 1, '\0');
  out.resize(Utf16ToUtf8(s.data(), s.size(), out.data(), out.size()));
  return out;
}

bool HasLoneSurrogate(const std::u16string& s) {
  for (char16_t c : s)
    if (c >= 0xD800 && c <= 0xDFFF) return true;
  return false;
}

// The UTF-8 answers through a prepared mask, as a stream makes them.
std::string PreparedRaw(int type, const std::string& mask, const std::string& value) {
  char out[256 * 3 + 1];
  return std::string(out, GetRawValueUtf8(PreparedMask(type, mask), value, out, sizeof out));
}
std::string PreparedFormatted(int type, const std::string& mask, const std::string& value) {
  char out[256 * 3 + 1];
  return std::string(out, GetFormattedValueUtf8(PreparedMask(type, mask), value, out, sizeof out));
}

// The prepared path of the SQL functions, where it answers (-1: it does not).
int PreparedNumberValid(int type, const std::string& mask, const std::string& value) {
  PreparedNumber prepared;
  PrepareNumber(prepared, type, mask);
  return PreparedIsValid(prepared, value.c_str(), value.size());
}
std::string PreparedNumberRaw(int type, const std::string& mask, const std::string& value,
                              const std::string& otherwise) {
  PreparedNumber prepared;
  PrepareNumber(prepared, type, mask);
  char out[256 * 3 + 1];
  const std::ptrdiff_t n = PreparedRawValue(prepared, value.c_str(), value.size(), out, sizeof out);
  return n < 0 ? otherwise : std::string(out, static_cast<std::size_t>(n));
}

// Every row of the shared table, through the UTF-16 entry points, the UTF-8
// overloads, a prepared mask and the SQL functions' prepared numbers.
TEST_F(ServiceTest, SharedCaseTable) {
  auto cases = test::LoadCaseTable(ZORVA_SOURCE_DIR "/tests/cases/cases.tsv");
  ASSERT_GT(cases.size(), 100u);
  for (const test::TableCase& c : cases) {
    SCOPED_TRACE("cases.tsv:" + std::to_string(c.line));
    Bstr mask(c.mask), value(c.value);
    std::string expected = Utf8Of16(c.expected);
    bool utf8 = !HasLoneSurrogate(c.mask) && !HasLoneSurrogate(c.value);
    std::string mask8 = Utf8Of16(c.mask), value8 = Utf8Of16(c.value);
    if (c.op == "check") {
      LONG ret = 42;
      ASSERT_EQ(IsValid(c.type, mask.get(), value.get(), &ret), S_OK);
      EXPECT_EQ(ret, expected == "valid" ? -1 : 0);
      if (utf8) {
        EXPECT_EQ(IsValidUtf8(c.type, mask8, value8), expected == "valid");
        EXPECT_EQ(IsValidUtf8(PreparedMask(c.type, mask8), value8), expected == "valid");
        EXPECT_NE(PreparedNumberValid(c.type, mask8, value8), expected == "valid" ? 0 : 1);
      }
    } else if (c.op == "raw") {
      BSTR out = nullptr;
      ASSERT_EQ(GetRawValue(c.type, mask.get(), value.get(), &out), S_OK);
      ASSERT_NE(out, nullptr);  // an empty answer is an empty string, not null
      EXPECT_EQ(Utf8Of(out), expected);
      SysFreeString(out);
      if (utf8) {
        EXPECT_EQ(GetRawValueUtf8(c.type, mask8, value8), expected);
        EXPECT_EQ(PreparedRaw(c.type, mask8, value8), expected);
        EXPECT_EQ(PreparedNumberRaw(c.type, mask8, value8, expected), expected);
      }
    } else {
      VARIANT var;
      VariantInit(&var);
      var.vt = VT_BSTR;
      var.bstrVal = value.get();
      BSTR out = nullptr;
      ASSERT_EQ(GetFormattedValue(c.type, mask.get(), var, &out), S_OK);
      ASSERT_NE(out, nullptr);
      EXPECT_EQ(Utf8Of(out), expected);
      SysFreeString(out);
      if (utf8) {
        EXPECT_EQ(GetFormattedValueUtf8(c.type, mask8, value8), expected);
        EXPECT_EQ(PreparedFormatted(c.type, mask8, value8), expected);
      }
    }
  }
}

// Entered numbers made of the characters the readers treat apart, under
// masks with and without decimals, markers and symbols, and under settings
// with the point and separator swapped or a two-letter symbol: the prepared
// path answers as the entry points do wherever it answers.
TEST(ServicePreparedNumbers, AnswerAsTheEntryPoints) {
  const char* const masks[] = {"", "#,##0.00;($#,##0.00)", "#,##0", "0.0", "#.##;-#.##",
                               "#,##0.00 ;#,##0.00-", "0%", "x#.#;y#.#", "0.00;[0.00]", ";"};
  const int types[] = {tkMECurrency, tkMEByte, tkMEShortInt, tkMELongInt, tkMEFloat, tkMEDouble};
  const std::string alphabet = "$(),.-0123456789 Ek%x\xc3\xa9";
  std::mt19937 random(15);
  int answered = 0;
  for (int settings = 0; settings < 3; ++settings) {
    IntlSettings s = LoadIntlSettings(MakeSystemLocale("en", settings == 2 ? "kr" : "$"));
    if (settings == 1) {
      s.sDecimal = s.sMonDecimalSep = ',';
      s.sThousand = s.sMonThousandSep = '.';
    }
    IntlSettingsOverride use(s);
    for (const char* mask : masks) {
      for (int type : types) {
        for (int i = 0; i < 300; ++i) {
          std::string value = random() % 2 ? "$" + std::to_string(random() % 10000000) + "." +
                                                 std::to_string(random() % 1000)
                                           : "";
          for (unsigned k = random() % 12; k > 0; --k) value += alphabet[random() % alphabet.size()];
          if (random() % 4 == 0) value = "(" + value + ")";
          SCOPED_TRACE(std::to_string(type) + " [" + mask + "] [" + value + "]");
          const int valid = PreparedNumberValid(type, mask, value);
          if (valid >= 0) {
            EXPECT_EQ(valid != 0, IsValidUtf8(type, mask, value));
          }
          const std::string raw = GetRawValueUtf8(type, mask, value);
          const std::string prepared = PreparedNumberRaw(type, mask, value, "none");
          if (prepared != "none") {
            EXPECT_EQ(prepared, raw);
            ++answered;
          }
        }
      }
    }
  }
  EXPECT_GT(answered, 10000);  // the prepared path did answer
}

TEST_F(ServiceTest, NullStringsAndPointers) {
  LONG ret = 7;
  EXPECT_EQ(IsValid(tkMEByte, nullptr, nullptr, &ret), S_OK);  // null strings are empty ones
  EXPECT_EQ(ret, -1);
  EXPECT_EQ(IsValid(tkMEByte, nullptr, nullptr, nullptr), E_POINTER);
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
  // A prepared mask is swapped per call, leaving its own text as it was.
  const PreparedMask prepared(tkMECurrency, "$#,##0.00");
  EXPECT_EQ(PreparedFormatted(tkMECurrency, "$#,##0.00", "5"), "\xe2\x82\xac" "5.00");
  char out[32];
  EXPECT_EQ(std::string(out, GetRawValueUtf8(prepared, "\xe2\x82\xac" "5.00", out, sizeof out)), "5.");
  EXPECT_EQ(prepared.text(), "$#,##0.00");
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
  const struct { int type; VARTYPE vt; double number; std::u16string mask; const char* expected; } kCases[] = {
      {tkMECurrency, VT_R8, 1234.5, u"", "$1,234.50"},
      {tkMECurrency, VT_I4, -7, u"", "($7.00)"},
      {tkMELongInt, VT_I2, 12345, u"", "12,345"},
      {tkMEDouble, VT_R4, 0.1, u"0.000000", "0.100000"},
      {tkMEDate, VT_DATE, 37256.0, u"mm/dd/yyyy", "12/31/2001"},
      {tkMETime, VT_DATE, 0.5, u"hh:mm", "12:00"},
      {tkMEDateTime, VT_DATE, 37256.4375, u"mm/dd/yyyy hh:mm", "12/31/2001 10:30"},
      {tkMEDate, VT_R8, 37256.0, u"mm/dd/yyyy", "12/31/2001"},
      {tkMEBoolean, VT_BOOL, -1, u"Yes/No", "Yes"},
      {tkMEBoolean, VT_BOOL, 0, u"Yes/No", "No"},
      {tkMEBoolean, VT_I4, 5, u"", "True"},
      {tkMEText, VT_BOOL, -1, u"", "True"},
      {tkMEText, VT_EMPTY, 0, u"", ""},
      {tkMEText, VT_NULL, 0, u"", ""},
      {tkMEText, VT_ERROR, 0, u"", ""},
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

}  // namespace
}  // namespace zorva
