// How the mask "Yes/No" reads a typed word, for the libc and ICU peers of
// the boolean parse job, so that they do the job zmask does: a leading 0, 1
// or 2 decides alone; otherwise the first position where the word matches
// exactly one of "yes" and "no" (case ignored) decides ("Y", "nope"), and a
// word matching neither reads as false ("true" too). An empty word, or one
// that starts with a blank, has no answer.
#pragma once

#include <cstddef>

namespace bench {

// fold: the peer's own mapping of one unit to lower case. Returns '0', '1',
// '2', or 0 for no answer.
template <class Unit, class Fold>
char YesNoState(const Unit* word, std::size_t n, Fold fold) {
  if (n == 0 || word[0] == ' ') return 0;
  if (word[0] == '0' || word[0] == '1' || word[0] == '2') return static_cast<char>(word[0]);
  constexpr char kYes[] = "yes", kNo[] = "no";
  // Past the third letter both words are spent: nothing more decides.
  for (std::size_t i = 0; i < n && i < 3; ++i) {
    const auto c = fold(word[i]);
    const char yes = kYes[i], no = i < 2 ? kNo[i] : '\0';
    if (c == yes && c != no) return '1';
    if (c == no && c != yes) return '0';
  }
  return '0';
}

}  // namespace bench
