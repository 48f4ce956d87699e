// Runs of group membership. Within a block of tied values the two groups' cases may be arranged
// freely, so a block contributes a range of runs; dynamic programming over the blocks, the state
// being the group that ends the sequence so far, finds the fewest and the most. The significance
// is the one-tailed normal approximation (too few runs), without continuity correction.
#include "WaldWolfowitzTest.h"

#include "Distributions.h"
#include "GroupRecords.h"
#include "GroupedCases.h"
#include "TestContext.h"
#include "TestWriting.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>

namespace engine {
namespace {

struct Option {
  int fFirst, fLast; // the group that starts and ends the block's arrangement
  double fRuns;
};

std::vector<Option> Options(double a, double b, bool most) {
  if (a == 0)
    return {{1, 1, 1}};
  if (b == 0)
    return {{0, 0, 1}};
  if (!most) {
    std::vector<Option> options = {{0, 1, 2}, {1, 0, 2}};
    if (a >= 2)
      options.push_back({0, 0, 3});
    if (b >= 2)
      options.push_back({1, 1, 3});
    return options;
  }
  std::vector<Option> options = {{0, 1, 2 * std::min(a, b)}, {1, 0, 2 * std::min(a, b)}};
  if (a > b)
    options.push_back({0, 0, 2 * b + 1});
  if (b > a)
    options.push_back({1, 1, 2 * a + 1});
  return options;
}

double Solve(const std::vector<std::pair<double, double>>& blocks, bool most) {
  const double none = most ? -1 : 1e300;
  auto better = [most](double x, double y) { return most ? x > y : x < y; };
  std::array<double, 2> best = {none, none};
  bool first = true;
  for (const auto& [a, b] : blocks) {
    std::array<double, 2> next = {none, none};
    for (const Option& option : Options(a, b, most)) {
      double value = none;
      if (first) {
        value = option.fRuns;
      } else {
        for (int previous = 0; previous < 2; ++previous) {
          if (best[static_cast<std::size_t>(previous)] == none)
            continue;
          const double candidate = best[static_cast<std::size_t>(previous)] + option.fRuns -
                                   (previous == option.fFirst ? 1 : 0);
          if (value == none || better(candidate, value))
            value = candidate;
        }
      }
      double& slot = next[static_cast<std::size_t>(option.fLast)];
      if (slot == none || better(value, slot))
        slot = value;
    }
    best = next;
    first = false;
  }
  if (best[0] == none)
    return best[1];
  if (best[1] == none)
    return best[0];
  return better(best[0], best[1]) ? best[0] : best[1];
}

// z of the number of runs and its lower tail.
std::pair<double, double> Standardized(double runs, double n1, double n2) {
  const double n = n1 + n2;
  const double mean = 2 * n1 * n2 / n + 1;
  const double sd = std::sqrt(2 * n1 * n2 * (2 * n1 * n2 - n) / (n * n * (n - 1)));
  const double z = (runs - mean) / sd;
  return {z, Distributions::NormalCdf(z)};
}

} // namespace

std::pair<double, double>
WaldWolfowitzTest::MinMaxRuns(const std::vector<std::pair<double, double>>& blocks) {
  return {Solve(blocks, false), Solve(blocks, true)};
}

ResultElement WaldWolfowitzTest::Write(const TestContext& context, const GroupedCases& cases,
                                       const FieldColumn& test, const FieldColumn& group) {
  std::map<double, std::pair<double, double>> byValue;
  for (std::size_t c = 0; c < cases.CaseCount(); ++c) {
    auto& block = byValue[cases.Value(c)];
    (cases.Group(c) == 0 ? block.first : block.second) += cases.Weight(c);
  }
  std::vector<std::pair<double, double>> blocks;
  double shared = 0;
  for (const auto& entry : byValue) {
    blocks.push_back(entry.second);
    shared += entry.second.first > 0 && entry.second.second > 0 ? 1 : 0;
  }
  const auto [fewest, most] = MinMaxRuns(blocks);
  const double n1 = cases.Size(0), n2 = cases.Size(1);
  const auto [zLow, pLow] = Standardized(fewest, n1, n2);
  const auto [zHigh, pHigh] = Standardized(most, n1, n2);

  ResultElement algorithm = TestWriting::Algorithm("IWaldWolfowitzRuns", "Independent_Samples",
                                                   TestWriting::Decision(pHigh, context.Alpha()));
  algorithm.Add(GroupRecords::Condition("WaldWolfowitzRuns", test, group));
  if (fewest != most)
    algorithm.Add(TestWriting::Messages({{222302, "warning", {shared}, ""}}));
  ResultElement& results = algorithm.Add(TestWriting::Table("StatisticsResult"));
  results.Add(TestWriting::Attribute("TotalN", n1 + n2));
  ResultElement& low = results.Add(TestWriting::Table("MinimumPossible"));
  low.Add(TestWriting::Attribute("TestStatistic", fewest));
  low.Add(TestWriting::Attribute("StandardizedTestStatistic", zLow));
  low.Add(TestWriting::Attribute("AsymptoticSig1Tailed", pLow));
  ResultElement& high = results.Add(TestWriting::Table("MaximumPossible"));
  high.Add(TestWriting::Attribute("TestStatistic", most));
  high.Add(TestWriting::Attribute("StandardizedTestStatistic", zHigh));
  high.Add(TestWriting::Attribute("AsymptoticSig1Tailed", pHigh));
  for (ResultElement& table : GroupRecords::GroupTables(cases))
    algorithm.Add(std::move(table));
  return algorithm;
}

} // namespace engine
