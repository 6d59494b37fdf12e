// A boolean as it is typed: the field shows the mask's true text, its false
// text, "2" (the third state) or the beginning of a text not decided yet.
//   - "1", "0" and "2" decide alone, as the reader takes them;
//   - other characters are matched with the beginnings of the two texts,
//     case ignored: once one text is left it is shown whole ("y" -> "Yes"),
//     while both are ("O" under On/Off) what is typed is shown in the
//     texts' own case; a character that begins neither is refused;
//   - a character that goes on with neither text begins anew ("n" over
//     "Yes" shows "No"); a paste ends at the first character refused once a
//     text is decided;
//   - deleting takes back one character of an undecided beginning, or the
//     whole text.
#pragma once

#include <cstddef>
#include <string_view>

namespace zorva {

class BooleanField {
 public:
  // mask: the effective mask. False when a text is longer than an answer.
  bool Prepare(const char* mask) noexcept;
  void Clear() noexcept {
    shown_ = {mask_, 0};  // empty, never null
    decided_ = false;
  }
  bool Insert(const char* chars, std::size_t n, std::size_t& start, std::size_t& end) noexcept;
  bool DeleteBackward(std::size_t& start, std::size_t& end) noexcept;
  bool DeleteForward(std::size_t& start, std::size_t& end) noexcept;
  std::string_view Shown() const noexcept { return shown_; }

 private:
  bool Type(char c) noexcept;

  const char* mask_ = "";
  std::string_view true_, false_;
  std::string_view shown_;  // a piece of the mask, or "2"
  bool decided_ = false;
};

}  // namespace zorva
