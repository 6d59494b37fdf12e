// A date or time field's layout from its mask, and what it shows.
#include "edit/date_field.h"

#include <cstring>

#include "date/date_format.h"
#include "date/date_mask.h"
#include "date/date_parse.h"
#include "intl/settings.h"
#include "platform/bounded_text.h"
#include "platform/codepage.h"
#include "service/value_types.h"
#include "time/time_format.h"
#include "time/time_mask.h"

namespace zorva {

bool DateField::Prepare(int editType, const char* mask, char prompt) noexcept {
  editType_ = editType;
  prompt_ = prompt;
  pieceCount_ = designatorCount_ = 0;
  unusable_ = hasWeekday_ = false;
  const std::size_t length = std::strlen(mask);
  if (editType == etDateTime) {
    // The halves as the service cuts them, at the first blank.
    const char* blank = std::strchr(mask, ' ');
    if (!blank || static_cast<std::size_t>(blank - mask) >= sizeof dateMask_ ||
        std::strlen(blank + 1) >= sizeof timeMask_) {
      return false;
    }
    CopyCut(dateMask_, mask, static_cast<std::size_t>(blank - mask));
    CopyCut(timeMask_, blank + 1, std::strlen(blank + 1));
    LayDate(dateMask_, std::strlen(dateMask_));
    datePieces_ = pieceCount_;
    AddLiteral(' ');
    LayTime(timeMask_);
  } else if (length >= sizeof dateMask_) {
    return false;  // longer than the engines read a mask
  } else if (editType == etDate) {
    CopyCut(dateMask_, mask, length);
    LayDate(dateMask_, length);
    datePieces_ = pieceCount_;
  } else {
    CopyCut(timeMask_, mask, length);
    LayTime(timeMask_);
    datePieces_ = 0;
  }
  bool typeable = false;
  for (std::size_t k = 0; k < pieceCount_; ++k) typeable |= Typeable(k);
  if (unusable_ || !typeable) return false;
  Clear();
  return true;
}

void DateField::AddLiteral(char c) noexcept {
  if (pieceCount_ == kMaxPieces) {
    unusable_ = true;
    return;
  }
  Piece& p = pieces_[pieceCount_++];
  p = Piece{};
  p.literal = c;
}

DateField::Piece* DateField::AddPart(Kind kind) noexcept {
  if (pieceCount_ == kMaxPieces) {
    unusable_ = true;
    return nullptr;
  }
  Piece& p = pieces_[pieceCount_++];
  p = Piece{};
  p.kind = kind;
  return &p;
}

void DateField::LayDate(const char* mask, std::size_t length) noexcept {
  const DateTokenLetters letters = DateLettersOf(Intl());
  for (const char* m = mask; m < mask + length;) {
    const DatePart part = DatePartOf(letters, *m);
    if (part == kNoDatePart) {
      AddLiteral(*m++);
      continue;
    }
    const std::size_t run = RunLength(m);
    m += run;
    const DateRunForm form = DateRunFormOf(part, run);
    Piece* p = AddPart(form.weekday ? Kind::kWeekday : form.monthName ? Kind::kMonthName : Kind::kDigits);
    if (!p) return;
    p->placeholders = static_cast<unsigned char>(form.placeholders);
    p->fullName = form.fullName;
    hasWeekday_ |= form.weekday;
    p->digits = part == kYearPart ? static_cast<unsigned char>(form.digits) : 2;
    p->min = part == kYearPart && run != 4 ? 0 : 1;
    p->max = part == kDayPart ? 31 : part == kMonthPart ? 12 : run == 4 ? 9999 : 99;
    // A four-digit year is not guessed from fewer digits: "26" is no year 26.
    p->endsEarly = !(part == kYearPart && run == 4);
    p->pad = form.placeholders >= 2 && !form.monthName ? p->digits : 0;
  }
}

void DateField::LayTime(const char* mask) noexcept {
  unsigned fields = 0;
  for (std::size_t i = 0;;) {
    const TimeMaskPiece piece = NextTimeMaskPiece(mask + i);
    if (piece.kind == TimeMaskPiece::kEnd) return;
    if (piece.kind == TimeMaskPiece::kText) {
      for (std::size_t k = 0; k < piece.textLength; ++k) AddLiteral(piece.text[k]);
    } else if (piece.kind == TimeMaskPiece::kDesignator) {
      if (designatorCount_ == sizeof designators_ / sizeof designators_[0]) {
        unusable_ = true;
        return;
      }
      const DesignatorRun run = ReadDesignatorRun(mask + i);
      // Without "/" the run shows the hours' half of the day by itself, or
      // nothing: there is nothing to type; an empty text reads back as none.
      if (!run.pair || !run.am[0] || !run.pm[0]) {
        unusable_ = true;
        return;
      }
      Piece* p = AddPart(Kind::kDesignator);
      if (!p) return;
      Designator& d = designators_[designatorCount_];
      std::memcpy(d.am, run.am, sizeof d.am);
      std::memcpy(d.pm, run.pm, sizeof d.pm);
      p->designator = static_cast<unsigned char>(designatorCount_++);
      p->placeholders = 2;
    } else {
      // "hH", or a field twice ("hhh", "hh:mm:hh"): shown, read and
      // checked as different fields, which no typing satisfies together.
      const unsigned bit = 1u << piece.kind;
      if ((piece.length == 2 && mask[i] != mask[i + 1]) || (fields & bit)) {
        unusable_ = true;
        return;
      }
      fields |= bit;
      Piece* p = AddPart(Kind::kDigits);
      if (!p) return;
      p->digits = 2;
      p->placeholders = static_cast<unsigned char>(piece.length);
      p->pad = piece.length == 2 ? 2 : 0;
      // Hours before an AM/PM pair are on the 12-hour clock; 24 is midnight.
      p->max = piece.kind != TimeMaskPiece::kHours ? 59 : HasDesignatorPair(mask + i) ? 12 : 24;
    }
    i += piece.length;
  }
}

void DateField::Clear() noexcept {
  std::memset(held_, 0, sizeof held_);
  Render();
}

bool DateField::Typeable(std::size_t k) const noexcept {
  const Kind kind = pieces_[k].kind;
  return kind == Kind::kDigits || kind == Kind::kMonthName || kind == Kind::kDesignator;
}

int DateField::NumberOf(std::size_t k) const noexcept {
  int v = 0;
  for (std::size_t i = 0; i < held_[k].count; ++i) v = v * 10 + CrtDigitValue(held_[k].chars[i]);
  return v;
}

bool DateField::Complete(std::size_t k) const noexcept {
  const Piece& p = pieces_[k];
  if (held_[k].choice > 0) return true;
  if (p.kind != Kind::kDigits || held_[k].count == 0) return false;
  return held_[k].count >= p.digits || NumberOf(k) * 10 > p.max;
}

std::size_t DateField::NextPart(std::size_t k) const noexcept {
  while (k < pieceCount_ && !Typeable(k)) ++k;
  return k;
}

// The weekday of the date entered, or -1 while it is no valid date.
int DateField::Weekday() const noexcept {
  char text[kAnswerBytes];
  {
    BoundedText out(text, sizeof text);
    for (std::size_t k = 0; k < datePieces_; ++k) Write(out, k, '_', -1);
  }
  const IntlSettings& s = Intl();
  DateParts parts;
  ParseDate(text, dateMask_, parts, false, s);
  if (parts.empty || !IsValidDate(parts) || !CheckDateShape(text, dateMask_, s)) return -1;
  return WeekdayOf(parts);
}

void DateField::Write(BoundedText& out, std::size_t k, char prompt, int weekday) const noexcept {
  const Piece& p = pieces_[k];
  const Held& h = held_[k];
  const IntlSettings& s = Intl();
  switch (p.kind) {
    case Kind::kLiteral: out.Put(p.literal); return;
    case Kind::kWeekday:
      if (weekday >= 0)
        out.Put(p.fullName ? s.sDayNames[weekday] : s.sDayShortNames[weekday]);
      else
        out.Put(prompt, p.placeholders);
      return;
    case Kind::kMonthName:
      if (h.choice > 0) {
        out.Put(p.fullName ? s.sMonthNames[h.choice - 1] : s.sMonthShortNames[h.choice - 1]);
        return;
      }
      break;
    case Kind::kDesignator:
      if (h.choice > 0) {
        const Designator& d = designators_[p.designator];
        out.Put(h.choice == 1 ? d.am : d.pm);
        return;
      }
      break;
    case Kind::kDigits: break;
  }
  for (std::size_t i = 0; i < h.count; ++i) out.Put(h.chars[i]);
  if (h.count < p.placeholders) out.Put(prompt, p.placeholders - h.count);
}

void DateField::Render() noexcept {
  const int weekday = hasWeekday_ ? Weekday() : -1;
  BoundedText out(shown_, sizeof shown_);
  for (std::size_t k = 0; k < pieceCount_; ++k) {
    startOf_[k] = out.length();
    Write(out, k, prompt_, weekday);
  }
  shownLength_ = startOf_[pieceCount_] = out.length();
}

std::size_t DateField::Value(char* dest) const noexcept {
  std::size_t last = pieceCount_;
  for (std::size_t k = 0; k < pieceCount_; ++k) {
    if (Typeable(k) && (held_[k].count > 0 || held_[k].choice > 0)) last = k;
  }
  if (last == pieceCount_) {
    dest[0] = '\0';
    return 0;
  }
  // The literals after the last part that holds something, when no part follows.
  const std::size_t end = NextPart(last + 1) < pieceCount_ ? last + 1 : pieceCount_;
  const int weekday = hasWeekday_ ? Weekday() : -1;
  BoundedText out(dest, kAnswerBytes);
  for (std::size_t k = 0; k < end; ++k) Write(out, k, '_', weekday);
  return out.length();
}

}  // namespace zorva
