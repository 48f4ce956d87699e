// Grouping the cases of an independent-samples test.
#include "GroupedCases.h"

#include "AnalysisData.h"

#include "proc/CFAssert.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace engine {

GroupedCases::GroupedCases(const AnalysisData& data, const FieldColumn& test,
                           const FieldColumn& group) {
  // The groups present, numbered in the order of their category positions.
  const std::vector<std::size_t> cases = data.ValidCases({&test, &group});
  const std::size_t absent = SIZE_MAX;
  CF_ASSERT(group.fCategories.size() <= UINT32_MAX, "GroupedCases", "engine/GroupedCases");
  std::vector<std::size_t> index(group.fCategories.size(), absent);
  for (std::size_t c : cases) {
    const auto position = static_cast<std::size_t>(group.fValues[c]);
    CF_ASSERT(position < index.size(), "GroupedCases", "engine/GroupedCases");
    index[position] = 0;
  }
  for (std::size_t position = 0; position < index.size(); ++position)
    if (index[position] != absent) {
      index[position] = fPositions.size();
      fPositions.push_back(position);
    }
  fValues.reserve(cases.size());
  if (data.Weighted())
    fWeights.reserve(cases.size());
  fCaseNumbers.reserve(cases.size());
  fGroups.reserve(cases.size());
  for (std::size_t c : cases) {
    fValues.push_back(test.fValues[c]);
    if (data.Weighted())
      fWeights.push_back(data.Weight(c));
    fCaseNumbers.push_back(static_cast<double>(c + 1));
    fGroups.push_back(
        static_cast<std::uint32_t>(index[static_cast<std::size_t>(group.fValues[c])]));
  }
  Finish();
}

GroupedCases GroupedCases::Subset(const std::vector<std::size_t>& groups) const {
  GroupedCases subset;
  std::vector<long> renumber(GroupCount(), -1);
  for (std::size_t i = 0; i < groups.size(); ++i) {
    renumber[groups[i]] = static_cast<long>(i);
    subset.fPositions.push_back(fPositions[groups[i]]);
  }
  for (std::size_t c = 0; c < CaseCount(); ++c) {
    if (renumber[fGroups[c]] < 0)
      continue;
    subset.fValues.push_back(fValues[c]);
    if (!fWeights.empty())
      subset.fWeights.push_back(fWeights[c]);
    subset.fCaseNumbers.push_back(fCaseNumbers[c]);
    subset.fGroups.push_back(static_cast<std::uint32_t>(renumber[fGroups[c]]));
  }
  subset.Finish();
  return subset;
}

void GroupedCases::Finish() {
  fSizes.assign(fPositions.size(), 0.0);
  for (std::size_t c = 0; c < fValues.size(); ++c)
    fSizes[fGroups[c]] += Weight(c);
  fRanked = Ranks::Midranks(fValues, fWeights);
  // The pooled ranking's order is already sorted: no sort of their own.
  fSorted.assign(GroupCount() + 1, {});
  std::vector<std::size_t> counts(GroupCount(), 0);
  for (std::uint32_t g : fGroups)
    ++counts[g];
  for (std::size_t g = 0; g < GroupCount(); ++g)
    fSorted[g].reserve(counts[g]);
  fSorted.back().reserve(fValues.size());
  for (std::size_t c : fRanked.fOrder) {
    fSorted[fGroups[c]].emplace_back(fValues[c], Weight(c));
    fSorted.back().emplace_back(fValues[c], Weight(c));
  }
}

std::vector<double> GroupedCases::MeanRanks() const {
  std::vector<double> sums(GroupCount(), 0.0);
  for (std::size_t c = 0; c < CaseCount(); ++c)
    sums[fGroups[c]] += Weight(c) * fRanked.fRanks[c];
  for (std::size_t g = 0; g < sums.size(); ++g)
    sums[g] /= fSizes[g];
  return sums;
}

const std::vector<std::pair<double, double>>& GroupedCases::Sorted(long group) const {
  return group < 0 ? fSorted.back() : fSorted[static_cast<std::size_t>(group)];
}

namespace {

// The value at integer position k (1-based, clamped to the cases).
double At(const std::vector<std::pair<double, double>>& sorted, double k) {
  double before = 0;
  for (const auto& [value, weight] : sorted) {
    before += weight;
    if (k <= before)
      return value;
  }
  return sorted.back().first;
}

} // namespace

double WeightedOrderStatistic(const std::vector<std::pair<double, double>>& sorted, double k) {
  const double low = std::floor(k);
  const double fraction = k - low;
  const double a = At(sorted, std::max(low, 1.0));
  if (fraction == 0)
    return a;
  return a + fraction * (At(sorted, low + 1) - a);
}

double WeightedMedian(const std::vector<std::pair<double, double>>& sorted) {
  double n = 0;
  for (const auto& entry : sorted)
    n += entry.second;
  return WeightedOrderStatistic(sorted, (n + 1) / 2);
}

} // namespace engine
