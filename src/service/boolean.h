// Boolean values as the words of a mask such as "Yes/No": the true text
// before the first "/", the false text after it. States: 0 false, 1 true,
// 2 a third state, always written as "2".
#pragma once

#include <cstddef>
#include <string_view>

#include "platform/codepage.h"

namespace zorva {

// Reads a value text with a mask. A leading "1", "0" or "2" decides alone;
// otherwise the first position where exactly one of the two texts matches
// (case ignored) decides, and a value matching neither reads as false. A null
// value or mask reads like an empty one.
int BooleanState(const char* value, const char* mask) noexcept;

// BooleanState for a value of `length` bytes, none of them zero, and a mask
// already upper-cased (CrtToUpper) with its first "/" at `slash` (the
// mask's length when it has none): each mask character is upper-cased
// once for many values, not once for each of them. Inline: a stream
// reads one value per call.
inline int BooleanStateUpper(const char* value, std::size_t length, std::string_view upperMask,
                             std::size_t slash) noexcept {
  if (length > 0) {
    if (value[0] == '1') return 1;
    if (value[0] == '0') return 0;
    if (value[0] == '2') return 2;
  }
  const std::size_t end = upperMask.size();
  if (slash >= end) return 0;
  std::size_t t = 0, f = slash + 1;
  for (std::size_t v = 0; v < length; ++v) {
    const char c = CrtToUpper(value[v]);
    const char tc = t < slash ? upperMask[t] : '\0';
    const char fc = f < end ? upperMask[f] : '\0';
    if (c == tc && c != fc) return 1;
    if (c == fc && c != tc) return 0;
    t += t < slash;
    f += f < end;
  }
  return 0;
}

// Writes the text of a state into dest of `size` bytes, cut to size - 1
// characters and terminated. A mask without "/" is written whole; otherwise
// state 1 writes the true text, 2 writes "2", any other the false text (up to
// a second "/"). Returns the length written.
std::size_t BooleanText(char* dest, std::size_t size, const char* mask, int state) noexcept;
// The same text uncut: a part of the mask, or "2".
std::string_view BooleanTextOf(const char* mask, int state) noexcept;

// Reads the value with the source mask (an empty or null value, or a null
// source mask, reads as false) and writes it with the target mask.
std::size_t ConvertBoolean(char* dest, std::size_t size, const char* value,
                           const char* sourceMask, const char* targetMask) noexcept;

// The same reading and writing on UTF-16 texts whose ANSI form is known
// without converting them: a mask that is ASCII other than zero throughout
// has its "/" where the ANSI mask has them, whatever the code page.
struct AsciiBooleanMask {
  const char16_t* units;
  std::size_t length;
  std::size_t slash;     // the first "/", or length
  std::size_t falseEnd;  // the end of the false text: a second "/", or length
};
// false when the mask is not such ASCII.
bool ReadAsciiBooleanMask(const char16_t* mask, std::size_t length, AsciiBooleanMask& out) noexcept;
// BooleanState's answer for the value, or -1 where it would read a value
// unit that is not ASCII other than zero.
int BooleanState(const char16_t* value, std::size_t length, const AsciiBooleanMask& mask) noexcept;

}  // namespace zorva
