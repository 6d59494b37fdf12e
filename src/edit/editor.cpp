// The editor's set-up, its UTF-8 front and the commit through the service's
// own answers.
#include "edit/editor.h"

#include <cstring>
#include <utility>

#include "intl/settings.h"
#include "platform/codepage.h"
#include "platform/unicode.h"
#include "service/default_mask.h"
#include "service/prepared_mask.h"
#include "service/value_types.h"

namespace zorva {
namespace {

// UTF-8 to code-page characters, one byte each; a character the code page
// lacks, a malformed sequence and NUL become 0, which nothing takes.
// Returns the characters written, at most size.
std::size_t ToEditChars(std::string_view utf8, char* dest, std::size_t size) noexcept {
  std::size_t n = 0;
  for (std::size_t i = 0; i < utf8.size() && n < size;) {
    const unsigned char b = static_cast<unsigned char>(utf8[i]);
    if (b < 0x80) {
      dest[n++] = static_cast<char>(b);
      ++i;
      continue;
    }
    // A stray continuation byte is a character of its own, dropped.
    std::size_t length = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
    if (length > utf8.size() - i) length = utf8.size() - i;
    char16_t wide[4];
    char c = '\0';
    if (Utf8ToUtf16(utf8.data() + i, length, wide, 4) == 1 && wide[0] != u'\uFFFD') {
      c = AnsiFromCodePoint(wide[0]);
      if (c == '?') c = '\0';  // "?" itself is ASCII, read above
    }
    dest[n++] = c;
    i += length;
  }
  return n;
}

}  // namespace

std::unique_ptr<Editor> Editor::Create(std::int32_t valueType, std::string_view mask,
                                       std::string_view prompt) {
  Kind kind;
  switch (EditTypeOf(valueType)) {
    case etText: kind = Kind::kCharacterMask; break;
    case etCurrency:
    case etByte:
    case etInteger:
    case etLong:
    case etSingle:
    case etDouble: kind = Kind::kNumber; break;
    case etDate:
    case etTime:
    case etDateTime: kind = Kind::kDate; break;
    case etBoolean: kind = Kind::kBoolean; break;
    default: return nullptr;  // the binary kinds have no value to edit
  }
  char p = '_';
  if (!prompt.empty()) {
    char chars[2];
    if (ToEditChars(prompt, chars, 2) != 1 || chars[0] == '\0' || (ClassOf(chars[0]) & kCntrl)) {
      return nullptr;
    }
    p = chars[0];
  }
  std::unique_ptr<Editor> editor(new Editor(valueType, mask, p, kind));
  switch (editor->kind_) {
    case Kind::kNumber:
      if (!editor->number_.Prepare(valueType, editor->mask_)) return nullptr;
      break;
    case Kind::kCharacterMask:
      if (editor->cellCount_ > kTextChars) return nullptr;
      break;
    case Kind::kDate:
      if (!editor->date_.Prepare(EditTypeOf(valueType), editor->EffectiveText(), p)) return nullptr;
      break;
    case Kind::kBoolean:
      if (!editor->boolean_.Prepare(editor->EffectiveText())) return nullptr;
      break;
    case Kind::kPlain: break;
  }
  editor->Render();
  return editor;
}

Editor::Editor(std::int32_t valueType, std::string_view mask, char prompt, Kind kind)
    : mask_(valueType, mask), valueType_(valueType), kind_(kind), prompt_(prompt) {
  // A text type without a mask is free text (its default mask is empty).
  if (kind_ == Kind::kCharacterMask && mask_.state().text.empty()) kind_ = Kind::kPlain;
  if (kind_ == Kind::kCharacterMask) cellCount_ = LayOutMask(mask_.state().text.c_str(), cells_, kMaxChars);
  std::memset(slots_, 0, sizeof slots_);
  text_[0] = '\0';
}

const char* Editor::EffectiveText() const noexcept {
  return EffectiveMask(EditTypeOf(valueType_), mask_.state().text.c_str(), Intl());
}

void Editor::Render() noexcept {
  if (kind_ == Kind::kPlain) return;
  if (OnField([this](auto& field) {
        const std::string_view shown = field.Shown();
        std::memcpy(text_, shown.data(), shown.size());
        length_ = shown.size();
        text_[length_] = '\0';
      })) {
    return;
  }
  for (std::size_t i = 0; i < cellCount_; ++i) {
    text_[i] = !cells_[i].placeholder ? cells_[i].c : slots_[i] ? slots_[i] : prompt_;
  }
  length_ = cellCount_;
  text_[length_] = '\0';
}

void Editor::Resume() noexcept {
  if (!committed_) return;
  committed_ = false;
  Render();
  if (end_ > length_) end_ = length_;
  if (start_ > end_) start_ = end_;
}

bool Editor::Insert(std::string_view text) noexcept {
  Resume();
  char chars[kMaxInsert];
  const std::size_t n = ToEditChars(text, chars, sizeof chars);
  bool taken = false;
  switch (kind_) {
    case Kind::kPlain: taken = InsertPlain(chars, n); break;
    case Kind::kCharacterMask: taken = InsertChars(chars, n); break;
    case Kind::kNumber: taken = number_.Insert(chars, n, start_, end_); break;
    case Kind::kDate: taken = date_.Insert(chars, n, start_, end_); break;
    case Kind::kBoolean: taken = boolean_.Insert(chars, n, start_, end_); break;
  }
  Render();
  return taken;
}

void Editor::Select(std::size_t start, std::size_t end) noexcept {
  Resume();
  if (start > end) std::swap(start, end);
  start_ = start < length_ ? start : length_;
  end_ = end < length_ ? end : length_;
}

bool Editor::Load(std::string_view text) noexcept {
  committed_ = false;
  std::memset(slots_, 0, sizeof slots_);
  number_.Clear();
  date_.Clear();
  boolean_.Clear();
  length_ = 0;
  text_[0] = '\0';
  Render();
  start_ = end_ = 0;
  return Insert(text);
}

std::size_t Editor::Value(char* dest) const noexcept {
  if (kind_ == Kind::kDate && !committed_) return date_.Value(dest);
  if (kind_ != Kind::kCharacterMask || committed_) {  // the text is the value
    std::memcpy(dest, text_, length_ + 1);
    return length_;
  }
  // Up to the last filled placeholder, and the literals after it when no
  // placeholder follows; "_" for an empty one, as the raw value marks it.
  std::size_t end = cellCount_;
  while (end > 0 && !(cells_[end - 1].placeholder && slots_[end - 1])) --end;
  bool placeholderAfter = false;
  for (std::size_t i = end; i < cellCount_; ++i) placeholderAfter |= cells_[i].placeholder;
  if (end > 0 && !placeholderAfter) end = cellCount_;
  for (std::size_t i = 0; i < end; ++i) {
    dest[i] = !cells_[i].placeholder ? cells_[i].c : slots_[i] ? slots_[i] : '_';
  }
  dest[end] = '\0';
  return end;
}

namespace {
// A code-page text in UTF-8, in a buffer any answer fits.
struct Utf8Text {
  Utf8Text(const char* ansi, std::size_t length) : size(AnsiToUtf8(ansi, length, data, sizeof data)) {}
  std::string_view view() const { return {data, size}; }
  char data[kUtf8AnswerBytes];
  std::size_t size;
};
}  // namespace

bool Editor::Commit() {
  char value[kMaxChars + 1];
  const Utf8Text entered(value, Value(value));
  bool valid = IsValidUtf8(mask_, entered.view());
  if (valid) {
    char raw[kUtf8AnswerBytes], shown[kUtf8AnswerBytes];
    const std::size_t r = GetRawValueUtf8(mask_, entered.view(), raw, sizeof raw);
    const std::size_t f = GetFormattedValueUtf8(mask_, {raw, r}, shown, sizeof shown);
    length_ = Utf8ToAnsi(shown, f, text_, sizeof text_);
    // The verdict is on what is shown: a mask whose literals hold digits
    // ("10"0) shows a value its check reads as another number.
    valid = IsValidUtf8(mask_, {shown, f});
    // Edited again from what is shown.
    std::size_t start = 0, end = 0;
    OnField([&](auto& field) {
      field.Clear();
      field.Insert(text_, length_, start, end);
    });
  } else if (kind_ == Kind::kCharacterMask || kind_ == Kind::kDate) {
    length_ = Value(text_);  // without prompts; plain text is its own value
  }
  committed_ = true;
  start_ = end_ = length_;
  return valid;
}

std::size_t Editor::Text(char* dest, std::size_t size) const noexcept {
  return AnsiToUtf8(text_, length_, dest, size);
}

bool Editor::Valid() const {
  char value[kMaxChars + 1];
  return IsValidUtf8(mask_, Utf8Text(value, Value(value)).view());
}

std::size_t Editor::RawValue(char* dest, std::size_t size) const {
  char value[kMaxChars + 1];
  return GetRawValueUtf8(mask_, Utf8Text(value, Value(value)).view(), dest, size);
}

}  // namespace zorva
