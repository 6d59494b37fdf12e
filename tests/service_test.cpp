// The three questions end to end, through the public entry points.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>

#include "intl/settings.h"
#include "platform/unicode.h"
#include "service/answer_size.h"
#include "service/prepared_mask.h"
#include "case_table.h"
#include "zorva/automation.h"
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

// The UTF-8 answers through a prepared mask, as a stream or a database makes them.
std::string PreparedRaw(int type, const std::string& mask, const std::string& value) {
  char out[kUtf8AnswerBytes];
  return std::string(out, GetRawValueUtf8(PreparedMask(type, mask), value, out, sizeof out));
}
std::string PreparedFormatted(int type, const std::string& mask, const std::string& value) {
  char out[kUtf8AnswerBytes];
  return std::string(out, GetFormattedValueUtf8(PreparedMask(type, mask), value, out, sizeof out));
}

// Every row of the shared table, through the UTF-16 entry points, the UTF-8
// overloads and a prepared mask.
// ZORVA_CASES names another table made like it (the differential run's).
TEST_F(ServiceTest, SharedCaseTable) {
  const char* table = std::getenv("ZORVA_CASES");
  auto cases = test::LoadCaseTable(table && *table ? table : ZORVA_SOURCE_DIR "/tests/cases/cases.tsv");
  ASSERT_GT(cases.size(), 100u);
  for (const test::TableCase& c : cases) {
    SCOPED_TRACE("cases.tsv:" + std::to_string(c.line));
    const test::Answers a = test::Ask(c.type, c.mask, c.value);  // "<none>" unless S_OK with a string
    const std::string expected = Utf8Of16(c.expected), mask = Utf8Of16(c.mask), value = Utf8Of16(c.value);
    const bool utf8 = !HasLoneSurrogate(c.mask) && !HasLoneSurrogate(c.value);
    if (c.op == "check") {
      const bool valid = expected == "valid";
      EXPECT_EQ(a.valid, valid ? -1 : 0);
      if (utf8) {
        EXPECT_EQ(IsValidUtf8(c.type, mask, value), valid);
        EXPECT_EQ(IsValidUtf8(PreparedMask(c.type, mask), value), valid);
      }
    } else if (c.op == "raw") {
      EXPECT_EQ(a.raw, c.expected);
      if (utf8) {
        EXPECT_EQ(GetRawValueUtf8(c.type, mask, value), expected);
        EXPECT_EQ(PreparedRaw(c.type, mask, value), expected);
      }
    } else {
      EXPECT_EQ(a.formatted, c.expected);
      if (utf8) {
        EXPECT_EQ(GetFormattedValueUtf8(c.type, mask, value), expected);
        EXPECT_EQ(PreparedFormatted(c.type, mask, value), expected);
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
        const PreparedMask p(type, mask);
        for (int i = 0; i < 300; ++i) {
          std::string value = random() % 2 ? "$" + std::to_string(random() % 10000000) + "." +
                                                 std::to_string(random() % 1000)
                                           : "";
          for (unsigned k = random() % 12; k > 0; --k) value += alphabet[random() % alphabet.size()];
          if (random() % 4 == 0) value = "(" + value + ")";
          SCOPED_TRACE(std::to_string(type) + " [" + mask + "] [" + value + "]");
          EXPECT_EQ(IsValidUtf8(p, value), IsValidUtf8(type, mask, value));
          char out[kUtf8AnswerBytes];
          EXPECT_EQ(std::string(out, GetRawValueUtf8(p, value, out, sizeof out)), GetRawValueUtf8(type, mask, value));
          answered += QuickPreparedRaw(p, value, out, sizeof out) >= 0;
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
TEST(ServiceCurrencySwap, EuroUserOnly) {
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
  EXPECT_EQ(prepared.state().text, "$#,##0.00");
  // Other types keep the "$" as a literal of the mask.
  EXPECT_EQ(GetFormattedValueUtf8(tkMEDouble, "$#,##0.00", "5"), "$5.00");
  // Only a euro user's masks are rewritten: a pound user's "$" stays "$".
  IntlSettingsOverride pound(LoadIntlSettings(MakeSystemLocale("en", "\xa3")));
  EXPECT_EQ(GetFormattedValueUtf8(tkMECurrency, "", "5"), "$5.00");
}

}  // namespace
}  // namespace zorva
