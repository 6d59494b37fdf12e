// zmask csv: one column of an RFC 4180 table answered, the whole table
// written back with the answers in place of the column or in a new one.
#pragma once

#include <string>

#include "question.h"

namespace zmask {

struct CsvSettings {
  std::string column;     // a header name or a number from 1
  std::string newColumn;  // empty: the answers replace the column
  bool noHeader = false;
  std::string delimiter = ",";
  bool lineBuffered = false;
  InvalidPolicy invalid = InvalidPolicy::kIgnore;
};

// Reads path ("-" or empty: standard input); returns the exit status.
int RunCsv(const Question& question, const std::string& path, const CsvSettings& settings);

}  // namespace zmask
