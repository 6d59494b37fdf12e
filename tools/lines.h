// zmask check, raw and format: one value per argument or per line of
// standard input, or chosen fields of each line, answered in place.
#pragma once

#include <string>
#include <vector>

#include "fields.h"
#include "question.h"

namespace zmask {

struct LineSettings {
  bool lineBuffered = false;
  InvalidPolicy invalid = InvalidPolicy::kIgnore;
  bool explain = false;
  FieldList fields;        // empty: the whole line is the value
  char delimiter = 0;      // splits the fields; 0: runs of blanks do
  long header = 0;         // lines of standard input copied unchanged first
  char terminator = '\n';  // '\0' with -z, in and out
};

// positions[i]: where values[i] stood on the command line; "-" or no value
// reads standard input. Returns the exit status.
int RunValues(const Question& question, std::vector<std::string> values,
              const std::vector<int>& positions, const LineSettings& settings);

}  // namespace zmask
