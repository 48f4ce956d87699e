// Proposes the keyword nearest to a misspelt word, by edit distance.
#pragma once

#include <string>
#include <vector>

class KeywordSuggester {
public:
  // Levenshtein distance of two words, ignoring ASCII case. Words longer than 64 characters are
  // compared on their first 64, which bounds the work for hostile input.
  static int Distance(const std::string& a, const std::string& b);

  // The candidate nearest to `word` when it is close enough to be a misspelling (at most one
  // edit for words of up to four characters, two up to eight, three beyond); "" otherwise. Ties go
  // to the earlier candidate.
  static std::string Nearest(const std::string& word, const std::vector<std::string>& candidates);
};
