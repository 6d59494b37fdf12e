// What the entry-point targets share: the arguments as automation strings
// (from UTF-8, or as raw UTF-16 code units with unpaired surrogates), the
// checks every answer must pass, and the raw formats.
#pragma once

#include <string>

#include "fuzz_input.h"
#include "platform/unicode.h"
#include "zorva/automation.h"
#include "zorva/masked_edit.h"

namespace zorva::fuzz {

class Bstr {
 public:
  Bstr(std::string_view field, bool units) {
    std::u16string wide;
    if (units) {
      wide.resize(field.size() / 2);
      std::memcpy(wide.data(), field.data(), wide.size() * 2);
    } else {
      wide.resize(field.size() + 1);
      wide.resize(Utf8ToUtf16(field.data(), field.size(), wide.data(), wide.size()));
    }
    b_ = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
  }
  ~Bstr() { SysFreeString(b_); }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  BSTR get() const { return b_; }

 private:
  BSTR b_;
};

// What IsValid and GetRawValue targets read first, in this order: the
// settings selector (bit 2: strings as raw UTF-16 units), the type, the mask
// up to a tab and the value.
struct EntryArgs {
  explicit EntryArgs(Input& in)
      : selector(in.Byte()),
        settings(SettingsFor(selector)),
        units(selector & 4),
        type(TypeNumber(in.Byte())),
        mask8(in.Field()),
        value8(in.Rest()),
        mask(mask8, units),
        value(value8, units) {}

  std::uint8_t selector;
  IntlSettingsOverride settings;
  bool units;
  std::int32_t type;
  std::string_view mask8, value8;
  Bstr mask, value;
};

// An answer: at most 255 characters, no NUL inside; as UTF-8.
inline std::string CheckedAnswer(BSTR answer) {
  FUZZ_CHECK(answer != nullptr);
  const UINT n = SysStringLen(answer);
  FUZZ_CHECK(n <= 255);
  for (UINT i = 0; i < n; ++i) FUZZ_CHECK(answer[i] != u'\0');
  std::string out(n * 3 + 1, '\0');
  out.resize(Utf16ToUtf8(answer, n, out.data(), out.size()));
  SysFreeString(answer);
  return out;
}

inline void CheckUtf8Answer(const std::string& answer) {
  FUZZ_CHECK(answer.find('\0') == std::string::npos);
  FUZZ_CHECK(answer.size() <= 255 * 3);
}

// The format of a number type's raw form, or null for other types.
inline const char* RawFormatOf(std::int32_t type) {
  switch (type) {
    case tkMECurrency: case tkMEFloat: case tkMEDouble: return "0.#";
    case tkMEByte: case tkMEShortInt: case tkMELongInt: case tkMECounter: return "0";
    default: return nullptr;
  }
}

inline std::string Raw(std::int32_t type, const char* mask, const std::string& value) {
  BSTR out = nullptr;
  FUZZ_CHECK(GetRawValue(type, Bstr(mask, false).get(), Bstr(value, false).get(), &out) == S_OK);
  return CheckedAnswer(out);
}

inline LONG Valid(std::int32_t type, const char* mask, const std::string& value) {
  LONG r = 1;
  FUZZ_CHECK(IsValid(type, Bstr(mask, false).get(), Bstr(value, false).get(), &r) == S_OK);
  return r;
}

}  // namespace zorva::fuzz
