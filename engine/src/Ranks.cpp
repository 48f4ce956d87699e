// Sorting and midranks.
#include "Ranks.h"

#include <algorithm>
#include <numeric>

namespace engine {

std::vector<std::size_t> Ranks::SortOrder(const std::vector<double>& values) {
  std::vector<std::size_t> order(values.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [&values](std::size_t a, std::size_t b) { return values[a] < values[b]; });
  return order;
}

RankedCases Ranks::Midranks(const std::vector<double>& values, const std::vector<double>& weights) {
  RankedCases ranked;
  ranked.fRanks.resize(values.size());
  const std::vector<std::size_t> order = SortOrder(values);
  auto weight = [&weights](std::size_t i) { return weights.empty() ? 1.0 : weights[i]; };
  double before = 0; // summed weight of the cases below the current block
  for (std::size_t start = 0; start < order.size();) {
    std::size_t end = start;
    double block = 0;
    while (end < order.size() && values[order[end]] == values[order[start]])
      block += weight(order[end++]);
    const double midrank = before + (block + 1) / 2;
    for (std::size_t i = start; i < end; ++i)
      ranked.fRanks[order[i]] = midrank;
    ranked.fTieTerm += block * block * block - block;
    before += block;
    start = end;
  }
  ranked.fTotal = before;
  return ranked;
}

} // namespace engine
