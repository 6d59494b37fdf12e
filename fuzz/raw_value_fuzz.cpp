// GetRawValue with any type number, mask and value; the prepared path the
// SQL functions take gives the same answer wherever it answers.
#include "entry_fuzz.h"
#include "service/prepared_number.h"

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
    PreparedNumber prepared;
    PrepareNumber(prepared, type, mask8);
    const std::string terminated(value8);
    char dest[256 * 3 + 1];
    const std::ptrdiff_t n = PreparedRawValue(prepared, terminated.c_str(), terminated.size(), dest, sizeof dest);
    if (n >= 0) FUZZ_CHECK(std::string(dest, static_cast<std::size_t>(n)) == utf8);
  }
  return 0;
}
