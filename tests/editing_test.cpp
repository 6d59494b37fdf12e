// Editing as you type, through the C interface: the rows of
// tests/cases/editing.tsv, and random keys under every character mask of
// the case table, whose commits must agree with the three questions.
#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "case_table.h"
#include "zorva/zorva.h"

namespace {

using Editor = std::unique_ptr<zorva_editor, void (*)(zorva_editor*)>;

Editor NewEditor(int type, const std::string& mask, const std::string& prompt = "") {
  return Editor(zorva_editor_new(type, mask.data(), mask.size(), prompt.data(), prompt.size()),
                zorva_editor_free);
}

using Answer = int (*)(const zorva_editor*, char*, size_t);
std::string Ask(const zorva_editor* e, Answer answer) {
  char out[ZORVA_MAX_ANSWER + 1];
  return answer(e, out, sizeof out) < 0 ? "<error>" : out;
}

// The text with "|" at the caret, "\|" for a bar and "\\" for a backslash
// of the text itself.
std::string Shown(const zorva_editor* e) {
  const std::string text = Ask(e, zorva_editor_text);
  std::string out;
  int chars = 0;
  const int caret = zorva_editor_caret(e);
  for (std::size_t i = 0; i <= text.size(); ++i) {
    const bool starts = i == text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
    if (starts && chars++ == caret) out += '|';
    if (i == text.size()) break;
    if (text[i] == '|' || text[i] == '\\') out += '\\';
    out += text[i];
  }
  return out;
}

// A field with "|" marks: the text, and the marks' character positions.
std::string Unmarked(const std::string& field, std::vector<std::size_t>& marks) {
  std::string text;
  std::size_t chars = 0;
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '|') { marks.push_back(chars); continue; }
    if (field[i] == '\\' && i + 1 < field.size()) ++i;
    text += field[i];
    chars += (static_cast<unsigned char>(field[i]) & 0xC0) != 0x80;
  }
  return text;
}

// Plays the keystroke column (syntax in editing.tsv's header).
void Play(zorva_editor* e, const std::string& keys) {
  for (std::size_t i = 0; i < keys.size();) {
    if (keys[i] == '[') {
      std::string paste;
      for (++i; i < keys.size() && keys[i] != ']'; ++i) paste += keys[i] == '\\' ? keys[++i] : keys[i];
      zorva_editor_insert(e, paste.data(), paste.size());
      ++i;
    } else if (keys[i] == '{') {
      const std::size_t close = keys.find('}', i);
      const std::string word = keys.substr(i + 1, close - i - 1);
      i = close + 1;
      if (word == "bs") zorva_editor_delete_backward(e);
      else if (word == "del") zorva_editor_delete_forward(e);
      else if (word == "commit") zorva_editor_commit(e);
      else {
        const std::size_t dash = word.find('-');
        const std::size_t start = std::stoul(word);
        zorva_editor_set_selection(e, start, dash == word.npos ? start : std::stoul(word.substr(dash + 1)));
      }
    } else {
      if (keys[i] == '\\') ++i;
      std::size_t n = 1;  // one UTF-8 character
      while (i + n < keys.size() && (static_cast<unsigned char>(keys[i + n]) & 0xC0) == 0x80) ++n;
      zorva_editor_insert(e, keys.data() + i, n);
      i += n;
    }
  }
}

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> f(1);
  for (char c : line) {
    if (c == '\t') f.emplace_back();
    else f.back().push_back(c);
  }
  return f;
}

TEST(Editing, TableRows) {
  std::ifstream in(ZORVA_SOURCE_DIR "/tests/cases/editing.tsv");
  ASSERT_TRUE(in);
  int rows = 0;
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (line.empty() || line[0] == '#') continue;
    const std::vector<std::string> f = Fields(line);
    ASSERT_GE(f.size(), 8u) << "line " << number;
    const std::string where = "editing.tsv:" + std::to_string(number) + ": " + f[4];
    Editor e = NewEditor(zorva_value_type_named(f[0].data(), f[0].size()), f[1], f[2]);
    ASSERT_TRUE(e) << where;
    std::vector<std::size_t> marks;
    const std::string start = Unmarked(f[3], marks);
    ASSERT_TRUE(marks.size() == 1 || marks.size() == 2) << where;
    // An empty field is left as it is made: its prompts are no value.
    if (Ask(e.get(), zorva_editor_text) != start) zorva_editor_set_text(e.get(), start.data(), start.size());
    ASSERT_EQ(Ask(e.get(), zorva_editor_text), start) << where << ": the start text does not load as it is";
    zorva_editor_set_selection(e.get(), marks.front(), marks.back());
    Play(e.get(), f[4]);
    EXPECT_EQ(Shown(e.get()), f[5]) << where;
    EXPECT_EQ(Ask(e.get(), zorva_editor_raw_value), f[6]) << where;
    EXPECT_EQ(zorva_editor_is_valid(e.get()), f[7] == "valid" ? 1 : 0) << where;
    ++rows;
  }
  EXPECT_GE(rows, 150);
}

// The masks of the case table's rows of every type that is edited.
std::set<std::pair<int, std::string>> CaseTableMasks() {
  std::set<std::pair<int, std::string>> masks;
  for (const auto& c : zorva::test::LoadCaseTable(ZORVA_SOURCE_DIR "/tests/cases/cases.tsv")) {
    if (c.type == ZORVA_OLEOBJECT || c.type == ZORVA_BINARY || c.type == ZORVA_TIMESTAMP) continue;  // never edited
    char mask[4096];
    if (c.mask.size() * 3 >= sizeof mask) continue;
    masks.insert({c.type, std::string(mask, zorva::Utf16ToUtf8(c.mask.data(), c.mask.size(), mask, sizeof mask))});
  }
  return masks;
}

std::string Service(int (*answer)(int, const char*, size_t, const char*, size_t, char*, size_t), int type,
                    const std::string& mask, const std::string& value) {
  char out[ZORVA_MAX_ANSWER + 1];
  answer(type, mask.data(), mask.size(), value.data(), value.size(), out, sizeof out);
  return out;
}

std::u16string Wide(const std::string& utf8) {
  std::u16string out(utf8.size() + 1, u'\0');
  out.resize(zorva::Utf8ToUtf16(utf8.data(), utf8.size(), out.data(), out.size()));
  return out;
}

// Random keys under each mask: a character mask's literals never move, and every commit
// is what the three questions say of the committed text; a valid one shows
// the formatted value of its raw value, and it or its raw value typed into
// an empty field commits to the same text.
TEST(Editing, RandomKeysCommitWhatTheServiceAccepts) {
  std::mt19937 random(28);
  const std::vector<std::string> numberKeys = {"1", "0", "9", ".", "-", "(", ")", "+", ",", "$", "a", " ", "1,234.56",
                                               "(12.5)", "0.001", "99999999999", "12-"};
  const std::vector<std::string> dateKeys = {"1", "2", "0", "3", "9", "/", "-", ":", " ", ".", "a", "p", "J", "d",
                                             "m", "x", "Ja", "12/31/2026", "2026-12-31", "23:59:00", "Dec 4",
                                             "2001-02-29 24:00:00", "3:30 pm", "1/5/79"};
  const std::vector<std::string> booleanKeys = {"y", "N", "t", "f", "o", "n", "1", "0", "2", "x", " ", "Yes", "off"};
  const std::vector<std::string> textKeys = {"1", "7", "a", "Q", "z", "-", "+", "(", ")", " ", "_", ".", "/", "\\",
                                         "\"", "#", "\xc3\xa9", "\xe2\x82\xac", "\xce\xa9", "555-12", "(555) 123-4567",
                                         "ab12CD", "x_y"};
  int editors = 0, valid = 0;
  for (const auto& [type, mask] : CaseTableMasks()) {
    Editor e = NewEditor(type, mask);
    if (!e) continue;  // a mask too long to show
    ++editors;
    const bool text = type == ZORVA_TEXT || type == ZORVA_MEMO || type == ZORVA_URL || type == ZORVA_IMAGE;
    const bool date = type == ZORVA_DATE || type == ZORVA_TIME || type == ZORVA_DATETIME;
    const std::vector<std::string>& keys = text ? textKeys
                                           : date ? dateKeys
                                           : type == ZORVA_BOOLEAN ? booleanKeys
                                                                   : numberKeys;
    const std::u16string empty = Wide(Ask(e.get(), zorva_editor_text));
    for (int round = 0; round < 40; ++round) {
      zorva_editor_set_text(e.get(), "", 0);
      for (int step = std::uniform_int_distribution<>(1, 24)(random); step > 0; --step) {
        const int kind = std::uniform_int_distribution<>(0, 9)(random);
        if (kind == 0) zorva_editor_delete_backward(e.get());
        else if (kind == 1) zorva_editor_delete_forward(e.get());
        else if (kind == 2) {
          std::uniform_int_distribution<> at(0, static_cast<int>(empty.size()) + 12);
          zorva_editor_set_selection(e.get(), at(random), at(random));
        } else {
          const std::string& k = keys[std::uniform_int_distribution<std::size_t>(0, keys.size() - 1)(random)];
          zorva_editor_insert(e.get(), k.data(), k.size());
        }
        if (!text || mask.empty()) continue;  // literals stay where a character mask puts them
        const std::u16string text = Wide(Ask(e.get(), zorva_editor_text));
        ASSERT_EQ(text.size(), empty.size()) << mask;
        for (std::size_t i = 0; i < empty.size(); ++i) {
          if (empty[i] != u'_') { ASSERT_EQ(text[i], empty[i]) << mask; }
        }
      }
      const std::string editing = Ask(e.get(), zorva_editor_text);
      const int verdict = zorva_editor_commit(e.get());
      const std::string text = Ask(e.get(), zorva_editor_text), raw = Ask(e.get(), zorva_editor_raw_value);
      const std::string where = mask + ": " + editing + " -> " + text;
      ASSERT_EQ(zorva_is_valid(type, mask.data(), mask.size(), text.data(), text.size()), verdict) << where;
      ASSERT_EQ(raw, Service(zorva_raw_value, type, mask, text)) << where;
      if (verdict != 1) continue;
      // A mask with digits among its literals ("10"0) shows a value its own
      // check reads otherwise; the editor can agree with no round trip there.
      const std::string shown = Service(zorva_formatted_value, type, mask, raw);
      if (Service(zorva_raw_value, type, mask, shown) != raw) continue;
      ++valid;
      ASSERT_EQ(text, shown) << where;
      // Shown anew, or its raw value typed into an empty field: the same
      // commit.
      for (const std::string& again : {text, raw}) {
        Editor other = NewEditor(type, mask);
        zorva_editor_insert(other.get(), again.data(), again.size());
        ASSERT_EQ(zorva_editor_commit(other.get()), 1) << where << " from " << again;
        ASSERT_EQ(Ask(other.get(), zorva_editor_text), text) << where << " from " << again;
      }
    }
  }
  EXPECT_GT(editors, 20);
  EXPECT_GT(valid, 100);
}

}  // namespace
