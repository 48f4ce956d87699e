// Runs of the two groups in case order, referred to the normal approximation of the number of
// runs R given the group sizes n1 and n2: mean 2 n1 n2 / n + 1, variance
// 2 n1 n2 (2 n1 n2 - n) / (n^2 (n - 1)), without a continuity correction.
#include "RunsTest.h"

#include "Distributions.h"
#include "FieldSample.h"
#include "TestContext.h"
#include "TestWriting.h"

#include <cmath>
#include <set>

namespace engine {

void RunsTest::Write(const TestContext& context, const RunsRequest& request,
                     const FieldColumn& field, std::vector<ResultElement>& algorithms) {
  const FieldSample sample(context, field);
  const std::vector<double>& values = sample.Values();
  // Each case's group: 1 first, 2 second, 0 left out.
  std::vector<int> group(values.size(), 0);
  std::string key;
  std::vector<ConditionParameter> parameters{static_cast<double>(field.fDocumentIndex)};
  double cut = NAN;
  if (field.IsCategorical()) {
    std::set<int> observed, first;
    for (double value : values)
      observed.insert(static_cast<int>(value));
    std::set<int> second;
    if (request.fGroupList.empty()) {
      // The first two categories the group holds; cases of any other are left out.
      auto it = observed.begin();
      if (it != observed.end())
        first.insert(*it++);
      if (it != observed.end())
        second.insert(*it);
      key = "ABinaryTestVariableIsSpecified_O_Runs_3";
    } else {
      for (const CommandValue& value : request.fGroupList) {
        const int position = field.FindCategory(value.fIsText, value.fNumber, value.fText);
        if (position >= 0)
          first.insert(position);
      }
      for (int position : observed)
        if (!first.count(position))
          second.insert(position);
      key = "CategoryListsAreSpecified_O_Runs_3";
    }
    for (std::size_t i = 0; i < values.size(); ++i)
      group[i] = first.count(static_cast<int>(values[i]))    ? 1
                 : second.count(static_cast<int>(values[i])) ? 2
                                                             : 0;
    parameters.push_back(std::vector<double>(first.begin(), first.end()));
    parameters.push_back(std::vector<double>(second.begin(), second.end()));
  } else {
    cut = request.fCut == RunsRequest::Cut::kMedian ? sample.Median()
          : request.fCut == RunsRequest::Cut::kMean ? sample.Mean()
                                                    : request.fCutValue;
    for (std::size_t i = 0; i < values.size(); ++i)
      group[i] = values[i] <= cut ? 1 : 2;
    key = "ACutPointIsSpecified_O_Runs_2";
    parameters.push_back(cut);
  }

  // A weighted case stands for w cases in a row: one run at most.
  double n1 = 0, n2 = 0, runs = 0;
  int previous = 0;
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (group[i] == 0)
      continue;
    (group[i] == 1 ? n1 : n2) += sample.Weight(i);
    if (group[i] != previous)
      ++runs;
    previous = group[i];
  }
  const double n = n1 + n2;
  const bool computable = n1 > 0 && n2 > 0 && n > 1;
  double mean = NAN, sd = NAN, z = NAN, significance = NAN;
  if (computable) {
    mean = 2 * n1 * n2 / n + 1;
    sd = std::sqrt(2 * n1 * n2 * (2 * n1 * n2 - n) / (n * n * (n - 1)));
    z = sd > 0 ? (runs - mean) / sd : NAN;
    significance = sd > 0 ? Distributions::NormalTwoSided(z) : NAN;
  }
  const bool decided = !std::isnan(significance);

  ResultElement algorithm = TestWriting::Algorithm(
      "ORuns", "One_Sample", decided ? TestWriting::Decision(significance, context.Alpha()) : "");
  algorithm.Add(TestWriting::Condition(key, parameters));
  ResultElement& result = algorithm.Add(TestWriting::Table("StatisticsResult"));
  result.Add(TestWriting::Attribute("TotalN", n));
  if (!field.IsCategorical())
    result.Add(TestWriting::Attribute("TestValue", cut));
  result.Add(TestWriting::Attribute("TestStatistic", runs));
  result.Add(TestWriting::Attribute("StandardError", sd));
  result.Add(TestWriting::Attribute("StandardizedTestStatistic", z));
  result.Add(TestWriting::Attribute("AsymptoticSig2Tailed", significance));
  ResultElement& runsTable = algorithm.Add(TestWriting::Table("RunsParameters"));
  runsTable.Add(TestWriting::Attribute("Mean", mean));
  runsTable.Add(TestWriting::Attribute("StdDev", sd));
  runsTable.Add(TestWriting::Attribute("ObservedRunNumber", runs));
  algorithms.push_back(std::move(algorithm));
}

} // namespace engine
