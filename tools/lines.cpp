#include "lines.h"

#include <array>
#include <cstdio>
#include <new>
#include <string_view>

#include "io.h"
#include "progress.h"

namespace zmask {
namespace {

class LineRun {
 public:
  LineRun(const Question& question, const LineSettings& settings)
      : question_(question),
        settings_(settings),
        check_(question.op() == Op::kCheck),
        report_(check_ ? settings.explain : settings.invalid != InvalidPolicy::kIgnore),
        wantValidity_(check_ || report_),
        out_(settings.lineBuffered, settings.terminator) {}

  // line: a line of standard input from 1, or minus the value's argument.
  // false: stop here (abort, or output failed).
  bool One(std::string_view value, long line) {
    line_ = line;
    if (!settings_.fields.empty()) return Fields(value);
    // The answer is written straight into the output block.
    char* answer = out_.LineSpace(Question::kAnswerBytes);
    std::size_t length = 0;
    if (!Answer(value, answer, length, 0)) return false;
    out_.EndLine(length);
    return !out_.failed();
  }

  bool Header(std::string_view line) {
    out_.Line(line);
    return !out_.failed();
  }

  // Status of a line that is lost (too long); its answer is empty.
  bool Lost() {
    trouble_ = true;
    out_.Line("");
    return !out_.failed();
  }

  int Finish(bool trouble) {
    if (!out_.Flush() || trouble || trouble_) return 2;
    if (anyInvalid_ && (check_ || settings_.invalid == InvalidPolicy::kFail ||
                        settings_.invalid == InvalidPolicy::kAbort)) {
      return 1;
    }
    return 0;
  }

 private:
  // Only a complaint needs the place as text; field 0: the whole line.
  std::array<char, 64> Where(std::size_t field) const {
    std::array<char, 64> text{};
    int n = std::snprintf(text.data(), text.size(), line_ > 0 ? "line %ld: " : "argument %ld: ",
                          line_ > 0 ? line_ : -line_);
    if (field && settings_.fields.Several()) {
      std::snprintf(text.data() + n, text.size() - n, "field %zu: ", field);
    }
    return text;
  }

  // Answers value into dest; an empty answer when it cannot. false: stop.
  bool Answer(std::string_view value, char* dest, std::size_t& length, std::size_t field) {
    bool valid;
    try {
      valid = question_.Ask(value, dest, length, wantValidity_);
    } catch (const std::bad_alloc&) {
      Complain("%sout of memory for a value of %zu bytes", Where(field).data(), value.size());
      trouble_ = true;
      length = 0;
      return true;
    }
    if (!valid) {
      anyInvalid_ = true;
      if (report_) {
        Complain("%sinvalid %s value '%s'", Where(field).data(), TypeName(question_.type()),
                 Printable(value).c_str());
      }
      if (!check_ && settings_.invalid == InvalidPolicy::kAbort) return false;
    }
    return true;
  }

  // The chosen fields answered in place, every other byte copied.
  bool Fields(std::string_view line) {
    SplitFields(line, settings_.delimiter, spans_);
    if (spans_.size() < settings_.fields.Needed()) {
      Complain("%sno field %zu (the line has %zu); copied unchanged", Where(0).data(),
               settings_.fields.Needed(), spans_.size());
      trouble_ = true;
      out_.Line(line);
      return !out_.failed();
    }
    text_.clear();
    std::size_t from = 0;
    char answer[Question::kAnswerBytes];
    for (std::size_t i = 0; i < spans_.size(); ++i) {
      if (!settings_.fields.Has(i + 1)) continue;
      const FieldSpan& f = spans_[i];
      std::size_t length = 0;
      if (!Answer(line.substr(f.begin, f.end - f.begin), answer, length, i + 1)) return false;
      text_.append(line.substr(from, f.begin - from)).append(answer, length);
      from = f.end;
    }
    text_.append(line.substr(from));
    out_.Line(text_);
    return !out_.failed();
  }

  const Question& question_;
  const LineSettings& settings_;
  const bool check_, report_, wantValidity_;
  Output out_;
  long line_ = 0;
  bool anyInvalid_ = false, trouble_ = false;
  std::vector<FieldSpan> spans_;
  std::string text_;
};

}  // namespace

int RunValues(const Question& question, std::vector<std::string> values,
              const std::vector<int>& positions, const LineSettings& settings) {
  if (values.empty()) values.push_back("-");
  LineRun run(question, settings);
  bool trouble = false;
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (values[i] != "-") {
      if (!run.One(values[i], i < positions.size() ? -positions[i] : 0)) break;
      continue;
    }
    LineReader reader("-", settings.terminator);
    Progress progress(reader.size());
    std::string_view line;
    bool stopped = false;
    for (long number = 1; !stopped; ++number) {
      LineReader::Status status = reader.Next(line);
      if (status == LineReader::Status::kEnd) break;
      if (status == LineReader::Status::kError) {
        trouble = stopped = true;
      } else if (status == LineReader::Status::kTooLong) {
        Complain("%s: line %ld: too long to hold in memory; skipped", reader.name().c_str(), number);
        stopped = !run.Lost();
      } else {
        stopped = !(number <= settings.header ? run.Header(line) : run.One(line, number));
      }
      progress.Row(reader.read());
    }
    if (stopped) break;
  }
  return run.Finish(trouble);
}

}  // namespace zmask
