#include "service/variant_text.h"

#include <cmath>
#include <cstring>
#include <new>
#include <utility>

#include "platform/hidden_nul.h"
#include "platform/powers_of_ten.h"
#include "platform/unicode.h"
#include "service/value_types.h"

namespace zorva {
namespace {

// A by-reference variant may point at another; a chain this deep is a loop.
constexpr int kMaxDepth = 4;

enum CodeGroup { kGroupText, kGroupNumber, kGroupDate, kGroupBoolean, kGroupNone, kGroupUnknown };

CodeGroup GroupOf(int code) noexcept {
  switch (code) {
    case 1: return kGroupText;
    case 2: case 3: case 4: case 5: case 11: case 13: return kGroupNumber;
    case 6: case 7: case 8: return kGroupDate;
    case 10: return kGroupBoolean;
    case 9: return kGroupNone;
    default: return kGroupUnknown;
  }
}

double DecimalToDouble(const DECIMAL& d) noexcept {
  const double magnitude = std::ldexp(static_cast<double>(d.Hi32), 64) + static_cast<double>(d.Lo64);
  const double value = magnitude / PowerOfTen(d.scale);
  return d.sign == DECIMAL_NEG ? -value : value;
}

}  // namespace

SVariant::SVariant() noexcept = default;

SVariant::SVariant(const VARIANT& value) noexcept { Load(value, 0); }

SVariant::SVariant(SVariant&& other) noexcept { MoveFrom(other); }

SVariant& SVariant::operator=(SVariant&& other) noexcept {
  if (this != &other) MoveFrom(other);
  return *this;
}

SVariant::~SVariant() = default;

void SVariant::SetNone() noexcept {
  kind_ = Kind::kNone;
  text_.reset();
  length_ = 0;
}

bool SVariant::SetText(const char* text, std::size_t length) noexcept {
  std::unique_ptr<char[]> copy(new (std::nothrow) char[length + 1]);
  if (!copy) {
    SetNone();
    return false;
  }
  std::memcpy(copy.get(), text, length);
  copy[length] = '\0';
  text_ = std::move(copy);
  length_ = length;
  kind_ = Kind::kText;
  return true;
}

void SVariant::CopyScalars(const SVariant& other) noexcept {
  kind_ = other.kind_;
  signed_ = other.signed_;
  unsigned_ = other.unsigned_;
  real_ = other.real_;
  digits_ = other.digits_;
  decimal_ = other.decimal_;
  bool_ = other.bool_;
}

void SVariant::MoveFrom(SVariant& other) noexcept {
  CopyScalars(other);
  text_ = std::move(other.text_);
  length_ = other.length_;
  other.SetNone();
}

void SVariant::Load(const VARIANT& value, int depth) noexcept {
  SetNone();
  const VARTYPE vt = value.vt;
  if (vt & VT_BYREF) {
    // Convert as the value pointed at: copy it into a by-value variant.
    if (!value.byref) return;
    VARIANT v;
    VariantInit(&v);
    switch (vt & ~VT_BYREF) {
      case VT_I1: v.cVal = *value.pcVal; break;
      case VT_UI1: v.bVal = *value.pbVal; break;
      case VT_I2: v.iVal = *value.piVal; break;
      case VT_UI2: v.uiVal = *value.puiVal; break;
      case VT_I4: v.lVal = *value.plVal; break;
      case VT_UI4: v.ulVal = *value.pulVal; break;
      case VT_I8: v.llVal = *value.pllVal; break;
      case VT_UI8: v.ullVal = *value.pullVal; break;
      case VT_INT: v.intVal = *value.pintVal; break;
      case VT_UINT: v.uintVal = *value.puintVal; break;
      case VT_R4: v.fltVal = *value.pfltVal; break;
      case VT_R8: v.dblVal = *value.pdblVal; break;
      case VT_CY: v.cyVal = *value.pcyVal; break;
      case VT_DATE: v.date = *value.pdate; break;
      case VT_BOOL: v.boolVal = *value.pboolVal; break;
      case VT_BSTR: v.bstrVal = *value.pbstrVal; break;  // borrowed, not freed
      case VT_DECIMAL: v.decVal = *value.pdecVal; break;
      case VT_VARIANT:
        if (depth < kMaxDepth) Load(*value.pvarVal, depth + 1);
        return;
      default: return;  // objects, errors and the rest have no text
    }
    v.vt = static_cast<VARTYPE>(vt & ~VT_BYREF);  // after decVal, which overlays vt
    Load(v, depth + 1);
    return;
  }
  switch (vt) {
    case VT_I1: kind_ = Kind::kSigned; signed_ = static_cast<signed char>(value.cVal); break;
    case VT_UI1: kind_ = Kind::kUnsigned; unsigned_ = value.bVal; break;
    case VT_I2: kind_ = Kind::kSigned; signed_ = value.iVal; break;
    case VT_UI2: kind_ = Kind::kUnsigned; unsigned_ = value.uiVal; break;
    case VT_I4: kind_ = Kind::kSigned; signed_ = value.lVal; break;
    case VT_UI4: kind_ = Kind::kUnsigned; unsigned_ = value.ulVal; break;
    case VT_I8: kind_ = Kind::kSigned; signed_ = value.llVal; break;
    case VT_UI8: kind_ = Kind::kUnsigned; unsigned_ = value.ullVal; break;
    case VT_INT: kind_ = Kind::kSigned; signed_ = value.intVal; break;
    case VT_UINT: kind_ = Kind::kUnsigned; unsigned_ = value.uintVal; break;
    case VT_R4: kind_ = Kind::kReal; real_ = value.fltVal; digits_ = 7; break;
    case VT_R8: kind_ = Kind::kReal; real_ = value.dblVal; digits_ = 15; break;
    case VT_DATE: kind_ = Kind::kDate; real_ = value.date; break;
    case VT_BOOL: kind_ = Kind::kBool; bool_ = value.boolVal != 0; break;
    case VT_CY: {
      // Currency is a decimal of scale 4.
      const std::int64_t units = value.cyVal.int64;
      decimal_ = DECIMAL{};
      decimal_.scale = 4;
      decimal_.sign = units < 0 ? DECIMAL_NEG : 0;
      decimal_.Lo64 = units < 0 ? 0 - static_cast<std::uint64_t>(units) : static_cast<std::uint64_t>(units);
      kind_ = Kind::kDecimal;
      break;
    }
    case VT_DECIMAL:
      // Automation refuses scales above 28 and sign bytes other than these two.
      if (value.decVal.scale > 28 || (value.decVal.sign != 0 && value.decVal.sign != DECIMAL_NEG)) break;
      decimal_ = value.decVal;
      kind_ = Kind::kDecimal;
      break;
    case VT_BSTR: {
      // A null BSTR is the empty string.
      const UINT length = SysStringLen(value.bstrVal);
      std::unique_ptr<char[]> text(new (std::nothrow) char[static_cast<std::size_t>(length) + 1]);
      if (!text) break;
      text[0] = '\0';
      length_ = value.bstrVal ? Utf16ToAnsi(AsUtf16(value.bstrVal), length, text.get(), static_cast<std::size_t>(length) + 1) : 0;
      text[length_] = '\0';
      ReplaceEmbeddedNuls(text.get(), length_);
      text_ = std::move(text);
      kind_ = Kind::kText;
      break;
    }
    default:
      break;  // empty, null, objects, errors, arrays, unknown tags
  }
}

int SVariant::Transmogrify(int code) noexcept {
  if (kind_ == Kind::kNone) return 0;
  if (kind_ == Kind::kText) return 1;  // a string passes through every code
  const CodeGroup group = GroupOf(code);
  if (group == kGroupUnknown) return 0;

  char out[kVariantTextBytes];
  std::size_t len = 0;
  bool has = true;
  const bool realKind = kind_ == Kind::kReal || kind_ == Kind::kDate;
  if (realKind && !std::isfinite(real_)) {
    has = false;
  } else if (group == kGroupNone) {
    has = false;
  } else if (group == kGroupBoolean) {
    bool truth = false;
    switch (kind_) {
      case Kind::kSigned: truth = signed_ != 0; break;
      case Kind::kUnsigned: truth = unsigned_ != 0; break;
      case Kind::kReal: case Kind::kDate: truth = real_ != 0; break;
      case Kind::kDecimal: truth = decimal_.Hi32 != 0 || decimal_.Lo64 != 0; break;
      default: truth = bool_; break;
    }
    out[0] = truth ? '1' : '0';
    len = 1;
  } else if (group == kGroupDate) {
    double days = 0;
    switch (kind_) {
      case Kind::kSigned: days = static_cast<double>(signed_); break;
      case Kind::kUnsigned: days = static_cast<double>(unsigned_); break;
      case Kind::kDecimal: days = DecimalToDouble(decimal_); break;
      case Kind::kBool: days = bool_ ? -1 : 0; break;  // true is -1, as Automation counts it
      default: days = real_; break;
    }
    len = FormatDayCount(out, sizeof out, days, code);
    has = len > 0;
  } else if (kind_ == Kind::kDate && group == kGroupText) {
    len = FormatDayCount(out, sizeof out, real_, 8);
    has = len > 0;
  } else if (kind_ == Kind::kBool) {
    const char* word = group == kGroupText ? (bool_ ? "True" : "False") : (bool_ ? "-1" : "0");
    len = std::strlen(word);
    std::memcpy(out, word, len + 1);
  } else {
    // Numbers, for number and text codes; a date is its day count.
    switch (kind_) {
      case Kind::kSigned:
        len = FormatIntegerText(out, sizeof out, signed_ < 0,
                                signed_ < 0 ? 0 - static_cast<std::uint64_t>(signed_) : static_cast<std::uint64_t>(signed_));
        break;
      case Kind::kUnsigned: len = FormatIntegerText(out, sizeof out, false, unsigned_); break;
      case Kind::kDecimal:
        len = FormatScaledText(out, sizeof out, decimal_.sign == DECIMAL_NEG, decimal_.Hi32, decimal_.Lo64, decimal_.scale);
        break;
      case Kind::kDate: len = FormatRealText(out, sizeof out, real_, 15); break;
      default: len = FormatRealText(out, sizeof out, real_, digits_); break;
    }
  }
  if (!has) {
    SetNone();
    return 0;
  }
  return SetText(out, len) ? 1 : 0;
}

const char* SVariant::DataPtr(int /*code*/) const noexcept {
  return kind_ == Kind::kText ? text_.get() : nullptr;
}

std::size_t SVariant::TextLength() const noexcept {
  return kind_ == Kind::kText ? std::strlen(text_.get()) : 0;
}

namespace {

// Whether a value is an object, passed by value or by reference, directly or
// through by-reference variants (script hosts pass a variable so) followed as
// far as Load follows them. `object` is then its pointer, possibly null.
bool HeldObject(const VARIANT& value, IUnknown*& object) noexcept {
  const VARIANT* v = &value;
  for (int hops = 0; v->vt == (VT_BYREF | VT_VARIANT); ++hops) {
    if (hops == kMaxDepth || !v->pvarVal) return false;
    v = v->pvarVal;
  }
  switch (v->vt) {
    case VT_DISPATCH: object = v->pdispVal; return true;
    case VT_UNKNOWN: object = v->punkVal; return true;
    case VT_BYREF | VT_DISPATCH: object = v->ppdispVal ? *v->ppdispVal : nullptr; return true;
    case VT_BYREF | VT_UNKNOWN: object = v->ppunkVal ? *v->ppunkVal : nullptr; return true;
    default: return false;
  }
}

}  // namespace

int PlainNumberText(const VARIANT& value, std::int32_t valueType, char* dest) noexcept {
  const CodeGroup group = GroupOf(FirstConversionCodeOf(valueType));
  if (group != kGroupNumber && group != kGroupText) return -1;
  const auto whole = [dest](std::int64_t n) {
    const std::uint64_t magnitude = n < 0 ? 0 - static_cast<std::uint64_t>(n) : static_cast<std::uint64_t>(n);
    return static_cast<int>(FormatIntegerText(dest, kVariantTextBytes, n < 0, magnitude));
  };
  switch (value.vt) {
    case VT_I2: return whole(value.iVal);
    case VT_I4: return whole(value.lVal);
    case VT_I8: return whole(value.llVal);
    case VT_R8:
      if (!std::isfinite(value.dblVal)) return -1;
      return static_cast<int>(FormatRealText(dest, kVariantTextBytes, value.dblVal, 15));
    default: return -1;
  }
}

HRESULT VariantToRawText(const VARIANT& value, std::int32_t valueType, SVariant& text) noexcept {
  SVariant holder;
  IUnknown* object = nullptr;
  if (HeldObject(value, object)) {
    // An object gives the text of its default property; no object, no text.
    if (object) {
      IDispatch* dispatch = nullptr;
      HRESULT hr = object->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch));
      if (FAILED(hr)) return hr;
      if (dispatch) {
        VARIANT answer;
        VariantInit(&answer);
        DISPPARAMS noArguments = {nullptr, nullptr, 0, 0};
        hr = dispatch->Invoke(DISPID_VALUE, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET,
                              &noArguments, &answer, nullptr, nullptr);
        dispatch->Release();
        if (FAILED(hr)) return hr;
        holder = SVariant(answer);
        VariantClear(&answer);
      }
    }
  } else {
    holder = SVariant(value);
  }
  holder.Transmogrify(FirstConversionCodeOf(valueType));
  holder.Transmogrify(1);
  text = std::move(holder);
  return S_OK;
}

}  // namespace zorva
