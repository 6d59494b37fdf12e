#include "progress.h"

#include <time.h>
#include <unistd.h>

#include <cstdio>

namespace zmask {
namespace {

bool shownOnTerminal = false;

double Seconds() {
  timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

}  // namespace

Progress::Progress(std::uint64_t size)
    : on_(isatty(2) && !isatty(1)), size_(size), started_(Seconds()) {}

Progress::~Progress() { ClearProgress(); }

void Progress::Show(std::uint64_t read) {
  const double now = Seconds();
  // Only a run that lasts shows it, and at most four times a second.
  if (now - started_ < 1 || now - shown_ < 0.25) return;
  shown_ = now;
  std::fprintf(stderr, "\rzmask: %llu rows, %.0f rows/s", static_cast<unsigned long long>(rows_),
               static_cast<double>(rows_) / (now - started_));
  if (size_ && read <= size_) std::fprintf(stderr, ", %d%%", static_cast<int>(100.0 * read / size_));
  std::fputs("\033[K", stderr);
  shownOnTerminal = true;
}

void ClearProgress() {
  if (!shownOnTerminal) return;
  std::fputs("\r\033[K", stderr);
  shownOnTerminal = false;
}

}  // namespace zmask
