// Boolean texts: reading a value with a mask, writing a state, converting.
#include "fuzz_input.h"
#include "service/boolean.h"

using namespace zorva;
using namespace zorva::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input in(data, size);
  IntlSettingsOverride settings(SettingsFor(in.Byte()));
  const std::uint8_t op = in.Byte();
  const std::size_t destSize = op + 1u;
  const std::string mask = Text(in.Field(), 63), value = Text(in.Field());
  const std::string target = Text(in.Field(), 63);

  const int state = BooleanState(value.c_str(), mask.c_str());
  FUZZ_CHECK(state >= 0 && state <= 2);
  FUZZ_CHECK(BooleanState(value.c_str(), mask.c_str()) == state);
  Dest text(destSize), converted(destSize);
  FUZZ_CHECK(BooleanText(text.get(), destSize, mask.c_str(), static_cast<int>(op % 5) - 1) <
             destSize);
  text.Answer();
  ConvertBoolean(converted.get(), destSize, value.c_str(), mask.c_str(), target.c_str());
  converted.Answer();
  return 0;
}
