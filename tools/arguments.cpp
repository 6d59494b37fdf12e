#include "arguments.h"

#include <string_view>

namespace zmask {
namespace {

// As CLI11 tells a flag from an option with a value.
bool TakesValue(const CLI::Option& option) { return option.get_items_expected_max() > 0; }

// The option that `arg` names ("--name", "--name=value", "-x" or "-xvalue")
// in `command` or, but for the help flag, in the commands above it.
const CLI::Option* Find(const CLI::App& command, std::string_view arg) {
  const bool isLong = arg.size() > 2 && arg[1] == '-';
  std::string name(isLong ? arg.substr(2, arg.find('=') - 2) : arg.substr(1, 1));
  for (const CLI::App* app = &command; app; app = app->get_parent()) {
    for (const CLI::Option* option : app->get_options()) {
      if (option->get_positional()) continue;
      if (app != &command && option == app->get_help_ptr()) continue;  // -h could be a mask
      // A short flag stands alone: -zed is a value.
      if (!isLong && arg.size() > 2 && !TakesValue(*option)) continue;
      if (isLong ? option->check_lname(name) : option->check_sname(name)) return option;
    }
  }
  return nullptr;
}

}  // namespace

Arranged Arrange(const CLI::App& app, int argc, const char* const* argv) {
  Arranged result;
  std::vector<std::string> options, arguments;
  const CLI::App* command = nullptr;
  bool onlyArguments = false;
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    const bool dashed = !onlyArguments && arg.size() > 1 && arg[0] == '-';
    if (dashed && arg == "--" && command) {
      onlyArguments = true;
      continue;
    }
    const CLI::Option* option = dashed ? Find(command ? *command : app, arg) : nullptr;
    if (!option && (dashed && (!command || arg.substr(0, 2) == "--"))) {
      // A mistyped option must not turn into a value.
      result.error = "unknown option '" + std::string(arg) + "' (try --help";
      result.error += command ? "; put -- before a value that starts with --)" : ")";
      return result;
    }
    if (!option && !command) {
      auto found = app.get_subcommands([&](const CLI::App* sub) { return sub->get_name() == arg; });
      if (found.empty()) {
        result.error = "unknown command '" + std::string(arg) + "' (try --help)";
        return result;
      }
      command = found.front();
      options.emplace_back(arg);
      continue;
    }
    if (!option) {
      arguments.emplace_back(arg);
      result.positions.push_back(i);
      continue;
    }
    // A value goes to CLI11 as an argument of its own, which it takes
    // whatever it holds; "--as=" is an empty name, not "take the next one".
    const bool isLong = arg[1] == '-';
    std::size_t glued = isLong ? arg.find('=') : (arg.size() > 2 ? 2 : std::string_view::npos);
    if (!TakesValue(*option)) {
      if (isLong && glued != std::string_view::npos) {
        result.error = "option '" + std::string(arg.substr(0, glued)) + "' takes no value";
        return result;
      }
      options.emplace_back(arg);
      continue;
    }
    if (glued == std::string_view::npos && option->get_items_expected_min() == 0) {
      // GNU style: an optional value only ever comes glued (--header=2).
      options.emplace_back(arg);
      options.push_back(option->get_default_str());
      continue;
    }
    if (glued == std::string_view::npos && i + 1 == argc) {
      result.error = "option '" + std::string(arg) + "' needs a value";
      return result;
    }
    options.emplace_back(arg.substr(0, glued));
    options.emplace_back(glued == std::string_view::npos ? std::string_view(argv[++i])
                                                         : arg.substr(glued + (isLong ? 1 : 0)));
  }
  if (!arguments.empty()) {
    options.emplace_back("--");
    options.insert(options.end(), arguments.begin(), arguments.end());
  }
  result.reversed.assign(options.rbegin(), options.rend());
  return result;
}

}  // namespace zmask
