// Dates: shape check, parsing, calendar check, formatting and conversion.
#include "date/calendar.h"
#include "date/date_format.h"
#include "date/date_mask.h"
#include "date/date_parse.h"
#include "fuzz_input.h"

using namespace zorva;
using namespace zorva::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input in(data, size);
  IntlSettingsOverride settings(SettingsFor(in.Byte()));
  const std::uint8_t op = in.Byte();
  const std::size_t destSize = op + 1u;
  const std::string mask = Text(in.Field(), 63), value = Text(in.Field());
  const std::string target = Text(in.Field(), 63);

  const int shape = CheckDateShape(value.c_str(), mask.c_str());
  FUZZ_CHECK(CheckDateShape(value.c_str(), mask.c_str()) == shape);
  DateParts parts{}, again{};
  ParseDate(value.c_str(), mask.c_str(), parts, op & 1);
  ParseDate(value.c_str(), mask.c_str(), again, op & 1);
  FUZZ_CHECK(parts.day == again.day && parts.month == again.month && parts.year == again.year &&
             parts.empty == again.empty);
  const int valid = IsValidDate(parts);
  FUZZ_CHECK(valid == 0 || valid == 1);

  Dest shown(destSize), raw(destSize), formatted(destSize), converted(destSize);
  FormatDate(shown.get(), destSize, mask.c_str(), parts);
  shown.Answer();
  MakeDateRawValue(raw.get(), destSize, value.c_str(), mask.c_str());
  raw.Answer();
  MakeDateFormattedValue(formatted.get(), destSize, value.c_str(), mask.c_str());
  formatted.Answer();
  ConvertDate(converted.get(), destSize, value.c_str(), mask.c_str(), target.c_str());
  converted.Answer();
  return 0;
}
