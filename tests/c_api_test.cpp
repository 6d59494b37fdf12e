// The C interface: counted texts, snprintf-like answers, errors as -1.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>

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

// The editor's arguments and answers; what it does with keys is the rows
// of tests/cases/editing.tsv.
TEST(CApi, EditorArgumentsAndAnswers) {
  const char* phone = "(###) ###-####";
  // Nothing to type into: a binary kind, a date-time without the blank
  // between its halves (it has no default mask), a designator without two
  // texts, a date mask without a part, a time field shown once but checked twice.
  const std::pair<int, const char*> none[] = {{ZORVA_BINARY, ""}, {ZORVA_DATETIME, ""}, {ZORVA_DATETIME, "mm/dd/yyyy"},
                                              {ZORVA_TIME, "h:mm X"}, {ZORVA_DATE, "--"}, {ZORVA_TIME, "hH:mm"}};
  for (const auto& [type, mask] : none) {
    EXPECT_EQ(zorva_editor_new(type, mask, ZORVA_NTS, nullptr, 0), nullptr) << type << " " << mask;
  }
  EXPECT_EQ(zorva_editor_new(ZORVA_TEXT, nullptr, 2, nullptr, 0), nullptr);
  for (const char* prompt : {"ab", "\t", "\xce\xa9", "\xc3"}) {  // two, a control, none of the code page, malformed
    EXPECT_EQ(zorva_editor_new(ZORVA_TEXT, phone, ZORVA_NTS, prompt, ZORVA_NTS), nullptr) << prompt;
  }
  const std::string longest(254, '#');  // the most a text's answers hold
  zorva_editor* e = zorva_editor_new(ZORVA_TEXT, longest.data(), longest.size(), "", 0);
  ASSERT_NE(e, nullptr);
  const std::string digits(254, '7');
  EXPECT_EQ(zorva_editor_insert(e, digits.data(), digits.size()), 1);
  EXPECT_EQ(zorva_editor_is_valid(e), 1);
  EXPECT_EQ(zorva_editor_raw_value(e, nullptr, 0), 254);
  EXPECT_EQ(zorva_editor_commit(e), 1);
  zorva_editor_free(e);
  EXPECT_EQ(zorva_editor_new(ZORVA_TEXT, (longest + "-").data(), 255, "", 0), nullptr);
  const std::string quoted = "\"-\"" + longest;  // a quoted run's characters are shown
  EXPECT_EQ(zorva_editor_new(ZORVA_TEXT, quoted.data(), quoted.size(), "", 0), nullptr);

  e = zorva_editor_new(ZORVA_TEXT, phone, ZORVA_NTS, "\xe2\x80\xa2", 3);  // a bullet, three bytes
  ASSERT_NE(e, nullptr);
  char text[8];
  EXPECT_EQ(zorva_editor_text(e, text, sizeof text), 34);
  EXPECT_STREQ(text, "(\xe2\x80\xa2\xe2\x80\xa2");  // cut at a character
  EXPECT_EQ(zorva_editor_insert(e, "5551234567", 4), 1);  // counted
  EXPECT_EQ(zorva_editor_caret(e), 7);  // (555) 1|
  EXPECT_EQ(zorva_editor_raw_value(e, nullptr, 0), 4);
  EXPECT_EQ(zorva_editor_set_text(e, nullptr, 0), 0);  // nothing taken: the field is empty
  EXPECT_EQ(zorva_editor_is_valid(e), 1);
  EXPECT_EQ(zorva_editor_insert(e, nullptr, 1), -1);
  EXPECT_EQ(zorva_editor_text(e, nullptr, 1), -1);
  zorva_editor_free(e);
  // Malformed UTF-8 is no character: a stray continuation byte, a sequence
  // cut by the length.
  e = zorva_editor_new(ZORVA_MEMO, "", 0, nullptr, 0);
  EXPECT_EQ(zorva_editor_insert(e, "\x80", 1), 0);
  EXPECT_EQ(zorva_editor_insert(e, "a\xc3\xa9", 2), 1);
  EXPECT_EQ(zorva_editor_text(e, text, sizeof text), 1);
  zorva_editor_free(e);
  // Without a mask: as many characters as both answers keep whole.
  e = zorva_editor_new(ZORVA_MEMO, "", 0, nullptr, 0);
  const std::string many(300, 'x');
  EXPECT_EQ(zorva_editor_insert(e, many.data(), many.size()), 1);
  EXPECT_EQ(zorva_editor_insert(e, "y", 1), 0);
  EXPECT_EQ(zorva_editor_caret(e), 254);
  char raw[ZORVA_MAX_ANSWER + 1];
  EXPECT_EQ(zorva_editor_raw_value(e, raw, sizeof raw), 254);
  EXPECT_EQ(zorva_editor_commit(e), 1);
  EXPECT_EQ(zorva_editor_text(e, nullptr, 0), 254);
  zorva_editor_free(e);
  zorva_editor_free(nullptr);
  EXPECT_EQ(zorva_editor_insert(nullptr, "1", 1), -1);
  EXPECT_EQ(zorva_editor_delete_backward(nullptr), -1);
  EXPECT_EQ(zorva_editor_delete_forward(nullptr), -1);
  EXPECT_EQ(zorva_editor_set_selection(nullptr, 0, 0), -1);
  EXPECT_EQ(zorva_editor_set_text(nullptr, "", 0), -1);
  EXPECT_EQ(zorva_editor_commit(nullptr), -1);
  EXPECT_EQ(zorva_editor_caret(nullptr), -1);
  EXPECT_EQ(zorva_editor_raw_value(nullptr, text, sizeof text), -1);
  EXPECT_EQ(zorva_editor_is_valid(nullptr), -1);
}

}  // namespace
