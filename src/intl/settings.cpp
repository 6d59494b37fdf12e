#include "intl/settings.h"

#include <algorithm>
#include <atomic>
#include <cstring>

#include "intl/string_table.h"

namespace zorva {
namespace {

std::atomic<const IntlSettings*> g_override{nullptr};

char FirstCharOf(unsigned id) {
  char scratch[64];
  LoadString(id, scratch, sizeof scratch);
  return scratch[0];
}

// Loads a string into a fixed buffer with room for `room` characters, then
// clears the buffer's last byte as the loader always does.
template <std::size_t N>
void LoadInto(char (&dest)[N], unsigned id, int room) {
  LoadString(id, dest, room + 1);
  dest[N - 1] = '\0';
}

}  // namespace

IntlSettings LoadIntlSettings(const SystemLocale& system) noexcept {
  IntlSettings s{};
  for (int month = 1; month <= 12; ++month) {
    char scratch[64];
    LoadString(2800 + month - 1, scratch, sizeof scratch);
    // An entry holds 3 characters: a longer translated text is cut.
    std::size_t n = std::min<std::size_t>(std::strlen(scratch), 3);
    std::memcpy(s.MonthAbbrev[month], scratch, n);
    s.MonthAbbrev[month][n] = '\0';
  }
  s.sThousand = s.sMonThousandSep = FirstCharOf(2005);
  s.sTime = FirstCharOf(2019);
  LoadInto(s.sCurrency, 2004, 3);
  // The system's symbol, or the mask's currency character when the system
  // has none that fits.
  const char* sys = system.currency[0] && std::strlen(system.currency) <= 3 ? system.currency
                                                                              : s.sCurrency;
  std::memcpy(s.sSystemCurrency, sys, std::min<std::size_t>(std::strlen(sys), 3));
  s.sSystemCurrency[sizeof s.sSystemCurrency - 1] = '\0';
  s.sDecimal = s.sMonDecimalSep = FirstCharOf(2006);
  s.sNegativeSign = FirstCharOf(2032);
  s.sPositiveSign = FirstCharOf(2036);
  s.sLeftParen = FirstCharOf(2037);
  s.sRightParen = FirstCharOf(2038);
  LoadInto(s.sTimeMask, 2039, 63);
  LoadInto(s.sShortDate, 2016, 63);
  LoadInto(s.sCurrencyMask, 2040, 63);
  LoadInto(s.sIntegerMask, 2041, 63);
  LoadInto(s.sDecimalMask, 2042, 63);
  s.sTextMask[0] = '\0';
  LoadString(1501, s.sBooleanMask, sizeof s.sBooleanMask);
  LoadString(1214, s.sRawDateMask, sizeof s.sRawDateMask);
  LoadString(1700, s.sRawTimeMask, sizeof s.sRawTimeMask);
  LoadString(1505, s.sRawBooleanMask, sizeof s.sRawBooleanMask);
  LoadString(2202, s.sRawCurrencyFormat, sizeof s.sRawCurrencyFormat);
  LoadString(1301, s.sRawWholeFormat, sizeof s.sRawWholeFormat);
  LoadString(2203, s.sRawDecimalFormat, sizeof s.sRawDecimalFormat);
  LoadString(2043, s.sDateLetters, sizeof s.sDateLetters);
  for (unsigned m = 0; m < 12; ++m) {
    LoadString(2300 + m, s.sMonthNames[m], sizeof s.sMonthNames[m]);
    LoadString(2800 + m, s.sMonthShortNames[m], sizeof s.sMonthShortNames[m]);
  }
  for (unsigned d = 0; d < 7; ++d) {
    LoadString(2400 + d, s.sDayNames[d], sizeof s.sDayNames[d]);
    LoadString(2700 + d, s.sDayShortNames[d], sizeof s.sDayShortNames[d]);
  }
  return s;
}

const IntlSettings& Intl() noexcept {
  static const IntlSettings loaded = LoadIntlSettings(QuerySystemLocale());
  if (const IntlSettings* o = g_override.load(std::memory_order_acquire)) return *o;
  return loaded;
}

IntlSettingsOverride::IntlSettingsOverride(const IntlSettings& settings) noexcept
    : copy_(settings) {
  g_override.store(&copy_, std::memory_order_release);
}

IntlSettingsOverride::~IntlSettingsOverride() {
  g_override.store(nullptr, std::memory_order_release);
}

SystemLocale MakeSystemLocale(const char* language, const char* currencyAnsi) noexcept {
  SystemLocale s{};
  if (language) std::strncpy(s.language, language, sizeof s.language - 1);
  if (currencyAnsi && std::strlen(currencyAnsi) <= 3) std::strcpy(s.currency, currencyAnsi);
  return s;
}

}  // namespace zorva
