// What the entry points share: ANSI copies of their arguments and the
// currency swap.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace zorva {

// A zero-terminated ANSI copy of an argument; short texts live inline.
class AnsiText {
 public:
  AnsiText() { inline_[0] = '\0'; }
  // false when memory for a long text cannot be had.
  bool AssignUtf16(const char16_t* text, std::size_t length) noexcept;
  bool AssignUtf8(const char* text, std::size_t length) noexcept;
  bool AssignAnsi(const char* text, std::size_t length) noexcept;
  char* data() noexcept { return data_; }

 private:
  bool Reserve(std::size_t bytes) noexcept;
  char inline_[512];
  std::unique_ptr<char[]> heap_;
  char* data_ = inline_;
};

// Replaces every occurrence of sCurrency's first character by the first byte
// of sSystemCurrency, removing the sCurrency characters after it.
void SwapCurrencySymbol(char* text) noexcept;

// Whether the swap applies: the system symbol differs from the mask currency,
// the type is Currency and the system symbol starts with the euro byte.
bool ShouldSwapCurrency(std::int32_t valueType) noexcept;

}  // namespace zorva
