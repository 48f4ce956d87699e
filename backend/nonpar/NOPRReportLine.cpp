// The report line: which statistic each test quotes, and the parts in APA's order.
#include "NOPRReportLine.h"

#include "NOPROutput.h"

#include "pivot/BpNumber.h"
#include "pivot/BpProcedure.h"

#include <array>
#include <cmath>

namespace {

using Stats = NOPROutputStats;

constexpr const char* kDegrees = "DegreeOfFreedom";
constexpr const char* kStatistic = "TestStatistic";
constexpr const char* kStandardized = "StandardizedTestStatistic";

// The statistic a test's line quotes: a string-table key whose items are the named attributes
// of the test's own statistics, in order. Tests without a row quote none.
struct StatisticPart {
  Stats::EnumAlgorithmType fAlgorithm;
  const char* fKey;
  std::array<const char*, 2> fAttributes; // null past the last
};

constexpr StatisticPart kStatisticParts[] = {
    {Stats::kAOChiSquare, "APA chi-square ^1 ^2", {kDegrees, kStatistic}},
    {Stats::kARMcNemar, "APA chi-square ^1 ^2", {kDegrees, kStatistic}},
    {Stats::kAIMedian, "APA chi-square ^1 ^2", {kDegrees, kStatistic}},
    {Stats::kARFriedmansTwoWayByRanks, "APA chi-square ^1 ^2", {kDegrees, kStatistic}},
    {Stats::kARKendallsCoefficient, "APA chi-square ^1 ^2", {kDegrees, kStatistic}},
    {Stats::kAIKruskalWallis, "APA H ^1 ^2", {kDegrees, kStatistic}},
    {Stats::kARCochransQ, "APA Q ^1 ^2", {kDegrees, kStatistic}},
    {Stats::kAIMannWhitneyU, "APA U ^1 z ^2", {kStatistic, kStandardized}},
    {Stats::kAOWilcoxonSignedRanks, "APA T ^1 z ^2", {kStatistic, kStandardized}},
    {Stats::kARWilcoxonSignedRanks, "APA T ^1 z ^2", {kStatistic, kStandardized}},
    {Stats::kARSign, "APA z ^1", {kStandardized, nullptr}},
    {Stats::kARMarginalHomogeneity, "APA z ^1", {kStandardized, nullptr}},
    {Stats::kAORuns, "APA R ^1 z ^2", {kStatistic, kStandardized}},
    {Stats::kAIJonckheereTerpstra, "APA J ^1 z ^2", {kStatistic, kStandardized}},
    {Stats::kAOKolmogorovSmirnov, "APA Z ^1", {kStatistic, nullptr}},
    {Stats::kAIKolmogorovSmirnov, "APA Z ^1", {kStatistic, nullptr}},
};

const StatisticPart* statisticOf(Stats::EnumAlgorithmType algorithm) {
  for (const StatisticPart& part : kStatisticParts)
    if (part.fAlgorithm == algorithm)
      return &part;
  return nullptr;
}

bool missing(double value) {
  return NOPRUTILITY::isSystemMissing(value) || !std::isfinite(value);
}

// A figure of the test's own statistics: an attribute of any unnamed result (a K-S test writes its
// statistic after the named group of its differences, so in a second unnamed result).
bool ownFigure(const Stats::BaseHypothesisTest& test, const char* name, double& value) {
  for (const Stats::StatisticsResultData& result : test.fStatisticsResults) {
    if (!result.fName.empty())
      continue;
    for (const Stats::AttributeData& attribute : result.fAttributes) {
      if (attribute.fName == name && !missing(attribute.fValue)) {
        value = attribute.fValue;
        return true;
      }
    }
  }
  return false;
}

bool isWhole(double value) {
  return std::fabs(value - std::round(value)) < 1e-9;
}

// Degrees of freedom, and the rank sums and U that are counts, as integers; every other figure
// with two decimals.
BpFormat statisticFormat(const Stats::BaseHypothesisTest& test, const char* attribute,
                         double value) {
  const bool rankCount = test.fAlgorithm == Stats::kAIMannWhitneyU ||
                         test.fAlgorithm == Stats::kAORuns ||
                         test.fAlgorithm == Stats::kAOWilcoxonSignedRanks ||
                         test.fAlgorithm == Stats::kARWilcoxonSignedRanks;
  const bool counted = attribute == kDegrees || (attribute == kStatistic && rankCount);
  return counted && isWhole(value) ? BpProcedure::Count() : BpProcedure::Fixed(2);
}

std::unique_ptr<BpComposite> statisticPart(const Stats::BaseHypothesisTest& test) {
  const StatisticPart* part = statisticOf(test.fAlgorithm);
  if (part == nullptr)
    return nullptr;
  auto composite = std::make_unique<BpComposite>(part->fKey, true);
  for (const char* name : part->fAttributes) {
    if (name == nullptr)
      break;
    double value = 0.0;
    if (!ownFigure(test, name, value))
      return nullptr;
    composite->Add(BpNumber(value, statisticFormat(test, name, value)));
  }
  composite->Finish();
  return composite;
}

std::unique_ptr<BpComposite> significancePart(const Stats::BaseHypothesisTest& test,
                                              const Stats::BaseHypothesisTest* lilliefors) {
  double sig = 0.0;
  std::string name;
  if (!NOPROutput::SummarySignificance(test, lilliefors, sig, name) || missing(sig))
    return nullptr;
  const auto* ks = dynamic_cast<const Stats::HTOKolmogorovSmirnov*>(&test);
  if (lilliefors == nullptr && ks != nullptr && ks->fIsSigLowerBound) {
    auto part = std::make_unique<BpComposite>("APA p above ^1", true);
    part->Add(BpNumber(0.2, BpProcedure::Significance()));
    part->Finish();
    return part;
  }
  auto part = std::make_unique<BpComposite>("APA p ^1", true);
  part->Add(BpNumber(sig, BpProcedure::PValue()));
  part->Finish();
  return part;
}

} // namespace

std::unique_ptr<BpComposite>
NOPRReportLine::Build(const Stats::BaseHypothesisTest& test,
                      const Stats::BaseHypothesisTest* lilliefors,
                      const std::vector<NOPREffectSize::Result>& effects) {
  std::vector<std::unique_ptr<BpComposite>> parts;
  parts.push_back(statisticPart(test));
  parts.push_back(significancePart(test, lilliefors));
  if (!effects.empty()) {
    const NOPREffectSize::Result& effect = effects.front();
    auto estimate =
        std::make_unique<BpComposite>(NOPREffectSize::Row(effect.fMeasure).fSymbol, true);
    estimate->Add(BpNumber(effect.fEstimate, BpProcedure::Fixed(2)));
    estimate->Finish();
    parts.push_back(std::move(estimate));
    if (!missing(effect.fLower) && !missing(effect.fUpper) && !missing(effect.fLevel)) {
      auto interval = std::make_unique<BpComposite>("APA CI ^1 ^2 ^3", true);
      interval->Add(BpNumber(effect.fLevel, BpProcedure::SigDigit(effect.fLevel)));
      interval->Add(BpNumber(effect.fLower, BpProcedure::Fixed(2)));
      interval->Add(BpNumber(effect.fUpper, BpProcedure::Fixed(2)));
      interval->Finish();
      parts.push_back(std::move(interval));
    }
  }
  double n = 0.0;
  if (ownFigure(test, "TotalN", n)) {
    auto total = std::make_unique<BpComposite>("APA N ^1", true);
    total->Add(BpNumber(n, BpProcedure::Count()));
    total->Finish();
    parts.push_back(std::move(total));
  }

  std::string format;
  std::size_t count = 0;
  for (const auto& part : parts) {
    if (!part)
      continue;
    ++count;
    format += (count > 1 ? ", ^" : "^") + std::to_string(count);
  }
  if (count == 0)
    return nullptr;
  auto line = std::make_unique<BpComposite>(format, false);
  for (const auto& part : parts)
    if (part)
      line->Add(*part);
  line->Finish();
  return line;
}
