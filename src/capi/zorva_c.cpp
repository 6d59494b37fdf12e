// The C interface: counted UTF-8 in, the caller's buffer out, and no
// exception ever crosses into C.
#include "zorva/zorva.h"

#include <cstring>
#include <exception>
#include <string_view>

#include "capi/c_answers.h"
#include "zorva/masked_edit.h"

namespace {

using zorva::CopyAnswer;
using zorva::ToView;

using AnswerFunction = std::size_t (*)(std::int32_t, std::string_view, std::string_view, char*,
                                       std::size_t);

int Answer(AnswerFunction answer, int type, const char* mask, std::size_t maskLength,
           const char* value, std::size_t valueLength, char* dest, std::size_t size) noexcept {
  std::string_view m, v;
  if (!ToView(mask, maskLength, m) || !ToView(value, valueLength, v) || (!dest && size)) return -1;
  char full[ZORVA_MAX_ANSWER + 1];
  std::size_t length;
  try {
    length = answer(type, m, v, full, sizeof full);
  } catch (...) {  // memory for a long argument
    if (size) dest[0] = '\0';
    return -1;
  }
  return CopyAnswer(full, length, dest, size);
}

}  // namespace

extern "C" {

int zorva_is_valid(int value_type, const char* mask, size_t mask_length, const char* value,
                   size_t value_length) {
  std::string_view m, v;
  if (!ToView(mask, mask_length, m) || !ToView(value, value_length, v)) return -1;
  try {
    return zorva::IsValidUtf8(value_type, m, v) ? 1 : 0;
  } catch (...) {
    return -1;
  }
}

int zorva_raw_value(int value_type, const char* mask, size_t mask_length, const char* value,
                    size_t value_length, char* dest, size_t size) {
  return Answer(zorva::GetRawValueUtf8, value_type, mask, mask_length, value, value_length, dest,
                size);
}

int zorva_formatted_value(int value_type, const char* mask, size_t mask_length, const char* value,
                          size_t value_length, char* dest, size_t size) {
  return Answer(zorva::GetFormattedValueUtf8, value_type, mask, mask_length, value, value_length,
                dest, size);
}

int zorva_value_type_named(const char* name, size_t nameLength) {
  std::string_view n;
  return ToView(name, nameLength, n) ? zorva::ValueTypeNamed(n) : -1;
}

const char* zorva_version(void) { return ZORVA_VERSION; }

}  // extern "C"
