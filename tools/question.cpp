#include "question.h"

#include "zorva/masked_edit.h"

namespace zmask {
namespace {

constexpr const char* kTypeNames[] = {
    "text", "currency", "date",  "time",      "memo",   "byte",   "shortint",
    "longint", "boolean", "counter", "float", "double", "oleobject", "binary",
    "url",  "image",    "datetime", "timestamp",
};
constexpr const char* kConstantNames[] = {
    "tkMEText", "tkMECurrency", "tkMEDate", "tkMETime", "tkMEMemo", "tkMEByte",
    "tkMEShortInt", "tkMELongInt", "tkMEBoolean", "tkMECounter", "tkMEFloat",
    "tkMEDouble", "tkMEOleObject", "tkMEBinary", "tkMEURL", "tkMEImage",
    "tkMEDateTime", "tkMETimeStamp",
};
// The mask of each type's raw form, against which format checks its input;
// null where any text is a raw value.
constexpr const char* kRawMasks[] = {
    nullptr, "0.#", "yyyy-mm-dd", "hh:mm:ss", nullptr, "0", "0", "0", "1/0", "0", "0.#", "0.#",
    nullptr, nullptr, nullptr, nullptr, "yyyy-mm-dd hh:mm:ss", nullptr,
};

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x + 32);
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y + 32);
    if (x != y) return false;
  }
  return true;
}

}  // namespace

Op ParseOp(std::string_view word) {
  if (word == "check") return Op::kCheck;
  if (word == "raw") return Op::kRaw;
  if (word == "format") return Op::kFormat;
  return Op::kNone;
}

int ParseType(std::string_view word) {
  for (int i = 0; i < zorva::kValueTypeCount; ++i) {
    if (EqualNoCase(word, kTypeNames[i]) || EqualNoCase(word, kConstantNames[i])) return i;
  }
  if (word.empty() || word.size() > 2) return -1;
  int n = 0;
  for (char c : word) {
    if (c < '0' || c > '9') return -1;
    n = n * 10 + (c - '0');
  }
  return n < zorva::kValueTypeCount ? n : -1;
}

const char* TypeName(int type) {
  return type >= 0 && type < zorva::kValueTypeCount ? kTypeNames[type] : "unknown";
}

Question::Question(Op op, int type, std::string mask)
    : op_(op), type_(type), mask_(std::move(mask)), rawMask_(kRawMasks[type]) {}

bool Question::Ask(std::string_view value, std::string& out, bool wantValidity) const {
  char buf[1024];
  out.clear();
  switch (op_) {
    case Op::kCheck: {
      bool valid = zorva::IsValidUtf8(type_, mask_, value);
      out = valid ? "valid" : "invalid";
      return valid;
    }
    case Op::kRaw:
      out.assign(buf, zorva::GetRawValueUtf8(type_, mask_, value, buf, sizeof buf));
      return !wantValidity || zorva::IsValidUtf8(type_, mask_, value);
    case Op::kFormat:
      out.assign(buf, zorva::GetFormattedValueUtf8(type_, mask_, value, buf, sizeof buf));
      if (!wantValidity) return true;
      return (!rawMask_ || zorva::IsValidUtf8(type_, rawMask_, value)) &&
             zorva::IsValidUtf8(type_, mask_, out);
    case Op::kNone: break;
  }
  return false;
}

}  // namespace zmask
