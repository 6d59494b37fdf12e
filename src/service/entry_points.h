// What the three fronts of the service share (automation strings in
// entry_points_automation.cpp, UTF-8 in entry_points_utf8.cpp, prepared masks
// in entry_points_prepared.cpp): ANSI copies of their arguments, the
// currency swap, the request, the boolean shortcuts and the answer in UTF-8.
// The settings are read once per call, at the front, and passed down.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <string_view>

#include "intl/settings.h"
#include "platform/unicode.h"
#include "service/boolean.h"
#include "service/value_types.h"

namespace zorva {

// A zero-terminated ANSI copy of an argument; short texts live inline.
class AnsiText {
 public:
  AnsiText() { inline_[0] = '\0'; }
  // false when memory for a long text cannot be had.
  bool AssignUtf16(const char16_t* text, std::size_t length) noexcept { return Assign(text, length); }
  bool AssignUtf8(const char* text, std::size_t length) noexcept { return Assign(text, length); }
  bool AssignAnsi(const char* text, std::size_t length) noexcept;
  char* data() noexcept { return data_; }
  std::size_t size() const noexcept { return size_; }
  // The text was ASCII other than zero, copied as it came: also its UTF-8.
  bool ascii() const noexcept { return ascii_; }

 private:
  bool Reserve(std::size_t bytes) noexcept;
  template <class Char>  // for char16_t and char, in entry_points.cpp
  bool Assign(const Char* text, std::size_t length) noexcept;
  char inline_[512];
  std::unique_ptr<char[]> heap_;
  char* data_ = inline_;
  std::size_t size_ = 0;
  bool ascii_ = true;
};

// AssignUtf8 for the C++ functions, which throw where memory runs out.
inline void AssignOrThrow(AnsiText& text, std::string_view utf8) {
  if (!text.AssignUtf8(utf8.data(), utf8.size())) throw std::bad_alloc();
}

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

// The boolean shortcut for a formatted value, for a mask the caller knows
// to be non-empty (an empty one takes the default mask) with its first "/"
// at `slash` and the end of its false text (a second "/") at `falseEnd`,
// either `length` when there is none. An empty value, or one whose leading
// "0", "1" or "2" decides alone, is a part of the mask: false where the
// general path must answer.
template <class Char>
bool FormattedBooleanPart(const Char* mask, std::size_t length, std::size_t slash, std::size_t falseEnd,
                          std::basic_string_view<Char> value, std::basic_string_view<Char>& part) noexcept {
  if (value.empty()) {
    part = {};
    return true;
  }
  const Char first = value[0];
  if (first < Char('0') || first > Char('2')) return false;
  static constexpr Char kTwo[] = {Char('2')};
  if (slash == length) {
    part = {mask, length};  // no "/": the mask whole, whatever the state
  } else if (first == Char('2')) {
    part = {kTwo, 1};
  } else if (first == Char('1')) {
    part = {mask, slash};
  } else {
    part = {mask + slash + 1, falseEnd - slash - 1};
  }
  return true;
}
// The raw text of a boolean in a state (BooleanState's answer): the settings'
// raw mask, under 64 bytes, so never cut.
inline std::string_view RawBooleanText(int state, const IntlSettings& s) noexcept {
  return BooleanTextOf(s.sRawBooleanMask, state);
}

// An ANSI answer of `length` bytes in UTF-8 into dest of `size` bytes (cut
// at a character, terminated): its ASCII copied eight bytes at a time (it
// holds no zero; kShort: byte by byte, for a boolean's few bytes), the rest
// converted. Returns the length written.
template <bool kShort = false>
inline std::size_t AnswerToUtf8(const char* text, std::size_t length, char* dest, std::size_t size) noexcept {
  if (length >= size) return AnsiToUtf8(text, length, dest, size);  // it cuts
  std::size_t i = kShort ? 0 : CopyAsciiPrefix<true>(text, length, dest);
  for (; kShort && i < length && static_cast<unsigned char>(text[i]) < 0x80; ++i) dest[i] = text[i];
  if (i == length) {
    dest[i] = '\0';
    return i;
  }
  return i + AnsiToUtf8(text + i, length - i, dest + i, size - i);
}

}  // namespace zorva
