// The file format of the string tables: UTF-8 lines "key<TAB>text" with backslash escapes, and
// the file name of a procedure's table. docs/string-tables.md describes the format.
#pragma once

#include <map>
#include <string>
#include <vector>

// One problem in a string-table file, with its 1-based line number.
struct StringTableError {
  int line = 0;
  std::string message;
};

// Reads the text of a string-table file. Entries go into `entries` (a later line with the same
// key replaces the earlier one and is reported); bad lines are skipped and reported in `errors`.
// Returns true when there was no error. Never throws for any input.
bool ParseStringTable(const std::string& text, std::map<std::string, std::string>& entries,
                      std::vector<StringTableError>& errors);

// Escapes a key or text for a string-table line: backslash, tab, line feed and carriage return,
// and a '#' at the very start of a key (which would otherwise start a comment).
std::string EscapeStringTableField(const std::string& field, bool isKey);

// The file name of a procedure's table: lower case, every run of characters other than ASCII
// letters and digits turned into one '-', then ".strings"
// ("Nonparametric Tests" -> "nonparametric-tests.strings").
std::string StringTableFileName(const std::string& procedure);
