// Fields of a line for check, raw and format, as a shell user knows them
// from cut and numfmt: --field 2, --field 1,3-5, --field 4-.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zmask {

class FieldList {
 public:
  // Numbers from 1, ranges N-M, N- and -M, separated by commas; false for
  // anything else.
  bool Parse(std::string_view text);

  bool empty() const { return ranges_.empty(); }
  bool Has(std::size_t number) const;
  // The fields a line must have: each number and each range's end that is
  // given (N- asks only for N).
  std::size_t Needed() const;
  // More than one field can be answered on a line: messages then name it.
  bool Several() const;

 private:
  struct Range {
    std::size_t first, last;
  };
  std::vector<Range> ranges_;
};

struct FieldSpan {
  std::size_t begin, end;
};

// The fields of `line`: split at each `delimiter`, or with none (0) the runs
// of bytes between blanks, as numfmt does. The bytes between stay out.
void SplitFields(std::string_view line, char delimiter, std::vector<FieldSpan>& fields);

}  // namespace zmask
