// The one mask choice and the one dispatch behind the three questions.
#include "service/dispatch.h"

#include <cstring>

#include "platform/bounded_text.h"
#include "service/answers.h"
#include "service/default_mask.h"

namespace zorva {
namespace {

// By edit type; a type without a row (unsupported, unknown codes) is valid
// and answers empty.
constexpr TypeAnswers kAnswers[] = {
    {ValidText, RawText, FormattedText},              // etText
    {ValidNumber, RawNumber, FormattedNumber},        // etCurrency
    {ValidDate, RawDate, FormattedDate},              // etDate
    {ValidTime, RawTime, FormattedTime},              // etTime
    {ValidNumber, RawNumber, FormattedWhole},         // etByte
    {ValidNumber, RawNumber, FormattedWhole},         // etInteger
    {ValidNumber, RawNumber, FormattedWhole},         // etLong
    {ValidBoolean, RawBoolean, FormattedBoolean},     // etBoolean
    {ValidNumber, RawNumber, FormattedNumber},        // etSingle
    {ValidNumber, RawNumber, FormattedNumber},        // etDouble
    {ValidDateTime, RawDateTime, FormattedDateTime},  // etDateTime
};
static_assert(sizeof kAnswers / sizeof kAnswers[0] == etUnsupported);

inline const TypeAnswers* AnswersOf(int editType) noexcept {
  if (!IsDispatchable(editType)) return nullptr;
  return &kAnswers[editType];
}

// Writes one of the two texts; the answer is terminated whatever happens.
// The text is a template argument, so each caller calls its answer directly.
template <TextAnswer TypeAnswers::*kWhich>
inline int Answer(char* answer, const char* value, const FormatRequest& request,
                  std::size_t capacity, const IntlSettings& s) noexcept {
  if (!answer) return 1;
  answer[0] = '\0';
  const TypeAnswers* answers = AnswersOf(request.editType);
  if (!value || !*value || !answers) return 1;  // no literals of a mask show
  return (answers->*kWhich)(answer, capacity + 1, value,
                            EffectiveMask(request.editType, request.mask, s), request, s);
}

}  // namespace

int ValidateValue(const char* value, const char* mask, std::int32_t valueType,
                  const IntlSettings& s) noexcept {
  if (!value || !*value) return 1;  // empty is valid for every type and mask
  const EditType e = EditTypeOf(valueType);
  const TypeAnswers* answers = AnswersOf(e);
  if (!answers) return 1;
  const char* m = EffectiveMask(e, mask, s);
  // The checks read a mask cut to 63 characters (a copy only when that cuts
  // it); a text mask is read whole and a date-time mask cut per half.
  char cut[64];
  if (e != etText && e != etDateTime && strnlen(m, sizeof cut) == sizeof cut) {
    CopyCut(cut, m, sizeof cut - 1);
    m = cut;
  }
  return answers->valid(value, m, e, s);
}

int MakeRawValue(char* answer, const char* value, const FormatRequest& request,
                 std::size_t capacity, const IntlSettings& s) noexcept {
  return Answer<&TypeAnswers::raw>(answer, value, request, capacity, s);
}

int MakeFormattedValue(char* answer, const char* value, const FormatRequest& request,
                       std::size_t capacity, const IntlSettings& s) noexcept {
  return Answer<&TypeAnswers::formatted>(answer, value, request, capacity, s);
}

}  // namespace zorva
