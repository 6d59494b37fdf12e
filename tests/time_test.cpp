// The time engine where the entry points cannot reach it: the layout and
// spans of a parse, records out of range, no mask or value, buffer cuts.
// Typed times and masks are rows of tests/cases/cases.tsv.
#include <cstdio>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "intl/settings.h"
#include "service/dispatch.h"
#include "time/time_format.h"
#include "time/time_mask.h"
#include "time/time_validate.h"

namespace zorva {
namespace {

const IntlSettings& Us() {
  static const IntlSettings s = LoadIntlSettings(MakeSystemLocale("en", "$"));
  return s;
}

// The service's raw or formatted time, as the entry points ask for it.
std::string Answer(bool raw, const char* value, const char* mask, std::size_t capacity = 255) {
  const FormatRequest request{etTime, ',', '.', mask, "$"};
  char out[256];
  (raw ? MakeRawValue : MakeFormattedValue)(out, value, request, capacity, Us());
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
  char s[128];
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
  EXPECT_EQ(Layout("hh:mm ABCDEFGHIJKL/abcdefghijklm"), "120 : 1 ABCDEFGHIJK/abcdefghijk 0");
  const std::string longPair = "hh:mm " + std::string(1000, 'Q') + "/" + std::string(1000, 'R');
  EXPECT_EQ(Layout(longPair.c_str()), "120 : 1 QQQQQQQQQQQ/RRRRRRRRRRR 0");
  EXPECT_EQ(Layout(""), "000 - 0 / 0");
  // A trailing escape or an open quote ends at the terminator: nothing past it is read.
  EXPECT_EQ(Layout("hh\\\0mm A/P"), "100 \\ 0 / 0");
  EXPECT_EQ(Layout("hh \"x\0mm A/P"), "100   0 / 0");
}

// A record's fields in order: seconds, minutes, hours, blank flag, meridiem.
auto Fields(const TimeValue& t) { return std::tuple(t.seconds, t.minutes, t.hours, t.isBlank, t.meridiem); }

// What a check reads, which only its verdict shows: the spans of the
// fields, and a record with hours on the 24-hour clock, midnight as 0 and
// the meridiem also without a pair.
TEST(TimeValidate, WhatACheckReads) {
  TimeLayout layout;
  char separator;
  AnalyseTimeMask("hh:mm:ss", layout, separator);
  SplitTimeValue(" 10 :20:30:40", layout, separator, Us());
  EXPECT_EQ(std::vector<int>({layout.hourStart, layout.hourEnd, layout.minuteStart, layout.minuteEnd,
                              layout.secondStart, layout.secondEnd, layout.designatorStart, layout.designatorEnd}),
            std::vector<int>({1, 3, 5, 7, 8, 10, 11, 13}));
  // A run of text shorter than its span is read only to its end.
  EXPECT_TRUE(HasNonDigit("12", 3));
  EXPECT_FALSE(HasNonDigit("", 0));

  struct Case {
    const char* mask;
    const char* value;
    TimeValue read;
  } cases[] = {
      {"h:mm AM/PM", "12:05 AM", {0, 5, 0, 0, MeridiemAM}}, {"h:mm AM/PM", "3:05 PM", {0, 5, 15, 0, MeridiemPM}},
      {"hh:mm", "24:00", {0, 0, 0, 0, MeridiemAM}},          {"hh:mm", "13:00", {0, 0, 13, 0, MeridiemPM}},
      {"", "", {0, 0, 0, 1, MeridiemAM}},
  };
  for (const Case& c : cases) {
    AnalyseTimeMask(c.mask, layout, separator);
    SplitTimeValue(c.value, layout, separator, Us());
    EXPECT_EQ(Fields(ReadTimeFields(c.value, layout)), Fields(c.read)) << c.mask << " | " << c.value;
  }
}

// Range and meridiem checks are rows of the table; the entry points
// normalise only times in range, so the clamps show only here.
TEST(TimeMask, Normalise) {
  const TimeValue cases[][2] = {
      {{0, 0, 30, 0, 0}, {0, 0, 6, 0, MeridiemAM}}, {{-3, 75, 10, 0, 0}, {0, 59, 10, 0, MeridiemAM}},
      {{0, 0, -4, 0, 0}, {0, 0, 0, 0, MeridiemAM}},  {{0, 0, 48, 0, 0}, {0, 0, 0, 0, MeridiemAM}},
      {{0, 0, 23, 1, MeridiemAM}, {0, 0, 23, 0, MeridiemPM}},
  };
  for (const auto& c : cases) {
    TimeValue t = c[0];
    NormaliseTime(t);
    EXPECT_EQ(Fields(t), Fields(c[1])) << "hours " << c[0].hours;
  }
}

// No mask, an empty one or no value.
TEST(TimeValues, WithoutAMaskOrValue) {
  EXPECT_TRUE(ValidateTime("garbage", "", Us()));
  EXPECT_TRUE(ValidateTime(nullptr, nullptr, Us()));
  EXPECT_EQ(Answer(true, "10", nullptr), "10:00:00");  // the default mask
  char out[16];
  EXPECT_EQ(ReformatTime(out, sizeof out, "", "hh:mm:ss", "hh:mm AM/PM"), 8u);
  EXPECT_STREQ(out, "__:__ __");
  EXPECT_EQ(ReformatTime(out, sizeof out, "15:30:00", "hh:mm:ss", ""), 0u);
  EXPECT_EQ(ReformatTime(out, sizeof out, "10:00:00", nullptr, "hh:mm"), 5u);
  EXPECT_STREQ(out, "__:__");
}

TEST(TimeValidate, HostileInput) {
  const std::string spaces(1 << 20, ' '), colons(1 << 20, ':'), high(1000, '\xFF');
  EXPECT_TRUE(ValidateTime(spaces.c_str(), "hh:mm:ss", Us()));
  EXPECT_FALSE(ValidateTime(colons.c_str(), "h:mm AM/PM", Us()));
  EXPECT_FALSE(ValidateTime(high.c_str(), "h:mm AM/PM", Us()));
  const std::string mask = std::string(1000, 'h') + " " + std::string(1000, 'Z') + "/P";
  EXPECT_FALSE(ValidateTime("10 P", mask.c_str(), Us()));  // hours are the 500th field
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
  EXPECT_EQ(Answer(true, "3:30 PM", "h:mm AM/PM", 5), "15:30");

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
        std::string shown = Answer(false, raw, mask);
        ASSERT_TRUE(ValidateValue(shown.c_str(), mask, tkMETime, Us())) << mask << " " << raw << " -> " << shown;
        ASSERT_EQ(Answer(true, shown.c_str(), mask), raw) << mask << " " << shown;
      }
    }
  }
}

}  // namespace
}  // namespace zorva
