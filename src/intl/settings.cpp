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
    LoadString(kShortMonthNamesId + month - 1, scratch, sizeof scratch);
    // An entry holds 3 characters: a longer translated text is cut.
    std::size_t n = std::min<std::size_t>(std::strlen(scratch), 3);
    std::memcpy(s.MonthAbbrev[month], scratch, n);
    s.MonthAbbrev[month][n] = '\0';
  }
  s.sThousand = s.sMonThousandSep = FirstCharOf(kThousandSepId);
  s.sTime = FirstCharOf(kTimeSepId);
  LoadInto(s.sCurrency, kCurrencySymbolId, 3);
  // The system's symbol, or the mask's currency character when the system
  // has none that fits.
  const char* sys = system.currency[0] && std::strlen(system.currency) <= 3 ? system.currency
                                                                              : s.sCurrency;
  std::memcpy(s.sSystemCurrency, sys, std::min<std::size_t>(std::strlen(sys), 3));
  s.sSystemCurrency[sizeof s.sSystemCurrency - 1] = '\0';
  s.sDecimal = s.sMonDecimalSep = FirstCharOf(kDecimalSepId);
  s.sNegativeSign = FirstCharOf(kNegativeSignId);
  s.sPositiveSign = FirstCharOf(kPositiveSignId);
  s.sLeftParen = FirstCharOf(kLeftParenId);
  s.sRightParen = FirstCharOf(kRightParenId);
  LoadInto(s.sTimeMask, kTimeMaskId, 63);
  LoadInto(s.sShortDate, kShortDateMaskId, 63);
  LoadInto(s.sCurrencyMask, kCurrencyMaskId, 63);
  LoadInto(s.sIntegerMask, kIntegerMaskId, 63);
  LoadInto(s.sDecimalMask, kDecimalMaskId, 63);
  s.sTextMask[0] = '\0';
  LoadString(kBooleanMaskId, s.sBooleanMask, sizeof s.sBooleanMask);
  LoadString(kRawDateMaskId, s.sRawDateMask, sizeof s.sRawDateMask);
  LoadString(kRawTimeMaskId, s.sRawTimeMask, sizeof s.sRawTimeMask);
  LoadString(kRawBooleanMaskId, s.sRawBooleanMask, sizeof s.sRawBooleanMask);
  LoadString(kRawCurrencyFormatId, s.sRawCurrencyFormat, sizeof s.sRawCurrencyFormat);
  LoadString(kWholeNumberMaskId, s.sRawWholeFormat, sizeof s.sRawWholeFormat);
  LoadString(kRawDecimalFormatId, s.sRawDecimalFormat, sizeof s.sRawDecimalFormat);
  LoadString(kDateLettersId, s.sDateLetters, sizeof s.sDateLetters);
  for (unsigned m = 0; m < 12; ++m) {
    LoadString(kFullMonthNamesId + m, s.sMonthNames[m], sizeof s.sMonthNames[m]);
    LoadString(kShortMonthNamesId + m, s.sMonthShortNames[m], sizeof s.sMonthShortNames[m]);
  }
  for (unsigned d = 0; d < 7; ++d) {
    LoadString(kFullWeekdayNamesId + d, s.sDayNames[d], sizeof s.sDayNames[d]);
    LoadString(kShortWeekdayNamesId + d, s.sDayShortNames[d], sizeof s.sDayShortNames[d]);
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
