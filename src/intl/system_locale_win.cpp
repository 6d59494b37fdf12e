// The two things the settings take from the system on Windows: the user's
// language (which also becomes the C runtime's locale) and currency symbol.
#ifdef _WIN32
#include <clocale>
#include <cstring>

#include "intl/settings.h"
#include "zorva/automation.h"

namespace zorva {
namespace {

// A symbol longer than 3 characters does not fit the query's room and
// leaves the field empty.
void CurrencyOf(LCID lcid, char (&out)[16]) {
  out[0] = '\0';
  if (GetLocaleInfoA(lcid, LOCALE_SCURRENCY, out, 4) == 0) out[0] = '\0';
  out[3] = '\0';
}

}  // namespace

SystemLocale QuerySystemLocale() noexcept {
  SystemLocale s{};
  char language[8] = {};
  if (GetLocaleInfoA(GetUserDefaultLCID(), LOCALE_SABBREVLANGNAME, language, sizeof language) > 0) {
    std::strcpy(s.language, language);
    // A rejected name leaves the C runtime's locale as it was.
    std::setlocale(LC_ALL, language);
  }
  CurrencyOf(GetUserDefaultLCID(), s.currency);
  return s;
}

}  // namespace zorva
#endif  // _WIN32
