// Edit distance and the nearest keyword for "Did you mean ...?".
#include "parser/KeywordSuggester.h"

#include <algorithm>
#include <cstddef>

namespace {

constexpr std::size_t kMaxCompared = 64;

char Fold(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

int AllowedEdits(std::size_t length) {
  if (length <= 4)
    return 1;
  return length <= 8 ? 2 : 3;
}

} // namespace

int KeywordSuggester::Distance(const std::string& a, const std::string& b) {
  const std::size_t n = std::min(a.size(), kMaxCompared);
  const std::size_t m = std::min(b.size(), kMaxCompared);
  std::vector<int> previous(m + 1);
  std::vector<int> current(m + 1);
  for (std::size_t j = 0; j <= m; ++j)
    previous[j] = static_cast<int>(j);
  for (std::size_t i = 1; i <= n; ++i) {
    current[0] = static_cast<int>(i);
    for (std::size_t j = 1; j <= m; ++j) {
      const int substitution = previous[j - 1] + (Fold(a[i - 1]) == Fold(b[j - 1]) ? 0 : 1);
      current[j] = std::min({previous[j] + 1, current[j - 1] + 1, substitution});
    }
    previous.swap(current);
  }
  return previous[m];
}

std::string KeywordSuggester::Nearest(const std::string& word,
                                      const std::vector<std::string>& candidates) {
  std::string best;
  int bestDistance = AllowedEdits(word.size()) + 1;
  for (const std::string& candidate : candidates) {
    const int distance = Distance(word, candidate);
    if (distance < bestDistance) {
      best = candidate;
      bestDistance = distance;
    }
  }
  return best;
}
