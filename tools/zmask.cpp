// zmask: the masked-edit service from the shell.
//
//   zmask check  TYPE MASK [VALUE...]  valid/invalid (exit 0 when all valid, 1 if not)
//                (check, raw, format: --field N answers a field of each line)
//   zmask raw    TYPE MASK [VALUE...]  the raw value behind each VALUE
//   zmask format TYPE MASK [VALUE...]  each VALUE (a raw value) rendered with MASK
//   zmask batch  [FILE]                lines OP<TAB>TYPE<TAB>MASK<TAB>VALUE
//   zmask csv    OP TYPE MASK [FILE] -c COLUMN...  columns of a CSV table
//
// Without VALUE (or for "-"), values are read one per line from standard
// input and one answer per line is written. Text is UTF-8 on both sides.
// Masks and values are taken as given, also when they start with a minus.
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstring>
#include <map>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "arguments.h"
#include "csv_column.h"
#include "io.h"
#include "lines.h"
#include "question.h"
#include "zorva/types.h"

namespace zmask {
namespace {

constexpr int kExitInvalid = 1;
constexpr int kExitTrouble = 2;

constexpr const char* kExamples =
    "TYPE: text currency date time memo byte shortint longint boolean counter\n"
    "      float double oleobject binary url image datetime timestamp,\n"
    "      a tkME... name (tkMECurrency), or a number 0-17.\n"
    "An empty MASK ('') selects the type's default. After the command only zmask's\n"
    "options and the command's are options: masks and values are taken as given,\n"
    "also when they start with a minus (-1234.5, -h@h:mf, -#,##0); put -- before one\n"
    "that starts with -- or is one of the options (-c, -d, -z). --help answers nothing.\n"
    "\n"
    "examples:\n"
    "  zmask format currency '' -1234.5          ($1,234.50)\n"
    "  zmask raw currency '' '($1,234.50)'       -1234.5\n"
    "  zmask check byte '' 128                   invalid\n"
    "  zmask format date mm/dd/yyyy 2001-12-31   12/31/2001\n"
    "  zmask raw time 'h:mm AM/PM' '1:05 PM'     13:05:00\n"
    "  printf '1\\n0\\n' | zmask format boolean Yes/No\n"
    "  printf 'item net\\nbolt 1234.5\\n' | zmask format currency '' --header --field 2\n"
    "  printf 'raw\\ttext\\t(###) ###-####\\t(555) 123-4567\\n' | zmask batch\n"
    "  zmask csv raw currency '' prices.csv -c price --as price_raw\n"
    "  zmask csv format currency '' prices.csv -c net -c tax  (both in place)\n"
    "\n"
    "Exit status: 0 success; 1 a value did not validate (check, or raw and format\n"
    "with --invalid=fail or abort); 2 misuse, malformed input or a read or write error.";

// A mask is one line of text: a newline (or a NUL, which the shell cannot
// pass but a batch line can) would make it something else.
bool MaskIsOneLine(std::string_view mask, const char* where) {
  const char* what = mask.find('\n') != std::string_view::npos   ? "a newline"
                     : mask.find('\r') != std::string_view::npos ? "a carriage return"
                     : mask.find('\0') != std::string_view::npos ? "a NUL byte"
                                                                 : nullptr;
  if (!what) return true;
  Complain("%smask '%s' holds %s; a mask is one line of text", where, Printable(mask).c_str(),
           what);
  return false;
}

int RunBatch(const std::string& path, const LineSettings& settings) {
  LineReader reader(path);
  if (!reader.ok()) return kExitTrouble;
  Output out(settings.lineBuffered);
  std::string answer;
  std::string_view line;
  bool allValid = true, misuse = false;
  for (long number = 1;; ++number) {
    LineReader::Status status = reader.Next(line);
    if (status == LineReader::Status::kEnd) break;
    if (status == LineReader::Status::kError) {
      out.Flush();
      return kExitTrouble;
    }
    if (status == LineReader::Status::kTooLong) {
      Complain("%s: line %ld: too long to hold in memory; skipped", reader.name().c_str(), number);
      misuse = true;
      out.Line("");
      if (out.failed()) return kExitTrouble;
      continue;
    }
    std::string_view fields[4];
    std::size_t count = 0;
    for (std::size_t start = 0;;) {
      std::size_t tab = line.find('\t', start);
      if (count < 4) fields[count] = line.substr(start, tab == std::string_view::npos ? tab : tab - start);
      ++count;
      if (tab == std::string_view::npos) break;
      start = tab + 1;
    }
    Op op = ParseOp(fields[0]);
    int type = count == 4 ? ParseType(fields[1]) : -1;
    char where[48];
    std::snprintf(where, sizeof where, "line %ld: ", number);
    bool ok = false;
    if (count != 4) {
      Complain("line %ld: expected 4 tab-separated fields, found %zu", number, count);
    } else if (op == Op::kNone) {
      Complain("line %ld: unknown operation '%s'", number, Printable(fields[0]).c_str());
    } else if (type < 0) {
      Complain("line %ld: unknown type '%s'", number, Printable(fields[1]).c_str());
    } else {
      ok = MaskIsOneLine(fields[2], where);
    }
    answer.clear();
    if (ok) {
      try {
        allValid &= Question(op, type, std::string(fields[2])).Ask(fields[3], answer, false);
      } catch (const std::bad_alloc&) {
        Complain("line %ld: out of memory for a value of %zu bytes", number, fields[3].size());
        ok = false;
      }
    }
    misuse |= !ok;
    out.Line(answer);  // an empty answer keeps the lines in step
    if (out.failed()) return kExitTrouble;
  }
  if (!out.Flush() || misuse) return kExitTrouble;
  return allValid ? 0 : kExitInvalid;
}

const std::map<std::string, InvalidPolicy> kPolicies = {
    {"abort", InvalidPolicy::kAbort},
    {"fail", InvalidPolicy::kFail},
    {"warn", InvalidPolicy::kWarn},
    {"ignore", InvalidPolicy::kIgnore},
};

// --field, -d, --header and -z into settings; false after a usage error.
bool LineOptions(const std::string& fieldList, const std::string& delimiter, const std::string& header,
                 bool zero, LineSettings& settings) {
  settings.terminator = zero ? '\0' : '\n';
  if (!fieldList.empty() && !settings.fields.Parse(fieldList)) {
    Complain("--field: '%s' is no list of fields: use N, N-M, N- or -M (from 1), separated by commas",
             Printable(fieldList).c_str());
    return false;
  }
  if (!delimiter.empty()) {
    if (delimiter == "tab" || delimiter == "\\t") {
      settings.delimiter = '\t';
    } else if (delimiter.size() == 1 && delimiter[0] != settings.terminator) {
      settings.delimiter = delimiter[0];
    } else {
      Complain("-d: '%s' is not one character (or tab)", Printable(delimiter).c_str());
      return false;
    }
    if (settings.fields.empty()) settings.fields.Parse("1");
  }
  if (header.empty()) return true;  // not given; alone it is its default, 1
  if (header.size() > 9 || header.find_first_not_of("0123456789") != std::string::npos) {
    Complain("--header: '%s' is not a number of lines", Printable(header).c_str());
    return false;
  }
  settings.header = std::stol(header);
  return true;
}

// CLI11's own words for the few errors it is left to find are about its
// internals; these name what is missing or too much.
std::string PlainUsage(const CLI::App& app, const CLI::ParseError& e) {
  if (app.get_subcommands().empty()) return "no command: use check, raw, format, batch or csv";
  if (dynamic_cast<const CLI::ExtrasError*>(&e)) {
    std::string extra;
    for (const std::string& arg : app.remaining(true)) {
      if (arg != "--") extra += (extra.empty() ? "'" : ", '") + Printable(arg) + "'";
    }
    return "too many arguments: " + extra;
  }
  return e.what();
}

int Main(int argc, char** argv) {
  CLI::App app{"zmask: validate, unformat and format field values with masks", "zmask"};
  app.set_version_flag("--version", "zmask " ZORVA_VERSION);
  app.footer(kExamples);
  app.require_subcommand(1);
  app.fallthrough();
  // GNU style: an option given twice takes its last value.
  app.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
  LineSettings settings;
  std::string fieldList, header, delimiter;
  bool zero = false;
  std::string policy = "ignore";
  app.add_flag("--line-buffered", settings.lineBuffered,
               "write each answer at once (always so when output is a terminal)");

  std::string typeName, mask, file, opName;
  std::vector<std::string> values;
  auto addQuestion = [&](CLI::App* sub) {
    sub->add_option("TYPE", typeName, "value type")->required();
    sub->add_option("MASK", mask, "mask; '' for the type's default")->required();
  };
  CLI::App* check = app.add_subcommand("check", "print valid or invalid for each value");
  addQuestion(check);
  check->add_option("VALUE", values, "values; - or none reads one per line from standard input");
  check->add_flag("--explain", settings.explain,
                  "report each invalid value with its line on standard error");
  CLI::App* subs[2] = {
      app.add_subcommand("raw", "print the raw value behind each entered value"),
      app.add_subcommand("format", "print each raw value rendered with the mask"),
  };
  for (CLI::App* sub : subs) {
    addQuestion(sub);
    sub->add_option("VALUE", values, "values; - or none reads one per line from standard input");
    sub->add_option("--invalid", policy,
                    "for a value that does not validate: abort (stop, exit 1), fail (report, exit 1),\n"
                    "warn (report, exit 0) or ignore (the default)")
        ->option_text("abort|fail|warn|ignore");
  }
  for (CLI::App* sub : {check, subs[0], subs[1]}) {
    sub->add_option("--field", fieldList,
                    "answer these fields of each line in place, the rest copied: N, N-M, N- or -M,\n"
                    "separated by commas (default: the whole line is the value)")
        ->option_text("FIELDS");
    sub->add_option("-d,--delimiter", delimiter,
                    "fields are split at this character, or tab (default: at runs of blanks;\n"
                    "with no --field, field 1 is answered)")
        ->option_text("X");
    sub->add_option("--header", header, "copy the first N lines of standard input unchanged (default 1)")
        ->expected(0, 1)
        ->default_str("1")
        ->option_text("[=N]");
    sub->add_flag("-z,--zero-terminated", zero, "lines end in a NUL byte, not a newline (in and out)");
  }
  CLI::App* batch = app.add_subcommand("batch", "answer lines OP<TAB>TYPE<TAB>MASK<TAB>VALUE");
  batch->add_option("FILE", file, "input file; - or none for standard input");

  CsvSettings csv;
  CLI::App* csvCommand = app.add_subcommand(
      "csv", "answer for columns of a CSV table (RFC 4180) and write the whole table back");
  csvCommand->add_option("OP", opName, "check, raw or format")->required();
  addQuestion(csvCommand);
  csvCommand->add_option("FILE", file, "input file; - or none for standard input");
  csvCommand->add_option("-c,--column", csv.columns,
                         "a column: a header name or a number from 1; give -c once for each")
      ->required()
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
  csvCommand->add_option("--as", csv.newColumns,
                         "add the answers as a new last column of this name; the first --as names\n"
                         "the first -c's answers and so on: none (the answers replace their\n"
                         "columns) or one for each -c ('' keeps that column's in place)")
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
  csvCommand->add_flag("--no-header", csv.noHeader,
                       "the first row is data (by default it is a header, copied unchanged)");
  csvCommand->add_option("-d,--delimiter", csv.delimiter,
                         "field delimiter: one character, or tab (default ,)");
  csvCommand->add_option("--invalid", policy,
                         "for a value that does not validate: abort, fail, warn or ignore")
      ->option_text("abort|fail|warn|ignore");

  // Help goes to standard output only when asked for, and then nothing is
  // answered. After the command -h is a mask or a value (-h:mm).
  app.set_help_flag("-h,--help", "print this help and exit");
  for (CLI::App* sub : app.get_subcommands([](const CLI::App*) { return true; })) {
    sub->set_help_flag("--help", "print this help and exit");
  }
  if (argc < 2) {
    std::fputs(app.help().c_str(), stderr);
    return kExitTrouble;
  }
  if (std::strcmp(argv[1], "help") == 0) {
    std::fputs(app.help().c_str(), stdout);
    return 0;
  }
  Arranged arranged = Arrange(app, argc, argv);
  if (!arranged.error.empty()) {
    Complain("%s", arranged.error.c_str());
    return kExitTrouble;
  }
  try {
    app.parse(arranged.reversed);
  } catch (const CLI::Success& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    Complain("%s (try --help)", PlainUsage(app, e).c_str());
    return kExitTrouble;
  }
  auto named = kPolicies.find(policy);
  if (named == kPolicies.end()) {
    Complain("--invalid: '%s' is none of abort, fail, warn, ignore", Printable(policy).c_str());
    return kExitTrouble;
  }
  settings.invalid = named->second;
  settings.lineBuffered |= isatty(1) != 0;
  if (!CheckStandardDescriptors()) return kExitTrouble;
  if (!LineOptions(fieldList, delimiter, header, zero, settings)) return kExitTrouble;

  if (batch->parsed()) return RunBatch(file, settings);

  Op op = Op::kCheck;
  if (csvCommand->parsed()) {
    op = ParseOp(opName);
    if (op == Op::kNone) {
      Complain("unknown operation '%s': expected check, raw or format", opName.c_str());
      return kExitTrouble;
    }
  } else if (subs[0]->parsed()) {
    op = Op::kRaw;
  } else if (subs[1]->parsed()) {
    op = Op::kFormat;
  }
  int type = ParseType(typeName);
  if (type < 0) {
    Complain("unknown type '%s': use text, currency, date, time, memo, byte, shortint, longint, "
             "boolean, counter, float, double, oleobject, binary, url, image, datetime, timestamp, "
             "a tkME... name or a number 0-17",
             Printable(typeName).c_str());
    return kExitTrouble;
  }
  if (!MaskIsOneLine(mask, "")) return kExitTrouble;
  Question question(op, type, mask);
  if (csvCommand->parsed()) {
    if (!csv.newColumns.empty() && csv.newColumns.size() != csv.columns.size()) {
      Complain("%zu columns (-c) but %zu --as: give one --as for each -c, or none for the "
               "answers to replace their columns",
               csv.columns.size(), csv.newColumns.size());
      return kExitTrouble;
    }
    csv.lineBuffered = settings.lineBuffered;
    csv.invalid = settings.invalid;
    return RunCsv(question, file, csv);
  }
  // The values are the arguments after TYPE and MASK.
  std::vector<int> positions(arranged.positions.begin() + std::min<std::size_t>(2, arranged.positions.size()),
                             arranged.positions.end());
  return RunValues(question, std::move(values), positions, settings);
}

}  // namespace
}  // namespace zmask

int main(int argc, char** argv) {
  try {
    return zmask::Main(argc, argv);
  } catch (const std::bad_alloc&) {
    zmask::Complain("out of memory");
  } catch (const std::exception& e) {
    zmask::Complain("%s", e.what());
  }
  return 2;
}
