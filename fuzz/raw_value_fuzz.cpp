// GetRawValue with any type number, mask and value.
#include "entry_fuzz.h"

using namespace zorva;
using namespace zorva::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input in(data, size);
  const std::uint8_t selector = in.Byte();
  IntlSettingsOverride settings(SettingsFor(selector));
  const bool units = selector & 4;
  const std::int32_t type = TypeNumber(in.Byte());
  const std::string_view mask8 = in.Field(), value8 = in.Rest();
  Bstr mask(mask8, units), value(value8, units);

  BSTR a = nullptr, b = nullptr;
  FUZZ_CHECK(GetRawValue(type, mask.get(), value.get(), &a) == S_OK);
  FUZZ_CHECK(GetRawValue(type, mask.get(), value.get(), &b) == S_OK);
  const std::string answer = CheckedAnswer(a);
  FUZZ_CHECK(CheckedAnswer(b) == answer);
  if (!units) {
    const std::string utf8 = GetRawValueUtf8(type, mask8, value8);
    CheckUtf8Answer(utf8);
    FUZZ_CHECK(utf8 == answer);
  }
  return 0;
}
