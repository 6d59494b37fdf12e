// The extraction walk over a mask planned once: only the value is tested
// here, each step's class having been worked out when the mask was read.
#include "charmask/charmask.h"

#include <cstring>
#include "charmask/placeholders.h"

namespace zorva {

using charmask_detail::Accepts;
using charmask_detail::Stored;

namespace {

// A run of `run` digit placeholders takes the value's digits in one go, up
// to the value's end and `room`: how many.
std::size_t TakeDigitRun(char* dest, const char* v, const char* end, std::size_t run, std::size_t room) noexcept {
  std::size_t limit = run < room ? run : room;
  if (limit > static_cast<std::size_t>(end - v)) limit = static_cast<std::size_t>(end - v);
  std::size_t i = 0;
  for (; i < limit && static_cast<unsigned char>(v[i] - '0') < 10; ++i) dest[i] = v[i];
  return i;
}

}  // namespace

template <class Unit>
int ExtractAsShown(Unit* dest, const Unit* value, const MaskStep* steps, std::size_t count) noexcept {
  std::size_t n = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const Unit c = value[i];
    const auto literal = static_cast<unsigned char>(steps[i].c);
    if (steps[i].kind == '#' && c >= Unit('0') && c <= Unit('9')) {
      dest[n++] = c;
    } else if (steps[i].kind != MaskStep::kLiteral || literal >= 0x80 || c != Unit(literal)) {
      return -1;
    }
  }
  dest[n] = Unit(0);
  return static_cast<int>(n);
}

template int ExtractAsShown(char*, const char*, const MaskStep*, std::size_t) noexcept;
template int ExtractAsShown(char16_t*, const char16_t*, const MaskStep*, std::size_t) noexcept;

int ExtractPlanned(char* dest, std::size_t size, const char* value, std::size_t length,
                   const MaskStep* steps, std::size_t count, const IntlSettings& s,
                   std::size_t& written) noexcept {
  const std::size_t room = size - 1;
  if (length == count && count <= room) {
    if (const int n = ExtractAsShown(dest, value, steps, count); n >= 0) {
      written = static_cast<std::size_t>(n);
      return 1;
    }
  }
  const char* v = value;
  const char* const end = value + length;
  const MaskStep* const last = steps + count;
  std::size_t n = 0;
  bool allFilled = true;
  for (const MaskStep* step = steps; step != last && n < room;) {
    const char ph = step->kind;
    if (ph == MaskStep::kLiteral) {  // optional in the value
      v += v != end && *v == step->c;
      ++step;
      continue;
    }
    if (ph == '#') {
      // The first character that is not a digit is read as below.
      const std::size_t run = step->digits;
      const std::size_t i = TakeDigitRun(dest + n, v, end, run, room - n);
      v += i;
      n += i;
      step += i;
      if (i == run || n == room) continue;
    }
    const char c = v != end ? *v : '\0';
    ++step;
    char out;
    switch (ph) {
      case MaskStep::kQuoted:
        v += c != '\0';
        continue;
      // Each case with its own constant, so that Accepts folds to one test.
      case '#': out = Accepts('#', c, s) ? c : '_'; break;
      case '&': out = Accepts('&', c, s) ? c : '_'; break;
      case 'A': out = Accepts('A', c, s) ? c : '_'; break;
      case '?': out = Accepts('?', c, s) ? c : '_'; break;
      default: out = Accepts(ph, c, s) ? Stored(ph, c) : '_'; break;  // L, U
    }
    v += c != '\0';
    if (out == '_') allFilled = false;
    dest[n++] = out;
  }
  const int verdict = allFilled && v == end ? 1 : 0;
  while (n > 0 && dest[n - 1] == '_') --n;
  dest[n] = '\0';
  written = n;
  return verdict;
}

int FormatPlanned(char* dest, std::size_t size, const char* value, std::size_t length, const MaskStep* steps,
                  std::size_t count, const IntlSettings& s) noexcept {
  if (size > kPlannedFormatBytes) return -1;
  const char* r = value;
  const char* const end = value + length;
  const std::size_t room = size - 1;
  const MaskStep* const last = steps + count;
  const MaskStep* step = steps;
  std::size_t n = 0;
  bool asGiven = true;  // every placeholder took its character as it stands
  while (step != last && n < room) {
    const char ph = step->kind;
    if (ph == MaskStep::kLiteral || ph == MaskStep::kQuoted) {  // shown as they stand
      dest[n++] = step->c;
      ++step;
      continue;
    }
    if (ph == '#') {
      const std::size_t i = TakeDigitRun(dest + n, r, end, step->digits, room - n);
      r += i;
      n += i;
      step += i;
      if (i != 0) continue;
    }
    const char c = r != end ? *r : '\0';
    ++step;
    if (Accepts(ph, c, s)) {
      const char shown = Stored(ph, c);
      asGiven = asGiven && shown == c;
      dest[n++] = shown;
    } else {
      asGiven = false;
    }
    r += c != '\0';
  }
  dest[n] = '\0';
  // The value is shown this way only when extracting the shown text gives
  // the value back (its first `size` characters). It does when the whole
  // value filled every placeholder as it stands and does not end in the
  // fill character, which extraction trims.
  if (asGiven && step == last && r == end && value[length - 1] != '_') return static_cast<int>(n);
  char back[kPlannedFormatBytes];
  std::size_t written;
  ExtractPlanned(back, size, dest, n, steps, count, s, written);
  const std::size_t raw = length < size ? length : size;
  if (written != raw || std::memcmp(back, value, raw) != 0) return -1;
  return static_cast<int>(n);
}

}  // namespace zorva
