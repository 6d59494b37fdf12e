// The two things the settings take from the system: the user's language and
// currency symbol. On Linux the system is the process environment; in
// WebAssembly there is none.
#ifndef _WIN32
#include <iconv.h>
#include <langinfo.h>
#include <locale.h>

#include <cstdlib>
#include <initializer_list>
#include <cstring>

#include "intl/settings.h"
#include "platform/unicode.h"

namespace zorva {
namespace {

// The language part of a locale name: "de" of "de_DE.UTF-8@euro".
void LanguageOf(const char* name, char (&out)[16]) {
  out[0] = '\0';
  if (!name || !*name || !std::strcmp(name, "C") || !std::strcmp(name, "POSIX")) return;
  std::size_t n = std::strcspn(name, "_.@");
  if (n == 0 || n >= sizeof out || !std::strncmp(name, "C.", 2)) return;
  std::memcpy(out, name, n);
  out[n] = '\0';
}

// The locale's currency symbol in UTF-8 (converted from its character set).
bool CurrencyUtf8(locale_t loc, char* out, std::size_t size) {
#if defined(__EMSCRIPTEN__)
  // A browser has no process locale: the page chooses the currency symbol
  // (the WebAssembly package's setter), so the system names none.
  (void)loc, (void)out, (void)size;
  return false;
#else
  const char* sym = nl_langinfo_l(CURRENCY_SYMBOL, loc);
  const char* codeset = nl_langinfo_l(CODESET, loc);
  if (!sym || !*sym) return false;
  if (!codeset || !std::strcmp(codeset, "UTF-8") || !std::strcmp(codeset, "ANSI_X3.4-1968")) {
    if (std::strlen(sym) >= size) return false;
    std::strcpy(out, sym);
    return true;
  }
  iconv_t cd = iconv_open("UTF-8", codeset);
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  char* in = const_cast<char*>(sym);
  std::size_t inLeft = std::strlen(sym);
  char* o = out;
  std::size_t outLeft = size - 1;
  std::size_t rc = iconv(cd, &in, &inLeft, &o, &outLeft);
  iconv_close(cd);
  if (rc == static_cast<std::size_t>(-1) || inLeft) return false;
  *o = '\0';
  return true;
#endif
}

// UTF-8 to at most 3 characters of the code page; false when a character is
// missing from the code page or the symbol is longer.
bool ToAnsiSymbol(const char* utf8, char (&out)[16]) {
  char16_t wide[16];
  std::size_t n = Utf8ToUtf16(utf8, std::strlen(utf8), wide, 16);
  if (n == 0 || n > 3) return false;
  for (std::size_t i = 0; i < n; ++i) {
    char c = AnsiFromCodePoint(wide[i]);
    if (c == '?' && wide[i] != u'?') return false;
    out[i] = c;
  }
  out[n] = '\0';
  return true;
}

SystemLocale FromLocale(locale_t loc, const char* name) {
  SystemLocale s{};
  LanguageOf(name, s.language);
  char utf8[64];
  if (loc && CurrencyUtf8(loc, utf8, sizeof utf8) && !ToAnsiSymbol(utf8, s.currency)) {
    s.currency[0] = '\0';
  }
  return s;
}

const char* EnvLocaleName(const char* category) {
  for (const char* var : {"LC_ALL", category, "LANG"}) {
    const char* v = std::getenv(var);
    if (v && *v) return v;
  }
  return "C";
}

}  // namespace

SystemLocale QuerySystemLocale() noexcept {
  // "" lets newlocale name every category from the environment, as the C
  // library would for setlocale, without changing the process's locale.
  locale_t loc = newlocale(LC_ALL_MASK, "", static_cast<locale_t>(0));
  if (!loc) {
    // An environment that names a locale the machine lacks: the monetary
    // category alone may still be there.
    loc = newlocale(LC_MONETARY_MASK, "", static_cast<locale_t>(0));
  }
  SystemLocale s = FromLocale(loc, EnvLocaleName("LC_MONETARY"));
  if (loc) freelocale(loc);
  return s;
}

}  // namespace zorva
#endif  // !_WIN32
