// The same 1,000-value mixes per operation through four implementations:
// our dispatcher ("engine", ANSI in and out), our UTF-16 entry point, ICU
// with its defaults and a plain libc program (and ICU rounding half-up, as
// we do, beside its default half-even: "icu-halfup"); and, as a stream calls
// it per line, our UTF-8 buffer call with the mask as text ("utf8") or
// prepared once ("prepared"). Every implementation's answers are checked
// against the expected texts before anything is timed, so a fast wrong
// answer fails.
//
//   peer_bench [benchmark flags]   times every pair (ns per call)
//   peer_bench --answers           only checks the answers
//   peer_bench --mixes             prints the mixes, one value a line, for
//                                  the WebAssembly benchmark (wasm_bench.mjs)
//   peer_bench --instructions[=NAME]  one pass per pair (those whose name
//                                  holds NAME) between callgrind dumps
//                                  (run under valgrind --tool=callgrind)
#include <benchmark/benchmark.h>
#include <unicode/choicfmt.h>
#include <unicode/dcfmtsym.h>
#include <unicode/decimfmt.h>
#include <unicode/regex.h>
#include <unicode/smpdtfmt.h>
#include <unicode/timezone.h>
#include <unicode/uchar.h>
#include <valgrind/callgrind.h>

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "civil_days.h"
#include "intl/settings.h"
#include "libc_number.h"
#include "platform/unicode.h"
#include "service/dispatch.h"
#include "yes_no.h"
#include "zorva/automation.h"
#include "zorva/masked_edit.h"

namespace {

using namespace zorva;

constexpr int kValues = 1000;

// --- The mixes ---------------------------------------------------------------

enum class Kind { kCurrency, kLong, kDouble, kDate, kTime, kDateTime, kText, kBoolean };

struct Value {
  std::string raw;        // what GetFormattedValue takes
  std::string formatted;  // what it answers
  std::string typed;      // what GetRawValue takes: formatted, or another spelling of it
  std::string parsed;     // what GetRawValue answers
  double number = 0;      // ICU's input and parse answer (numbers, booleans)
  double udate = 0;       // ICU's date input and parse answer (milliseconds)
  std::string digits;     // the text type's digits
  std::string tieOther;   // a tie (x.xx5) rounded the other way from ours
  bool tieOtherIsUp = false, tieOtherIsEven = false;
};

struct Mix {
  const char* name;
  Kind kind;
  std::int32_t type;
  const char* mask;
  const char* icuPattern;
  std::vector<Value> values;
  bool rounding = false;  // raw numbers with 3 or 4 decimals: formatting only
};

struct Random {
  std::uint64_t state = 0x9E3779B97F4A7C15ull;
  std::uint64_t Next() {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    return state;
  }
  std::uint64_t Below(std::uint64_t n) { return Next() % n; }
};

std::string Grouped(std::uint64_t n) {
  std::string digits = std::to_string(n), out;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return out;
}

// A magnitude of 1 to `maxDigits` digits, each length equally likely.
std::uint64_t Magnitude(Random& r, int maxDigits) {
  const int digits = 1 + static_cast<int>(r.Below(static_cast<std::uint64_t>(maxDigits)));
  std::uint64_t low = 1, high = 10;
  for (int i = 1; i < digits; ++i) low *= 10, high *= 10;
  return low + r.Below(high - low);
}

// Cents to the raw text the formatted path takes ("-1234.5", "12") and the
// one the raw path answers ("-1234.5", "12.").
void CentsTexts(bool negative, std::uint64_t cents, Value& v) {
  std::string whole = std::to_string(cents / 100);
  std::string fraction = std::to_string(100 + cents % 100).substr(1);
  while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
  const std::string sign = negative ? "-" : "";
  v.raw = sign + whole + (fraction.empty() ? "" : "." + fraction);
  v.parsed = sign + whole + "." + fraction;
  v.number = (negative ? -1.0 : 1.0) * static_cast<double>(cents) / 100.0;
}

// Cents as "#,##0.00" or "$#,##0.00;($#,##0.00)" shows them.
std::string ShownCents(Kind kind, bool negative, std::uint64_t cents) {
  const std::string body = Grouped(cents / 100) + "." + std::to_string(100 + cents % 100).substr(1);
  if (kind == Kind::kCurrency) return negative ? "($" + body + ")" : "$" + body;
  return (negative ? "-" : "") + body;
}

// A number that needs rounding, in ten-thousandths: 3 or 4 decimals, exact
// ties (x.xx5), ties that carry into the whole part (9.995) and 0.005.
std::uint64_t RoundingMagnitude(Random& r) {
  switch (r.Below(4)) {
    case 0: return Magnitude(r, 9) * 10;
    case 1: return Magnitude(r, 10);
    case 2: return Magnitude(r, 7) * 100 + 50;
    default: return (Magnitude(r, 6) - 1) * 10000 + (r.Below(2) == 1 ? 9950 : 50);
  }
}

// We round the fraction as the double it reads as, half-up after two
// multiplications by 10 (RoundToPlaces): 0.085 becomes 8.500000000000002 and
// rounds up, 0.285 becomes 28.499999999999996 and rounds down. A tie thus
// goes either way; the other way is kept to count the peers that take it.
void RoundingTexts(Kind kind, bool negative, std::uint64_t u, Value& v) {
  std::string fraction = std::to_string(10000 + u % 10000).substr(1);
  while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
  double scaled = static_cast<double>(std::stoull("0" + fraction)) / std::pow(10.0, fraction.size());
  scaled *= 10;
  scaled *= 10;
  const std::uint64_t down = u / 10000 * 100 + static_cast<std::uint64_t>(std::floor(scaled));
  const bool roundsUp = scaled - std::floor(scaled) >= 0.5;
  const std::uint64_t cents = down + (roundsUp ? 1 : 0);
  if (cents == 0) negative = false;  // no "-0.00" to argue about
  v.raw = (negative ? "-" : "") + std::to_string(u / 10000) + (fraction.empty() ? "" : "." + fraction);
  v.number = (negative ? -1.0 : 1.0) * static_cast<double>(u) / 10000.0;
  v.formatted = ShownCents(kind, negative, cents);
  if (u % 100 == 50) {
    const std::uint64_t other = roundsUp ? down : down + 1;
    v.tieOther = ShownCents(kind, negative, other);
    v.tieOtherIsUp = !roundsUp;
    v.tieOtherIsEven = other % 2 == 0;
  }
}

std::string TwoDigits(int n) { return std::string(1, '0' + n / 10) + char('0' + n % 10); }

struct Civil {
  int year, month, day;
};

Civil CivilOf(long days) {  // days since 1970-01-01
  long y, m, d;
  CivilFromDays(days, y, m, d);
  return {static_cast<int>(y), static_cast<int>(m), static_cast<int>(d)};
}

struct DateTexts {
  std::string raw, shown;
  double udate;
};

DateTexts RandomDate(Random& r) {
  const long days = -25567 + static_cast<long>(r.Below(73048));  // 1900-01-01 .. 2099-12-31
  const Civil c = CivilOf(days);
  return {std::to_string(c.year) + "-" + TwoDigits(c.month) + "-" + TwoDigits(c.day),
          TwoDigits(c.month) + "/" + TwoDigits(c.day) + "/" + std::to_string(c.year),
          static_cast<double>(days) * 86400000.0};
}

DateTexts RandomTime(Random& r) {
  const int minutes = static_cast<int>(r.Below(24 * 60));
  const int h = minutes / 60, m = minutes % 60;
  const int h12 = h % 12 == 0 ? 12 : h % 12;
  return {TwoDigits(h) + ":" + TwoDigits(m) + ":00",
          std::to_string(h12) + ":" + TwoDigits(m) + (h < 12 ? " AM" : " PM"),
          minutes * 60000.0};
}

// What people type for the mask "Yes/No", and how the mask reads it: other
// cases, first letters, digits and words read letter by letter.
constexpr struct {
  const char* text;
  bool yes;
} kYesNoSpellings[] = {{"Yes", true},   {"No", false},  {"yes", true},   {"no", false},
                       {"YES", true},   {"NO", false},  {"Y", true},     {"N", false},
                       {"y", true},     {"n", false},   {"1", true},     {"0", false},
                       {"yeah", true},  {"nope", false}, {"true", false}, {"false", false}};

std::vector<Mix> MakeMixes() {
  std::vector<Mix> mixes = {
      {"currency", Kind::kCurrency, tkMECurrency, "$#,##0.00;($#,##0.00)", "$#,##0.00;($#,##0.00)", {}},
      {"long", Kind::kLong, tkMELongInt, "#,##0", "#,##0", {}},
      {"double", Kind::kDouble, tkMEDouble, "#,##0.00", "#,##0.00", {}},
      {"date", Kind::kDate, tkMEDate, "mm/dd/yyyy", "MM/dd/yyyy", {}},
      {"time", Kind::kTime, tkMETime, "h:mm AM/PM", "h:mm a", {}},
      {"datetime", Kind::kDateTime, tkMEDateTime, "mm/dd/yyyy h:mm AM/PM", "MM/dd/yyyy h:mm a", {}},
      {"text", Kind::kText, tkMEText, "(###) ###-####", "\\((\\d{3})\\) (\\d{3})-(\\d{4})", {}},
      {"boolean", Kind::kBoolean, tkMEBoolean, "Yes/No", "0#No|1#Yes", {}},
      {"double-rounding", Kind::kDouble, tkMEDouble, "#,##0.00", "#,##0.00", {}, true},
      {"currency-rounding", Kind::kCurrency, tkMECurrency, "$#,##0.00;($#,##0.00)", "$#,##0.00;($#,##0.00)", {},
       true},
  };
  Random r;
  for (Mix& mix : mixes) {
    for (int i = 0; i < kValues; ++i) {
      Value v;
      const bool negative = r.Below(2) == 1;
      switch (mix.kind) {
        case Kind::kCurrency:
        case Kind::kDouble: {
          if (mix.rounding) {
            RoundingTexts(mix.kind, negative, RoundingMagnitude(r), v);
            break;
          }
          const std::uint64_t cents = Magnitude(r, 10);
          CentsTexts(negative, cents, v);
          v.formatted = ShownCents(mix.kind, negative, cents);
          break;
        }
        case Kind::kLong: {
          const std::uint64_t n = Magnitude(r, 9);
          v.raw = v.parsed = (negative ? "-" : "") + std::to_string(n);
          v.formatted = (negative ? "-" : "") + Grouped(n);
          v.number = negative ? -static_cast<double>(n) : static_cast<double>(n);
          break;
        }
        case Kind::kDate: {
          const DateTexts d = RandomDate(r);
          v.raw = v.parsed = d.raw;
          v.formatted = d.shown;
          v.udate = d.udate;
          break;
        }
        case Kind::kTime: {
          const DateTexts t = RandomTime(r);
          v.raw = v.parsed = t.raw;
          v.formatted = t.shown;
          v.udate = t.udate;
          break;
        }
        case Kind::kDateTime: {
          const DateTexts d = RandomDate(r), t = RandomTime(r);
          v.raw = v.parsed = d.raw + " " + t.raw;
          v.formatted = d.shown + " " + t.shown;
          v.udate = d.udate + t.udate;
          break;
        }
        case Kind::kText: {
          v.digits = std::to_string(2000000000ull + r.Below(7999999999ull));
          v.raw = v.parsed = v.digits;
          v.formatted = "(" + v.digits.substr(0, 3) + ") " + v.digits.substr(3, 3) + "-" +
                        v.digits.substr(6);
          break;
        }
        case Kind::kBoolean: {
          const auto& typed = kYesNoSpellings[r.Below(std::size(kYesNoSpellings))];
          v.raw = v.parsed = typed.yes ? "1" : "0";
          v.formatted = typed.yes ? "Yes" : "No";
          v.typed = typed.text;
          v.number = typed.yes ? 1 : 0;
          break;
        }
      }
      if (v.typed.empty()) v.typed = v.formatted;
      mix.values.push_back(v);
    }
  }
  return mixes;
}

// Tab-separated: mix, type, mask, rounding (0/1), raw, formatted, typed,
// parsed, the number and the date (ms since 1970, UTC) the peers take, and
// the other rounding of a tie ("" when none).
void PrintMixes(const std::vector<Mix>& mixes) {
  for (const Mix& mix : mixes) {
    for (const Value& v : mix.values) {
      std::printf("%s\t%d\t%s\t%d\t%s\t%s\t%s\t%s\t%.17g\t%.17g\t%s\n", mix.name, mix.type, mix.mask,
                  mix.rounding ? 1 : 0, v.raw.c_str(), v.formatted.c_str(), v.typed.c_str(), v.parsed.c_str(),
                  v.number, v.udate, v.tieOther.c_str());
    }
  }
}

// --- Implementations -----------------------------------------------------------

// One call on value i; when `answer` is given, the answer as UTF-8 text (ICU
// parse answers as the number or date they read, printed for comparison).
using Call = std::function<void(int i, std::string* answer)>;

using Check = std::function<bool(int i, const std::string& answer)>;

struct Pair {
  std::string name;  // "format/currency/icu"
  Call call;
  Check check;
  // An answer that is not ours for a known reason: counted and shown with
  // `why`, not failed.
  Check differs = nullptr;
  const char* why = nullptr;
};

BSTR MakeBstr(const std::string& utf8) {
  char16_t wide[512];
  const std::size_t n = Utf8ToUtf16(utf8.data(), utf8.size(), wide, 512);
  return SysAllocStringLen(wide, static_cast<UINT>(n));
}

std::string FromBstr(BSTR b) {
  char out[1024];
  return std::string(out, Utf16ToUtf8(b, SysStringLen(b), out, sizeof out));
}

std::string FromIcu(const icu::UnicodeString& s) {
  std::string out;
  return s.toUTF8String(out);
}

std::string PrintNumber(double d) {
  char buf[64];
  return std::string(buf, std::to_chars(buf, buf + sizeof buf, d).ptr);
}

// Inputs kept alive for the whole run.
struct Inputs {
  std::vector<BSTR> rawBstr, shownBstr;
  std::vector<VARIANT> rawVariant, r8Variant;
  std::vector<icu::UnicodeString> shownIcu, digitsIcu;
  BSTR mask = nullptr;
  std::unique_ptr<PreparedMask> prepared;
};

struct IcuFormatters {
  std::unique_ptr<icu::DecimalFormat> number, halfUp;
  std::unique_ptr<icu::SimpleDateFormat> date;
  std::unique_ptr<icu::ChoiceFormat> choice;
  std::unique_ptr<icu::RegexPattern> shownPattern, digitsPattern;
  std::unique_ptr<icu::RegexMatcher> shownMatcher, digitsMatcher;
};

void Require(UErrorCode status, const char* what) {
  if (U_FAILURE(status)) {
    std::fprintf(stderr, "ICU: %s: %s\n", what, u_errorName(status));
    std::exit(2);
  }
}

IcuFormatters MakeIcu(const Mix& mix) {
  IcuFormatters f;
  UErrorCode status = U_ZERO_ERROR;
  const icu::UnicodeString pattern = icu::UnicodeString::fromUTF8(mix.icuPattern);
  switch (mix.kind) {
    case Kind::kCurrency:
    case Kind::kLong:
    case Kind::kDouble:
      // Half-up rounding leaves ICU's fast path for "#,##0": the default
      // is the peer, half-up a second one that rounds as we do.
      f.number = std::make_unique<icu::DecimalFormat>(
          pattern, new icu::DecimalFormatSymbols(icu::Locale::getUS(), status), status);
      f.halfUp = std::make_unique<icu::DecimalFormat>(
          pattern, new icu::DecimalFormatSymbols(icu::Locale::getUS(), status), status);
      Require(status, "DecimalFormat");
      f.halfUp->setRoundingMode(icu::DecimalFormat::kRoundHalfUp);
      break;
    case Kind::kDate:
    case Kind::kTime:
    case Kind::kDateTime:
      f.date = std::make_unique<icu::SimpleDateFormat>(pattern, icu::Locale::getUS(), status);
      Require(status, "SimpleDateFormat");
      f.date->setTimeZone(*icu::TimeZone::getGMT());
      break;
    case Kind::kText:
      f.shownPattern.reset(icu::RegexPattern::compile(pattern, 0, status));
      f.digitsPattern.reset(icu::RegexPattern::compile(u"(\\d{3})(\\d{3})(\\d{4})", 0, status));
      Require(status, "RegexPattern");
      f.shownMatcher.reset(f.shownPattern->matcher(status));
      f.digitsMatcher.reset(f.digitsPattern->matcher(status));
      Require(status, "RegexMatcher");
      break;
    case Kind::kBoolean:
      f.choice = std::make_unique<icu::ChoiceFormat>(pattern, status);
      Require(status, "ChoiceFormat");
      break;
  }
  return f;
}

// libc: strptime/strftime, from_chars/to_chars, snprintf.
// The number jobs' letter for the shared libc code.
char NumberKind(const Mix& mix) {
  return mix.kind == Kind::kLong ? 'l' : mix.kind == Kind::kCurrency ? 'c' : 'd';
}

std::size_t LibcFormatNumber(const Mix& mix, const std::string& raw, char* out) {
  const std::size_t n = bench::LibcFormatNumber(NumberKind(mix), raw, out);
  out[n] = '\0';
  return n;
}

std::size_t LibcParseNumber(const Mix& mix, const std::string& shown, char* out) {
  const std::size_t n = bench::LibcParseNumber(NumberKind(mix), shown, out);
  out[n] = '\0';
  return n;
}

const char* LibcRawForm(Kind k) {
  return k == Kind::kDate ? "%Y-%m-%d" : k == Kind::kTime ? "%H:%M:%S" : "%Y-%m-%d %H:%M:%S";
}
const char* LibcShownForm(Kind k) {
  return k == Kind::kDate ? "%m/%d/%Y" : k == Kind::kTime ? "%l:%M %p" : "%m/%d/%Y %l:%M %p";
}

// strftime's "%l" pads the hour with a blank: drop it.
std::size_t DropHourPad(char* out, std::size_t n) {
  char* pad = std::strstr(out, "  ");
  if (pad) {
    std::memmove(pad + 1, pad + 2, n - static_cast<std::size_t>(pad + 2 - out) + 1);
    return n - 1;
  }
  if (out[0] == ' ') {
    std::memmove(out, out + 1, n);
    return n - 1;
  }
  return n;
}

std::size_t LibcDate(const char* in, const char* from, const char* to, char* out, bool pad) {
  std::tm tm{};
  strptime(in, from, &tm);
  const std::size_t n = std::strftime(out, 64, to, &tm);
  return pad ? DropHourPad(out, n) : n;
}

// --- Building the pairs ----------------------------------------------------------

struct Context {
  std::vector<Mix> mixes;
  std::vector<Inputs> inputs;
  std::vector<IcuFormatters> icu;
};

Call IcuFormatDouble(const std::vector<Value>& vals, icu::DecimalFormat& f) {
  return [&vals, &f](int i, std::string* a) {
    icu::UnicodeString out;
    f.format(vals[i].number, out);
    benchmark::DoNotOptimize(out);
    if (a) *a = FromIcu(out);
  };
}

Call IcuFormatLong(const std::vector<Value>& vals, icu::DecimalFormat& f) {
  return [&vals, &f](int i, std::string* a) {
    icu::UnicodeString out;
    f.format(static_cast<std::int64_t>(vals[i].number), out);
    benchmark::DoNotOptimize(out);
    if (a) *a = FromIcu(out);
  };
}

FormatRequest RequestFor(const Mix& mix) {
  const IntlSettings& s = Intl();
  return FormatRequest{EditTypeOf(mix.type), s.sMonThousandSep, s.sDecimal, mix.mask,
                       s.sSystemCurrency};
}

std::vector<Pair> MakePairs(Context& ctx) {
  std::vector<Pair> pairs;
  for (std::size_t m = 0; m < ctx.mixes.size(); ++m) {
    const Mix& mix = ctx.mixes[m];
    Inputs& in = ctx.inputs[m];
    IcuFormatters& icu = ctx.icu[m];
    const std::string base = std::string("/") + mix.name + "/";
    const FormatRequest request = RequestFor(mix);
    const auto& vals = mix.values;
    auto expectFormatted = [&mix](int i, const std::string& a) { return a == mix.values[i].formatted; };
    auto expectParsed = [&mix](int i, const std::string& a) { return a == mix.values[i].parsed; };

    // Formatting: raw text in, shown text out.
    pairs.push_back({"format" + base + "engine",
                     [&vals, request](int i, std::string* a) {
                       char answer[256];
                       MakeFormattedValue(answer, vals[i].raw.c_str(), request, 255, Intl());
                       benchmark::DoNotOptimize(answer);
                       if (a) *a = answer;
                     },
                     expectFormatted});
    pairs.push_back({"format" + base + "entry",
                     [&in, &mix](int i, std::string* a) {
                       BSTR out = nullptr;
                       GetFormattedValue(mix.type, in.mask, in.rawVariant[i], &out);
                       benchmark::DoNotOptimize(out);
                       if (a) *a = FromBstr(out);
                       SysFreeString(out);
                     },
                     expectFormatted});
    if (mix.kind == Kind::kDouble || mix.kind == Kind::kCurrency) {
      // The same through a VT_R8 variant: the double becomes text first.
      pairs.push_back({"format" + base + "entry(R8)",
                       [&in, &mix](int i, std::string* a) {
                         BSTR out = nullptr;
                         GetFormattedValue(mix.type, in.mask, in.r8Variant[i], &out);
                         benchmark::DoNotOptimize(out);
                         if (a) *a = FromBstr(out);
                         SysFreeString(out);
                       },
                       expectFormatted});
    }
    // What a stream does per line: UTF-8 in, UTF-8 out, with the mask as
    // text on every call or prepared once.
    pairs.push_back({"format" + base + "utf8",
                     [&vals, &mix](int i, std::string* a) {
                       char out[256];
                       const std::size_t n = GetFormattedValueUtf8(mix.type, mix.mask, vals[i].raw, out, sizeof out);
                       benchmark::DoNotOptimize(out);
                       if (a) a->assign(out, n);
                     },
                     expectFormatted});
    pairs.push_back({"format" + base + "prepared",
                     [&vals, &in](int i, std::string* a) {
                       char out[256];
                       const std::size_t n = GetFormattedValueUtf8(*in.prepared, vals[i].raw, out, sizeof out);
                       benchmark::DoNotOptimize(out);
                       if (a) a->assign(out, n);
                     },
                     expectFormatted});
    Call icuFormat;
    switch (mix.kind) {
      case Kind::kCurrency:
      case Kind::kDouble:
        icuFormat = IcuFormatDouble(vals, *icu.number);
        pairs.push_back({"format" + base + "icu-halfup", IcuFormatDouble(vals, *icu.halfUp), expectFormatted,
                         [&vals](int i, const std::string& a) {
                           return vals[i].tieOtherIsUp && a == vals[i].tieOther;
                         },
                         "a tie (x.xx5) rounded up, where the fraction's double we round lies below it "
                         "(0.285 is 0.28499999...)"});
        break;
      case Kind::kLong:
        icuFormat = IcuFormatLong(vals, *icu.number);
        pairs.push_back({"format" + base + "icu-halfup", IcuFormatLong(vals, *icu.halfUp), expectFormatted});
        break;
      case Kind::kDate:
      case Kind::kTime:
      case Kind::kDateTime:
        icuFormat = [&vals, &icu](int i, std::string* a) {
          icu::UnicodeString out;
          icu.date->format(vals[i].udate, out);
          benchmark::DoNotOptimize(out);
          if (a) *a = FromIcu(out);
        };
        break;
      case Kind::kText:
        icuFormat = [&in, &icu](int i, std::string* a) {
          UErrorCode status = U_ZERO_ERROR;
          icu.digitsMatcher->reset(in.digitsIcu[i]);
          icu::UnicodeString out = icu.digitsMatcher->replaceAll(u"($1) $2-$3", status);
          benchmark::DoNotOptimize(out);
          if (a) *a = FromIcu(out);
        };
        break;
      case Kind::kBoolean:
        icuFormat = [&vals, &icu](int i, std::string* a) {
          icu::UnicodeString out;
          icu.choice->format(vals[i].number, out);
          benchmark::DoNotOptimize(out);
          if (a) *a = FromIcu(out);
        };
        break;
    }
    // ICU's default rounds a decimal tie half to even (1.005 → 1.00), and
    // half-up always up, where ours goes as the fraction's double lies.
    const Check icuTie = [&vals](int i, const std::string& a) {
      return vals[i].tieOtherIsEven && a == vals[i].tieOther;
    };
    pairs.push_back({"format" + base + "icu", icuFormat, expectFormatted, icuTie,
                     "a tie (x.xx5) rounded half to even, ICU's default; we round the fraction's double half-up"});

    Call libcFormat;
    switch (mix.kind) {
      case Kind::kCurrency:
      case Kind::kLong:
      case Kind::kDouble:
        libcFormat = [&vals, &mix](int i, std::string* a) {
          char out[64];
          const std::size_t n = LibcFormatNumber(mix, vals[i].raw, out);
          benchmark::DoNotOptimize(out);
          if (a) a->assign(out, n);
        };
        break;
      case Kind::kDate:
      case Kind::kTime:
      case Kind::kDateTime:
        libcFormat = [&vals, &mix](int i, std::string* a) {
          char out[64];
          const std::size_t n = LibcDate(vals[i].raw.c_str(), LibcRawForm(mix.kind),
                                         LibcShownForm(mix.kind), out, mix.kind != Kind::kDate);
          benchmark::DoNotOptimize(out);
          if (a) a->assign(out, n);
        };
        break;
      case Kind::kText:
        libcFormat = [&vals](int i, std::string* a) {
          char out[64];
          const char* d = vals[i].raw.c_str();
          const int n = std::snprintf(out, sizeof out, "(%.3s) %.3s-%.4s", d, d + 3, d + 6);
          benchmark::DoNotOptimize(out);
          if (a) a->assign(out, static_cast<std::size_t>(n));
        };
        break;
      case Kind::kBoolean:
        libcFormat = [&vals](int i, std::string* a) {
          const char* out = std::strcmp(vals[i].raw.c_str(), "0") == 0 ? "No" : "Yes";
          benchmark::DoNotOptimize(out);
          if (a) *a = out;
        };
        break;
    }
    // to_chars rounds the whole number's double, we the fraction's: a tie
    // lies a little above or below in one and not always in the other.
    const Check libcTie = [&vals](int i, const std::string& a) {
      return !vals[i].tieOther.empty() && a == vals[i].tieOther;
    };
    pairs.push_back({"format" + base + "libc", libcFormat, expectFormatted, libcTie,
                     "a tie (x.xx5) rounded the other way: to_chars rounds the whole number's double, "
                     "we the fraction's"});
    if (mix.rounding) continue;  // parsing two decimals is the plain mix's job

    // Parsing: typed text in, raw text out (ICU: the number or date).
    pairs.push_back({"parse" + base + "engine",
                     [&vals, request](int i, std::string* a) {
                       char answer[256];
                       MakeRawValue(answer, vals[i].typed.c_str(), request, 255, Intl());
                       benchmark::DoNotOptimize(answer);
                       if (a) *a = answer;
                     },
                     expectParsed});
    pairs.push_back({"parse" + base + "entry",
                     [&in, &mix](int i, std::string* a) {
                       BSTR out = nullptr;
                       GetRawValue(mix.type, in.mask, in.shownBstr[i], &out);
                       benchmark::DoNotOptimize(out);
                       if (a) *a = FromBstr(out);
                       SysFreeString(out);
                     },
                     expectParsed});
    pairs.push_back({"parse" + base + "utf8",
                     [&vals, &mix](int i, std::string* a) {
                       char out[256];
                       const std::size_t n = GetRawValueUtf8(mix.type, mix.mask, vals[i].typed, out, sizeof out);
                       benchmark::DoNotOptimize(out);
                       if (a) a->assign(out, n);
                     },
                     expectParsed});
    pairs.push_back({"parse" + base + "prepared",
                     [&vals, &in](int i, std::string* a) {
                       char out[256];
                       const std::size_t n = GetRawValueUtf8(*in.prepared, vals[i].typed, out, sizeof out);
                       benchmark::DoNotOptimize(out);
                       if (a) a->assign(out, n);
                     },
                     expectParsed});
    Call icuParse;
    Check icuCheck;
    switch (mix.kind) {
      case Kind::kCurrency:
      case Kind::kLong:
      case Kind::kDouble:
        icuParse = [&in, &icu](int i, std::string* a) {
          icu::Formattable result;
          icu::ParsePosition pos(0);
          icu.number->parse(in.shownIcu[i], result, pos);
          UErrorCode status = U_ZERO_ERROR;
          const double d = result.getDouble(status);
          benchmark::DoNotOptimize(d);
          if (a) *a = PrintNumber(d);
        };
        icuCheck = [&vals](int i, const std::string& a) { return a == PrintNumber(vals[i].number); };
        break;
      case Kind::kBoolean:
        // ChoiceFormat reads only the exact words: every spelling is read
        // letter by letter with ICU's case folding.
        icuParse = [&in](int i, std::string* a) {
          const icu::UnicodeString& word = in.shownIcu[i];
          const char state = bench::YesNoState(word.getBuffer(), static_cast<std::size_t>(word.length()),
                                               [](char16_t u) { return u_foldCase(u, U_FOLD_CASE_DEFAULT); });
          benchmark::DoNotOptimize(state);
          if (a) *a = std::string(1, state);
        };
        icuCheck = expectParsed;
        break;
      case Kind::kDate:
      case Kind::kTime:
      case Kind::kDateTime:
        icuParse = [&in, &icu](int i, std::string* a) {
          icu::ParsePosition pos(0);
          const UDate d = icu.date->parse(in.shownIcu[i], pos);
          benchmark::DoNotOptimize(d);
          if (a) *a = PrintNumber(d);
        };
        icuCheck = [&vals](int i, const std::string& a) { return a == PrintNumber(vals[i].udate); };
        break;
      case Kind::kText:
        icuParse = [&in, &icu](int i, std::string* a) {
          UErrorCode status = U_ZERO_ERROR;
          icu.shownMatcher->reset(in.shownIcu[i]);
          icu::UnicodeString out = icu.shownMatcher->replaceAll(u"$1$2$3", status);
          benchmark::DoNotOptimize(out);
          if (a) *a = FromIcu(out);
        };
        icuCheck = expectParsed;
        break;
    }
    pairs.push_back({"parse" + base + "icu", icuParse, icuCheck});

    Call libcParse;
    Check libcCheck = expectParsed;
    switch (mix.kind) {
      case Kind::kCurrency:
      case Kind::kLong:
      case Kind::kDouble:
        libcParse = [&vals, &mix](int i, std::string* a) {
          char out[64];
          const std::size_t n = LibcParseNumber(mix, vals[i].typed, out);
          benchmark::DoNotOptimize(out);
          if (a) a->assign(out, n);
        };
        // Shortest text of the number: "12" where we answer "12.".
        libcCheck = [&vals](int i, const std::string& a) {
          std::string p = vals[i].parsed;
          if (!p.empty() && p.back() == '.') p.pop_back();
          return a == p;
        };
        break;
      case Kind::kDate:
      case Kind::kTime:
      case Kind::kDateTime:
        libcParse = [&vals, &mix](int i, std::string* a) {
          char out[64];
          const std::size_t n = LibcDate(vals[i].typed.c_str(), LibcShownForm(mix.kind),
                                         LibcRawForm(mix.kind), out, false);
          benchmark::DoNotOptimize(out);
          if (a) a->assign(out, n);
        };
        break;
      case Kind::kText:
        libcParse = [&vals](int i, std::string* a) {
          char out[16];
          std::size_t n = 0;
          for (const char* p = vals[i].typed.c_str(); *p; ++p) {
            if (*p >= '0' && *p <= '9') out[n++] = *p;
          }
          out[n] = '\0';
          benchmark::DoNotOptimize(out);
          if (a) a->assign(out, n);
        };
        break;
      case Kind::kBoolean:
        libcParse = [&vals](int i, std::string* a) {
          const std::string& word = vals[i].typed;
          const char state = bench::YesNoState(word.data(), word.size(), [](char c) {
            return std::tolower(static_cast<unsigned char>(c));
          });
          benchmark::DoNotOptimize(state);
          if (a) *a = std::string(1, state);
        };
        break;
    }
    pairs.push_back({"parse" + base + "libc", libcParse, libcCheck});
  }
  return pairs;
}

void MakeInputs(Context& ctx) {
  for (const Mix& mix : ctx.mixes) {
    Inputs in;
    in.mask = MakeBstr(mix.mask);
    in.prepared = std::make_unique<PreparedMask>(mix.type, mix.mask);
    for (const Value& v : mix.values) {
      in.rawBstr.push_back(MakeBstr(v.raw));
      in.shownBstr.push_back(MakeBstr(v.typed));
      VARIANT var;
      VariantInit(&var);
      var.vt = VT_BSTR;
      var.bstrVal = in.rawBstr.back();
      in.rawVariant.push_back(var);
      VariantInit(&var);
      var.vt = VT_R8;
      var.dblVal = v.number;
      in.r8Variant.push_back(var);
      in.shownIcu.push_back(icu::UnicodeString::fromUTF8(v.typed));
      in.digitsIcu.push_back(icu::UnicodeString::fromUTF8(v.digits));
    }
    ctx.inputs.push_back(std::move(in));
    ctx.icu.push_back(MakeIcu(mix));
  }
}

// Every answer of every pair; prints the first few mismatches and the count
// of each pair's explained differences.
bool CheckAll(const std::vector<Pair>& pairs) {
  int failures = 0, differing = 0;
  for (const Pair& p : pairs) {
    int wrong = 0, differ = 0;
    for (int i = 0; i < kValues; ++i) {
      std::string answer;
      p.call(i, &answer);
      if (p.check(i, answer)) continue;
      if (p.differs && p.differs(i, answer)) {
        ++differ;
      } else if (wrong++ < 3) {
        std::fprintf(stderr, "%s: value %d answered \"%s\"\n", p.name.c_str(), i, answer.c_str());
      }
    }
    if (differ) {
      std::fprintf(stderr, "%s: %d of %d answers differ from ours: %s\n", p.name.c_str(), differ, kValues, p.why);
      ++differing;
    }
    if (wrong) {
      std::fprintf(stderr, "%s: %d of %d answers wrong\n", p.name.c_str(), wrong, kValues);
      ++failures;
    }
  }
  std::fprintf(stderr, "%zu implementations checked: %d wrong, %d with the differences above\n", pairs.size(),
               failures, differing);
  return failures == 0;
}

// Under callgrind: each pair's instructions for one pass over its values,
// one dump per pair named after it (the warm-up pass is not counted).
void CountInstructions(const std::vector<Pair>& pairs, const char* only) {
  for (const Pair& p : pairs) {
    if (*only && p.name.find(only) == std::string::npos) continue;
    for (int i = 0; i < kValues; ++i) p.call(i, nullptr);
    CALLGRIND_ZERO_STATS;
    for (int i = 0; i < kValues; ++i) p.call(i, nullptr);
    CALLGRIND_DUMP_STATS_AT(p.name.c_str());
  }
}

}  // namespace

int main(int argc, char** argv) {
  setenv("TZ", "UTC", 1);
  tzset();
  Context ctx;
  ctx.mixes = MakeMixes();
  if (argc == 2 && std::strcmp(argv[1], "--mixes") == 0) {
    PrintMixes(ctx.mixes);
    return 0;
  }
  ctx.inputs.reserve(ctx.mixes.size());
  MakeInputs(ctx);
  const std::vector<Pair> pairs = MakePairs(ctx);
  if (!CheckAll(pairs)) return 1;

  for (int a = 1; a < argc; ++a) {
    if (std::strcmp(argv[a], "--answers") == 0) return 0;
    if (std::strncmp(argv[a], "--instructions", 14) == 0) {
      CountInstructions(pairs, argv[a][14] == '=' ? argv[a] + 15 : "");
      return 0;
    }
  }
  for (const Pair& p : pairs) {
    const Call* call = &p.call;
    benchmark::RegisterBenchmark(p.name.c_str(), [call](benchmark::State& state) {
      int i = 0;
      for (auto _ : state) {
        (*call)(i, nullptr);
        if (++i == kValues) i = 0;
      }
    });
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
