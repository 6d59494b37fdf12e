// The C interface: counted texts, snprintf-like answers, errors as -1.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "zorva/zorva.h"

namespace {

TEST(CApi, BufferSizesLikeSnprintf) {
  const char* value = "-1234.5";
  int full = zorva_formatted_value(ZORVA_CURRENCY, "", 0, value, ZORVA_NTS, nullptr, 0);
  EXPECT_EQ(full, 11);  // ($1,234.50)
  char small[5] = "xxxx";
  EXPECT_EQ(zorva_formatted_value(ZORVA_CURRENCY, "", 0, value, ZORVA_NTS, small, sizeof small), 11);
  EXPECT_STREQ(small, "($1,");
  char one[1] = {'x'};
  EXPECT_EQ(zorva_raw_value(ZORVA_CURRENCY, "", 0, "$5.00", ZORVA_NTS, one, 1), 2);
  EXPECT_EQ(one[0], '\0');
  // The longest answer fits ZORVA_MAX_ANSWER: 255 characters of 3 bytes.
  std::string wide = "\"";
  for (int i = 0; i < 300; ++i) wide += "\xe2\x82\xac";  // the euro sign is in the code page
  wide += "\"0";
  char out[ZORVA_MAX_ANSWER + 1];
  EXPECT_EQ(zorva_formatted_value(ZORVA_CURRENCY, wide.data(), wide.size(), "5", 1, out, sizeof out), 765);
  EXPECT_EQ(std::strlen(out), 765u);
  // A cut answer keeps whole characters: "€€" is 6 bytes.
  for (std::size_t size : {1u, 2u, 3u, 4u, 6u, 7u}) {
    char cut[8];
    EXPECT_EQ(zorva_formatted_value(ZORVA_TEXT, "", 0, "\xe2\x82\xac\xe2\x82\xac", 6, cut, size), 6);
    EXPECT_STREQ(cut, std::string("\xe2\x82\xac\xe2\x82\xac", size < 4 ? 0 : size < 7 ? 3 : 6).c_str())
        << size;
  }
}

// The answers are the case table's (service_test asks every row with counted
// texts); here, texts ended by a zero, null texts and bad arguments.
TEST(CApi, BadArgumentsGiveMinusOne) {
  char out[8] = "x";
  EXPECT_EQ(zorva_is_valid(ZORVA_BYTE, "", 0, "127", ZORVA_NTS), 1);
  EXPECT_EQ(zorva_is_valid(ZORVA_BYTE, nullptr, 0, "128", 3), 0);
  EXPECT_EQ(zorva_raw_value(ZORVA_CURRENCY, "", ZORVA_NTS, "($1.50)", ZORVA_NTS, out, sizeof out), 4);
  EXPECT_STREQ(out, "-1.5");
  EXPECT_EQ(zorva_is_valid(ZORVA_TEXT, nullptr, 3, "a", 1), -1);
  EXPECT_EQ(zorva_is_valid(ZORVA_TEXT, "", 0, nullptr, 1), -1);
  EXPECT_EQ(zorva_raw_value(ZORVA_TEXT, "", 0, nullptr, 2, out, sizeof out), -1);
  EXPECT_EQ(zorva_raw_value(ZORVA_TEXT, "", 0, "a", 1, nullptr, 4), -1);
  // Null with no length is an empty text.
  EXPECT_EQ(zorva_formatted_value(ZORVA_TEXT, nullptr, ZORVA_NTS, nullptr, 0, out, sizeof out), 0);
  EXPECT_STREQ(out, "");
  std::string version = zorva_version();
  EXPECT_EQ(std::count(version.begin(), version.end(), '.'), 2) << version;
}

TEST(CApi, ValueTypesByName) {
  EXPECT_EQ(zorva_value_type_named("currency", ZORVA_NTS), ZORVA_CURRENCY);
  EXPECT_EQ(zorva_value_type_named("DateTime", ZORVA_NTS), ZORVA_DATETIME);
  EXPECT_EQ(zorva_value_type_named("tkmetimestamp", ZORVA_NTS), ZORVA_TIMESTAMP);
  EXPECT_EQ(zorva_value_type_named("17", 2), ZORVA_TIMESTAMP);
  EXPECT_EQ(zorva_value_type_named("text!", 4), ZORVA_TEXT);  // the length counts
  for (const char* none : {"18", "-1", "", "01x", "texts", "tkME", "100"}) {
    EXPECT_EQ(zorva_value_type_named(none, ZORVA_NTS), -1) << none;
  }
  EXPECT_EQ(zorva_value_type_named(nullptr, 3), -1);
}

}  // namespace
