// What the three fronts of the service share (automation strings in
// entry_points_automation.cpp, UTF-8 in entry_points_utf8.cpp, prepared masks
// in entry_points_prepared.cpp): ANSI copies of their arguments, the
// currency swap, the request, the boolean shortcuts and the answer in UTF-8.
// The settings are read once per call, at the front, and passed down.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "intl/settings.h"
#include "service/value_types.h"

namespace zorva {

// A zero-terminated ANSI copy of an argument; short texts live inline.
class AnsiText {
 public:
  AnsiText() { inline_[0] = '\0'; }
  // false when memory for a long text cannot be had.
  bool AssignUtf16(const char16_t* text, std::size_t length) noexcept;
  bool AssignUtf8(const char* text, std::size_t length) noexcept;
  bool AssignAnsi(const char* text, std::size_t length) noexcept;
  char* data() noexcept { return data_; }

 private:
  bool Reserve(std::size_t bytes) noexcept;
  template <class Char>
  bool Assign(const Char* text, std::size_t length) noexcept;
  char inline_[512];
  std::unique_ptr<char[]> heap_;
  char* data_ = inline_;
};

// AssignUtf8 for the C++ functions, which throw where memory runs out.
void AssignOrThrow(AnsiText& text, std::string_view utf8);

// Whether the currency swap applies: the system symbol differs from the mask
// currency, the type is Currency and the system symbol starts with the euro
// byte.
bool ShouldSwapCurrency(std::int32_t valueType, const IntlSettings& s) noexcept;
// Replaces every occurrence of sCurrency's first character by the first byte
// of sSystemCurrency, removing the sCurrency characters after it.
void SwapCurrencySymbol(char* text, const IntlSettings& s) noexcept;

// The request of the raw and formatted dispatchers for a type and ANSI mask.
inline FormatRequest RequestFor(std::int32_t valueType, const char* mask, const IntlSettings& s) noexcept {
  return FormatRequest{EditTypeOf(valueType), s.sMonThousandSep, s.sDecimal, mask, s.sSystemCurrency};
}

// The boolean shortcuts, for a mask the caller knows to be non-empty (an
// empty one takes the default mask). A formatted value that is empty or
// whose leading "0", "1" or "2" decides alone is a part of the mask:
// false where the general path must answer.
template <class Char>
bool FormattedBooleanPart(std::basic_string_view<Char> mask, std::basic_string_view<Char> value,
                          std::basic_string_view<Char>& part) noexcept {
  if (value.empty()) {
    part = {};
    return true;
  }
  if (value[0] < Char('0') || value[0] > Char('2')) return false;
  const std::size_t slash = mask.find(Char('/'));
  if (slash == mask.npos) {
    part = mask;  // no "/": the mask whole, whatever the state
  } else if (value[0] == Char('2')) {
    static constexpr Char kTwo[] = {Char('2')};
    part = {kTwo, 1};
  } else if (value[0] == Char('1')) {
    part = mask.substr(0, slash);
  } else {
    const std::size_t end = mask.find(Char('/'), slash + 1);
    part = mask.substr(slash + 1, end == mask.npos ? mask.npos : end - slash - 1);
  }
  return true;
}
// The raw text of a boolean in a state (BooleanState's answer): the settings'
// raw mask, under 64 bytes, so never cut.
std::string_view RawBooleanText(int state, const IntlSettings& s) noexcept;

// An ANSI answer of `length` bytes in UTF-8 into dest of `size` bytes (cut
// at a character, terminated): its ASCII copied eight bytes at a time, the
// rest converted. Returns the length written.
std::size_t AnswerToUtf8(const char* text, std::size_t length, char* dest, std::size_t size) noexcept;

}  // namespace zorva
