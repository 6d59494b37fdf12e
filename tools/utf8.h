// The service takes UTF-8; a CSV field that is not is reported, not answered.
#pragma once

#include <string_view>

namespace zmask {

// Well-formed UTF-8: no stray or overlong sequences, no surrogates, nothing
// past U+10FFFF.
bool IsWellFormedUtf8(std::string_view s);

}  // namespace zmask
