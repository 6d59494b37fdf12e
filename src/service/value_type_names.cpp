// Value types by name, for every front that lets people write them.
#include <cstdint>
#include <string_view>

#include "zorva/types.h"

namespace zorva {
namespace {

constexpr const char* kTypeNames[kValueTypeCount] = {
    "text", "currency", "date", "time", "memo", "byte", "shortint", "longint", "boolean",
    "counter", "float", "double", "oleobject", "binary", "url", "image", "datetime", "timestamp",
};
constexpr const char* kConstantNames[kValueTypeCount] = {
    "tkMEText", "tkMECurrency", "tkMEDate", "tkMETime", "tkMEMemo", "tkMEByte",
    "tkMEShortInt", "tkMELongInt", "tkMEBoolean", "tkMECounter", "tkMEFloat", "tkMEDouble",
    "tkMEOleObject", "tkMEBinary", "tkMEURL", "tkMEImage", "tkMEDateTime", "tkMETimeStamp",
};

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
  return valueType >= 0 && valueType < kValueTypeCount ? kTypeNames[valueType] : nullptr;
}

std::int32_t ValueTypeNamed(std::string_view word) noexcept {
  for (int i = 0; i < kValueTypeCount; ++i) {
    if (EqualNoCase(word, kTypeNames[i]) || EqualNoCase(word, kConstantNames[i])) return i;
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
