// The string table, the settings block and the system locale query.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "intl/settings.h"
#include "intl/string_table.h"

namespace zorva {
namespace {

// As the system's call: an unknown number loads an empty text.
TEST(StringTable, LoadStringBehavesAsTheSystemCall) {
  char buf[8] = "junk";
  EXPECT_EQ(LoadString(kDateLettersId + 1, buf, sizeof buf), 0);
  EXPECT_STREQ(buf, "");
  EXPECT_EQ(LoadString(kCurrencyMaskId, buf, 0) + LoadString(kCurrencyMaskId, nullptr, 9), 0);
}

// A translation replaces only its numbers; the settings cut its texts to
// their fields (as LoadString cuts, always terminated).
TEST(Settings, TranslatedTableIsCutToItsFields) {
  const std::string longMask(100, '#');
  const StringEntry kTranslated[] = {
      {kShortMonthNamesId, "Januar"}, {kShortMonthNamesId + 2, "M\xe4rz"}, {kThousandSepId, ".x"},
      {kDecimalSepId, ","}, {kCurrencySymbolId, "EUR$"}, {kCurrencyMaskId, longMask.c_str()}};
  IntlSettings s = LoadIntlSettings(MakeSystemLocale("de", ""), kTranslated);
  EXPECT_STREQ(s.MonthAbbrev[1], "Jan");
  EXPECT_STREQ(s.MonthAbbrev[2], "Feb");
  EXPECT_STREQ(s.MonthAbbrev[3], "M\xe4r");
  EXPECT_EQ(std::string({s.sThousand, s.sDecimal}), ".,");
  EXPECT_STREQ(s.sCurrency, "EUR");
  EXPECT_STREQ(s.sSystemCurrency, "EUR");  // no system symbol: the masks'
  EXPECT_EQ(std::strlen(s.sCurrencyMask), 63u);
}

TEST(Settings, OverrideLastsWhileItLives) {
  const IntlSettings& process = Intl();
  EXPECT_STREQ(LoadIntlSettings(MakeSystemLocale("xx", "ABCD")).sSystemCurrency, "$");
  {
    IntlSettingsOverride o(LoadIntlSettings(MakeSystemLocale("de", "CHF")));
    EXPECT_STREQ(Intl().sSystemCurrency, "CHF");
  }
  EXPECT_EQ(&Intl(), &process);
}

// Real locales, compiled into the build tree by the test fixture, named by
// the environment as a user names them.
TEST(SystemLocale, TheEnvironmentNamesTheCurrency) {
  setenv("LOCPATH", ZORVA_LOCALE_DIR, 1);
  const struct { const char* name; const char* currency; } kCases[] = {
      {"C", ""}, {"xx_NOWHERE.UTF-8", ""} /* a locale the machine lacks */, {"en_US.UTF-8", "$"},
      {"de_DE.UTF-8", "\x80"}};  // the euro is one byte of the code page
  for (const auto& c : kCases) {
    setenv("LC_ALL", c.name, 1);
    const IntlSettings s = LoadIntlSettings(QuerySystemLocale());
    EXPECT_STREQ(s.sSystemCurrency, *c.currency ? c.currency : "$") << c.name;
    EXPECT_EQ(s.sDecimal, '.') << c.name;  // the table's, whatever the locale says
  }
  unsetenv("LC_ALL");
  unsetenv("LOCPATH");
}

}  // namespace
}  // namespace zorva
