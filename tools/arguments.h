// The command line read the GNU way on top of CLI11's option table. CLI11
// decides by the first character what is an option, so a mask like -h@h:mf
// or a value like -$5 would be taken for one; here only the real options of
// zmask and of its command are options, everything else after the command
// is an argument whatever it starts with, and "--" ends the options.
#pragma once

#include <CLI/CLI.hpp>
#include <string>
#include <vector>

namespace zmask {

struct Arranged {
  // For CLI::App::parse: the options first, then "--" and the arguments,
  // each as it was given, the whole list in reverse as parse wants it.
  std::vector<std::string> reversed;
  // Where each argument (not an option, not its value) stood in argv, in
  // their order: a message about a value can say which one it was.
  std::vector<int> positions;
  std::string error;  // a usage error naming the argument; nothing else is set
};

// argv[1] on: zero or more options of `app`, a command (one of its
// subcommands), then that command's options and arguments in any order.
Arranged Arrange(const CLI::App& app, int argc, const char* const* argv);

}  // namespace zmask
