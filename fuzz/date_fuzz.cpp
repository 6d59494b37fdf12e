// Dates: shape check, parsing, calendar check, formatting and conversion,
// and the service's raw and formatted dates.
#include "date/calendar.h"
#include "date/date_format.h"
#include "date/date_mask.h"
#include "date/date_parse.h"
#include "fuzz_input.h"
#include "service/dispatch.h"

using namespace zorva;
using namespace zorva::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input in(data, size);
  const IntlSettings& s = SettingsFor(in.Byte());
  const std::uint8_t op = in.Byte();
  const std::size_t destSize = op + 1u;
  const std::string mask = Text(in.Field(), 63), value = Text(in.Field());
  const std::string target = Text(in.Field(), 63);

  const int shape = CheckDateShape(value.c_str(), mask.c_str(), s);
  FUZZ_CHECK(CheckDateShape(value.c_str(), mask.c_str(), s) == shape);
  DateParts parts{}, again{};
  ParseDate(value.c_str(), mask.c_str(), parts, op & 1, s);
  ParseDate(value.c_str(), mask.c_str(), again, op & 1, s);
  FUZZ_CHECK(parts.day == again.day && parts.month == again.month && parts.year == again.year &&
             parts.empty == again.empty);
  const int valid = IsValidDate(parts);
  FUZZ_CHECK(valid == 0 || valid == 1);

  Dest shown(destSize), raw(destSize), formatted(destSize), converted(destSize);
  FormatDate(shown.get(), destSize, mask.c_str(), parts, s);
  shown.Answer();
  const FormatRequest request{etDate, s.sThousand, s.sDecimal, mask.c_str(), s.sSystemCurrency};
  MakeRawValue(raw.get(), value.c_str(), request, destSize - 1, s);
  raw.Answer();
  MakeFormattedValue(formatted.get(), value.c_str(), request, destSize - 1, s);
  formatted.Answer();
  ConvertDate(converted.get(), destSize, value.c_str(), mask.c_str(), target.c_str(), s);
  converted.Answer();
  return 0;
}
