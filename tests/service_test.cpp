// The three questions end to end, through the public entry points.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <random>
#include <sstream>
#include <vector>
#include <string>

#include "intl/settings.h"
#include "platform/unicode.h"
#include "number/number.h"
#include "service/answer_size.h"
#include "service/boolean.h"
#include "service/dispatch.h"
#include "service/entry_points.h"
#include "service/fixed_shape.h"
#include "service/mask_cache.h"
#include "service/prepared_mask.h"
#include "service/whole_units.h"
#include "case_table.h"
#include "zorva/automation.h"
#include "zorva/masked_edit.h"
#include "zorva/zorva.h"

namespace zorva {
namespace {

// Settings of a user whose currency symbol is the dollar, whatever this
// machine's locale is.
class ServiceTest : public testing::Test {
 protected:
  ServiceTest() : settings_(LoadIntlSettings(MakeSystemLocale("en", "$"))) {}
  IntlSettingsOverride settings_;
};

std::string Utf8Of16(const std::u16string& s) {
  std::string out(s.size() * 3 + 1, '\0');
  out.resize(Utf16ToUtf8(s.data(), s.size(), out.data(), out.size()));
  return out;
}

bool HasLoneSurrogate(const std::u16string& s) {
  for (char16_t c : s)
    if (c >= 0xD800 && c <= 0xDFFF) return true;
  return false;
}

// Every row of the shared table, through the UTF-16 entry points, the UTF-8
// overloads, a prepared mask and the C interface.
// ZORVA_CASES names another table made like it (the differential run's).
TEST_F(ServiceTest, SharedCaseTable) {
  const char* table = std::getenv("ZORVA_CASES");
  auto cases = test::LoadCaseTable(table && *table ? table : ZORVA_SOURCE_DIR "/tests/cases/cases.tsv");
  ASSERT_GT(cases.size(), 100u);
  for (const test::TableCase& c : cases) {
    SCOPED_TRACE("cases.tsv:" + std::to_string(c.line));
    const test::Answers a = test::Ask(c.type, c.mask, c.value);  // "<none>" unless S_OK with a string
    const std::string expected = Utf8Of16(c.expected), mask = Utf8Of16(c.mask), value = Utf8Of16(c.value);
    const bool utf8 = !HasLoneSurrogate(c.mask) && !HasLoneSurrogate(c.value);
    if (c.op == "check") {
      const bool valid = expected == "valid";
      EXPECT_EQ(a.valid, valid ? -1 : 0);
      if (!utf8) continue;
      EXPECT_EQ(IsValidUtf8(c.type, mask, value), valid);
      EXPECT_EQ(IsValidUtf8(PreparedMask(c.type, mask), value), valid);
      EXPECT_EQ(zorva_is_valid(c.type, (mask + "x").data(), mask.size(), (value + "x").data(), value.size()), valid);
      continue;
    }
    // Through a prepared mask, as a stream or a database asks, and through the
    // C interface, whose texts are counted: a byte after them is not read.
    const bool raw = c.op == "raw";
    EXPECT_EQ(raw ? a.raw : a.formatted, c.expected);
    if (!utf8) continue;
    const PreparedMask p(c.type, mask);
    char out[kUtf8AnswerBytes];
    EXPECT_EQ(raw ? GetRawValueUtf8(c.type, mask, value) : GetFormattedValueUtf8(c.type, mask, value), expected);
    EXPECT_EQ(std::string(out, raw ? GetRawValueUtf8(p, value, out, sizeof out)
                                   : GetFormattedValueUtf8(p, value, out, sizeof out)), expected);
    EXPECT_EQ((raw ? zorva_raw_value : zorva_formatted_value)(c.type, (mask + "x").data(), mask.size(),
                                                              (value + "x").data(), value.size(), out, sizeof out),
              static_cast<int>(expected.size()));
    EXPECT_EQ(out, expected);
  }
}

// Entered numbers made of the characters the readers treat apart, under
// masks with and without decimals, markers and symbols, and under settings
// with the point and separator swapped or a two-letter symbol: the prepared
// path answers as the entry points do wherever it answers.
TEST(ServicePreparedNumbers, AnswerAsTheEntryPoints) {
  const char* const masks[] = {"", "#,##0.00;($#,##0.00)", "#,##0", "0.0", "#.##;-#.##",
                               "#,##0.00 ;#,##0.00-", "0%", "x#.#;y#.#", "0.00;[0.00]", ";", "+#,#00.000)"};
  const int types[] = {tkMECurrency, tkMEByte, tkMEShortInt, tkMELongInt, tkMEFloat, tkMEDouble};
  const std::string alphabet = "$(),.-0123456789 Ek%x\xc3\xa9";
  std::mt19937 random(15);
  int answered = 0;
  for (int settings = 0; settings < 3; ++settings) {
    IntlSettings s = LoadIntlSettings(MakeSystemLocale("en", settings == 2 ? "kr" : "$"));
    if (settings == 1) {
      s.sDecimal = s.sMonDecimalSep = ',';
      s.sThousand = s.sMonThousandSep = '.';
    }
    IntlSettingsOverride use(s);
    for (const char* mask : masks) {
      for (int type : types) {
        const PreparedMask p(type, mask);
        for (int i = 0; i < 300; ++i) {
          std::string value = random() % 2 ? "$" + std::to_string(random() % 10000000) + "." +
                                                 std::to_string(random() % 1000)
                                           : "";
          for (unsigned k = random() % 12; k > 0; --k) value += alphabet[random() % alphabet.size()];
          if (random() % 4 == 0) value = "(" + value + ")";
          SCOPED_TRACE(std::to_string(type) + " [" + mask + "] [" + value + "]");
          EXPECT_EQ(IsValidUtf8(p, value), IsValidUtf8(type, mask, value));
          char out[kUtf8AnswerBytes];
          EXPECT_EQ(std::string(out, GetRawValueUtf8(p, value, out, sizeof out)), GetRawValueUtf8(type, mask, value));
          // Its raw value shown again, laid out from its digits where the mask allows.
          const std::string raw = GetRawValueUtf8(type, mask, value);
          EXPECT_EQ(std::string(out, GetFormattedValueUtf8(p, raw, out, sizeof out)), GetFormattedValueUtf8(type, mask, raw));
          answered += QuickPreparedRaw(p, value, out, sizeof out) >= 0;
        }
      }
    }
  }
  EXPECT_GT(answered, 10000);  // the prepared path did answer
}

// The layouts from digits are taken where they are meant to be. Each checks
// itself when prepared and stands down where it would answer otherwise, so
// a fault in one shows in no answer, only in the speed: here, that the
// usual shapes are laid out by them, as the general path lays them out.
TEST(ServiceFastPaths, UsualShapesLaidOutFromDigits) {
  const IntlSettings& s = LoadIntlSettings(MakeSystemLocale("en", "$"));
  IntlSettingsOverride use(s);
  const struct { int type; const char* mask; const char* values; bool fixed; } numbers[] = {
      // with more places than the mask's: rounded, ties and carries included
      {tkMECurrency, "$#,##0.00;($#,##0.00)", "-1234.5 0 999999999.99 7 6.285 999.995 -0.004 -0.005 1.23456", true},
      {tkMEDouble, "#,##0.000", "-0.5 1234567.125 12 9.9995 -12.3456", true},
      {tkMEDouble, "0.00;(0.00)", "-12.5 3 94.085 -99.999", true},
      {tkMECurrency, "+#,##0.00;#,##0.00-", "12.3 -4", true},
      {tkMEDouble, "#,##0.0#", "", false},  // a "#" place: another shape
  };
  for (const auto& c : numbers) {
    SCOPED_TRACE(c.mask);
    FixedShape shape{};
    PrepareFixedShape(shape, RequestFor(c.type, c.mask, s), s);
    ASSERT_EQ(shape.ready, c.fixed);
    std::istringstream values(c.values);
    for (std::string v; values >> v;) {
      char out[kFixedShown];
      const int n = ShowFixed(shape, v.data(), v.size(), out);
      ASSERT_GE(n, 0) << v;
      EXPECT_EQ(std::string(out, static_cast<std::size_t>(n)), GetFormattedValueUtf8(c.type, c.mask, v)) << v;
    }
  }
  for (const char* mask : {"#,##0", "0", "000,000", "#,#0", "#,##0 \"pcs\""}) {
    SCOPED_TRACE(mask);
    const FormatRequest request = RequestFor(tkMELongInt, mask, s);
    WholeUnits whole{};
    PrepareWholeUnits(whole, request, WholeMaskKey(request), s);
    if (std::string(mask).find('"') != std::string::npos) {
      EXPECT_FALSE(whole.ready);  // a literal after the run: the general path's
      continue;
    }
    ASSERT_TRUE(whole.ready);
    for (const std::u16string v : {u"-1234567", u"42", u"0"}) {
      char16_t out[kWholeUnits];
      const int n = ShowWholeUnits(whole, v.data(), v.size(), out);
      ASSERT_GE(n, 0);
      char utf8[kUtf8AnswerBytes];
      const std::size_t k = Utf16ToUtf8(out, static_cast<std::size_t>(n), utf8, sizeof utf8);
      char raw[16];
      const std::size_t r = Utf16ToUtf8(v.data(), v.size(), raw, sizeof raw);
      EXPECT_EQ(std::string(utf8, k), GetFormattedValueUtf8(tkMELongInt, mask, std::string(raw, r)));
    }
    // The dispatcher reads the run with each value, and answers as a prepared mask does.
    const PreparedMask prepared(tkMELongInt, mask);
    for (const char* v : {"-1234567", "7", "007", "-0"}) {
      char out[kWholeTextBytes], expected[kUtf8AnswerBytes];
      ASSERT_GE(ConvertWholeText(out, sizeof out, v, mask, request.decimalSep, request.thousandSep,
                                 request.currencySymbol, s), 0) << v;
      EXPECT_EQ(out, std::string(expected, GetFormattedValueUtf8(prepared, v, expected, sizeof expected))) << v;
    }
  }
}

// A mask the automation front keeps is read into plans at its second call;
// from then on its answers are the dispatcher's, a 255-character cut too.
TEST(ServiceFastPaths, KeptMasksAnswerAsTheDispatcher) {
  const IntlSettings& s = LoadIntlSettings(MakeSystemLocale("en", "$"));
  IntlSettingsOverride use(s);
  const std::string blanks(300, '_');
  const struct { int type; std::string mask; std::vector<std::string> values; } kept[] = {
      {tkMEDate, "dddd, mmm d yy", {"Monday, Feb 29 04", "12/31/1999", "jan 5", "__/__/____", "2004-02-29", "x"}},
      {tkMEDate, "", {"3/4/2021", "March 4", "4"}},
      {tkMETime, "h:mm AM/PM", {"1:05 pm", "13:45", "12:00 a", "9", "_:__ __", "25:00", "0:00 x"}},
      {tkMETime, "a/p hh:mm:ss \"t\"", {"1:2:3 p", "p 1:2:3", "13:59:59", "12 a", "7 pm"}},
      {tkMEDateTime, "mm/dd/yyyy h:mm AM/PM", {"02/29/2004 1:05 PM", " 10:00", "2004-02-29 23:59:59", blanks + " 10:00",
                                                "1/2/3", "x y"}},
      {tkMEBoolean, "Yes/No", {"yes", "n", "0", "1", "2", " ", "maybe", "\xc3\xa9", "yeah"}},
      {tkMEBoolean, "0k/No/x", {"0", "0k", "no", "Ok"}},
      // a value that does not read back from the text shown takes the mask's own layout
      {tkMEText, "(###) ###-####", {"2065551234", "(206) 555-1234", "206555", "20655512345678", "abc", "_2_", "\xc3\xa9"}},
      {tkMEText, "#>L\"-\"A&?", {"5bx!+", "5-BX!+", "5", "x"}},
      {tkMEText, "U-L&", {"ab_", "aBc", "Ab!", "a-b-c"}},
  };
  for (const auto& c : kept) {
    SCOPED_TRACE(c.mask);
    const std::u16string mask = test::DecodeField(c.mask, 0);
    for (const std::string& v : c.values) {
      const test::Answers a = test::Ask(c.type, mask, test::DecodeField(v, 0));
      EXPECT_EQ(Utf8Of16(a.raw), GetRawValueUtf8(c.type, c.mask, v)) << v;
      EXPECT_EQ(Utf8Of16(a.formatted), GetFormattedValueUtf8(c.type, c.mask, v)) << v;
      EXPECT_EQ(a.valid != 0, IsValidUtf8(c.type, c.mask, v)) << v;
    }
    const MaskLease lease(c.type, mask.data(), mask.size(), s);
    const MaskFacts& f = *lease.get();
    EXPECT_TRUE(c.type == tkMEDateTime ? f.date && f.time : f.date || f.time || f.boolean || f.steps);
    // A prepared mask holds the same plans.
    EXPECT_EQ(PreparedMask(c.type, c.mask).state().plans != nullptr, c.type != tkMEBoolean && c.type != tkMEText);
  }
  // A boolean mask of ASCII is read in place, whatever its number of words.
  for (const std::u16string m : {u"Yes", u"Yes/No", u"On/Off/Unset"}) {
    AsciiBooleanMask words;
    EXPECT_TRUE(ReadAsciiBooleanMask(m.data(), m.size(), words));
    EXPECT_EQ(words.slash, m.find(u'/') == m.npos ? m.size() : m.find(u'/'));
  }
}

// A raw decimal with more places than the mask shows is rounded to them,
// and one with fewer padded, in the same pass that lays it out.
TEST(ServiceFastPaths, RawDecimalsFittedInOnePass) {
  const IntlSettings& s = LoadIntlSettings(MakeSystemLocale("en", "$"));
  IntlSettingsOverride use(s);
  NumberConversion conversion;
  conversion.fromFormat = s.sRawDecimalFormat;
  conversion.toFormat = "#,##0.00";
  conversion.parseDecimalSep = conversion.outDecimalSep = s.sDecimal;
  conversion.parseThousandSep = conversion.outThousandSep = s.sThousand;
  for (const std::string v : {"1234.5678", "-0.005", "999.995", "2.5", "-12"}) {
    char out[kAnswerBytes];
    ASSERT_GT(ConvertFittedDecimal(out, sizeof out, v.data(), v.size(), conversion, 2, s), 0) << v;
    EXPECT_EQ(out, GetFormattedValueUtf8(tkMEDouble, "#,##0.00", v)) << v;
  }
}

// Input no form would send: huge values and masks, masks of escapes or
// quotes, type numbers outside the range. Every answer is given, at most 255
// characters long, with no zero in it.
test::Answers Ask(std::int32_t type, const std::u16string& mask, const std::u16string& value) {
  const test::Answers a = test::Ask(type, mask, value);
  EXPECT_TRUE(a.valid == 0 || a.valid == -1);
  for (const std::u16string* s : {&a.raw, &a.formatted}) {
    EXPECT_NE(*s, u"<none>");
    EXPECT_LE(s->size(), 255u);
    EXPECT_EQ(s->find(u'\0'), std::u16string::npos);
  }
  return a;
}

TEST_F(ServiceTest, HostileInput) {
  using A = test::Answers;
  const std::u16string mb(1 << 20, u'9'), twoMb(2 << 20, u'9');
  const char16_t* units[] = {u"#", u"#,##0", u"mm/dd/yyyy ", u"hh:mm:ss ", u"#",   u"0",
                             u"#,##0", u"#", u"Yes/No", u"0",   u"0.00", u"0.#",
                             u"#", u"#", u"&", u"#", u"mm/dd/yyyy hh:mm", u"#"};
  for (int type = 0; type < kValueTypeCount; ++type) {
    SCOPED_TRACE(type);
    const bool text = type == tkMEText || type == tkMEMemo || type == tkMEURL || type == tkMEImage;
    // Past the bounds the length changes nothing: the work is one pass.
    const A a = Ask(type, u"", mb);
    EXPECT_EQ(Ask(type, u"", twoMb), a);
    if (text) {  // no mask: anything is valid, and the raw value is the value's start
      EXPECT_EQ(a, (A{-1, mb.substr(0, 254), mb.substr(0, 254)}));
    } else if (type == tkMEOleObject || type == tkMEBinary || type == tkMETimeStamp) {
      EXPECT_EQ(a, (A{-1, u"", u""}));
    } else if (type == tkMEBoolean) {
      EXPECT_EQ(a, (A{-1, u"0", u"False"}));
    } else {
      EXPECT_EQ(a.valid, 0);  // numbers out of range, no date, no time
    }
    // Only a mask's first 63 characters are read for the checks, but a
    // character mask, which is read whole. A longer mask may render more
    // digits or literals (cut at 255), but reads the same.
    std::u16string mask;
    while (mask.size() < 10000) mask += units[type];
    const std::u16string value = type == tkMEDate ? u"12/31/2001" : type == tkMETime ? u"10:30:00"
                                 : type == tkMEDateTime ? u"12/31/2001 10:30" : u"1234";
    const A m = Ask(type, mask, value), twice = Ask(type, mask + mask, value);
    EXPECT_EQ(m.valid, text ? m.valid : Ask(type, mask.substr(0, 63), value).valid);
    EXPECT_EQ(twice.valid, m.valid);
    EXPECT_EQ(twice.raw, m.raw);
    // A character mask of literals only takes no characters.
    for (const std::u16string& odd : {std::u16string(100, u'\\'), std::u16string(101, u'\\'), std::u16string(100, u'"'),
                                      std::u16string(101, u'"'), std::u16string(10000, u'\\'), std::u16string(10001, u'"')}) {
      const A e = Ask(type, odd, u"12");
      EXPECT_EQ(Ask(type, odd, u"12"), e) << odd.size();
      EXPECT_EQ(e.valid, text ? 0 : e.valid) << odd.size();
    }
  }
  // Under a character mask, a value whose placeholders take more characters
  // than an answer holds is never valid.
  EXPECT_EQ(Ask(tkMEText, std::u16string(300, u'#'), std::u16string(300, u'1')).valid, 0);
  // Type numbers outside the range are like the unchecked types: valid, with empty answers.
  std::vector<std::int32_t> types{INT32_MIN, INT32_MIN + 1, INT32_MAX, INT32_MAX - 1};
  for (std::int32_t t = -1; t <= 100; ++t)
    if (t < 0 || t >= kValueTypeCount) types.push_back(t);
  for (std::int32_t type : types) {
    EXPECT_EQ(Ask(type, u"(###)", u"(555) x"), (A{-1, u"", u""})) << type;
    EXPECT_EQ(Ask(type, u"", std::u16string(1 << 16, u'x')), (A{-1, u"", u""})) << type;
  }
}

TEST_F(ServiceTest, NullStringsAndPointers) {
  LONG ret = 7;
  EXPECT_EQ(IsValid(tkMEByte, nullptr, nullptr, &ret), S_OK);  // null strings are empty ones
  EXPECT_EQ(ret, -1);
  EXPECT_EQ(IsValid(tkMEByte, nullptr, nullptr, nullptr), E_POINTER);
  char small[4];
  EXPECT_EQ(GetFormattedValueUtf8(tkMECurrency, "", "1234.5", small, sizeof small), 3u);
  EXPECT_STREQ(small, "$1,");
}

// A user whose currency symbol is the euro: masks and values of Currency
// fields have their "$" replaced by the euro byte. Other users' symbols and
// separators.
TEST(ServiceSettings, EuroUserSwapsCurrencyOthersDoNot) {
  IntlSettingsOverride euro(LoadIntlSettings(MakeSystemLocale("de", "\x80")));
  // The default mask is chosen after the swap: its "$" stays a literal.
  EXPECT_EQ(GetFormattedValueUtf8(tkMECurrency, "", "-1234.5"), "($1,234.50)");
  EXPECT_EQ(GetFormattedValueUtf8(tkMECurrency, "$#,##0.00", "5"), "\xe2\x82\xac" "5.00");
  EXPECT_EQ(GetRawValueUtf8(tkMECurrency, "", "($1,234.50)"), "-1234.5");
  EXPECT_EQ(GetRawValueUtf8(tkMECurrency, "", "(\xe2\x82\xac" "1,234.50)"), "-1234.5");
  EXPECT_TRUE(IsValidUtf8(tkMECurrency, "", "$1,234.50"));
  // A prepared mask is swapped per call, leaving its own text as it was.
  const PreparedMask prepared(tkMECurrency, "$#,##0.00");
  char out[32];
  EXPECT_EQ(std::string(out, GetFormattedValueUtf8(prepared, "5", out, sizeof out)), "\xe2\x82\xac" "5.00");
  EXPECT_EQ(std::string(out, GetRawValueUtf8(prepared, "\xe2\x82\xac" "5.00", out, sizeof out)), "5.");
  EXPECT_EQ(prepared.state().text, "$#,##0.00");
  // The automation front keeps what a mask implies for one block of settings only.
  EXPECT_EQ(test::Ask(tkMECurrency, u"$#,##0.00", u"5").formatted, u"\u20ac" "5.00");
  // Other types keep the "$" as a literal of the mask.
  EXPECT_EQ(GetFormattedValueUtf8(tkMEDouble, "$#,##0.00", "5"), "$5.00");
  // A currency character of several letters is replaced whole.
  static constexpr StringEntry kDollars[] = {{kCurrencySymbolId, "US$"}};
  IntlSettingsOverride dollars(LoadIntlSettings(MakeSystemLocale("de", "\x80"), kDollars));
  EXPECT_EQ(GetFormattedValueUtf8(tkMECurrency, "US$#,##0.00", "5"), "\xe2\x82\xac" "5.00");
  // Only a euro user's masks are rewritten: a pound user's "$" stays "$".
  IntlSettingsOverride pound(LoadIntlSettings(MakeSystemLocale("en", "\xa3")));
  EXPECT_EQ(GetFormattedValueUtf8(tkMECurrency, "", "5"), "$5.00");
  EXPECT_EQ(test::Ask(tkMECurrency, u"$#,##0.00", u"5").formatted, u"$5.00");
  // A separator outside ASCII comes out in UTF-8 from the prepared path too.
  IntlSettings fr = LoadIntlSettings(MakeSystemLocale("fr", "\x80"));
  fr.sThousand = fr.sMonThousandSep = '\xa0';
  IntlSettingsOverride french(fr);
  const PreparedMask grouped(tkMELongInt, "#\xc2\xa0##0");  // the mask groups with the same character
  EXPECT_EQ(std::string(out, GetFormattedValueUtf8(grouped, "1234", out, sizeof out)), "1\xc2\xa0" "234");
}

// A string table whose raw boolean texts are other words: every front reads
// and writes them, the prepared mask's shortcut for "1/0" included.
TEST(ServiceSettings, OtherRawBooleanTexts) {
  static constexpr StringEntry kWords[] = {{kRawBooleanMaskId, "T/F"}};
  IntlSettingsOverride words(LoadIntlSettings(MakeSystemLocale("en", "$"), kWords));
  const PreparedMask prepared(tkMEBoolean, "Yes/No");
  char out[kUtf8AnswerBytes];
  for (const auto& [value, raw] : {std::pair{"yes", "T"}, {"No", "F"}, {"1", "T"}}) {
    EXPECT_EQ(GetRawValueUtf8(tkMEBoolean, "Yes/No", value), raw);
    EXPECT_EQ(std::string(out, GetRawValueUtf8(prepared, value, out, sizeof out)), raw);
    EXPECT_EQ(Utf8Of16(test::Ask(tkMEBoolean, u"Yes/No", test::DecodeField(value, 0)).raw), raw);
  }
  EXPECT_EQ(std::string(out, GetFormattedValueUtf8(prepared, "F", out, sizeof out)), "No");
}

}  // namespace
}  // namespace zorva
