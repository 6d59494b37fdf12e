// The three questions through the automation entry points (strings, also as
// raw UTF-16 units, values of every automation kind) and the C interface:
// the same twice, bounded, and the C answer cut where its buffer ends. A valid
// number's raw value is valid and reads back unchanged; a raw value made from
// the input is itself again after formatting and reading back.
//   input: selector (bits 0-1 settings, 2 UTF-16 units, 3 round trip), type,
//          automation kind, C answer size, mask, tab, value
#include <algorithm>

#include "harness.h"
#include "number/number.h"

using namespace zorva;
using namespace zorva::fuzz;

namespace {

// An automation value of any kind: every scalar tag, strings, null objects,
// by-reference forms, unknown tags. `tag` picks the kind (low 6 bits) and how
// it is held (bit 7: through a variant, bit 6: by reference).
class FuzzVariant {
 public:
  FuzzVariant(std::uint8_t tag, std::string_view payload, BSTR text) {
    static constexpr VARTYPE kTags[] = {
        VT_EMPTY, VT_NULL,  VT_I2,       VT_I4,      VT_R4,      VT_R8,
        VT_CY,    VT_DATE,  VT_BSTR,     VT_BOOL,    VT_DECIMAL, VT_I1,
        VT_UI1,   VT_UI2,   VT_UI4,      VT_I8,      VT_UI8,     VT_INT,
        VT_UINT,  VT_ERROR, VT_DISPATCH, VT_UNKNOWN, VT_RECORD,  static_cast<VARTYPE>(VT_ARRAY | VT_I4),
        0x7F};
    const VARTYPE vt = kTags[(tag & 0x3F) % std::size(kTags)];
    const std::size_t n = std::min<std::size_t>(payload.size(), vt == VT_DECIMAL ? 16 : 8);
    if (vt == VT_DECIMAL) {
      std::memcpy(&inner_.decVal, payload.data(), n);
      inner_.decVal.wReserved = VT_DECIMAL;  // the tag overlays it
    } else {
      inner_.vt = vt;
      // Objects, records and arrays stay null: only their tags are fuzzed.
      const bool pointer = vt == VT_DISPATCH || vt == VT_UNKNOWN || vt == VT_RECORD ||
                           vt == static_cast<VARTYPE>(VT_ARRAY | VT_I4);
      if (!pointer) std::memcpy(&inner_.llVal, payload.data(), n);
      if (vt == VT_BSTR) inner_.bstrVal = text;
    }
    if (tag & 0x80) {
      v_.vt = static_cast<VARTYPE>(VT_VARIANT | VT_BYREF);
      v_.pvarVal = &inner_;
    } else if (tag & 0x40 && vt != VT_RECORD) {
      v_.vt = static_cast<VARTYPE>(vt | VT_BYREF);
      v_.byref = vt == VT_DECIMAL ? static_cast<void*>(&inner_.decVal) : &inner_.llVal;
      if (vt == VT_DECIMAL) inner_.decVal.wReserved = 0;
    } else {
      v_ = inner_;
    }
  }
  const VARIANT& get() const { return v_; }

 private:
  VARIANT v_{}, inner_{};
};

// An automation call asked twice: the same answer, or the same error.
template <typename Call>
std::string Twice(Call call) {
  BSTR a = nullptr, b = nullptr;
  const HRESULT hr = call(&a);
  FUZZ_CHECK(call(&b) == hr && (hr == S_OK || (!a && !b)));
  if (hr != S_OK) return "";
  const std::string answer = Checked(a);
  FUZZ_CHECK(Checked(b) == answer);
  return answer;
}

// The C interface into a buffer of exactly `size` bytes: the whole answer's
// length, and as much of it as fits, cut before a character.
using CAnswer = int (*)(int, const char*, std::size_t, const char*, std::size_t, char*, std::size_t);
void CheckC(CAnswer f, std::int32_t type, std::string_view mask, std::string_view value, std::size_t size,
            const std::string& full) {
  std::unique_ptr<char[]> dest(new char[size ? size : 1]);
  dest[0] = 'x';
  FUZZ_CHECK(f(type, mask.data(), mask.size(), value.data(), value.size(), dest.get(), size) ==
             static_cast<int>(full.size()));
  const std::size_t n = size ? strnlen(dest.get(), size) : 0;
  FUZZ_CHECK(size ? n < size && full.compare(0, n, dest.get(), n) == 0 : dest[0] == 'x');
  if (size && n < full.size()) FUZZ_CHECK(n + 4 >= size && (full[n] & 0xC0) != 0x80);
}

// Float and double count every digit once a decimal separator is seen, so the
// raw form's "0." before a bare fraction and "." after a whole number add
// digits, as does a whole part past the 15 digits a double holds exactly (it
// is written with 17): such a raw value may be over the limit.
bool RawAddsSignificantDigits(std::int32_t type, const std::string& raw) {
  if (type != tkMEFloat && type != tkMEDouble) return false;
  const std::size_t start = raw[0] == '-' ? 1 : 0;
  const std::size_t whole = std::min(raw.find('.'), raw.size()) - start;
  return raw.compare(start, 2, "0.") == 0 || raw.back() == '.' || whole > 15;
}

// "12.34" from 1234 hundredths: no trailing zeros, "7." for a whole number.
std::string Decimal(std::int64_t hundredths) {
  const std::int64_t m = hundredths < 0 ? -hundredths : hundredths;
  std::string out =
      (hundredths < 0 ? "-" : "") + std::to_string(m / 100) + "." + std::to_string(m % 100 + 100).substr(1);
  while (out.back() == '0') out.pop_back();
  return out;
}

// A date from 1979-01-01 within the window two-digit years widen to, and a time.
std::string DateTimeRaw(std::uint32_t n, bool date, bool time) {
  const int year = 1979 + static_cast<int>(n % 100), month = 1 + static_cast<int>(n / 100 % 12);
  const int days = month == 2 ? 28 + (year % 4 == 0) : 30 + ((month + month / 8) & 1);
  const unsigned t = n / 7;
  char buf[32];
  int k = date ? std::snprintf(buf, sizeof buf, "%04d-%02d-%02d%s", year, month,
                               1 + static_cast<int>(n / 1200 % days), time ? " " : "")
               : 0;
  if (time) std::snprintf(buf + k, sizeof buf - k, "%02u:%02u:%02u", t % 24, t / 24 % 60, t / 1440 % 60);
  return buf;
}

// A raw value of one family, formatted and read back, is what it was.
void RoundTrip(Input& in) {
  struct Family {
    int types;
    std::int32_t type[4];
    const char* masks[8];
  };
  static const Family kFamilies[] = {
      {4, {tkMEText, tkMEMemo, tkMEURL, tkMEImage}, {"", "(###) ###-####", "&&&&&&&&&&"}},
      {1, {tkMECurrency}, {"", "$#,##0.00;($#,##0.00)", "#,##0.00", "0.00;(0.00)", "#,##0.0000 \"EUR\""}},
      {4,
       {tkMEByte, tkMEShortInt, tkMECounter, tkMELongInt},
       {"", "#,##0", "#,##0;(#,##0)", "0000", "#,##0 \"units\""}},
      {2, {tkMEDouble, tkMEFloat}, {"", "#,##0.00", "0.00;(0.00)", "#,##0.000"}},
      {1,
       {tkMEDate},
       {"", "mm/dd/yyyy", "dd.mm.yyyy", "yyyy-mm-dd", "d-mmm-yyyy", "dddd, mmmm d, yyyy", "mm/dd/yy"}},
      {1, {tkMETime}, {"", "hh:mm:ss", "h:mm:ss AM/PM", "h:mm:ss am/pm", "hh:mm:ss A/P", "hh\"h\"mm\"m\"ss"}},
      {1, {tkMEBoolean}, {"", "True/False", "Yes/No", "Y/N", "1/0", "On/Off"}},
      {1, {tkMEDateTime}, {"mm/dd/yyyy hh:mm:ss", "dd.mm.yyyy h:mm:ss AM/PM", "yyyy-mm-dd hh:mm:ss"}},
  };
  static const std::int64_t kLimits[] = {128, 32768, 32768, 2147483648LL};
  const std::uint8_t which = in.Byte() % 8, pick = in.Byte();
  std::uint32_t n = 0;
  for (int i = 0; i < 4; ++i) n = n << 8 | in.Byte();
  const Family& f = kFamilies[which];
  const int masks = static_cast<int>(std::count_if(f.masks, f.masks + 8, [](const char* m) { return m; }));
  const std::int32_t type = f.type[pick % f.types];
  const char* mask = f.masks[pick / f.types % masks];
  const int sign = pick & 0x80 ? -1 : 1;
  const std::string raw =
      which == 0   ? std::to_string(n).substr(0, 1 + pick / 12 % 10)
      : which == 1 ? Decimal(sign * (std::int64_t{n} * (1 + pick / 5 % 2 * 2000) % 10000000000000LL))
      : which == 2 ? std::to_string(n % kLimits[pick % 4] * sign)
      : which == 3 ? Decimal(sign * std::int64_t{n % 10000000})  // 7 significant digits
      : which == 6 ? std::to_string(n % 3)
                   : DateTimeRaw(n, which != 5, which != 4);
  const std::string clean = raw == "-0" || raw == "-0." ? raw.substr(1) : raw;  // no negative zero
  const std::string shown = GetFormattedValueUtf8(type, mask, clean);
  FUZZ_CHECK(GetRawValueUtf8(type, mask, shown) == clean);
}

// A raw whole number laid out directly reads as the general path renders it,
// or is left to that path: only the engine can be asked both ways.
void CheckDirectWhole(std::string_view value, std::string_view mask, const IntlSettings& s) {
  const std::string target(mask), text(value);
  const NumberConversion conversion{s.sRawWholeFormat, target.c_str(), s.sDecimal,       s.sDecimal,
                                    s.sThousand,       s.sThousand,    s.sSystemCurrency};
  char general[256], direct[256];
  ConvertNumber(general, sizeof general, text.c_str(), conversion, s);
  const std::uint64_t key = WholeRunKey(target.c_str(), s.sDecimal, s.sThousand);
  if (ConvertRawWhole(direct, sizeof direct, text.data(), text.size(), conversion, key, s) >= 0)
    FUZZ_CHECK(std::string(direct) == general);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input in(data, size);
  const std::uint8_t selector = in.Byte();
  const IntlSettings& s = SettingsFor(selector);
  IntlSettingsOverride settings(s);
  if (selector & 8) {
    RoundTrip(in);
    return 0;
  }
  const bool units = selector & 4;
  const std::int32_t type = TypeNumber(in.Byte());
  const std::uint8_t tag = in.Byte(), cSize = in.Byte();
  const std::string_view mask8 = in.Field(), value8 = in.Rest();
  const Bstr mask = MakeBstr(mask8, units), value = MakeBstr(value8, units);
  const bool decimal = type == tkMECurrency || type == tkMEFloat || type == tkMEDouble;
  const bool whole = type == tkMEByte || type == tkMEShortInt || type == tkMELongInt || type == tkMECounter;
  const FuzzVariant variant(tag, value8, value.get());

  LONG verdict = 1, again = 1;
  FUZZ_CHECK(IsValid(type, mask.get(), value.get(), &verdict) == S_OK);
  FUZZ_CHECK(verdict == -1 || verdict == 0);
  FUZZ_CHECK(IsValid(type, mask.get(), value.get(), &again) == S_OK && again == verdict);
  const std::string raw = Twice([&](BSTR* out) { return GetRawValue(type, mask.get(), value.get(), out); });
  const FuzzVariant text(8, "", value.get());  // the value as a string (the tag table's VT_BSTR)
  const std::string formatted =
      Twice([&](BSTR* out) { return GetFormattedValue(type, mask.get(), text.get(), out); });
  Twice([&](BSTR* out) { return GetFormattedValue(type, mask.get(), variant.get(), out); });

  if (!units) {  // the C interface into a cut buffer (how the entry points agree is the differential run's)
    CheckC(zorva_raw_value, type, mask8, value8, cSize, raw);
    CheckC(zorva_formatted_value, type, mask8, value8, cSize, formatted);
    if (whole) CheckDirectWhole(value8, mask8, s);
  }

  const char* rawFormat = decimal ? "0.#" : whole ? "0" : nullptr;
  // Validation reads the mask cut to 63 characters, the raw value reads it
  // whole: past 63 the two may see other formats (a ";" section cut off). A
  // raw value cut at the answer's 255 characters (a float of some 300 digits)
  // is another number, and lost the "." that marked it whole.
  if (verdict == -1 && rawFormat && SysStringLen(mask.get()) <= 63 && !raw.empty() && raw.size() < 255) {
    if (!RawAddsSignificantDigits(type, raw)) FUZZ_CHECK(IsValidUtf8(type, rawFormat, raw));
    // A negative value whose raw form shows no digit but zeros ("-0" for a
    // fraction a whole type rounds away, "-0." for "(1)E-") takes its sign
    // from the format; read back it is the zero it shows.
    const bool negativeZero = raw == "-0" || raw == "-0.";
    FUZZ_CHECK(GetRawValueUtf8(type, rawFormat, raw) == (negativeZero ? raw.substr(1) : raw));
  }
  return 0;
}
