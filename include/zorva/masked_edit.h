// The masked-edit value service: three questions about one field value,
// given a value type, a mask and the value.
//
//   IsValid            is this entered text valid?            (-1 yes, 0 no)
//   GetRawValue        what raw value is behind this text?
//   GetFormattedValue  how does this raw value look under the mask?
//
// Strings are automation strings (UTF-16 BSTRs; a null BSTR is an empty
// string). Inside, text is the ANSI code page: a character it lacks becomes
// "?", and so does an embedded NUL (in every entry point, UTF-8 overloads
// included), so that no part of a value or mask goes unchecked. An empty
// mask selects the type's default mask. Answers are newly allocated BSTRs
// that the caller frees with SysFreeString; an empty answer is an empty
// string, never null.
//
// Bounds. Values and masks of any length are taken, in time linear in their
// length, and every answer is at most 255 characters: a longer one keeps its
// first 255 (both answers for a text without a mask its first 254). The
// checks of numbers, dates and times read the first 63 characters of a mask;
// a character mask is read whole, and a value is never valid under one when
// the characters its placeholders take pass 255. A type number outside 0..17
// is treated like the unchecked types: any value is valid, both answers are
// empty. The calls may run on any number of threads at once.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "zorva/automation.h"
#include "zorva/export.h"
#include "zorva/types.h"

namespace zorva {

// A number written with a signed exponent ("1.5E+3") is never valid, for any
// number type; GetRawValue still reads it ("1500"), scaling by the double
// nearest 10^k on every platform ("1E+23" gives "99999999999999992000000.").
ZORVA_API HRESULT IsValid(std::int32_t valueType, BSTR mask, BSTR value, LONG* retVal) noexcept;
ZORVA_API HRESULT GetRawValue(std::int32_t valueType, BSTR mask, BSTR value, BSTR* retVal) noexcept;
// The value is any automation value: it is first turned into the raw text of
// the type (see the conversion matrix in the service's variant_text.h). An
// object's default property is read, also for an object passed by reference;
// when that fails its HRESULT is returned and *retVal is left as it was.
ZORVA_API HRESULT GetFormattedValue(std::int32_t valueType, BSTR mask, const VARIANT& value,
                          BSTR* retVal) noexcept;

// UTF-8 conveniences for C++ callers and tools: the same answers, with the
// value of GetFormattedValue given as a string.
ZORVA_API bool IsValidUtf8(std::int32_t valueType, std::string_view mask, std::string_view value);
ZORVA_API std::string GetRawValueUtf8(std::int32_t valueType, std::string_view mask, std::string_view value);
ZORVA_API std::string GetFormattedValueUtf8(std::int32_t valueType, std::string_view mask,
                                  std::string_view value);

// The same again into a caller's buffer, without allocating for values up to
// a few hundred characters: writes at most size - 1 bytes and a terminator,
// returns the length written.
ZORVA_API std::size_t GetRawValueUtf8(std::int32_t valueType, std::string_view mask, std::string_view value,
                            char* dest, std::size_t size);
ZORVA_API std::size_t GetFormattedValueUtf8(std::int32_t valueType, std::string_view mask,
                                  std::string_view value, char* dest, std::size_t size);

// A mask converted once, for callers that answer many values under one value
// type and mask (a stream, an import): the overloads below give the same
// answers as the ones taking the mask as text, without converting it again.
class PreparedMask {
 public:
  ZORVA_API PreparedMask(std::int32_t valueType, std::string_view mask);
  std::int32_t valueType() const noexcept { return valueType_; }
  // The mask in the internal code page.
  const std::string& text() const noexcept { return text_; }
  // What the library read from the mask once, for its own use; 0 for nothing.
  std::uint64_t shape() const noexcept { return shape_; }

 private:
  std::int32_t valueType_;
  std::string text_;
  std::uint64_t shape_ = 0;
};

ZORVA_API bool IsValidUtf8(const PreparedMask& mask, std::string_view value);
ZORVA_API std::size_t GetRawValueUtf8(const PreparedMask& mask, std::string_view value, char* dest,
                            std::size_t size);
ZORVA_API std::size_t GetFormattedValueUtf8(const PreparedMask& mask, std::string_view value, char* dest,
                                  std::size_t size);

}  // namespace zorva
