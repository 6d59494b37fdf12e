// A date, a time or a date-time as it is typed: the mask laid out as
// pieces (each literal character, and each part: day, month, year, hours,
// minutes, seconds, AM/PM, weekday), every part showing the prompt until it
// holds something. Positions given and returned are positions in the text
// shown.
//
//   - A digit goes into the part at the caret, replacing what the part held
//     from the caret on. A part is complete when it holds all its digits or
//     no further digit could keep it in range ("4" in a day, "2" in a month,
//     "7" in minutes); it is then padded as the commit shows it ("04" under
//     "dd", "4" under "d") and the caret moves past the literals after it,
//     so separators appear by themselves. A digit that does not fit an
//     incomplete part at its end completes that part and goes on into the
//     next one ("1" then "5" in a month: "01", then 5 in the day).
//   - A literal typed after a part ends it early ("1/" shows "01/"); the
//     literal just passed typed again into the empty part after it is taken
//     and changes nothing, so a formatted paste lands as typing does. A
//     four-digit year, a month name or a designator begun but not decided
//     cannot end early.
//   - Letters: a month name run takes the beginning of a month's name
//     (case ignored) and shows the name once one month is left ("Ja" ->
//     "Jan"), or a month number; an AM/PM part takes the beginning of the
//     mask's own texts ("p" -> "PM"). The rest of a pasted word after a
//     name or designator is decided is read as part of it.
//   - A weekday run shows the name of the date entered once it is valid; it
//     is never typed into: a word typed where it stands is passed over.
//   - A paste in the raw form (what the raw value is: "2026-12-31",
//     "23:05:00", the two joined by a blank) is shown as the formatted value
//     and typed in.
//   - Anything else is refused: when nothing of an insertion is taken,
//     nothing changes.
//   - Deleting removes one character of a part (a whole name or designator),
//     past the literals, and never moves a literal; a selection removes what
//     it covers in each part.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/bounded_text.h"
#include "service/answer_size.h"

namespace zorva {

class DateField {
 public:
  // editType is etDate, etTime or etDateTime; mask is the effective mask.
  // False when the mask has no part to type into, more pieces than a field
  // keeps, more than 63 characters (in a half), a designator run without
  // two texts to type ("AM/PM", not "X" nor "AM//PM"), a time field twice or of two letters in two
  // cases ("hh:mm:hh", "hH": shown as one field but checked as two), or, for a date-time, no blank
  // between its halves.
  bool Prepare(int editType, const char* mask, char prompt) noexcept;
  void Clear() noexcept;
  // As Editor's operations: false when refused, and then nothing changes.
  bool Insert(const char* chars, std::size_t n, std::size_t& start, std::size_t& end) noexcept;
  bool DeleteBackward(std::size_t& start, std::size_t& end) noexcept;
  bool DeleteForward(std::size_t& start, std::size_t& end) noexcept;
  std::string_view Shown() const noexcept { return {shown_, shownLength_}; }
  // The value for the answers: up to the last part that holds something,
  // prompts as "_" (the raw value's mark), the literals after it when no
  // part follows; empty when no part holds anything. dest holds kAnswerBytes.
  std::size_t Value(char* dest) const noexcept;

 private:
  static constexpr std::size_t kMaxPieces = 64;
  static constexpr std::size_t kHeld = 12;  // a designator text's 11 characters and one

  enum class Kind : unsigned char { kLiteral, kDigits, kMonthName, kWeekday, kDesignator };
  enum class Put : unsigned char { kTaken, kComplete, kNoFit, kRefused };

  // What a piece is: fixed by the mask.
  struct Piece {
    Kind kind = Kind::kLiteral;
    char literal = 0;
    unsigned char digits = 0;        // most digits held
    unsigned char placeholders = 0;  // prompts shown when empty
    unsigned char pad = 0;           // width a complete part is padded to
    bool endsEarly = true;           // may be completed before all its digits
    bool fullName = false;           // month and weekday names: the full one
    std::int16_t min = 0, max = 0;   // a number's range
    unsigned char designator = 0;    // index into designators_
  };
  // What a part holds: digits or the letters begun, or a decided choice
  // (a month 1..12, AM 1 or PM 2).
  struct Held {
    char chars[kHeld];
    unsigned char count;
    signed char choice;
  };
  struct Designator {
    char am[12], pm[12];
  };

  void AddLiteral(char c) noexcept;
  Piece* AddPart(Kind kind) noexcept;
  void LayDate(const char* mask, std::size_t length) noexcept;
  void LayTime(const char* mask) noexcept;

  bool Typeable(std::size_t k) const noexcept;
  bool SkipEmpty(std::size_t& position) const noexcept;
  bool Complete(std::size_t k) const noexcept;
  int NumberOf(std::size_t k) const noexcept;
  std::size_t NextPart(std::size_t k) const noexcept;  // the first typeable piece from k on
  Put PutChar(std::size_t k, std::size_t offset, char c) noexcept;
  Put PutLetter(std::size_t k, std::size_t offset, char c) noexcept;
  bool End(std::size_t k) noexcept;  // completes a part early
  // Where a typed character lands: the part and its offset.
  bool Locate(std::size_t position, std::size_t& k, std::size_t& offset) const noexcept;
  bool TypeChar(char c, std::size_t& position, bool& decided) noexcept;
  bool RawToShown(const char* chars, std::size_t n, char* out) const noexcept;
  void Erase(std::size_t k, std::size_t from, std::size_t to) noexcept;
  void RemoveSelection(std::size_t start, std::size_t end) noexcept;
  std::size_t PieceAt(std::size_t position) const noexcept;
  void Render() noexcept;
  void Place(std::size_t k, std::size_t offset, std::size_t& start, std::size_t& end) const noexcept;
  void Write(BoundedText& out, std::size_t k, char prompt, int weekday) const noexcept;
  int Weekday() const noexcept;

  Piece pieces_[kMaxPieces];
  Held held_[kMaxPieces];
  Designator designators_[kMaxPieces / 2];
  std::size_t pieceCount_ = 0, designatorCount_ = 0;
  std::size_t datePieces_ = 0;  // the pieces of the date half
  bool unusable_ = false;       // the mask cannot be laid out
  bool hasWeekday_ = false;
  char dateMask_[64] = {};  // the date half, for the weekday
  char timeMask_[64] = {};
  int editType_ = 0;
  char prompt_ = '_';
  char shown_[kAnswerBytes];
  std::size_t shownLength_ = 0;
  std::size_t startOf_[kMaxPieces + 1];  // where each piece is shown
};

}  // namespace zorva
