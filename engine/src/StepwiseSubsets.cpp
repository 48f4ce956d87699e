// Step-down homogeneous subsets: for subset sizes p = k down to 2, every run of p adjacent groups
// that no homogeneous subset found so far contains is tested; its significance is adjusted to
// 1 - (1 - sig)^(k / p) (the per-step level 1 - (1 - alpha)^(p / k)); a run whose adjusted
// significance exceeds alpha is homogeneous (a run without a statistic is too).
#include "StepwiseSubsets.h"

#include "AnalysisData.h"
#include "GroupedCases.h"
#include "TestWriting.h"

#include <algorithm>
#include <numeric>

namespace engine {

std::vector<std::size_t> StepwiseSubsets::Ascending(const std::vector<double>& values) {
  std::vector<std::size_t> order(values.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return values[a] < values[b]; });
  return order;
}

std::vector<Subset> StepwiseSubsets::Find(const GroupedCases& cases, double alpha,
                                          const std::vector<std::size_t>& order,
                                          const Tester& test) {
  const std::size_t k = order.size();
  std::vector<Subset> found;
  for (std::size_t p = k; p >= 2; --p) {
    for (std::size_t start = 0; start + p <= k; ++start) {
      const std::size_t end = start + p - 1;
      const bool inside = std::any_of(found.begin(), found.end(), [&](const Subset& s) {
        return s.fStart <= start && end <= s.fEnd;
      });
      if (inside)
        continue;
      Subset subset;
      subset.fStart = start;
      subset.fEnd = end;
      subset.fTested = true;
      subset.fTest = test(cases.Subset(std::vector<std::size_t>(
          order.begin() + static_cast<long>(start), order.begin() + static_cast<long>(end) + 1)));
      subset.fAdjusted = 1 - std::pow(1 - subset.fTest.fSig, static_cast<double>(k) / p);
      if (std::isnan(subset.fTest.fStatistic) || subset.fAdjusted > alpha)
        found.push_back(subset);
    }
  }
  for (std::size_t j = 0; j < k; ++j) {
    const bool covered = std::any_of(found.begin(), found.end(),
                                     [&](const Subset& s) { return s.fStart <= j && j <= s.fEnd; });
    if (!covered) {
      Subset alone;
      alone.fStart = alone.fEnd = j;
      found.push_back(alone);
    }
  }
  std::stable_sort(found.begin(), found.end(),
                   [](const Subset& a, const Subset& b) { return a.fStart < b.fStart; });
  return found;
}

ResultElement StepwiseSubsets::Write(const GroupedCases& cases, const FieldColumn& group,
                                     double alpha, const std::vector<std::size_t>& order,
                                     const std::vector<double>& values, const Tester& test) {
  const std::vector<Subset> subsets = Find(cases, alpha, order, test);
  std::vector<double> samples, shown;
  for (std::size_t g : order) {
    samples.push_back(cases.Position(g));
    shown.push_back(values[g]);
  }
  const double missing = std::nan("");
  std::vector<std::vector<double>> rows;
  for (const Subset& s : subsets) {
    const SubsetTest t = s.fTested ? s.fTest : SubsetTest{};
    rows.push_back({static_cast<double>(s.fStart), static_cast<double>(s.fEnd), t.fStatistic,
                    t.fStandardError, t.fZ, t.fSig, s.fTested ? s.fAdjusted : missing});
  }
  ResultElement table = TestWriting::Table("StepwiseResult");
  table.Add(TestWriting::Attribute("fieldIndex", static_cast<double>(group.fDocumentIndex)));
  std::vector<std::string> names;
  for (double s : samples)
    names.push_back(ResultDocumentWriter::NumberText(s));
  table.Add(
      TestWriting::SimpleTable("StepwiseInfo", {"Sample", "MeanRank"}, names, {samples, shown}));
  table.Add(TestWriting::SimpleTable(
      "Content", {"Subset"},
      {"Sample1", "Sample2", "TestStatistic", "StdError", "StdTestStatistic", "Sig", "AdjSig"},
      rows));
  return table;
}

} // namespace engine
