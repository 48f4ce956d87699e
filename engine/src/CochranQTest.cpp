// Cochran's Q (Conover, Practical Nonparametric Statistics, 3rd ed., section 4.6; Siegel and
// Castellan eq. 7.18): with C_j the successes of field j, R_i those of case i and N their total,
// Q = (k - 1)(k sum C_j^2 - N^2) / (k N - sum R_i^2), chi-square with k - 1 degrees of freedom.
// Pairs of fields compare their success proportions with the standard error
// sqrt(2 (k N - sum R_i^2) / (n^2 k (k - 1))) (Sheskin, Test 26).
#include "CochranQTest.h"

#include "AnalysisData.h"
#include "Distributions.h"
#include "RelatedCases.h"
#include "RelatedComparisons.h"
#include "TestContext.h"
#include "TestWriting.h"

#include <cmath>
#include <numeric>

namespace engine {
namespace {

// One row of k flags per case, in one block of memory.
struct Successes {
  std::size_t fFields = 0;
  std::vector<char> fSuccess;
  std::vector<double> fWeights;
  double fBlocks = 0;

  std::size_t CaseCount() const { return fWeights.size(); }
  bool At(std::size_t i, std::size_t j) const { return fSuccess[i * fFields + j] != 0; }
};

struct QResult {
  double fQ = NAN, fSig = NAN, fDenominator = 0;
  std::vector<double> fColumns;
};

QResult Q(const Successes& s, const std::vector<std::size_t>& fields) {
  QResult result;
  const double k = static_cast<double>(fields.size());
  result.fColumns.assign(fields.size(), 0.0);
  double total = 0, rowSquares = 0;
  for (std::size_t i = 0; i < s.CaseCount(); ++i) {
    double row = 0;
    for (std::size_t j = 0; j < fields.size(); ++j)
      if (s.At(i, fields[j])) {
        row += 1;
        result.fColumns[j] += s.fWeights[i];
      }
    total += s.fWeights[i] * row;
    rowSquares += s.fWeights[i] * row * row;
  }
  double columnSquares = 0;
  for (double c : result.fColumns)
    columnSquares += c * c;
  result.fDenominator = k * total - rowSquares;
  if (result.fDenominator > 0) {
    result.fQ = (k - 1) * (k * columnSquares - total * total) / result.fDenominator;
    result.fSig = Distributions::ChiSquareUpper(result.fQ, k - 1);
  }
  return result;
}

} // namespace

ResultElement CochranQTest::Write(const TestContext& context, const RelatedCases& cases) {
  const RelatedRequest& request = *context.fRequest.fRelated;
  const bool listed = request.fCochranSuccess && !request.fCochranSuccess->fList.empty();
  std::vector<CommandValue> values;
  if (listed) {
    values = request.fCochranSuccess->fList;
  } else if (!cases.Field(0).fCategories.empty()) {
    const Category& first = cases.Field(0).fCategories.front();
    values.push_back({first.fIsText, first.fNumber, first.fText});
  }
  const std::size_t k = cases.FieldCount();
  std::vector<std::vector<char>> successOf(k);
  for (std::size_t j = 0; j < k; ++j) {
    const FieldColumn& field = cases.Field(j);
    successOf[j].assign(field.fCategories.size(), 0);
    for (const CommandValue& value : values) {
      const int at = field.FindCategory(value.fIsText, value.fNumber, value.fText);
      if (at >= 0)
        successOf[j][static_cast<std::size_t>(at)] = 1;
    }
  }
  Successes s;
  s.fFields = k;
  s.fSuccess.reserve(cases.CaseCount() * k);
  s.fWeights.reserve(cases.CaseCount());
  for (std::size_t i = 0; i < cases.CaseCount(); ++i) {
    for (std::size_t j = 0; j < k; ++j)
      s.fSuccess.push_back(successOf[j][static_cast<std::size_t>(cases.Position(j, i))]);
    s.fWeights.push_back(cases.Weight(i));
    s.fBlocks += cases.Weight(i);
  }
  std::vector<std::size_t> all(k);
  std::iota(all.begin(), all.end(), std::size_t{0});
  const QResult q = Q(s, all);
  const std::vector<double> indexes = cases.DocumentIndexes();

  ResultElement algorithm = TestWriting::Algorithm("RCochransQ", "Related_Samples",
                                                   TestWriting::Decision(q.fSig, context.Alpha()));
  algorithm.Add(TestWriting::Condition(listed ? "CategoryListsAreSpecified_R_CochransQ_1"
                                              : "DefaultAllDistinctValuesUsed_R_CochransQ_1",
                                       {indexes}));
  ResultElement& results = algorithm.Add(TestWriting::Table("StatisticsResult"));
  results.Add(TestWriting::Attribute("TotalN", s.fBlocks));
  results.Add(TestWriting::Attribute("TestStatistic", q.fQ));
  results.Add(TestWriting::Attribute("DegreeOfFreedom", static_cast<double>(k - 1)));
  results.Add(TestWriting::Attribute("AsymptoticSig2Tailed", q.fSig));
  // Percent of failures and of successes of each field, for the stacked bars.
  std::vector<std::vector<double>> percent;
  std::vector<std::string> names;
  std::vector<double> proportions;
  for (std::size_t j = 0; j < k; ++j) {
    const double p = s.fBlocks > 0 ? q.fColumns[j] / s.fBlocks : NAN;
    proportions.push_back(p);
    percent.push_back({100 * (1 - p), 100 * p});
    names.push_back(ResultDocumentWriter::NumberText(indexes[j]));
  }
  algorithm.Add(TestWriting::Table("TwoClassComparison"))
      .Add(TestWriting::SimpleTable("Content", names, {"0", "1"}, percent));
  const std::optional<Compare> compare = request.fCochran;
  if (compare == Compare::kPairwise) {
    const double n = s.fBlocks, kk = static_cast<double>(k);
    const double se = n > 0 ? std::sqrt(2 * q.fDenominator / (n * n * kk * (kk - 1))) : NAN;
    ResultElement pairwise =
        RelatedComparisons::Pairwise(indexes, proportions, q.fColumns, "Successes", se);
    algorithm.Add(std::move(pairwise));
  } else if (compare == Compare::kStepwise) {
    auto test = [&s](const std::vector<std::size_t>& fields) {
      const QResult subset = Q(s, fields);
      return SubsetTest{subset.fQ, subset.fSig};
    };
    algorithm.Add(
        RelatedComparisons::Stepwise(indexes, q.fColumns, "Successes", test, context.Alpha()));
  }
  return algorithm;
}

} // namespace engine
