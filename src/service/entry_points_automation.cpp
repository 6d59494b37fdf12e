// The automation front: BSTR arguments widened from and answers narrowed to
// the code page, booleans answered from the UTF-16 units where they can be.
#include <cstring>

#include "platform/unicode.h"
#include "service/answer_size.h"
#include "service/boolean.h"
#include "service/dispatch.h"
#include "service/entry_points.h"
#include "service/kept_date_time.h"
#include "service/mask_cache.h"
#include "service/variant_text.h"
#include "zorva/automation.h"

namespace zorva {
namespace {

HRESULT UnitsToBstr(const char16_t* units, std::size_t length, BSTR* retVal) {
  BSTR result = SysAllocStringLen(AsOleChars(units), static_cast<UINT>(length));
  if (!result) return E_OUTOFMEMORY;
  *retVal = result;
  return S_OK;
}

// The answer (`length` bytes, terminated) as a new BSTR: every ANSI byte is
// one UTF-16 unit, so it is widened on the stack, its ASCII eight bytes at
// a time, the rest through the code page, and copied once.
HRESULT ToBstr(const char* answer, std::size_t length, BSTR* retVal) {
  char16_t units[kAnswerBytes];
  if (length >= kAnswerBytes) length = kAnswerChars;
  const std::size_t ascii = WidenAsciiPrefix(answer, length, units);
  if (ascii < length) AnsiToUtf16(answer + ascii, length - ascii, units + ascii, length - ascii + 1);
  return UnitsToBstr(units, length, retVal);
}

bool Assign(AnsiText& text, BSTR s) { return text.AssignUtf16(AsUtf16(s), SysStringLen(s)); }

// A value in the very form a kept text mask shows (digits and literals):
// its digits into `digits` (kAnswerBytes units), from the units themselves.
[[gnu::always_inline]] inline int AsShown(const MaskFacts& m, BSTR value, char16_t* digits) {
  return m.steps && SysStringLen(value) == m.stepCount ? ExtractAsShown(digits, AsUtf16(value), m.steps, m.stepCount)
                                                       : -1;
}

// A value for a kept text mask's steps: not empty and ASCII other than zero,
// so its own text in every code page, narrowed into `out` (kAnswerBytes).
// False where the general path must read it.
[[gnu::always_inline]] inline bool PlainText(const MaskFacts& m, BSTR value, char* out, std::size_t& length) {
  if (!m.steps) return false;
  length = SysStringLen(value);
  return length > 0 && length < kAnswerBytes && CopyAsciiPrefix(AsUtf16(value), length, out) == length;
}

// Booleans are answered from the UTF-16 units themselves where the mask is
// ASCII other than zero, so that its texts are the same in every code page:
// no conversion, no dispatch. These return false where the general path
// must answer (an empty mask takes the default one there).
bool ReadMask(BSTR mask, AsciiBooleanMask& out) {
  const std::size_t length = SysStringLen(mask);
  return length > 0 && length <= kAnswerChars && ReadAsciiBooleanMask(AsUtf16(mask), length, out);
}

bool FormattedBoolean(BSTR mask, BSTR value, BSTR* retVal, HRESULT& hr) {
  const std::u16string_view v(AsUtf16(value), SysStringLen(value));
  // A leading digit decides alone; a word goes the general way.
  if (!v.empty() && (v[0] < u'0' || v[0] > u'2')) return false;
  AsciiBooleanMask m;
  if (!ReadMask(mask, m)) return false;
  std::u16string_view part;
  FormattedBooleanPart(m.units, m.length, m.slash, m.falseEnd, v, part);
  hr = UnitsToBstr(part.data(), part.size(), retVal);
  return true;
}

bool RawBoolean(BSTR mask, BSTR value, BSTR* retVal, HRESULT& hr, const IntlSettings& s) {
  AsciiBooleanMask m;
  if (!ReadMask(mask, m)) return false;
  const char16_t* v = AsUtf16(value);
  const std::size_t valueLength = SysStringLen(value);
  if (valueLength == 0 || v[0] == u' ') {  // no answer
    hr = UnitsToBstr(m.units, 0, retVal);
    return true;
  }
  const int state = BooleanState(v, valueLength, m);
  if (state < 0) return false;
  const std::string_view text = RawBooleanText(state, s);  // a settings text, under 64 bytes
  char16_t wide[64];
  hr = UnitsToBstr(wide, AnsiToUtf16(text.data(), text.size(), wide, 64), retVal);
  return true;
}

// The formatted answer for a raw text of `length` bytes (null: no text);
// inline in each caller, which keeps the usual text and number calls short.
[[gnu::always_inline]] inline HRESULT FormattedAnswer(const MaskFacts& m, const char* text, std::size_t length,
                                                      BSTR* retVal, const IntlSettings& s) noexcept {
  char out[kAnswerBytes];
  if (text && (m.date || m.time)) return ToBstr(out, PlannedFormatted(m.date, m.time, text, out, s), retVal);
  if (m.shape && text) {
    const int n = FormattedWholeValue(out, sizeof out, text, length, m.request, m.shape, s);
    if (n >= 0) return ToBstr(out, static_cast<std::size_t>(n), retVal);
  }
  MakeFormattedValue(out, text, m.request, kAnswerChars, s);
  return ToBstr(out, std::strlen(out), retVal);
}

}  // namespace

HRESULT IsValid(std::int32_t valueType, BSTR mask, BSTR value, LONG* retVal) noexcept {
  if (!retVal) return E_POINTER;
  const IntlSettings& s = Intl();
  const MaskLease lease(valueType, AsUtf16(mask), SysStringLen(mask), s);
  const MaskFacts* m = lease.get();
  char text[kAnswerBytes], scratch[kAnswerBytes];
  if (char16_t digits[kAnswerBytes]; m && AsShown(*m, value, digits) >= 0) {
    *retVal = -1;
    return S_OK;
  }
  if (std::size_t n; m && PlainText(*m, value, text, n)) {
    *retVal = ExtractPlanned(scratch, sizeof scratch, text, n, m->steps, m->stepCount, s, n) ? -1 : 0;
    return S_OK;
  }
  AnsiText v;
  if (!m || !Assign(v, value)) return E_OUTOFMEMORY;
  if (m->number && v.ascii()) {
    if (const int valid = PreparedIsValid(*m->number, v.data(), v.size()); valid >= 0) {
      *retVal = valid ? -1 : 0;
      return S_OK;
    }
  }
  if (ShouldSwapCurrency(valueType, s)) SwapCurrencySymbol(v.data(), s);
  *retVal = ValidateValue(v.data(), m->text, valueType, s) == 0 ? 0 : -1;
  return S_OK;
}

HRESULT GetRawValue(std::int32_t valueType, BSTR mask, BSTR value, BSTR* retVal) noexcept {
  if (!retVal) return E_POINTER;
  const IntlSettings& s = Intl();
  const MaskLease lease(valueType, AsUtf16(mask), SysStringLen(mask), s);
  const MaskFacts* m = lease.get();
  if (valueType == tkMEBoolean) {  // from the kept mask's texts, else from the mask's units
    const char16_t* units;
    const int n = m && m->boolean ? KeptRawBoolean(*m->boolean, AsUtf16(value), SysStringLen(value), units) : -1;
    if (n >= 0) return UnitsToBstr(units, static_cast<std::size_t>(n), retVal);
    HRESULT quick;
    if (RawBoolean(mask, value, retVal, quick, s)) return quick;
  }
  if (char16_t digits[kAnswerBytes]; m) {
    const int n = AsShown(*m, value, digits);
    if (n >= 0) return UnitsToBstr(digits, static_cast<std::size_t>(n), retVal);
  }
  char answer[kAnswerBytes];
  if (std::size_t n; m && PlainText(*m, value, answer, n)) {
    char extracted[kAnswerBytes];
    ExtractPlanned(extracted, kAnswerChars, answer, n, m->steps, m->stepCount, s, n);
    return ToBstr(extracted, n, retVal);
  }
  AnsiText v;
  if (!m || !Assign(v, value)) return E_OUTOFMEMORY;
  if (m->date || m->time) return ToBstr(answer, PlannedRaw(m->date, m->time, v.data(), answer, s), retVal);
  if (m->number && m->number->rawReady && v.ascii()) {
    // Its answer is ASCII, the same in UTF-8 and the code page.
    const std::ptrdiff_t n = PreparedRawValue(*m->number, v.data(), v.size(), answer, sizeof answer);
    if (n >= 0) return ToBstr(answer, static_cast<std::size_t>(n), retVal);
  }
  if (ShouldSwapCurrency(valueType, s)) SwapCurrencySymbol(v.data(), s);
  MakeRawValue(answer, v.data(), m->request, kAnswerChars, s);
  return ToBstr(answer, std::strlen(answer), retVal);
}

HRESULT GetFormattedValue(std::int32_t valueType, BSTR mask, const VARIANT& value,
                          BSTR* retVal) noexcept {
  if (!retVal) return E_POINTER;
  HRESULT quick;
  if (valueType == tkMEBoolean && value.vt == VT_BSTR &&
      FormattedBoolean(mask, value.bstrVal, retVal, quick)) {
    return quick;
  }
  const IntlSettings& s = Intl();
  // A string is its own raw text for every type: a whole number is shown
  // from its units; anything else is converted straight into the inline
  // buffer, with no holder and no heap copy. Without memory for a long one
  // it has no text, as a holder would.
  if (value.vt == VT_BSTR) {
    const MaskLease lease(valueType, AsUtf16(mask), SysStringLen(mask), s);
    const MaskFacts* m = lease.get();
    if (!m) return E_OUTOFMEMORY;
    if (m->whole) {
      char16_t units[kWholeUnits];
      const int n = ShowWholeUnits(*m->whole, AsUtf16(value.bstrVal), SysStringLen(value.bstrVal), units);
      if (n >= 0) return UnitsToBstr(units, static_cast<std::size_t>(n), retVal);
    }
    if (m->fixed) {
      char16_t units[kFixedShown];
      const int n = ShowFixed(*m->fixed, AsUtf16(value.bstrVal), SysStringLen(value.bstrVal), units);
      if (n >= 0) return UnitsToBstr(units, static_cast<std::size_t>(n), retVal);
    }
    char text[kAnswerBytes];
    if (std::size_t n; PlainText(*m, value.bstrVal, text, n)) {
      char out[kAnswerBytes];
      if (const int shown = FormatPlanned(out, kAnswerChars, text, n, m->steps, m->stepCount, s); shown >= 0) {
        return ToBstr(out, static_cast<std::size_t>(shown), retVal);
      }
    }
    AnsiText v;
    const bool has = Assign(v, value.bstrVal);
    return FormattedAnswer(*m, has ? v.data() : nullptr, v.size(), retVal, s);
  }
  // Other values are converted before the mask is leased: an object's
  // property may call back in here. A plain number needs no holder.
  char number[kVariantTextBytes];
  if (const int n = PlainNumberText(value, valueType, number); n >= 0) {
    const MaskLease lease(valueType, AsUtf16(mask), SysStringLen(mask), s);
    const MaskFacts* m = lease.get();
    if (!m) return E_OUTOFMEMORY;
    if (m->fixed) {
      char16_t units[kFixedShown];
      const int shown = ShowFixed(*m->fixed, number, static_cast<std::size_t>(n), units);
      if (shown >= 0) return UnitsToBstr(units, static_cast<std::size_t>(shown), retVal);
    }
    return FormattedAnswer(*m, number, static_cast<std::size_t>(n), retVal, s);
  }
  SVariant holder;
  if (const HRESULT hr = VariantToRawText(value, valueType, holder); hr < 0) return hr;
  const MaskLease lease(valueType, AsUtf16(mask), SysStringLen(mask), s);
  const MaskFacts* m = lease.get();
  if (!m) return E_OUTOFMEMORY;
  return FormattedAnswer(*m, holder.DataPtr(0), holder.TextLength(), retVal, s);
}

}  // namespace zorva
