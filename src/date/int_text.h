// Decimal text <-> 32-bit integers, shared by the date and time engines.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zorva {

// Reads an optional leading sNegativeSign and the characters after it, from
// the last to the first, each taking a power of ten: a digit adds its value
// times that power, any other character adds nothing ("1x3" gives 103).
// Empty text and a lone sign give 0. Wraps as 32-bit arithmetic would for
// absurdly long runs (callers pass at most a few digits).
std::int32_t ParseSignedInt(const char* text) noexcept;
// The same over the first `length` characters of text.
std::int32_t ParseSignedInt(const char* text, std::size_t length) noexcept;

// Writes value in decimal, zero-padded on the left to at least `width`
// digits (the sign not counted), into dest of `size` bytes; the text is cut
// to size - 1 characters and always terminated. Returns the length written.
std::size_t FormatPaddedInt(char* dest, std::size_t size, std::int32_t value, int width) noexcept;

}  // namespace zorva
