// What the libc and ICU stream programs share: their command line and the
// loop that reads stdin and writes stdout in 64 KiB blocks, one answer line
// per input line, as zmask does.
#pragma once

#include <cstdio>
#include <cstring>
#include <string_view>

namespace bench {

// The job's letter for a type name: c l d D T t b.
inline char KindOf(std::string_view type) {
  return type == "currency" ? 'c'
         : type == "long"   ? 'l'
         : type == "double" ? 'd'
         : type == "date"   ? 'D'
         : type == "time"   ? 'T'
         : type == "text"   ? 't'
                            : 'b';
}

// Calls answer(line, out, room) for every line; it writes at most `room`
// bytes at `out` and returns how many. A last line without "\n" counts.
template <class Answer>
void StreamLines(std::size_t room, Answer&& answer) {
  static char in[1 << 16], out[1 << 16];
  std::size_t held = 0, used = 0;
  for (;;) {
    const std::size_t got = std::fread(in + held, 1, sizeof in - held, stdin);
    held += got;
    std::size_t start = 0;
    for (;;) {
      const char* nl = static_cast<const char*>(std::memchr(in + start, '\n', held - start));
      if (!nl && (got > 0 || start == held)) break;
      const std::size_t stop = nl ? static_cast<std::size_t>(nl - in) : held;
      if (used > sizeof out - room - 1) {
        std::fwrite(out, 1, used, stdout);
        used = 0;
      }
      used += answer(std::string_view(in + start, stop - start), out + used, room);
      out[used++] = '\n';
      start = nl ? stop + 1 : held;
    }
    std::memmove(in, in + start, held - start);
    held -= start;
    if (got == 0) break;
  }
  std::fwrite(out, 1, used, stdout);
}

}  // namespace bench
