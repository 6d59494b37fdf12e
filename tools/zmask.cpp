// zmask: the masked-edit service from the shell.
//
//   zmask check  TYPE MASK [VALUE]   valid/invalid (exit 0 when all valid, 1 if not)
//   zmask raw    TYPE MASK [VALUE]   the raw value behind VALUE
//   zmask format TYPE MASK [VALUE]   VALUE (a raw value) rendered with MASK
//   zmask batch  [FILE]              lines OP<TAB>TYPE<TAB>MASK<TAB>VALUE
//
// Without VALUE, values are read one per line from standard input and one
// answer per line is written. Text is UTF-8 on both sides.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "zorva/masked_edit.h"

namespace {

constexpr const char* kTypeNames[] = {
    "text", "currency", "date",  "time",      "memo",   "byte",   "shortint",
    "longint", "boolean", "counter", "float", "double", "oleobject", "binary",
    "url",  "image",    "datetime", "timestamp",
};
constexpr const char* kConstantNames[] = {
    "tkMEText", "tkMECurrency", "tkMEDate", "tkMETime", "tkMEMemo", "tkMEByte",
    "tkMEShortInt", "tkMELongInt", "tkMEBoolean", "tkMECounter", "tkMEFloat",
    "tkMEDouble", "tkMEOleObject", "tkMEBinary", "tkMEURL", "tkMEImage",
    "tkMEDateTime", "tkMETimeStamp",
};

constexpr int kExitMisuse = 2;

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x + 32);
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y + 32);
    if (x != y) return false;
  }
  return true;
}

// A type name, a tkME constant name or a number 0..17; -1 when none.
int ParseType(std::string_view word) {
  for (int i = 0; i < zorva::kValueTypeCount; ++i) {
    if (EqualNoCase(word, kTypeNames[i]) || EqualNoCase(word, kConstantNames[i])) return i;
  }
  if (word.empty() || word.size() > 2) return -1;
  int n = 0;
  for (char c : word) {
    if (c < '0' || c > '9') return -1;
    n = n * 10 + (c - '0');
  }
  return n < zorva::kValueTypeCount ? n : -1;
}

enum class Op { kCheck, kRaw, kFormat, kNone };

Op ParseOp(std::string_view word) {
  if (word == "check") return Op::kCheck;
  if (word == "raw") return Op::kRaw;
  if (word == "format") return Op::kFormat;
  return Op::kNone;
}

// Answers one question into out; returns whether a check found the value valid.
bool Answer(Op op, int type, std::string_view mask, std::string_view value, std::string& out) {
  char buf[1024];
  switch (op) {
    case Op::kCheck: {
      bool valid = zorva::IsValidUtf8(type, mask, value);
      out.append(valid ? "valid" : "invalid");
      return valid;
    }
    case Op::kRaw:
      out.append(buf, zorva::GetRawValueUtf8(type, mask, value, buf, sizeof buf));
      return true;
    case Op::kFormat:
      out.append(buf, zorva::GetFormattedValueUtf8(type, mask, value, buf, sizeof buf));
      return true;
    case Op::kNone: break;
  }
  return false;
}

void Usage(std::FILE* to) {
  std::fputs(
      "usage: zmask check|raw|format TYPE MASK [VALUE]\n"
      "       zmask batch [FILE]\n"
      "\n"
      "  check   prints valid or invalid (exit 0 when every value is valid, 1 if not)\n"
      "  raw     prints the raw value behind an entered VALUE\n"
      "  format  prints a raw VALUE rendered with MASK\n"
      "  batch   reads lines OP<TAB>TYPE<TAB>MASK<TAB>VALUE (OP: check, raw, format)\n"
      "          from FILE or standard input, one answer per line\n"
      "\n"
      "Without VALUE, values are read one per line from standard input and one\n"
      "answer per line is written. An empty MASK ('') selects the type's default.\n"
      "\n"
      "TYPE: text currency date time memo byte shortint longint boolean counter\n"
      "      float double oleobject binary url image datetime timestamp,\n"
      "      a tkME... name (tkMECurrency), or a number 0-17.\n"
      "\n"
      "examples:\n"
      "  zmask format currency '' -1234.5          ($1,234.50)\n"
      "  zmask raw currency '' '($1,234.50)'       -1234.5\n"
      "  zmask check byte '' 128                   invalid\n"
      "  zmask format date mm/dd/yyyy 2001-12-31   12/31/2001\n"
      "  zmask raw time 'h:mm AM/PM' '1:05 PM'     13:05:00\n"
      "  printf '1\\n0\\n' | zmask format boolean Yes/No\n"
      "  printf 'raw\\ttext\\t(###) ###-####\\t(555) 123-4567\\n' | zmask batch\n"
      "\n"
      "Exit status: 0 success, 1 a value was invalid (check), 2 misuse.\n",
      to);
}

int Fail(const char* message, const char* detail = nullptr) {
  std::fprintf(stderr, "zmask: %s%s%s\n", message, detail ? ": " : "", detail ? detail : "");
  return kExitMisuse;
}

// Lines of a stream, without their newline (and a carriage return before it).
class LineReader {
 public:
  explicit LineReader(std::FILE* in) : in_(in) {}
  ~LineReader() { std::free(line_); }
  bool Next(std::string_view& line) {
    ssize_t n = getline(&line_, &capacity_, in_);
    if (n < 0) return false;
    std::size_t len = static_cast<std::size_t>(n);
    if (len && line_[len - 1] == '\n') --len;
    if (len && line_[len - 1] == '\r') --len;
    line = std::string_view(line_, len);
    return true;
  }

 private:
  std::FILE* in_;
  char* line_ = nullptr;
  std::size_t capacity_ = 0;
};

class Output {
 public:
  void Line(const std::string& text) {
    buffer_.append(text);
    buffer_.push_back('\n');
    if (buffer_.size() >= (1 << 16)) Flush();
  }
  void Flush() {
    std::fwrite(buffer_.data(), 1, buffer_.size(), stdout);
    buffer_.clear();
  }
  ~Output() {
    Flush();
    std::fflush(stdout);
  }

 private:
  std::string buffer_;
};

int RunStream(Op op, int type, std::string_view mask) {
  LineReader reader(stdin);
  Output out;
  std::string answer;
  std::string_view value;
  bool allValid = true;
  while (reader.Next(value)) {
    answer.clear();
    allValid &= Answer(op, type, mask, value, answer);
    out.Line(answer);
  }
  return op == Op::kCheck && !allValid ? 1 : 0;
}

int RunBatch(std::FILE* in) {
  LineReader reader(in);
  Output out;
  std::string answer;
  std::string_view line;
  bool allValid = true, misuse = false;
  for (long number = 1; reader.Next(line); ++number) {
    std::string_view fields[4];
    std::size_t count = 0;
    for (std::size_t start = 0;;) {
      std::size_t tab = line.find('\t', start);
      if (count < 4) fields[count] = line.substr(start, tab == std::string_view::npos ? tab : tab - start);
      ++count;
      if (tab == std::string_view::npos) break;
      start = tab + 1;
    }
    answer.clear();
    Op op = ParseOp(fields[0]);
    int type = count == 4 ? ParseType(fields[1]) : -1;
    if (count != 4 || op == Op::kNone || type < 0) {
      if (count != 4) {
        std::fprintf(stderr, "zmask: line %ld: expected 4 tab-separated fields, found %zu\n", number, count);
      } else if (op == Op::kNone) {
        std::fprintf(stderr, "zmask: line %ld: unknown operation '%.*s'\n", number,
                     static_cast<int>(fields[0].size()), fields[0].data());
      } else {
        std::fprintf(stderr, "zmask: line %ld: unknown type '%.*s'\n", number,
                     static_cast<int>(fields[1].size()), fields[1].data());
      }
      misuse = true;
      out.Line(answer);  // an empty answer keeps the lines in step
      continue;
    }
    allValid &= Answer(op, type, fields[2], fields[3], answer);
    out.Line(answer);
  }
  if (misuse) return kExitMisuse;
  return allValid ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    Usage(stderr);
    return kExitMisuse;
  }
  std::string_view command = argv[1];
  if (command == "--help" || command == "-h" || command == "help") {
    Usage(stdout);
    return 0;
  }
  if (command == "batch") {
    if (argc > 3) return Fail("batch takes at most one file");
    if (argc == 2 || std::strcmp(argv[2], "-") == 0) return RunBatch(stdin);
    std::FILE* in = std::fopen(argv[2], "rb");
    if (!in) return Fail("cannot open", argv[2]);
    int rc = RunBatch(in);
    std::fclose(in);
    return rc;
  }
  Op op = ParseOp(command);
  if (op == Op::kNone) return Fail("unknown command (try --help)", argv[1]);
  if (argc != 4 && argc != 5) return Fail("expected TYPE MASK [VALUE] (try --help)");
  int type = ParseType(argv[2]);
  if (type < 0) return Fail("unknown type (try --help)", argv[2]);
  if (argc == 4) return RunStream(op, type, argv[3]);
  std::string answer;
  bool valid = Answer(op, type, argv[3], argv[4], answer);
  answer.push_back('\n');
  std::fwrite(answer.data(), 1, answer.size(), stdout);
  return op == Op::kCheck && !valid ? 1 : 0;
}
