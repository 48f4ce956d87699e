// Reads a data dictionary from a JSON file of our own format (documented in
// docs/dictionary-format.md) into a VORN_DataSource, with messages that point at the mistake.
#pragma once

#include <string>

class VORN_DataSource;

class JsonDictionaryReader {
public:
  // Reads `text` into `dataSource`, which should be empty. On failure returns false and sets
  // `error` to one line naming the place of the first mistake ("variables[2].format: ...");
  // variables read before the mistake stay in the data source. Never throws for bad input.
  static bool Read(const std::string& text, VORN_DataSource& dataSource, std::string& error);
};
