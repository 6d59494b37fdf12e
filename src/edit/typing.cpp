// The keystrokes: insertion and deletion under a character mask, and in
// plain text (editor.h has the rules).
#include <cstring>

#include "edit/editor.h"
#include "intl/settings.h"

namespace zorva {

void Editor::ClearSelection() noexcept {
  if (kind_ == Kind::kPlain) {
    std::memmove(text_ + start_, text_ + end_, length_ - end_ + 1);
    length_ -= end_ - start_;
  } else {
    for (std::size_t i = start_; i < end_; ++i) slots_[i] = 0;
  }
  end_ = start_;
}

// Whether placeholder cell q takes c, or c leaves it empty ("_", or the
// prompt where the placeholder refuses it); `stored` is what it then holds.
bool Editor::Takes(std::size_t q, char c, char& stored) const noexcept {
  stored = c == '_' ? '\0' : TakenBy(cells_[q].c, c, Intl());
  return stored || c == '_' || (c == prompt_ && c != '\0');
}

// A pasted text whose every character the placeholders from the caret on
// take in turn: raw characters, even where one equals a literal.
bool Editor::FitsAsRaw(const char* text, std::size_t length) const noexcept {
  std::size_t q = start_;
  for (std::size_t i = 0; i < length; ++i, ++q) {
    while (q < cellCount_ && !cells_[q].placeholder) ++q;
    char stored;
    if (q == cellCount_ || !Takes(q, text[i], stored)) return false;
  }
  return true;
}

bool Editor::InsertChars(const char* text, std::size_t length) noexcept {
  // A typed character equal to a literal ahead steps past it; a paste does
  // when it is no run of raw characters.
  const bool raw = length > 1 && FitsAsRaw(text, length);
  std::size_t at = start_;
  bool taken = false;
  // What is taken depends on the cells only, never on what the slots hold,
  // so the selection is cleared once the first character is known to land.
  auto take = [&] {
    if (!taken) ClearSelection();
    taken = true;
  };
  for (std::size_t i = 0; i < length; ++i) {
    const char c = text[i];
    if (c == '\0') continue;
    std::size_t q = at;
    while (q < cellCount_ && !cells_[q].placeholder && (raw || cells_[q].c != c)) ++q;
    if (q < cellCount_ && !cells_[q].placeholder) {  // the literal ahead: step past it
      take();
      at = q + 1;
      continue;
    }
    if (q == cellCount_) continue;  // no placeholder left
    char stored;
    if (!Takes(q, c, stored)) continue;
    take();
    slots_[q] = stored;  // 0: the position left empty
    at = q + 1;
  }
  if (!taken) return false;
  start_ = end_ = at;
  return true;
}

bool Editor::InsertPlain(const char* text, std::size_t length) noexcept {
  std::size_t wanted = 0;
  for (std::size_t i = 0; i < length; ++i) wanted += text[i] != '\0';
  const std::size_t room = kTextChars - (length_ - (end_ - start_));
  const std::size_t n = wanted < room ? wanted : room;
  if (n == 0) return false;
  ClearSelection();
  std::memmove(text_ + start_ + n, text_ + start_, length_ - start_ + 1);
  for (std::size_t i = 0, k = 0; k < n; ++i) {
    if (text[i] != '\0') text_[start_ + k++] = text[i];
  }
  length_ += n;
  start_ = end_ = start_ + n;
  return true;
}

bool Editor::DeleteBackward() noexcept {
  Resume();
  bool taken = false;
  if (OnField([&](auto& field) { taken = field.DeleteBackward(start_, end_); })) {
    Render();
    return taken;
  }
  if (start_ == end_) {
    std::size_t q = start_;
    if (kind_ == Kind::kPlain) {
      if (q == 0) return false;
      --start_;
    } else {
      while (q > 0 && !cells_[q - 1].placeholder) --q;  // past the literals
      if (q == 0) return false;
      start_ = end_ = q - 1;
      ++end_;
    }
  }
  ClearSelection();
  Render();
  return true;
}

bool Editor::DeleteForward() noexcept {
  Resume();
  bool taken = false;
  if (OnField([&](auto& field) { taken = field.DeleteForward(start_, end_); })) {
    Render();
    return taken;
  }
  if (start_ == end_) {
    if (kind_ == Kind::kPlain) {
      if (end_ == length_) return false;
      ++end_;
    } else {
      std::size_t q = start_;
      while (q < cellCount_ && !cells_[q].placeholder) ++q;
      if (q == cellCount_) return false;
      slots_[q] = 0;
      start_ = end_ = q + 1;  // so that the next key clears the next position
      Render();
      return true;
    }
  }
  ClearSelection();
  Render();
  return true;
}

}  // namespace zorva
