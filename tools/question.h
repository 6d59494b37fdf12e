// One question put to the service for many values: the operation, the value
// type and the mask stay the same for a whole stream.
#pragma once

#include <cstring>
#include <string>
#include <string_view>

#include "zorva/masked_edit.h"
#include "zorva/zorva.h"

namespace zmask {

enum class Op { kCheck, kRaw, kFormat, kNone };

// What raw and format do with a value that does not validate.
enum class InvalidPolicy { kAbort, kFail, kWarn, kIgnore };

Op ParseOp(std::string_view word);
// A type name, a tkME constant name or a number 0..17; -1 when none.
int ParseType(std::string_view word);
const char* TypeName(int type);

class Question {
 public:
  Question(Op op, int type, std::string mask);

  Op op() const { return op_; }
  int type() const { return type_; }

  // Writes the answer for one value into out and returns whether the value
  // is valid: for check and raw, valid as entered text; for format, a raw
  // value of the type whose rendering is itself valid under the mask.
  // Validity is only worked out for raw and format when wanted. Throws
  // std::bad_alloc when a huge value cannot be copied.
  bool Ask(std::string_view value, std::string& out, bool wantValidity) const;
  // The same, the answer written into dest, which has room for kAnswerBytes
  // bytes; its length in `length`.
  bool Ask(std::string_view value, char* dest, std::size_t& length, bool wantValidity) const;
  static constexpr std::size_t kAnswerBytes = ZORVA_MAX_ANSWER + 1;  // with its terminator

 private:
  Op op_;
  int type_;
  // Both masks are converted once for the whole stream.
  zorva::PreparedMask mask_;
  zorva::PreparedMask rawMask_;
  bool hasRawMask_;
};

// Inline: a stream asks once per line.
inline bool Question::Ask(std::string_view value, char* dest, std::size_t& length, bool wantValidity) const {
  length = 0;
  switch (op_) {
    case Op::kCheck: {
      const bool valid = zorva::IsValidUtf8(mask_, value);
      const std::string_view word = valid ? "valid" : "invalid";
      std::memcpy(dest, word.data(), word.size());
      length = word.size();
      return valid;
    }
    case Op::kRaw:
      length = zorva::GetRawValueUtf8(mask_, value, dest, kAnswerBytes);
      return !wantValidity || zorva::IsValidUtf8(mask_, value);
    case Op::kFormat:
      length = zorva::GetFormattedValueUtf8(mask_, value, dest, kAnswerBytes);
      if (!wantValidity) return true;
      return (!hasRawMask_ || zorva::IsValidUtf8(rawMask_, value)) &&
             zorva::IsValidUtf8(mask_, std::string_view(dest, length));
    case Op::kNone: break;
  }
  return false;
}

}  // namespace zmask
