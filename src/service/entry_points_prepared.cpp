// The prepared front: a value type and mask read once (PreparedMask), then
// the answers for many values. Each answer takes the quickest path that
// gives the general one's answer: a number read with the mask's prepared
// reader, a boolean's part of the mask, a whole number under a plain run;
// otherwise the dispatchers with the mask already in the code page.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>

#include "charmask/charmask.h"
#include "platform/codepage.h"
#include "service/answer_size.h"
#include "service/boolean.h"
#include "service/dispatch.h"
#include "service/entry_points.h"
#include "service/prepared_mask.h"

namespace zorva {
namespace {

bool IsAscii(char c) noexcept { return static_cast<unsigned char>(c) < 0x80; }

// ASCII without a zero byte: the text the code page gives for it is itself.
// Eight bytes at a time: one below 1 borrows into its high bit, one of
// 0x80 or more has it set (a borrow starts only at a zero byte).
bool IsPlainAscii(std::string_view text) noexcept {
  constexpr std::uint64_t kOnes = 0x0101010101010101ull, kHigh = 0x8080808080808080ull;
  const char* p = text.data();
  std::size_t n = text.size();
  for (; n >= 8; p += 8, n -= 8) {
    std::uint64_t w;
    std::memcpy(&w, p, 8);
    if (((w - kOnes) | w) & kHigh) return false;
  }
  for (; n > 0; ++p, --n) {
    if (static_cast<unsigned char>(*p) - 1u >= 0x7Fu) return false;
  }
  return true;
}

// A value the planned walk of a text mask reads as the dispatcher would:
// not empty (empty answers apart) and ASCII, so its own ANSI text.
bool IsPlainText(const detail::Preparation& p, std::string_view value) noexcept {
  return !p.steps.empty() && !value.empty() && IsPlainAscii(value);
}

// The mask as the engines see it: its text, or, when the currency swap
// applies (it changes the text), a swapped copy in `scratch`.
const char* MaskText(const PreparedMask& mask, AnsiText& scratch, const IntlSettings& s) {
  const std::string& text = mask.state().text;
  if (!ShouldSwapCurrency(mask.valueType(), s)) return text.c_str();
  if (!scratch.AssignAnsi(text.data(), text.size())) throw std::bad_alloc();
  SwapCurrencySymbol(scratch.data(), s);
  return scratch.data();
}

// The value in the code page, swapped where the swap applies.
void AssignValue(const PreparedMask& mask, AnsiText& v, std::string_view value, const IntlSettings& s) {
  AssignOrThrow(v, value);
  if (ShouldSwapCurrency(mask.valueType(), s)) SwapCurrencySymbol(v.data(), s);
}

}  // namespace

PreparedMask::PreparedMask(std::int32_t valueType, std::string_view mask)
    : valueType_(valueType), state_(new detail::Preparation, [](detail::Preparation* p) { delete p; }) {
  const IntlSettings& s = Intl();
  AnsiText m;
  AssignOrThrow(m, mask);
  state_->text = m.data();
  const std::string& text = state_->text;
  state_->slash = std::min(text.find('/'), text.size());
  state_->falseEnd = std::min(text.find('/', state_->slash + 1), text.size());
  if (valueType == tkMEBoolean) {
    state_->upper = text;
    for (char& c : state_->upper) c = CrtToUpper(c);
  }
  if (EditTypeOf(valueType) == etText && !text.empty()) {
    state_->steps.resize(PlanMask(text.c_str(), nullptr, 0));
    PlanMask(text.c_str(), state_->steps.data(), state_->steps.size());
    for (const MaskStep& step : state_->steps) state_->caseSteps |= step.kind == 'L' || step.kind == 'U';
  }
  if (const int group = EditTypeOf(valueType); group == etDate || group == etTime || group == etDateTime) {
    auto plans = std::make_unique<detail::DateTimePlans>();
    if (PrepareKeptPlans(plans->date, plans->time, group, text.c_str(), s)) state_->plans = std::move(plans);
  }
  state_->shape = WholeMaskKey(RequestFor(valueType, state_->text.c_str(), s));
  PrepareNumber(state_->number, valueType, mask);
  state_->fixed.ready = false;
  if (!ShouldSwapCurrency(valueType, s)) PrepareFixedShape(state_->fixed, RequestFor(valueType, text.c_str(), s), s);
}

namespace {

// The bodies of the answers below, inline in each: the public functions and
// the databases' ones run the same code without a call between them.
[[gnu::noinline]] bool ValidGeneral(const PreparedMask& mask, std::string_view value) {
  const IntlSettings& s = Intl();
  AnsiText scratch, v;
  const char* m = MaskText(mask, scratch, s);
  AssignValue(mask, v, value, s);
  return ValidateValue(v.data(), m, mask.valueType(), s) != 0;
}

inline bool Valid(const PreparedMask& mask, std::string_view value, bool terminated) {
  const detail::Preparation& p = mask.state();
  if (IsPlainText(p, value)) {
    char scratch[kAnswerBytes];
    std::size_t n;
    return ExtractPlanned(scratch, sizeof scratch, value.data(), value.size(), p.steps.data(), p.steps.size(),
                          Intl(), n) != 0;
  }
  if (p.number.ready) {
    char copy[kAnswerBytes];
    if (const char* text = TerminatedValue(value, terminated, copy)) {
      if (const int answer = QuickPreparedValid(mask, {text, value.size()}); answer >= 0) return answer != 0;
    }
  }
  return ValidGeneral(mask, value);
}

// A raw value other than a boolean's, out of line: the boolean path below
// does not set up its buffers.
[[gnu::noinline]] std::size_t RawGeneral(const PreparedMask& mask, std::string_view value, bool terminated,
                                         char* dest, std::size_t size) {
  const detail::Preparation& p = mask.state();
  AnsiText v;
  if (p.number.rawReady && size >= kAnswerBytes) {
    char copy[kAnswerBytes];
    if (const char* text = TerminatedValue(value, terminated, copy)) {
      if (const std::ptrdiff_t n = PreparedRawValue(p.number, text, value.size(), dest, size); n >= 0) {
        return static_cast<std::size_t>(n);
      }
    }
  }
  const IntlSettings& s = Intl();
  char answer[kAnswerBytes];
  if (p.plans) {  // a date's or a time's: no currency to swap
    AssignOrThrow(v, value);
    return AnswerToUtf8(answer, PlannedRaw(p.plans->Date(), p.plans->Time(), v.data(), answer, s), dest, size);
  }
  AnsiText scratch;
  const char* m = MaskText(mask, scratch, s);
  AssignValue(mask, v, value, s);
  MakeRawValue(answer, v.data(), RequestFor(mask.valueType(), m, s), kAnswerChars, s);
  return AnswerToUtf8(answer, std::strlen(answer), dest, size);
}

// A text under its own mask, the value ASCII and so its own ANSI text: the
// characters extracted straight away, as the dispatcher would. Only a case
// change can make them other than ASCII.
[[gnu::noinline]] std::size_t RawPlanned(const PreparedMask& mask, std::string_view value, bool terminated,
                                         char* dest, std::size_t size) {
  const detail::Preparation& p = mask.state();
  if (!IsPlainText(p, value)) return RawGeneral(mask, value, terminated, dest, size);
  std::size_t n;
  if (!p.caseSteps && size >= kAnswerBytes) {
    ExtractPlanned(dest, kAnswerChars, value.data(), value.size(), p.steps.data(), p.steps.size(), Intl(), n);
    return n;
  }
  char answer[kAnswerBytes];
  ExtractPlanned(answer, kAnswerChars, value.data(), value.size(), p.steps.data(), p.steps.size(), Intl(), n);
  return AnswerToUtf8(answer, n, dest, size);
}

inline std::size_t Raw(const PreparedMask& mask, std::string_view value, bool terminated, char* dest,
                       std::size_t size) {
  if (!mask.state().steps.empty()) return RawPlanned(mask, value, terminated, dest, size);
  return RawGeneral(mask, value, terminated, dest, size);
}

}  // namespace

bool PreparedValid(const PreparedMask& mask, std::string_view value, bool terminated) {
  return Valid(mask, value, terminated);
}

std::size_t PreparedRaw(const PreparedMask& mask, std::string_view value, bool terminated, char* dest,
                        std::size_t size) {
  if (mask.valueType() == tkMEBoolean) return GetRawValueUtf8(mask, value, dest, size);
  return Raw(mask, value, terminated, dest, size);
}

bool IsValidUtf8(const PreparedMask& mask, std::string_view value) { return Valid(mask, value, false); }

namespace {

// A boolean value read through its code-page text (the mask not empty).
[[gnu::noinline]] std::size_t RawBooleanGeneral(const detail::Preparation& p, std::string_view value,
                                                char* dest, std::size_t size) {
  AnsiText v;
  AssignOrThrow(v, value);
  const char* text = v.data();
  if (!*text || *text == ' ') return AnswerToUtf8<true>("", 0, dest, size);  // no answer
  const std::string_view raw = RawBooleanText(BooleanState(text, p.text.c_str()), Intl());
  return AnswerToUtf8<true>(raw.data(), raw.size(), dest, size);
}

}  // namespace

std::size_t GetRawValueUtf8(const PreparedMask& mask, std::string_view value, char* dest,
                            std::size_t size) {
  const detail::Preparation& p = mask.state();
  if (mask.valueType() != tkMEBoolean || p.text.empty()) return Raw(mask, value, false, dest, size);
  // The dispatcher's boolean reading without its set-up (an empty mask takes
  // the default there). An ASCII value is its own ANSI text: read in place.
  if (value.empty() || value[0] == ' ' || !IsPlainAscii(value)) return RawBooleanGeneral(p, value, dest, size);
  const int state = BooleanStateUpper(value.data(), value.size(), p.upper, p.slash);
  const IntlSettings& s = Intl();
  if (size >= 2 && std::memcmp(s.sRawBooleanMask, "1/0", 4) == 0) {  // the usual raw mask: the state's digit
    dest[0] = static_cast<char>('0' + state);
    dest[1] = '\0';
    return 1;
  }
  const std::string_view raw = RawBooleanText(state, s);
  return AnswerToUtf8<true>(raw.data(), raw.size(), dest, size);
}

namespace {

// A formatted value other than a boolean's shortcut, out of line: that
// shortcut does not set up its buffers.
[[gnu::noinline]] std::size_t FormattedGeneral(const PreparedMask& mask, std::string_view value, char* dest,
                                               std::size_t size) {
  const detail::Preparation& p = mask.state();
  const IntlSettings& s = Intl();
  if (p.shape != 0) {
    // A whole number under a plain run ("#,##0"), straight from the value's
    // bytes: with an ASCII sign and separator, both sides are ASCII.
    const FormatRequest request = RequestFor(mask.valueType(), p.text.c_str(), s);
    if (IsAscii(s.sNegativeSign) && IsAscii(request.thousandSep)) {
      const int n = FormattedWholeValue(dest, size, value.data(), value.size(), request, p.shape, s);
      if (n >= 0) return static_cast<std::size_t>(n);
    }
  }
  if (p.fixed.ready && size >= kFixedShown) {
    // A value of ASCII digits, laid out as the ANSI path lays it out.
    if (const int n = ShowFixed(p.fixed, value.data(), value.size(), dest); n >= 0) {
      dest[n] = '\0';
      return static_cast<std::size_t>(n);
    }
  }
  char answer[kAnswerBytes];
  if (IsPlainText(p, value)) {  // through the steps; a literal of the mask may lie outside ASCII
    const int n = FormatPlanned(answer, kAnswerChars, value.data(), value.size(), p.steps.data(), p.steps.size(), s);
    if (n >= 0) return AnswerToUtf8(answer, static_cast<std::size_t>(n), dest, size);
  }
  AnsiText scratch, v;
  AssignOrThrow(v, value);  // a raw value: never swapped
  if (p.plans) {
    return AnswerToUtf8(answer, PlannedFormatted(p.plans->Date(), p.plans->Time(), v.data(), answer, s), dest,
                        size);
  }
  const char* m = MaskText(mask, scratch, s);
  MakeFormattedValue(answer, v.data(), RequestFor(mask.valueType(), m, s), kAnswerChars, s);
  return AnswerToUtf8(answer, std::strlen(answer), dest, size);
}

}  // namespace

std::size_t GetFormattedValueUtf8(const PreparedMask& mask, std::string_view value, char* dest,
                                  std::size_t size) {
  const detail::Preparation& p = mask.state();
  if (std::string_view part; mask.valueType() == tkMEBoolean && !p.text.empty() &&
                             FormattedBooleanPart(p.text.data(), p.text.size(), p.slash, p.falseEnd, value, part)) {
    // Cut to the answer as the dispatcher cuts it.
    part = part.substr(0, kAnswerChars);
    return AnswerToUtf8<true>(part.data(), part.size(), dest, size);
  }
  return FormattedGeneral(mask, value, dest, size);
}

}  // namespace zorva
