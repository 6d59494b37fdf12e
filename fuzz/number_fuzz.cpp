// Numbers: parsing against a format, rendering parts, converting between
// formats (the direct whole-number layout among them), the significant-digit
// check.
#include <cmath>

#include "fuzz_input.h"
#include "number/number.h"

using namespace zorva;
using namespace zorva::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input in(data, size);
  const IntlSettings& s = SettingsFor(in.Byte());
  const std::size_t destSize = in.Byte() + 1;
  const std::string format = Text(in.Field(), 63), text = Text(in.Field());
  const std::string target = Text(in.Field(), 63);

  const NumberRequest request{format.c_str(), s.sSystemCurrency, s.sDecimal, s.sThousand};
  NumberParts parts, again;
  const int verdict = ParseNumber(text.c_str(), request, parts, s);
  FUZZ_CHECK(verdict == 0 || verdict == 1);
  FUZZ_CHECK(ParseNumber(text.c_str(), request, again, s) == verdict);
  FUZZ_CHECK(!(parts.integerPart < 0) && !(parts.fraction < 0));
  FUZZ_CHECK(parts.negative == again.negative && parts.noDigits == again.noDigits);

  Dest shown(destSize), shownAgain(destSize);
  FormatNumber(shown.get(), destSize, request, parts);
  FormatNumber(shownAgain.get(), destSize, request, parts);
  FUZZ_CHECK(shown.Answer() == shownAgain.Answer());

  const NumberConversion conversion{format.c_str(), target.c_str(), s.sDecimal, s.sDecimal,
                                    s.sThousand,    s.sThousand,    s.sSystemCurrency};
  Dest converted(destSize);
  ConvertNumber(converted.get(), destSize, text.c_str(), conversion, s);
  const std::string general = converted.Answer();
  // A raw whole number laid out directly reads as the general path renders
  // it, or is left to that path.
  Dest direct(destSize);
  const std::uint64_t key = WholeRunKey(target.c_str(), s.sDecimal, s.sThousand);
  if (ConvertRawWhole(direct.get(), destSize, text.data(), text.size(), conversion, key, s) >= 0) {
    FUZZ_CHECK(direct.Answer() == general);
  }

  Dest section(destSize);
  SelectSection(section.get(), destSize, format.c_str(), parts.negative, s);
  section.Answer();
  const int many = TooManyDigits(text.c_str(), 15, s.sDecimal);
  FUZZ_CHECK(many == 0 || many == 1);
  return 0;
}
