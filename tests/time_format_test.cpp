#include "time/time_format.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

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

std::string Repeat(const char* piece, int count, const char* glue) {
  std::string s;
  for (int i = 1; i <= count; ++i) s += (i > 1 ? glue : "") + std::string(piece == nullptr ? std::to_string(i) : piece);
  return s;
}

// Masked times are rows of tests/cases/cases.tsv; here what the entry points
// cannot pass: no mask, an empty mask and the empty value under a pair.
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
