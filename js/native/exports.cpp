// The C interface of the WebAssembly module: the three questions with UTF-16
// text in and out. Every call goes through the automation entry points, so an
// unpaired surrogate or an embedded zero is read exactly as there.
#include <emscripten/emscripten.h>

#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>

#include "intl/settings.h"
#include "platform/unicode.h"
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

}  // namespace

extern "C" {

// 1 valid, 0 invalid, -1 when memory ran out.
EMSCRIPTEN_KEEPALIVE int zm_is_valid(int type, const char16_t* mask, int maskLength,
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
  Bstr m(mask, maskLength), v(value, valueLength);
  if ((maskLength > 0 && !m.get()) || (valueLength > 0 && !v.get())) return -1;
  VARIANT var;
  VariantInit(&var);
  var.vt = VT_BSTR;
  var.bstrVal = v.get();
  BSTR answer = nullptr;
  const HRESULT hr = GetFormattedValue(type, m.get(), var, &answer);
  return TakeAnswer(hr, answer, out, capacity);
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
