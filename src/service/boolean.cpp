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

std::size_t BooleanText(char* dest, std::size_t size, const char* mask, int state) noexcept {
  if (!mask) mask = "";
  const char* slash = std::strchr(mask, '/');
  if (!slash) return CopyBounded(dest, size, mask, std::strlen(mask));
  if (state == 1) return CopyBounded(dest, size, mask, static_cast<std::size_t>(slash - mask));
  if (state == 2) return CopyBounded(dest, size, "2", 1);
  const char* f = slash + 1;
  const char* end = std::strchr(f, '/');  // a third text is never written
  return CopyBounded(dest, size, f, end ? static_cast<std::size_t>(end - f) : std::strlen(f));
}

std::size_t ConvertBoolean(char* dest, std::size_t size, const char* value,
                           const char* sourceMask, const char* targetMask) noexcept {
  const int state = value && *value && sourceMask ? BooleanState(value, sourceMask) : 0;
  return BooleanText(dest, size, targetMask, state);
}

}  // namespace zorva
