// The keystrokes of a date or time field (date_field.h has the rules):
// typing and pasting into its parts, and deleting from them.
#include <cstring>

#include "date/date_format.h"
#include "date/date_parse.h"
#include "edit/date_field.h"
#include "intl/settings.h"
#include "platform/codepage.h"
#include "service/value_types.h"
#include "time/time_format.h"

namespace zorva {
namespace {

// Whether text (of any length) begins with prefix, case ignored.
bool BeginsWithNoCase(const char* text, std::size_t textLength, const char* prefix, std::size_t length) noexcept {
  if (length > textLength) return false;
  for (std::size_t i = 0; i < length; ++i) {
    if (CrtToUpper(text[i]) != CrtToUpper(prefix[i])) return false;
  }
  return true;
}

std::size_t BoundedLength(const char* text, std::size_t size) noexcept {
  std::size_t n = 0;
  while (n < size && text[n] != '\0') ++n;
  return n;
}

}  // namespace

DateField::Put DateField::PutChar(std::size_t k, std::size_t offset, char c) noexcept {
  const Piece& p = pieces_[k];
  Held& h = held_[k];
  if (h.choice > 0 && offset > 0) return Put::kNoFit;  // after a name: the next part's
  if (offset > h.count) offset = h.count;
  if (IsCharAlphaA(c)) return PutLetter(k, offset, c);
  if (!CrtIsDigit(c) || p.kind == Kind::kDesignator) return Put::kRefused;
  // A month name run takes a month number too, but not after letters.
  if (p.kind == Kind::kMonthName && offset > 0 && h.choice == 0 && !CrtIsDigit(h.chars[0])) return Put::kRefused;
  if (offset >= p.digits) return Put::kNoFit;
  int v = 0;
  for (std::size_t i = 0; i < offset; ++i) v = v * 10 + CrtDigitValue(h.chars[i]);
  v = v * 10 + CrtDigitValue(c);
  const std::size_t count = offset + 1;
  if (v > p.max) return offset == h.count ? Put::kNoFit : Put::kRefused;
  if (count == p.digits && v < p.min) return Put::kRefused;  // "00" is no month
  h.chars[offset] = c;
  h.count = static_cast<unsigned char>(count);
  h.choice = 0;
  const bool monthName = p.kind == Kind::kMonthName;
  if (count < p.digits && v * 10 <= p.max) return Put::kTaken;
  if (monthName) {
    h.choice = static_cast<signed char>(v);
    h.count = 0;
  } else {
    End(k);
  }
  return Put::kComplete;
}

DateField::Put DateField::PutLetter(std::size_t k, std::size_t offset, char c) noexcept {
  const Piece& p = pieces_[k];
  Held& h = held_[k];
  if (p.kind != Kind::kMonthName && p.kind != Kind::kDesignator) return Put::kRefused;
  if (offset > 0 && h.choice == 0 && CrtIsDigit(h.chars[0])) return Put::kRefused;  // after a month number
  if (offset + 1 >= kHeld) return Put::kNoFit;
  char prefix[kHeld];
  std::memcpy(prefix, h.chars, offset);
  prefix[offset] = c;
  const std::size_t length = offset + 1;
  // The choices whose text begins with what is typed: months by the
  // abbreviations the reader matches, AM and PM by the mask's texts.
  int first = 0, matches = 0;
  bool whole = false;  // what is typed is all of the chosen text
  auto consider = [&](int choice, const char* text, std::size_t n) {
    if (n == 0 || !BeginsWithNoCase(text, n, prefix, length)) return;
    ++matches;
    if (first == 0 || (n == length && !whole)) {  // the first, unless another is typed whole
      first = choice;
      whole = n == length;
    }
  };
  if (p.kind == Kind::kMonthName) {
    const IntlSettings& s = Intl();
    for (int m = 1; m <= 12; ++m)
      consider(m, s.MonthAbbrev[m], BoundedLength(s.MonthAbbrev[m], sizeof s.MonthAbbrev[m]));
  } else {
    const Designator& d = designators_[p.designator];
    consider(1, d.am, std::strlen(d.am));
    consider(2, d.pm, std::strlen(d.pm));
  }
  if (matches == 0) return Put::kRefused;
  if (matches == 1 || whole) {
    h.choice = static_cast<signed char>(first);
    h.count = 0;
    return Put::kComplete;
  }
  std::memcpy(h.chars, prefix, length);
  h.count = static_cast<unsigned char>(length);
  h.choice = 0;
  return Put::kTaken;
}

bool DateField::End(std::size_t k) noexcept {
  const Piece& p = pieces_[k];
  Held& h = held_[k];
  if (h.choice > 0) return true;
  if (h.count == 0 || !CrtIsDigit(h.chars[0])) return false;  // nothing, or a name begun
  if (p.kind == Kind::kMonthName) {
    const int v = NumberOf(k);
    if (v < 1 || v > 12) return false;
    h.choice = static_cast<signed char>(v);
    h.count = 0;
    return true;
  }
  if (h.count < p.digits && !p.endsEarly) return false;
  if (NumberOf(k) < p.min) return false;
  // Padded as the commit shows it, so the text does not move when the field
  // is left, and the answers read the part alike either way.
  if (h.count < p.pad) {
    const std::size_t zeros = p.pad - h.count;
    std::memmove(h.chars + zeros, h.chars, h.count);
    std::memset(h.chars, '0', zeros);
    h.count = p.pad;
  }
  return true;
}

bool DateField::Locate(std::size_t position, std::size_t& k, std::size_t& offset) const noexcept {
  for (std::size_t j = 0; j < pieceCount_; ++j) {
    if (!Typeable(j)) continue;
    const std::size_t start = startOf_[j], end = startOf_[j + 1];
    if (position < start) {
      k = j;
      offset = 0;
      return true;
    }
    // At the end of a part that can take more, typing goes on in it.
    if (position < end || (position == end && held_[j].count > 0 && !Complete(j))) {
      k = j;
      offset = position - start;
      return true;
    }
  }
  return false;
}

std::size_t DateField::PieceAt(std::size_t position) const noexcept {
  std::size_t k = 0;
  while (k < pieceCount_ && startOf_[k + 1] <= position) ++k;
  return k;
}

void DateField::Place(std::size_t k, std::size_t offset, std::size_t& start, std::size_t& end) const noexcept {
  const std::size_t width = startOf_[k + (k < pieceCount_)] - startOf_[k];
  start = end = startOf_[k] + (offset < width ? offset : width);
}

// Types one character at `position`; false when refused.
bool DateField::TypeChar(char c, std::size_t& position, bool& decided) noexcept {
  std::size_t k = pieceCount_, offset = 0;
  const bool found = Locate(position, k, offset);
  if (found && held_[k].choice == 0 && offset > held_[k].count) offset = held_[k].count;  // among the prompts
  auto landed = [&](std::size_t part, std::size_t at, Put put) {
    decided = put == Put::kComplete && IsCharAlphaA(c);
    Render();
    if (put == Put::kComplete) {
      // The separators after a complete part appear by themselves.
      const std::size_t next = NextPart(part + 1);
      position = next < pieceCount_ ? startOf_[next] : startOf_[part + 1];
    } else {
      position = startOf_[part] + at + 1;
    }
    return true;
  };
  if (IsCharAlphaA(c)) {
    // A word where a weekday is shown is read as that weekday: passed over.
    std::size_t j = PieceAt(position);
    while (j < pieceCount_ && pieces_[j].kind == Kind::kLiteral) ++j;
    if (j < pieceCount_ && pieces_[j].kind == Kind::kWeekday) {
      position = startOf_[j + 1];
      decided = true;
      return true;
    }
  }
  if (found && IsCharAlphaNumericA(c)) {
    const Put put = PutChar(k, offset, c);
    if (put == Put::kTaken || put == Put::kComplete) return landed(k, offset, put);
    const std::size_t next = NextPart(k + 1);
    if (put == Put::kNoFit && position > startOf_[k] && next < pieceCount_) {
      // The part ends here and the character begins the next one.
      const Held saved = held_[k];
      if (End(k)) {
        const Put again = PutChar(next, 0, c);
        if (again == Put::kTaken || again == Put::kComplete) return landed(next, 0, again);
      }
      held_[k] = saved;
    }
  }
  // A literal ahead, before the next part: the part at the caret ends there.
  const bool inPart = found && position >= startOf_[k] && (held_[k].count > 0 || held_[k].choice > 0);
  for (std::size_t j = inPart ? k + 1 : PieceAt(position); j < pieceCount_ && !Typeable(j); ++j) {
    if (pieces_[j].kind != Kind::kLiteral || pieces_[j].literal != c) continue;
    if (inPart && !End(k)) return false;
    Render();
    position = startOf_[j + 1];
    return true;
  }
  // The literal just passed, typed again: taken, nothing changes.
  return found && position == startOf_[k] && k > 0 && held_[k].count == 0 && held_[k].choice == 0 &&
         pieces_[k - 1].kind == Kind::kLiteral && pieces_[k - 1].literal == c;
}

// In a pasted or loaded text a prompt (or "_", the raw value's mark) stands
// for an empty position of a part: the caret passes it, so that a field
// shown with an empty part ("__/__/____ 03:23") loads as it is shown.
bool DateField::SkipEmpty(std::size_t& position) const noexcept {
  std::size_t k = 0, offset = 0;
  if (!Locate(position, k, offset) || position < startOf_[k]) return false;
  if (held_[k].choice > 0 || offset < held_[k].count || position >= startOf_[k + 1]) return false;
  ++position;
  return true;
}

// A text in the raw form, laid out under the mask; false for any other.
bool DateField::RawToShown(const char* chars, std::size_t n, char* out) const noexcept {
  if (n >= kAnswerBytes) return false;
  char text[kAnswerBytes];
  std::memcpy(text, chars, n);
  text[n] = '\0';
  const IntlSettings& s = Intl();
  const char* date = editType_ == etTime ? nullptr : text;
  const char* time = editType_ == etTime ? text : nullptr;
  if (editType_ == etDateTime) {
    if (char* blank = std::strchr(text, ' ')) {
      *blank = '\0';
      time = blank + 1;
    }
  }
  char check[kAnswerBytes];
  std::size_t length = 0;
  if (date) {
    DateParts parts;
    ParseDate(date, s.sRawDateMask, parts, false, s);
    if (parts.empty) return false;
    FormatDate(check, sizeof check, s.sRawDateMask, parts, s);
    if (std::strcmp(check, date) != 0) return false;
    FormatDate(out, kAnswerBytes, dateMask_, parts, s);
    length = std::strlen(out);
  }
  if (time) {
    TimeValue t = ReadTimeLenient(time, s.sRawTimeMask);
    if (t.isBlank || !IsTimeInRange(t)) return false;
    TimeValue written = t;
    FormatTime(check, sizeof check, s.sRawTimeMask, written);
    if (std::strcmp(check, time) != 0) return false;
    // As the formatted value renders it.
    NormaliseTime(t);
    if (date && length + 1 < kAnswerBytes) out[length++] = ' ';
    FormatTime(out + length, kAnswerBytes - length, timeMask_, t);
  }
  return true;
}

void DateField::Erase(std::size_t k, std::size_t from, std::size_t to) noexcept {
  Held& h = held_[k];
  if (h.choice > 0) {
    h.choice = 0;
    return;
  }
  if (to > h.count) to = h.count;
  if (from >= to) return;
  std::memmove(h.chars + from, h.chars + to, h.count - to);
  h.count = static_cast<unsigned char>(h.count - (to - from));
}

void DateField::RemoveSelection(std::size_t start, std::size_t end) noexcept {
  for (std::size_t k = 0; k < pieceCount_; ++k) {
    const std::size_t s = startOf_[k], e = startOf_[k + 1];
    if (!Typeable(k) || e <= start || s >= end) continue;
    Erase(k, (start > s ? start : s) - s, (end < e ? end : e) - s);
  }
}

bool DateField::Insert(const char* chars, std::size_t n, std::size_t& start, std::size_t& end) noexcept {
  Held saved[kMaxPieces];
  const bool selection = start < end;
  std::size_t position = start;
  if (selection) {  // cleared, and put back when nothing is taken
    std::memcpy(saved, held_, sizeof held_[0] * pieceCount_);
    const std::size_t k = PieceAt(start);
    const std::size_t offset = start - startOf_[k];
    RemoveSelection(start, end);
    Render();
    Place(k, offset, position, position);
  }
  char shown[kAnswerBytes];
  if (n > 1 && RawToShown(chars, n, shown)) {
    chars = shown;
    n = std::strlen(shown);
  }
  bool taken = false, decided = false;
  for (std::size_t i = 0; i < n; ++i) {
    const char c = chars[i];
    if (decided && IsCharAlphaA(c)) continue;  // the rest of a name's word
    decided = false;
    if (n > 1 && (c == '_' || c == prompt_) && SkipEmpty(position)) continue;
    if (c != '\0') taken |= TypeChar(c, position, decided);
  }
  if (!taken) {
    if (selection) {
      std::memcpy(held_, saved, sizeof held_[0] * pieceCount_);
      Render();
    }
    return false;
  }
  start = end = position;
  return true;
}

bool DateField::DeleteBackward(std::size_t& start, std::size_t& end) noexcept {
  if (start < end) {
    const std::size_t k = PieceAt(start);
    const std::size_t offset = start - startOf_[k];
    RemoveSelection(start, end);
    Render();
    Place(k, offset, start, end);
    return true;
  }
  // The part before the caret, past any literals.
  for (std::size_t j = pieceCount_; j-- > 0;) {
    if (!Typeable(j) || startOf_[j] >= start) continue;
    const std::size_t at = (start < startOf_[j + 1] ? start : startOf_[j + 1]) - startOf_[j];
    const std::size_t offset = held_[j].choice > 0 ? 1 : at < held_[j].count ? at : held_[j].count;
    if (offset > 0) Erase(j, offset - 1, offset);
    Render();
    start = end = startOf_[j] + (offset > 0 ? offset - 1 : 0);
    return true;
  }
  return false;
}

bool DateField::DeleteForward(std::size_t& start, std::size_t& end) noexcept {
  if (start < end) return DeleteBackward(start, end);
  for (std::size_t j = 0; j < pieceCount_; ++j) {
    if (!Typeable(j) || startOf_[j + 1] <= start) continue;
    const std::size_t offset = start > startOf_[j] ? start - startOf_[j] : 0;
    if (held_[j].choice == 0 && offset >= held_[j].count) {
      start = end = startOf_[j + 1];  // nothing after the caret here: stepped over
      return true;
    }
    const std::size_t at = held_[j].choice > 0 ? 0 : offset;  // a name goes whole
    Erase(j, at, at + 1);
    Render();
    start = end = startOf_[j] + at;
    return true;
  }
  return false;
}

}  // namespace zorva
