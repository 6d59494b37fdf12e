// What the fuzz targets share: reading an input (a few bytes, then fields
// split by tabs), the settings, automation strings, and failing loudly when a
// property does not hold.
#pragma once

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>

#include "intl/settings.h"
#include "platform/unicode.h"
#include "zorva/automation.h"
#include "zorva/masked_edit.h"
#include "zorva/zorva.h"

namespace zorva::fuzz {

#define FUZZ_CHECK(cond) \
  ((cond) ? void() : (std::fprintf(stderr, "property failed: %s (%s:%d)\n", #cond, __FILE__, __LINE__), std::abort()))

class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : rest_(reinterpret_cast<const char*>(data), size) {}
  std::uint8_t Byte() {
    return rest_.empty() ? 0 : (rest_.remove_prefix(1), static_cast<std::uint8_t>(rest_.data()[-1]));
  }
  // The text up to the next tab (the whole rest for the last field).
  std::string_view Field() {
    const std::string_view f = rest_.substr(0, rest_.find('\t'));
    return rest_.remove_prefix(std::min(rest_.size(), f.size() + 1)), f;
  }
  std::string_view Rest() const { return rest_; }

 private:
  std::string_view rest_;
};

// The user's currency symbol: dollar, the euro byte, several characters, none.
inline const IntlSettings& SettingsFor(std::uint8_t selector) {
  static const IntlSettings kSettings[] = {
      LoadIntlSettings(MakeSystemLocale("en", "$")),
      LoadIntlSettings(MakeSystemLocale("en", "\x80")),
      LoadIntlSettings(MakeSystemLocale("de", "SFr")),
      LoadIntlSettings(MakeSystemLocale("", "")),
  };
  return kSettings[selector % 4];
}

// Type numbers: 0..17 as they are, others stand for types outside the range.
inline std::int32_t TypeNumber(std::uint8_t b) {
  static constexpr std::int32_t kOutside[] = {-1, 18, 19, 100, INT32_MIN, INT32_MAX, -100, 255};
  return b < 18 ? b : kOutside[b % 8];
}

// An automation string from UTF-8, or from raw UTF-16 code units (unpaired
// surrogates included), freed with its holder.
using Bstr = std::unique_ptr<std::remove_pointer_t<BSTR>, decltype(&SysFreeString)>;
inline Bstr MakeBstr(std::string_view field, bool units) {
  std::u16string wide(units ? field.size() / 2 : field.size() + 1, u'\0');
  if (units)
    std::memcpy(wide.data(), field.data(), wide.size() * 2);
  else
    wide.resize(Utf8ToUtf16(field.data(), field.size(), wide.data(), wide.size()));
  return Bstr(SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size())), &SysFreeString);
}

// An automation answer: at most 255 characters, no NUL inside; as UTF-8.
inline std::string Checked(BSTR answer) {
  FUZZ_CHECK(answer != nullptr);
  const UINT n = SysStringLen(answer);
  FUZZ_CHECK(n <= 255);
  for (UINT i = 0; i < n; ++i) FUZZ_CHECK(answer[i] != u'\0');
  std::string out(n * 3 + 1, '\0');
  out.resize(Utf16ToUtf8(answer, n, out.data(), out.size()));
  SysFreeString(answer);
  return out;
}

}  // namespace zorva::fuzz
