// Automation values turned into the raw text of a value type: the text that
// the formatted-value path reads ("yyyy-mm-dd", "hh:mm:ss", plain numbers,
// "1"/"0" for booleans).
//
// Conversion codes (the first conversion code of a value type, then 1):
//   1 text, 2 long, 3 short, 4 float, 5 double, 11 byte, 13 currency (the
//   number codes), 6 date, 7 time, 8 date-time, 10 boolean, 9 binary.
//
// What each variant gives, by code group ("-" = no text, the empty answer):
//
//   variant              | text (1)       | numbers        | 6 / 7 / 8         | 10      | 9
//   ---------------------+----------------+----------------+-------------------+---------+----
//   VT_BSTR              | the string     | the string     | the string        | string  | string
//   VT_EMPTY, VT_NULL    | -              | -              | -                 | -       | -
//   integers             | plain number   | plain number   | day count (a)     | "1"/"0" | -
//   VT_R4, VT_R8         | plain number   | plain number   | day count (a)     | "1"/"0" | -
//   VT_CY, VT_DECIMAL    | plain number   | plain number   | day count (a)     | "1"/"0" | -
//   VT_DATE              | date time (b)  | day count      | date/time/both (b)| "1"/"0" | -
//   VT_BOOL              | "True"/"False" | "-1"/"0"       | -1 or 0 days (a)  | "1"/"0" | -
//   VT_DISPATCH, UNKNOWN | -              | -              | -                 | -       | -
//   VT_ERROR, arrays,    | -              | -              | -                 | -       | -
//   unknown tags         |                |                |                   |         |
//
//   Plain number: decimal digits, "-" for negatives, the settings' decimal
//   separator, no grouping, trailing fraction zeros dropped. VT_R4 is rounded
//   to 7 significant digits, VT_R8 to 15; VT_CY and VT_DECIMAL are exact. When
//   plain notation would pass 255 characters the number is written with a
//   signed exponent ("1.5E+300"). NaN and infinities give no text anywhere.
//   (a) The number is read as days since 30 December 1899, as Automation
//       converts a number to a date: true is day -1 ("1899-12-29 00:00:00"),
//       false day 0.
//   (b) "yyyy-mm-dd" for code 6, "hh:mm:ss" for 7, both joined by a blank for
//       8 and for text. A negative day count counts whole days back; its
//       fraction is still the time forward from midnight. Times round to the
//       nearest second (23:59:59.6 carries into the next day). Dates outside
//       the years 100..9999 give no text.
//   Booleans of code 10 are "1" for any non-zero number (a date included),
//   "0" for zero, as Automation converts a number to a boolean.
//   By-reference forms convert as the value they point at (a null pointer
//   gives no text); VT_VARIANT|VT_BYREF points at another variant, and a
//   chain of more than four of those is taken for a loop: no text.
//   A string keeps its text for every code, code 9 included: the dispatchers
//   write nothing for those types anyway.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "zorva/automation.h"

namespace zorva {

// Holds one automation value and converts it, in place, to the text of a
// conversion code. Objects are not read here: a holder made from an object,
// by value or by reference, has no text (VariantToRawText reads its default
// property).
class SVariant {
 public:
  SVariant() noexcept;  // empty: no text
  // Copies the value; a BSTR is converted to ANSI text at once ("?" for a
  // character the code page lacks). When memory runs out the holder is empty.
  explicit SVariant(const VARIANT& value) noexcept;
  SVariant(const SVariant&) = delete;  // the text is owned: moved, never shared
  SVariant& operator=(const SVariant&) = delete;
  SVariant(SVariant&& other) noexcept;
  SVariant& operator=(SVariant&& other) noexcept;
  ~SVariant();

  // Converts the held value to the text of the code (table above). Text
  // stays as it is; a code outside the table leaves the holder unchanged.
  // Returns 1 when the holder then has text, 0 when it has none.
  int Transmogrify(int code) noexcept;

  // The held zero-terminated ANSI text, or nullptr when the holder has no
  // text (empty, or a value not yet converted). The code is not examined.
  const char* DataPtr(int code) const noexcept;

  // Length of the text DataPtr gives, up to its first zero byte.
  std::size_t TextLength() const noexcept;

 private:
  enum class Kind : std::uint8_t { kNone, kText, kSigned, kUnsigned, kReal, kDecimal, kDate, kBool };

  void SetNone() noexcept;
  bool SetText(const char* text, std::size_t length) noexcept;
  void MoveFrom(SVariant& other) noexcept;
  void CopyScalars(const SVariant& other) noexcept;  // everything but the text
  void Load(const VARIANT& value, int depth) noexcept;

  Kind kind_ = Kind::kNone;
  std::int64_t signed_ = 0;
  std::uint64_t unsigned_ = 0;
  double real_ = 0;    // kReal, kDate
  int digits_ = 0;     // kReal: significant digits (7 or 15)
  DECIMAL decimal_{};  // kDecimal (VT_CY is held as scale 4)
  bool bool_ = false;
  std::unique_ptr<char[]> text_;  // kText
  std::size_t length_ = 0;
};

// The raw text of a value for a value type (tkME...), as the formatted-value
// path reads it:
//  - An object: VT_DISPATCH or VT_UNKNOWN, by value or with VT_BYREF, also
//    at the end of the VT_VARIANT|VT_BYREF chain above (a script host passes
//    a variable, an array element or a by-reference argument so). The
//    object is asked for IDispatch and its default property is read (member
//    0, IID_NULL, locale 0x400, DISPATCH_PROPERTYGET, no arguments); that
//    answer is converted (an object there is not read in turn). A failure of
//    the query or of the read is returned unchanged and `text` is left
//    untouched. An object pointer that is null, a null reference to one, or
//    a query that succeeds with a null pointer gives no text.
//  - Every other value converts directly (table above), with the type's first
//    conversion code and then code 1.
// On S_OK `text` holds the answer: DataPtr gives nullptr (no text) or the
// zero-terminated ANSI text.
HRESULT VariantToRawText(const VARIANT& value, std::int32_t valueType, SVariant& text) noexcept;

// VariantToRawText's answer for a number held by value (VT_I2, VT_I4,
// VT_I8, a finite VT_R8) under a type whose first conversion code is a
// number or text one, written into dest (at least kVariantTextBytes) with
// no holder: its length, or -1 for every other value.
inline constexpr std::size_t kVariantTextBytes = 320;
int PlainNumberText(const VARIANT& value, std::int32_t valueType, char* dest) noexcept;

// Building blocks of the conversion, each writing into dest of `size` bytes
// (cut to size - 1 characters, always terminated) and returning the length.
// A value without text writes the empty text and returns 0.

// A double rounded to `digits` significant digits (1..17), as a plain number.
std::size_t FormatRealText(char* dest, std::size_t size, double value, int digits) noexcept;
// A 96-bit magnitude (hi:lo) divided by 10^scale (0..28), as a plain number.
std::size_t FormatScaledText(char* dest, std::size_t size, bool negative, std::uint32_t hi,
                             std::uint64_t lo, int scale) noexcept;
// A whole number.
std::size_t FormatIntegerText(char* dest, std::size_t size, bool negative,
                              std::uint64_t magnitude) noexcept;
// A day count as "yyyy-mm-dd" (code 6), "hh:mm:ss" (code 7) or both joined
// by a blank (any other code).
std::size_t FormatDayCount(char* dest, std::size_t size, double days, int code) noexcept;

}  // namespace zorva
