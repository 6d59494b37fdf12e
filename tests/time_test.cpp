// The time engine where the case table cannot reach it: masks and values far
// past any field, and every minute of a day through the service. Typed
// times and masks are rows of tests/cases/cases.tsv.
#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "intl/settings.h"
#include "service/dispatch.h"
#include "time/time_format.h"
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

TEST(TimeValidate, HostileInput) {
  const std::string spaces(1 << 20, ' '), colons(1 << 20, ':'), high(1000, '\xFF');
  EXPECT_TRUE(ValidateTime(spaces.c_str(), "hh:mm:ss", Us()));
  EXPECT_FALSE(ValidateTime(colons.c_str(), "h:mm AM/PM", Us()));
  EXPECT_FALSE(ValidateTime(high.c_str(), "h:mm AM/PM", Us()));
  const std::string mask = std::string(1000, 'h') + " " + std::string(1000, 'Z') + "/P";
  EXPECT_FALSE(ValidateTime("10 P", mask.c_str(), Us()));  // hours are the 500th field
}

TEST(TimeFormat, BoundedOutput) {
  char out[8] = "#######";
  TimeValue t{0, 30, 15, 0, MeridiemPM};
  EXPECT_EQ(FormatTime(out, 4, "hh:mm", t), 3u);
  EXPECT_STREQ(out, "15:");
  EXPECT_EQ(out[4], '#');
  EXPECT_EQ(FormatTime(out, 0, "hh:mm", t), 0u);
  EXPECT_EQ(Answer(true, "3:30 PM", "h:mm AM/PM", 5), "15:30");
  std::string longMask = "h";
  for (int i = 1; i < 1000; ++i) longMask += ":h";
  EXPECT_EQ(Answer(false, "10:00:00", longMask.c_str()).size(), 255u);
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
