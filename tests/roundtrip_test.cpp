// Raw value -> display text -> raw value, for every type and a set of masks:
// the raw value comes back wherever the mask can show it exactly. Where it
// cannot (fewer places or digits than the value, rejected characters, case
// changes) the single answers are rows of tests/cases/cases.tsv.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "intl/settings.h"
#include "zorva/automation.h"
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

}  // namespace
}  // namespace zorva
