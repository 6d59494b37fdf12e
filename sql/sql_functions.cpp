#include "sql_functions.h"

#include <cstdint>
#include <cstring>

#include "platform/unicode.h"
#include "service/dispatch.h"
#include "service/entry_points.h"
#include "service/variant_text.h"
#include "zorva/masked_edit.h"

namespace zorva::sql {
namespace {

std::size_t RawTextOf(int type, const VARIANT& value, char (&dest)[kAnswerSize]) noexcept {
  SVariant holder;
  VariantToRawText(value, type, holder);  // never fails for a scalar
  const char* text = holder.DataPtr(0);
  dest[0] = '\0';
  return text ? AnsiToUtf8(text, holder.TextLength(), dest, kAnswerSize) : 0;
}

// A short ASCII argument: the same text in UTF-8 and in the code page, so it
// goes to the dispatchers from this stack copy, as the entry points' own
// inline copy would. Anything else takes the entry points' full path.
struct AsciiArgument {
  char text[256];
  bool Assign(std::string_view s) noexcept {
    if (s.size() >= sizeof text || CopyAsciiPrefix(s.data(), s.size(), text) != s.size()) {
      return false;
    }
    text[s.size()] = '\0';
    return true;
  }
};

// Whether both arguments take the direct path: short ASCII, and no currency
// swap (it rewrites the texts; the entry points do that).
bool Direct(int type, std::string_view mask, std::string_view value, AsciiArgument& m,
            AsciiArgument& v) noexcept {
  return !ShouldSwapCurrency(type) && m.Assign(mask) && v.Assign(value);
}

// An answer of the 256-byte buffer in UTF-8: ASCII as it stands, the rest
// through the code page.
std::size_t AnswerToUtf8(const char (&answer)[256], char (&dest)[kAnswerSize]) noexcept {
  const std::size_t length = std::strlen(answer);
  std::uint64_t high = 0;
  for (std::size_t i = 0; i < length; i += 8) {  // whole words: the buffer has 256 bytes
    std::uint64_t bytes;
    std::memcpy(&bytes, answer + i, sizeof bytes);
    high |= bytes;
  }
  if (high & 0x8080808080808080ull) return AnsiToUtf8(answer, length, dest, kAnswerSize);
  if (length < 32) {
    std::memcpy(dest, answer, 32);  // the usual short answer: one fixed copy
  } else {
    std::memcpy(dest, answer, length + 1);
  }
  return length;
}

}  // namespace

int ValueTypeNumbered(long long number) noexcept {
  return number >= 0 && number < kValueTypeCount ? static_cast<int>(number) : -1;
}

std::size_t RawTextOfInteger(int type, std::int64_t value, char (&dest)[kAnswerSize]) noexcept {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_I8;
  v.llVal = value;
  return RawTextOf(type, v, dest);
}

std::size_t RawTextOfReal(int type, double value, char (&dest)[kAnswerSize]) noexcept {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_R8;
  v.dblVal = value;
  return RawTextOf(type, v, dest);
}

std::size_t RawTextOfDate(int type, double days, char (&dest)[kAnswerSize]) noexcept {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_DATE;
  v.date = days;
  return RawTextOf(type, v, dest);
}

bool IsValid(int type, std::string_view mask, std::string_view value, bool& valid) noexcept {
  if (AsciiArgument m, v; Direct(type, mask, value, m, v)) {
    valid = ValidateValue(v.text, m.text, type) != 0;
    return true;
  }
  try {
    valid = IsValidUtf8(type, mask, value);
    return true;
  } catch (...) {
    return false;
  }
}

bool RawValue(int type, std::string_view mask, std::string_view value, char (&dest)[kAnswerSize],
              std::size_t& length) noexcept {
  if (AsciiArgument m, v; Direct(type, mask, value, m, v)) {
    char answer[256] = {};
    MakeRawValue(answer, v.text, RequestFor(type, m.text), sizeof answer - 1);
    length = AnswerToUtf8(answer, dest);
    return true;
  }
  try {
    length = GetRawValueUtf8(type, mask, value, dest, kAnswerSize);
    return true;
  } catch (...) {
    return false;
  }
}

bool FormattedValue(int type, std::string_view mask, std::string_view value,
                    char (&dest)[kAnswerSize], std::size_t& length) noexcept {
  if (AsciiArgument m, v; Direct(type, mask, value, m, v)) {
    char answer[256] = {};
    MakeFormattedValue(answer, v.text, RequestFor(type, m.text), sizeof answer - 1);
    length = AnswerToUtf8(answer, dest);
    return true;
  }
  try {
    length = GetFormattedValueUtf8(type, mask, value, dest, kAnswerSize);
    return true;
  } catch (...) {
    return false;
  }
}

}  // namespace zorva::sql
