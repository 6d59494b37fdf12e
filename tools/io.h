// Reading lines and writing answers so that no data is lost without a word:
// every read or write error is reported with the file it concerns, and a
// line too long to hold is reported and skipped, not taken for the end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
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
  // Lines end in `terminator`: a newline, or a NUL for -z.
  explicit LineReader(const std::string& path, char terminator = '\n');
  ~LineReader();
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  bool ok() const { return fd_ >= 0; }
  const std::string& name() const { return name_; }
  // The input's size when it is a regular file, else 0; the bytes read.
  std::uint64_t size() const;
  std::uint64_t read() const { return read_; }

  // The next line without its terminator (and a carriage return before a
  // newline), and
  // the first without a UTF-8 byte order mark, which editors put at the
  // start of a file. A line that does not fit in memory is skipped up to
  // its newline and gives kTooLong; kError has already been reported.
  Status Next(std::string_view& line) {
    // The usual line, whole in the buffer: found here, without a call.
    if (!first_ && !skipping_ && scan_ < end_) {
      const char* data = buf_.get();
      if (const void* found = std::memchr(data + scan_, terminator_, end_ - scan_)) {
        const auto stop = static_cast<std::size_t>(static_cast<const char*>(found) - data);
        std::size_t length = stop - begin_;
        if (length && terminator_ == '\n' && data[stop - 1] == '\r') --length;
        line = std::string_view(data + begin_, length);
        begin_ = scan_ = stop + 1;
        return Status::kLine;
      }
    }
    return NextInBlocks(line);
  }
  // Raw bytes as they come, for parsers that find their own records: a
  // non-empty block, an empty one at the end, false after a reported error.
  bool ReadBlock(std::string_view& block);

 private:
  Status NextInBlocks(std::string_view& line);  // Next, reading more where needed
  bool Fill();  // reads more after end_; false on error
  bool Grow();
  bool SkipByteOrderMark();  // false on a reported read error

  int fd_ = -1;
  bool own_ = false;
  bool eof_ = false;
  bool skipping_ = false;
  bool first_ = true;
  char terminator_;
  std::string name_;
  std::unique_ptr<char[]> buf_;
  std::size_t capacity_ = 0, begin_ = 0, scan_ = 0, end_ = 0;
  std::uint64_t read_ = 0;
};

// Answers written to standard output in blocks (or per line), with every
// write checked: the first failure is reported and makes failed() true.
class Output {
 public:
  explicit Output(bool lineBuffered, char terminator = '\n')
      : buffer_(new char[kCapacity]), lineBuffered_(lineBuffered), terminator_(terminator) {}
  ~Output() { Flush(); }
  Output(const Output&) = delete;
  Output& operator=(const Output&) = delete;

  void Line(std::string_view text) {
    Append(text);
    Append(std::string_view(&terminator_, 1));
    EndRecord();
  }
  // Room for a line of up to `size` bytes (at most kMaxLine), written in
  // place and then ended with EndLine: an answer needs no copy of its own.
  char* LineSpace(std::size_t size) {
    if (size + 1 > kCapacity - used_) Flush();
    return buffer_.get() + used_;
  }
  void EndLine(std::size_t length) {
    used_ += length;
    buffer_[used_++] = terminator_;
    EndRecord();
  }
  void Append(std::string_view bytes) {
    if (bytes.size() > kCapacity - used_) {
      Flush();
      if (bytes.size() > kCapacity) {  // a huge record goes out as it is
        Write(bytes.data(), bytes.size());
        return;
      }
    }
    std::memcpy(buffer_.get() + used_, bytes.data(), bytes.size());
    used_ += bytes.size();
  }
  // Called after a whole record of Append.
  void EndRecord() {
    if (lineBuffered_ || used_ >= kBlock) Flush();
  }
  bool Flush() {
    Write(buffer_.get(), used_);
    used_ = 0;
    return !failed_;
  }
  bool failed() const { return failed_; }

  static constexpr std::size_t kMaxLine = 1 << 12;

 private:
  void Write(const char* data, std::size_t size);

  static constexpr std::size_t kBlock = 1 << 16;
  static constexpr std::size_t kCapacity = kBlock + kMaxLine + 1;
  std::unique_ptr<char[]> buffer_;
  std::size_t used_ = 0;
  bool lineBuffered_;
  char terminator_;
  bool failed_ = false;
};

}  // namespace zmask
