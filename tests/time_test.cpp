// The time engine where the entry points cannot reach it: the layout and
// spans of a parse, records out of range, no mask or value, buffer cuts.
// Typed times and masks are rows of tests/cases/cases.tsv.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "intl/settings.h"
#include "time/time_format.h"
#include "time/time_mask.h"
#include "time/time_validate.h"

namespace zorva {
namespace {

std::string Raw(const char* value, const char* mask) {
  char out[256];
  MakeRawTime(out, sizeof out, value, mask);
  return out;
}

std::string Formatted(const char* value, const char* mask) {
  char out[256];
  MakeFormattedTime(out, sizeof out, value, mask);
  return out;
}

// A mask's layout in one line: the hours, minutes and seconds ordinals, the
// separator ("-" for none), the pair flag, the AM and PM texts, and the
// spans, which must be cleared whatever was in the layout before.
std::string Layout(const char* mask) {
  TimeLayout l;
  std::memset(&l, 0x5A, sizeof l);
  char separator = 'x';
  AnalyseTimeMask(mask, l, separator);
  char s[64];
  std::snprintf(s, sizeof s, "%d%d%d %c %d %s/%s %d", l.hourOrdinal, l.minuteOrdinal, l.secondOrdinal,
                separator ? separator : '-', l.hasDesignatorPair, l.amText, l.pmText,
                l.hourStart | l.hourEnd | l.designatorStart | l.designatorEnd);
  return s;
}

// What no answer shows: a designator without "/" keeps its text, long
// designators are cut to eleven characters.
TEST(TimeMask, LayoutOfAMask) {
  EXPECT_EQ(Layout("hh:mm:ss"), "123 : 0 / 0");
  EXPECT_EQ(Layout("hh zz"), "100 - 0 /zz 0");
  EXPECT_EQ(Layout("hh:mm ABCDEFGHIJKLMN/abcdefghijklmnop"), "120 : 1 ABCDEFGHIJK/abcdefghijk 0");
  const std::string longPair = "hh:mm " + std::string(1000, 'Q') + "/" + std::string(1000, 'R');
  EXPECT_EQ(Layout(longPair.c_str()), "120 : 1 QQQQQQQQQQQ/RRRRRRRRRRR 0");
  EXPECT_EQ(Layout(""), "000 - 0 / 0");
}

TEST(TimeValidate, SpansOfAValue) {
  TimeLayout layout;
  char separator;
  AnalyseTimeMask("hh:mm:ss", layout, separator);
  SplitTimeValue(" 10 :20:30:40", layout, separator);
  const std::int32_t spans[] = {layout.hourStart,   layout.hourEnd,   layout.minuteStart,
                                layout.minuteEnd,   layout.secondStart, layout.secondEnd,
                                layout.designatorStart, layout.designatorEnd};
  const std::int32_t expected[] = {1, 3, 5, 7, 8, 10, 11, 13};
  EXPECT_TRUE(std::equal(std::begin(spans), std::end(spans), std::begin(expected)));
  // A run of text shorter than its span is read only to its end.
  EXPECT_TRUE(HasNonDigit("12", 3));
  EXPECT_FALSE(HasNonDigit("", 0));
}

// Range and meridiem checks are rows of the table; the entry points
// normalise only times in range, so the clamps show only here.
TEST(TimeMask, Normalise) {
  struct Case {
    TimeValue in;
    int hours, minutes, seconds, meridiem;
  } cases[] = {
      {{0, 0, 30, 0, 0}, 6, 0, 0, MeridiemAM},  {{-3, 75, 10, 0, 0}, 10, 59, 0, MeridiemAM},
      {{0, 0, -4, 0, 0}, 0, 0, 0, MeridiemAM},  {{0, 0, 48, 0, 0}, 0, 0, 0, MeridiemAM},
      {{0, 0, 23, 1, MeridiemAM}, 23, 0, 0, MeridiemPM},
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

// No mask, an empty one or no value: the entry points put the default mask
// in and answer an empty value themselves.
TEST(TimeValues, WithoutAMaskOrValue) {
  EXPECT_TRUE(ValidateTime("garbage", ""));
  EXPECT_TRUE(ValidateTime(nullptr, nullptr));
  TimeLayout layout;
  char separator;
  AnalyseTimeMask("", layout, separator);
  SplitTimeValue("", layout, separator);
  const TimeValue t = ReadTimeFields("", layout);
  EXPECT_EQ(t.isBlank, 1);
  EXPECT_EQ(t.meridiem, MeridiemAM);
  EXPECT_EQ(Raw("10", nullptr), "00:00:00");
  EXPECT_EQ(Formatted("", "hh:mm AM/PM"), "__:__ __");
  EXPECT_EQ(Formatted("15:30:00", ""), "");
  char out[16];
  EXPECT_EQ(ReformatTime(out, sizeof out, "10:00:00", nullptr, "hh:mm"), 5u);
  EXPECT_STREQ(out, "__:__");
}

TEST(TimeValidate, HostileInput) {
  const std::string spaces(1 << 20, ' '), colons(1 << 20, ':'), high(1000, '\xFF');
  EXPECT_TRUE(ValidateTime(spaces.c_str(), "hh:mm:ss"));
  EXPECT_FALSE(ValidateTime(colons.c_str(), "h:mm AM/PM"));
  EXPECT_FALSE(ValidateTime(high.c_str(), "h:mm AM/PM"));
  const std::string mask = std::string(1000, 'h') + " " + std::string(1000, 'Z') + "/P";
  EXPECT_FALSE(ValidateTime("10 P", mask.c_str()));  // hours are the 500th field
}

// Records no reader makes: a meridiem at odds with the hours, fields out of
// range, an unknown meridiem code.
TEST(TimeFormat, RecordsNoReaderMakes) {
  char out[128];
  TimeValue t{0, 0, 15, 0, MeridiemAM};
  FormatTime(out, sizeof out, "AM/PM hh", t);  // the run shows the meridiem as it stands
  EXPECT_STREQ(out, "AM 15");
  EXPECT_EQ(t.meridiem, MeridiemAM);
  FormatTime(out, sizeof out, "hh AM/PM", t);
  EXPECT_STREQ(out, "03 PM");
  EXPECT_EQ(t.meridiem, MeridiemPM);

  TimeValue bad{-1, 7, -1, 0, 5};
  FormatTime(out, sizeof out, "hh:mm:s AM/PM", bad);
  EXPECT_STREQ(out, "__:07:_ __");
}

TEST(TimeFormat, BoundedOutput) {
  char out[8];
  std::memset(out, '#', sizeof out);
  TimeValue t{0, 30, 15, 0, MeridiemPM};
  EXPECT_EQ(FormatTime(out, 4, "hh:mm", t), 3u);
  EXPECT_STREQ(out, "15:");
  EXPECT_EQ(out[4], '#');
  EXPECT_EQ(FormatTime(out, 1, "hh:mm", t), 0u);
  EXPECT_STREQ(out, "");
  EXPECT_EQ(FormatTime(out, 0, "hh:mm", t), 0u);
  EXPECT_EQ(MakeRawTime(out, 6, "3:30 PM", "h:mm AM/PM"), 5u);
  EXPECT_STREQ(out, "15:30");

  std::string longMask = "h";
  for (int i = 1; i < 1000; ++i) longMask += ":h";
  char big[256];
  EXPECT_EQ(ReformatTime(big, sizeof big, "10:00:00", "hh:mm:ss", longMask.c_str()), 255u);
  EXPECT_EQ(big[255], '\0');
}

// Every minute of a day: raw -> formatted -> strictly valid -> the same raw.
TEST(TimeFormat, DaySweepRoundTrips) {
  for (const char* mask : {"h:mm AM/PM", "hh:mm"}) {
    for (int h = 0; h < 24; ++h) {
      for (int m = 0; m < 60; ++m) {
        char raw[16];
        std::snprintf(raw, sizeof raw, "%02d:%02d:00", h, m);
        std::string shown = Formatted(raw, mask);
        ASSERT_TRUE(ValidateTime(shown.c_str(), mask)) << mask << " " << raw << " -> " << shown;
        ASSERT_EQ(Raw(shown.c_str(), mask), raw) << mask << " " << shown;
      }
    }
  }
}

}  // namespace
}  // namespace zorva
