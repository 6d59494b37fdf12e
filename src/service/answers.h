// Each value type's three answers, as the dispatch (dispatch.cpp) calls
// them: the value is never empty, the mask is the effective one (never null),
// and a writer's answer is already terminated empty. `bytes` is the size of
// the answer buffer. A writer returns 1, the question's own answer, so that
// the dispatch's call to it is its last.
#pragma once

#include <cstddef>

#include "intl/settings.h"
#include "service/value_types.h"

namespace zorva {

using ValidAnswer = int (*)(const char* value, const char* mask, EditType e,
                            const IntlSettings& s) noexcept;
using TextAnswer = int (*)(char* answer, std::size_t bytes, const char* value, const char* mask,
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
int RawText(char*, std::size_t, const char*, const char*, const FormatRequest&,
            const IntlSettings&) noexcept;
int RawNumber(char*, std::size_t, const char*, const char*, const FormatRequest&,
              const IntlSettings&) noexcept;
int RawDate(char*, std::size_t, const char*, const char*, const FormatRequest&,
            const IntlSettings&) noexcept;
int RawTime(char*, std::size_t, const char*, const char*, const FormatRequest&,
            const IntlSettings&) noexcept;
int RawBoolean(char*, std::size_t, const char*, const char*, const FormatRequest&,
               const IntlSettings&) noexcept;
int RawDateTime(char*, std::size_t, const char*, const char*, const FormatRequest&,
                const IntlSettings&) noexcept;

// formatted_value.cpp
int FormattedText(char*, std::size_t, const char*, const char*, const FormatRequest&,
                  const IntlSettings&) noexcept;
int FormattedNumber(char*, std::size_t, const char*, const char*, const FormatRequest&,
                    const IntlSettings&) noexcept;
int FormattedWhole(char*, std::size_t, const char*, const char*, const FormatRequest&,
                   const IntlSettings&) noexcept;
int FormattedDate(char*, std::size_t, const char*, const char*, const FormatRequest&,
                  const IntlSettings&) noexcept;
int FormattedTime(char*, std::size_t, const char*, const char*, const FormatRequest&,
                  const IntlSettings&) noexcept;
int FormattedBoolean(char*, std::size_t, const char*, const char*, const FormatRequest&,
                     const IntlSettings&) noexcept;
int FormattedDateTime(char*, std::size_t, const char*, const char*, const FormatRequest&,
                      const IntlSettings&) noexcept;

}  // namespace zorva
