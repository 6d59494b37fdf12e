#include "service/entry_points.h"

#include <cstring>
#include <new>

#include "platform/hidden_nul.h"
#include "platform/unicode.h"
#include "service/boolean.h"

namespace zorva {

bool AnsiText::Reserve(std::size_t bytes) noexcept {
  if (bytes <= sizeof inline_) {
    data_ = inline_;
    return true;
  }
  heap_.reset(new (std::nothrow) char[bytes]);
  data_ = heap_ ? heap_.get() : inline_;
  inline_[0] = '\0';
  return heap_ != nullptr;
}

namespace {
std::size_t ToAnsi(const char16_t* text, std::size_t length, char* dest, std::size_t size) noexcept {
  return Utf16ToAnsi(text, length, dest, size);
}
std::size_t ToAnsi(const char* text, std::size_t length, char* dest, std::size_t size) noexcept {
  return Utf8ToAnsi(text, length, dest, size);
}
}  // namespace

template <class Char>
bool AnsiText::Assign(const Char* text, std::size_t length) noexcept {
  // The usual short ASCII text is copied inline and done.
  if (length < sizeof inline_ && CopyAsciiPrefix(text, length, inline_) == length) {
    data_ = inline_;
    inline_[length] = '\0';
    size_ = length;
    ascii_ = true;
    return true;
  }
  ascii_ = false;
  size_ = 0;
  if (!Reserve(length + 1)) return false;
  size_ = ToAnsi(text, length, data_, length + 1);
  ReplaceEmbeddedNuls(data_, size_);
  return true;
}

template bool AnsiText::Assign(const char16_t* text, std::size_t length) noexcept;
template bool AnsiText::Assign(const char* text, std::size_t length) noexcept;

bool AnsiText::AssignAnsi(const char* text, std::size_t length) noexcept {
  ascii_ = false;
  size_ = 0;
  if (!Reserve(length + 1)) return false;
  std::memcpy(data_, text, length);
  data_[length] = '\0';
  size_ = length;
  return true;
}

bool ShouldSwapCurrency(std::int32_t valueType, const IntlSettings& s) noexcept {
  if (valueType != tkMECurrency) return false;  // the cheap test first
  return static_cast<unsigned char>(s.sSystemCurrency[0]) == 0x80 &&
         std::strcmp(s.sSystemCurrency, s.sCurrency) != 0;
}

void SwapCurrencySymbol(char* text, const IntlSettings& s) noexcept {
  const char target = s.sCurrency[0];
  if (!text || !target) return;
  const std::size_t extra = std::strlen(s.sCurrency) - 1;
  // One pass: what lies before the last replacement holds no more targets,
  // since the replacement byte differs from the target.
  char* out = text;
  for (const char* in = text; *in;) {
    if (*in == target) {
      *out++ = s.sSystemCurrency[0];
      ++in;
      for (std::size_t k = 0; k < extra && *in; ++k) ++in;  // whatever they are
    } else {
      *out++ = *in++;
    }
  }
  *out = '\0';
}

}  // namespace zorva
