// How long an answer can be, written once. The dispatchers build every
// answer in the code page, at most kAnswerChars characters and a terminator
// (kAnswerBytes). A code-page character is one UTF-16 unit and at most 3
// bytes of UTF-8 (every code page lies in the Basic Multilingual Plane), so
// the UTF-8 answer is at most kAnswerChars * 3 bytes: the public
// ZORVA_MAX_ANSWER.
#pragma once

#include <cstddef>

#include "zorva/zorva.h"

namespace zorva {

inline constexpr std::size_t kAnswerChars = 255;
inline constexpr std::size_t kAnswerBytes = kAnswerChars + 1;
inline constexpr std::size_t kUtf8AnswerBytes = kAnswerChars * 3 + 1;
static_assert(kUtf8AnswerBytes == ZORVA_MAX_ANSWER + 1, "the public bound is the derived one");

}  // namespace zorva
