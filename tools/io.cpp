#include "io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <new>

#include "progress.h"

namespace zmask {

void Complain(const char* format, ...) {
  char message[1024];
  va_list args;
  va_start(args, format);
  std::vsnprintf(message, sizeof message, format, args);
  va_end(args);
  ClearProgress();
  std::fprintf(stderr, "zmask: %s\n", message);
}

std::string Printable(std::string_view value) {
  constexpr std::size_t kShown = 80;
  std::string out;
  for (std::size_t i = 0; i < value.size() && i < kShown; ++i) {
    unsigned char c = static_cast<unsigned char>(value[i]);
    if (c < 32 || c == 127) {
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\x%02x", c);
      out += hex;
    } else {
      out += static_cast<char>(c);
    }
  }
  if (value.size() > kShown) out += "...";
  return out;
}

bool CheckStandardDescriptors() {
  for (int fd : {0, 2}) {
    if (fcntl(fd, F_GETFD) < 0) {
      int null = open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
      if (null >= 0 && null != fd) {
        dup2(null, fd);
        close(null);
      }
    }
  }
  if (fcntl(1, F_GETFD) < 0) {
    Complain("write error: standard output: %s", std::strerror(errno));
    return false;
  }
  return true;
}

LineReader::LineReader(const std::string& path, char terminator) : terminator_(terminator) {
  if (path.empty() || path == "-") {
    fd_ = 0;
    name_ = "standard input";
  } else {
    name_ = path;
    fd_ = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) {
      Complain("cannot open %s: %s", path.c_str(), std::strerror(errno));
      return;
    }
    own_ = true;
  }
  capacity_ = 1 << 16;
  buf_.reset(new char[capacity_]);
}

std::uint64_t LineReader::size() const {
  struct stat st;
  return fd_ >= 0 && fstat(fd_, &st) == 0 && S_ISREG(st.st_mode) ? static_cast<std::uint64_t>(st.st_size) : 0;
}

LineReader::~LineReader() {
  if (own_) close(fd_);
}

bool LineReader::Grow() {
  std::size_t bigger = capacity_ * 2;
  std::unique_ptr<char[]> next(new (std::nothrow) char[bigger]);
  if (!next) return false;
  std::memcpy(next.get(), buf_.get() + begin_, end_ - begin_);
  end_ -= begin_;
  scan_ -= begin_;
  begin_ = 0;
  buf_ = std::move(next);
  capacity_ = bigger;
  return true;
}

bool LineReader::Fill() {
  if (skipping_ && end_ == capacity_) begin_ = scan_ = end_ = 0;
  if (begin_ > 0 && end_ == capacity_) {  // make room at the back
    std::memmove(buf_.get(), buf_.get() + begin_, end_ - begin_);
    end_ -= begin_;
    scan_ -= begin_;
    begin_ = 0;
  }
  if (end_ == capacity_ && !Grow()) {
    // The line does not fit: drop what is held of it and skip to its end.
    skipping_ = true;
    begin_ = scan_ = end_ = 0;
  }
  for (;;) {
    ssize_t n = ::read(fd_, buf_.get() + end_, capacity_ - end_);
    if (n >= 0) {
      if (n == 0) eof_ = true;
      end_ += static_cast<std::size_t>(n);
      read_ += static_cast<std::uint64_t>(n);
      return true;
    }
    if (errno != EINTR) {
      Complain("%s: read error: %s", name_.c_str(), std::strerror(errno));
      return false;
    }
  }
}

LineReader::Status LineReader::NextInBlocks(std::string_view& line) {
  if (first_ && !SkipByteOrderMark()) return Status::kError;
  for (;;) {
    const char* data = buf_.get();
    const void* newline = scan_ < end_ ? std::memchr(data + scan_, terminator_, end_ - scan_) : nullptr;
    std::size_t stop;
    if (newline) {
      stop = static_cast<std::size_t>(static_cast<const char*>(newline) - data);
    } else if (eof_) {
      if (begin_ == end_ && !skipping_) return Status::kEnd;
      stop = end_;
    } else {
      scan_ = end_;
      if (!Fill()) return Status::kError;
      continue;
    }
    std::size_t length = stop - begin_;
    if (length && terminator_ == '\n' && data[begin_ + length - 1] == '\r') --length;
    line = std::string_view(data + begin_, length);
    begin_ = scan_ = stop < end_ ? stop + 1 : end_;
    if (skipping_) {
      skipping_ = false;
      line = {};
      return Status::kTooLong;
    }
    return Status::kLine;
  }
}

// Reads only while what has come could still be the mark, so that a first
// short line typed at a terminal is answered at once.
bool LineReader::SkipByteOrderMark() {
  constexpr std::string_view kMark = "\xEF\xBB\xBF";
  first_ = false;
  for (;;) {
    std::string_view held(buf_.get() + begin_, end_ - begin_);
    if (held.size() >= kMark.size() && held.substr(0, kMark.size()) == kMark) {
      begin_ = scan_ = begin_ + kMark.size();
      return true;
    }
    if (eof_ || held.size() >= kMark.size() || held != kMark.substr(0, held.size())) return true;
    if (!Fill()) return false;
  }
}

bool LineReader::ReadBlock(std::string_view& block) {
  begin_ = scan_ = end_ = 0;
  if (eof_) {
    block = {};
    return true;
  }
  if (!Fill()) return false;
  block = std::string_view(buf_.get(), end_);
  return true;
}

void Output::Write(const char* data, std::size_t size) {
  std::size_t done = 0;
  while (!failed_ && done < size) {
    ssize_t n = write(1, data + done, size - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else {
      Complain("write error: standard output: %s", n < 0 ? std::strerror(errno) : "nothing written");
      failed_ = true;
    }
  }
}

}  // namespace zmask
