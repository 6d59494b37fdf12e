// Rendering dates, and the raw and formatted values built on it.
#include <algorithm>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "date/date_format.h"
#include "intl/settings.h"
#include "intl/string_table.h"

namespace zorva {
namespace {

std::string Format(const char* mask, const DateParts& date, std::size_t size = 256) {
  char out[256];
  FormatDate(out, size, mask, date);
  return out;
}

constexpr DateParts kDec4 = {4, 12, 2001, 0};  // a Tuesday

// Every kind of run, typed from a raw value, is rows of tests/cases/cases.tsv;
// here parts the raw form cannot carry.
TEST(DateFormat, UnusablePartsRenderPlaceholders) {
  struct Case { const char* mask; DateParts date; const char* text; };
  const char* const all = "d dd ddd dddd ddddd m mm mmm mmmm mmmmm y yy yyyy";
  const Case cases[] = {
      {all, {-2, -2, -2, 1}, "_ __ ___ ____ __ _ __ ___ ___ __ __ __ ____"},
      {all, {4, 12, 2001, 1}, "_ __ ___ ____ __ _ __ ___ ___ __ __ __ ____"},
      {all, {-1, -1, -1, 0}, "_ __ ___ ____ __ _ __ ___ ___ __ __ __ ____"},
      {"mm/dd/yyyy", {-1, 12, 2001, 0}, "12/__/2001"},
      {"yyyy|yy", {5, 12, 0, 0}, "0000|00"},
      {"yy", {5, 12, 2078, 0}, "78"},
      {"ddd", {1, 1, -1, 0}, "Mon"},  // a missing year counts no days
  };
  for (const Case& c : cases) EXPECT_EQ(Format(c.mask, c.date), c.text) << c.mask;

  const std::string name = Format("dddd", {4, 13, 2001, 0});
  const char* const week[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
  EXPECT_NE(std::find(std::begin(week), std::end(week), name), std::end(week)) << name;
}

TEST(DateFormat, CutAtTheEndOfTheBuffer) {
  EXPECT_EQ(Format("mm/dd/yyyy", kDec4, 11), "12/04/2001");
  EXPECT_EQ(Format("mm/dd/yyyy", kDec4, 10), "12/04/200");
  EXPECT_EQ(Format("dddd", kDec4, 5), "Tues");
  EXPECT_EQ(Format("mm/dd/yyyy", kDec4, 1), "");
  char untouched[2] = {'x', 'x'};
  FormatDate(untouched, 0, "mm", kDec4);
  EXPECT_EQ(untouched[0], 'x');

  std::string longMask(1000, 'x');
  EXPECT_EQ(Format(longMask.c_str(), kDec4), std::string(255, 'x'));
  std::string names;
  for (int i = 0; i < 100; ++i) names += "dddd ";
  std::string expected;
  for (int i = 0; i < 100; ++i) expected += "Tuesday ";
  EXPECT_EQ(Format(names.c_str(), kDec4), expected.substr(0, 255));
}

// Typed and raw dates under a mask are rows of tests/cases/cases.tsv; here
// what the entry points cannot pass: no value, no mask or an empty one.
TEST(DateRawValue, WithoutAMaskOrValue) {
  struct Case { const char* value; const char* mask; const char* raw; };
  const Case cases[] = {
      {"1/5/79", nullptr, "1979-01-05"}, {"1/5/79", "", "1979-01-05"}, {nullptr, "mm/dd/yyyy", ""},
  };
  for (const Case& c : cases) {
    char out[256];
    MakeDateRawValue(out, sizeof out, c.value, c.mask);
    EXPECT_STREQ(out, c.raw) << (c.value ? c.value : "(null)");
  }
}

TEST(DateFormattedValue, WithoutAMaskOrValue) {
  char out[256];
  MakeDateFormattedValue(out, sizeof out, "2001-12-04", nullptr);
  EXPECT_STREQ(out, "12/04/01");
  MakeDateFormattedValue(out, sizeof out, "", "mm/dd/yyyy");
  EXPECT_STREQ(out, "__/__/____");
  MakeDateFormattedValue(out, sizeof out, nullptr, "mm/dd/yyyy");
  EXPECT_STREQ(out, "__/__/____");
  ConvertDate(out, sizeof out, "2001-12-04", nullptr, "mm/dd/yyyy");
  EXPECT_STREQ(out, "__/__/____");
  ConvertDate(out, sizeof out, "2001-12-04", "yyyy-mm-dd", nullptr);
  EXPECT_STREQ(out, "");
}

class TranslatedDateNames : public ::testing::Test {
 protected:
  static constexpr StringEntry kFrench[] = {
      {1214, "aaaa-mm-jj"}, {2043, "jJmMaA"},      {2311, "d\xE9" "cembre"},
      {2402, "mardi"},      {2702, "mar."},        {2811, "d\xE9" "c."}};
  StringTableOverride strings_{kFrench, std::size(kFrench)};
  IntlSettingsOverride settings_{LoadIntlSettings(MakeSystemLocale("fr", "\x80"))};
};

TEST_F(TranslatedDateNames, NamesAndLettersComeFromTheTable) {
  EXPECT_EQ(Format("jjjj j mmmm aaaa", kDec4), "mardi 4 d\xE9" "cembre 2001");
  EXPECT_EQ(Format("jjj j mmm aa", kDec4), "mar. 4 d\xE9" "c. 01");
  EXPECT_EQ(Format("dd/yy", kDec4), "dd/yy");
  char out[256];
  MakeDateFormattedValue(out, sizeof out, "2001-d\xE9" "cembre-04", "jjjj j mmmm aaaa");
  EXPECT_STREQ(out, "mardi 4 d\xE9" "cembre 2001");
  MakeDateRawValue(out, sizeof out, "4.d\xE9" "c..2001", "j.mmm.aaaa");
  EXPECT_STREQ(out, "2001-12-04");
}

}  // namespace
}  // namespace zorva
