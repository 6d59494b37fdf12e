#include "service/entry_points.h"

#include <cstring>
#include <new>

#include "intl/settings.h"
#include "platform/hidden_nul.h"
#include "platform/unicode.h"
#include "service/boolean.h"
#include "service/dispatch.h"
#include "service/variant_text.h"
#include "zorva/masked_edit.h"

namespace zorva {

bool AnsiText::Reserve(std::size_t bytes) noexcept {
  if (bytes <= sizeof inline_) {
    data_ = inline_;
    return true;
  }
  heap_.reset(new (std::nothrow) char[bytes]);
  data_ = heap_ ? heap_.get() : inline_;
  inline_[0] = '\0';
  return heap_ != nullptr;
}

bool AnsiText::AssignUtf16(const char16_t* text, std::size_t length) noexcept {
  // The usual short ASCII text is copied inline and done.
  if (length < sizeof inline_ && CopyAsciiPrefix(text, length, inline_) == length) {
    data_ = inline_;
    inline_[length] = '\0';
    return true;
  }
  if (!Reserve(length + 1)) return false;
  ReplaceEmbeddedNuls(data_, Utf16ToAnsi(text, length, data_, length + 1));
  return true;
}

bool AnsiText::AssignAnsi(const char* text, std::size_t length) noexcept {
  if (!Reserve(length + 1)) return false;
  std::memcpy(data_, text, length);
  data_[length] = '\0';
  return true;
}

bool AnsiText::AssignUtf8(const char* text, std::size_t length) noexcept {
  if (length < sizeof inline_ && CopyAsciiPrefix(text, length, inline_) == length) {
    data_ = inline_;
    inline_[length] = '\0';
    return true;
  }
  if (!Reserve(length + 1)) return false;
  ReplaceEmbeddedNuls(data_, Utf8ToAnsi(text, length, data_, length + 1));
  return true;
}

void SwapCurrencySymbol(char* text) noexcept {
  const IntlSettings& s = Intl();
  const char target = s.sCurrency[0];
  if (!text || !target) return;
  const std::size_t extra = std::strlen(s.sCurrency) - 1;
  // One pass: what lies before the last replacement holds no more targets,
  // since the replacement byte differs from the target.
  char* out = text;
  for (const char* in = text; *in;) {
    if (*in == target) {
      *out++ = s.sSystemCurrency[0];
      ++in;
      for (std::size_t k = 0; k < extra && *in; ++k) ++in;  // whatever they are
    } else {
      *out++ = *in++;
    }
  }
  *out = '\0';
}

bool ShouldSwapCurrency(std::int32_t valueType) noexcept {
  if (valueType != tkMECurrency) return false;  // the cheap test first
  const IntlSettings& s = Intl();
  return static_cast<unsigned char>(s.sSystemCurrency[0]) == 0x80 &&
         std::strcmp(s.sSystemCurrency, s.sCurrency) != 0;
}

namespace {

bool IsAscii(char c) noexcept { return static_cast<unsigned char>(c) < 0x80; }

FormatRequest RequestFor(std::int32_t valueType, const char* mask) noexcept {
  const IntlSettings& s = Intl();
  return FormatRequest{EditTypeOf(valueType), s.sMonThousandSep, s.sDecimal, mask,
                       s.sSystemCurrency};
}

// Eight ANSI bytes as eight UTF-16 units (little-endian, as on every
// target): each byte moved to its own unit with shifts.
void WidenAscii8(std::uint64_t bytes, char16_t* dest) {
  const auto spread = [](std::uint64_t x) {
    x = (x | (x << 16)) & 0x0000FFFF0000FFFFull;
    return (x | (x << 8)) & 0x00FF00FF00FF00FFull;
  };
  const std::uint64_t low = spread(bytes & 0xFFFFFFFFull), high = spread(bytes >> 32);
  std::memcpy(dest, &low, sizeof low);
  std::memcpy(dest + 4, &high, sizeof high);
}

// The answer straight into a new BSTR: every ANSI byte is one UTF-16 unit.
// ASCII is widened here, inline, eight bytes at a time while they lie in the
// answer buffer, which is zero-filled past the answer; the rest through the
// code page. The string is made from the finished units, so it is written
// once.
template <std::size_t N>
HRESULT ToBstr(const char (&answer)[N], BSTR* retVal) {
  static_assert(N <= 256, "answers are at most 255 characters");
  char16_t wide[256];
  std::size_t length = 0;
  for (; length + 8 <= N; length += 8) {
    std::uint64_t bytes;
    std::memcpy(&bytes, answer + length, sizeof bytes);
    const bool zero = ((bytes - 0x0101010101010101ull) & ~bytes & 0x8080808080808080ull) != 0;
    if (zero || (bytes & 0x8080808080808080ull) != 0) break;
    WidenAscii8(bytes, wide + length);
  }
  while (static_cast<unsigned char>(answer[length]) - 1u < 0x7Fu) {
    wide[length] = static_cast<unsigned char>(answer[length]);
    ++length;
  }
  if (answer[length]) {
    const std::size_t rest = std::strlen(answer + length);
    length += AnsiToUtf16(answer + length, rest, wide + length, sizeof wide / sizeof wide[0] - length);
  }
  BSTR result = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(wide), static_cast<UINT>(length));
  if (!result) return E_OUTOFMEMORY;
  *retVal = result;
  return S_OK;
}

// Answers are at most 255 characters: the dispatchers' fixed answer buffer.
constexpr std::size_t kAnswerCapacity = 255;

int Validate(std::int32_t valueType, AnsiText& mask, AnsiText& value) {
  if (ShouldSwapCurrency(valueType)) {
    SwapCurrencySymbol(mask.data());
    SwapCurrencySymbol(value.data());
  }
  return ValidateValue(value.data(), mask.data(), valueType, Intl());
}

void Raw(std::int32_t valueType, AnsiText& mask, AnsiText& value, char (&answer)[256]) {
  if (ShouldSwapCurrency(valueType)) {
    SwapCurrencySymbol(mask.data());
    SwapCurrencySymbol(value.data());
  }
  MakeRawValue(answer, value.data(), RequestFor(valueType, mask.data()), kAnswerCapacity, Intl());
}

void Formatted(std::int32_t valueType, AnsiText& mask, const char* value, char (&answer)[256]) {
  if (ShouldSwapCurrency(valueType)) SwapCurrencySymbol(mask.data());
  MakeFormattedValue(answer, value, RequestFor(valueType, mask.data()), kAnswerCapacity, Intl());
}

// A prepared mask as the engines see it: its text, or, when the currency
// swap applies (it changes the text), a swapped copy in `scratch`.
const char* MaskText(const PreparedMask& mask, AnsiText& scratch) {
  if (!ShouldSwapCurrency(mask.valueType())) return mask.text().c_str();
  if (!scratch.AssignAnsi(mask.text().data(), mask.text().size())) throw std::bad_alloc();
  SwapCurrencySymbol(scratch.data());
  return scratch.data();
}

void AssignValue(AnsiText& v, std::string_view value) {
  if (!v.AssignUtf8(value.data(), value.size())) throw std::bad_alloc();
}

// Booleans are answered from the UTF-16 units themselves where the mask is
// ASCII other than zero, so that its texts are the same in every code page:
// no conversion, no dispatch. These return false where the general path
// must answer (an empty mask takes the default one there).
bool ReadMask(BSTR mask, AsciiBooleanMask& out) {
  const std::size_t length = SysStringLen(mask);
  return length > 0 && length <= kAnswerCapacity && ReadAsciiBooleanMask(AsUtf16(mask), length, out);
}

HRESULT UnitsToBstr(const char16_t* units, std::size_t length, BSTR* retVal) {
  BSTR result = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(units), static_cast<UINT>(length));
  if (!result) return E_OUTOFMEMORY;
  *retVal = result;
  return S_OK;
}

bool FormattedBoolean(BSTR mask, BSTR value, BSTR* retVal, HRESULT& hr) {
  const char16_t* v = AsUtf16(value);
  const std::size_t valueLength = SysStringLen(value);
  // A leading digit decides alone; a word goes the general way.
  if (valueLength > 0 && (v[0] < u'0' || v[0] > u'2')) return false;
  AsciiBooleanMask m;
  if (!ReadMask(mask, m)) return false;
  if (valueLength == 0) {
    hr = UnitsToBstr(m.units, 0, retVal);
  } else if (m.slash == m.length) {  // no "/": the mask whole, whatever the state
    hr = UnitsToBstr(m.units, m.length, retVal);
  } else if (v[0] == u'2') {
    hr = UnitsToBstr(u"2", 1, retVal);
  } else if (v[0] == u'1') {
    hr = UnitsToBstr(m.units, m.slash, retVal);
  } else {
    hr = UnitsToBstr(m.units + m.slash + 1, m.falseEnd - m.slash - 1, retVal);
  }
  return true;
}

bool RawBoolean(BSTR mask, BSTR value, BSTR* retVal, HRESULT& hr) {
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
  // The raw mask is a settings text of under 64 bytes: no cut applies.
  const std::string_view text = BooleanTextOf(Intl().sRawBooleanMask, state);
  char answer[64] = {};
  std::memcpy(answer, text.data(), text.size());
  answer[text.size()] = '\0';
  hr = ToBstr(answer, retVal);
  return true;
}

// ASCII is the same in UTF-8: the usual answer is copied here, inline, and
// only what follows its first other byte goes through the conversion.
std::size_t AnswerToUtf8(const char* text, std::size_t length, char* dest, std::size_t size) {
  if (length >= size) return AnsiToUtf8(text, length, dest, size);  // it cuts
  std::size_t i = 0;
  for (; i < length && static_cast<unsigned char>(text[i]) < 0x80; ++i) dest[i] = text[i];
  if (i == length) {
    dest[i] = '\0';
    return i;
  }
  return i + AnsiToUtf8(text + i, length - i, dest + i, size - i);
}

// Engine answers run longer than the boolean texts: their ASCII goes eight
// bytes at a time first, leaving AnswerToUtf8 small enough to inline.
std::size_t ToUtf8(const char* answer, char* dest, std::size_t size) {
  const std::size_t length = std::strlen(answer);
  std::size_t i = 0;
  for (; i + 8 <= length && length < size; i += 8) {
    std::uint64_t bytes;
    std::memcpy(&bytes, answer + i, sizeof bytes);
    if (bytes & 0x8080808080808080ull) break;
    std::memcpy(dest + i, &bytes, sizeof bytes);
  }
  return i + AnswerToUtf8(answer + i, length - i, dest + i, size - i);
}

}  // namespace

HRESULT IsValid(std::int32_t valueType, BSTR mask, BSTR value, LONG* retVal) noexcept {
  if (!retVal) return E_POINTER;
  AnsiText m, v;
  if (!m.AssignUtf16(AsUtf16(mask), SysStringLen(mask)) || !v.AssignUtf16(AsUtf16(value), SysStringLen(value))) {
    return E_OUTOFMEMORY;
  }
  *retVal = Validate(valueType, m, v) == 0 ? 0 : -1;
  return S_OK;
}

HRESULT GetRawValue(std::int32_t valueType, BSTR mask, BSTR value, BSTR* retVal) noexcept {
  if (!retVal) return E_POINTER;
  HRESULT quick;
  if (valueType == tkMEBoolean && RawBoolean(mask, value, retVal, quick)) return quick;
  AnsiText m, v;
  if (!m.AssignUtf16(AsUtf16(mask), SysStringLen(mask)) || !v.AssignUtf16(AsUtf16(value), SysStringLen(value))) {
    return E_OUTOFMEMORY;
  }
  char answer[256] = {};
  Raw(valueType, m, v, answer);
  return ToBstr(answer, retVal);
}

HRESULT GetFormattedValue(std::int32_t valueType, BSTR mask, const VARIANT& value,
                          BSTR* retVal) noexcept {
  if (!retVal) return E_POINTER;
  HRESULT quick;
  if (valueType == tkMEBoolean && value.vt == VT_BSTR &&
      FormattedBoolean(mask, value.bstrVal, retVal, quick)) {
    return quick;
  }
  // A string is its own raw text for every type: it is converted straight
  // into the inline buffer, with no holder and no heap copy. Without memory
  // for a long one it has no text, as a holder would.
  AnsiText m;
  char answer[256] = {};
  if (value.vt == VT_BSTR) {
    AnsiText v;
    const char* text =
        v.AssignUtf16(AsUtf16(value.bstrVal), SysStringLen(value.bstrVal)) ? v.data() : nullptr;
    if (!m.AssignUtf16(AsUtf16(mask), SysStringLen(mask))) return E_OUTOFMEMORY;
    Formatted(valueType, m, text, answer);
  } else {
    SVariant holder;
    HRESULT hr = VariantToRawText(value, valueType, holder);
    if (hr < 0) return hr;
    if (!m.AssignUtf16(AsUtf16(mask), SysStringLen(mask))) return E_OUTOFMEMORY;
    Formatted(valueType, m, holder.DataPtr(0), answer);
  }
  return ToBstr(answer, retVal);
}

bool IsValidUtf8(std::int32_t valueType, std::string_view mask, std::string_view value) {
  AnsiText m, v;
  if (!m.AssignUtf8(mask.data(), mask.size()) || !v.AssignUtf8(value.data(), value.size())) {
    throw std::bad_alloc();
  }
  return Validate(valueType, m, v) != 0;
}

std::size_t GetRawValueUtf8(std::int32_t valueType, std::string_view mask, std::string_view value,
                            char* dest, std::size_t size) {
  AnsiText m, v;
  if (!m.AssignUtf8(mask.data(), mask.size()) || !v.AssignUtf8(value.data(), value.size())) {
    throw std::bad_alloc();
  }
  char answer[256];  // terminated by MakeRawValue; only ToBstr needs the zero fill
  Raw(valueType, m, v, answer);
  return ToUtf8(answer, dest, size);
}

std::size_t GetFormattedValueUtf8(std::int32_t valueType, std::string_view mask,
                                  std::string_view value, char* dest, std::size_t size) {
  // A string passes the variant conversion unchanged for every type.
  AnsiText m, v;
  if (!m.AssignUtf8(mask.data(), mask.size()) || !v.AssignUtf8(value.data(), value.size())) {
    throw std::bad_alloc();
  }
  char answer[256] = {};
  Formatted(valueType, m, v.data(), answer);
  return ToUtf8(answer, dest, size);
}

PreparedMask::PreparedMask(std::int32_t valueType, std::string_view mask) : valueType_(valueType) {
  AnsiText m;
  if (!m.AssignUtf8(mask.data(), mask.size())) throw std::bad_alloc();
  text_ = m.data();
  shape_ = WholeMaskKey(RequestFor(valueType, text_.c_str()));
}

bool IsValidUtf8(const PreparedMask& mask, std::string_view value) {
  AnsiText scratch, v;
  const char* m = MaskText(mask, scratch);
  AssignValue(v, value);
  if (ShouldSwapCurrency(mask.valueType())) SwapCurrencySymbol(v.data());
  return ValidateValue(v.data(), m, mask.valueType(), Intl()) != 0;
}

std::size_t GetRawValueUtf8(const PreparedMask& mask, std::string_view value, char* dest,
                            std::size_t size) {
  if (mask.valueType() == tkMEBoolean && !mask.text().empty()) {
    // The dispatcher's boolean reading without its set-up (an empty mask
    // takes the default there).
    AnsiText v;
    AssignValue(v, value);
    const char* text = v.data();
    if (!*text || *text == ' ') return AnswerToUtf8("", 0, dest, size);  // no answer
    const int state = BooleanState(text, mask.text().c_str());
    const std::string_view raw = BooleanTextOf(Intl().sRawBooleanMask, state);
    return AnswerToUtf8(raw.data(), raw.size(), dest, size);
  }
  AnsiText scratch, v;
  const char* m = MaskText(mask, scratch);
  AssignValue(v, value);
  if (ShouldSwapCurrency(mask.valueType())) SwapCurrencySymbol(v.data());
  char answer[256];  // terminated by MakeRawValue
  MakeRawValue(answer, v.data(), RequestFor(mask.valueType(), m), kAnswerCapacity, Intl());
  return ToUtf8(answer, dest, size);
}

std::size_t GetFormattedValueUtf8(const PreparedMask& mask, std::string_view value, char* dest,
                                  std::size_t size) {
  // A boolean's leading digit decides alone: the answer is a part of the
  // prepared mask, cut to the answer buffer as the dispatcher cuts it.
  if (mask.valueType() == tkMEBoolean && !mask.text().empty() &&
      (value.empty() || (value[0] >= '0' && value[0] <= '2'))) {
    if (value.empty()) return AnswerToUtf8("", 0, dest, size);
    std::string_view text = BooleanTextOf(mask.text().c_str(), value[0] - '0');
    if (text.size() > kAnswerCapacity) text = text.substr(0, kAnswerCapacity);
    return AnswerToUtf8(text.data(), text.size(), dest, size);
  }
  if (mask.shape() != 0) {
    // A whole number under a plain run ("#,##0"), straight from the value's
    // bytes: with an ASCII sign and separator, both sides are ASCII.
    const IntlSettings& s = Intl();
    const FormatRequest request = RequestFor(mask.valueType(), mask.text().c_str());
    if (IsAscii(s.sNegativeSign) && IsAscii(request.thousandSep)) {
      const int n =
          FormattedWholeValue(dest, size, value.data(), value.size(), request, mask.shape(), s);
      if (n >= 0) return static_cast<std::size_t>(n);
    }
  }
  AnsiText scratch, v;
  const char* m = MaskText(mask, scratch);
  AssignValue(v, value);
  char answer[256] = {};
  MakeFormattedValue(answer, v.data(), RequestFor(mask.valueType(), m), kAnswerCapacity, Intl());
  return ToUtf8(answer, dest, size);
}

std::string GetRawValueUtf8(std::int32_t valueType, std::string_view mask, std::string_view value) {
  char out[256 * 3 + 1];
  return std::string(out, GetRawValueUtf8(valueType, mask, value, out, sizeof out));
}

std::string GetFormattedValueUtf8(std::int32_t valueType, std::string_view mask,
                                  std::string_view value) {
  char out[256 * 3 + 1];
  return std::string(out, GetFormattedValueUtf8(valueType, mask, value, out, sizeof out));
}

}  // namespace zorva
