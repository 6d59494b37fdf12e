#include "time/time_mask.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace zorva {
namespace {

TimeValue T(int h, int m, int s, int blank = 0, int meridiem = MeridiemNone) {
  return TimeValue{s, m, h, blank, meridiem};
}

struct MaskCase {
  const char* mask;
  int hour, minute, second;
  char separator;
  int pair;
  const char* am;
  const char* pm;
};

TEST(TimeMask, AnalyseTokensSeparatorAndDesignators) {
  const MaskCase cases[] = {
      {"hh:mm:ss", 1, 2, 3, ':', 0, "", ""},
      {"mm:hh", 2, 1, 0, ':', 0, "", ""},
      {"hH:mm", 2, 3, 0, 'H', 0, "", ""},  // "hH" is two tokens; the second one follows the first
      {"hhh", 2, 0, 0, 'h', 0, "", ""},
      {"hh:mm:hh", 3, 2, 0, ':', 0, "", ""},
      {"h.mm", 1, 2, 0, '.', 0, "", ""},
      {"hh", 1, 0, 0, 0, 0, "", ""},
      {"hh AM/PM", 1, 0, 0, 0, 1, "AM", "PM"},  // the run moves the separator to the end
      {"hh:mm AM/PM", 1, 2, 0, ':', 1, "AM", "PM"},
      {"hh:mm am/pm", 1, 2, 0, ':', 1, "am", "pm"},
      {"hh:mm X/Y/Z", 1, 2, 0, ':', 1, "Y", "Z"},
      {"hh:mm AM//PM", 1, 2, 0, ':', 1, "", "PM"},
      {"AM/PM hh:mm", 1, 2, 0, ':', 1, "AM", "PM"},
      {"Morning/Evening", 0, 1, 0, 0, 1, "orning", "Evening"},
      {"hh x/y zz", 1, 0, 0, 0, 1, "x", "zz"},  // a later run replaces only the PM text
      {"hh zz", 1, 0, 0, 0, 0, "", "zz"},
      {"hh:mm ABCDEFGHIJKLMN/abcdefghijklmnop", 1, 2, 0, ':', 1, "ABCDEFGHIJK", "abcdefghijk"},
      {"hh\\h:mm", 1, 2, 0, '\\', 0, "", ""},
      {"\"h\"mm", 0, 1, 0, 0, 0, "", ""},
      {"hh \"A/P", 1, 0, 0, ' ', 0, "", ""},
      {"hh\\", 1, 0, 0, '\\', 0, "", ""},
      {"hh \xE9/\xFC", 1, 0, 0, 0, 1, "\xE9", "\xFC"},
      {"", 0, 0, 0, 0, 0, "", ""},
  };
  for (const MaskCase& c : cases) {
    SCOPED_TRACE(c.mask);
    TimeLayout layout;
    std::memset(&layout, 0x5A, sizeof layout);  // the analysis must clear it
    char separator = 'x';
    AnalyseTimeMask(c.mask, layout, separator);
    EXPECT_EQ(layout.hourOrdinal, c.hour);
    EXPECT_EQ(layout.minuteOrdinal, c.minute);
    EXPECT_EQ(layout.secondOrdinal, c.second);
    EXPECT_EQ(separator, c.separator);
    EXPECT_EQ(layout.hasDesignatorPair, c.pair);
    EXPECT_STREQ(layout.amText, c.am);
    EXPECT_STREQ(layout.pmText, c.pm);
    EXPECT_EQ(layout.hourStart | layout.hourEnd | layout.designatorStart | layout.designatorEnd, 0);
  }
}

TEST(TimeMask, LongMaskKeepsDesignatorsBounded) {
  std::string mask = "hh:mm " + std::string(1000, 'Q') + "/" + std::string(1000, 'R');
  TimeLayout layout;
  char separator;
  AnalyseTimeMask(mask.c_str(), layout, separator);
  EXPECT_STREQ(layout.amText, "QQQQQQQQQQQ");
  EXPECT_STREQ(layout.pmText, "RRRRRRRRRRR");
  EXPECT_EQ(layout.hasDesignatorPair, 1);
}

TEST(TimeMask, DesignatorPairWindow) {
  const char* mask = "h:mm:ss AM/PM";
  EXPECT_TRUE(HasDesignatorPair(mask));
  EXPECT_TRUE(HasDesignatorPair(mask + 8));
  EXPECT_FALSE(HasDesignatorPair(mask + 11));  // "PM": no "/" left
  EXPECT_FALSE(HasDesignatorPair(mask + 13));
  EXPECT_FALSE(HasDesignatorPair("hh:mm \"AM/PM\""));
  // The "/" at offset 62 is the last character seen; at 63 it is not.
  std::string seen = "h" + std::string(60, ' ') + "A/P";
  std::string unseen = "h" + std::string(61, ' ') + "A/P";
  EXPECT_TRUE(HasDesignatorPair(seen.c_str()));
  EXPECT_FALSE(HasDesignatorPair(unseen.c_str()));
}

// Range and meridiem checks are rows of tests/cases/cases.tsv; the entry
// points normalise only times in range, so the clamps show only here.
TEST(TimeMask, Normalise) {
  struct Case {
    TimeValue in;
    int hours, minutes, seconds, meridiem;
  } cases[] = {
      {T(30, 0, 0), 6, 0, 0, MeridiemAM},   {T(24, 0, 0), 24, 0, 0, MeridiemAM},
      {T(12, 0, 0), 12, 0, 0, MeridiemPM},  {T(10, 75, -3), 10, 59, 0, MeridiemAM},
      {T(-4, 0, 0), 0, 0, 0, MeridiemAM},   {T(48, 0, 0), 0, 0, 0, MeridiemAM},
      {T(23, 0, 0, 1, MeridiemAM), 23, 0, 0, MeridiemPM},
  };
  for (Case c : cases) {
    NormaliseTime(c.in);
    EXPECT_EQ(c.in.hours, c.hours);
    EXPECT_EQ(c.in.minutes, c.minutes);
    EXPECT_EQ(c.in.seconds, c.seconds);
    EXPECT_EQ(c.in.meridiem, c.meridiem);
    EXPECT_EQ(c.in.isBlank, 0);
  }
}

}  // namespace
}  // namespace zorva
