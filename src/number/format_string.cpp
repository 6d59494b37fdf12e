// Reading a numeric format string: which section renders a sign, which
// character marks a negative number, and how many decimals it allows.
#include <cstring>

#include "intl/settings.h"
#include "number/number.h"
#include "number/number_internal.h"

namespace zorva {
namespace number_detail {

FormatView SectionOf(const char* format, int negative, const IntlSettings& s) noexcept {
  if (!format) format = "";
  FormatView view;
  const char* semicolon = std::strchr(format, ';');
  if (semicolon && negative) {
    // The negative section keeps its trailing spaces; the spaces after its
    // first character go, so "; - #,##0" reads "-#,##0".
    const char* p = semicolon + 1;
    while (*p == ' ') ++p;
    if (!*p) return view;
    view.lead = *p++;
    while (*p == ' ') ++p;
    view.body = p;
    view.bodyLength = std::strlen(p);
    return view;
  }
  const char* begin = format;
  const char* end = semicolon ? semicolon : format + std::strlen(format);
  while (begin < end && *begin == ' ') ++begin;
  while (end > begin && end[-1] == ' ') --end;
  view.body = begin;
  view.bodyLength = static_cast<std::size_t>(end - begin);
  // One section serves both signs: a negative number gets the sign in front.
  if (!semicolon && negative) view.lead = s.sNegativeSign;
  return view;
}

}  // namespace number_detail

std::size_t SelectSection(char* dest, std::size_t size, const char* format, int negative,
                          const IntlSettings& s) noexcept {
  const number_detail::FormatView view = number_detail::SectionOf(format, negative, s);
  BoundedText out(dest, size);
  for (std::size_t i = 0; i < view.size(); ++i) out.Put(view[i]);
  return out.length();
}

char number_detail::NegativeMarkerOf(const char* format, const char* semicolon,
                                     const IntlSettings& s) noexcept {
  if (!semicolon || semicolon == format) return s.sNegativeSign;
  const char* negativeSection = semicolon + 1;
  while (*negativeSection == ' ') ++negativeSection;
  // The marker is where the negative section first departs from the positive one.
  for (std::size_t i = 0;; ++i) {
    const char n = negativeSection[i];
    if (!n || format[i] == ';') return s.sNegativeSign;
    if (n != format[i]) return n == s.sLeftParen ? s.sNegativeSign : n;
  }
}

int number_detail::AllowedDecimals(const char* format, const char* firstEnd,
                                   char decimalSep) noexcept {
  if (!decimalSep) return 0;
  const auto* point = static_cast<const char*>(
      std::memchr(format, decimalSep, static_cast<std::size_t>(firstEnd - format)));
  if (!point) return 0;
  int places = 0;
  for (const char* p = point + 1; p < firstEnd; ++p) {
    if (*p == '0') ++places;
    if (*p == '#') return -1;  // "#" takes any number of decimals
  }
  return places;
}

int AllowedDecimals(const char* format, char decimalSep) noexcept {
  // A ";" ends the first section, so it is never its decimal separator.
  if (!format || !decimalSep || decimalSep == ';') return 0;
  const char* p = format;
  for (char c; (c = *p) != decimalSep; ++p) {
    if (!c || c == ';') return 0;
  }
  int places = 0;
  for (char c; (c = *++p) && c != ';';) {
    if (c == '#') return -1;  // "#" takes any number of decimals
    places += c == '0';
  }
  return places;
}

}  // namespace zorva
