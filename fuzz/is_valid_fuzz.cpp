// IsValid with any type number, mask and value. A number called valid must
// have a raw value that is itself valid and reads back unchanged. The
// prepared path the SQL functions take agrees wherever it answers.
#include "entry_fuzz.h"
#include "service/prepared_number.h"

using namespace zorva;
using namespace zorva::fuzz;

namespace {

// The significant-digit limit of float and double counts every digit once a
// decimal separator is seen, so the raw form's "0." before a bare fraction
// (".1234567" -> "0.1234567") and "." after a whole number ("12345670000" ->
// "12345670000.") add digits: such a raw value may be over the limit. So does
// a whole part beyond the 15 digits a double holds exactly: it is written with
// the double's 17 ("5.5E+66" with a fraction -> "55555555555555558000...0.3").
bool RawAddsSignificantDigits(std::int32_t type, const std::string& raw) {
  if (type != tkMEFloat && type != tkMEDouble) return false;
  const std::size_t start = raw[0] == '-' ? 1 : 0;
  const std::size_t point = raw.find('.');
  const std::size_t whole = (point == std::string::npos ? raw.size() : point) - start;
  return raw.compare(start, 2, "0.") == 0 || raw.back() == '.' || whole > 15;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input in(data, size);
  const EntryArgs args(in);
  const auto& [selector, settings, units, type, mask8, value8, mask, value] = args;

  LONG verdict = 1, again = 1;
  FUZZ_CHECK(IsValid(type, mask.get(), value.get(), &verdict) == S_OK);
  FUZZ_CHECK(verdict == -1 || verdict == 0);
  FUZZ_CHECK(IsValid(type, mask.get(), value.get(), &again) == S_OK && again == verdict);
  if (!units) {
    FUZZ_CHECK(IsValidUtf8(type, mask8, value8) == (verdict == -1));
    PreparedNumber prepared;
    PrepareNumber(prepared, type, mask8);
    const std::string terminated(value8);
    const int answer = PreparedIsValid(prepared, terminated.c_str(), terminated.size());
    if (answer >= 0) FUZZ_CHECK((answer != 0) == (verdict == -1));
  }

  const char* rawFormat = RawFormatOf(type);
  // Validation reads the mask cut to 63 characters, the raw value reads it
  // whole: past 63 the two may see other formats (a ";" section cut off).
  if (verdict == -1 && rawFormat && SysStringLen(mask.get()) <= 63) {
    BSTR out = nullptr;
    FUZZ_CHECK(GetRawValue(type, mask.get(), value.get(), &out) == S_OK);
    const std::string raw = CheckedAnswer(out);
    // A raw value cut at the answer's 255 characters (a float of some 300
    // digits) is another number, and lost the "." that marked it whole.
    if (!raw.empty() && raw.size() < 255) {
      if (!RawAddsSignificantDigits(type, raw)) FUZZ_CHECK(Valid(type, rawFormat, raw) == -1);
      // A negative value whose raw form shows no digit but zeros ("-0" for a
      // fraction a whole type rounds away, "-0." for "(1)E-") takes its sign
      // from the format; read back it is the zero it shows.
      const bool negativeZero = raw == "-0" || raw == "-0.";
      FUZZ_CHECK(Raw(type, rawFormat, raw) == (negativeZero ? raw.substr(1) : raw));
    }
  }
  return 0;
}
