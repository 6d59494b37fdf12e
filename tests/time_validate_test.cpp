#include "time/time_validate.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "intl/settings.h"

namespace zorva {
namespace {

// Masked times are rows of tests/cases/cases.tsv; an empty mask reaches the
// validator only from here (the entry points put the default mask in).
TEST(TimeValidate, EmptyMaskTakesAnything) { EXPECT_TRUE(ValidateTime("garbage", "")); }

TEST(TimeValidate, NonDigit) {
  struct Case {
    const char* text;
    std::size_t length;
    bool result;
  } cases[] = {
      {"123", 3, false}, {"12a", 3, true},  {"12", 3, true},  // ends early
      {"", 0, false},    {"abc", 0, false}, {"1a", 1, false}, {"1\xB2" "3", 3, false},
  };
  for (const Case& c : cases) EXPECT_EQ(HasNonDigit(c.text, c.length), c.result) << c.text;
}

TEST(TimeValidate, SplitSpans) {
  TimeLayout layout;
  char separator;
  AnalyseTimeMask("hh:mm:ss", layout, separator);
  SplitTimeValue(" 10 :20:30:40", layout, separator);
  EXPECT_EQ(layout.hourStart, 1);
  EXPECT_EQ(layout.hourEnd, 3);
  EXPECT_EQ(layout.minuteStart, 5);
  EXPECT_EQ(layout.minuteEnd, 7);
  EXPECT_EQ(layout.secondStart, 8);
  EXPECT_EQ(layout.secondEnd, 10);
  EXPECT_EQ(layout.designatorStart, 11);
  EXPECT_EQ(layout.designatorEnd, 13);

  AnalyseTimeMask("hh:mm:ss", layout, separator);
  SplitTimeValue("a:b:c:d:e", layout, separator);  // the last unassigned field wins
  EXPECT_EQ(layout.designatorStart, 8);
  EXPECT_EQ(layout.designatorEnd, 9);

  AnalyseTimeMask("hh", layout, separator);
  SplitTimeValue("7", layout, '\0');
  EXPECT_EQ(layout.hourEnd, 1);
  EXPECT_EQ(layout.minuteStart | layout.minuteEnd | layout.designatorEnd, 0);
}

TEST(TimeValidate, ReadFields) {
  struct Case {
    const char* mask;
    const char* value;
    int hours, minutes, blank, meridiem;
  } cases[] = {
      {"h:mm AM/PM", "12:05 AM", 0, 5, 0, MeridiemAM},  // 12 AM is 24, then 0
      {"h:mm AM/PM", "3:05 PM", 15, 5, 0, MeridiemPM},
      {"h:mm AM/PM", "2:05", 2, 5, 0, MeridiemNone},
      {"h:mm AM/PM", "0:05 PM", 0, 5, 0, MeridiemPM},
      {"h:mm AM/PM", "x:05 PM", -1, 5, 0, MeridiemPM},
      {"hh:mm", "24:00", 0, 0, 0, MeridiemAM},
      {"hh:mm", "13:00", 13, 0, 0, MeridiemPM},
      {"AM/PM", "", 0, 0, 1, MeridiemNone},
      {"AM/PM", "PM", 0, 0, 0, MeridiemPM},
      {"", "", 0, 0, 1, MeridiemAM},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.mask << " | " << c.value);
    TimeLayout layout;
    char separator;
    AnalyseTimeMask(c.mask, layout, separator);
    SplitTimeValue(c.value, layout, separator);
    TimeValue t = ReadTimeFields(c.value, layout);
    EXPECT_EQ(t.hours, c.hours);
    EXPECT_EQ(t.minutes, c.minutes);
    EXPECT_EQ(t.isBlank, c.blank);
    EXPECT_EQ(t.meridiem, c.meridiem);
  }
}

TEST(TimeValidate, HostileInput) {
  std::string digits(1 << 20, '9');
  EXPECT_FALSE(ValidateTime(digits.c_str(), "hh:mm:ss"));
  std::string spaces(1 << 20, ' ');
  EXPECT_TRUE(ValidateTime(spaces.c_str(), "hh:mm:ss"));
  std::string colons(1 << 20, ':');
  EXPECT_FALSE(ValidateTime(colons.c_str(), "h:mm AM/PM"));
  std::string high(1000, '\xFF');
  EXPECT_FALSE(ValidateTime(high.c_str(), "h:mm AM/PM"));
  std::string mask = std::string(1000, 'h') + " " + std::string(1000, 'Z') + "/P";
  EXPECT_FALSE(ValidateTime("10 P", mask.c_str()));  // hours are the 500th field
  EXPECT_TRUE(ValidateTime(nullptr, nullptr));
  const char embedded[] = "10:30\0:99";
  EXPECT_TRUE(ValidateTime(embedded, "hh:mm:ss"));
}

}  // namespace
}  // namespace zorva
