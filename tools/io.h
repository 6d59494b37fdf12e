// Reading lines and writing answers so that no data is lost without a word:
// every read or write error is reported with the file it concerns, and a
// line too long to hold is reported and skipped, not taken for the end.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace zmask {

// Prints "zmask: " and the message on standard error.
void Complain(const char* format, ...) __attribute__((format(printf, 1, 2)));

// A value as a message shows it: control bytes escaped, long values cut.
std::string Printable(std::string_view value);

// Makes sure descriptors 0 and 2 are open (on /dev/null if not), so that a
// file opened later cannot take their place; false when standard output is
// closed, which is reported.
bool CheckStandardDescriptors();

class LineReader {
 public:
  enum class Status { kLine, kTooLong, kEnd, kError };

  // Reads standard input for "-" or an empty path. Check ok() before use.
  explicit LineReader(const std::string& path);
  ~LineReader();
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  bool ok() const { return fd_ >= 0; }
  const std::string& name() const { return name_; }

  // The next line without its newline and a carriage return before it. A
  // line that does not fit in memory is skipped up to its newline and gives
  // kTooLong; kError has already been reported.
  Status Next(std::string_view& line);
  // Raw bytes as they come, for parsers that find their own records: a
  // non-empty block, an empty one at the end, false after a reported error.
  bool ReadBlock(std::string_view& block);

 private:
  bool Fill();  // reads more after end_; false on error
  bool Grow();

  int fd_ = -1;
  bool own_ = false;
  bool eof_ = false;
  bool skipping_ = false;
  std::string name_;
  std::unique_ptr<char[]> buf_;
  std::size_t capacity_ = 0, begin_ = 0, scan_ = 0, end_ = 0;
};

// Answers written to standard output in blocks (or per line), with every
// write checked: the first failure is reported and makes failed() true.
class Output {
 public:
  explicit Output(bool lineBuffered) : lineBuffered_(lineBuffered) {}
  ~Output() { Flush(); }

  void Line(std::string_view text) {
    buffer_.append(text);
    buffer_.push_back('\n');
    if (lineBuffered_ || buffer_.size() >= kBlock) Flush();
  }
  void Append(std::string_view bytes) { buffer_.append(bytes); }
  // Called after a whole record of Append.
  void EndRecord() {
    if (lineBuffered_ || buffer_.size() >= kBlock) Flush();
  }
  bool Flush();
  bool failed() const { return failed_; }

 private:
  static constexpr std::size_t kBlock = 1 << 16;
  std::string buffer_;
  bool lineBuffered_;
  bool failed_ = false;
};

}  // namespace zmask
