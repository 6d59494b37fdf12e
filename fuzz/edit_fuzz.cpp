// The editor through the C interface: a type, a mask and a prompt, then
// keys read from the input. Every text stays within an answer's bounds, the
// caret within the text, and a commit's verdict and raw value are the
// service's for the text it shows.
#include "harness.h"

namespace {

using zorva::fuzz::Input;

int Chars(const std::string& utf8) {
  int n = 0;
  for (unsigned char c : utf8) n += (c & 0xC0) != 0x80;
  return n;
}

std::string Text(const zorva_editor* e, int (*answer)(const zorva_editor*, char*, size_t)) {
  char out[ZORVA_MAX_ANSWER + 1];
  const int n = answer(e, out, sizeof out);
  FUZZ_CHECK(n >= 0 && n <= ZORVA_MAX_ANSWER);
  return std::string(out, static_cast<std::size_t>(n));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input in(data, size);
  const int type = zorva::fuzz::TypeNumber(in.Byte());
  const std::string_view mask = in.Field(), prompt = in.Field();
  zorva_editor* e = zorva_editor_new(type, mask.data(), mask.size(), prompt.data(), prompt.size());
  if (!e) return 0;
  while (!in.Rest().empty()) {
    switch (in.Byte() % 6) {
      case 0: {
        const std::string_view text = in.Field();
        FUZZ_CHECK(zorva_editor_insert(e, text.data(), text.size()) >= 0);
        break;
      }
      case 1: FUZZ_CHECK(zorva_editor_delete_backward(e) >= 0); break;
      case 2: FUZZ_CHECK(zorva_editor_delete_forward(e) >= 0); break;
      case 3: {
        const std::size_t start = in.Byte(), end = in.Byte();
        FUZZ_CHECK(zorva_editor_set_selection(e, start, end) == 0);
        break;
      }
      case 4: {
        const std::string_view text = in.Field();
        FUZZ_CHECK(zorva_editor_set_text(e, text.data(), text.size()) >= 0);
        break;
      }
      default: {
        const int verdict = zorva_editor_commit(e);
        const std::string text = Text(e, zorva_editor_text), raw = Text(e, zorva_editor_raw_value);
        FUZZ_CHECK(verdict == zorva_is_valid(type, mask.data(), mask.size(), text.data(), text.size()));
        char service[ZORVA_MAX_ANSWER + 1];
        zorva_raw_value(type, mask.data(), mask.size(), text.data(), text.size(), service, sizeof service);
        FUZZ_CHECK(raw == service);
      }
    }
    const std::string text = Text(e, zorva_editor_text);
    FUZZ_CHECK(zorva_editor_caret(e) >= 0 && zorva_editor_caret(e) <= Chars(text));
    FUZZ_CHECK(zorva_editor_is_valid(e) >= 0);
  }
  zorva_editor_free(e);
  return 0;
}
