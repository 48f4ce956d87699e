// Successes counted from the field, the exact binomial significance, the normal approximation's
// standardized statistic, and the Clopper-Pearson, Jeffreys and likelihood-ratio intervals.
#include "BinomialTest.h"

#include "Distributions.h"
#include "FieldSample.h"
#include "TestContext.h"
#include "TestWriting.h"

#include <cmath>
#include <set>

namespace engine {
namespace {

// The first index in [low, high] where the monotone predicate turns true (high + 1 if never).
template <typename Predicate> double FirstTrue(double low, double high, Predicate turned) {
  while (low <= high) {
    const double middle = std::floor((low + high) / 2);
    if (turned(middle))
      high = middle - 1;
    else
      low = middle + 1;
  }
  return low;
}

double LogLikelihood(double x, double n, double p) {
  return (x > 0 ? x * std::log(p) : 0) + (n - x > 0 ? (n - x) * std::log1p(-p) : 0);
}

// Bisection to the last representable double: the gap changes sign once on the interval.
template <typename Gap> double Root(double low, double high, Gap gap) {
  const bool lowNegative = gap(low) < 0;
  for (int i = 0; i < 2000; ++i) {
    const double middle = low + (high - low) / 2;
    if (middle <= low || middle >= high)
      break;
    if ((gap(middle) < 0) == lowNegative)
      low = middle;
    else
      high = middle;
  }
  return low + (high - low) / 2;
}

ResultElement IntervalTable(const std::string& method, double estimate, double lower,
                            double upper) {
  ResultElement table = TestWriting::Table(method);
  table.Add(TestWriting::Attribute("computeECIMethod", method));
  table.Add(TestWriting::Attribute("Estimate", estimate));
  ResultElement& interval = table.Add(TestWriting::Table("Interval"));
  interval.Add(TestWriting::Attribute("Lower", lower));
  interval.Add(TestWriting::Attribute("Upper", upper));
  return table;
}

} // namespace

double BinomialTest::ExactSignificance(double x, double n, double p) {
  const double d = Distributions::BinomialPmf(x, n, p) * (1 + 1e-7);
  const double m = n * p;
  if (x == m)
    return 1;
  double sig = 0;
  if (x < m) {
    // Outcomes above the mean no more likely than x: from the first one on (the pmf falls).
    const double first = FirstTrue(
        std::ceil(m), n, [&](double i) { return Distributions::BinomialPmf(i, n, p) <= d; });
    sig = Distributions::BinomialCdf(x, n, p) + Distributions::BinomialUpper(first, n, p);
  } else {
    // Outcomes below the mean no more likely than x: up to the last one (the pmf rises).
    const double last =
        FirstTrue(0, std::floor(m),
                  [&](double i) { return Distributions::BinomialPmf(i, n, p) > d; }) -
        1;
    sig = Distributions::BinomialCdf(last, n, p) + Distributions::BinomialUpper(x, n, p);
  }
  return std::fmin(1.0, sig);
}

std::pair<double, double> BinomialTest::ClopperPearson(double x, double n, double level) {
  const double a = 1 - level;
  return {x > 0 ? Distributions::BetaQuantile(a / 2, x, n - x + 1) : 0.0,
          x < n ? Distributions::BetaQuantile(1 - a / 2, x + 1, n - x) : 1.0};
}

std::pair<double, double> BinomialTest::LikelihoodInterval(double x, double n, double level) {
  const double critical = Distributions::ChiSquareQuantile(level, 1);
  const double estimate = x / n, top = LogLikelihood(x, n, estimate);
  auto gap = [&](double p) { return 2 * (top - LogLikelihood(x, n, p)) - critical; };
  const double lower = x > 0 ? Root(0.0, estimate, gap) : 0.0;
  const double upper = x < n ? Root(estimate, 1.0, gap) : 1.0;
  return {lower, upper};
}

void BinomialTest::Write(const TestContext& context, const BinomialRequest& request,
                         const FieldColumn& field, std::vector<ResultElement>& tests,
                         std::vector<ResultElement>& intervals) {
  const FieldSample sample(context, field);
  const double index = field.fDocumentIndex, p = request.fTestValue;
  // Which cases succeed, and the parameters of the hypothesis's and the interval's texts.
  std::vector<bool> success(sample.Values().size(), false);
  std::string key, intervalKey;
  std::vector<ConditionParameter> parameters{index}, intervalParameters{index};
  if (field.IsCategorical()) {
    std::set<int> successes, observed;
    for (double value : sample.Values())
      observed.insert(static_cast<int>(value));
    if (request.fSuccessList.empty()) {
      if (!observed.empty())
        successes.insert(*observed.begin());
    } else {
      for (const CommandValue& value : request.fSuccessList) {
        const int position = field.FindCategory(value.fIsText, value.fNumber, value.fText);
        if (position >= 0)
          successes.insert(position);
      }
    }
    std::vector<double> successList, failureList;
    for (int position : successes)
      successList.push_back(position);
    for (int position : observed)
      if (!successes.count(position))
        failureList.push_back(position);
    for (std::size_t i = 0; i < success.size(); ++i)
      success[i] = successes.count(static_cast<int>(sample.Values()[i])) > 0;
    const bool binary = request.fSuccessList.empty() && failureList.size() <= 1;
    key = binary ? "ABinaryTestVariableIsSpecified_O_Binomial_5"
                 : "CategoryListsAreSpecified_O_Binomial_5";
    intervalKey = binary ? "ABinaryTestVariableIsSpecified_O_Binomial_2"
                         : "CategoryListsAreSpecified_O_Binomial_2";
    parameters.push_back(successList);
    parameters.push_back(failureList);
    intervalParameters.push_back(successList);
  } else {
    const double cut = request.fMidpoint ? (sample.Min() + sample.Max()) / 2 : request.fCutpoint;
    for (std::size_t i = 0; i < success.size(); ++i)
      success[i] = sample.Values()[i] <= cut;
    key = "ACutPointIsSpecified_O_Binomial_4";
    intervalKey = "ACutPointIsSpecified_O_Binomial_2";
    parameters.push_back(cut);
    intervalParameters.push_back(cut);
  }
  parameters.push_back(p);
  parameters.push_back(1 - p);

  double x = 0;
  for (std::size_t i = 0; i < success.size(); ++i)
    x += success[i] ? sample.Weight(i) : 0;
  const double n = sample.Total();
  const bool computable = n > 0;
  const double se = std::sqrt(n * p * (1 - p));
  const double significance = computable ? ExactSignificance(x, n, p) : NAN;

  ResultElement test = TestWriting::Algorithm(
      "OBinomial", "One_Sample",
      computable ? TestWriting::Decision(significance, context.Alpha()) : "");
  test.Add(TestWriting::Condition(key, parameters));
  ResultElement& result = test.Add(TestWriting::Table("StatisticsResult"));
  result.Add(TestWriting::Attribute("TotalN", n));
  result.Add(TestWriting::Attribute("TestStatistic", x));
  result.Add(TestWriting::Attribute("StandardError", computable ? se : NAN));
  result.Add(
      TestWriting::Attribute("StandardizedTestStatistic", computable ? (x - n * p) / se : NAN));
  result.Add(TestWriting::Attribute("ExactSig2Tailed", significance));
  const std::vector<double> observedShares =
      computable ? std::vector<double>{100 * x / n, 100 * (n - x) / n}
                 : std::vector<double>{NAN, NAN};
  test.Add(TestWriting::Table("TwoClassComparison"))
      .Add(TestWriting::SimpleTable("Content", {"Observed", "Hypothesized"}, {"0", "1"},
                                    {observedShares, {100 * p, 100 * (1 - p)}}));
  tests.push_back(std::move(test));

  if (!request.fClopperPearson && !request.fJeffreys && !request.fLikelihood)
    return;
  ResultElement interval = TestWriting::Algorithm("OEstimateConfidenceInterval", "One_Sample", "");
  interval.Add(TestWriting::Condition(intervalKey, intervalParameters));
  const double level = context.ConfidenceLevel(), a = 1 - level;
  const double estimate = computable ? x / n : NAN;
  if (request.fClopperPearson) {
    const auto [lower, upper] =
        computable ? ClopperPearson(x, n, level) : std::pair<double, double>{NAN, NAN};
    interval.Add(IntervalTable("ClopperPearson", estimate, lower, upper));
  }
  if (request.fJeffreys) {
    const double lower =
        computable ? Distributions::BetaQuantile(a / 2, x + 0.5, n - x + 0.5) : NAN;
    const double upper =
        computable ? Distributions::BetaQuantile(1 - a / 2, x + 0.5, n - x + 0.5) : NAN;
    interval.Add(IntervalTable("Jeffreys", estimate, lower, upper));
  }
  if (request.fLikelihood) {
    const auto [lower, upper] =
        computable ? LikelihoodInterval(x, n, level) : std::pair<double, double>{NAN, NAN};
    interval.Add(IntervalTable("ProfileLikelihood", estimate, lower, upper));
  }
  intervals.push_back(std::move(interval));
}

} // namespace engine
