#include "time/time_format.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "time/time_validate.h"

namespace zorva {
namespace {

// Per mask: pairs of input and expected output.
struct MaskCases {
  const char* mask;
  std::vector<std::pair<const char*, const char*>> cases;
};

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

TEST(TimeFormat, RawValues) {
  const MaskCases table[] = {
      {"h:mm:ss AM/PM",
       {{"3:30:00 PM", "15:30:00"}, {"3:30 PM", "15:30:00"}, {"3:30 am", "03:30:00"}, {"12:15 AM", "00:15:00"}}},
      // Only the first letter of the entry counts.
      {"h:mm AM/PM",
       {{"12:30 PM", "12:30:00"}, {"3:30 p", "15:30:00"}, {"3:30 PM.", "15:30:00"}, {"3:30 x", "03:30:00"}}},
      {"h:mm A/P", {{"12:00 a", "00:00:00"}}},
      {"hh:mm", {{"9", "09:00:00"}, {"25:70", "25:70:00"}}},  // not range-checked
      {"hh:mm AM/PM", {{"7 PM", "19:00:00"}}},
      // A word alone is midnight; no word nor number is empty; 3 digits show their first 2.
      {"hh:mm:ss", {{"abc", "00:00:00"}, {"::", ""}, {"", ""}, {"125:00", "12:00:00"}}},
      {"hh mm:ss", {{"10 20 30", "10:20:00"}}},  // the ":" after a space ends the walk
      {"hh_mm AM/PM", {{"3 30 PM", "15:30:00"}}},
      {"hh \"x\"mm", {{"10 20", "10:20:00"}}},
      // No escapes here: the backslash starts the designator.
      {"hh:mm \\AM/PM", {{"3:30 PM", "15:30:00"}, {"12:30 AM", "12:30:00"}}},
      {"hhh mm", {{"1 2", "01:02:00"}}},  // a run of h is one token here
      {"AM/PM hh:mm", {{"PM 3:30", "00:30:00"}}},  // unarmed, the "M"s of the run are minutes tokens
      {"a b c d e f g 5", {{"a b c d e f g 5", "00:00:00"}}},  // seven words end the scan
      {nullptr, {{"10", "00:00:00"}}},
  };
  for (const MaskCases& m : table) {
    for (const auto& [value, expected] : m.cases) {
      EXPECT_EQ(Raw(value, m.mask), expected) << (m.mask ? m.mask : "(null)") << " | " << value;
    }
  }
  // Fifteen numbers at most: the sixteenth hours token finds none left.
  std::string mask = Repeat("h", 16, ":");
  std::string value = Repeat(nullptr, 16, ":");
  EXPECT_EQ(Raw(value.c_str(), mask.c_str()), "15:00:00");
}

TEST(TimeFormat, FormattedValues) {
  const MaskCases table[] = {
      {"h:mm AM/PM", {{"15:30:00", "3:30 PM"}, {"13:00:00", "1:00 PM"}}},
      {"hh:mm", {{"15:30:00", "15:30"}, {"24:00:00", "24:00"}, {"07:05:00", "07:05"}}},
      {"h:mm:ss am/pm", {{"15:30:00", "3:30:00 pm"}}},
      {"hh:mm:ss AM/PM", {{"00:05:09", "12:05:09 AM"}}},
      {"h:mm A/P", {{"12:00:00", "12:00 P"}}},
      {"hh:mm AM/PM",
       {{"24:00:00", "12:00 AM"}, {"25:00:00", "__:__ __"}, {"", "__:__ __"}, {"::", "12:00 AM"}}},
      {"h:m", {{"07:05:00", "7:5"}}},
      {"h:m:s", {{"10:00:00", "10:0:0"}}},
      {"hH:mM", {{"09:05:00", "09:05"}}},  // two letters of either case
      {"hhh", {{"15:00:00", "1515"}}},
      {"AM/PM hh:mm", {{"15:30:00", "PM 15:30"}}},  // pair before the hours: 24-hour clock
      {"hh\\h mm", {{"15:30:00", "15h 30"}}},
      {"hh \"hours\" mm", {{"15:30:00", "15 hours 30"}}},
      {"\"h\"h", {{"15:30:00", "h15"}}},
      {"hh \"mm", {{"09:05:00", "09 mm"}}},
      {"hh\\", {{"09:05:00", "09"}}},
      {"hh xyz", {{"15:00:00", "15 xyz"}, {"09:00:00", "09 "}}},  // no "/": PM text only
      {"hh X/Y/Z", {{"09:00:00", "09 Y"}, {"15:00:00", "03 Z"}}},
      {"hh ABCDEFGHIJKLM/abcdefghijklmno", {{"09:00:00", "09 ABCDEFGHIJK"}}},
      {"", {{"15:30:00", ""}}},
  };
  for (const MaskCases& m : table) {
    for (const auto& [value, expected] : m.cases) {
      EXPECT_EQ(Formatted(value, m.mask), expected) << m.mask << " | " << value;
    }
  }
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
