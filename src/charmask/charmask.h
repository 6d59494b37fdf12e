// Text values under character masks built from the placeholders "#&A?LU".
// Every function writes at most size - 1 characters and a terminator.
#pragma once

#include <cstddef>

namespace zorva {

inline constexpr char MaskPlaceholders[] = "#&A?LU";

// Checks value against mask and writes its raw characters (the value without
// the mask's literals; "_" for a placeholder left unfilled, trailing ones
// trimmed). Returns 1 when the value fills the mask exactly, else 0. A null or
// empty mask copies the value and returns 1.
int ExtractMaskedText(char* dest, const char* value, const char* mask, std::size_t size) noexcept;

// Lays raw characters into the mask: literals as they stand, each accepted
// raw character at its placeholder, rejected ones dropped.
void ApplyTextMask(char* dest, const char* raw, const char* mask, std::size_t size) noexcept;

// The display text of a value: ApplyTextMask, verified by extracting it back;
// when the extraction differs from the value, the mask itself with each value
// character placed at its own position. A null dest does nothing. The value
// read as raw text is bounded to `size` characters.
void FormatMaskedText(char* dest, const char* value, const char* mask, std::size_t size) noexcept;

// Writes c into dest[position] when the mask's placeholder at that position
// (counted without backslashes and quotes) takes it; "_" and space mark an
// empty placeholder. dest holds `size` bytes: positions at or past size - 1
// are not written.
void PlaceMaskChar(char* dest, std::size_t size, const char* mask, char c, int position) noexcept;

// The mask index of a position counted without backslashes and quotes.
int MaskIndexOf(const char* mask, int position) noexcept;

}  // namespace zorva
