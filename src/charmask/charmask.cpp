#include "charmask/charmask.h"

#include <cstring>

#include "charmask/placeholders.h"

namespace zorva {
namespace {

using charmask_detail::Accepts;
using charmask_detail::IsPlaceholder;
using charmask_detail::Stored;

// One element of a mask, read from left to right.
struct Element {
  enum Kind { kPlaceholder, kLiteral, kQuoted, kEnd } kind;
  char c;             // the placeholder or literal character
  const char* begin;  // a quoted run's characters
  std::size_t length;
};

class MaskReader {
 public:
  explicit MaskReader(const char* mask) : p_(mask) {}

  // The usual character inline; escapes and quoted runs out of line.
  Element Next() {
    const char c = *p_;
    if (c == '\\' || c == '"') return NextSpecial();
    if (c == '\0') return {Element::kEnd, 0, nullptr, 0};
    ++p_;
    return {IsPlaceholder(c) ? Element::kPlaceholder : Element::kLiteral, c, nullptr, 0};
  }

 private:
  Element NextSpecial() {
    if (*p_ == '\\') {
      char next = p_[1];
      if (next == '\0') {  // a trailing backslash means nothing
        ++p_;
        return {Element::kEnd, 0, nullptr, 0};
      }
      if (IsPlaceholder(next) || next == '"') {
        p_ += 2;
        return {Element::kLiteral, next, nullptr, 0};
      }
      ++p_;  // the backslash itself is the literal; the next character reads normally
      return {Element::kLiteral, '\\', nullptr, 0};
    }
    const char* begin = ++p_;
    while (*p_ && *p_ != '"') ++p_;
    Element e{Element::kQuoted, 0, begin, static_cast<std::size_t>(p_ - begin)};
    if (*p_) ++p_;  // an unclosed run ends with the mask
    return e;
  }

  const char* p_;
};

// The extraction walk from mask element m on, through the mask reader:
// escapes and quoted runs. Writes through `put`; returns the verdict.
template <class Put>
int ExtractRest(const char* v, const char* m, std::size_t room, bool allFilled, Put& put,
                const IntlSettings& s) {
  MaskReader reader(m);
  for (Element e = reader.Next(); e.kind != Element::kEnd && room > 0; e = reader.Next()) {
    switch (e.kind) {
      case Element::kPlaceholder: {
        char out = Accepts(e.c, *v, s) ? Stored(e.c, *v) : '_';
        if (*v) ++v;
        if (out == '_') allFilled = false;
        put(out);
        --room;
        break;
      }
      case Element::kLiteral:
        if (*v == e.c) ++v;  // a literal is optional in the value
        break;
      case Element::kQuoted:
        for (std::size_t i = 0; i < e.length && *v; ++i) ++v;
        break;
      case Element::kEnd: break;
    }
  }
  return allFilled && *v == '\0' ? 1 : 0;
}

// The extraction walk, writing through `put`; returns the verdict. Trailing
// fill characters are the sink's to trim. The usual mask, plain
// placeholders and literals, goes through the tight loop here; an escape or
// a quote hands the rest of the mask to the reader.
template <class Put>
int ExtractWalk(const char* value, const char* mask, std::size_t room, const IntlSettings& s,
                Put&& put) {
  const char* v = value ? value : "";
  bool allFilled = true;
  for (const char* m = mask; room > 0; ++m) {
    const char ph = *m;
    const char c = *v;
    if (ph == '#' && static_cast<unsigned char>(c - '0') < 10) {  // the usual case, without the class table
      put(c);
      ++v;
      --room;
      continue;
    }
    char out;
    switch (ph) {
      case '\0': return allFilled && c == '\0' ? 1 : 0;
      case '\\':
      case '"': return ExtractRest(v, m, room, allFilled, put, s);
      // Each case with its own constant, so that Accepts folds to one test.
      case '#': out = Accepts('#', c, s) ? c : '_'; break;
      case '&': out = Accepts('&', c, s) ? c : '_'; break;
      case 'A': out = Accepts('A', c, s) ? c : '_'; break;
      case '?': out = Accepts('?', c, s) ? c : '_'; break;
      case 'L':
      case 'U': out = Accepts(ph, c, s) ? Stored(ph, c) : '_'; break;
      default:
        if (c == ph) ++v;  // a literal is optional in the value
        continue;
    }
    if (c) ++v;
    if (out == '_') allFilled = false;
    put(out);
    --room;
  }
  return allFilled && *v == '\0' ? 1 : 0;
}

// Places c at dest[position] when placeholder ph takes it; "_" and space
// mark an empty placeholder without any class check.
void PlaceAt(char* dest, char ph, char c, std::size_t position, const IntlSettings& s) {
  if (!IsPlaceholder(ph)) return;
  if (c == '_' || c == ' ') {
    dest[position] = (ph == 'L' || ph == 'U') ? c : '_';
    return;
  }
  if (Accepts(ph, c, s)) dest[position] = Stored(ph, c);
}

std::size_t CopyBounded(char* dest, const char* src, std::size_t size) {
  std::size_t n = 0;
  if (src) {
    while (n + 1 < size && src[n]) { dest[n] = src[n]; ++n; }
  }
  dest[n] = '\0';
  return n;
}

}  // namespace

char TakenBy(char ph, char c, const IntlSettings& s) noexcept {
  return IsPlaceholder(ph) && Accepts(ph, c, s) ? Stored(ph, c) : '\0';
}

std::size_t LayOutMask(const char* mask, MaskCell* cells, std::size_t capacity) noexcept {
  std::size_t n = 0;
  auto put = [&](char c, bool placeholder) {
    if (n < capacity) cells[n] = {c, placeholder};
    ++n;
  };
  MaskReader reader(mask ? mask : "");
  for (Element e = reader.Next(); e.kind != Element::kEnd; e = reader.Next()) {
    if (e.kind == Element::kQuoted) {
      for (std::size_t i = 0; i < e.length; ++i) put(e.begin[i], false);
    } else {
      put(e.c, e.kind == Element::kPlaceholder);
    }
  }
  return n;
}

std::size_t PlanMask(const char* mask, MaskStep* steps, std::size_t capacity) noexcept {
  std::size_t n = 0;
  auto put = [&](char kind, char c) {
    if (n < capacity) steps[n] = {kind, c, 0};
    ++n;
  };
  MaskReader reader(mask ? mask : "");
  for (Element e = reader.Next(); e.kind != Element::kEnd; e = reader.Next()) {
    if (e.kind == Element::kQuoted) {
      for (std::size_t i = 0; i < e.length; ++i) put(MaskStep::kQuoted, e.begin[i]);
    } else {
      put(e.kind == Element::kPlaceholder ? e.c : MaskStep::kLiteral, e.c);
    }
  }
  unsigned run = 0;
  for (std::size_t i = n < capacity ? n : capacity; i-- > 0;) {
    run = steps[i].kind == '#' ? (run < 255 ? run + 1 : 255) : 0;
    steps[i].digits = static_cast<unsigned char>(run);
  }
  return n;
}

int ExtractMaskedText(char* dest, std::size_t size, const char* value, const char* mask,
                      const IntlSettings& s) noexcept {
  if (!dest || size == 0) return 0;
  if (!mask || !*mask) {
    CopyBounded(dest, value, size);
    return 1;
  }
  std::size_t n = 0;
  int verdict = ExtractWalk(value, mask, size - 1, s, [&](char c) { dest[n++] = c; });
  while (n > 0 && dest[n - 1] == '_') --n;
  dest[n] = '\0';
  return verdict;
}

void ApplyTextMask(char* dest, std::size_t size, const char* raw, const char* mask,
                   const IntlSettings& s) noexcept {
  if (!dest || size == 0) return;
  if (!mask || !*mask) {
    CopyBounded(dest, raw, size);
    return;
  }
  const char* r = raw ? raw : "";
  std::size_t n = 0;
  const std::size_t room = size - 1;
  // Plain placeholders and literals in a tight loop, as in ExtractWalk; an
  // escape or a quote hands the rest of the mask to the reader.
  const char* m = mask;
  for (; n < room; ++m) {
    const char ph = *m;
    const char c = *r;
    if (ph == '#' && static_cast<unsigned char>(c - '0') < 10) {
      dest[n++] = c;
      ++r;
      continue;
    }
    bool taken;
    switch (ph) {
      case '\0':
        dest[n] = '\0';
        return;
      case '\\':
      case '"': goto rest;
      case '#': taken = Accepts('#', c, s); break;
      case '&': taken = Accepts('&', c, s); break;
      case 'A': taken = Accepts('A', c, s); break;
      case '?': taken = Accepts('?', c, s); break;
      case 'L':
      case 'U': taken = Accepts(ph, c, s); break;
      default:
        dest[n++] = ph;
        continue;
    }
    if (taken) dest[n++] = Stored(ph, c);
    if (c) ++r;
  }
rest:
  MaskReader reader(m);
  for (Element e = reader.Next(); e.kind != Element::kEnd && n < room; e = reader.Next()) {
    switch (e.kind) {
      case Element::kLiteral: dest[n++] = e.c; break;
      case Element::kQuoted:
        for (std::size_t i = 0; i < e.length && n < room; ++i) dest[n++] = e.begin[i];
        break;
      case Element::kPlaceholder:
        if (Accepts(e.c, *r, s)) dest[n++] = Stored(e.c, *r);
        if (*r) ++r;
        break;
      case Element::kEnd: break;
    }
  }
  dest[n] = '\0';
}

void FormatMaskedText(char* dest, std::size_t size, const char* value, const char* mask,
                      const IntlSettings& s) noexcept {
  if (!dest || size == 0) return;
  if (!mask || !*mask) {
    CopyBounded(dest, value, size);
    return;
  }
  if (!value || !*value) {
    ApplyTextMask(dest, size, "", mask, s);
    return;
  }
  // The raw text is the value's first `size` characters.
  std::size_t rawLength = strnlen(value, size);
  ApplyTextMask(dest, size, value, mask, s);

  // Verify by extracting the display text again, compared as it streams out:
  // a run of fill characters counts only once something follows it, since
  // trailing ones are trimmed.
  std::size_t matched = 0;
  std::size_t pendingFill = 0;
  bool same = true;
  ExtractWalk(dest, mask, size - 1, s, [&](char c) {
    if (c == '_') { ++pendingFill; return; }
    for (; pendingFill > 0 && same; --pendingFill) {
      same = matched < rawLength && value[matched] == '_';
      ++matched;
    }
    same = same && matched < rawLength && value[matched] == c;
    ++matched;
  });
  if (same && matched == rawLength) return;

  // Fall back to the mask itself with each character at its own position.
  // Position i is examined at the mask index of the (i + 1)-th character that
  // is neither a backslash nor a quote, walked incrementally so that long
  // masks stay linear.
  CopyBounded(dest, mask, size);
  const char* m = mask;
  for (std::size_t i = 0; i + 1 < size; ++i, ++m) {
    while (*m == '\\' || *m == '"') ++m;
    if (!*m) break;  // every further position maps to the end of the mask
    char c = i < rawLength ? value[i] : '\0';
    PlaceAt(dest, *m, c, i, s);
  }
  dest[size - 1] = '\0';
}

}  // namespace zorva
