// Input no form would send, through the UTF-16 entry points: huge values and
// masks, type numbers outside the range, masks of escapes or quotes. Each
// gets the answer the public header promises, at most 255 characters long.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "case_table.h"
#include "intl/settings.h"
#include "zorva/automation.h"
#include "zorva/masked_edit.h"

namespace zorva {
namespace {

class HostileInput : public testing::Test {
 protected:
  HostileInput() : settings_(LoadIntlSettings(MakeSystemLocale("en", "$"))) {}
  IntlSettingsOverride settings_;
};

using test::Answers;

// Every answer is given, at most 255 characters long, with no zero in it.
Answers Ask(std::int32_t type, const std::u16string& mask, const std::u16string& value) {
  const Answers a = test::Ask(type, mask, value);
  EXPECT_TRUE(a.valid == 0 || a.valid == -1);
  for (const std::u16string* s : {&a.raw, &a.formatted}) {
    EXPECT_NE(*s, u"<none>");
    EXPECT_LE(s->size(), 255u);
    EXPECT_EQ(s->find(u'\0'), std::u16string::npos);
  }
  return a;
}

bool IsTextType(int type) {
  return type == tkMEText || type == tkMEMemo || type == tkMEURL || type == tkMEImage;
}
bool IsUnchecked(int type) {
  return type == tkMEOleObject || type == tkMEBinary || type == tkMETimeStamp;
}

TEST_F(HostileInput, MegabyteValues) {
  const std::u16string mb(1 << 20, u'9'), twoMb(2 << 20, u'9');
  for (int type = 0; type < kValueTypeCount; ++type) {
    SCOPED_TRACE(type);
    const Answers a = Ask(type, u"", mb);
    // Past the bounds the length changes nothing: the work is one pass.
    EXPECT_EQ(Ask(type, u"", twoMb), a);
    if (IsTextType(type)) {
      // No mask: anything is valid, and the raw value is the value's start.
      EXPECT_EQ(a.valid, -1);
      EXPECT_EQ(a.raw, mb.substr(0, 254));
      EXPECT_EQ(a.formatted, mb.substr(0, 254));
    } else if (IsUnchecked(type)) {
      EXPECT_EQ(a, (Answers{-1, u"", u""}));
    } else if (type == tkMEBoolean) {
      EXPECT_EQ(a, (Answers{-1, u"0", u"False"}));
    } else {
      EXPECT_EQ(a.valid, 0);  // numbers out of range, no date, no time
    }
  }
  // Under a character mask, a value whose placeholders take more characters
  // than an answer holds is never valid.
  EXPECT_EQ(Ask(tkMEText, std::u16string(300, u'#'), std::u16string(300, u'1')).valid, 0);
}

TEST_F(HostileInput, LongMasks) {
  const char16_t* units[] = {u"#", u"#,##0", u"mm/dd/yyyy ", u"hh:mm:ss ", u"#",   u"0",
                             u"#,##0", u"#", u"Yes/No", u"0",   u"0.00", u"0.#",
                             u"#", u"#", u"&", u"#", u"mm/dd/yyyy hh:mm", u"#"};
  for (int type = 0; type < kValueTypeCount; ++type) {
    SCOPED_TRACE(type);
    std::u16string mask;
    while (mask.size() < 10000) mask += units[type];
    const std::u16string value = type == tkMEDate ? u"12/31/2001" : type == tkMETime ? u"10:30:00"
                                 : type == tkMEDateTime ? u"12/31/2001 10:30" : u"1234";
    const Answers a = Ask(type, mask, value);
    // Only a mask's first 63 characters are read for the checks, but a
    // character mask, which is read whole.
    if (!IsTextType(type)) {
      EXPECT_EQ(a.valid, Ask(type, mask.substr(0, 63), value).valid);
    }
    // A longer mask may render more digits or literals (cut at 255), but
    // reads the same.
    const Answers twice = Ask(type, mask + mask, value);
    EXPECT_EQ(twice.valid, a.valid);
    EXPECT_EQ(twice.raw, a.raw);
  }
}

TEST_F(HostileInput, TypeNumbersOutsideTheRange) {
  std::vector<std::int32_t> types{INT32_MIN, INT32_MIN + 1, INT32_MAX, INT32_MAX - 1};
  for (std::int32_t t = -1; t <= 100; ++t)
    if (t < 0 || t >= kValueTypeCount) types.push_back(t);
  for (std::int32_t type : types) {
    SCOPED_TRACE(type);
    // Like the unchecked types: valid, with empty answers.
    EXPECT_EQ(Ask(type, u"(###)", u"(555) x"), (Answers{-1, u"", u""}));
    EXPECT_EQ(Ask(type, u"", std::u16string(1 << 16, u'x')), (Answers{-1, u"", u""}));
  }
}

TEST_F(HostileInput, MasksOfEscapesOrQuotes) {
  for (const std::u16string& mask :
       {std::u16string(100, u'\\'), std::u16string(101, u'\\'), std::u16string(100, u'"'),
        std::u16string(101, u'"'), std::u16string(10000, u'\\'), std::u16string(10001, u'"')}) {
    for (int type = 0; type < kValueTypeCount; ++type) {
      SCOPED_TRACE(testing::Message() << "type " << type << " mask of " << mask.size());
      const Answers a = Ask(type, mask, u"12");
      EXPECT_EQ(Ask(type, mask, u"12"), a);
      // A character mask of literals only takes no characters.
      if (IsTextType(type)) {
        EXPECT_EQ(a.valid, 0);
      }
    }
  }
}

}  // namespace
}  // namespace zorva
