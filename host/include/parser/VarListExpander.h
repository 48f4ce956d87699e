// Turns a variable list as written (names, "a TO b" ranges over the dictionary's order, ALL) into
// dictionary indexes.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class VORN_DataSource;

class VarListExpander {
public:
  struct Result {
    bool fOk = true;
    std::vector<int> fIndexes; // in the order written, repeats kept; the valid part on failure
    std::vector<std::size_t> fOrigins; // for each index, the position of the name it came from
    std::size_t fBadPosition = 0;      // the position in the written list of the first problem
    std::string fProblem;              // what is wrong there, for a message
  };

  // Names compare without regard to case; TO and ALL are keywords in any case. A range must run
  // forward in the dictionary ("b TO a" with b after a is refused); "a TO a" is a. Unknown names
  // and a TO without a name on both sides are refused. Invalid names are skipped in fIndexes so
  // that a caller can still use the valid ones.
  static Result Expand(const std::vector<std::string>& names, const VORN_DataSource& dataSource);
};
