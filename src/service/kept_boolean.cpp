#include "service/kept_boolean.h"

#include "platform/codepage.h"
#include "platform/unicode.h"
#include "service/entry_points.h"

namespace zorva {
namespace {

bool Plain(char16_t unit) noexcept { return static_cast<char32_t>(unit) - 1 < 0x7F; }

}  // namespace

void PrepareKeptBoolean(KeptBoolean& kept, const char16_t* mask, std::size_t length,
                        const IntlSettings& s) noexcept {
  kept.ready = false;
  if (length == 0 || length >= sizeof kept.upper) return;
  kept.slash = static_cast<std::uint8_t>(length);
  for (std::size_t i = 0; i < length; ++i) {
    if (!Plain(mask[i])) return;
    if (mask[i] == u'/' && kept.slash == length) kept.slash = static_cast<std::uint8_t>(i);
    kept.upper[i] = CrtToUpper(static_cast<char>(mask[i]));
  }
  kept.length = static_cast<std::uint8_t>(length);
  for (int state = 0; state < 3; ++state) {
    const std::string_view text = RawBooleanText(state, s);  // under 64 bytes
    kept.rawLength[state] = static_cast<std::uint8_t>(AnsiToUtf16(text.data(), text.size(), kept.raw[state], 64));
  }
  kept.ready = true;
}

int KeptRawBoolean(const KeptBoolean& kept, const char16_t* value, std::size_t length,
                   const char16_t*& units) noexcept {
  units = kept.raw[0];
  if (length == 0 || value[0] == u' ') return 0;  // no answer
  // A leading digit decides alone; a unit the code page may map to a digit
  // (a best fit) is not read here.
  if (!Plain(value[0])) return -1;
  int state = value[0] == u'1' ? 1 : value[0] == u'0' ? 0 : value[0] == u'2' ? 2 : -1;
  if (state < 0) {
    state = 0;  // a value matching neither text, or a mask with no "/"
    std::size_t t = 0, f = kept.slash + 1;
    for (std::size_t v = 0; v < length && kept.slash < kept.length; ++v) {
      if (!Plain(value[v])) return -1;
      const char c = CrtToUpper(static_cast<char>(value[v]));
      const char tc = t < kept.slash ? kept.upper[t] : '\0';
      const char fc = f < kept.length ? kept.upper[f] : '\0';
      if (c == tc && c != fc) {
        state = 1;
        break;
      }
      if (c == fc && c != tc) break;
      t += t < kept.slash;
      f += f < kept.length;
    }
  }
  units = kept.raw[state];
  return kept.rawLength[state];
}

}  // namespace zorva
