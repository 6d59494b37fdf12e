// The UTF-8 front: the C++ functions that take the mask as text (and, through
// them, the C interface and the databases' unprepared rows).
#include <cstring>

#include "service/answer_size.h"
#include "service/dispatch.h"
#include "service/entry_points.h"
#include "zorva/masked_edit.h"

namespace zorva {
namespace {

// Both arguments in the code page, swapped where the currency swap applies
// (the mask only, for a formatted value: its value is a raw one).
void Prepare(std::int32_t valueType, AnsiText& m, std::string_view mask, AnsiText& v,
             std::string_view value, bool swapValue, const IntlSettings& s) {
  AssignOrThrow(m, mask);
  AssignOrThrow(v, value);
  if (ShouldSwapCurrency(valueType, s)) {
    SwapCurrencySymbol(m.data(), s);
    if (swapValue) SwapCurrencySymbol(v.data(), s);
  }
}

// A raw or formatted answer in UTF-8: the dispatcher's answer in the code
// page, converted. Only a raw value's value text is swapped.
using Dispatcher = int (*)(char*, const char*, const FormatRequest&, std::size_t, const IntlSettings&) noexcept;
std::size_t AnswerUtf8(Dispatcher dispatch, bool swapValue, std::int32_t valueType, std::string_view mask,
                       std::string_view value, char* dest, std::size_t size) {
  const IntlSettings& s = Intl();
  AnsiText m, v;
  Prepare(valueType, m, mask, v, value, swapValue, s);
  char answer[kAnswerBytes];
  dispatch(answer, v.data(), RequestFor(valueType, m.data(), s), kAnswerChars, s);
  return AnswerToUtf8(answer, std::strlen(answer), dest, size);
}

}  // namespace

bool IsValidUtf8(std::int32_t valueType, std::string_view mask, std::string_view value) {
  const IntlSettings& s = Intl();
  AnsiText m, v;
  Prepare(valueType, m, mask, v, value, true, s);
  return ValidateValue(v.data(), m.data(), valueType, s) != 0;
}

std::size_t GetRawValueUtf8(std::int32_t valueType, std::string_view mask, std::string_view value,
                            char* dest, std::size_t size) {
  return AnswerUtf8(MakeRawValue, true, valueType, mask, value, dest, size);
}

std::size_t GetFormattedValueUtf8(std::int32_t valueType, std::string_view mask,
                                  std::string_view value, char* dest, std::size_t size) {
  // A string passes the variant conversion unchanged for every type.
  return AnswerUtf8(MakeFormattedValue, false, valueType, mask, value, dest, size);
}

std::string GetRawValueUtf8(std::int32_t valueType, std::string_view mask, std::string_view value) {
  char out[kUtf8AnswerBytes];
  return std::string(out, GetRawValueUtf8(valueType, mask, value, out, sizeof out));
}

std::string GetFormattedValueUtf8(std::int32_t valueType, std::string_view mask,
                                  std::string_view value) {
  char out[kUtf8AnswerBytes];
  return std::string(out, GetFormattedValueUtf8(valueType, mask, value, out, sizeof out));
}

}  // namespace zorva
