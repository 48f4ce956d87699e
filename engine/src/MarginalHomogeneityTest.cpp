// Marginal homogeneity of two ordered category fields (Agresti, Categorical Data Analysis, 2nd
// ed., section 10.4; the exchange argument of Bhapkar's test made linear in the scores): given
// the pair of categories of a case, under the hypothesis either order is equally likely, so the
// first field's score s_i of a case in cell (i, j) has mean (s_i + s_j)/2 and variance
// (s_i - s_j)^2/4. T sums the first field's scores over the cases off the diagonal; z = (T -
// mean)/sd. The scores are the category values, or the positions from 1 for text categories.
#include "MarginalHomogeneityTest.h"

#include "AnalysisData.h"
#include "CategoryCrosstab.h"
#include "Distributions.h"
#include "RelatedCases.h"
#include "TestContext.h"
#include "TestWriting.h"

#include <cmath>

namespace engine {

ResultElement MarginalHomogeneityTest::Write(const TestContext& context,
                                             const RelatedCases& cases) {
  std::vector<std::vector<int>> classOf;
  const std::vector<Category> categories = CategoryCrosstab::Union(cases, classOf);
  const CategoryCrosstab crosstab(cases, classOf[0], classOf[1], categories.size());
  std::vector<double> scores;
  for (std::size_t i = 0; i < categories.size(); ++i)
    scores.push_back(categories[i].fIsText ? static_cast<double>(i + 1) : categories[i].fNumber);
  double observed = 0, mean = 0, variance = 0;
  for (std::size_t i = 0; i < scores.size(); ++i)
    for (std::size_t j = 0; j < scores.size(); ++j) {
      if (i == j)
        continue;
      const double t = crosstab.fCounts[i][j];
      observed += t * scores[i];
      mean += t * (scores[i] + scores[j]) / 2;
      variance += t * (scores[i] - scores[j]) * (scores[i] - scores[j]) / 4;
    }
  const double sd = std::sqrt(variance);
  const double z = sd > 0 ? (observed - mean) / sd : NAN;
  const double sig = sd > 0 ? Distributions::NormalTwoSided(z) : NAN;

  ResultElement algorithm = TestWriting::Algorithm("RMarginalHomogeneity", "Related_Samples",
                                                   TestWriting::Decision(sig, context.Alpha()));
  const std::vector<double> indexes = cases.DocumentIndexes();
  algorithm.Add(TestWriting::Condition("AllDistinctValuesUsed_R_MarginalHomogeneity_2",
                                       {indexes[0], indexes[1]}));
  ResultElement& results = algorithm.Add(TestWriting::Table("StatisticsResult"));
  results.Add(TestWriting::Attribute("TotalN", crosstab.fTotal));
  results.Add(TestWriting::Attribute("TestStatistic", observed));
  results.Add(TestWriting::Attribute("StandardError", sd));
  results.Add(TestWriting::Attribute("StandardizedTestStatistic", z));
  results.Add(TestWriting::Attribute("AsymptoticSig2Tailed", sig));
  algorithm.Add(crosstab.Record(indexes[0], indexes[1], nullptr));
  return algorithm;
}

} // namespace engine
