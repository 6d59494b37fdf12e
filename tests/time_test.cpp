// The time engine: the mask's layout, strict checks and rendering.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "intl/settings.h"
#include "time/time_format.h"
#include "time/time_mask.h"
#include "time/time_validate.h"

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

std::string Repeat(const char* piece, int count, const char* glue) {
  std::string s;
  for (int i = 1; i <= count; ++i) s += (i > 1 ? glue : "") + std::string(piece == nullptr ? std::to_string(i) : piece);
  return s;
}

// Here too only what the entry points cannot pass: no mask, an empty mask
// and the empty value under a pair.
TEST(TimeFormat, RawValuesWithoutAMask) {
  EXPECT_EQ(Raw("10", nullptr), "00:00:00");
  // Fifteen numbers at most: the sixteenth hours token finds none left.
  std::string mask = Repeat("h", 16, ":");
  std::string value = Repeat(nullptr, 16, ":");
  EXPECT_EQ(Raw(value.c_str(), mask.c_str()), "15:00:00");
}

TEST(TimeFormat, FormattedValuesWithoutAMask) {
  EXPECT_EQ(Formatted("", "hh:mm AM/PM"), "__:__ __");
  EXPECT_EQ(Formatted("15:30:00", ""), "");
}

TEST(TimeFormat, FormatRecordAndMeridiem) {
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

  // A pair beyond the 63-character window does not switch the clock.
  std::string mask = "hh" + std::string(70, ' ') + "A/P";
  TimeValue pm{0, 0, 15, 0, MeridiemPM};
  FormatTime(out, sizeof out, mask.c_str(), pm);
  EXPECT_EQ(std::string(out), "15" + std::string(70, ' ') + "P");
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

  std::string longMask = Repeat("h", 1000, ":");
  char big[256];
  EXPECT_EQ(ReformatTime(big, sizeof big, "10:00:00", "hh:mm:ss", longMask.c_str()), 255u);
  EXPECT_EQ(big[255], '\0');
  std::string digits(1 << 20, '9');
  EXPECT_EQ(Raw(digits.c_str(), "hh:mm:ss"), "21:00:00");  // saturated, first two digits
  EXPECT_EQ(Formatted(digits.c_str(), "hh:mm"), "__:__");
  std::string high(1000, '\xE9');
  EXPECT_EQ(Raw(high.c_str(), "hh:mm AM/PM"), "00:00:00");
  EXPECT_EQ(ReformatTime(big, sizeof big, "10:00:00", nullptr, "hh:mm"), 5u);
  EXPECT_STREQ(big, "__:__");
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
  EXPECT_EQ(Formatted("00:00:00", "h:mm AM/PM"), "12:00 AM");
  EXPECT_EQ(Formatted("12:59:00", "h:mm AM/PM"), "12:59 PM");
}

}  // namespace
}  // namespace zorva
