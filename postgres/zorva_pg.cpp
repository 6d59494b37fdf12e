// The PostgreSQL extension: zm_valid, zm_raw and zm_format over text, the
// type given by name or number. Values are converted from the database
// encoding to UTF-8 and answers back, so that every database encoding gets
// the entry points' answers.
//
// Errors leave through ereport, which jumps: no function here holds an
// object with a destructor, and the engines' C++ side never throws (the
// sql_functions wrappers catch everything).
extern "C" {
#include "postgres.h"

#include "datatype/timestamp.h"
#include "fmgr.h"
#include "mb/pg_wchar.h"
#include "utils/builtins.h"
#include "utils/date.h"
#include "utils/timestamp.h"

PG_MODULE_MAGIC;
}

#include <cmath>
#include <cstring>
#include <string_view>

#include "sql_functions.h"

namespace {

using zorva::PreparedMask;
using zorva::sql::Answer;

// Days from 30 December 1899, where automation dates count from, to
// 1 January 2000, where PostgreSQL's do.
constexpr double kAutomationDaysAt2000 = 36526;

std::string_view Utf8Of(text* t) {
  const int length = VARSIZE_ANY_EXHDR(t);
  const char* bytes = VARDATA_ANY(t);
  // In a UTF-8 database the text is UTF-8 already: no conversion call.
  if (GetDatabaseEncoding() == PG_UTF8) return {bytes, static_cast<std::size_t>(length)};
  const char* utf8 = pg_server_to_any(bytes, length, PG_UTF8);
  // A converted copy is zero-terminated; PostgreSQL text holds no zero.
  return utf8 == bytes ? std::string_view(bytes, length) : std::string_view(utf8);
}

Datum TextResult(const char* utf8, std::size_t length) {
  const char* server = pg_any_to_server(utf8, static_cast<int>(length), PG_UTF8);
  return PointerGetDatum(server == utf8 ? cstring_to_text_with_len(utf8, static_cast<int>(length))
                                        : cstring_to_text(server));
}

[[noreturn]] void UnknownType(const char* function, const char* word) {
  ereport(ERROR, (errcode(ERRCODE_INVALID_PARAMETER_VALUE),
                  errmsg("%s: unknown value type \"%s\"", function, word),
                  errhint("A value type is a name such as 'currency' or 'tkMECurrency', "
                          "or a number from 0 to 17.")));
  pg_unreachable();
}

[[noreturn]] void OutOfMemory() {
  ereport(ERROR, (errcode(ERRCODE_OUT_OF_MEMORY), errmsg("out of memory")));
  pg_unreachable();
}

// What a call site keeps between rows: the last type name it saw, so that a
// column of rows with one type (nearly always a constant) is looked up once,
// and the last row's type and mask with their preparation, made again when
// either changes. The preparation lives on the heap: it is freed when the
// call site's memory goes or the mask changes.
struct CallState {
  std::size_t nameLength;
  int namedType;
  char name[32];
  int type;
  std::size_t maskLength;  // sizeof mask + 1: no mask kept
  char mask[64];           // as given, in UTF-8
  PreparedMask* prepared;
  MemoryContextCallback release;
};

void Forget(CallState& state) {
  zorva::sql::DeletePrepared(state.prepared);
  state.prepared = nullptr;
}

CallState& StateOf(FunctionCallInfo fcinfo) {
  auto* state = static_cast<CallState*>(fcinfo->flinfo->fn_extra);
  if (!state) {
    state = static_cast<CallState*>(MemoryContextAllocZero(fcinfo->flinfo->fn_mcxt, sizeof *state));
    state->nameLength = sizeof state->name + 1;  // no name yet
    state->maskLength = sizeof state->mask + 1;  // no mask yet
    state->release.func = [](void* arg) { Forget(*static_cast<CallState*>(arg)); };
    state->release.arg = state;
    MemoryContextRegisterResetCallback(fcinfo->flinfo->fn_mcxt, &state->release);
    fcinfo->flinfo->fn_extra = state;
  }
  return *state;
}

int NamedType(FunctionCallInfo fcinfo, const char* function) {
  text* name = PG_GETARG_TEXT_PP(0);
  const std::string_view word(VARDATA_ANY(name), VARSIZE_ANY_EXHDR(name));
  CallState& known = StateOf(fcinfo);
  if (known.nameLength == word.size() && std::memcmp(known.name, word.data(), word.size()) == 0)
    return known.namedType;
  const int type = zorva::sql::ValueTypeNamed(word);
  if (type < 0) UnknownType(function, text_to_cstring(name));
  if (word.size() <= sizeof known.name) {
    known.nameLength = word.size();
    known.namedType = type;
    std::memcpy(known.name, word.data(), word.size());
  }
  return type;
}

int NumberedType(FunctionCallInfo fcinfo, const char* function) {
  const int32 number = PG_GETARG_INT32(0);
  const int type = zorva::sql::ValueTypeNumbered(number);
  if (type < 0) UnknownType(function, psprintf("%d", number));
  return type;
}

// The call site's prepared type and mask, or null when this row takes the
// general functions. A type and mask are prepared when a second row in a
// row brings them: a column of masks that change row by row costs no
// preparing. The state holds the last row's type and mask either way (a
// mask too long to keep is never prepared).
const PreparedMask* PreparedArguments(FunctionCallInfo fcinfo, int type, std::string_view mask) {
  CallState& state = StateOf(fcinfo);
  if (state.type == type && state.maskLength == mask.size() && mask.size() <= sizeof state.mask &&
      std::memcmp(state.mask, mask.data(), mask.size()) == 0) {
    if (!state.prepared) state.prepared = zorva::sql::NewPrepared(type, mask);
    return state.prepared;
  }
  Forget(state);
  state.type = type;
  state.maskLength = mask.size() <= sizeof state.mask ? mask.size() : sizeof state.mask + 1;
  if (mask.size() <= sizeof state.mask) std::memcpy(state.mask, mask.data(), mask.size());
  return nullptr;
}

using TypeReader = int (*)(FunctionCallInfo, const char*);

// PostgreSQL's text is not zero-terminated: the prepared path copies a short value.
Datum Valid(FunctionCallInfo fcinfo, TypeReader typeOf) {
  const int type = typeOf(fcinfo, "zm_valid");
  const std::string_view mask = Utf8Of(PG_GETARG_TEXT_PP(1)), value = Utf8Of(PG_GETARG_TEXT_PP(2));
  const PreparedMask* prepared = PreparedArguments(fcinfo, type, mask);
  bool valid = false;
  if (!(prepared ? zorva::sql::IsValid(*prepared, value, false, valid)
                 : zorva::sql::IsValid(type, mask, value, valid)))
    OutOfMemory();
  PG_RETURN_BOOL(valid);
}

Datum Raw(FunctionCallInfo fcinfo, TypeReader typeOf) {
  const int type = typeOf(fcinfo, "zm_raw");
  const std::string_view mask = Utf8Of(PG_GETARG_TEXT_PP(1)), value = Utf8Of(PG_GETARG_TEXT_PP(2));
  const PreparedMask* prepared = PreparedArguments(fcinfo, type, mask);
  Answer answer;
  std::size_t length = 0;
  if (!(prepared ? zorva::sql::RawValue(*prepared, value, false, answer, length)
                 : zorva::sql::RawValue(type, mask, value, answer, length)))
    OutOfMemory();
  return TextResult(answer, length);
}

Datum Formatted(FunctionCallInfo fcinfo, int type, std::string_view raw) {
  const std::string_view mask = Utf8Of(PG_GETARG_TEXT_PP(1));
  const PreparedMask* prepared = PreparedArguments(fcinfo, type, mask);
  Answer answer;
  std::size_t length = 0;
  if (!(prepared ? zorva::sql::FormattedValue(*prepared, raw, answer, length)
                 : zorva::sql::FormattedValue(type, mask, raw, answer, length)))
    OutOfMemory();
  return TextResult(answer, length);
}

// The value of zm_format as text, or as the automation value of its SQL type.
enum class ValueKind { kText, kBigint, kDouble, kNumeric, kDate, kTimestamp };

// A day count as automation dates have it: before 30 December 1899 the whole
// days count back and the fraction still counts forward from midnight.
double AutomationDays(double days) {
  const double whole = std::floor(days);
  const double fraction = days - whole;
  return whole < 0 ? whole - fraction : whole + fraction;
}

Datum Format(FunctionCallInfo fcinfo, TypeReader typeOf, ValueKind kind) {
  const int type = typeOf(fcinfo, "zm_format");
  Answer raw;
  std::size_t length = 0;
  switch (kind) {
    case ValueKind::kText: return Formatted(fcinfo, type, Utf8Of(PG_GETARG_TEXT_PP(2)));
    case ValueKind::kBigint: length = zorva::sql::RawTextOfInteger(type, PG_GETARG_INT64(2), raw); break;
    case ValueKind::kDouble: length = zorva::sql::RawTextOfReal(type, PG_GETARG_FLOAT8(2), raw); break;
    case ValueKind::kNumeric:  // by its text: a double would round past 15 digits
      length = zorva::sql::RawTextOfDecimal(
          type, DatumGetCString(DirectFunctionCall1(numeric_out, PG_GETARG_DATUM(2))), raw);
      break;
    case ValueKind::kDate: {
      const DateADT date = PG_GETARG_DATEADT(2);
      if (!DATE_NOT_FINITE(date))  // infinity has no text
        length = zorva::sql::RawTextOfDate(type, date + kAutomationDaysAt2000, raw);
      break;
    }
    case ValueKind::kTimestamp: {
      const Timestamp stamp = PG_GETARG_TIMESTAMP(2);
      if (!TIMESTAMP_NOT_FINITE(stamp)) {
        const double days = static_cast<double>(stamp) / USECS_PER_DAY + kAutomationDaysAt2000;
        length = zorva::sql::RawTextOfDate(type, AutomationDays(days), raw);
      }
      break;
    }
  }
  return Formatted(fcinfo, type, {raw, length});
}

}  // namespace

// One SQL function per signature: the type as text or as integer.
#define ZORVA_SQL_FUNCTION(name, call)      \
  extern "C" {                              \
  PG_FUNCTION_INFO_V1(name);                \
  }                                         \
  Datum name(PG_FUNCTION_ARGS) { return call; }

ZORVA_SQL_FUNCTION(zm_valid_named, Valid(fcinfo, NamedType))
ZORVA_SQL_FUNCTION(zm_valid_numbered, Valid(fcinfo, NumberedType))
ZORVA_SQL_FUNCTION(zm_raw_named, Raw(fcinfo, NamedType))
ZORVA_SQL_FUNCTION(zm_raw_numbered, Raw(fcinfo, NumberedType))
ZORVA_SQL_FUNCTION(zm_format_named, Format(fcinfo, NamedType, ValueKind::kText))
ZORVA_SQL_FUNCTION(zm_format_numbered, Format(fcinfo, NumberedType, ValueKind::kText))
ZORVA_SQL_FUNCTION(zm_format_named_bigint, Format(fcinfo, NamedType, ValueKind::kBigint))
ZORVA_SQL_FUNCTION(zm_format_numbered_bigint, Format(fcinfo, NumberedType, ValueKind::kBigint))
ZORVA_SQL_FUNCTION(zm_format_named_double, Format(fcinfo, NamedType, ValueKind::kDouble))
ZORVA_SQL_FUNCTION(zm_format_numbered_double, Format(fcinfo, NumberedType, ValueKind::kDouble))
ZORVA_SQL_FUNCTION(zm_format_named_numeric, Format(fcinfo, NamedType, ValueKind::kNumeric))
ZORVA_SQL_FUNCTION(zm_format_numbered_numeric, Format(fcinfo, NumberedType, ValueKind::kNumeric))
ZORVA_SQL_FUNCTION(zm_format_named_date, Format(fcinfo, NamedType, ValueKind::kDate))
ZORVA_SQL_FUNCTION(zm_format_numbered_date, Format(fcinfo, NumberedType, ValueKind::kDate))
ZORVA_SQL_FUNCTION(zm_format_named_timestamp, Format(fcinfo, NamedType, ValueKind::kTimestamp))
ZORVA_SQL_FUNCTION(zm_format_numbered_timestamp, Format(fcinfo, NumberedType, ValueKind::kTimestamp))
