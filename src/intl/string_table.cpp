#include "intl/string_table.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// This file defines zorva::LoadString: the system's character-set macro of
// that name would rename the definition.
#undef LoadString
#endif

namespace zorva {
namespace {

constexpr StringEntry kStrings[] = {
#define ZORVA_STRING(name, id, text) {id, text},
#define ZORVA_STRING_NEXT(id, text) {id, text},
#include "intl/strings.def"
#undef ZORVA_STRING
#undef ZORVA_STRING_NEXT
};

// Whether each entry follows the one before it in a run.
constexpr bool kInRun[] = {
#define ZORVA_STRING(name, id, text) false,
#define ZORVA_STRING_NEXT(id, text) true,
#include "intl/strings.def"
#undef ZORVA_STRING
#undef ZORVA_STRING_NEXT
};

constexpr bool IsAscending() {
  for (std::size_t i = 1; i < std::size(kStrings); ++i) {
    if (kStrings[i - 1].id >= kStrings[i].id) return false;
    if (kInRun[i] && kStrings[i].id != kStrings[i - 1].id + 1) return false;
  }
  return !kInRun[0];
}
static_assert(IsAscending(),
              "strings.def must list numbers in ascending order, a run's without gaps");

}  // namespace

const char* FindString(unsigned id) noexcept {
  auto it = std::lower_bound(std::begin(kStrings), std::end(kStrings), id,
                             [](const StringEntry& e, unsigned key) { return e.id < key; });
  return it != std::end(kStrings) && it->id == id ? it->text : nullptr;
}

#ifdef _WIN32
namespace {

// The module that holds this code and its string table resource.
HINSTANCE ThisModule() noexcept {
  HMODULE module = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                         GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCSTR>(&ThisModule), &module);
  return module;
}

}  // namespace
#endif

int LoadString(unsigned id, char* dest, int size) noexcept {
  if (!dest || size <= 0) return 0;
#ifdef _WIN32
  // The resource copy of strings.def.
  int n = LoadStringA(ThisModule(), id, dest, size);
  if (n <= 0) dest[0] = '\0';
  return n > 0 ? n : 0;
#else
  const char* text = FindString(id);
  if (!text) {
    dest[0] = '\0';
    return 0;
  }
  std::size_t n = std::min(std::strlen(text), static_cast<std::size_t>(size - 1));
  std::memcpy(dest, text, n);
  dest[n] = '\0';
  return static_cast<int>(n);
#endif
}


}  // namespace zorva
