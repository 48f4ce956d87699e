// D+ and D- of the weighted empirical distribution against the hypothesized one, Z = sqrt(n) D
// and Kolmogorov's asymptotic significance; the Lilliefors companions by simulation from the
// engine's random stream.
#include "OneSampleKolmogorovSmirnovTest.h"

#include "BinomialTest.h"
#include "Distributions.h"
#include "FieldSample.h"
#include "NptestsRequest.h"
#include "RandomStream.h"
#include "Ranks.h"
#include "TestContext.h"
#include "TestWriting.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace engine {
namespace {

using Family = OneSampleKolmogorovSmirnovTest::Family;

struct Differences {
  double fPositive = 0, fNegative = 0;
  double Absolute() const { return std::max(fPositive, fNegative); }
};

double Cdf(Family family, const std::vector<double>& parameters, double x) {
  switch (family) {
  case Family::kNormal:
    return Distributions::NormalCdf((x - parameters[0]) / parameters[1]);
  case Family::kUniform:
    return x <= parameters[0]   ? 0
           : x >= parameters[1] ? 1
                                : (x - parameters[0]) / (parameters[1] - parameters[0]);
  case Family::kExponential:
    return x <= 0 ? 0 : -std::expm1(-x / parameters[0]);
  case Family::kPoisson:
    return Distributions::PoissonCdf(x, parameters[0]);
  }
  return NAN;
}

// Sorted distinct values and the summed weight at each (a radix sort: linear in the cases, and
// no node per distinct value).
std::vector<std::pair<double, double>> Steps(const FieldSample& sample) {
  const std::vector<double>& values = sample.Values();
  std::vector<std::pair<double, double>> steps;
  for (std::size_t i : Ranks::SortOrder(values)) {
    if (!steps.empty() && steps.back().first == values[i])
      steps.back().second += sample.Weight(i);
    else
      steps.emplace_back(values[i], sample.Weight(i));
  }
  return steps;
}

// The largest differences of the empirical distribution Fn over the hypothesized F, both
// right-continuous: at each data value against Fn there and just below it. A step function F
// (the Poisson's) also jumps at the integers between the data values, where F - Fn is largest
// at the last integer before the next data value.
Differences DifferencesOf(Family family, const std::vector<double>& parameters,
                          const std::vector<std::pair<double, double>>& steps, double n) {
  Differences d;
  double below = 0, previous = -INFINITY;
  for (const auto& [value, weight] : steps) {
    if (family == Family::kPoisson) {
      const double lastInteger = std::ceil(value) - 1;
      if (lastInteger >= 0 && lastInteger >= previous)
        d.fNegative = std::max(d.fNegative, Cdf(family, parameters, lastInteger) - below / n);
    }
    const double f = Cdf(family, parameters, value);
    // Just below the value F is F(value) for a continuous F; a step F's left limit is the last
    // integer's, taken above.
    if (family != Family::kPoisson)
      d.fNegative = std::max(d.fNegative, f - below / n);
    below += weight;
    d.fPositive = std::max(d.fPositive, below / n - f);
    d.fNegative = std::max(d.fNegative, f - below / n);
    previous = value;
  }
  return d;
}

// D of a sample drawn from the standard member of the family, against the member fitted to it
// (the statistic does not depend on the true location and scale).
// The largest sample the simulation draws (see Write).
constexpr double kSimulatedCases = 10000;

double SimulatedD(Family family, RandomStream& stream, std::vector<double>& draws) {
  const std::size_t n = draws.size();
  double sum = 0;
  for (double& x : draws) {
    x = family == Family::kNormal    ? stream.Normal()
        : family == Family::kUniform ? stream.Uniform()
                                     : stream.Exponential();
    sum += x;
  }
  std::sort(draws.begin(), draws.end());
  const double mean = sum / static_cast<double>(n);
  std::vector<double> fitted;
  if (family == Family::kNormal) {
    double squares = 0;
    for (double x : draws)
      squares += (x - mean) * (x - mean);
    fitted = {mean, std::sqrt(squares / static_cast<double>(n - 1))};
  } else if (family == Family::kUniform) {
    fitted = {draws.front(), draws.back()};
  } else {
    fitted = {mean};
  }
  double d = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const double f = Cdf(family, fitted, draws[i]);
    d = std::max({d, static_cast<double>(i + 1) / static_cast<double>(n) - f,
                  f - static_cast<double>(i) / static_cast<double>(n)});
  }
  return d;
}

struct Keys {
  const char* fTest;
  const char* fLilliefors;
};

Keys KeysOf(Family family) {
  switch (family) {
  case Family::kNormal:
    return {"NormalDistribution_O_KolmogorovSmirnov_3", "NormalDistribution_O_Lilliefors_3"};
  case Family::kUniform:
    return {"UniformDistribution_O_KolmogorovSmirnov_3", "UniformDistribution_O_Lilliefors_3"};
  case Family::kExponential:
    return {"ExponentialDistribution_O_KolmogorovSmirnov_2",
            "ExponentialDistribution_O_Lilliefors_2"};
  case Family::kPoisson:
    return {"PoissonDistribution_O_KolmogorovSmirnov_2", ""};
  }
  return {"", ""};
}

// The sample's parameters; empty when the sample cannot give them (too few cases, no spread).
std::vector<double> SampleParameters(Family family, const FieldSample& sample) {
  if (sample.Empty())
    return {};
  switch (family) {
  case Family::kNormal: {
    const double sd = sample.StdDev();
    return sd > 0 ? std::vector<double>{sample.Mean(), sd} : std::vector<double>{};
  }
  case Family::kUniform:
    return sample.Max() > sample.Min() ? std::vector<double>{sample.Min(), sample.Max()}
                                       : std::vector<double>{};
  default:
    return sample.Mean() > 0 ? std::vector<double>{sample.Mean()} : std::vector<double>{};
  }
}

void WriteOne(const TestContext& context, const KolmogorovSmirnovRequest& request, Family family,
              const DistributionRequest& asked, const FieldColumn& field,
              std::vector<ResultElement>& algorithms) {
  const FieldSample sample(context, field);
  const double n = sample.Total();
  const bool fromSample = asked.fSample;
  std::vector<double> parameters = fromSample ? SampleParameters(family, sample)
                                   : family == Family::kNormal || family == Family::kUniform
                                       ? std::vector<double>{asked.fFirst, asked.fSecond}
                                       : std::vector<double>{asked.fFirst};
  const bool valid = !parameters.empty() && n > 0 &&
                     (family != Family::kUniform || parameters[1] > parameters[0]) &&
                     (family == Family::kUniform || parameters.back() > 0);
  Differences d{NAN, NAN};
  double z = NAN, significance = NAN;
  std::string significanceText;
  if (valid) {
    d = DifferencesOf(family, parameters, Steps(sample), n);
    z = std::sqrt(n) * d.Absolute();
    significance = Distributions::KolmogorovUpper(z);
    if (fromSample && family == Family::kNormal) {
      bool lowerBound = false;
      significance =
          OneSampleKolmogorovSmirnovTest::LillieforsSignificance(d.Absolute(), n, lowerBound);
      if (lowerBound)
        significanceText = ">0.2";
    }
  }
  // The condition names the parameters even when the sample could not give them.
  std::vector<ConditionParameter> condition{static_cast<double>(field.fDocumentIndex)};
  const std::size_t count = family == Family::kNormal || family == Family::kUniform ? 2 : 1;
  for (std::size_t i = 0; i < count; ++i)
    condition.push_back(i < parameters.size() ? parameters[i] : NAN);
  const bool useSample = fromSample && family != Family::kPoisson;
  const Keys keys = KeysOf(family);

  ResultElement test = TestWriting::Algorithm(
      "OKolmogorovSmirnov", "One_Sample",
      std::isnan(significance) ? "" : TestWriting::Decision(significance, context.Alpha()));
  test.Add(TestWriting::Condition(keys.fTest, condition, useSample));
  ResultElement& result = test.Add(TestWriting::Table("StatisticsResult"));
  result.Add(TestWriting::Attribute("TotalN", n));
  ResultElement& extremes = result.Add(TestWriting::Table("MostExtremeDifferences"));
  extremes.Add(TestWriting::Attribute("Absolute", d.Absolute()));
  extremes.Add(TestWriting::Attribute("Positive", d.fPositive));
  extremes.Add(TestWriting::Attribute("Negative", -d.fNegative));
  result.Add(TestWriting::Attribute("TestStatistic", z));
  if (significanceText.empty())
    result.Add(TestWriting::Attribute("AsymptoticSig2Tailed", significance));
  else
    result.Add(TestWriting::Attribute("AsymptoticSig2Tailed", significanceText));
  algorithms.push_back(std::move(test));

  if (!(useSample && asked.fSimulate))
    return;
  double p = NAN, lower = NAN, upper = NAN;
  if (valid && n >= 2) {
    RandomStream stream(context.fSeed);
    // Above kSimulatedCases the samples keep that size and sqrt(n) D is compared: its
    // distribution no longer depends on n to the simulation's precision, and a sample of a
    // million cases ten thousand times over would not finish.
    const double drawn = std::min(n, kSimulatedCases);
    std::vector<double> draws(static_cast<std::size_t>(drawn));
    const double observed = d.Absolute() * std::sqrt(n / drawn);
    double atLeast = 0;
    for (int s = 0; s < request.fSamples; ++s)
      if (SimulatedD(family, stream, draws) >= observed * (1 - 1e-10))
        ++atLeast;
    const double samples = request.fSamples;
    p = atLeast / samples;
    std::tie(lower, upper) =
        BinomialTest::ClopperPearson(atLeast, samples, request.fMonteCarloLevel / 100);
  }
  ResultElement companion = TestWriting::Algorithm(
      "OLilliefors", "One_Sample", std::isnan(p) ? "" : TestWriting::Decision(p, context.Alpha()));
  companion.Add(TestWriting::Condition(keys.fLilliefors, condition, true));
  ResultElement& simulated = companion.Add(TestWriting::Table("StatisticsResult"));
  simulated.Add(TestWriting::Attribute("AsymptoticSig2Tailed", p));
  simulated.Add(TestWriting::Attribute("ConfidenceIntervalLowerBound", lower));
  simulated.Add(TestWriting::Attribute("ConfidenceIntervalUpperBound", upper));
  algorithms.push_back(std::move(companion));
}

} // namespace

double OneSampleKolmogorovSmirnovTest::LillieforsSignificance(double d, double n,
                                                              bool& lowerBound) {
  lowerBound = false;
  if (n < 5)
    return NAN;
  // Lilliefors's 20% critical values, and 0.736 / sqrt(n) beyond his table.
  static const std::map<int, double> critical = {
      {5, .285},  {6, .265},  {7, .247},  {8, .233},  {9, .223},  {10, .215},
      {11, .206}, {12, .199}, {13, .190}, {14, .183}, {15, .177}, {16, .173},
      {17, .169}, {18, .166}, {19, .163}, {20, .160}, {25, .142}, {30, .131}};
  const auto entry = critical.find(static_cast<int>(n));
  const double critical20 = entry != critical.end() ? entry->second : 0.736 / std::sqrt(n);
  if (d < critical20) {
    lowerBound = true;
    return 0.2;
  }
  const double nd = n <= 100 ? n : 100, dd = n <= 100 ? d : d * std::pow(n / 100, 0.49);
  const double p =
      std::exp(-7.01256 * dd * dd * (nd + 2.78019) + 2.99587 * dd * std::sqrt(nd + 2.78019) -
               0.122119 + 0.974598 / std::sqrt(nd) + 1.67997 / nd);
  return std::fmin(p, 0.2);
}

void OneSampleKolmogorovSmirnovTest::Write(const TestContext& context,
                                           const KolmogorovSmirnovRequest& request,
                                           const FieldColumn& field,
                                           std::vector<ResultElement>& algorithms) {
  const std::pair<Family, const DistributionRequest*> asked[] = {
      {Family::kNormal, &request.fNormal},
      {Family::kUniform, &request.fUniform},
      {Family::kExponential, &request.fExponential},
      {Family::kPoisson, &request.fPoisson}};
  for (const auto& [family, distribution] : asked)
    if (distribution->fAsked)
      WriteOne(context, request, family, *distribution, field, algorithms);
}

} // namespace engine
