// Numbers under spreadsheet-style format strings ("#,##0.00;(#,##0.00)"):
// choosing a section, reading a number text against a format, and rendering
// parsed parts through a format. All functions are pure over caller-owned,
// zero-terminated ANSI buffers; every written text is cut to its
// destination's size - 1 characters and terminated (nothing is written when
// the size is 0). The sign and parenthesis characters come from the settings
// passed last; separators and the currency symbol come from the request. A
// null text or format reads as "".
#pragma once

#include <cstddef>
#include <cstdint>

namespace zorva {

struct IntlSettings;

// A numeric format with the characters it is read or rendered with.
struct NumberRequest {
  const char* format = nullptr;          // the mask, one section or two
  const char* currencySymbol = nullptr;  // may lead or trail a parsed text
  char decimalSep = 0;                   // 0: none
  char thousandSep = 0;                  // 0: none
};

// A parsed number: (integerPart + fraction), negated when `negative`.
struct NumberParts {
  double integerPart = 0;  // never negative
  double fraction = 0;     // in [0, 1) except after an exponent
  int negative = 0;
  int noDigits = 0;  // the text held no digit
  // The fraction's digits as read, when there were at most 15 and nothing
  // rounded them: while `fraction` is still the value read from them, its
  // 15-place text is exactly these digits, so rendering need not convert the
  // double back.
  double readFraction = -1;
  int readDigitCount = 0;
  char readDigits[15] = {};
};

// Read a text with one format, write it with another.
struct NumberConversion {
  const char* fromFormat = nullptr;
  const char* toFormat = nullptr;
  char parseDecimalSep = 0;
  char outDecimalSep = 0;
  char parseThousandSep = 0;
  char outThousandSep = 0;
  const char* currencySymbol = nullptr;
};

// --- Format strings -------------------------------------------------------

// Writes the section of `format` that renders a number of that sign, spaces
// trimmed; a one-section format gets sNegativeSign in front for negative
// numbers. Returns the length written.
std::size_t SelectSection(char* dest, std::size_t size, const char* format, int negative,
                          const IntlSettings& s) noexcept;

// Decimal places the format's first section allows; -1 for no limit.
int AllowedDecimals(const char* format, char decimalSep) noexcept;

// --- Parsing ----------------------------------------------------------------

// Reads `text` against the request; fills `parts` in every case and returns
// 1 when the text is well-formed for the format, 0 when not. A signed
// exponent with digits ("1.5E+3") scales the parts but makes the text
// ill-formed.
int ParseNumber(const char* text, const NumberRequest& request, NumberParts& parts,
                const IntlSettings& s) noexcept;

// `value` rounded half up at `places` decimals, by repeated multiplications
// by 10 and 0.1 (places <= 0: unchanged).
double RoundToPlaces(double value, int places) noexcept;

// The value of the digits "0"-"9" in the text, anything else skipped
// ("1,234,567" gives 1234567). Up to 15 digits are exact; a longer run gives
// the double nearest to its decimal value, +infinity beyond the double range.
double DigitsToDouble(const char* text, std::size_t length) noexcept;

// 1 when the number text has more significant digits than `limit`.
int TooManyDigits(const char* text, int limit, char decimalSep) noexcept;

// --- Formatting ---------------------------------------------------------------

// Renders `parts` through request.format (one section, or a two-section
// format whose second section is used for negative parts). Returns 1.
int FormatNumber(char* dest, std::size_t size, const NumberRequest& request,
                 const NumberParts& parts) noexcept;

// Renders `parts` through the section of `format` for their sign, without
// grouping: what SelectSection into a 64-byte buffer and FormatNumber with
// that section give. The raw formats ("0", "0.#") take a direct path.
// Returns 1.
int FormatRawNumber(char* dest, std::size_t size, const char* format, char decimalSep,
                    const NumberParts& parts, const IntlSettings& s) noexcept;

// Parses `text` with fromFormat and renders it with the section of toFormat
// for its sign; a null text or fromFormat renders the no-digits shape.
// Returns 1.
int ConvertNumber(char* dest, std::size_t size, const char* text,
                  const NumberConversion& conversion, const IntlSettings& s) noexcept;

// --- Whole numbers, directly -----------------------------------------------

// A format that is one run of "0", "#" and thousands separators ("#,##0"),
// read once for the separators it is rendered with: a key for
// ConvertRawWhole, 0 for any other format.
std::uint64_t WholeRunKey(const char* format, char decimalSep, char thousandSep) noexcept;

// What ConvertNumber writes for a raw whole number ("-1234": the sign and 1
// to 15 digits, `length` bytes, not terminated) rendered with the format
// behind `key`, without reading it as a double: the length written, or -1,
// with nothing written, when the text, the key or the settings are not of
// that shape or the answer does not fit in size - 1 characters.
int ConvertRawWhole(char* dest, std::size_t size, const char* text, std::size_t length,
                    const NumberConversion& conversion, std::uint64_t key,
                    const IntlSettings& s) noexcept;

// What ConvertNumber writes for a raw whole number (zero-terminated) read
// as the whole types read it (the settings' raw whole format and
// separators) and shown with `format`, the separators and the symbol, for
// a format that is one run ("#,##0"): the run and the value are each read
// once, as ConvertRawWhole does with its key. `size` at least
// kWholeTextBytes. The length written, or -1, with nothing written, where
// ConvertNumber must answer.
inline constexpr std::size_t kWholeTextBytes = 96;
int ConvertWholeText(char* dest, std::size_t size, const char* text, const char* format, char decimalSep,
                     char thousandSep, const char* currencySymbol, const IntlSettings& s) noexcept;

// --- Decimals fitted to a mask, directly -----------------------------------

// What ConvertNumber writes for a raw decimal text ("-1234.5678": the sign,
// 1 to 15 digits, optionally a point and up to 15 digits; zero-terminated
// at text[length]) once its fraction is fitted to `places` fixed decimals:
// padded with zeros when it has fewer digits (but at least one), or rounded
// half up to them, as reading it against the format "0.00;-0.00" with that
// many zeros rounds, when it has more. Read in one pass: 1, or -1, with
// nothing written, when the text or the settings are not of that shape.
int ConvertFittedDecimal(char* dest, std::size_t size, const char* text, std::size_t length,
                         const NumberConversion& conversion, int places,
                         const IntlSettings& s) noexcept;

// Whether ConvertFittedDecimal rounds every such text with more than `places`
// decimals (and at most 15 digits on either side of the point) to them.
bool RoundsFittedDecimals(const NumberConversion& conversion, int places, const IntlSettings& s) noexcept;

}  // namespace zorva
