// Times: strict validation, lenient reading, formatting and conversion.
#include "fuzz_input.h"
#include "time/time_format.h"
#include "time/time_mask.h"
#include "time/time_validate.h"

using namespace zorva;
using namespace zorva::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input in(data, size);
  IntlSettingsOverride settings(SettingsFor(in.Byte()));
  const std::size_t destSize = in.Byte() + 1u;
  const std::string mask = Text(in.Field(), 63), value = Text(in.Field());
  const std::string target = Text(in.Field(), 63);

  const bool valid = ValidateTime(value.c_str(), mask.c_str());
  FUZZ_CHECK(ValidateTime(value.c_str(), mask.c_str()) == valid);
  TimeValue time = ReadTimeLenient(value.c_str(), mask.c_str());
  const TimeValue again = ReadTimeLenient(value.c_str(), mask.c_str());
  FUZZ_CHECK(time.hours == again.hours && time.minutes == again.minutes &&
             time.seconds == again.seconds && time.isBlank == again.isBlank &&
             time.meridiem == again.meridiem);

  Dest shown(destSize), raw(destSize), formatted(destSize), converted(destSize);
  FUZZ_CHECK(FormatTime(shown.get(), destSize, mask.c_str(), time) < destSize);
  shown.Answer();
  FUZZ_CHECK(MakeRawTime(raw.get(), destSize, value.c_str(), mask.c_str()) < destSize);
  raw.Answer();
  FUZZ_CHECK(MakeFormattedTime(formatted.get(), destSize, value.c_str(), mask.c_str()) < destSize);
  formatted.Answer();
  ReformatTime(converted.get(), destSize, value.c_str(), mask.c_str(), target.c_str());
  converted.Answer();
  return 0;
}
