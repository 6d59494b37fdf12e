// Draws requests for the differential run: seeded, in runs under one mask,
// biased to the shared case table's masks and values, mutated (characters inserted, deleted and
// replaced, long repeats, characters outside ASCII, lengths around 63 and
// 255), and writes them as a case table whose expected column is the C
// interface's answer. A request holding an unpaired surrogate cannot be put
// to the UTF-8 C interface: the UTF-16 entry points answer it, and its
// reason column says so.
//   draw_requests CASES.tsv COUNT SEED > requests.tsv
#include <cstdint>
#include <cstdio>
#include <iostream>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "case_table.h"
#include "zorva/zorva.h"

namespace {

using zorva::test::TableCase;
constexpr const char* kUtf16Only = "unpaired surrogate: answered by the UTF-16 entry points";

bool HasLoneSurrogate(const std::u16string& s) {
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char16_t c = s[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF)
      ++i;
    else if (c >= 0xD800 && c <= 0xDFFF)
      return true;
  }
  return false;
}

std::string Utf8(const std::u16string& s) {
  std::string out(s.size() * 3 + 1, '\0');
  out.resize(zorva::Utf16ToUtf8(s.data(), s.size(), out.data(), out.size()));
  return out;
}

std::u16string Utf16(const std::string& s) {
  std::u16string out(s.size() + 1, u'\0');
  out.resize(zorva::Utf8ToUtf16(s.data(), s.size(), out.data(), out.size()));
  return out;
}

// A field of the table: the escapes it documents, everything else as UTF-8.
std::string Escape(const std::u16string& s) {
  std::string out;
  std::size_t plain = 0;  // start of the run not yet written
  auto flush = [&](std::size_t end) { out += Utf8(s.substr(plain, end - plain)); };
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char16_t c = s[i];
    const char* e = c == u'\\' ? "\\\\" : c == u'\t' ? "\\t" : c == u'\n' ? "\\n" : c == u'\r' ? "\\r"
                  : c == 0 ? "\\0" : nullptr;
    const bool high = c >= 0xD800 && c <= 0xDBFF, low = c >= 0xDC00 && c <= 0xDFFF;
    if (high && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
      ++i;  // a pair: plain text
      continue;
    }
    if (!e && !high && !low) continue;
    flush(i);
    plain = i + 1;
    if (e) {
      out += e;
    } else {
      char u[8];
      std::snprintf(u, sizeof u, "\\u%04X", static_cast<unsigned>(c));
      out += u;
    }
  }
  flush(s.size());
  return out;
}

// The answer as the table writes it: valid/invalid for a check.
std::u16string Answer(const std::string& op, int type, const std::u16string& mask,
                      const std::u16string& value) {
  if (HasLoneSurrogate(mask) || HasLoneSurrogate(value)) {
    const zorva::test::Answers a = zorva::test::Ask(type, mask, value);
    return op == "check" ? (a.valid ? u"valid" : u"invalid") : op == "raw" ? a.raw : a.formatted;
  }
  const std::string m = Utf8(mask), v = Utf8(value);
  if (op == "check") {
    const int r = zorva_is_valid(type, m.data(), m.size(), v.data(), v.size());
    if (r < 0) throw std::runtime_error("zorva_is_valid failed");
    return r ? u"valid" : u"invalid";
  }
  char out[ZORVA_MAX_ANSWER + 1];
  const int n = op == "raw" ? zorva_raw_value(type, m.data(), m.size(), v.data(), v.size(), out, sizeof out)
                            : zorva_formatted_value(type, m.data(), m.size(), v.data(), v.size(), out, sizeof out);
  if (n < 0) throw std::runtime_error("the C interface failed");
  return Utf16(std::string(out, static_cast<std::size_t>(n)));
}

class Drawer {
 public:
  Drawer(std::vector<TableCase> cases, std::uint64_t seed) : cases_(std::move(cases)), random_(seed) {
    for (const TableCase& c : cases_) {
      masks_[c.type].push_back(c.mask);
      values_[c.type].push_back(c.value);
      if (c.op != "check") values_[c.type].push_back(c.expected);  // a raw form, or a display
    }
  }

  // A run of requests under one op, type and mask, as a column or a
  // stream brings them.
  std::vector<TableCase> DrawRun() {
    TableCase r = cases_[Below(cases_.size())];
    static const char* const ops[] = {"check", "raw", "format"};
    if (Chance(25)) r.op = ops[Below(3)];
    if (Chance(20)) r.mask = Pick(masks_[r.type]);
    else if (Chance(4)) r.mask.clear();
    if (Chance(6)) Mutate(r.mask, 1 + Below(2));
    std::vector<TableCase> run(1 + Below(16), r);
    for (TableCase& c : run) {
      if (Chance(40)) c.value = Pick(values_[c.type]);
      if (Chance(65)) Mutate(c.value, 1 + Below(3));
      c.expected = Answer(c.op, c.type, c.mask, c.value);
      c.reason = HasLoneSurrogate(c.mask) || HasLoneSurrogate(c.value) ? kUtf16Only : "";
    }
    return run;
  }

 private:
  std::size_t Below(std::size_t n) { return static_cast<std::size_t>(random_() % n); }
  bool Chance(int percent) { return Below(100) < static_cast<std::size_t>(percent); }
  const std::u16string& Pick(const std::vector<std::u16string>& from) { return from[Below(from.size())]; }

  // Mostly what masks and numbers are made of; some text outside ASCII, a
  // pair, control characters and, rarely, an unpaired surrogate.
  std::u16string Character() {
    static const std::u16string ascii = u"0123456789012345$,.()-+ /:#&?;\"\\_eE%AaLlUuyYmMdDhHsSpPxX!";
    static const std::u16string others[] = {u"\u00e9", u"\u00fc", u"\u00df", u"\u20ac", u"\u00a3",
                                            u"\u00a0", u"\u4e2d", u"\uff10", u"\ufeff", u"\ufffd",
                                            u"\U0001F600", u"\u0660", u"\u00ff", u"\u0178"};
    static const std::u16string controls[] = {u"\t", u"\n", u"\r", std::u16string(1, u'\0'), u"\x01",
                                               u"\x7f"};
    const std::size_t k = Below(1000);
    if (k < 800) return std::u16string(1, ascii[Below(ascii.size())]);
    if (k < 950) return Pick(std::vector<std::u16string>(std::begin(others), std::end(others)));
    if (k < 990) return controls[Below(std::size(controls))];
    return std::u16string(1, static_cast<char16_t>(Chance(50) ? 0xD800 + Below(0x400) : 0xDC00 + Below(0x400)));
  }

  void Mutate(std::u16string& s, std::size_t times) {
    while (times-- > 0) {
      const std::size_t at = Below(s.size() + 1);
      switch (Below(10)) {
        case 0: case 1: case 2: s.insert(at, Character()); break;
        case 3: case 4: if (!s.empty()) s.erase(Below(s.size()), 1); break;
        case 5: case 6: case 7: if (!s.empty()) s.replace(Below(s.size()), 1, Character()); break;
        default: Repeat(s); break;
      }
    }
  }

  // A long repeat of one character or of the text itself, cut to a length
  // around the bounds of masks (63) and answers (255).
  void Repeat(std::u16string& s) {
    static const std::size_t lengths[] = {62, 63, 64, 65, 127, 128, 254, 255, 256, 257, 300, 1000};
    const std::size_t length = lengths[Below(std::size(lengths))];
    const std::u16string unit = s.empty() || Chance(50) ? Character() : s;
    while (s.size() < length) s.insert(Below(s.size() + 1), unit);
    s.resize(length);
  }

  std::vector<TableCase> cases_;
  std::mt19937_64 random_;
  std::map<int, std::vector<std::u16string>> masks_, values_;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: draw_requests CASES.tsv COUNT SEED\n";
    return 2;
  }
  try {
    Drawer drawer(zorva::test::LoadCaseTable(argv[1]), std::stoull(argv[3]));
    const long count = std::stol(argv[2]);
    std::cout << "# " << count << " requests drawn from " << argv[1] << " with seed " << argv[3]
              << "; the expected column is the C interface's answer.\n";
    long utf16 = 0, written = 0;
    while (written < count) {
      for (const TableCase& r : drawer.DrawRun()) {
        if (written == count) break;
        ++written;
        utf16 += !r.reason.empty();
        std::cout << r.op << '\t' << zorva::ValueTypeName(r.type) << '\t' << Escape(r.mask) << '\t'
                  << Escape(r.value) << '\t' << Escape(r.expected) << '\t' << r.reason << '\n';
      }
    }
    std::cerr << "draw_requests: " << count << " requests, " << count - utf16
              << " answered by the C interface, " << utf16 << " (" << kUtf16Only << ")\n";
    return std::cout.flush() ? 0 : 1;
  } catch (const std::exception& e) {
    std::cerr << "draw_requests: " << e.what() << '\n';
    return 1;
  }
}
