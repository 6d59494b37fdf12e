// The table is parsed by libcsv; beside it a cursor walks the raw bytes, so
// that every field but the answered ones, every terminator (CRLF or LF) and
// every blank line is copied out exactly as it came in, quotes included.
#include "csv_column.h"

#include <csv.h>

#include <cstring>
#include <new>
#include <string_view>
#include <vector>

#include "io.h"
#include "progress.h"
#include "utf8.h"

namespace zmask {
namespace {

constexpr char kQuote = '"';

// RFC 4180 keeps spaces: they are part of the field.
int NoSpace(unsigned char) { return 0; }

std::size_t CountNewlines(const char* p, std::size_t n) {
  std::size_t count = 0;
  for (const char* end = p + n; (p = static_cast<const char*>(std::memchr(p, '\n', end - p)));
       ++p) {
    ++count;
  }
  return count;
}

class CsvRun {
 public:
  CsvRun(const Question& question, const CsvSettings& settings, char delimiter, LineReader& reader)
      : question_(question),
        settings_(settings),
        delimiter_(delimiter),
        reader_(reader),
        out_(settings.lineBuffered),
        progress_(reader.size()) {
    wantValidity_ = question.op() == Op::kCheck || settings.invalid != InvalidPolicy::kIgnore;
    report_ = settings.invalid != InvalidPolicy::kIgnore;
    targets_.resize(settings.columns.size());
    for (std::size_t i = 0; i < targets_.size(); ++i) {
      if (!NewName(i).empty()) ++newColumns_;
      if (settings.noHeader) targets_[i].index = ColumnNumber(settings.columns[i]);
    }
  }
  ~CsvRun() { csv_free(&parser_); }

  bool Init() {
    if (csv_init(&parser_, CSV_STRICT | CSV_STRICT_FINI) != 0) return false;
    csv_set_delim(&parser_, static_cast<unsigned char>(delimiter_));
    csv_set_quote(&parser_, kQuote);
    csv_set_space_func(&parser_, NoSpace);
    return true;
  }

  int Run() {
    for (std::size_t i = 0; settings_.noHeader && i < targets_.size(); ++i) {
      if (targets_[i].index < 0) {
        Complain("without a header the column must be a number from 1, not '%s'",
                 Printable(settings_.columns[i]).c_str());
        return 2;
      }
    }
    if (settings_.noHeader) {
      if (!Distinct()) return 2;
      Slots();
    }
    if (!Init()) {
      Complain("out of memory");
      return 2;
    }
    std::string_view block;
    for (;;) {
      if (!reader_.ReadBlock(block)) {
        trouble_ = true;
        break;
      }
      if (block.empty()) {
        Finish();
        break;
      }
      std::size_t from = pending_.size();
      pending_.append(block);
      Feed(from);
      if (stop_) break;
      Compact();
    }
    if (!stop_) {
      out_.Append(std::string_view(pending_).substr(emitted_));  // whatever is left, unchanged
      emitted_ = pending_.size();
    }
    ClearProgress();
    if (!out_.Flush() || trouble_ || fatal_) return 2;
    if (anyInvalid_ && (question_.op() == Op::kCheck || settings_.invalid == InvalidPolicy::kFail ||
                        settings_.invalid == InvalidPolicy::kAbort)) {
      return 1;
    }
    return 0;
  }

 private:
  struct Target {
    long index = -1;  // from 0
    std::string value, answer;
    bool answered = false;
  };
  struct Span {
    std::size_t begin, end;  // raw bytes, quotes included
    bool quoted;
  };

  static void OnField(void* s, std::size_t length, void* self) {
    static_cast<CsvRun*>(self)->OnFieldValue(static_cast<const char*>(s), length);
  }
  static void OnRecord(int c, void* self) { static_cast<CsvRun*>(self)->OnRecordEnd(c); }

  // The name of the new column for the i-th -c; empty: replace it.
  const std::string& NewName(std::size_t i) const {
    static const std::string kNone;
    return settings_.newColumns.empty() ? kNone : settings_.newColumns[i];
  }

  static long ColumnNumber(const std::string& c) {
    if (c.empty() || c.size() > 9 || c.find_first_not_of("0123456789") != std::string::npos) return -1;
    long n = std::stol(c);
    return n >= 1 ? n - 1 : -1;
  }

  // Parses pending_ from the given offset; after malformed quoting, reports
  // it, copies that record through unchanged and goes on at the next line.
  void Feed(std::size_t from) {
    while (!stop_ && from < pending_.size()) {
      if (resync_) {
        const void* nl = std::memchr(pending_.data() + from, '\n', pending_.size() - from);
        if (!nl) return;
        std::size_t next = static_cast<std::size_t>(static_cast<const char*>(nl) - pending_.data()) + 1;
        line_ += CountNewlines(pending_.data() + cursor_, next - cursor_);
        cursor_ = emitted_ = next;
        CopyMalformed(std::string_view(pending_).substr(resyncFrom_, next - resyncFrom_));
        resync_ = false;
        from = next;
        continue;
      }
      std::size_t n = csv_parse(&parser_, pending_.data() + from, pending_.size() - from, OnField,
                                OnRecord, this);
      if (stop_) return;
      if (n == pending_.size() - from) return;
      std::size_t bad = from + n;
      long line = line_ + static_cast<long>(CountNewlines(pending_.data() + cursor_, bad - cursor_));
      Complain("line %ld: malformed quoting (a quote inside an unquoted field, or text after "
               "a closing quote); row copied unchanged",
               line);
      trouble_ = true;
      // The bad record, from its start (after what is already written), goes out as it is.
      out_.Append(std::string_view(pending_).substr(emitted_, (inRecord_ ? recordStart_ : cursor_) - emitted_));
      resyncFrom_ = inRecord_ ? recordStart_ : cursor_;
      line_ = inRecord_ ? recordLine_ : line_;
      cursor_ = resyncFrom_;
      emitted_ = resyncFrom_;
      inRecord_ = false;
      fields_.clear();
      csv_free(&parser_);
      if (!Init()) {
        Complain("out of memory");
        fatal_ = stop_ = true;
        return;
      }
      resync_ = true;
      from = bad;
    }
  }

  // A row that could not be parsed goes out as it came; with new columns it
  // gets empty fields so that the columns stay in place.
  void CopyMalformed(std::string_view row) {
    std::size_t end = row.size();
    while (end && (row[end - 1] == '\n' || row[end - 1] == '\r')) --end;
    out_.Append(row.substr(0, end));
    EmptyNewColumns();
    out_.Append(row.substr(end));
  }

  void EmptyNewColumns() {
    for (int i = 0; i < newColumns_; ++i) out_.Append(std::string_view(&delimiter_, 1));
  }

  void Finish() {
    if (stop_) return;
    if (resync_) {
      out_.Append(std::string_view(pending_).substr(resyncFrom_));
      emitted_ = pending_.size();
      return;
    }
    if (csv_fini(&parser_, OnField, OnRecord, this) != 0) {
      long line = inRecord_ ? recordLine_ : line_;
      Complain("line %ld: unterminated quote; the rest of the input is copied unchanged", line);
      trouble_ = true;
    }
  }

  // Drops what has been written from the front of pending_.
  void Compact() {
    std::size_t keep = emitted_;
    if (resync_ && resyncFrom_ < keep) keep = resyncFrom_;
    if (keep == 0) return;
    pending_.erase(0, keep);
    emitted_ -= keep;
    cursor_ -= keep;
    recordStart_ -= keep;
    resyncFrom_ -= resyncFrom_ >= keep ? keep : resyncFrom_;
    for (auto& f : fields_) f.begin -= keep, f.end -= keep;
  }

  void OnFieldValue(const char* s, std::size_t length) {
    if (stop_) return;
    if (!inRecord_) {  // skip the terminators and blank lines before this record
      while (cursor_ < pending_.size() && (pending_[cursor_] == '\n' || pending_[cursor_] == '\r')) {
        if (pending_[cursor_] == '\n') ++line_;
        ++cursor_;
      }
      inRecord_ = true;
      recordStart_ = cursor_;
      recordLine_ = line_;
      fields_.clear();
    }
    std::string_view value(s ? s : "", length);
    std::size_t begin = cursor_;
    bool quoted = begin < pending_.size() && pending_[begin] == kQuote;
    std::size_t end = begin + length;
    if (quoted) {
      std::size_t quotes = 0;
      for (std::size_t at = 0; (at = value.find(kQuote, at)) != std::string_view::npos; ++at) ++quotes;
      end += 2 + quotes;
      line_ += static_cast<long>(CountNewlines(value.data(), value.size()));
    }
    if (recordIndex_ == 0 && !settings_.noHeader) header_.emplace_back(value);
    if (fields_.size() < slotOf_.size() && slotOf_[fields_.size()] >= 0) {
      targets_[static_cast<std::size_t>(slotOf_[fields_.size()])].value.assign(value);
    }
    fields_.push_back({begin, end, quoted});
    cursor_ = end;
    if (cursor_ < pending_.size() && pending_[cursor_] == delimiter_) ++cursor_;
  }

  void OnRecordEnd(int) {
    if (stop_ || !inRecord_) return;
    inRecord_ = false;
    std::size_t contentEnd = cursor_;
    out_.Append(std::string_view(pending_).substr(emitted_, recordStart_ - emitted_));
    std::string_view content(pending_.data() + recordStart_, contentEnd - recordStart_);
    if (recordIndex_++ == 0) {
      expectedFields_ = fields_.size();
      if (!settings_.noHeader) {
        if (!Header(content)) return;
        emitted_ = contentEnd;
        return;
      }
      for (std::size_t i = 0; i < targets_.size(); ++i) {
        if (targets_[i].index >= static_cast<long>(fields_.size())) {
          NoColumn(i, "first row");
          return;
        }
      }
    }
    Data(content);
    emitted_ = contentEnd;
    if (out_.failed()) stop_ = fatal_ = true;
    progress_.Row(reader_.read());
  }

  bool Header(std::string_view content) {
    for (std::size_t t = 0; t < targets_.size(); ++t) {
      long& index = targets_[t].index;
      for (std::size_t i = 0; i < header_.size() && index < 0; ++i) {
        std::string_view name = header_[i];
        if (i == 0 && name.substr(0, 3) == "\xEF\xBB\xBF") name.remove_prefix(3);
        if (name == settings_.columns[t]) index = static_cast<long>(i);
      }
      if (index < 0) index = ColumnNumber(settings_.columns[t]);
      if (index < 0 || index >= static_cast<long>(header_.size())) {
        NoColumn(t, "header");
        return false;
      }
    }
    if (!Distinct()) {
      fatal_ = stop_ = true;
      return false;
    }
    Slots();
    header_.clear();
    out_.Append(content);
    for (std::size_t t = 0; t < targets_.size(); ++t) {
      if (NewName(t).empty()) continue;
      out_.Append(std::string_view(&delimiter_, 1));
      AppendField(NewName(t), false);
    }
    out_.EndRecord();
    return true;
  }

  // Asked for a column the table does not have: a usage error, found on the
  // first row before anything is written, so nothing is.
  void NoColumn(std::size_t t, const char* row) {
    std::string names;
    for (std::size_t i = 0; i < header_.size() && names.size() < 400; ++i) {
      names += (i ? ", '" : ": '") + Printable(header_[i]) + "'";
    }
    Complain("line %ld: no column '%s' in the %s (%zu columns%s)", recordLine_,
             Printable(settings_.columns[t]).c_str(), row, fields_.size(), names.c_str());
    fatal_ = stop_ = true;
  }

  // One column asked for twice would be answered into itself.
  bool Distinct() const {
    for (std::size_t i = 0; i < targets_.size(); ++i) {
      for (std::size_t j = 0; j < i; ++j) {
        if (targets_[i].index == targets_[j].index) {
          Complain("column %ld is given twice ('%s' and '%s')", targets_[i].index + 1,
                   Printable(settings_.columns[j]).c_str(), Printable(settings_.columns[i]).c_str());
          return false;
        }
      }
    }
    return true;
  }

  void Slots() {
    for (std::size_t t = 0; t < targets_.size(); ++t) {
      auto index = static_cast<std::size_t>(targets_[t].index);
      if (slotOf_.size() <= index) slotOf_.resize(index + 1, -1);
      slotOf_[index] = static_cast<int>(t);
    }
  }

  void Data(std::string_view content) {
    // A ragged row's fields cannot be told apart from shifted ones: its
    // answers could land under other columns, so none are given.
    if (fields_.size() != expectedFields_) {
      Complain("line %ld: %zu fields where the first row has %zu; row copied unchanged",
               recordLine_, fields_.size(), expectedFields_);
      trouble_ = true;
      out_.Append(content);
      EmptyNewColumns();
      out_.EndRecord();
      return;
    }
    for (Target& t : targets_) {
      if (!Answer(t)) return;
    }
    // The replaced fields in the order they stand.
    std::size_t from = recordStart_;
    for (std::size_t i = 0; i < slotOf_.size(); ++i) {
      const Target* t = slotOf_[i] >= 0 ? &targets_[static_cast<std::size_t>(slotOf_[i])] : nullptr;
      if (!t || !t->answered || !NewName(static_cast<std::size_t>(slotOf_[i])).empty()) continue;
      const Span& f = fields_[i];
      out_.Append(std::string_view(pending_).substr(from, f.begin - from));
      AppendField(t->answer, f.quoted);
      from = f.end;
    }
    out_.Append(content.substr(from - recordStart_));
    for (std::size_t i = 0; i < targets_.size(); ++i) {
      if (NewName(i).empty()) continue;
      out_.Append(std::string_view(&delimiter_, 1));
      if (targets_[i].answered) AppendField(targets_[i].answer, false);
    }
    out_.EndRecord();
  }

  // false: stop here (abort).
  bool Answer(Target& t) {
    t.answered = false;
    // With several columns a message says which one.
    char column[32] = "";
    if (targets_.size() > 1) std::snprintf(column, sizeof column, "column %ld: ", t.index + 1);
    if (!IsWellFormedUtf8(t.value)) {
      Complain("line %ld: field %ld is not valid UTF-8; left unchanged", recordLine_, t.index + 1);
      trouble_ = true;
      return true;
    }
    try {
      bool valid = question_.Ask(t.value, t.answer, wantValidity_);
      t.answered = true;
      if (!valid) {
        anyInvalid_ = true;
        if (report_) {
          Complain("line %ld: %sinvalid %s value '%s'", recordLine_, column,
                   TypeName(question_.type()), Printable(t.value).c_str());
        }
        if (question_.op() != Op::kCheck && settings_.invalid == InvalidPolicy::kAbort) {
          stop_ = true;
          return false;
        }
      }
    } catch (const std::bad_alloc&) {
      Complain("line %ld: %sout of memory for a value of %zu bytes; left unchanged", recordLine_,
               column, t.value.size());
      trouble_ = true;
    }
    return true;
  }

  // Quoted when the field was quoted or needs it.
  void AppendField(std::string_view text, bool quoted) {
    if (!quoted) {
      for (char c : text) {
        if (c == delimiter_ || c == kQuote || c == '\n' || c == '\r') {
          quoted = true;
          break;
        }
      }
    }
    if (!quoted) {
      out_.Append(text);
      return;
    }
    std::string q = "\"";
    for (char c : text) {
      if (c == kQuote) q += kQuote;
      q += c;
    }
    q += kQuote;
    out_.Append(q);
  }

  const Question& question_;
  const CsvSettings& settings_;
  const char delimiter_;
  LineReader& reader_;
  Output out_;
  Progress progress_;
  csv_parser parser_{};
  bool wantValidity_, report_;

  std::string pending_;  // raw input not yet dropped
  std::size_t emitted_ = 0, cursor_ = 0, recordStart_ = 0, resyncFrom_ = 0;
  long line_ = 1, recordLine_ = 1, recordIndex_ = 0;
  bool inRecord_ = false, resync_ = false;
  std::vector<Span> fields_;
  std::vector<std::string> header_;
  std::size_t expectedFields_ = 0;
  std::vector<Target> targets_;  // in the order of -c
  std::vector<int> slotOf_;      // a field's index in targets_, or -1
  int newColumns_ = 0;
  bool stop_ = false, fatal_ = false, trouble_ = false, anyInvalid_ = false;
};

}  // namespace

int RunCsv(const Question& question, const std::string& path, const CsvSettings& settings) {
  char delimiter;
  const std::string& d = settings.delimiter;
  if (d == "tab" || d == "\\t" || d == "\t") {
    delimiter = '\t';
  } else if (d.size() == 1 && d[0] != kQuote && d[0] != '\n' && d[0] != '\r') {
    delimiter = d[0];
  } else {
    Complain("the delimiter must be one character other than a quote or a line break, or tab");
    return 2;
  }
  LineReader reader(path);
  if (!reader.ok()) return 2;
  CsvRun run(question, settings, delimiter, reader);
  return run.Run();
}

}  // namespace zmask
