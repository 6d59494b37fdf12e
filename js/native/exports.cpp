// The C interface of the WebAssembly module: the three questions with UTF-16
// text in and out. Every call goes through the automation entry points, so an
// unpaired surrogate or an embedded zero is read exactly as there, and a
// formatted value given as a boolean, number, date or whole number is built
// into the automation value a host would pass and converted by the same code.
#include <emscripten/emscripten.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>

#include "intl/settings.h"
#include "platform/unicode.h"
#include "service/answer_size.h"
#include "service/prepared_mask.h"
#include "service/value_types.h"
#include "zorva/automation.h"
#include "zorva/masked_edit.h"
#include "zorva/types.h"

namespace {

using namespace zorva;

// An automation string holding a copy of the caller's text: short texts in
// place, laid out as SysAllocStringLen lays them out (a byte count, the
// characters, a zero), so that the usual call allocates nothing.
class Bstr {
 public:
  Bstr(const char16_t* text, int length) noexcept {
    const UINT n = static_cast<UINT>(length > 0 ? length : 0);
    if (n < kInline) {
      inline_.bytes = n * sizeof(char16_t);
      if (n) std::memcpy(inline_.text, text, n * sizeof(char16_t));
      inline_.text[n] = u'\0';
      bstr_ = inline_.text;
    } else {
      bstr_ = heap_ = SysAllocStringLen(text, n);
    }
  }
  ~Bstr() { SysFreeString(heap_); }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  BSTR get() const noexcept { return bstr_; }

 private:
  static constexpr UINT kInline = 256;
  struct {
    std::uint32_t bytes;
    char16_t text[kInline];
  } inline_;
  BSTR heap_ = nullptr;
  BSTR bstr_;
};

// Copies an answer out and frees it: its length, or -1 when it does not fit.
int TakeAnswer(HRESULT hr, BSTR answer, char16_t* out, int capacity) noexcept {
  if (FAILED(hr)) return -1;
  const int n = static_cast<int>(SysStringLen(answer));
  const int written = n <= capacity ? n : -1;
  if (written >= 0) std::memcpy(out, answer, static_cast<std::size_t>(n) * sizeof(char16_t));
  SysFreeString(answer);
  return written;
}

std::optional<IntlSettingsOverride> g_settings;

VARIANT Scalar(VARTYPE vt) noexcept {
  VARIANT v;
  VariantInit(&v);
  v.vt = vt;
  return v;
}

// GetFormattedValue of an automation value: the answer's length, or -1.
int FormatVariant(int type, const char16_t* mask, int maskLength, const VARIANT& value,
                  char16_t* out, int capacity) noexcept {
  Bstr m(mask, maskLength);
  if (maskLength > 0 && !m.get()) return -1;
  BSTR answer = nullptr;
  const HRESULT hr = GetFormattedValue(type, m.get(), value, &answer);
  return TakeAnswer(hr, answer, out, capacity);
}

// The number types compute in doubles, whose whole numbers are exact up to
// 2^53: a larger magnitude would come out with other digits than it has.
bool NumberTypeLosesDigits(int type, std::uint32_t hi, std::uint64_t low) noexcept {
  switch (EditTypeOf(type)) {
    case etCurrency: case etByte: case etInteger: case etLong: case etSingle: case etDouble:
      return hi != 0 || low > (std::uint64_t{1} << 53);
    default:
      return false;
  }
}

// Wall-clock milliseconds since 1970 as an automation date: days since
// 30 December 1899 whose fraction is the time of day. Before that day the
// whole days count back while the fraction still counts forward from
// midnight, so 29 December 1899 06:00 is -1.25. NaN stays NaN.
double AutomationDate(double wallClockMs) noexcept {
  constexpr double kMsPerDay = 86400000;
  constexpr double kDaysTo1970 = 25569;  // 1899-12-30 to 1970-01-01
  const double day = std::floor(wallClockMs / kMsPerDay);
  const double fraction = (wallClockMs - day * kMsPerDay) / kMsPerDay;
  const double days = day + kDaysTo1970;
  return days < 0 ? days - fraction : days + fraction;
}

// An answer in UTF-8 as the package reads it: its length, with kNotAscii
// set when a byte is not ASCII (the package then decodes it as UTF-8 rather
// than taking each byte as a character).
constexpr int kNotAscii = 1 << 16;

int Utf8Answer(const char* out, std::size_t n) noexcept {
  unsigned char any = 0;
  for (std::size_t i = 0; i < n; ++i) any |= static_cast<unsigned char>(out[i]);
  return static_cast<int>(n) | (any >= 0x80 ? kNotAscii : 0);
}

}  // namespace

extern "C" {

// The package's usual path: a type and mask (UTF-8) read once and kept by
// the package, then values in UTF-8 with a zero after them, answers into a
// buffer of kUtf8AnswerBytes.
EMSCRIPTEN_KEEPALIVE PreparedMask* zm_prepare(int type, const char* mask, int maskLength) {
  return new PreparedMask(type, std::string_view(mask, static_cast<std::size_t>(maskLength)));
}

EMSCRIPTEN_KEEPALIVE void zm_release(PreparedMask* mask) { delete mask; }

EMSCRIPTEN_KEEPALIVE int zm_prepared_valid(const PreparedMask* mask, const char* value, int length) {
  return PreparedValid(*mask, {value, static_cast<std::size_t>(length)}, true) ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE int zm_prepared_raw(const PreparedMask* mask, const char* value, int length,
                                         char* out) {
  return Utf8Answer(out, PreparedRaw(*mask, {value, static_cast<std::size_t>(length)}, true, out,
                                     kUtf8AnswerBytes));
}

EMSCRIPTEN_KEEPALIVE int zm_prepared_format(const PreparedMask* mask, const char* value, int length,
                                            char* out) {
  return Utf8Answer(out, GetFormattedValueUtf8(*mask, {value, static_cast<std::size_t>(length)}, out,
                                               kUtf8AnswerBytes));
}

// 1 valid, 0 invalid, -1 when memory ran out.
EMSCRIPTEN_KEEPALIVE int zm_valid(int type, const char16_t* mask, int maskLength,
                                  const char16_t* value, int valueLength) {
  Bstr m(mask, maskLength), v(value, valueLength);
  if ((maskLength > 0 && !m.get()) || (valueLength > 0 && !v.get())) return -1;
  LONG ret = 0;
  if (FAILED(IsValid(type, m.get(), v.get(), &ret))) return -1;
  return ret != 0 ? 1 : 0;
}

// The answer's length in code units, written to out; -1 on failure.
EMSCRIPTEN_KEEPALIVE int zm_raw(int type, const char16_t* mask, int maskLength,
                                const char16_t* value, int valueLength, char16_t* out,
                                int capacity) {
  Bstr m(mask, maskLength), v(value, valueLength);
  if ((maskLength > 0 && !m.get()) || (valueLength > 0 && !v.get())) return -1;
  BSTR answer = nullptr;
  const HRESULT hr = GetRawValue(type, m.get(), v.get(), &answer);
  return TakeAnswer(hr, answer, out, capacity);
}

// The value is given as a string, as a host passes a text field.
EMSCRIPTEN_KEEPALIVE int zm_format(int type, const char16_t* mask, int maskLength,
                                   const char16_t* value, int valueLength, char16_t* out,
                                   int capacity) {
  Bstr v(value, valueLength);
  if (valueLength > 0 && !v.get()) return -1;
  VARIANT var = Scalar(VT_BSTR);
  var.bstrVal = v.get();
  return FormatVariant(type, mask, maskLength, var, out, capacity);
}

// The value is Empty (vt 0), Null (1), a boolean (11: x is 0 or 1) or a
// double (5: x itself); any other vt gives -1.
EMSCRIPTEN_KEEPALIVE int zm_format_scalar(int type, const char16_t* mask, int maskLength, int vt,
                                          double x, char16_t* out, int capacity) {
  VARIANT var = Scalar(static_cast<VARTYPE>(vt));
  switch (vt) {
    case VT_EMPTY: case VT_NULL: break;
    case VT_BOOL: var.boolVal = x != 0 ? VARIANT_TRUE : VARIANT_FALSE; break;
    case VT_R8: var.dblVal = x; break;
    default: return -1;
  }
  return FormatVariant(type, mask, maskLength, var, out, capacity);
}

// The value is a date and time of day given as wall-clock milliseconds since
// 1970-01-01 00:00 (the calendar fields the caller chose, read as if UTC).
EMSCRIPTEN_KEEPALIVE int zm_format_date(int type, const char16_t* mask, int maskLength,
                                        double wallClockMs, char16_t* out, int capacity) {
  VARIANT var = Scalar(VT_DATE);
  var.date = AutomationDate(wallClockMs);
  return FormatVariant(type, mask, maskLength, var, out, capacity);
}

// The value is the whole number (-1)^negative * (hi:mid:lo), held exactly as
// a decimal of scale 0, as a host passes a 96-bit whole number. -2 when the
// type would lose its digits (see NumberTypeLosesDigits).
EMSCRIPTEN_KEEPALIVE int zm_format_whole(int type, const char16_t* mask, int maskLength,
                                         int negative, std::uint32_t hi, std::uint32_t mid,
                                         std::uint32_t lo, char16_t* out, int capacity) {
  const std::uint64_t low = (std::uint64_t{mid} << 32) | lo;
  if (NumberTypeLosesDigits(type, hi, low)) return -2;
  VARIANT var;
  VariantInit(&var);
  var.decVal.scale = 0;
  var.decVal.sign = negative ? DECIMAL_NEG : 0;
  var.decVal.Hi32 = hi;
  var.decVal.Lo64 = low;
  var.vt = VT_DECIMAL;  // after decVal, which overlays vt
  return FormatVariant(type, mask, maskLength, var, out, capacity);
}

// The value type that a name or a number written out spells, as every other
// front reads it; -1 when it spells none.
EMSCRIPTEN_KEEPALIVE int zm_value_type_named(const char16_t* name, int length) {
  char ascii[16];
  if (length < 0 || length >= static_cast<int>(sizeof ascii)) return -1;
  for (int i = 0; i < length; ++i) {
    if (name[i] == 0 || name[i] > 0x7F) return -1;
    ascii[i] = static_cast<char>(name[i]);
  }
  return ValueTypeNamed(std::string_view(ascii, static_cast<std::size_t>(length)));
}

// The short name of a value type ("currency") written to out, its length;
// -1 for a number past the list, so the package learns the names from here.
EMSCRIPTEN_KEEPALIVE int zm_value_type_name(int type, char16_t* out, int capacity) {
  const char* name = ValueTypeName(type);
  if (!name) return -1;
  int n = 0;
  for (; name[n] && n < capacity; ++n) out[n] = static_cast<unsigned char>(name[n]);
  return n;
}

// The user's currency symbol, which a browser cannot tell: at most 3
// characters of the code page; empty for the masks' own "$". 1 when taken,
// 0 when refused (the settings are then unchanged).
EMSCRIPTEN_KEEPALIVE int zm_set_currency(const char16_t* symbol, int length) {
  if (length < 0 || length > 3) return 0;
  char ansi[4] = {};
  for (int i = 0; i < length; ++i) {
    const char c = AnsiFromCodePoint(symbol[i]);
    if (c == '\0' || (c == '?' && symbol[i] != u'?')) return 0;
    ansi[i] = c;
  }
  g_settings.reset();
  g_settings.emplace(LoadIntlSettings(MakeSystemLocale("", ansi)));
  return 1;
}

}  // extern "C"
