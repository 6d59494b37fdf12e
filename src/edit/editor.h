// One field as a user types into it: the text shown, the selection and,
// under a character mask, what each placeholder holds. Texts in and out are
// UTF-8; positions (caret, selection) count characters. Everything lives in
// the object, so an operation allocates nothing, and every text is bounded.
//
// Under a character mask every placeholder shows the prompt until it is
// filled and the literals stay in place:
//   - typed or pasted text goes, character by character, into the next
//     placeholder from the selection's start; a character equal to a literal
//     ahead of it (before the next placeholder) moves the caret past that
//     literal instead, so a formatted text and raw characters both land;
//     but a pasted text whose characters the placeholders from the caret
//     take one each is raw characters, each to its placeholder, even one
//     equal to a literal;
//     "_" (the raw value's mark of an empty placeholder), and the prompt
//     where the placeholder does not take it, leave the position empty;
//     a character the placeholder does not take is dropped, and when nothing
//     is taken the operation is refused and nothing changes;
//   - a typed character replaces what its position held; the caret ends
//     after the last position filled;
//   - deleting clears placeholders and never moves a literal: backward
//     clears the placeholder before the caret, past any literals, forward
//     the one after it and moves the caret past it; a selection is cleared.
// Without a mask the field is plain text. A text field shows at most
// kTextChars characters, the most both answers keep of a text.
// Numbers are typed as number_field.h says, dates and times as
// date_field.h says, booleans as boolean_field.h says.
// Committing (leaving the field) checks the value and shows it formatted.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "charmask/charmask.h"
#include "edit/boolean_field.h"
#include "edit/date_field.h"
#include "edit/number_field.h"
#include "service/answer_size.h"
#include "zorva/masked_edit.h"

namespace zorva {

class Editor {
 public:
  // The longest text a field shows: the longest answer.
  static constexpr std::size_t kMaxChars = kAnswerChars;
  // A text: both answers keep 254 characters of it.
  static constexpr std::size_t kTextChars = kAnswerChars - 1;
  // Characters of one insertion read; a longer paste is cut there.
  static constexpr std::size_t kMaxInsert = 4 * kAnswerChars;

  // Null when the type is never edited (the binary kinds), a character mask
  // shows more than kTextChars characters, a number's mask shows no digits,
  // a date or time mask has no part to type into or more than 63
  // characters, a date-time mask has no blank between its halves, a boolean text is
  // longer than an answer, or the
  // prompt is not one character of the code page other than a control
  // character.
  // Throws std::bad_alloc as PreparedMask does.
  static std::unique_ptr<Editor> Create(std::int32_t valueType, std::string_view mask,
                                        std::string_view prompt);

  // Typing and pasting: the text replaces the selection. False when nothing
  // is taken; then nothing changes.
  bool Insert(std::string_view text) noexcept;
  bool DeleteBackward() noexcept;
  bool DeleteForward() noexcept;
  // Clamped to the text; the ends in either order.
  void Select(std::size_t start, std::size_t end) noexcept;
  // A value shown in the field anew (formatted or raw): inserted into an
  // empty field. False when none of it was taken.
  bool Load(std::string_view text) noexcept;
  // Leaving the field: a valid value is shown as the formatted value of its
  // raw value, any other without prompts. True when valid. The next
  // operation shows the prompts again.
  bool Commit();

  // UTF-8, like snprintf: the whole length returned.
  std::size_t Text(char* dest, std::size_t size) const noexcept;
  std::size_t Caret() const noexcept { return start_; }
  // The answers for the value entered so far: the text without prompts
  // (placeholders left empty inside it as "_"), or the committed text.
  bool Valid() const;
  std::size_t RawValue(char* dest, std::size_t size) const;

 private:
  // How the field is typed into; kDate covers times and date-times too.
  enum class Kind { kPlain, kCharacterMask, kNumber, kDate, kBoolean };

  Editor(std::int32_t valueType, std::string_view mask, char prompt, Kind kind);
  // The operations on code-page text; 0 stands for a character the code
  // page cannot show, which nothing takes.
  bool InsertChars(const char* text, std::size_t length) noexcept;
  bool Takes(std::size_t cell, char c, char& stored) const noexcept;
  bool FitsAsRaw(const char* text, std::size_t length) const noexcept;
  bool InsertPlain(const char* text, std::size_t length) noexcept;
  void ClearSelection() noexcept;
  // After a commit: the field as it was edited, prompts shown again.
  void Resume() noexcept;
  void Render() noexcept;
  // Calls f with the field a number, a date or a boolean is typed into;
  // false for plain text and character masks, which the cells below hold.
  template <typename F>
  bool OnField(F&& f) {
    switch (kind_) {
      case Kind::kNumber: f(number_); return true;
      case Kind::kDate: f(date_); return true;
      case Kind::kBoolean: f(boolean_); return true;
      default: return false;
    }
  }
  const char* EffectiveText() const noexcept;  // the mask, or the type's default
  std::size_t Value(char* dest) const noexcept;  // at most kMaxChars + terminator

  PreparedMask mask_;
  std::int32_t valueType_;
  Kind kind_;
  NumberField number_;
  DateField date_;
  BooleanField boolean_;
  char prompt_;
  bool committed_ = false;
  std::size_t cellCount_ = 0;
  MaskCell cells_[kMaxChars];
  char slots_[kMaxChars];     // what each placeholder holds, 0 when empty
  char text_[kMaxChars + 1];  // what the field shows, in the code page
  std::size_t length_ = 0;
  std::size_t start_ = 0, end_ = 0;  // the selection, start <= end
};

}  // namespace zorva
