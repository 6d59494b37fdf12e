// The C interface: counted UTF-8 in, the caller's buffer out, and no
// exception ever crosses into C.
#include "zorva/zorva.h"

#include <cstring>
#include <exception>
#include <string_view>

#include "zorva/masked_edit.h"

namespace {

// False for a null pointer that claims to hold bytes.
bool ToView(const char* text, std::size_t length, std::string_view& view) {
  if (!text) {
    view = {};
    return length == 0 || length == ZORVA_NTS;
  }
  view = std::string_view(text, length == ZORVA_NTS ? std::strlen(text) : length);
  return true;
}

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
  if (size) {
    std::size_t n = length < size ? length : size - 1;
    // A cut answer ends before the character that does not fit whole: no
    // UTF-8 continuation byte may start what is left out.
    while (n > 0 && n < length && (static_cast<unsigned char>(full[n]) & 0xC0) == 0x80) --n;
    std::memcpy(dest, full, n);
    dest[n] = '\0';
  }
  return static_cast<int>(length);
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
