// GetFormattedValue with any type number, mask and automation value; and the
// raw -> formatted -> raw round trip for the families where it must hold.
#include <cinttypes>
#include <cstdio>

#include "entry_fuzz.h"
#include "variant_build.h"

using namespace zorva;
using namespace zorva::fuzz;

namespace {

std::uint32_t Number(Input& in) {
  std::uint32_t n = 0;
  for (int i = 0; i < 4; ++i) n = n << 8 | in.Byte();
  return n;
}

std::string Formatted(std::int32_t type, const char* mask, const std::string& raw) {
  Bstr text(raw, false);
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_BSTR;
  v.bstrVal = text.get();
  BSTR out = nullptr;
  FUZZ_CHECK(GetFormattedValue(type, Bstr(mask, false).get(), v, &out) == S_OK);
  return CheckedAnswer(out);
}

// A whole or fixed-point raw value: digits, "." and up to `places` decimals
// without trailing zeros ("7." for a whole number of a decimal type).
std::string FixedRaw(std::int64_t units, int places) {
  std::int64_t scale = 1;
  for (int i = 0; i < places; ++i) scale *= 10;
  const std::int64_t whole = (units < 0 ? -units : units) / scale;
  std::int64_t frac = (units < 0 ? -units : units) % scale;
  char buf[64];
  int n = std::snprintf(buf, sizeof buf, "%s%" PRId64, units < 0 ? "-" : "", whole);
  if (places > 0) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%0*" PRId64, places, frac);
    std::string f(digits);
    while (!f.empty() && f.back() == '0') f.pop_back();
    n += std::snprintf(buf + n, sizeof buf - n, ".%s", f.c_str());
  }
  return buf;
}

std::string DateRaw(std::uint32_t n) {
  // Days from 1979-01-01 within the window two-digit years widen to.
  static const int kDays[] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  int year = 1979 + static_cast<int>(n % 100);
  int month = 1 + static_cast<int>(n / 100 % 12);
  bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  int days = kDays[month] + (month == 2 && leap);
  int day = 1 + static_cast<int>(n / 1200 % days);
  char buf[16];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", year, month, day);
  return buf;
}

std::string TimeRaw(std::uint32_t n) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02u:%02u:%02u", n % 24, n / 24 % 60, n / 1440 % 60);
  return buf;
}

// The families of the round-trip tests, with raw values made from the input.
void RoundTrip(Input& in) {
  const std::uint8_t family = in.Byte(), pick = in.Byte();
  const std::uint32_t n = Number(in);
  std::int32_t type;
  const char* mask;
  std::string raw;
  switch (family % 8) {
    case 0: {
      static const char* kMasks[] = {"", "(###) ###-####", "&&&&&&&&&&"};
      static const std::int32_t kTypes[] = {tkMEText, tkMEMemo, tkMEURL, tkMEImage};
      type = kTypes[pick % 4];
      mask = kMasks[pick / 4 % 3];
      raw = std::to_string(n % 10000000000ULL).substr(0, 1 + pick / 12 % 10);
      break;
    }
    case 1: {
      static const char* kMasks[] = {"", "$#,##0.00;($#,##0.00)", "#,##0.00", "0.00;(0.00)",
                                     "#,##0.0000 \"EUR\""};
      type = tkMECurrency;
      mask = kMasks[pick % 5];
      // Up to 11 integer digits: n (32 bits) times a factor, in cents.
      const std::int64_t cents = static_cast<std::int64_t>(n) * (1 + pick / 5 % 2 * 2000) % 10000000000000LL;
      raw = FixedRaw(pick & 0x80 ? -cents : cents, 2);
      break;
    }
    case 2: {
      static const char* kMasks[] = {"", "#,##0", "#,##0;(#,##0)", "0000", "#,##0 \"units\""};
      static const std::int32_t kTypes[] = {tkMEByte, tkMEShortInt, tkMECounter, tkMELongInt};
      static const std::int64_t kLimits[] = {128, 32768, 32768, 2147483648LL};
      type = kTypes[pick % 4];
      mask = kMasks[pick / 4 % 5];
      const std::int64_t v = static_cast<std::int64_t>(n % kLimits[pick % 4]);
      raw = std::to_string(pick & 0x80 ? -v : v);
      break;
    }
    case 3: {
      static const char* kMasks[] = {"", "#,##0.00", "0.00;(0.00)", "#,##0.000"};
      type = pick & 1 ? tkMEFloat : tkMEDouble;
      mask = kMasks[pick / 2 % 4];
      const std::int64_t hundredths = n % 10000000;  // 7 significant digits
      raw = FixedRaw(pick & 0x80 ? -hundredths : hundredths, 2);
      break;
    }
    case 4: {
      static const char* kMasks[] = {"", "mm/dd/yyyy", "dd.mm.yyyy", "yyyy-mm-dd", "d-mmm-yyyy",
                                     "dddd, mmmm d, yyyy", "mm/dd/yy"};
      type = tkMEDate;
      mask = kMasks[pick % 7];
      raw = DateRaw(n);
      break;
    }
    case 5: {
      static const char* kMasks[] = {"", "hh:mm:ss", "h:mm:ss AM/PM", "h:mm:ss am/pm",
                                     "hh:mm:ss A/P", "hh\"h\"mm\"m\"ss"};
      type = tkMETime;
      mask = kMasks[pick % 6];
      raw = TimeRaw(n);
      break;
    }
    case 6: {
      static const char* kMasks[] = {"", "True/False", "Yes/No", "Y/N", "1/0", "On/Off"};
      type = tkMEBoolean;
      mask = kMasks[pick % 6];
      raw = std::to_string(n % 3);
      break;
    }
    default: {
      static const char* kMasks[] = {"mm/dd/yyyy hh:mm:ss", "dd.mm.yyyy h:mm:ss AM/PM",
                                     "yyyy-mm-dd hh:mm:ss"};
      type = tkMEDateTime;
      mask = kMasks[pick % 3];
      raw = DateRaw(n) + " " + TimeRaw(n / 7);
      break;
    }
  }
  if (raw == "-0" || raw == "-0.") raw.erase(0, 1);  // there is no negative zero
  const std::string shown = Formatted(type, mask, raw);
  const std::string back = Raw(type, mask, shown);
  if (back != raw) {
    std::fprintf(stderr, "round trip: type %d mask '%s' raw '%s' shown '%s' back '%s'\n", type,
                 mask, raw.c_str(), shown.c_str(), back.c_str());
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input in(data, size);
  const std::uint8_t selector = in.Byte();
  IntlSettingsOverride settings(SettingsFor(selector));
  if (selector & 8) {
    RoundTrip(in);
    return 0;
  }
  const bool units = selector & 4;
  const std::int32_t type = TypeNumber(in.Byte());
  const std::uint8_t tag = in.Byte();
  const std::string_view mask8 = in.Field(), value8 = in.Rest();
  Bstr mask(mask8, units), text(value8, units);
  FuzzVariant value(tag, value8, text.get());

  BSTR a = nullptr, b = nullptr;
  const HRESULT hr = GetFormattedValue(type, mask.get(), value.get(), &a);
  FUZZ_CHECK(GetFormattedValue(type, mask.get(), value.get(), &b) == hr);
  if (hr != S_OK) {
    FUZZ_CHECK(a == nullptr && b == nullptr);
    return 0;
  }
  const std::string answer = CheckedAnswer(a);
  FUZZ_CHECK(CheckedAnswer(b) == answer);
  if (!units && value.IsString()) {
    const std::string utf8 = GetFormattedValueUtf8(type, mask8, value8);
    CheckUtf8Answer(utf8);
    FUZZ_CHECK(utf8 == answer);
    // A stream's prepared mask answers the same.
    char out[256 * 3 + 1];
    const std::size_t n = GetFormattedValueUtf8(PreparedMask(type, mask8), value8, out, sizeof out);
    FUZZ_CHECK(std::string(out, n) == answer);
  }
  return 0;
}
