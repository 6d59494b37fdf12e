// Times: strict validation, lenient reading, formatting and conversion, and
// the service's raw and formatted times.
#include "fuzz_input.h"
#include "service/dispatch.h"
#include "time/time_format.h"
#include "time/time_mask.h"
#include "time/time_validate.h"

using namespace zorva;
using namespace zorva::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input in(data, size);
  const IntlSettings& s = SettingsFor(in.Byte());
  const std::size_t destSize = in.Byte() + 1u;
  const std::string mask = Text(in.Field(), 63), value = Text(in.Field());
  const std::string target = Text(in.Field(), 63);

  const bool valid = ValidateTime(value.c_str(), mask.c_str(), s);
  FUZZ_CHECK(ValidateTime(value.c_str(), mask.c_str(), s) == valid);
  TimeValue time = ReadTimeLenient(value.c_str(), mask.c_str());
  const TimeValue again = ReadTimeLenient(value.c_str(), mask.c_str());
  FUZZ_CHECK(time.hours == again.hours && time.minutes == again.minutes &&
             time.seconds == again.seconds && time.isBlank == again.isBlank &&
             time.meridiem == again.meridiem);

  Dest shown(destSize), raw(destSize), formatted(destSize), converted(destSize);
  FUZZ_CHECK(FormatTime(shown.get(), destSize, mask.c_str(), time) < destSize);
  shown.Answer();
  const FormatRequest request{etTime, s.sThousand, s.sDecimal, mask.c_str(), s.sSystemCurrency};
  MakeRawValue(raw.get(), value.c_str(), request, destSize - 1, s);
  raw.Answer();
  MakeFormattedValue(formatted.get(), value.c_str(), request, destSize - 1, s);
  formatted.Answer();
  ReformatTime(converted.get(), destSize, value.c_str(), mask.c_str(), target.c_str());
  converted.Answer();
  return 0;
}
