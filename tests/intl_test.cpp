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

// The table's own texts are the product's; here how they are handed out.
TEST(StringTable, LoadStringBehavesAsTheSystemCall) {
  const std::string whole = FindString(2040);
  char buf[64];
  EXPECT_EQ(LoadString(2040, buf, sizeof buf), static_cast<int>(whole.size()));
  EXPECT_EQ(buf, whole);
  // Cut to the buffer, always terminated.
  EXPECT_EQ(LoadString(2040, buf, 5), 4);
  EXPECT_EQ(buf, whole.substr(0, 4));
  EXPECT_EQ(LoadString(2040, buf, 1), 0);
  EXPECT_STREQ(buf, "");
  // Unknown numbers load nothing.
  std::strcpy(buf, "junk");
  EXPECT_EQ(LoadString(2044, buf, sizeof buf), 0);
  EXPECT_STREQ(buf, "");
  EXPECT_EQ(LoadString(2040, buf, 0), 0);
  EXPECT_EQ(LoadString(2040, nullptr, 10), 0);
}

TEST(StringTable, OverrideReplacesOnlyItsNumbers) {
  const std::string march = FindString(2802), february = FindString(2301);
  const StringEntry kGerman[] = {{2802, "M\xe4r"}, {2300, "Januar"}};
  {
    StringTableOverride o(kGerman, 2);
    EXPECT_STREQ(FindString(2802), "M\xe4r");
    EXPECT_STREQ(FindString(2300), "Januar");
    EXPECT_EQ(FindString(2301), february);
  }
  EXPECT_EQ(FindString(2802), march);
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
