// Value types, their edit types and default masks.
#include <gtest/gtest.h>

#include <cstring>

#include "service/value_types.h"

namespace zorva {
namespace {

TEST(ValueTypes, MappingTables) {
  const struct { std::int32_t type; EditType edit; int code; } kRows[] = {
      {tkMEText, etText, 1},          {tkMECurrency, etCurrency, 13},
      {tkMEDate, etDate, 6},          {tkMETime, etTime, 7},
      {tkMEMemo, etText, 1},          {tkMEByte, etByte, 11},
      {tkMEShortInt, etInteger, 3},   {tkMELongInt, etLong, 2},
      {tkMEBoolean, etBoolean, 10},   {tkMECounter, etInteger, 2},  // short range, long conversion
      {tkMEFloat, etSingle, 4},       {tkMEDouble, etDouble, 5},
      {tkMEOleObject, etUnsupported, 9}, {tkMEBinary, etUnsupported, 9},
      {tkMEURL, etText, 1},           {tkMEImage, etText, 1},
      {tkMEDateTime, etDateTime, 8},  {tkMETimeStamp, etUnsupported, 9},
      {-1, etUnsupported, 9},         {18, etUnsupported, 9},
  };
  for (const auto& r : kRows) {
    EXPECT_EQ(EditTypeOf(r.type), r.edit) << r.type;
    EXPECT_EQ(FirstConversionCodeOf(r.type), r.code) << r.type;
  }
  EXPECT_TRUE(IsDispatchable(etDateTime));
  EXPECT_TRUE(IsDispatchable(10));
  EXPECT_FALSE(IsDispatchable(etUnsupported));
  EXPECT_FALSE(IsDispatchable(-1));
  EXPECT_STREQ(EditTypeLabel(etByte), "Whole Number (+-127)");
  EXPECT_EQ(EditTypeLabel(etDateTime), nullptr);
}

TEST(ValueTypes, DefaultMasks) {
  const struct { int edit; const char* mask; } kRows[] = {
      {etText, ""},
      {etCurrency, "$#,##0.00;($#,##0.00)"},
      {etDate, "mm/dd/yy"},
      {etTime, "h:mm:ss AM/PM"},
      {etByte, "0"},
      {etInteger, "#,##0;-#,##0"},
      {etLong, "#,##0;-#,##0"},
      {etBoolean, "True/False"},
      {etSingle, "#,##0.00;-#,##0.00"},
      {etDouble, "#,##0.00;-#,##0.00"},
      // No default: the destination is left as it was.
      {10, "untouched"},
      {etDateTime, "untouched"},
      {etUnsupported, "untouched"},
      {-3, "untouched"},
  };
  for (const auto& r : kRows) {
    char dest[64];
    std::strcpy(dest, "untouched");
    DefaultMaskFor(dest, r.edit, sizeof dest);
    EXPECT_STREQ(dest, r.mask) << r.edit;
  }
  char small[5];
  DefaultMaskFor(small, etBoolean, sizeof small);  // loaded with the size given
  EXPECT_STREQ(small, "True");
}

}  // namespace
}  // namespace zorva
