// Writing into a caller's fixed buffer of `size` bytes: every text is cut at
// size - 1 characters and terminated, and nothing is written when the size
// is 0. The engines write all their answers through these two.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace zorva {

// Copies the first `length` characters of src (no more than fit) and the
// terminator; returns how many were copied.
inline std::size_t CopyCut(char* dest, std::size_t size, const char* src,
                           std::size_t length) noexcept {
  if (size == 0) return 0;
  const std::size_t n = length < size ? length : size - 1;
  std::memcpy(dest, src, n);
  dest[n] = '\0';
  return n;
}

template <std::size_t N>
std::size_t CopyCut(char (&dest)[N], const char* src, std::size_t length) noexcept {
  return CopyCut(dest, N, src, length);
}

// Appends to a caller's buffer, dropping what does not fit. The text is
// terminated when the writer goes out of scope, not after every character:
// read it as a string only after that. A null destination takes nothing.
class BoundedText {
 public:
  BoundedText(char* dest, std::size_t size) noexcept : dest_(dest), size_(dest ? size : 0) {}
  ~BoundedText() {
    if (size_ > 0) dest_[length_] = '\0';
  }
  BoundedText(const BoundedText&) = delete;
  BoundedText& operator=(const BoundedText&) = delete;

  bool Full() const noexcept { return length_ + 1 >= size_; }
  void Put(char c) noexcept {
    if (length_ + 1 < size_) dest_[length_++] = c;
  }
  void Put(char c, std::size_t count) noexcept {
    for (std::size_t i = 0; i < count && length_ + 1 < size_; ++i) dest_[length_++] = c;
  }
  void Put(const char* text) noexcept {
    while (*text && length_ + 1 < size_) dest_[length_++] = *text++;
  }
  // A number in decimal, zero-padded on the left to at least `width` digits.
  void PutDecimal(std::uint32_t n, int width) noexcept {
    char digits[10];
    int count = 0;
    do {
      digits[count++] = static_cast<char>('0' + n % 10);
      n /= 10;
    } while (n);
    if (width > count) Put('0', static_cast<std::size_t>(width - count));
    while (count) Put(digits[--count]);
  }
  // Room for more characters, and writing them in place: the caller writes
  // at most Room() characters at End() and then Advance()s over them.
  std::size_t Room() const noexcept { return length_ + 1 < size_ ? size_ - length_ - 1 : 0; }
  char* End() noexcept { return dest_ + length_; }
  void Advance(std::size_t count) noexcept { length_ += count; }
  char* data() noexcept { return dest_; }
  std::size_t length() const noexcept { return length_; }

 private:
  char* dest_;
  std::size_t size_;
  std::size_t length_ = 0;
};

}  // namespace zorva
