// The valid cases of a test field split by a group field: the values, their weights, the group of
// each case and the pooled midranks that every independent-samples rank test starts from.
#pragma once

#include "Ranks.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace engine {

class AnalysisData;
struct FieldColumn;

class GroupedCases {
public:
  // The cases with a weight and a valid value in both fields; groups are the group field's
  // categories that hold at least one such case, in the categories' order.
  GroupedCases(const AnalysisData& data, const FieldColumn& test, const FieldColumn& group);
  // The cases of the groups `groups` (indexes of this object's groups), renumbered in that order.
  GroupedCases Subset(const std::vector<std::size_t>& groups) const;

  std::size_t CaseCount() const { return fValues.size(); }
  std::size_t GroupCount() const { return fPositions.size(); }
  double Value(std::size_t c) const { return fValues[c]; }
  double Weight(std::size_t c) const { return fWeights.empty() ? 1.0 : fWeights[c]; }
  std::size_t Group(std::size_t c) const { return fGroups[c]; }
  // The case's number in the split group (1-based), as outliers are labelled.
  double CaseNumber(std::size_t c) const { return fCaseNumbers[c]; }
  // The group's category position in the group field (what a document names a group by).
  double Position(std::size_t g) const { return static_cast<double>(fPositions[g]); }
  // Summed weight of a group and of every case.
  double Size(std::size_t g) const { return fSizes[g]; }
  double Total() const { return fRanked.fTotal; }
  const RankedCases& Ranked() const { return fRanked; }
  // Weighted mean of the pooled midranks within each group.
  std::vector<double> MeanRanks() const;
  // The values of one group (or of all when `group` is -1) sorted, each with its weight.
  const std::vector<std::pair<double, double>>& Sorted(long group = -1) const;

private:
  GroupedCases() = default;
  void Finish();

  std::vector<double> fValues, fCaseNumbers;
  std::vector<double> fWeights; // empty when every case weighs 1
  std::vector<std::uint32_t> fGroups;
  std::vector<std::size_t> fPositions;
  std::vector<double> fSizes;
  RankedCases fRanked;
  // Each group's values sorted, then all of them: made in one pass over the pooled order.
  std::vector<std::vector<std::pair<double, double>>> fSorted;
};

// The value at 1-based position `k` (k may be fractional: interpolated between neighbours) of the
// cases `sorted` (value, weight), a case of weight w filling w positions.
double WeightedOrderStatistic(const std::vector<std::pair<double, double>>& sorted, double k);
// The median of `sorted`: the middle position, or the mean of the two middle ones.
double WeightedMedian(const std::vector<std::pair<double, double>>& sorted);

} // namespace engine
