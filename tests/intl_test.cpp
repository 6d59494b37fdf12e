// The string table, the settings block and the system locale query.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "intl/settings.h"
#include "intl/string_table.h"

namespace zorva {
namespace {

TEST(StringTable, LoadStringBehavesAsTheSystemCall) {
  char buf[64];
  EXPECT_EQ(LoadString(2040, buf, sizeof buf), 21);
  EXPECT_STREQ(buf, "$#,##0.00;($#,##0.00)");
  // Cut to the buffer, always terminated.
  EXPECT_EQ(LoadString(2040, buf, 5), 4);
  EXPECT_STREQ(buf, "$#,#");
  EXPECT_EQ(LoadString(2040, buf, 1), 0);
  EXPECT_STREQ(buf, "");
  // Unknown numbers load nothing.
  std::strcpy(buf, "junk");
  EXPECT_EQ(LoadString(2044, buf, sizeof buf), 0);
  EXPECT_STREQ(buf, "");
  EXPECT_EQ(LoadString(2040, buf, 0), 0);
  EXPECT_EQ(LoadString(2040, nullptr, 10), 0);
}

TEST(StringTable, HoldsEveryNumberTheEnginesRead) {
  const struct { unsigned id; const char* text; } kExpected[] = {
      {1214, "yyyy-mm-dd"}, {1301, "0"}, {1501, "True/False"}, {1502, "T/F"},
      {1503, "Yes/No"}, {1504, "Y/N"}, {1505, "1/0"}, {1700, "hh:mm:ss"},
      {2004, "$"}, {2005, ","}, {2006, "."}, {2016, "mm/dd/yy"}, {2019, ":"},
      {2032, "-"}, {2036, "+"}, {2037, "("}, {2038, ")"}, {2039, "h:mm:ss AM/PM"},
      {2041, "#,##0;-#,##0"}, {2042, "#,##0.00;-#,##0.00"}, {2043, "dDmMyY"},
      {2202, "0.#"}, {2203, "0.#"}, {2300, "January"}, {2311, "December"},
      {2400, "Sunday"}, {2406, "Saturday"}, {2700, "Sun"}, {2706, "Sat"},
      {2800, "Jan"}, {2811, "Dec"},
  };
  for (const auto& e : kExpected) {
    ASSERT_NE(FindString(e.id), nullptr) << e.id;
    EXPECT_STREQ(FindString(e.id), e.text) << e.id;
  }
  std::size_t count = 0;
  BuiltinStrings(&count);
  EXPECT_EQ(count, 8u + 14u + 2u + 12u + 7u + 7u + 12u);
}

TEST(StringTable, OverrideReplacesOnlyItsNumbers) {
  const StringEntry kGerman[] = {{2802, "M\xe4r"}, {2300, "Januar"}};
  {
    StringTableOverride o(kGerman, 2);
    EXPECT_STREQ(FindString(2802), "M\xe4r");
    EXPECT_STREQ(FindString(2300), "Januar");
    EXPECT_STREQ(FindString(2301), "February");
  }
  EXPECT_STREQ(FindString(2802), "Mar");
}

TEST(Settings, DefaultsComeFromTheStringTable) {
  IntlSettings s = LoadIntlSettings(MakeSystemLocale("de", "\x80"));
  EXPECT_EQ(s.sThousand, ',');
  EXPECT_EQ(s.sMonThousandSep, ',');
  EXPECT_EQ(s.sDecimal, '.');
  EXPECT_EQ(s.sMonDecimalSep, '.');
  EXPECT_EQ(s.sTime, ':');
  EXPECT_EQ(s.sNegativeSign, '-');
  EXPECT_EQ(s.sPositiveSign, '+');
  EXPECT_EQ(s.sLeftParen, '(');
  EXPECT_EQ(s.sRightParen, ')');
  EXPECT_STREQ(s.sCurrency, "$");
  EXPECT_STREQ(s.sSystemCurrency, "\x80");
  EXPECT_STREQ(s.sTimeMask, "h:mm:ss AM/PM");
  EXPECT_STREQ(s.sShortDate, "mm/dd/yy");
  EXPECT_STREQ(s.sCurrencyMask, "$#,##0.00;($#,##0.00)");
  EXPECT_STREQ(s.sIntegerMask, "#,##0;-#,##0");
  EXPECT_STREQ(s.sDecimalMask, "#,##0.00;-#,##0.00");
  EXPECT_STREQ(s.sTextMask, "");
  const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                           "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  for (int m = 1; m <= 12; ++m) EXPECT_STREQ(s.MonthAbbrev[m], kMonths[m - 1]);
}

TEST(Settings, NoSystemSymbolFallsBackToTheMaskCurrency) {
  EXPECT_STREQ(LoadIntlSettings(MakeSystemLocale("", "")).sSystemCurrency, "$");
  EXPECT_STREQ(LoadIntlSettings(MakeSystemLocale("xx", "ABCD")).sSystemCurrency, "$");
  EXPECT_STREQ(LoadIntlSettings(MakeSystemLocale("de", "CHF")).sSystemCurrency, "CHF");
}

TEST(Settings, TranslatedTableIsCutToItsFields) {
  std::string longMask(100, '#');
  const StringEntry kTranslated[] = {
      {2800, "Januar"}, {2802, "M\xe4rz"}, {2005, ".x"}, {2006, ","},
      {2004, "EUR$"}, {2040, longMask.c_str()},
  };
  StringTableOverride o(kTranslated, std::size(kTranslated));
  IntlSettings s = LoadIntlSettings(MakeSystemLocale("de", ""));
  EXPECT_STREQ(s.MonthAbbrev[1], "Jan");
  EXPECT_STREQ(s.MonthAbbrev[3], "M\xe4r");
  EXPECT_EQ(s.sThousand, '.');
  EXPECT_EQ(s.sDecimal, ',');
  EXPECT_STREQ(s.sCurrency, "EUR");
  EXPECT_STREQ(s.sSystemCurrency, "EUR");
  EXPECT_EQ(std::strlen(s.sCurrencyMask), 63u);
}

TEST(Settings, OverrideAndOnceLoadedBlock) {
  const IntlSettings& process = Intl();
  IntlSettings custom = LoadIntlSettings(MakeSystemLocale("fr", "\x80"));
  custom.sDecimal = ',';
  {
    IntlSettingsOverride o(custom);
    EXPECT_EQ(Intl().sDecimal, ',');
    EXPECT_STREQ(Intl().sSystemCurrency, "\x80");
  }
  EXPECT_EQ(&Intl(), &process);
  // Concurrent first readers all see the one block.
  std::vector<std::thread> threads;
  std::vector<const IntlSettings*> seen(8);
  for (int i = 0; i < 8; ++i) threads.emplace_back([&, i] { seen[i] = &Intl(); });
  for (auto& t : threads) t.join();
  for (auto* p : seen) EXPECT_EQ(p, &process);
}

// Real locales, compiled into the build tree by the test fixture.
class SystemLocaleTest : public testing::Test {
 protected:
  void SetUp() override { setenv("LOCPATH", ZORVA_LOCALE_DIR, 1); }
  void TearDown() override {
    unsetenv("LOCPATH");
    unsetenv("LC_ALL");
    unsetenv("LC_MONETARY");
  }
};

TEST_F(SystemLocaleTest, CurrencySymbolOfNamedLocales) {
  const struct { const char* name; const char* language; const char* currency; } kCases[] = {
      {"C", "", ""},
      {"POSIX", "", ""},
      {"en_US.UTF-8", "en", "$"},
      {"de_DE.UTF-8", "de", "\x80"},  // the euro sign is one byte of the code page
      {"fr_FR.UTF-8", "fr", "\x80"},
      {"xx_NOWHERE.UTF-8", "", ""},
  };
  for (const auto& c : kCases) {
    SystemLocale s = SystemLocaleNamed(c.name);
    EXPECT_STREQ(s.language, c.language) << c.name;
    EXPECT_STREQ(s.currency, c.currency) << c.name;
  }
}

TEST_F(SystemLocaleTest, EnvironmentNamesTheLocale) {
  setenv("LC_ALL", "de_DE.UTF-8", 1);
  SystemLocale s = QuerySystemLocale();
  EXPECT_STREQ(s.language, "de");
  EXPECT_STREQ(s.currency, "\x80");
  EXPECT_STREQ(LoadIntlSettings(s).sSystemCurrency, "\x80");
  // Separators stay the string table's whatever the user's locale says.
  EXPECT_EQ(LoadIntlSettings(s).sDecimal, '.');

  setenv("LC_ALL", "C", 1);
  s = QuerySystemLocale();
  EXPECT_STREQ(s.currency, "");
  EXPECT_STREQ(LoadIntlSettings(s).sSystemCurrency, "$");

  unsetenv("LC_ALL");
  setenv("LC_MONETARY", "en_US.UTF-8", 1);
  EXPECT_STREQ(QuerySystemLocale().currency, "$");
}

}  // namespace
}  // namespace zorva
