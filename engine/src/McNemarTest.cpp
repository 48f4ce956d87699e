// McNemar's test on the 2x2 table of success and failure (Conover, Practical Nonparametric
// Statistics, 3rd ed., section 3.4): with b the changes from success to failure and c the
// reverse, the chi-square max(|b - c| - 1, 0)^2 / (b + c) with the continuity correction and one
// degree of freedom, and the exact two-sided binomial significance of b among b + c changes.
#include "McNemarTest.h"

#include "AnalysisData.h"
#include "CategoryCrosstab.h"
#include "Distributions.h"
#include "RelatedCases.h"
#include "SignTest.h"
#include "TestContext.h"
#include "TestWriting.h"

#include <cmath>

namespace engine {

ResultElement McNemarTest::Write(const TestContext& context, const RelatedCases& cases) {
  const SuccessRequest& success = *context.fRequest.fRelated->fMcNemar;
  std::vector<CommandValue> values = success.fList;
  if (values.empty() && !cases.Field(0).fCategories.empty()) {
    const Category& first = cases.Field(0).fCategories.front();
    values.push_back({first.fIsText, first.fNumber, first.fText});
  }
  // Class 0 success, 1 failure, by category position of each field.
  std::vector<std::vector<int>> classOf(2);
  std::vector<std::vector<double>> lists(4);
  for (std::size_t f = 0; f < 2; ++f) {
    const FieldColumn& field = cases.Field(f);
    classOf[f].assign(field.fCategories.size(), 1);
    for (const CommandValue& value : values) {
      const int at = field.FindCategory(value.fIsText, value.fNumber, value.fText);
      if (at >= 0)
        classOf[f][static_cast<std::size_t>(at)] = 0;
    }
    for (std::size_t p = 0; p < classOf[f].size(); ++p)
      lists[2 * f + static_cast<std::size_t>(classOf[f][p])].push_back(static_cast<double>(p));
  }
  const CategoryCrosstab crosstab(cases, classOf[0], classOf[1], 2);
  const double b = crosstab.fCounts[0][1], c = crosstab.fCounts[1][0];
  // The correction never overshoots: b = c gives 0, as R's mcnemar.test does.
  const double corrected = std::fmax(std::fabs(b - c) - 1, 0.0);
  const double chiSquare = b + c > 0 ? corrected * corrected / (b + c) : NAN;
  const double asymptotic = b + c > 0 ? Distributions::ChiSquareUpper(chiSquare, 1) : NAN;
  const double exact = SignTest::ExactTwoSided(b, b + c);

  ResultElement algorithm = TestWriting::Algorithm("RMcNemar", "Related_Samples",
                                                   TestWriting::Decision(exact, context.Alpha()));
  const std::vector<double> indexes = cases.DocumentIndexes();
  algorithm.Add(TestWriting::Condition(success.fList.empty()
                                           ? "AllDistinctValuesUsed_R_McNemar_2"
                                           : "CategoryListsAreSpecified_R_McNemar_2",
                                       {indexes[0], indexes[1]}));
  ResultElement& results = algorithm.Add(TestWriting::Table("StatisticsResult"));
  results.Add(TestWriting::Attribute("TotalN", crosstab.fTotal));
  results.Add(TestWriting::Attribute("TestStatistic", chiSquare));
  results.Add(TestWriting::Attribute("DegreeOfFreedom", 1.0));
  results.Add(TestWriting::Attribute("AsymptoticSig2Tailed", asymptotic));
  results.Add(TestWriting::Attribute("ExactSig2Tailed", exact));
  algorithm.Add(crosstab.Record(indexes[0], indexes[1], &lists));
  return algorithm;
}

} // namespace engine
