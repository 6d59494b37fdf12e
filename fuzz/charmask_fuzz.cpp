// Character masks: checking, extracting and laying out a value.
#include "charmask/charmask.h"
#include "fuzz_input.h"

using namespace zorva;
using namespace zorva::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input in(data, size);
  const IntlSettings& s = SettingsFor(in.Byte());
  const std::size_t destSize = in.Byte() + 1;  // 1..256
  const std::string mask = Text(in.Field(), 63), value = Text(in.Field());

  Dest a(256), b(256);
  const int verdict = ExtractMaskedText(a.get(), 256, value.c_str(), mask.c_str(), s);
  FUZZ_CHECK(ExtractMaskedText(b.get(), 256, value.c_str(), mask.c_str(), s) == verdict);
  FUZZ_CHECK(a.Answer() == b.Answer());

  Dest applied(destSize), formatted(destSize);
  ApplyTextMask(applied.get(), destSize, value.c_str(), mask.c_str(), s);
  FormatMaskedText(formatted.get(), destSize, value.c_str(), mask.c_str(), s);
  applied.Answer();
  formatted.Answer();
  return 0;
}
