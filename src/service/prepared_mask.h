// What a PreparedMask holds, and its answers for callers that can say more
// about the value than a string_view does: a database whose text is
// zero-terminated where it lies lets the number reader read it in place.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "service/prepared_number.h"
#include "zorva/masked_edit.h"

namespace zorva {

namespace detail {
struct Preparation {
  std::string text;         // the mask in the code page
  std::size_t slash = 0, falseEnd = 0;  // a boolean mask's first "/" and the end of its false text
  std::uint64_t shape = 0;  // a whole-number mask of one run ("#,##0") as WholeMaskKey's key
  PreparedNumber number;    // a number type's mask read once, when it can be
};
}  // namespace detail

// The prepared answers; `terminated`: a zero byte follows the value. Throw
// std::bad_alloc as the public ones do.
bool PreparedValid(const PreparedMask& mask, std::string_view value, bool terminated);
std::size_t PreparedRaw(const PreparedMask& mask, std::string_view value, bool terminated, char* dest,
                        std::size_t size);

// The usual raw value of a prepared number type, for a zero-terminated value
// and a dest of at least 256 bytes: its length, or -1 where PreparedRaw must
// answer. Inline, for the databases' row loops.
inline std::ptrdiff_t QuickPreparedRaw(const PreparedMask& mask, std::string_view value, char* dest,
                                       std::size_t size) noexcept {
  return PreparedRawValue(mask.state().number, value.data(), value.size(), dest, size);
}

}  // namespace zorva
