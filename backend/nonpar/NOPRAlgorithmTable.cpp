// The algorithm table itself. Rows stand at their algorithm's value.
#include "NOPRAlgorithmTable.h"

#include <iterator>

namespace {

using Stats = NOPROutputStats;
using Table = NOPRAlgorithmTable;
using Filing = Table::Filing;
using Spec = Table::SpecTables;
using After = Table::AfterReading;
using Fields = Table::Fields;
using Comparison = Table::Comparison;
using Chart = Table::Chart;

template <class Record> std::unique_ptr<Stats::BaseHypothesisTest> Make() {
  return std::make_unique<Record>();
}

// Rows without comparison tables share these columns.
constexpr const char* kNoCaption = nullptr;
constexpr const char* kNoNote = nullptr;

constexpr const char* kCaption = "PairwiseComparisonsTableCaptionCFKKM^1";
constexpr const char* kCaptionJ = "PairwiseComparisonsTableCaptionJ^1";

constexpr Table::Row kRows[] = {
    {Stats::kANone, nullptr, nullptr, nullptr, Filing::kTests, Spec::kUnknown, After::kNothing,
     Fields::kNone, Comparison::kNone, kNoCaption, kNoNote, false, false, Chart::kNone},
    {Stats::kAOChiSquare, "OChiSquare", "One-Sample Chi-Square Test", Make<Stats::HTOChiSquare>,
     Filing::kTests, Spec::kRecord, After::kNothing, Fields::kNone, Comparison::kNone, kNoCaption,
     kNoNote, false, false, Chart::kOneSample},
    {Stats::kAOBinomial, "OBinomial", "One-Sample Binomial Test", Make<Stats::HTOBinomial>,
     Filing::kTests, Spec::kRecord, After::kNothing, Fields::kNone, Comparison::kNone, kNoCaption,
     kNoNote, false, false, Chart::kOneSample},
    {Stats::kAORuns, "ORuns", "One-Sample Runs Test", Make<Stats::HTORuns>, Filing::kTests,
     Spec::kRecord, After::kNothing, Fields::kNone, Comparison::kNone, kNoCaption, kNoNote, false,
     false, Chart::kOneSample},
    {Stats::kAOWilcoxonSignedRanks, "OWilcoxonSignedRanks", "One-Sample Wilcoxon Signed Rank Test",
     Make<Stats::HTOWilcoxonSignedRanks>, Filing::kTests, Spec::kRecord, After::kNothing,
     Fields::kNone, Comparison::kNone, kNoCaption, kNoNote, false, false, Chart::kOneSample},
    {Stats::kAOEstimateConfidenceInterval, "OEstimateConfidenceInterval",
     "One-Sample Binomial Success Rate", Make<Stats::HTOEstimateConfidenceInterval>,
     Filing::kIntervals, Spec::kRecord, After::kNothing, Fields::kNone, Comparison::kNone,
     kNoCaption, kNoNote, false, false, Chart::kNone},
    {Stats::kAOKolmogorovSmirnov, "OKolmogorovSmirnov", "One-Sample Kolmogorov-Smirnov Test",
     Make<Stats::HTOKolmogorovSmirnov>, Filing::kTests, Spec::kIgnored,
     After::kDistributionSettings, Fields::kNone, Comparison::kNone, kNoCaption, kNoNote, false,
     false, Chart::kOneSample},
    {Stats::kAOKolmogorovSmirnovNormal, "OKolmogorovSmirnovNormal", nullptr, nullptr,
     Filing::kTests, Spec::kUnknown, After::kNothing, Fields::kNone, Comparison::kNone, kNoCaption,
     kNoNote, false, false, Chart::kNone},
    {Stats::kAOKolmogorovSmirnovUniform, "OKolmogorovSmirnovUniform", nullptr, nullptr,
     Filing::kTests, Spec::kUnknown, After::kNothing, Fields::kNone, Comparison::kNone, kNoCaption,
     kNoNote, false, false, Chart::kNone},
    {Stats::kAOKolmogorovSmirnovPoisson, "OKolmogorovSmirnovPoisson", nullptr, nullptr,
     Filing::kTests, Spec::kUnknown, After::kNothing, Fields::kNone, Comparison::kNone, kNoCaption,
     kNoNote, false, false, Chart::kNone},
    {Stats::kAOKolmogorovSmirnovExponential, "OKolmogorovSmirnovExponential", nullptr, nullptr,
     Filing::kTests, Spec::kUnknown, After::kNothing, Fields::kNone, Comparison::kNone, kNoCaption,
     kNoNote, false, false, Chart::kNone},
    {Stats::kAOLilliefors, "OLilliefors", "One-Sample Kolmogorov-Smirnov Test",
     Make<Stats::HTOKolmogorovSmirnov>, Filing::kLilliefors, Spec::kIgnored,
     After::kAlwaysFromSample, Fields::kNone, Comparison::kNone, kNoCaption, kNoNote, false, false,
     Chart::kNone},
    {Stats::kAOLillieforsNormal, "OLillieforsNormal", nullptr, nullptr, Filing::kTests,
     Spec::kUnknown, After::kNothing, Fields::kNone, Comparison::kNone, kNoCaption, kNoNote, false,
     false, Chart::kNone},
    {Stats::kAOLillieforsUniform, "OLillieforsUniform", nullptr, nullptr, Filing::kTests,
     Spec::kUnknown, After::kNothing, Fields::kNone, Comparison::kNone, kNoCaption, kNoNote, false,
     false, Chart::kNone},
    {Stats::kAOLillieforsExponential, "OLillieforsExponential", nullptr, nullptr, Filing::kTests,
     Spec::kUnknown, After::kNothing, Fields::kNone, Comparison::kNone, kNoCaption, kNoNote, false,
     false, Chart::kNone},
    {Stats::kARSign, "RSign", "Related-Samples Sign Test", Make<Stats::HTRSign>, Filing::kTests,
     Spec::kRecord, After::kNothing, Fields::kPair, Comparison::kNone, kNoCaption, kNoNote, false,
     false, Chart::kRelatedSamples},
    {Stats::kARWilcoxonSignedRanks, "RWilcoxonSignedRanks",
     "Related-Samples Wilcoxon Signed Rank Test", Make<Stats::HTRWilcoxonSignedRanks>,
     Filing::kTests, Spec::kRecord, After::kNothing, Fields::kPair, Comparison::kNone, kNoCaption,
     kNoNote, false, false, Chart::kRelatedSamples},
    {Stats::kARCochransQ, "RCochransQ", "Related-Samples Cochran's Q Test",
     Make<Stats::HTRCochransQ>, Filing::kTests, Spec::kRecord, After::kNothing, Fields::kList,
     Comparison::kRelatedSamples, kCaption, "Each cell shows the sample number of successes.",
     false, false, Chart::kRelatedSamples},
    {Stats::kARMcNemar, "RMcNemar", "Related-Samples McNemar Change Test", Make<Stats::HTRMcNemar>,
     Filing::kTests, Spec::kRecord, After::kNothing, Fields::kPair, Comparison::kNone, kNoCaption,
     kNoNote, false, false, Chart::kRelatedSamples},
    {Stats::kARFriedmansTwoWayByRanks, "RFriedmansTwoWayByRanks",
     "Related-Samples Friedman's Two-Way Analysis of Variance by Ranks",
     Make<Stats::HTRFriedmansTwoWayByRanks>, Filing::kTests, Spec::kRecord, After::kNothing,
     Fields::kList, Comparison::kRelatedSamples, kCaption,
     "Each cell shows the sample average rank.", false, false, Chart::kRelatedSamples},
    {Stats::kARKendallsCoefficient, "RKendallsCoefficient",
     "Related-Samples Kendall's Coefficient of Concordance", Make<Stats::HTRKendallsCoefficient>,
     Filing::kTests, Spec::kRecord, After::kNothing, Fields::kList, Comparison::kRelatedSamples,
     kCaption, "Each cell shows the sample average rank.", false, false, Chart::kRelatedSamples},
    {Stats::kARMarginalHomogeneity, "RMarginalHomogeneity",
     "Related-Samples Marginal Homogeneity Test", Make<Stats::HTRMarginalHomogeneity>,
     Filing::kTests, Spec::kRecord, After::kNothing, Fields::kPair, Comparison::kNone, kNoCaption,
     kNoNote, false, false, Chart::kRelatedSamples},
    {Stats::kARHodgesLehmannEstimatePairs, "RHodgesLehmannEstimatePairs",
     "Related-Samples Hodges-Lehman Median Difference", Make<Stats::HTRHodgesLehmannEstimatePairs>,
     Filing::kIntervals, Spec::kUnknown, After::kEstimate, Fields::kPair, Comparison::kNone,
     kNoCaption, kNoNote, false, false, Chart::kNone},
    {Stats::kAIHodgesLehmannEstimateGroups, "IHodgesLehmannEstimateGroups",
     "Independent-Samples Hodges-Lehman Median Difference",
     Make<Stats::HTIHodgesLehmannEstimateGroups>, Filing::kIntervals, Spec::kUnknown,
     After::kEstimate, Fields::kPair, Comparison::kNone, kNoCaption, kNoNote, false, false,
     Chart::kNone},
    {Stats::kAIMoses, "IMoses", "Independent-Samples Moses Test of Extreme Reaction",
     Make<Stats::HTIMoses>, Filing::kTests, Spec::kRecord, After::kNothing, Fields::kNone,
     Comparison::kNone, kNoCaption, kNoNote, false, false, Chart::kIndependentSamples},
    {Stats::kAIMannWhitneyU, "IMannWhitneyU", "Independent-Samples Mann-Whitney U Test",
     Make<Stats::HTIMannWhitneyU>, Filing::kTests, Spec::kRecord, After::kNothing, Fields::kNone,
     Comparison::kNone, kNoCaption, kNoNote, false, false, Chart::kIndependentSamples},
    {Stats::kAIWaldWolfowitzRuns, "IWaldWolfowitzRuns",
     "Independent-Samples Wald-Wolfowitz Runs Test", Make<Stats::HTIWaldWolfowitzRuns>,
     Filing::kTests, Spec::kRecord, After::kNothing, Fields::kNone, Comparison::kNone, kNoCaption,
     kNoNote, false, false, Chart::kIndependentSamples},
    {Stats::kAIKolmogorovSmirnov, "IKolmogorovSmirnov",
     "Independent-Samples Kolmogorov-Smirnov Test", Make<Stats::HTIKolmogorovSmirnov>,
     Filing::kTests, Spec::kRecord, After::kNothing, Fields::kNone, Comparison::kNone, kNoCaption,
     kNoNote, false, false, Chart::kIndependentSamples},
    {Stats::kAIKruskalWallis, "IKruskalWallis", "Independent-Samples Kruskal-Wallis Test",
     Make<Stats::HTIKruskalWallis>, Filing::kTests, Spec::kRecord, After::kNothing, Fields::kNone,
     Comparison::kIndependentSamples, kCaption, "Each cell shows the sample average rank of ^1.",
     false, false, Chart::kIndependentSamples},
    {Stats::kAIJonckheereTerpstra, "IJonckheereTerpstra",
     "Independent-Samples Jonckheere-Terpstra Test for Ordered Alternatives",
     Make<Stats::HTIJonckheereTerpstra>, Filing::kTests, Spec::kRecord, After::kNothing,
     Fields::kNone, Comparison::kIndependentSamples, kCaptionJ,
     "Each cell shows the sample average rank of ^1.", false, true, Chart::kIndependentSamples},
    {Stats::kAIMedian, "IMedian", "Independent-Samples Median Test", Make<Stats::HTIMedian>,
     Filing::kTests, Spec::kRecord, After::kNothing, Fields::kNone, Comparison::kIndependentSamples,
     kCaption, "Each cell shows the sample median ^1.", true, false, Chart::kIndependentSamples},
};

constexpr bool RowsInOrder() {
  int index = 0;
  for (const Table::Row& row : kRows) {
    if (row.fAlgorithm != index++)
      return false;
  }
  return index == Stats::kAIMedian + 1;
}
static_assert(RowsInOrder(), "every algorithm has its row, at its value");

} // namespace

const NOPRAlgorithmTable::Row* NOPRAlgorithmTable::Find(Stats::EnumAlgorithmType algorithm) {
  const int value = static_cast<int>(algorithm);
  if (value < 0 || value >= static_cast<int>(std::size(kRows)))
    return nullptr;
  return &kRows[value];
}

const NOPRAlgorithmTable::Row* NOPRAlgorithmTable::FindByName(const std::string& name) {
  for (const Row& row : kRows) {
    if (row.fName != nullptr && name == row.fName)
      return &row;
  }
  return nullptr;
}

const NOPRAlgorithmTable::Row* NOPRAlgorithmTable::Of(const Stats::BaseHypothesisTest* test) {
  return test == nullptr ? nullptr : Find(test->fAlgorithm);
}
