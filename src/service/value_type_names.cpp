// Value types by name, for every front that lets people write them.
#include <cstdint>
#include <string_view>

#include "zorva/types.h"

namespace zorva {
namespace {

struct Names {
  std::int32_t number;
  const char* name;      // "currency"
  const char* constant;  // "tkMECurrency"
};
constexpr Names kNames[] = {
#define ZORVA_VALUE_TYPE(number, c_name, constant, name, description) {number, name, #constant},
#include "zorva/value_types.def"
#undef ZORVA_VALUE_TYPE
};

constexpr bool NumberedInOrder() {
  for (int i = 0; i < kValueTypeCount; ++i) {
    if (kNames[i].number != i) return false;
  }
  return true;
}
static_assert(NumberedInOrder(), "value_types.def lists the types by number, from 0");

char Lower(char c) noexcept { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

bool EqualNoCase(std::string_view a, const char* b) noexcept {
  std::size_t i = 0;
  for (; i < a.size() && b[i]; ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return i == a.size() && !b[i];
}

}  // namespace

const char* ValueTypeName(std::int32_t valueType) noexcept {
  return valueType >= 0 && valueType < kValueTypeCount ? kNames[valueType].name : nullptr;
}

std::int32_t ValueTypeNamed(std::string_view word) noexcept {
  for (int i = 0; i < kValueTypeCount; ++i) {
    if (EqualNoCase(word, kNames[i].name) || EqualNoCase(word, kNames[i].constant)) return i;
  }
  if (word.empty() || word.size() > 2) return -1;
  int n = 0;
  for (char c : word) {
    if (c < '0' || c > '9') return -1;
    n = n * 10 + (c - '0');
  }
  return n < kValueTypeCount ? n : -1;
}

}  // namespace zorva
