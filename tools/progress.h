// A progress line for long runs: on standard error when that is a terminal
// and the answers go elsewhere (on the same terminal they would break it).
// It shows rows, rows per second and, for an input of known size, how much
// of it is read; any message clears it first, so none is glued to it.
#pragma once

#include <cstdint>

namespace zmask {

class Progress {
 public:
  // size: the input's bytes when known (a regular file), else 0.
  explicit Progress(std::uint64_t size);
  ~Progress();
  Progress(const Progress&) = delete;
  Progress& operator=(const Progress&) = delete;

  // After each row; `read`: the input's bytes read so far.
  void Row(std::uint64_t read) {
    if (on_ && (++rows_ & 0xFFF) == 0) Show(read);
  }

 private:
  void Show(std::uint64_t read);

  bool on_;
  std::uint64_t size_, rows_ = 0;
  double started_, shown_ = 0;
};

// Clears the progress line if one is shown; Complain calls it.
void ClearProgress();

}  // namespace zmask
