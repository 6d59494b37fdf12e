#include "edit/boolean_field.h"

#include "platform/codepage.h"
#include "service/answer_size.h"
#include "service/boolean.h"

namespace zorva {
namespace {

bool BeginsWithNoCase(std::string_view text, std::string_view prefix) noexcept {
  if (prefix.size() > text.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (CrtToUpper(text[i]) != CrtToUpper(prefix[i])) return false;
  }
  return true;
}

}  // namespace

bool BooleanField::Prepare(const char* mask) noexcept {
  mask_ = mask;
  true_ = BooleanTextOf(mask, 1);
  false_ = BooleanTextOf(mask, 0);
  Clear();
  return true_.size() <= kAnswerChars && false_.size() <= kAnswerChars;
}

// One character; false when refused.
bool BooleanField::Type(char c) noexcept {
  if (c == '1' || c == '0' || c == '2') {
    shown_ = BooleanTextOf(mask_, c - '0');
    decided_ = true;
    return true;
  }
  // Typed after what is shown, or anew when that begins neither text; the
  // shown beginning is the texts' own, so it can be read back from either.
  const char typed[2] = {c, '\0'};
  std::size_t before = shown_.size();
  auto begins = [&](std::string_view text) {
    return text.size() > before && BeginsWithNoCase(text.substr(before), {typed, 1}) &&
           BeginsWithNoCase(text, shown_.substr(0, before));
  };
  bool t = begins(true_), f = begins(false_);
  if (!t && !f && decided_) {
    before = 0;
    t = begins(true_);
    f = begins(false_);
  }
  if (!t && !f) return false;
  const std::size_t length = before + 1;
  if (t && f && length < true_.size() && length < false_.size()) {
    shown_ = true_.substr(0, length);
    decided_ = false;
    return true;
  }
  // One text left, or one of them typed whole: the reader decides.
  char value[64];
  std::size_t n = 0;
  for (; n < length && n + 1 < sizeof value; ++n) value[n] = t ? true_[n] : false_[n];
  value[n] = '\0';
  const int state = t && f ? BooleanState(value, mask_) : t ? 1 : 0;
  shown_ = BooleanTextOf(mask_, state);
  decided_ = true;
  return true;
}

bool BooleanField::Insert(const char* chars, std::size_t n, std::size_t& start, std::size_t& end) noexcept {
  const std::string_view was = shown_;
  const bool wasDecided = decided_;
  if (start < end) Clear();  // a selection is all of the text or part of it: replaced either way
  bool taken = false;
  // Once a text is decided, a paste ends at the first character that does
  // not go on with it: "Yes" is one word, not three keys.
  for (std::size_t i = 0; i < n; ++i) {
    if (Type(chars[i]))
      taken = true;
    else if (taken && decided_)
      break;
  }
  if (!taken) {
    shown_ = was;
    decided_ = wasDecided;
    return false;
  }
  start = end = shown_.size();
  return true;
}

bool BooleanField::DeleteBackward(std::size_t& start, std::size_t& end) noexcept {
  if (start == end && start == 0) return false;
  if (decided_ || start < end)
    Clear();
  else
    shown_.remove_suffix(1);
  start = end = shown_.size();
  return true;
}

bool BooleanField::DeleteForward(std::size_t& start, std::size_t& end) noexcept {
  if (start == end && start >= shown_.size()) return false;
  Clear();
  start = end = 0;
  return true;
}

}  // namespace zorva
