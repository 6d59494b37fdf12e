#include "service/boolean.h"

#include <cstring>

#include "platform/codepage.h"

namespace zorva {
namespace {

// Copies up to `length` characters, cut to the destination and terminated.
std::size_t CopyBounded(char* dest, std::size_t size, const char* src, std::size_t length) noexcept {
  if (!dest || size == 0) return 0;
  if (length > size - 1) length = size - 1;
  if (length) std::memcpy(dest, src, length);
  dest[length] = '\0';
  return length;
}

}  // namespace

int BooleanState(const char* value, const char* mask) noexcept {
  if (!value) value = "";
  // A digit first decides alone, so raw values read the same under any mask.
  if (value[0] == '1') return 1;
  if (value[0] == '0') return 0;
  if (value[0] == '2') return 2;
  if (!mask) return 0;
  const char* slash = std::strchr(mask, '/');
  if (!slash) return 0;

  const char* t = mask;       // true text, up to the slash
  const char* f = slash + 1;  // false text, to the end of the mask
  for (const char* v = value; *v; ++v) {
    const char c = CrtToUpper(*v);
    // An exhausted text offers only its terminating zero, which no value
    // character equals.
    const char tc = t < slash ? CrtToUpper(*t) : '\0';
    const char fc = *f ? CrtToUpper(*f) : '\0';
    if (c == tc && c != fc) return 1;
    if (c == fc && c != tc) return 0;
    if (t < slash) ++t;
    if (*f) ++f;
  }
  return 0;
}

std::string_view BooleanTextOf(const char* mask, int state) noexcept {
  if (!mask) mask = "";
  // Masks are a few characters: plain loops, not the library's searches.
  const char* slash = mask;
  while (*slash && *slash != '/') ++slash;
  if (!*slash || state == 1) return {mask, static_cast<std::size_t>(slash - mask)};
  if (state == 2) return "2";
  const char* f = slash + 1;
  const char* end = f;
  while (*end && *end != '/') ++end;  // a third text is never written
  return {f, static_cast<std::size_t>(end - f)};
}

std::size_t BooleanText(char* dest, std::size_t size, const char* mask, int state) noexcept {
  const std::string_view text = BooleanTextOf(mask, state);
  return CopyBounded(dest, size, text.data(), text.size());
}

std::size_t ConvertBoolean(char* dest, std::size_t size, const char* value,
                           const char* sourceMask, const char* targetMask) noexcept {
  const int state = value && *value && sourceMask ? BooleanState(value, sourceMask) : 0;
  return BooleanText(dest, size, targetMask, state);
}

bool ReadAsciiBooleanMask(const char16_t* mask, std::size_t length, AsciiBooleanMask& out) noexcept {
  const auto plain = [](char16_t unit) { return static_cast<char32_t>(unit) - 1 < 0x7F; };
  out = AsciiBooleanMask{mask, length, length, length};
  std::size_t i = 0;
  for (; i < length && mask[i] != u'/'; ++i) {
    if (!plain(mask[i])) return false;
  }
  out.slash = i;
  for (i += i < length; i < length && mask[i] != u'/'; ++i) {
    if (!plain(mask[i])) return false;
  }
  out.falseEnd = i;
  for (; i < length; ++i) {
    if (!plain(mask[i])) return false;
  }
  return true;
}

int BooleanState(const char16_t* value, std::size_t length, const AsciiBooleanMask& mask) noexcept {
  const auto plain = [](char16_t unit) { return static_cast<char32_t>(unit) - 1 < 0x7F; };
  if (length > 0) {
    // A unit the code page may map to a digit (a best fit) is not read here.
    if (!plain(value[0])) return -1;
    if (value[0] == u'1') return 1;
    if (value[0] == u'0') return 0;
    if (value[0] == u'2') return 2;
  }
  if (mask.slash == mask.length) return 0;
  const auto upper = [](char16_t unit) { return CrtToUpper(static_cast<char>(unit)); };
  std::size_t t = 0, f = mask.slash + 1;
  for (std::size_t v = 0; v < length; ++v) {
    if (!plain(value[v])) return -1;
    const char c = upper(value[v]);
    const char tc = t < mask.slash ? upper(mask.units[t]) : '\0';
    const char fc = f < mask.length ? upper(mask.units[f]) : '\0';
    if (c == tc && c != fc) return 1;
    if (c == fc && c != tc) return 0;
    if (t < mask.slash) ++t;
    if (f < mask.length) ++f;
  }
  return 0;
}

}  // namespace zorva
