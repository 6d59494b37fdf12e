// An embedded zero in a converted argument would end the text early and hide
// what follows it from every check; it is treated like a character the code
// page lacks.
#pragma once

#include <cstddef>

namespace zorva {

inline void ReplaceEmbeddedNuls(char* text, std::size_t length) noexcept {
  for (std::size_t i = 0; i < length; ++i)
    if (text[i] == '\0') text[i] = '?';
}

}  // namespace zorva
