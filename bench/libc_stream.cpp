// The libc yardstick for zmask's stream mode: reads values one per line from
// standard input and writes one answer per line, doing the same job as
//   zmask format|raw TYPE MASK
// with from_chars/to_chars, strptime/strftime and plain loops — a bare loop
// with no mask reading and no validation.
//
//   libc_stream format|raw currency|long|double|date|time|text|boolean
#include <cctype>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string_view>

#include "libc_number.h"
#include "line_stream.h"
#include "yes_no.h"

namespace {

std::size_t Date(std::string_view in, const char* from, const char* to, char* out) {
  char text[64];
  const std::size_t n = in.size() < sizeof text ? in.size() : sizeof text - 1;
  std::memcpy(text, in.data(), n);
  text[n] = '\0';
  std::tm tm{};
  strptime(text, from, &tm);
  std::size_t len = std::strftime(out, 64, to, &tm);
  if (len && out[0] == ' ') {  // "%l" pads the hour with a blank
    std::memmove(out, out + 1, len);
    --len;
  }
  return len;
}

std::size_t Answer(bool format, char kind, std::string_view in, char* out) {
  switch (kind) {
    case 'c':
    case 'l':
    case 'd':
      return format ? bench::LibcFormatNumber(kind, in, out) : bench::LibcParseNumber(kind, in, out);
    case 'D':
      return format ? Date(in, "%Y-%m-%d", "%m/%d/%Y", out) : Date(in, "%m/%d/%Y", "%Y-%m-%d", out);
    case 'T':
      return format ? Date(in, "%H:%M:%S", "%l:%M %p", out) : Date(in, "%l:%M %p", "%H:%M:%S", out);
    case 't':
      if (format) {
        return static_cast<std::size_t>(std::snprintf(out, 64, "(%.3s) %.3s-%.4s", in.data(),
                                                      in.data() + 3, in.data() + 6));
      } else {
        std::size_t n = 0;
        for (char c : in) {
          if (c >= '0' && c <= '9' && n < 63) out[n++] = c;
        }
        return n;
      }
    case 'b': {
      if (!format) {
        const char state = bench::YesNoState(in.data(), in.size(), [](char c) {
          return std::tolower(static_cast<unsigned char>(c));
        });
        out[0] = state;
        return state ? 1 : 0;
      }
      const char* text = in == "0" ? "No" : "Yes";
      std::size_t n = std::strlen(text);
      std::memcpy(out, text, n);
      return n;
    }
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: libc_stream format|raw currency|long|double|date|time|text|boolean\n", stderr);
    return 2;
  }
  const bool format = std::strcmp(argv[1], "format") == 0;
  const char kind = bench::KindOf(argv[2]);
  bench::StreamLines(128, [&](std::string_view line, char* out, std::size_t) {
    return Answer(format, kind, line, out);
  });
  return 0;
}
