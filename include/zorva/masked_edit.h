// The masked-edit value service: three questions about one field value,
// given a value type, a mask and the value.
//
//   IsValid            is this entered text valid?            (-1 yes, 0 no)
//   GetRawValue        what raw value is behind this text?
//   GetFormattedValue  how does this raw value look under the mask?
//
// Strings are automation strings (UTF-16 BSTRs; a null BSTR is an empty
// string). Inside, text is the ANSI code page: a character it lacks becomes
// "?". An empty mask selects the type's default mask. Answers are newly
// allocated BSTRs that the caller frees with SysFreeString; an empty answer
// is an empty string, never null.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "zorva/automation.h"
#include "zorva/types.h"

namespace zorva {

HRESULT IsValid(std::int32_t valueType, BSTR mask, BSTR value, LONG* retVal) noexcept;
HRESULT GetRawValue(std::int32_t valueType, BSTR mask, BSTR value, BSTR* retVal) noexcept;
// The value is any automation value: it is first turned into the raw text of
// the type (see the conversion matrix in the service's variant_text.h). An
// object's default property is read; when that fails its HRESULT is returned
// and *retVal is left as it was.
HRESULT GetFormattedValue(std::int32_t valueType, BSTR mask, const VARIANT& value,
                          BSTR* retVal) noexcept;

// UTF-8 conveniences for C++ callers and tools: the same answers, with the
// value of GetFormattedValue given as a string.
bool IsValidUtf8(std::int32_t valueType, std::string_view mask, std::string_view value);
std::string GetRawValueUtf8(std::int32_t valueType, std::string_view mask, std::string_view value);
std::string GetFormattedValueUtf8(std::int32_t valueType, std::string_view mask,
                                  std::string_view value);

// The same again into a caller's buffer, without allocating for values up to
// a few hundred characters: writes at most size - 1 bytes and a terminator,
// returns the length written.
std::size_t GetRawValueUtf8(std::int32_t valueType, std::string_view mask, std::string_view value,
                            char* dest, std::size_t size);
std::size_t GetFormattedValueUtf8(std::int32_t valueType, std::string_view mask,
                                  std::string_view value, char* dest, std::size_t size);

// A mask converted once, for callers that answer many values under one value
// type and mask (a stream, an import): the overloads below give the same
// answers as the ones taking the mask as text, without converting it again.
class PreparedMask {
 public:
  PreparedMask(std::int32_t valueType, std::string_view mask);
  std::int32_t valueType() const noexcept { return valueType_; }
  // The mask in the internal code page.
  const std::string& text() const noexcept { return text_; }

 private:
  std::int32_t valueType_;
  std::string text_;
};

bool IsValidUtf8(const PreparedMask& mask, std::string_view value);
std::size_t GetRawValueUtf8(const PreparedMask& mask, std::string_view value, char* dest,
                            std::size_t size);
std::size_t GetFormattedValueUtf8(const PreparedMask& mask, std::string_view value, char* dest,
                                  std::size_t size);

}  // namespace zorva
