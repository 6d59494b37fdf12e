// Text values under character masks built from the placeholders "#&A?LU".
// Every function writes at most size - 1 characters and a terminator; "?"
// takes the settings' sign characters too.
#pragma once

#include <cstddef>

namespace zorva {

struct IntlSettings;

inline constexpr char MaskPlaceholders[] = "#&A?LU";

// Checks value against mask and writes its raw characters (the value without
// the mask's literals; "_" for a placeholder left unfilled, trailing ones
// trimmed). Returns 1 when the value fills the mask exactly, else 0. A null or
// empty mask copies the value and returns 1.
int ExtractMaskedText(char* dest, std::size_t size, const char* value, const char* mask,
                      const IntlSettings& s) noexcept;

// Lays raw characters into the mask: literals as they stand, each accepted
// raw character at its placeholder, rejected ones dropped.
void ApplyTextMask(char* dest, std::size_t size, const char* raw, const char* mask,
                   const IntlSettings& s) noexcept;

// The display text of a value: ApplyTextMask, verified by extracting it back;
// when the extraction differs from the value, the mask itself with each value
// character placed at its own position. A null dest does nothing. The value
// read as raw text is bounded to `size` characters.
void FormatMaskedText(char* dest, std::size_t size, const char* value, const char* mask,
                      const IntlSettings& s) noexcept;

// What placeholder ph stores for c (case-converted for "L" and "U"), or 0
// when it does not take c: the one test every walk above makes.
char TakenBy(char ph, char c, const IntlSettings& s) noexcept;

// One character of a mask's display: a placeholder, or a literal shown as it
// stands (escaped characters and quoted runs resolved).
struct MaskCell {
  char c;
  bool placeholder;
};

// Writes the display cells of a mask into cells (at most capacity) and
// returns how many the whole mask has, like snprintf.
std::size_t LayOutMask(const char* mask, MaskCell* cells, std::size_t capacity) noexcept;

// A mask read once for many values: each of its characters classed as a
// placeholder (the step's kind is the placeholder itself), a literal or a
// character of a quoted run, escapes resolved.
struct MaskStep {
  static constexpr char kLiteral = 1, kQuoted = 2;
  char kind;
  char c;
  unsigned char digits;  // "#" steps from this one on, at most 255
};

// Writes the steps of a non-empty mask into steps (at most capacity) and
// returns how many the whole mask has, like snprintf.
std::size_t PlanMask(const char* mask, MaskStep* steps, std::size_t capacity) noexcept;

// ExtractMaskedText through a planned mask, for a value of `length` bytes
// without a zero byte (not terminated): the same raw characters and verdict.
// `written` gets the length of the terminated raw text. `size` counts the
// terminator and is never zero: the callers pass an answer's whole room.
int ExtractPlanned(char* dest, std::size_t size, const char* value, std::size_t length,
                   const MaskStep* steps, std::size_t count, const IntlSettings& s,
                   std::size_t& written) noexcept;

// A value of `count` units in the very form a mask of digit placeholders
// and ASCII literals shows ("(206) 555-1234"), each literal in its place
// and a digit at each placeholder: ExtractPlanned's answer, 1, with its
// digits written into dest (at least count + 1 units), terminated; their
// count, or -1 where ExtractPlanned must read the value. A UTF-16 value is
// read as its units, which for these characters are their own code.
template <class Unit>
int ExtractAsShown(Unit* dest, const Unit* value, const MaskStep* steps, std::size_t count) noexcept;

// FormatMaskedText through a planned mask, for a raw value of `length` bytes
// (at least one, none of them zero; not terminated) into `size` bytes (at
// most kPlannedFormatBytes): the length of the terminated text, or -1 where
// the text the mask shows does not read back as the value, and
// FormatMaskedText must answer.
inline constexpr std::size_t kPlannedFormatBytes = 256;
int FormatPlanned(char* dest, std::size_t size, const char* value, std::size_t length, const MaskStep* steps,
                  std::size_t count, const IntlSettings& s) noexcept;

}  // namespace zorva
