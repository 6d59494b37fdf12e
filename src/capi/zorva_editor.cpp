// The editor's C functions: the opaque zorva_editor is the C++ Editor, and
// no exception crosses into C.
#include <new>

#include "capi/c_answers.h"
#include "edit/editor.h"
#include "zorva/zorva.h"

struct zorva_editor {
  std::unique_ptr<zorva::Editor> editor;
};

namespace {

using zorva::CopyAnswer;
using zorva::ToView;

// The answer of a text accessor, cut for the caller.
template <class Accessor>
int TextAnswer(const zorva_editor* e, char* dest, std::size_t size, Accessor accessor) noexcept {
  if (!e || (!dest && size)) return -1;
  char full[ZORVA_MAX_ANSWER + 1];
  try {
    return CopyAnswer(full, accessor(*e->editor, full, sizeof full), dest, size);
  } catch (...) {
    if (size) dest[0] = '\0';
    return -1;
  }
}

}  // namespace

extern "C" {

zorva_editor* zorva_editor_new(int value_type, const char* mask, size_t mask_length, const char* prompt,
                               size_t prompt_length) {
  std::string_view m, p;
  if (!ToView(mask, mask_length, m) || !ToView(prompt, prompt_length, p)) return nullptr;
  try {
    auto editor = zorva::Editor::Create(value_type, m, p);
    return editor ? new zorva_editor{std::move(editor)} : nullptr;
  } catch (...) {
    return nullptr;
  }
}

void zorva_editor_free(zorva_editor* editor) { delete editor; }

int zorva_editor_insert(zorva_editor* e, const char* text, size_t length) {
  std::string_view t;
  if (!e || !ToView(text, length, t)) return -1;
  return e->editor->Insert(t) ? 1 : 0;
}

int zorva_editor_delete_backward(zorva_editor* e) { return e ? e->editor->DeleteBackward() : -1; }

int zorva_editor_delete_forward(zorva_editor* e) { return e ? e->editor->DeleteForward() : -1; }

int zorva_editor_set_selection(zorva_editor* e, size_t start, size_t end) {
  if (!e) return -1;
  e->editor->Select(start, end);
  return 0;
}

int zorva_editor_set_text(zorva_editor* e, const char* text, size_t length) {
  std::string_view t;
  if (!e || !ToView(text, length, t)) return -1;
  return e->editor->Load(t) ? 1 : 0;
}

int zorva_editor_commit(zorva_editor* e) {
  if (!e) return -1;
  try {
    return e->editor->Commit() ? 1 : 0;
  } catch (...) {
    return -1;
  }
}

int zorva_editor_text(const zorva_editor* e, char* dest, size_t size) {
  return TextAnswer(e, dest, size, [](const zorva::Editor& ed, char* d, std::size_t s) { return ed.Text(d, s); });
}

int zorva_editor_caret(const zorva_editor* e) { return e ? static_cast<int>(e->editor->Caret()) : -1; }

int zorva_editor_raw_value(const zorva_editor* e, char* dest, size_t size) {
  return TextAnswer(e, dest, size, [](const zorva::Editor& ed, char* d, std::size_t s) { return ed.RawValue(d, s); });
}

int zorva_editor_is_valid(const zorva_editor* e) {
  if (!e) return -1;
  try {
    return e->editor->Valid() ? 1 : 0;
  } catch (...) {
    return -1;
  }
}

}  // extern "C"
