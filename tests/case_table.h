// Reads the shared end-to-end case table (tests/cases/cases.tsv), which every
// front answers: op, type, mask, value, expected, reason, tab-separated, with
// \\ \t \n \r \0 and \uXXXX escapes. Texts come back as UTF-16, so that a
// case may hold an unpaired surrogate. Ask puts one value to all three
// UTF-16 entry points.
#pragma once

#include <algorithm>
#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/unicode.h"
#include "zorva/automation.h"
#include "zorva/masked_edit.h"
#include "zorva/types.h"

namespace zorva::test {

struct TableCase {
  int line = 0;
  std::string op;  // check, raw or format
  int type = 0;
  std::u16string mask, value, expected;
  std::string reason;
};

// One field: UTF-8 with escapes, to UTF-16.
inline std::u16string DecodeField(std::string_view s, int line) {
  std::u16string out;
  auto plain = [&out](std::string_view run) {
    std::u16string wide(run.size() + 1, u'\0');  // room for the terminator
    out.append(wide.data(), Utf8ToUtf16(run.data(), run.size(), wide.data(), wide.size()));
  };
  for (std::size_t i; (i = s.find('\\')) != s.npos;) {
    plain(s.substr(0, i));
    static constexpr std::string_view kFrom = "\\tnr0";
    static constexpr char16_t kTo[] = u"\\\t\n\r";  // and the zero after them
    const char e = i + 1 < s.size() ? s[i + 1] : '\0';
    if (e == 'u') out += static_cast<char16_t>(std::stoul(std::string(s.substr(i + 2, 4)), nullptr, 16));
    else if (e && kFrom.find(e) != kFrom.npos) out += kTo[kFrom.find(e)];
    else throw std::runtime_error("line " + std::to_string(line) + ": bad escape");
    s.remove_prefix(std::min(s.size(), i + (e == 'u' ? 6 : 2)));
  }
  plain(s);
  return out;
}

inline std::vector<TableCase> LoadCaseTable(const std::string& path) {
  std::ifstream in(path);
  if (!in) throw std::runtime_error("cannot open " + path);
  std::vector<TableCase> cases;
  std::string text;
  for (int line = 1; std::getline(in, text); ++line) {
    if (text.empty() || text[0] == '#') continue;
    std::vector<std::string_view> f;
    for (std::string_view rest = text;; rest.remove_prefix(f.back().size() + 1))
      if (f.push_back(rest.substr(0, rest.find('\t'))); f.back().size() == rest.size()) break;
    const int type = f.size() == 6 ? ValueTypeNamed(f[1]) : -1;
    if (type < 0 || (f[0] != "check" && f[0] != "raw" && f[0] != "format"))
      throw std::runtime_error(path + ":" + std::to_string(line) + ": 6 fields, an op and a type wanted");
    cases.push_back({line, std::string(f[0]), type, DecodeField(f[2], line), DecodeField(f[3], line),
                     DecodeField(f[4], line), std::string(f[5])});
  }
  return cases;
}

// The answers of the three UTF-16 entry points; an answer not given (not
// S_OK, or no string) stays as made here.
struct Answers {
  LONG valid = 1;
  std::u16string raw = u"<none>", formatted = u"<none>";
  bool operator==(const Answers&) const = default;
};

inline Answers Ask(std::int32_t type, const std::u16string& mask, const std::u16string& value) {
  BSTR m = SysAllocStringLen(mask.data(), static_cast<UINT>(mask.size()));
  BSTR v = SysAllocStringLen(value.data(), static_cast<UINT>(value.size()));
  auto take = [](auto call, std::u16string& to) {
    BSTR b = nullptr;
    if (call(&b) == S_OK && b) to.assign(b, SysStringLen(b));
    SysFreeString(b);
  };
  Answers a;
  IsValid(type, m, v, &a.valid);
  take([&](BSTR* out) { return GetRawValue(type, m, v, out); }, a.raw);
  VARIANT var{};
  var.vt = VT_BSTR;
  var.bstrVal = v;
  take([&](BSTR* out) { return GetFormattedValue(type, m, var, out); }, a.formatted);
  SysFreeString(m);
  SysFreeString(v);
  return a;
}

}  // namespace zorva::test
