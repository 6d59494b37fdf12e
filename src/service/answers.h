// Each value type's three answers, as the dispatch (dispatch.cpp) calls
// them: the value is never empty, the mask is the effective one (never null),
// and a writer's answer is already terminated empty. `bytes` is the size of
// the answer buffer.
#pragma once

#include <cstddef>

#include "intl/settings.h"
#include "service/value_types.h"

namespace zorva {

using ValidAnswer = int (*)(const char* value, const char* mask, EditType e,
                            const IntlSettings& s) noexcept;
using TextAnswer = void (*)(char* answer, std::size_t bytes, const char* value, const char* mask,
                            const FormatRequest& request, const IntlSettings& s) noexcept;

struct TypeAnswers {
  ValidAnswer valid;
  TextAnswer raw;
  TextAnswer formatted;
};

// validate.cpp
int ValidText(const char* value, const char* mask, EditType, const IntlSettings& s) noexcept;
int ValidNumber(const char* value, const char* mask, EditType e, const IntlSettings& s) noexcept;
int ValidDate(const char* value, const char* mask, EditType, const IntlSettings& s) noexcept;
int ValidTime(const char* value, const char* mask, EditType, const IntlSettings& s) noexcept;
int ValidBoolean(const char* value, const char* mask, EditType, const IntlSettings& s) noexcept;
int ValidDateTime(const char* value, const char* mask, EditType, const IntlSettings& s) noexcept;

// raw_value.cpp
void RawText(char*, std::size_t, const char*, const char*, const FormatRequest&,
             const IntlSettings&) noexcept;
void RawNumber(char*, std::size_t, const char*, const char*, const FormatRequest&,
               const IntlSettings&) noexcept;
void RawDate(char*, std::size_t, const char*, const char*, const FormatRequest&,
             const IntlSettings&) noexcept;
void RawTime(char*, std::size_t, const char*, const char*, const FormatRequest&,
             const IntlSettings&) noexcept;
void RawBoolean(char*, std::size_t, const char*, const char*, const FormatRequest&,
                const IntlSettings&) noexcept;
void RawDateTime(char*, std::size_t, const char*, const char*, const FormatRequest&,
                 const IntlSettings&) noexcept;

// formatted_value.cpp
void FormattedText(char*, std::size_t, const char*, const char*, const FormatRequest&,
                   const IntlSettings&) noexcept;
void FormattedNumber(char*, std::size_t, const char*, const char*, const FormatRequest&,
                     const IntlSettings&) noexcept;
void FormattedDate(char*, std::size_t, const char*, const char*, const FormatRequest&,
                   const IntlSettings&) noexcept;
void FormattedTime(char*, std::size_t, const char*, const char*, const FormatRequest&,
                   const IntlSettings&) noexcept;
void FormattedBoolean(char*, std::size_t, const char*, const char*, const FormatRequest&,
                      const IntlSettings&) noexcept;
void FormattedDateTime(char*, std::size_t, const char*, const char*, const FormatRequest&,
                       const IntlSettings&) noexcept;

}  // namespace zorva
