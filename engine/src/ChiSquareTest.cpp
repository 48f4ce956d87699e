// Pearson's chi-square statistic sum (O - E)^2 / E over the tested categories, referred to the
// chi-square distribution with k - 1 degrees of freedom.
#include "ChiSquareTest.h"

#include "Distributions.h"
#include "FieldSample.h"
#include "TestContext.h"
#include "TestWriting.h"

#include <cmath>
#include <string>

namespace engine {

void ChiSquareTest::Write(const TestContext& context, const ChiSquareRequest& request,
                          const FieldColumn& field, std::vector<ResultElement>& algorithms) {
  const FieldSample sample(context, field);
  std::vector<double> counts(field.fCategories.size(), 0);
  for (std::size_t i = 0; i < sample.Values().size(); ++i)
    counts[static_cast<std::size_t>(sample.Values()[i])] += sample.Weight(i);

  // The tested categories (positions in the field's list; -1 for a named value the group does not
  // hold, which is tested with no cases) and their expected shares.
  std::vector<int> tested;
  std::vector<double> shares;
  if (request.fCustom && !request.fCategories.empty()) {
    for (std::size_t i = 0; i < request.fCategories.size(); ++i) {
      const CommandValue& value = request.fCategories[i];
      tested.push_back(field.FindCategory(value.fIsText, value.fNumber, value.fText));
      shares.push_back(i < request.fFrequencies.size() ? request.fFrequencies[i] : NAN);
    }
  } else {
    for (std::size_t p = 0; p < counts.size(); ++p)
      if (counts[p] > 0)
        tested.push_back(static_cast<int>(p));
    if (request.fCustom)
      shares = request.fFrequencies;
    else
      shares.assign(tested.size(), 1);
  }
  const bool sharesFit = shares.size() == tested.size();

  double n = 0, shareSum = 0;
  std::vector<double> observed;
  for (std::size_t i = 0; i < tested.size(); ++i) {
    observed.push_back(tested[i] >= 0 ? counts[static_cast<std::size_t>(tested[i])] : 0);
    n += observed.back();
    shareSum += sharesFit ? shares[i] : 0;
  }
  const std::size_t k = tested.size();
  double chi = NAN, significance = NAN;
  std::vector<double> expected(k, NAN);
  const bool computable = sharesFit && k >= 2 && n > 0 && shareSum > 0;
  if (computable) {
    chi = 0;
    for (std::size_t i = 0; i < k; ++i) {
      expected[i] = n * shares[i] / shareSum;
      chi += (observed[i] - expected[i]) * (observed[i] - expected[i]) / expected[i];
    }
    significance = Distributions::ChiSquareUpper(chi, static_cast<double>(k - 1));
  }

  ResultElement algorithm = TestWriting::Algorithm(
      "OChiSquare", "One_Sample",
      computable ? TestWriting::Decision(significance, context.Alpha()) : "");
  algorithm.Add(TestWriting::Condition(request.fCustom ? "UserSpecifiesProbabilities_O_ChiSquare_1"
                                                       : "DefaultEqualProbabilities_O_ChiSquare_1",
                                       {static_cast<double>(field.fDocumentIndex)}));
  ResultElement& result = algorithm.Add(TestWriting::Table("StatisticsResult"));
  result.Add(TestWriting::Attribute("TotalN", n));
  result.Add(TestWriting::Attribute("TestStatistic", chi));
  result.Add(TestWriting::Attribute("DegreeOfFreedom", k >= 1 ? static_cast<double>(k - 1) : NAN));
  result.Add(TestWriting::Attribute("AsymptoticSig2Tailed", significance));
  // The comparison chart shows the categories the group holds; a named category without cases
  // has no position to be shown at.
  std::vector<std::string> rowNames;
  std::vector<std::vector<double>> rows;
  for (std::size_t i = 0; i < k; ++i)
    if (tested[i] >= 0) {
      rowNames.push_back(std::to_string(tested[i]));
      rows.push_back({observed[i], expected[i]});
    }
  algorithm.Add(TestWriting::Table("TwoClassComparison"))
      .Add(TestWriting::SimpleTable("Content", rowNames, {"Observed", "Hypothesized"}, rows));
  algorithms.push_back(std::move(algorithm));
}

} // namespace engine
