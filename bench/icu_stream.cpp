// The ICU yardstick for zmask's stream mode: the jobs of libc_stream done the
// way an ICU program does them. Each UTF-8 line becomes a UnicodeString and
// its answer goes out as UTF-8. The shown side is ICU's, with the mask's
// pattern; the raw side, plain text, is read and written the cheapest way
// (from_chars/to_chars, day arithmetic), so that the yardstick is as fast as
// an ICU program can be:
//   numbers  DecimalFormat "$#,##0.00;($#,##0.00)", "#,##0", "#,##0.00" with
//            ICU's default rounding, half to even (we round half-up: ties
//            such as 1.005 differ, and scripts/stream_bench.sh counts them)
//   dates    SimpleDateFormat "MM/dd/yyyy", GMT; raw yyyy-mm-dd
//   times    SimpleDateFormat "h:mm a", GMT; raw hh:mm:ss
//   text     RegexMatcher replacing (ddd)(ddd)(dddd) or the shown phone form
//   boolean  ChoiceFormat "0#No|1#Yes"; a typed word read back letter by
//            letter with ICU's case folding, every spelling the mask reads
//
//   icu_stream format|raw currency|long|double|date|time|text|boolean
#include <unicode/choicfmt.h>
#include <unicode/dcfmtsym.h>
#include <unicode/decimfmt.h>
#include <unicode/regex.h>
#include <unicode/smpdtfmt.h>
#include <unicode/timezone.h>
#include <unicode/uchar.h>
#include <unicode/ustring.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>

#include "civil_days.h"
#include "line_stream.h"
#include "yes_no.h"

namespace {

void Require(UErrorCode status, const char* what) {
  if (U_FAILURE(status)) {
    std::fprintf(stderr, "icu_stream: %s: %s\n", what, u_errorName(status));
    std::exit(2);
  }
}

std::unique_ptr<icu::DecimalFormat> Number(const char16_t* pattern) {
  UErrorCode status = U_ZERO_ERROR;
  auto f = std::make_unique<icu::DecimalFormat>(
      icu::UnicodeString(pattern), new icu::DecimalFormatSymbols(icu::Locale::getUS(), status), status);
  Require(status, "DecimalFormat");
  return f;
}

std::unique_ptr<icu::SimpleDateFormat> Date(const char16_t* pattern) {
  UErrorCode status = U_ZERO_ERROR;
  auto f = std::make_unique<icu::SimpleDateFormat>(icu::UnicodeString(pattern), icu::Locale::getUS(), status);
  Require(status, "SimpleDateFormat");
  f->setTimeZone(*icu::TimeZone::getGMT());
  return f;
}

std::unique_ptr<icu::RegexMatcher> Matcher(const char16_t* pattern) {
  UErrorCode status = U_ZERO_ERROR;
  auto m = std::make_unique<icu::RegexMatcher>(icu::UnicodeString(pattern), 0, status);
  Require(status, "RegexMatcher");
  return m;
}

constexpr double kDayMs = 86400000.0;

long Field(std::string_view text, std::size_t at, std::size_t n) {
  long v = 0;
  if (at + n <= text.size()) std::from_chars(text.data() + at, text.data() + at + n, v);
  return v;
}

void Put2(char* p, long v) {
  p[0] = static_cast<char>('0' + v / 10 % 10);
  p[1] = static_cast<char>('0' + v % 10);
}

// One job: the line as UTF-8 (the raw side) and as a UnicodeString (the
// shown side); the answer as UTF-8 text or as a UnicodeString.
class Job {
 public:
  Job(bool format, char kind) : format_(format), kind_(kind) {
    switch (kind) {
      case 'c': shown_ = Number(u"$#,##0.00;($#,##0.00)"); break;
      case 'l': shown_ = Number(u"#,##0"); break;
      case 'd': shown_ = Number(u"#,##0.00"); break;
      case 'D': shownDate_ = Date(u"MM/dd/yyyy"); break;
      case 'T': shownDate_ = Date(u"h:mm a"); break;
      case 't':
        matcher_ = format ? Matcher(u"(\\d{3})(\\d{3})(\\d{4})")
                          : Matcher(u"\\((\\d{3})\\) (\\d{3})-(\\d{4})");
        break;
      default: {
        UErrorCode status = U_ZERO_ERROR;
        choice_ = std::make_unique<icu::ChoiceFormat>(u"0#No|1#Yes", status);
        Require(status, "ChoiceFormat");
      }
    }
  }

  // Writes a raw answer into `raw` (returning its length) or a shown one
  // into `shown` (returning -1).
  long Answer(std::string_view line, char* raw, icu::UnicodeString& shown) {
    UErrorCode status = U_ZERO_ERROR;
    if (format_) {
      switch (kind_) {
        case 'l': {
          long long n = 0;
          std::from_chars(line.data(), line.data() + line.size(), n);
          shown_->format(static_cast<int64_t>(n), shown);
          break;
        }
        case 'c':
        case 'd': {
          double d = 0;
          std::from_chars(line.data(), line.data() + line.size(), d);
          shown_->format(d, shown);
          break;
        }
        case 'D':
          shownDate_->format(kDayMs * static_cast<double>(DaysFromCivil(Field(line, 0, 4), Field(line, 5, 2),
                                                                        Field(line, 8, 2))),
                             shown);
          break;
        case 'T':
          shownDate_->format(1000.0 * static_cast<double>(Field(line, 0, 2) * 3600 + Field(line, 3, 2) * 60 +
                                                          Field(line, 6, 2)),
                             shown);
          break;
        case 't':
          // The matcher keeps a reference to its input.
          text_ = icu::UnicodeString::fromUTF8(
              icu::StringPiece(line.data(), static_cast<int32_t>(line.size())));
          matcher_->reset(text_);
          shown = matcher_->replaceAll(u"($1) $2-$3", status);
          break;
        default: choice_->format(line == "0" ? 0.0 : 1.0, shown);
      }
      return -1;
    }
    const icu::UnicodeString in =
        icu::UnicodeString::fromUTF8(icu::StringPiece(line.data(), static_cast<int32_t>(line.size())));
    switch (kind_) {
      case 'c':
      case 'l':
      case 'd': {
        icu::Formattable value;
        shown_->parse(in, value, status);
        if (kind_ == 'l') return std::to_chars(raw, raw + 64, value.getInt64(status)).ptr - raw;
        return std::to_chars(raw, raw + 64, value.getDouble(status)).ptr - raw;
      }
      case 'D':
      case 'T': {
        icu::ParsePosition pos(0);
        const double ms = shownDate_->parse(in, pos);
        const long days = static_cast<long>(std::floor(ms / kDayMs));
        if (kind_ == 'D') {
          long y, m, d;
          CivilFromDays(days, y, m, d);
          const int n = std::snprintf(raw, 64, "%04ld-", y);
          Put2(raw + n, m);
          raw[n + 2] = '-';
          Put2(raw + n + 3, d);
          return n + 5;
        }
        const long s = static_cast<long>((ms - static_cast<double>(days) * kDayMs) / 1000);
        Put2(raw, s / 3600);
        raw[2] = ':';
        Put2(raw + 3, s / 60 % 60);
        raw[5] = ':';
        Put2(raw + 6, s % 60);
        return 8;
      }
      case 't':
        matcher_->reset(in);
        shown = matcher_->replaceAll(u"$1$2$3", status);
        return -1;
      default: {
        // ChoiceFormat reads only the exact words "Yes" and "No".
        raw[0] = bench::YesNoState(in.getBuffer(), static_cast<std::size_t>(in.length()),
                                   [](char16_t u) { return u_foldCase(u, U_FOLD_CASE_DEFAULT); });
        return raw[0] ? 1 : 0;
      }
    }
  }

 private:
  bool format_;
  char kind_;
  std::unique_ptr<icu::DecimalFormat> shown_;
  std::unique_ptr<icu::SimpleDateFormat> shownDate_;
  std::unique_ptr<icu::RegexMatcher> matcher_;
  std::unique_ptr<icu::ChoiceFormat> choice_;
  icu::UnicodeString text_;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: icu_stream format|raw currency|long|double|date|time|text|boolean\n", stderr);
    return 2;
  }
  Job job(std::strcmp(argv[1], "format") == 0, bench::KindOf(argv[2]));
  icu::UnicodeString answer;
  bench::StreamLines(1024, [&](std::string_view line, char* out, std::size_t room) {
    answer.remove();
    const long raw = job.Answer(line, out, answer);
    if (raw >= 0) return static_cast<std::size_t>(raw);
    UErrorCode status = U_ZERO_ERROR;
    int32_t n = 0;
    u_strToUTF8(out, static_cast<int32_t>(room), &n, answer.getBuffer(), answer.length(), &status);
    return U_SUCCESS(status) ? static_cast<std::size_t>(n) : std::size_t{0};
  });
  return 0;
}
