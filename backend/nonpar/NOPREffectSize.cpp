// Effect sizes from a result document's figures; the formulas and their references are in
// docs/effect-sizes.md, beside the R functions (effectsize, rstatix) that give the same figures.
#include "NOPREffectSize.h"

#include "NOPRDistributions.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <exception>
#include <string>

namespace {

using Stats = NOPROutputStats;
using Measure = NOPREffectSize::Measure;
using Interval = NOPREffectSize::Interval;
using Result = NOPREffectSize::Result;

constexpr NOPREffectSize::MeasureRow kMeasures[] = {
    {Measure::kCohensW, "CohensW", "Cohen's w", "ES symbol w ^1"},
    {Measure::kFei, "Fei", "Fei", "ES symbol Fei ^1"},
    {Measure::kCohensH, "CohensH", "Cohen's h", "ES symbol h ^1"},
    {Measure::kRankBiserialPaired, "MatchedPairsRankBiserial",
     "Matched-pairs rank-biserial correlation", "ES symbol r rb ^1"},
    {Measure::kCohensG, "CohensG", "Cohen's g", "ES symbol g ^1"},
    {Measure::kOddsRatio, "OddsRatio", "Odds ratio (b/c)", "ES symbol OR ^1"},
    {Measure::kRankBiserial, "RankBiserial", "Rank-biserial correlation", "ES symbol r rb ^1"},
    {Measure::kProbabilityOfSuperiority, "ProbabilityOfSuperiority", "Probability of superiority",
     "ES symbol PS ^1"},
    {Measure::kKolmogorovSmirnovD, "KolmogorovSmirnovD", "Kolmogorov-Smirnov D", "ES symbol D ^1"},
    {Measure::kRankEpsilonSquared, "RankEpsilonSquared", "Rank epsilon squared",
     "ES symbol epsilon squared R ^1"},
    {Measure::kCramersV, "CramersV", "Cramér's V", "ES symbol V ^1"},
    {Measure::kKendallsW, "KendallsW", "Kendall's W", "ES symbol W ^1"},
    {Measure::kEtaSquaredQ, "EtaSquaredQ", "Eta squared (Q)", "ES symbol eta squared Q ^1"},
};

bool missing(double value) {
  return NOPRUTILITY::isSystemMissing(value) || !std::isfinite(value);
}

bool levelUsable(double level) {
  return !missing(level) && level > 0.0 && level < 100.0;
}

// z of a two-sided interval at `level` percent.
double twoSidedZ(double level) {
  return NOPRDistributions::NormalQuantile(1.0 - (1.0 - level / 100.0) / 2.0);
}

double attribute(const Stats::BaseHypothesisTest& test, const char* name, const char* result = "") {
  double value = NOPRUTILITY::getSysMissing();
  if (!test.HasStatisticsResultData(value, name, result))
    return NOPRUTILITY::getSysMissing();
  return value;
}

bool isWhole(double value) {
  return std::fabs(value - std::round(value)) < 1e-6;
}

// The lower bound of the noncentrality of an observed chi-square, one-sided at `level`; negative
// when the distribution cannot be inverted.
double lowerNoncentrality(double chiSquare, double df, double level) {
  try {
    return NOPRDistributions::NoncentralityAt(chiSquare, df, level / 100.0);
  } catch (const std::exception&) {
    return -1.0;
  }
}

// A measure sqrt(chi-square / denominator) with the one-sided noncentral interval [lower, max].
bool chiSquareMeasure(Measure measure, double chiSquare, double df, double denominator,
                      double maximum, double level, Result& result) {
  if (missing(chiSquare) || missing(df) || missing(denominator) || chiSquare < 0.0 || df <= 0.0 ||
      denominator <= 0.0)
    return false;
  result = Result();
  result.fMeasure = measure;
  result.fEstimate = std::sqrt(chiSquare / denominator);
  if (!levelUsable(level))
    return true;
  const double lambda = lowerNoncentrality(chiSquare, df, level);
  if (lambda < 0.0)
    return true;
  result.fLower = std::min(std::sqrt(lambda / denominator), maximum);
  result.fUpper = maximum;
  result.fInterval = Interval::kNoncentralChiSquare;
  result.fLevel = level;
  return true;
}

// A proportion interval [lower, upper] at `level` mapped through `map` onto a measure's bounds.
template <typename Map>
void setMappedInterval(double lower, double upper, double level, Interval method, Map map,
                       Result& result) {
  result.fLower = map(lower);
  result.fUpper = map(upper);
  result.fInterval = method;
  result.fLevel = level;
}

// The Wilson score interval of k successes of n at `level` (Wilson 1927), as R's prop.test
// without continuity correction gives it.
void wilson(double k, double n, double level, double& lower, double& upper) {
  const double z = twoSidedZ(level);
  const double p = k / n;
  const double z2 = z * z;
  const double centre = (p + z2 / (2.0 * n)) / (1.0 + z2 / n);
  const double half = z * std::sqrt(p * (1.0 - p) / n + z2 / (4.0 * n * n)) / (1.0 + z2 / n);
  lower = std::max(0.0, centre - half);
  upper = std::min(1.0, centre + half);
}

// A correlation r with the interval tanh(atanh(r) +- z se); a correlation of +-1 keeps [r, r].
void fisherZ(double r, double se, double level, Result& result) {
  const double z = twoSidedZ(level);
  if (std::fabs(r) >= 1.0) {
    setMappedInterval(
        r, r, level, Interval::kFisherZ, [](double v) { return v; }, result);
    return;
  }
  const double centre = std::atanh(r);
  result.fLower = std::tanh(centre - z * se);
  result.fUpper = std::tanh(centre + z * se);
  result.fInterval = Interval::kFisherZ;
  result.fLevel = level;
}

// The engine's interval from the cases, when the document has one at the run's level.
void documentInterval(const Stats::BaseHypothesisTest& test, double level, Result& result) {
  result.fInterval = Interval::kNeedsData;
  const char* name = NOPREffectSize::Row(result.fMeasure).fDocumentName;
  for (const Stats::EffectSizeData& data : test.fEffectSizes) {
    if (data.fMeasure != name || missing(data.fLower) || missing(data.fUpper) ||
        missing(data.fLevel) || std::fabs(data.fLevel * 100.0 - level) > 1e-9)
      continue;
    if (data.fMethod == "Percentile")
      result.fInterval = Interval::kPercentileBootstrap;
    else if (data.fMethod == "BCa")
      result.fInterval = Interval::kBCaBootstrap;
    else
      continue;
    result.fLower = data.fLower;
    result.fUpper = data.fUpper;
    result.fLevel = level;
    result.fResamples = data.fResamples;
    return;
  }
}

// The smallest expected proportion of a goodness-of-fit table (column "Hypothesized"); missing
// when the table does not give every category a positive expectation.
double smallestExpectedProportion(const Stats::SimpleTableData& table) {
  const std::vector<std::string>& columns = table.fNames[1];
  const auto column = std::find(columns.begin(), columns.end(), "Hypothesized");
  if (column == columns.end() || table.fRows.size() < 2)
    return NOPRUTILITY::getSysMissing();
  const std::size_t at = static_cast<std::size_t>(column - columns.begin());
  double smallest = 0.0;
  double total = 0.0;
  for (std::size_t i = 0; i < table.fRows.size(); ++i) {
    if (at >= table.fRows[i].size() || missing(table.fRows[i][at]) || table.fRows[i][at] <= 0.0)
      return NOPRUTILITY::getSysMissing();
    smallest = i == 0 ? table.fRows[i][at] : std::min(smallest, table.fRows[i][at]);
    total += table.fRows[i][at];
  }
  return smallest / total;
}

// The tested proportion of the first category of a binomial table (row "Hypothesized").
double testedProportion(const Stats::SimpleTableData& table) {
  const std::vector<std::string>& rows = table.fNames[0];
  const auto row = std::find(rows.begin(), rows.end(), "Hypothesized");
  if (row == rows.end())
    return NOPRUTILITY::getSysMissing();
  const std::size_t at = static_cast<std::size_t>(row - rows.begin());
  if (at >= table.fRows.size() || table.fRows[at].size() < 2)
    return NOPRUTILITY::getSysMissing();
  double total = 0.0;
  for (double value : table.fRows[at]) {
    if (missing(value) || value < 0.0)
      return NOPRUTILITY::getSysMissing();
    total += value;
  }
  return total > 0.0 ? table.fRows[at][0] / total : NOPRUTILITY::getSysMissing();
}

// The number of nonzero differences of a signed-rank test: its mean n(n+1)/4 is the statistic
// less the standardized statistic times the standard error. Missing unless that gives a count.
double signedRankCount(const Stats::BaseHypothesisTest& test) {
  const double t = attribute(test, "TestStatistic");
  const double z = attribute(test, "StandardizedTestStatistic");
  const double se = attribute(test, "StandardError");
  if (missing(t) || missing(z) || missing(se))
    return NOPRUTILITY::getSysMissing();
  const double mean = t - z * se;
  const double n = (std::sqrt(1.0 + 16.0 * mean) - 1.0) / 2.0;
  if (missing(n) || n < 1.0 || !isWhole(n))
    return NOPRUTILITY::getSysMissing();
  return std::round(n);
}

void add(std::vector<Result>& results, bool made, const Result& result) {
  if (made)
    results.push_back(result);
}

void chiSquareGoodnessOfFit(const Stats::BaseHypothesisTest& test, double level,
                            std::vector<Result>& results) {
  const auto* record = dynamic_cast<const Stats::HTOChiSquare*>(&test);
  if (record == nullptr)
    return;
  const double q = smallestExpectedProportion(record->fComparison.fTable);
  if (missing(q) || q >= 1.0)
    return;
  const double chiSquare = attribute(test, "TestStatistic");
  const double df = attribute(test, "DegreeOfFreedom");
  const double n = attribute(test, "TotalN");
  Result result;
  add(results, NOPREffectSize::CohensW(chiSquare, df, n, q, level, result), result);
  add(results, NOPREffectSize::Fei(chiSquare, df, n, q, level, result), result);
}

void binomial(const Stats::BaseHypothesisTest& test, double level, std::vector<Result>& results) {
  const auto* record = dynamic_cast<const Stats::HTOBinomial*>(&test);
  if (record == nullptr)
    return;
  Result result;
  add(results,
      NOPREffectSize::CohensH(attribute(test, "TestStatistic"), attribute(test, "TotalN"),
                              testedProportion(record->fComparison.fTable), level, result),
      result);
}

void signedRanks(const Stats::BaseHypothesisTest& test, double level,
                 std::vector<Result>& results) {
  Result result;
  add(results,
      NOPREffectSize::RankBiserialPaired(attribute(test, "TestStatistic"), signedRankCount(test),
                                         level, result),
      result);
}

void sign(const Stats::BaseHypothesisTest& test, double level, std::vector<Result>& results) {
  const auto* record = dynamic_cast<const Stats::HTRSign*>(&test);
  if (record == nullptr)
    return;
  const double positive = record->fDistribution.fPositiveDifferences;
  const double negative = record->fDistribution.fNegativeDifferences;
  Result result;
  add(results,
      NOPREffectSize::CohensG(std::max(positive, negative), std::min(positive, negative), level,
                              result),
      result);
}

void mcNemar(const Stats::BaseHypothesisTest& test, double level, std::vector<Result>& results) {
  const auto* record = dynamic_cast<const Stats::HTRMcNemar*>(&test);
  if (record == nullptr)
    return;
  const auto& rows = record->fCategoryComparison.fTable.fRows;
  if (rows.size() != 2 || rows[0].size() != 2 || rows[1].size() != 2)
    return;
  const double b = rows[0][1];
  const double c = rows[1][0];
  if (missing(b) || missing(c))
    return;
  Result result;
  add(results, NOPREffectSize::CohensG(std::max(b, c), std::min(b, c), level, result), result);
  add(results, NOPREffectSize::OddsRatio(b, c, level, result), result);
}

void mannWhitney(const Stats::BaseHypothesisTest& test, double level,
                 std::vector<Result>& results) {
  const auto* record = dynamic_cast<const Stats::HTIMannWhitneyU*>(&test);
  if (record == nullptr || record->fGroups.size() != 2)
    return;
  const double u = attribute(test, "TestStatistic");
  const double n1 = record->fGroups[0].fN;
  const double n2 = record->fGroups[1].fN;
  Result result;
  add(results, NOPREffectSize::RankBiserial(u, n1, n2, level, result), result);
  add(results, NOPREffectSize::ProbabilityOfSuperiority(u, n1, n2, level, result), result);
}

void kolmogorovSmirnov(const Stats::BaseHypothesisTest& test, std::vector<Result>& results) {
  const double d = attribute(test, "Absolute", "MostExtremeDifferences");
  if (missing(d) || d < 0.0 || d > 1.0)
    return;
  Result result;
  result.fMeasure = Measure::kKolmogorovSmirnovD;
  result.fEstimate = d;
  results.push_back(result);
}

// Kruskal-Wallis: H / ((n^2 - 1) / (n + 1)) (Tomczak and Tomczak 2014).
void kruskalWallis(const Stats::BaseHypothesisTest& test, double level,
                   std::vector<Result>& results) {
  const double h = attribute(test, "TestStatistic");
  const double n = attribute(test, "TotalN");
  if (missing(h) || missing(n) || h < 0.0 || n < 2.0)
    return;
  Result result;
  result.fMeasure = Measure::kRankEpsilonSquared;
  result.fEstimate = h / ((n * n - 1.0) / (n + 1.0));
  documentInterval(test, level, result);
  results.push_back(result);
}

// The median test's groups by side of the grand median, as a 2 x k table of the nonempty groups.
void median(const Stats::BaseHypothesisTest& test, double level, std::vector<Result>& results) {
  const auto* record = dynamic_cast<const Stats::HTIMedian*>(&test);
  if (record == nullptr)
    return;
  std::vector<std::array<double, 2>> groups;
  for (const Stats::IS_BoxPlot_Group& group : record->fBoxPlotInfo.fGroups) {
    if (group.fGroupIndex < 0)
      continue;
    if (missing(group.fGTMedian) || missing(group.fSTMedian) || group.fGTMedian < 0.0 ||
        group.fSTMedian < 0.0)
      return;
    if (group.fGTMedian + group.fSTMedian > 0.0)
      groups.push_back({group.fGTMedian, group.fSTMedian});
  }
  double sides[2] = {0.0, 0.0};
  for (const auto& group : groups) {
    sides[0] += group[0];
    sides[1] += group[1];
  }
  const double n = sides[0] + sides[1];
  if (groups.size() < 2 || sides[0] <= 0.0 || sides[1] <= 0.0)
    return;
  double chiSquare = 0.0;
  for (const auto& group : groups) {
    const double total = group[0] + group[1];
    for (int side = 0; side < 2; ++side) {
      const double expected = total * sides[side] / n;
      chiSquare += (group[side] - expected) * (group[side] - expected) / expected;
    }
  }
  Result result;
  add(results, NOPREffectSize::CramersV(chiSquare, n, 2, groups.size(), level, result), result);
}

// chi-square / (N (k - 1)): Kendall's W from Friedman's statistic, Serlin, Carr and
// Marascuilo's eta squared from Cochran's Q.
void perBlock(const Stats::BaseHypothesisTest& test, Measure measure, double level,
              std::vector<Result>& results) {
  const double statistic = attribute(test, "TestStatistic");
  const double n = attribute(test, "TotalN");
  const double df = attribute(test, "DegreeOfFreedom");
  if (missing(statistic) || missing(n) || missing(df) || statistic < 0.0 || n <= 0.0 || df <= 0.0)
    return;
  Result result;
  result.fMeasure = measure;
  result.fEstimate = statistic / (n * df);
  if (measure == Measure::kKendallsW)
    documentInterval(test, level, result);
  results.push_back(result);
}

} // namespace

const NOPREffectSize::MeasureRow& NOPREffectSize::Row(Measure measure) {
  for (const MeasureRow& row : kMeasures)
    if (row.fMeasure == measure)
      return row;
  return kMeasures[0];
}

std::vector<Result> NOPREffectSize::Of(const Stats::BaseHypothesisTest& test, double level) {
  std::vector<Result> results;
  switch (test.fAlgorithm) {
  case Stats::kAOChiSquare:
    chiSquareGoodnessOfFit(test, level, results);
    break;
  case Stats::kAOBinomial:
    binomial(test, level, results);
    break;
  case Stats::kAOWilcoxonSignedRanks:
  case Stats::kARWilcoxonSignedRanks:
    signedRanks(test, level, results);
    break;
  case Stats::kARSign:
    sign(test, level, results);
    break;
  case Stats::kARMcNemar:
    mcNemar(test, level, results);
    break;
  case Stats::kAIMannWhitneyU:
    mannWhitney(test, level, results);
    break;
  case Stats::kAOKolmogorovSmirnov:
  case Stats::kAIKolmogorovSmirnov:
    kolmogorovSmirnov(test, results);
    break;
  case Stats::kAIKruskalWallis:
    kruskalWallis(test, level, results);
    break;
  case Stats::kAIMedian:
    median(test, level, results);
    break;
  case Stats::kARFriedmansTwoWayByRanks:
  case Stats::kARKendallsCoefficient:
    perBlock(test, Measure::kKendallsW, level, results);
    break;
  case Stats::kARCochransQ:
    perBlock(test, Measure::kEtaSquaredQ, level, results);
    break;
  case Stats::kANone:
  case Stats::kAORuns:
  case Stats::kAOEstimateConfidenceInterval:
  case Stats::kAOKolmogorovSmirnovNormal:
  case Stats::kAOKolmogorovSmirnovUniform:
  case Stats::kAOKolmogorovSmirnovPoisson:
  case Stats::kAOKolmogorovSmirnovExponential:
  case Stats::kAOLilliefors:
  case Stats::kAOLillieforsNormal:
  case Stats::kAOLillieforsUniform:
  case Stats::kAOLillieforsExponential:
  case Stats::kARMarginalHomogeneity:
  case Stats::kARHodgesLehmannEstimatePairs:
  case Stats::kAIHodgesLehmannEstimateGroups:
  case Stats::kAIMoses:
  case Stats::kAIWaldWolfowitzRuns:
  case Stats::kAIJonckheereTerpstra:
    break;
  }
  return results;
}

// Cohen's w = sqrt(chi-square / N) (Cohen 1988, section 7.2); its largest possible value is
// sqrt((1 - q) / q) for the smallest expected proportion q.
bool NOPREffectSize::CohensW(double chiSquare, double df, double n, double q, double level,
                             Result& result) {
  if (missing(q) || q <= 0.0 || q >= 1.0)
    return false;
  return chiSquareMeasure(Measure::kCohensW, chiSquare, df, n, std::sqrt((1.0 - q) / q), level,
                          result);
}

// Fei = w over its largest possible value: sqrt(chi-square / (N (1 - q) / q)) (Ben-Shachar et
// al. 2023).
bool NOPREffectSize::Fei(double chiSquare, double df, double n, double q, double level,
                         Result& result) {
  if (missing(q) || q <= 0.0 || q >= 1.0 || missing(n))
    return false;
  return chiSquareMeasure(Measure::kFei, chiSquare, df, n * (1.0 - q) / q, 1.0, level, result);
}

// Cohen's h = 2 asin(sqrt(p)) - 2 asin(sqrt(p0)) (Cohen 1988, section 6.2), its interval mapped
// from the Clopper-Pearson interval of p.
bool NOPREffectSize::CohensH(double successes, double n, double p0, double level, Result& result) {
  if (missing(successes) || missing(n) || missing(p0) || n < 1.0 || successes < 0.0 ||
      successes > n || p0 < 0.0 || p0 > 1.0 || !isWhole(successes) || !isWhole(n))
    return false;
  const auto h = [&](double p) {
    return 2.0 * std::asin(std::sqrt(p)) - 2.0 * std::asin(std::sqrt(p0));
  };
  result = Result();
  result.fMeasure = Measure::kCohensH;
  result.fEstimate = h(successes / n);
  if (!levelUsable(level))
    return true;
  const double alpha = 1.0 - level / 100.0;
  const double lower =
      successes == 0.0 ? 0.0
                       : NOPRDistributions::BetaQuantile(successes, n - successes + 1.0, alpha / 2);
  const double upper =
      successes == n
          ? 1.0
          : NOPRDistributions::BetaQuantile(successes + 1.0, n - successes, 1 - alpha / 2);
  setMappedInterval(lower, upper, level, Interval::kClopperPearson, h, result);
  return true;
}

// The matched-pairs rank-biserial correlation (T+ - T-) / (T+ + T-) with T+ + T- = n(n+1)/2
// (Kerby 2014); its Fisher z standard error is sqrt((2n^3 + 3n^2 + n) / 6) / (n(n+1)/2).
bool NOPREffectSize::RankBiserialPaired(double positiveRankSum, double n, double level,
                                        Result& result) {
  if (missing(positiveRankSum) || missing(n) || n < 1.0)
    return false;
  const double total = n * (n + 1.0) / 2.0;
  if (positiveRankSum < 0.0 || positiveRankSum > total)
    return false;
  result = Result();
  result.fMeasure = Measure::kRankBiserialPaired;
  result.fEstimate = (2.0 * positiveRankSum - total) / total;
  if (levelUsable(level))
    fisherZ(result.fEstimate, std::sqrt((2.0 * n * n * n + 3.0 * n * n + n) / 6.0) / total, level,
            result);
  return true;
}

// Cohen's g = P - 1/2 with P the larger discordant share (Cohen 1988, section 5.2); its interval
// from the Wilson interval of P.
bool NOPREffectSize::CohensG(double larger, double smaller, double level, Result& result) {
  if (missing(larger) || missing(smaller) || smaller < 0.0 || larger < smaller ||
      larger + smaller <= 0.0)
    return false;
  const double n = larger + smaller;
  result = Result();
  result.fMeasure = Measure::kCohensG;
  result.fEstimate = larger / n - 0.5;
  if (!levelUsable(level))
    return true;
  double lower = 0.0;
  double upper = 0.0;
  wilson(larger, n, level, lower, upper);
  setMappedInterval(
      lower, upper, level, Interval::kWilson, [](double p) { return p - 0.5; }, result);
  return true;
}

// McNemar's odds ratio b / c, the conditional estimate of matched pairs, with the Wald interval
// exp(log(b/c) +- z sqrt(1/b + 1/c)) (Agresti 2013, section 11.1.4).
bool NOPREffectSize::OddsRatio(double b, double c, double level, Result& result) {
  if (missing(b) || missing(c) || b <= 0.0 || c <= 0.0)
    return false;
  result = Result();
  result.fMeasure = Measure::kOddsRatio;
  result.fEstimate = b / c;
  if (!levelUsable(level))
    return true;
  const double spread = twoSidedZ(level) * std::sqrt(1.0 / b + 1.0 / c);
  result.fLower = std::exp(std::log(b / c) - spread);
  result.fUpper = std::exp(std::log(b / c) + spread);
  result.fInterval = Interval::kLogOddsRatio;
  result.fLevel = level;
  return true;
}

// The rank-biserial correlation 2U / (n1 n2) - 1 (Glass 1965; Kerby 2014), with the Fisher z
// standard error sqrt((n1 + n2 + 1) / (3 n1 n2)).
bool NOPREffectSize::RankBiserial(double u, double n1, double n2, double level, Result& result) {
  if (missing(u) || missing(n1) || missing(n2) || n1 < 1.0 || n2 < 1.0 || u < 0.0 || u > n1 * n2)
    return false;
  result = Result();
  result.fMeasure = Measure::kRankBiserial;
  result.fEstimate = 2.0 * u / (n1 * n2) - 1.0;
  if (levelUsable(level))
    fisherZ(result.fEstimate, std::sqrt((n1 + n2 + 1.0) / (3.0 * n1 * n2)), level, result);
  return true;
}

// U / (n1 n2), the common-language effect size (Grissom and Kim 2012): (r + 1) / 2 of the
// rank-biserial correlation, whose interval it maps.
bool NOPREffectSize::ProbabilityOfSuperiority(double u, double n1, double n2, double level,
                                              Result& result) {
  if (!RankBiserial(u, n1, n2, level, result))
    return false;
  const auto toShare = [](double r) { return (r + 1.0) / 2.0; };
  result.fMeasure = Measure::kProbabilityOfSuperiority;
  result.fEstimate = toShare(result.fEstimate);
  if (result.fInterval != Interval::kNone) {
    result.fLower = toShare(result.fLower);
    result.fUpper = toShare(result.fUpper);
  }
  return true;
}

// Cramér's V = sqrt(chi-square / (N (min(r, c) - 1))) (Cramér 1946), unadjusted.
bool NOPREffectSize::CramersV(double chiSquare, double n, std::size_t rows, std::size_t columns,
                              double level, Result& result) {
  if (rows < 2 || columns < 2 || missing(n))
    return false;
  const double smaller = static_cast<double>(std::min(rows, columns));
  const double df = static_cast<double>((rows - 1) * (columns - 1));
  return chiSquareMeasure(Measure::kCramersV, chiSquare, df, n * (smaller - 1.0), 1.0, level,
                          result);
}
