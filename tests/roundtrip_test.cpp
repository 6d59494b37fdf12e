// Raw value -> display text -> raw value, for every type and a set of masks:
// the raw value comes back wherever the mask can show it exactly.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "intl/settings.h"
#include "zorva/masked_edit.h"

namespace zorva {
namespace {

struct Family {
  std::vector<int> types;
  std::vector<const char*> masks;
  std::vector<const char*> raws;
};

const Family kFamilies[] = {
    // Text: raw values whose characters the placeholders take, no more of
    // them than the mask has placeholders.
    {{tkMEText, tkMEMemo, tkMEURL, tkMEImage},
     {"", "(###) ###-####", "&&&&&&&&&&"},
     {"5551234567", "555", "12"}},
    {{tkMEText, tkMEMemo, tkMEURL, tkMEImage},
     {"", "\\#\\##", "\"ID\"-&&&", "\"ID\"-&&&&&"},
     {"5", "0", "7"}},
    {{tkMEText}, {"", "?" "?-AA", "&&-&&&"}, {"1Ab", "-9xY", "x1yz"}},
    {{tkMECurrency},
     {"", "$#,##0.00;($#,##0.00)", "#,##0.00", "0.00;(0.00)", "#,##0.0000 \"EUR\""},
     {"1234.5", "-1234.5", "0.01", "99999999999.99", "-0.5", "7.", "0."}},
    {{tkMEByte, tkMEShortInt, tkMECounter, tkMELongInt},
     {"", "#,##0", "#,##0;(#,##0)", "0000", "#,##0 \"units\""},
     {"0", "1", "-1", "127", "-127", "1234", "-32767", "1000000"}},
    {{tkMEFloat, tkMEDouble},
     {"", "#,##0.00", "0.00;(0.00)", "#,##0.000"},
     {"1234.5", "-1234.25", "0.1", "0.", "12.", "-0.75"}},
    {{tkMEDate},
     {"", "mm/dd/yyyy", "dd.mm.yyyy", "yyyy-mm-dd", "d-mmm-yyyy", "dddd, mmmm d, yyyy", "mm/dd/yy"},
     {"2001-12-31", "2000-02-29", "1979-01-01", "2078-06-15", "1999-07-04"}},
    {{tkMETime},
     {"", "hh:mm:ss", "h:mm:ss AM/PM", "h:mm:ss am/pm", "hh:mm:ss A/P", "hh\"h\"mm\"m\"ss"},
     {"00:00:00", "12:00:00", "13:05:09", "23:59:59", "09:30:00", "11:59:59"}},
    {{tkMEBoolean},
     {"", "True/False", "Yes/No", "Y/N", "1/0", "On/Off"},
     {"1", "0", "2"}},
    {{tkMEDateTime},
     {"mm/dd/yyyy hh:mm:ss", "dd.mm.yyyy h:mm:ss AM/PM", "yyyy-mm-dd hh:mm:ss"},
     {"2001-12-31 10:30:00", "2000-02-29 00:00:00", "1999-07-04 23:59:59"}},
};

TEST(RoundTrip, RawThroughDisplayAndBack) {
  IntlSettingsOverride settings(LoadIntlSettings(MakeSystemLocale("en", "$")));
  int checked = 0;
  for (const Family& f : kFamilies) {
    for (int type : f.types) {
      for (const char* mask : f.masks) {
        for (const char* raw : f.raws) {
          std::string shown = GetFormattedValueUtf8(type, mask, raw);
          std::string back = GetRawValueUtf8(type, mask, shown);
          EXPECT_EQ(back, raw) << "type " << type << " mask '" << mask << "' raw " << raw
                               << " shown '" << shown << "'";
          ++checked;
        }
      }
    }
  }
  EXPECT_GT(checked, 400);
}

// Where the display cannot carry the raw value back, by the rules of the
// engines themselves.
struct Exception {
  int type;
  const char* mask;
  const char* raw;
  const char* back;  // what the raw value becomes
};

const Exception kExceptions[] = {
    // More characters than placeholders: the display falls back to the mask
    // with the characters placed at their own positions.
    {tkMEText, "###", "1234", "123"},
    // A character a placeholder rejects is dropped from the display.
    {tkMEText, "(###) ###-####", "x1y", "1"},
    // Escaped placeholders are laid out as literals but the fallback examines
    // them as placeholders.
    {tkMEText, "\\#\\##", "12", "1"},
    // "L"/"U" change case on display; the raw value keeps the changed case.
    {tkMEText, "UU", "ab", "AB"},
    // A leading designator: the lenient reader takes the "M" of "AM/PM" for a
    // minutes token before any blank has been seen.
    {tkMETime, "AM/PM hh:mm:ss", "13:05:09", "09:05:00"},
    // The lenient reader knows no escapes: an escaped "h" is one more hours
    // token, which takes the minutes.
    {tkMETime, "hh\\hmm", "13:05:09", "05:00:00"},
    // A mask that shows fewer digits than the raw value has.
    {tkMECurrency, "#,##0.00", "1234.567", "1234.57"},
    {tkMELongInt, "#,##0", "12.5", "13"},
    {tkMEDouble, "#,##0.00", "0.125", "0.13"},
    // Two-digit years outside 1979..2078 widen to another century.
    {tkMEDate, "mm/dd/yy", "1950-01-01", "2050-01-01"},
    // A date mask without a year shows no year; it reads back as 1900.
    {tkMEDate, "mm/dd", "2001-12-31", "1900-12-31"},
    // A time mask without seconds drops them.
    {tkMETime, "hh:mm", "13:05:09", "13:05:00"},
    // Boolean masks without a slash show the whole mask for every state.
    {tkMEBoolean, "Yes", "1", "0"},
    // A third state keeps "2"; any other text reads as false.
    {tkMEBoolean, "Yes/No", "7", "0"},
};

TEST(RoundTrip, KnownExceptions) {
  IntlSettingsOverride settings(LoadIntlSettings(MakeSystemLocale("en", "$")));
  for (const Exception& e : kExceptions) {
    std::string shown = GetFormattedValueUtf8(e.type, e.mask, e.raw);
    EXPECT_EQ(GetRawValueUtf8(e.type, e.mask, shown), e.back)
        << "type " << e.type << " mask '" << e.mask << "' raw " << e.raw << " shown '" << shown << "'";
  }
}

}  // namespace
}  // namespace zorva
