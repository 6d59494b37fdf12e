#include "intl/settings.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <span>

#include "intl/string_table.h"

namespace zorva {
namespace {

std::atomic<const IntlSettings*> g_override{nullptr};
// Counts the overrides made and ended, so that what was worked out under
// one block of settings is not taken for another's.
std::atomic<std::uint32_t> g_generation{0};

// The string table, with a translation's texts in place of those it holds.
class Strings {
 public:
  explicit Strings(std::span<const StringEntry> translation) : translation_(translation) {}

  // As LoadString: cut to size - 1 characters, always terminated.
  void Load(unsigned id, char* dest, int size) const {
    for (const StringEntry& e : translation_) {
      if (e.id != id) continue;
      const std::size_t n = std::min(std::strlen(e.text), static_cast<std::size_t>(size - 1));
      std::memcpy(dest, e.text, n);
      dest[n] = '\0';
      return;
    }
    LoadString(id, dest, size);
  }
  template <std::size_t N>
  void Load(unsigned id, char (&dest)[N]) const { Load(id, dest, N); }

  char FirstCharOf(unsigned id) const {
    char scratch[64];
    Load(id, scratch);
    return scratch[0];
  }

  // Into a fixed buffer with room for `room` characters, its last byte
  // cleared as the loader always does.
  template <std::size_t N>
  void LoadInto(char (&dest)[N], unsigned id, int room) const {
    Load(id, dest, room + 1);
    dest[N - 1] = '\0';
  }

 private:
  std::span<const StringEntry> translation_;
};

}  // namespace

IntlSettings LoadIntlSettings(const SystemLocale& system,
                              std::span<const StringEntry> translation) noexcept {
  const Strings strings(translation);
  IntlSettings s{};
  for (int month = 1; month <= 12; ++month) {
    char scratch[64];
    strings.Load(kShortMonthNamesId + month - 1, scratch);
    // An entry holds 3 characters: a longer translated text is cut.
    std::size_t n = std::min<std::size_t>(std::strlen(scratch), 3);
    std::memcpy(s.MonthAbbrev[month], scratch, n);
    s.MonthAbbrev[month][n] = '\0';
  }
  s.sThousand = s.sMonThousandSep = strings.FirstCharOf(kThousandSepId);
  s.sTime = strings.FirstCharOf(kTimeSepId);
  strings.LoadInto(s.sCurrency, kCurrencySymbolId, 3);
  // The system's symbol, or the mask's currency character when the system
  // has none that fits.
  const char* sys = system.currency[0] && std::strlen(system.currency) <= 3 ? system.currency
                                                                              : s.sCurrency;
  std::memcpy(s.sSystemCurrency, sys, std::min<std::size_t>(std::strlen(sys), 3));
  s.sSystemCurrency[sizeof s.sSystemCurrency - 1] = '\0';
  s.sDecimal = s.sMonDecimalSep = strings.FirstCharOf(kDecimalSepId);
  s.sNegativeSign = strings.FirstCharOf(kNegativeSignId);
  s.sPositiveSign = strings.FirstCharOf(kPositiveSignId);
  s.sLeftParen = strings.FirstCharOf(kLeftParenId);
  s.sRightParen = strings.FirstCharOf(kRightParenId);
  strings.LoadInto(s.sTimeMask, kTimeMaskId, 63);
  strings.LoadInto(s.sShortDate, kShortDateMaskId, 63);
  strings.LoadInto(s.sCurrencyMask, kCurrencyMaskId, 63);
  strings.LoadInto(s.sIntegerMask, kIntegerMaskId, 63);
  strings.LoadInto(s.sDecimalMask, kDecimalMaskId, 63);
  s.sTextMask[0] = '\0';
  strings.Load(kBooleanMaskId, s.sBooleanMask);
  strings.Load(kRawDateMaskId, s.sRawDateMask);
  strings.Load(kRawTimeMaskId, s.sRawTimeMask);
  strings.Load(kRawBooleanMaskId, s.sRawBooleanMask);
  strings.Load(kRawCurrencyFormatId, s.sRawCurrencyFormat);
  strings.Load(kWholeNumberMaskId, s.sRawWholeFormat);
  strings.Load(kRawDecimalFormatId, s.sRawDecimalFormat);
  strings.Load(kDateLettersId, s.sDateLetters);
  for (unsigned m = 0; m < 12; ++m) {
    strings.Load(kFullMonthNamesId + m, s.sMonthNames[m]);
    strings.Load(kShortMonthNamesId + m, s.sMonthShortNames[m]);
  }
  for (unsigned d = 0; d < 7; ++d) {
    strings.Load(kFullWeekdayNamesId + d, s.sDayNames[d]);
    strings.Load(kShortWeekdayNamesId + d, s.sDayShortNames[d]);
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
  g_generation.fetch_add(1, std::memory_order_relaxed);
  g_override.store(&copy_, std::memory_order_release);
}

IntlSettingsOverride::~IntlSettingsOverride() {
  g_override.store(nullptr, std::memory_order_release);
  g_generation.fetch_add(1, std::memory_order_relaxed);
}

std::uint32_t IntlGeneration() noexcept { return g_generation.load(std::memory_order_relaxed); }

SystemLocale MakeSystemLocale(const char* language, const char* currencyAnsi) noexcept {
  SystemLocale s{};
  if (language) std::strncpy(s.language, language, sizeof s.language - 1);
  if (currencyAnsi && std::strlen(currencyAnsi) <= 3) std::strcpy(s.currency, currencyAnsi);
  return s;
}

}  // namespace zorva
