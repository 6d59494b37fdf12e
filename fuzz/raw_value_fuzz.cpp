// GetRawValue with any type number, mask and value.
#include "entry_fuzz.h"

using namespace zorva;
using namespace zorva::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input in(data, size);
  const EntryArgs args(in);
  const auto& [selector, settings, units, type, mask8, value8, mask, value] = args;

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
