// The SQLite extension: zm_valid, zm_raw and zm_format as SQL functions.
//
//   .load ./zorva
//   SELECT zm_raw('currency', '', '($1,234.50)');   -- -1234.5
//
// Each takes (type, mask, value); a NULL argument gives NULL. All three are
// deterministic and innocuous, so that indexes, generated columns and CHECK
// constraints may use them.
#include <sqlite3ext.h>

#include <cstdio>
#include <cstring>
#include <string_view>

#include "sql_functions.h"

SQLITE_EXTENSION_INIT1

namespace {

using zorva::PreparedMask;
using zorva::sql::Answer;

std::string_view TextOf(sqlite3_value* value) {
  // The text first, then its length: the order SQLite asks for.
  const char* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
  return {text ? text : "", static_cast<std::size_t>(sqlite3_value_bytes(value))};
}

// The argument's bytes for an error message, every one of them: a zero
// byte, a control character, a quote or a backslash escaped.
void AppendEscaped(sqlite3_str* out, std::string_view text) {
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    switch (c) {
      case '\0': sqlite3_str_appendall(out, "\\0"); break;
      case '\t': sqlite3_str_appendall(out, "\\t"); break;
      case '\n': sqlite3_str_appendall(out, "\\n"); break;
      case '\r': sqlite3_str_appendall(out, "\\r"); break;
      case '\\': sqlite3_str_appendall(out, "\\\\"); break;
      case '\'': sqlite3_str_appendall(out, "\\'"); break;
      default:
        if (byte < 0x20 || byte == 0x7f) {
          sqlite3_str_appendf(out, "\\x%02x", byte);
        } else {
          sqlite3_str_appendchar(out, 1, c);
        }
    }
  }
}

// The value type of the first argument, or -1 after reporting the error. A
// constant type is read once per statement: SQLite keeps the answer with it.
int ReadTypeArgument(sqlite3_context* ctx, sqlite3_value* arg) {
  int type = -1;
  switch (sqlite3_value_type(arg)) {
    case SQLITE_INTEGER: type = zorva::sql::ValueTypeNumbered(sqlite3_value_int64(arg)); break;
    case SQLITE_TEXT: type = zorva::sql::ValueTypeNamed(TextOf(arg)); break;
    default: break;
  }
  if (type < 0) {
    sqlite3_str* message = sqlite3_str_new(sqlite3_context_db_handle(ctx));
    sqlite3_str_appendf(message, "%s: unknown value type '",
                        static_cast<const char*>(sqlite3_user_data(ctx)));
    AppendEscaped(message, TextOf(arg));
    sqlite3_str_appendf(message, "': %s", zorva::sql::kUnknownTypeHint);
    switch (sqlite3_str_errcode(message)) {
      case SQLITE_OK:
        sqlite3_result_error(ctx, sqlite3_str_value(message), sqlite3_str_length(message));
        break;
      case SQLITE_TOOBIG: sqlite3_result_error_toobig(ctx); break;
      default: sqlite3_result_error_nomem(ctx); break;
    }
    sqlite3_free(sqlite3_str_finish(message));
  } else if (int* keep = static_cast<int*>(sqlite3_malloc(sizeof(int)))) {
    *keep = type;
    sqlite3_set_auxdata(ctx, 0, keep, sqlite3_free);
  }
  return type;
}

// The usual row, inline: the type kept with the statement.
inline int TypeArgument(sqlite3_context* ctx, sqlite3_value* arg) {
  if (const int* known = static_cast<const int*>(sqlite3_get_auxdata(ctx, 0))) return *known;
  return ReadTypeArgument(ctx, arg);
}

bool AnyNull(int argc, sqlite3_value** argv) {
  for (int i = 0; i < argc; ++i) {
    if (sqlite3_value_type(argv[i]) == SQLITE_NULL) return true;
  }
  return false;
}

void ResultText(sqlite3_context* ctx, bool ok, const char* text, std::size_t length) {
  if (ok) {
    sqlite3_result_text(ctx, text, static_cast<int>(length), SQLITE_TRANSIENT);
  } else {
    sqlite3_result_error_nomem(ctx);
  }
}

// Marks a mask argument seen constant and not prepared yet.
char kConstantMask;

// The type and mask made ready for the statement's rows, or null when this
// row takes the general functions (with the mask read into `mask`). SQLite
// keeps auxiliary data on an argument only while the argument is constant (a
// literal or a bound parameter): otherwise it drops it after the row, and
// it drops it when the statement is reset. So a kept preparation is for this
// row's mask, and a mask is prepared only when a second row shows it
// constant: one that changes row by row costs no preparing. A type that
// changes under a constant mask is not prepared again: such rows take the
// general functions. `made` is set when the preparation is new: the caller
// hands it to SQLite after the row.
PreparedMask* PrepareArguments(sqlite3_context* ctx, void* kept, sqlite3_value* maskArgument, int type,
                               std::string_view& mask, bool& made) {
  mask = TextOf(maskArgument);
  if (kept != &kConstantMask) {
    if (!kept) sqlite3_set_auxdata(ctx, 1, &kConstantMask, nullptr);
    return nullptr;
  }
  PreparedMask* prepared = zorva::sql::NewPrepared(type, mask);
  made = prepared != nullptr;
  return prepared;
}

// The usual row, inline: the kept preparation answers.
inline PreparedMask* PreparedArguments(sqlite3_context* ctx, int type, sqlite3_value* maskArgument,
                                       std::string_view& mask, bool& made) {
  void* kept = sqlite3_get_auxdata(ctx, 1);
  if (kept && kept != &kConstantMask && static_cast<PreparedMask*>(kept)->valueType() == type) {
    return static_cast<PreparedMask*>(kept);
  }
  return PrepareArguments(ctx, kept, maskArgument, type, mask, made);
}

// One row's type and mask: prepared, or the mask as text.
struct Arguments {
  int type = -1;
  std::string_view mask;
  PreparedMask* prepared = nullptr;
  bool made = false;  // the preparation is new: handed to SQLite after the row
};

// False when the row's answer is already given: NULL, or an error.
inline bool ReadArguments(sqlite3_context* ctx, int argc, sqlite3_value** argv, Arguments& a) {
  if (AnyNull(argc, argv)) return false;  // the result is NULL already
  a.type = TypeArgument(ctx, argv[0]);
  if (a.type < 0) return false;
  a.prepared = PreparedArguments(ctx, a.type, argv[1], a.mask, a.made);
  return true;
}

// Hands a new preparation to SQLite, which frees it with the statement.
void Keep(sqlite3_context* ctx, const Arguments& a) {
  if (a.made) sqlite3_set_auxdata(ctx, 1, a.prepared, zorva::sql::DeletePrepared);
}

// SQLite's text is zero-terminated: a value is read where it lies.
void Valid(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  Arguments a;
  if (!ReadArguments(ctx, argc, argv, a)) return;
  const std::string_view value = TextOf(argv[2]);
  bool valid = false;
  if (a.prepared ? zorva::sql::TerminatedIsValid(*a.prepared, value, valid)
                 : zorva::sql::IsValid(a.type, a.mask, value, valid)) {
    sqlite3_result_int(ctx, valid ? 1 : 0);
  } else {
    sqlite3_result_error_nomem(ctx);
  }
  Keep(ctx, a);
}

void Raw(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  Arguments a;
  if (!ReadArguments(ctx, argc, argv, a)) return;
  const std::string_view value = TextOf(argv[2]);
  Answer answer;
  std::size_t length = 0;
  const bool ok = a.prepared ? zorva::sql::TerminatedRawValue(*a.prepared, value, answer, length)
                             : zorva::sql::RawValue(a.type, a.mask, value, answer, length);
  ResultText(ctx, ok, answer, length);
  Keep(ctx, a);
}

// A number becomes the type's raw text as an automation number would: a real
// 1234.5 for currency is "1234.5", an integer 37256 for a date is day 37256.
void Format(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  Arguments a;
  if (!ReadArguments(ctx, argc, argv, a)) return;
  Answer raw;
  std::string_view value;
  switch (sqlite3_value_type(argv[2])) {
    case SQLITE_INTEGER:
      value = {raw, zorva::sql::RawTextOfInteger(a.type, sqlite3_value_int64(argv[2]), raw)};
      break;
    case SQLITE_FLOAT:
      value = {raw, zorva::sql::RawTextOfReal(a.type, sqlite3_value_double(argv[2]), raw)};
      break;
    default: value = TextOf(argv[2]); break;
  }
  Answer answer;
  std::size_t length = 0;
  const bool ok = a.prepared ? zorva::sql::FormattedValue(*a.prepared, value, answer, length)
                             : zorva::sql::FormattedValue(a.type, a.mask, value, answer, length);
  ResultText(ctx, ok, answer, length);
  Keep(ctx, a);
}

void WrongCount(sqlite3_context* ctx, int, sqlite3_value**) {
  char message[128];
  std::snprintf(message, sizeof message, "%s takes 3 arguments: type, mask, value",
                static_cast<const char*>(sqlite3_user_data(ctx)));
  sqlite3_result_error(ctx, message, -1);
}

}  // namespace

// On failure SQLite shows the message in *error after "error during
// initialization: ", and unloads the library.
extern "C" __attribute__((visibility("default"))) int sqlite3_zorva_init(
    sqlite3* db, char** error, const sqlite3_api_routines* api) {
  SQLITE_EXTENSION_INIT2(api);
  using Function = void (*)(sqlite3_context*, int, sqlite3_value**);
  struct Entry {
    const char* name;
    Function function;
  };
  static const char* const kNames[] = {"zm_valid", "zm_raw", "zm_format"};
  const Entry entries[] = {{kNames[0], Valid}, {kNames[1], Raw}, {kNames[2], Format}};
  const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
  for (const Entry& e : entries) {
    void* name = const_cast<char*>(e.name);
    int rc = sqlite3_create_function_v2(db, e.name, 3, flags, name, e.function, nullptr, nullptr,
                                        nullptr);
    // Any other count reaches WrongCount: a clearer message than SQLite's own.
    if (rc == SQLITE_OK) {
      rc = sqlite3_create_function_v2(db, e.name, -1, flags, name, WrongCount, nullptr, nullptr,
                                      nullptr);
    }
    if (rc != SQLITE_OK) {
      if (error) *error = sqlite3_mprintf("zorva: cannot define %s: %s", e.name, sqlite3_errmsg(db));
      return rc;
    }
  }
  return SQLITE_OK;
}
