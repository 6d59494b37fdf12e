#include "sql_functions.h"

#include <charconv>
#include <cmath>
#include <new>

#include "platform/unicode.h"
#include "service/variant_text.h"

namespace zorva::sql {
namespace {

std::size_t RawTextOf(int type, const VARIANT& value, Answer& dest) noexcept {
  SVariant holder;
  VariantToRawText(value, type, holder);  // never fails for a scalar
  const char* text = holder.DataPtr(0);
  dest[0] = '\0';
  return text ? AnsiToUtf8(text, holder.TextLength(), dest, kUtf8AnswerBytes) : 0;
}

VARIANT Scalar(VARTYPE vt) noexcept {
  VARIANT v;
  VariantInit(&v);
  v.vt = vt;
  return v;
}

// Runs an answer that may throw std::bad_alloc: false when it did.
template <class F>
bool Catching(F&& answer) noexcept {
  try {
    answer();
    return true;
  } catch (...) {
    return false;
  }
}

}  // namespace

int ValueTypeNumbered(long long number) noexcept {
  return number >= 0 && number < kValueTypeCount ? static_cast<int>(number) : -1;
}

std::size_t RawTextOfInteger(int type, std::int64_t value, Answer& dest) noexcept {
  VARIANT v = Scalar(VT_I8);
  v.llVal = value;
  return RawTextOf(type, v, dest);
}

std::size_t RawTextOfReal(int type, double value, Answer& dest) noexcept {
  VARIANT v = Scalar(VT_R8);
  v.dblVal = value;
  return RawTextOf(type, v, dest);
}

std::size_t RawTextOfDate(int type, double days, Answer& dest) noexcept {
  VARIANT v = Scalar(VT_DATE);
  v.date = days;
  return RawTextOf(type, v, dest);
}

std::size_t RawTextOfDecimal(int type, std::string_view text, Answer& dest) noexcept {
  using Wide = unsigned __int128;
  constexpr Wide kLimit = Wide{1} << 96;  // a DECIMAL's mantissa stays below
  constexpr int kMaxScale = 28;
  const bool negative = !text.empty() && text[0] == '-';
  Wide mantissa = 0;
  int scale = 0;
  bool point = false, fits = text.size() > (negative ? 1u : 0u);
  for (std::size_t i = negative ? 1 : 0; fits && i < text.size(); ++i) {
    const char c = text[i];
    if (c == '.' && !point) {
      point = true;
      continue;
    }
    if (c < '0' || c > '9') {
      fits = false;  // NaN, Infinity
      break;
    }
    const Wide next = mantissa * 10 + static_cast<unsigned>(c - '0');
    if (point && (scale == kMaxScale || next >= kLimit)) {
      if (c >= '5' && ++mantissa == kLimit && scale > 0) {
        mantissa = (mantissa + 5) / 10;  // carried past the limit: one digit fewer
        --scale;
      }
      fits = mantissa < kLimit;
      break;
    }
    mantissa = next;
    scale += point;
    fits = mantissa < kLimit;
  }
  if (!fits) {
    double real = std::nan("");  // no text, also for what is no number at all
    std::from_chars(text.data(), text.data() + text.size(), real);
    return RawTextOfReal(type, real, dest);
  }
  VARIANT v;
  VariantInit(&v);
  v.decVal.scale = static_cast<BYTE>(scale);
  v.decVal.sign = negative && mantissa != 0 ? DECIMAL_NEG : 0;
  v.decVal.Hi32 = static_cast<ULONG>(mantissa >> 64);
  v.decVal.Lo64 = static_cast<ULONGLONG>(mantissa);
  v.vt = VT_DECIMAL;  // after decVal, whose reserved field it overlays
  return RawTextOf(type, v, dest);
}

bool IsValid(int type, std::string_view mask, std::string_view value, bool& valid) noexcept {
  return Catching([&] { valid = IsValidUtf8(type, mask, value); });
}

bool RawValue(int type, std::string_view mask, std::string_view value, Answer& dest,
              std::size_t& length) noexcept {
  return Catching([&] { length = GetRawValueUtf8(type, mask, value, dest, kUtf8AnswerBytes); });
}

bool FormattedValue(int type, std::string_view mask, std::string_view value, Answer& dest,
                    std::size_t& length) noexcept {
  return Catching([&] { length = GetFormattedValueUtf8(type, mask, value, dest, kUtf8AnswerBytes); });
}

PreparedMask* NewPrepared(int type, std::string_view mask) noexcept {
  PreparedMask* prepared = nullptr;
  Catching([&] { prepared = new PreparedMask(type, mask); });
  return prepared;
}

void DeletePrepared(void* prepared) noexcept { delete static_cast<PreparedMask*>(prepared); }

// The usual number row first, inline; PreparedValid and PreparedRaw answer
// the rest (and try the number reader again, which declines again).
bool IsValid(const PreparedMask& prepared, std::string_view value, bool terminated, bool& valid) noexcept {
  char copy[kAnswerBytes];
  if (const char* text = TerminatedValue(value, terminated, copy)) {
    if (const int answer = QuickPreparedValid(prepared, {text, value.size()}); answer >= 0) {
      valid = answer != 0;
      return true;
    }
  }
  return Catching([&] { valid = PreparedValid(prepared, value, terminated); });
}

bool RawValue(const PreparedMask& prepared, std::string_view value, bool terminated, Answer& dest,
              std::size_t& length) noexcept {
  char copy[kAnswerBytes];
  if (const char* text = TerminatedValue(value, terminated, copy)) {
    if (const std::ptrdiff_t n = QuickPreparedRaw(prepared, {text, value.size()}, dest, kUtf8AnswerBytes); n >= 0) {
      length = static_cast<std::size_t>(n);
      return true;
    }
  }
  return Catching([&] { length = PreparedRaw(prepared, value, terminated, dest, kUtf8AnswerBytes); });
}

bool FormattedValue(const PreparedMask& prepared, std::string_view value, Answer& dest,
                    std::size_t& length) noexcept {
  return Catching([&] { length = GetFormattedValueUtf8(prepared, value, dest, kUtf8AnswerBytes); });
}

}  // namespace zorva::sql
