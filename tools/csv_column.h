// zmask csv: columns of an RFC 4180 table answered, the whole table
// written back with the answers in place of their column or in new ones.
#pragma once

#include <string>
#include <vector>

#include "question.h"

namespace zmask {

struct CsvSettings {
  std::vector<std::string> columns;  // header names or numbers from 1
  // One per column, or none: empty, the answers replace their column;
  // otherwise they go into a new last column of this name.
  std::vector<std::string> newColumns;
  bool noHeader = false;
  std::string delimiter = ",";
  bool lineBuffered = false;
  InvalidPolicy invalid = InvalidPolicy::kIgnore;
};

// Reads path ("-" or empty: standard input); returns the exit status.
int RunCsv(const Question& question, const std::string& path, const CsvSettings& settings);

}  // namespace zmask
