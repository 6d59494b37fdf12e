// What the C functions share: counted texts in, snprintf-like answers out.
#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>

#include "zorva/zorva.h"

namespace zorva {

// False for a null pointer that claims to hold bytes.
inline bool ToView(const char* text, std::size_t length, std::string_view& view) noexcept {
  if (!text) {
    view = {};
    return length == 0 || length == ZORVA_NTS;
  }
  view = std::string_view(text, length == ZORVA_NTS ? std::strlen(text) : length);
  return true;
}

// A whole answer of `length` bytes into the caller's dest of `size`; returns
// the whole length.
inline int CopyAnswer(const char* full, std::size_t length, char* dest, std::size_t size) noexcept {
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

}  // namespace zorva
