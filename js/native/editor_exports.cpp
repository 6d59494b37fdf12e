// The editor's C interface for the WebAssembly module: the zorva_editor
// functions with UTF-16 text in and out. Each text goes through a buffer on
// the stack, so a keystroke allocates nothing. Every character an editor
// shows is one of the code page's, which UTF-16 holds in one unit, so
// positions in code units are positions in characters. EMSCRIPTEN_KEEPALIVE
// alone exports each function to the package; the link's list need not name it.
#include <emscripten/emscripten.h>

#include <cstddef>
#include <string>

#include "platform/unicode.h"
#include "zorva/zorva.h"

namespace {

// The characters of one insertion the editor reads, at 4 UTF-8 bytes each
// at most; the code units read for them (a pair for each past the BMP).
constexpr std::size_t kInsertChars = 1020;
constexpr std::size_t kInsertBytes = 4 * kInsertChars;

using Operation = int (*)(zorva_editor*, const char*, std::size_t);

int WithText(Operation op, zorva_editor* e, const char16_t* text, int length) noexcept {
  if (length < 0) return -1;
  char utf8[kInsertBytes];
  const std::size_t units = static_cast<std::size_t>(length) < 2 * kInsertChars ? length : 2 * kInsertChars;
  return op(e, utf8, zorva::Utf16ToUtf8(text, units, utf8, sizeof utf8));
}

using Answer = int (*)(const zorva_editor*, char*, std::size_t);

// The answer in UTF-16: its length in code units, or -1.
int AnswerText(Answer answer, const zorva_editor* e, char16_t* out, int capacity) noexcept {
  char utf8[ZORVA_MAX_ANSWER + 1];
  const int n = answer(e, utf8, sizeof utf8);
  if (n < 0 || capacity <= 0) return -1;
  return static_cast<int>(zorva::Utf8ToUtf16(utf8, static_cast<std::size_t>(n), out,
                                             static_cast<std::size_t>(capacity)));
}

std::string Utf8(const char16_t* text, int length) {
  const std::size_t units = length > 0 ? static_cast<std::size_t>(length) : 0;
  std::string out(3 * units + 1, '\0');
  out.resize(zorva::Utf16ToUtf8(text, units, out.data(), out.size()));
  return out;
}

}  // namespace

extern "C" {

// Null when the type or mask has no editing rules, or the prompt is not one
// character of the code page.
EMSCRIPTEN_KEEPALIVE zorva_editor* zm_editor_new(int type, const char16_t* mask, int maskLength,
                                                 const char16_t* prompt, int promptLength) {
  try {
    const std::string m = Utf8(mask, maskLength), p = Utf8(prompt, promptLength);
    return zorva_editor_new(type, m.data(), m.size(), p.data(), p.size());
  } catch (...) {
    return nullptr;
  }
}

EMSCRIPTEN_KEEPALIVE void zm_editor_free(zorva_editor* e) { zorva_editor_free(e); }

EMSCRIPTEN_KEEPALIVE int zm_editor_insert(zorva_editor* e, const char16_t* text, int length) {
  return WithText(zorva_editor_insert, e, text, length);
}

EMSCRIPTEN_KEEPALIVE int zm_editor_set_text(zorva_editor* e, const char16_t* text, int length) {
  return WithText(zorva_editor_set_text, e, text, length);
}

EMSCRIPTEN_KEEPALIVE int zm_editor_delete(zorva_editor* e, int forward) {
  return forward ? zorva_editor_delete_forward(e) : zorva_editor_delete_backward(e);
}

EMSCRIPTEN_KEEPALIVE int zm_editor_select(zorva_editor* e, int start, int end) {
  return zorva_editor_set_selection(e, start > 0 ? start : 0, end > 0 ? end : 0);
}

EMSCRIPTEN_KEEPALIVE int zm_editor_commit(zorva_editor* e) { return zorva_editor_commit(e); }

EMSCRIPTEN_KEEPALIVE int zm_editor_caret(const zorva_editor* e) { return zorva_editor_caret(e); }

EMSCRIPTEN_KEEPALIVE int zm_editor_valid(const zorva_editor* e) { return zorva_editor_is_valid(e); }

EMSCRIPTEN_KEEPALIVE int zm_editor_text(const zorva_editor* e, char16_t* out, int capacity) {
  return AnswerText(zorva_editor_text, e, out, capacity);
}

EMSCRIPTEN_KEEPALIVE int zm_editor_raw(const zorva_editor* e, char16_t* out, int capacity) {
  return AnswerText(zorva_editor_raw_value, e, out, capacity);
}

}  // extern "C"
