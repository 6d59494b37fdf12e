// What every fuzz target shares: reading the input, choosing the settings,
// and failing loudly when a property does not hold.
//
// An input is two selector bytes (settings, then a type or an operation)
// followed by tab-separated fields; the seeds in fuzz/corpus/ are rows of the
// shared case table in this shape.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "intl/settings.h"

namespace zorva::fuzz {

#define FUZZ_CHECK(cond)                                                              \
  do {                                                                                \
    if (!(cond)) {                                                                    \
      std::fprintf(stderr, "property failed: %s (%s:%d)\n", #cond, __FILE__, __LINE__); \
      std::abort();                                                                   \
    }                                                                                 \
  } while (0)

class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size)
      : rest_(reinterpret_cast<const char*>(data), size) {}
  std::uint8_t Byte() {
    if (rest_.empty()) return 0;
    auto b = static_cast<std::uint8_t>(rest_[0]);
    rest_.remove_prefix(1);
    return b;
  }
  // The text up to the next tab (the whole rest for the last field).
  std::string_view Field() {
    std::size_t cut = rest_.find('\t');
    std::string_view f = rest_.substr(0, cut);
    rest_.remove_prefix(cut == std::string_view::npos ? rest_.size() : cut + 1);
    return f;
  }
  std::string_view Rest() const { return rest_; }

 private:
  std::string_view rest_;
};

// The user's currency symbol: dollar, the euro byte, several characters, none.
inline const IntlSettings& SettingsFor(std::uint8_t selector) {
  static const IntlSettings kSettings[] = {
      LoadIntlSettings(MakeSystemLocale("en", "$")),
      LoadIntlSettings(MakeSystemLocale("en", "\x80")),
      LoadIntlSettings(MakeSystemLocale("de", "SFr")),
      LoadIntlSettings(MakeSystemLocale("", "")),
  };
  return kSettings[selector % 4];
}

// Type numbers: 0..17 as they are, others stand for types outside the range.
inline std::int32_t TypeNumber(std::uint8_t b) {
  static constexpr std::int32_t kOutside[] = {-1, 18, 19, 100, INT32_MIN, INT32_MAX, -100, 255};
  return b < 18 ? b : kOutside[b % 8];
}

// A zero-terminated copy, as the engines take their texts; masks are cut as
// the dispatchers cut them.
inline std::string Text(std::string_view s, std::size_t max = std::string::npos) {
  std::string t(s.substr(0, max));
  return t;
}

// A destination of exactly `size` bytes, so that any write past it is caught.
class Dest {
 public:
  explicit Dest(std::size_t size) : size_(size), buf_(new char[size ? size : 1]) {
    std::memset(buf_.get(), 'x', size ? size : 1);
  }
  char* get() { return buf_.get(); }
  std::size_t size() const { return size_; }
  // Terminated inside the buffer; the answer as a string.
  std::string Answer() {
    const void* end = std::memchr(buf_.get(), 0, size_);
    FUZZ_CHECK(size_ == 0 || end);
    return size_ ? std::string(buf_.get()) : std::string();
  }

 private:
  std::size_t size_;
  std::unique_ptr<char[]> buf_;
};

}  // namespace zorva::fuzz
