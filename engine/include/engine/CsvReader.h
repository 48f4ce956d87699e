// Reads a delimited text file (CSV or TSV with a header row of names) into a DataSet, typing each
// column from its cells: numbers, ISO dates or texts.
#pragma once

#include "engine/DataSet.h"

#include <string>

namespace engine {

class CsvReader {
public:
  // The delimiter a file's name implies: a tab for .tsv and .tab, else a comma.
  static char DelimiterFor(const std::string& path);

  // Reads the file at `path`. Throws EngineError with one line "NAME:LINE:COLUMN: what" for a
  // file that cannot be read or is not a data file this reader accepts.
  static DataSet ReadFile(const std::string& path, char delimiter);
  // Reads `bytes` as the contents of a file called `name` (used in messages).
  static DataSet ReadText(const std::string& bytes, const std::string& name, char delimiter);

  // True when a cell would be a number, or missing, in a numeric column: what a text column's
  // cells are checked by when the dictionary says the column is numeric.
  static bool ReadsAsNumber(const std::string& cell);
};

} // namespace engine
