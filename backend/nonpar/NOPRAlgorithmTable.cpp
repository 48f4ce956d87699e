// The algorithm table itself. Rows stand at their algorithm's value.
#include "NOPRAlgorithmTable.h"

#include <initializer_list>
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

// Items of the condition sentences.
using Item = Table::ConditionItem;
using ItemKind = Table::ConditionItemKind;
using Recipe = Table::ConditionRecipe;

constexpr Item V(int i) {
  return {ItemKind::kVariables, i, 0, false, false};
}
constexpr Item VL(int i) {
  return {ItemKind::kVariables, i, 0, true, false};
}
constexpr Item N(int i) {
  return {ItemKind::kValue, i, 0, false, false};
}
constexpr Item NVar(int i) {
  return {ItemKind::kValueOfVar, i, 0, false, false};
}
constexpr Item C(int f, int i, bool labels) {
  return {ItemKind::kCategories, f, i, false, labels};
}
constexpr Item CL(int f, int i, bool labels) {
  return {ItemKind::kCategories, f, i, true, labels};
}
constexpr Item NormalStdDev() {
  return {ItemKind::kNormalStdDev, 2, 0, false, false};
}

constexpr Recipe R(const char* key, std::size_t params, std::initializer_list<Item> items) {
  Recipe recipe{key, params, {}, 0};
  for (const Item& item : items)
    recipe.items[recipe.itemCount++] = item;
  return recipe;
}

template <std::size_t N> constexpr Table::ConditionList List(const Recipe (&recipes)[N]) {
  return {recipes, N};
}
constexpr Table::ConditionList kNoConditions{};

constexpr Recipe kChiSquareKeys[] = {
    R("DefaultEqualProbabilities_O_ChiSquare_1", 1, {V(0)}),
    R("UserSpecifiesProbabilities_O_ChiSquare_1", 1, {V(0)}),
};
constexpr Recipe kBinomialKeys[] = {
    R("ACutPointIsSpecified_O_Binomial_4", 4, {V(0), NVar(1), N(2), N(3)}),
    R("ABinaryTestVariableIsSpecified_O_Binomial_5", 5,
      {V(0), C(0, 1, false), C(0, 2, false), N(3), N(4)}),
    R("CategoryListsAreSpecified_O_Binomial_5", 5,
      {V(0), CL(0, 1, true), CL(0, 2, true), N(3), N(4)}),
};
constexpr Recipe kRunsKeys[] = {
    R("ABinaryTestVariableIsSpecified_O_Runs_3", 3, {V(0), C(0, 1, false), C(0, 2, false)}),
    R("CategoryListsAreSpecified_O_Runs_3", 3, {V(0), CL(0, 1, false), CL(0, 2, false)}),
    R("ACutPointIsSpecified_O_Runs_2", 2, {V(0), NVar(1)}),
};
constexpr Recipe kWilcoxonKeys[] = {R("O_WilcoxonSignedRanks_2", 2, {V(0), NVar(1)})};
constexpr Recipe kSuccessRateKeys[] = {
    R("ACutPointIsSpecified_O_Binomial_2", 2, {V(0), N(1)}),
    R("ABinaryTestVariableIsSpecified_O_Binomial_2", 2, {V(0), C(0, 1, true)}),
    R("CategoryListsAreSpecified_O_Binomial_2", 2, {V(0), CL(0, 1, true)}),
};
constexpr Recipe kKolmogorovSmirnovKeys[] = {
    R("UniformDistribution_O_KolmogorovSmirnov_3", 3, {V(0), NVar(1), NVar(2)}),
    R("NormalDistribution_O_KolmogorovSmirnov_3", 3, {V(0), NVar(1), NormalStdDev()}),
    R("PoissonDistribution_O_KolmogorovSmirnov_2", 2, {V(0), NVar(1)}),
    R("ExponentialDistribution_O_KolmogorovSmirnov_2", 2, {V(0), NVar(1)}),
};
constexpr Recipe kSignKeys[] = {R("R_Sign_2", 2, {V(0), V(1)})};
constexpr Recipe kRelatedWilcoxonKeys[] = {R("R_WilcoxonSignedRanks_2", 2, {V(0), V(1)})};
constexpr Recipe kCochransQKeys[] = {
    R("DefaultAllDistinctValuesUsed_R_CochransQ_1", 1, {VL(0)}),
    R("CategoryListsAreSpecified_R_CochransQ_1", 1, {VL(0)}),
};
constexpr Recipe kMcNemarKeys[] = {
    R("CategoryListsAreSpecified_R_McNemar_2", 2, {V(0), V(1)}),
    R("AllDistinctValuesUsed_R_McNemar_2", 2, {V(0), V(1)}),
};
constexpr Recipe kFriedmanKeys[] = {R("R_FriedmansTwoWayByRanks_1", 1, {VL(0)})};
constexpr Recipe kKendallKeys[] = {R("R_KendallsCoefficient_1", 1, {VL(0)})};
constexpr Recipe kMarginalHomogeneityKeys[] = {
    R("AllDistinctValuesUsed_R_MarginalHomogeneity_2", 2, {V(0), V(1)})};
constexpr Recipe kPairsEstimateKeys[] = {R("R_HodgesLehman_2", 2, {V(0), V(1)})};
constexpr Recipe kGroupsEstimateKeys[] = {
    R("AllDistinctValuesUsed_I_HodgesLehman_2", 2, {V(0), V(1)}),
    R("CategoryListsAreSpecified_I_HodgesLehman_2", 2, {V(0), V(1)}),
};

// The independent-samples tests name the test field and the grouping field, whether the groups
// are all distinct values or lists of categories.
#define NP_GROUP_KEYS(Name, Test)                                                                  \
  constexpr Recipe Name[] = {                                                                      \
      R("DefaultAllDistinctValuesUsed_I_" Test "_2", 2, {V(0), V(1)}),                             \
      R("CategoryListsAreSpecified_I_" Test "_2", 2, {V(0), V(1)}),                                \
  };
NP_GROUP_KEYS(kMosesKeys, "Moses")
NP_GROUP_KEYS(kMannWhitneyKeys, "MannWhitneyU")
NP_GROUP_KEYS(kWaldWolfowitzKeys, "WaldWolfowitzRuns")
NP_GROUP_KEYS(kTwoSampleKSKeys, "KolmogorovSmirnov")
NP_GROUP_KEYS(kKruskalWallisKeys, "KruskalWallis")
NP_GROUP_KEYS(kJonckheereKeys, "JonckheereTerpstra")
NP_GROUP_KEYS(kMedianKeys, "Median")
#undef NP_GROUP_KEYS

// Rows without comparison tables share these columns.
constexpr const char* kNoCaption = nullptr;
constexpr const char* kNoNote = nullptr;

constexpr const char* kCaption = "PairwiseComparisonsTableCaptionCFKKM^1";
constexpr const char* kCaptionJ = "PairwiseComparisonsTableCaptionJ^1";

constexpr Table::Row kRows[] = {
    {Stats::kANone, nullptr, nullptr, nullptr, Filing::kTests, Spec::kUnknown, After::kNothing,
     Fields::kNone, Comparison::kNone, kNoCaption, kNoNote, false, false, kNoConditions,
     Chart::kNone},
    {Stats::kAOChiSquare, "OChiSquare", "One-Sample Chi-Square Test", Make<Stats::HTOChiSquare>,
     Filing::kTests, Spec::kRecord, After::kNothing, Fields::kNone, Comparison::kNone, kNoCaption,
     kNoNote, false, false, List(kChiSquareKeys), Chart::kOneSample},
    {Stats::kAOBinomial, "OBinomial", "One-Sample Binomial Test", Make<Stats::HTOBinomial>,
     Filing::kTests, Spec::kRecord, After::kNothing, Fields::kNone, Comparison::kNone, kNoCaption,
     kNoNote, false, false, List(kBinomialKeys), Chart::kOneSample},
    {Stats::kAORuns, "ORuns", "One-Sample Runs Test", Make<Stats::HTORuns>, Filing::kTests,
     Spec::kRecord, After::kNothing, Fields::kNone, Comparison::kNone, kNoCaption, kNoNote, false,
     false, List(kRunsKeys), Chart::kOneSample},
    {Stats::kAOWilcoxonSignedRanks, "OWilcoxonSignedRanks", "One-Sample Wilcoxon Signed Rank Test",
     Make<Stats::HTOWilcoxonSignedRanks>, Filing::kTests, Spec::kRecord, After::kNothing,
     Fields::kNone, Comparison::kNone, kNoCaption, kNoNote, false, false, List(kWilcoxonKeys),
     Chart::kOneSample},
    {Stats::kAOEstimateConfidenceInterval, "OEstimateConfidenceInterval",
     "One-Sample Binomial Success Rate", Make<Stats::HTOEstimateConfidenceInterval>,
     Filing::kIntervals, Spec::kRecord, After::kNothing, Fields::kNone, Comparison::kNone,
     kNoCaption, kNoNote, false, false, List(kSuccessRateKeys), Chart::kNone},
    {Stats::kAOKolmogorovSmirnov, "OKolmogorovSmirnov", "One-Sample Kolmogorov-Smirnov Test",
     Make<Stats::HTOKolmogorovSmirnov>, Filing::kTests, Spec::kIgnored,
     After::kDistributionSettings, Fields::kNone, Comparison::kNone, kNoCaption, kNoNote, false,
     false, List(kKolmogorovSmirnovKeys), Chart::kOneSample},
    {Stats::kAOKolmogorovSmirnovNormal, "OKolmogorovSmirnovNormal", nullptr, nullptr,
     Filing::kTests, Spec::kUnknown, After::kNothing, Fields::kNone, Comparison::kNone, kNoCaption,
     kNoNote, false, false, kNoConditions, Chart::kNone},
    {Stats::kAOKolmogorovSmirnovUniform, "OKolmogorovSmirnovUniform", nullptr, nullptr,
     Filing::kTests, Spec::kUnknown, After::kNothing, Fields::kNone, Comparison::kNone, kNoCaption,
     kNoNote, false, false, kNoConditions, Chart::kNone},
    {Stats::kAOKolmogorovSmirnovPoisson, "OKolmogorovSmirnovPoisson", nullptr, nullptr,
     Filing::kTests, Spec::kUnknown, After::kNothing, Fields::kNone, Comparison::kNone, kNoCaption,
     kNoNote, false, false, kNoConditions, Chart::kNone},
    {Stats::kAOKolmogorovSmirnovExponential, "OKolmogorovSmirnovExponential", nullptr, nullptr,
     Filing::kTests, Spec::kUnknown, After::kNothing, Fields::kNone, Comparison::kNone, kNoCaption,
     kNoNote, false, false, kNoConditions, Chart::kNone},
    {Stats::kAOLilliefors, "OLilliefors", "One-Sample Kolmogorov-Smirnov Test",
     Make<Stats::HTOKolmogorovSmirnov>, Filing::kLilliefors, Spec::kIgnored,
     After::kAlwaysFromSample, Fields::kNone, Comparison::kNone, kNoCaption, kNoNote, false, false,
     kNoConditions, Chart::kNone},
    {Stats::kAOLillieforsNormal, "OLillieforsNormal", nullptr, nullptr, Filing::kTests,
     Spec::kUnknown, After::kNothing, Fields::kNone, Comparison::kNone, kNoCaption, kNoNote, false,
     false, kNoConditions, Chart::kNone},
    {Stats::kAOLillieforsUniform, "OLillieforsUniform", nullptr, nullptr, Filing::kTests,
     Spec::kUnknown, After::kNothing, Fields::kNone, Comparison::kNone, kNoCaption, kNoNote, false,
     false, kNoConditions, Chart::kNone},
    {Stats::kAOLillieforsExponential, "OLillieforsExponential", nullptr, nullptr, Filing::kTests,
     Spec::kUnknown, After::kNothing, Fields::kNone, Comparison::kNone, kNoCaption, kNoNote, false,
     false, kNoConditions, Chart::kNone},
    {Stats::kARSign, "RSign", "Related-Samples Sign Test", Make<Stats::HTRSign>, Filing::kTests,
     Spec::kRecord, After::kNothing, Fields::kPair, Comparison::kNone, kNoCaption, kNoNote, false,
     false, List(kSignKeys), Chart::kRelatedSamples},
    {Stats::kARWilcoxonSignedRanks, "RWilcoxonSignedRanks",
     "Related-Samples Wilcoxon Signed Rank Test", Make<Stats::HTRWilcoxonSignedRanks>,
     Filing::kTests, Spec::kRecord, After::kNothing, Fields::kPair, Comparison::kNone, kNoCaption,
     kNoNote, false, false, List(kRelatedWilcoxonKeys), Chart::kRelatedSamples},
    {Stats::kARCochransQ, "RCochransQ", "Related-Samples Cochran's Q Test",
     Make<Stats::HTRCochransQ>, Filing::kTests, Spec::kRecord, After::kNothing, Fields::kList,
     Comparison::kRelatedSamples, kCaption, "Each cell shows the sample number of successes.",
     false, false, List(kCochransQKeys), Chart::kRelatedSamples},
    {Stats::kARMcNemar, "RMcNemar", "Related-Samples McNemar Change Test", Make<Stats::HTRMcNemar>,
     Filing::kTests, Spec::kRecord, After::kNothing, Fields::kPair, Comparison::kNone, kNoCaption,
     kNoNote, false, false, List(kMcNemarKeys), Chart::kRelatedSamples},
    {Stats::kARFriedmansTwoWayByRanks, "RFriedmansTwoWayByRanks",
     "Related-Samples Friedman's Two-Way Analysis of Variance by Ranks",
     Make<Stats::HTRFriedmansTwoWayByRanks>, Filing::kTests, Spec::kRecord, After::kNothing,
     Fields::kList, Comparison::kRelatedSamples, kCaption,
     "Each cell shows the sample average rank.", false, false, List(kFriedmanKeys),
     Chart::kRelatedSamples},
    {Stats::kARKendallsCoefficient, "RKendallsCoefficient",
     "Related-Samples Kendall's Coefficient of Concordance", Make<Stats::HTRKendallsCoefficient>,
     Filing::kTests, Spec::kRecord, After::kNothing, Fields::kList, Comparison::kRelatedSamples,
     kCaption, "Each cell shows the sample average rank.", false, false, List(kKendallKeys),
     Chart::kRelatedSamples},
    {Stats::kARMarginalHomogeneity, "RMarginalHomogeneity",
     "Related-Samples Marginal Homogeneity Test", Make<Stats::HTRMarginalHomogeneity>,
     Filing::kTests, Spec::kRecord, After::kNothing, Fields::kPair, Comparison::kNone, kNoCaption,
     kNoNote, false, false, List(kMarginalHomogeneityKeys), Chart::kRelatedSamples},
    {Stats::kARHodgesLehmannEstimatePairs, "RHodgesLehmannEstimatePairs",
     "Related-Samples Hodges-Lehman Median Difference", Make<Stats::HTRHodgesLehmannEstimatePairs>,
     Filing::kIntervals, Spec::kUnknown, After::kEstimate, Fields::kPair, Comparison::kNone,
     kNoCaption, kNoNote, false, false, List(kPairsEstimateKeys), Chart::kNone},
    {Stats::kAIHodgesLehmannEstimateGroups, "IHodgesLehmannEstimateGroups",
     "Independent-Samples Hodges-Lehman Median Difference",
     Make<Stats::HTIHodgesLehmannEstimateGroups>, Filing::kIntervals, Spec::kUnknown,
     After::kEstimate, Fields::kPair, Comparison::kNone, kNoCaption, kNoNote, false, false,
     List(kGroupsEstimateKeys), Chart::kNone},
    {Stats::kAIMoses, "IMoses", "Independent-Samples Moses Test of Extreme Reaction",
     Make<Stats::HTIMoses>, Filing::kTests, Spec::kRecord, After::kNothing, Fields::kNone,
     Comparison::kNone, kNoCaption, kNoNote, false, false, List(kMosesKeys),
     Chart::kIndependentSamples},
    {Stats::kAIMannWhitneyU, "IMannWhitneyU", "Independent-Samples Mann-Whitney U Test",
     Make<Stats::HTIMannWhitneyU>, Filing::kTests, Spec::kRecord, After::kNothing, Fields::kNone,
     Comparison::kNone, kNoCaption, kNoNote, false, false, List(kMannWhitneyKeys),
     Chart::kIndependentSamples},
    {Stats::kAIWaldWolfowitzRuns, "IWaldWolfowitzRuns",
     "Independent-Samples Wald-Wolfowitz Runs Test", Make<Stats::HTIWaldWolfowitzRuns>,
     Filing::kTests, Spec::kRecord, After::kNothing, Fields::kNone, Comparison::kNone, kNoCaption,
     kNoNote, false, false, List(kWaldWolfowitzKeys), Chart::kIndependentSamples},
    {Stats::kAIKolmogorovSmirnov, "IKolmogorovSmirnov",
     "Independent-Samples Kolmogorov-Smirnov Test", Make<Stats::HTIKolmogorovSmirnov>,
     Filing::kTests, Spec::kRecord, After::kNothing, Fields::kNone, Comparison::kNone, kNoCaption,
     kNoNote, false, false, List(kTwoSampleKSKeys), Chart::kIndependentSamples},
    {Stats::kAIKruskalWallis, "IKruskalWallis", "Independent-Samples Kruskal-Wallis Test",
     Make<Stats::HTIKruskalWallis>, Filing::kTests, Spec::kRecord, After::kNothing, Fields::kNone,
     Comparison::kIndependentSamples, kCaption, "Each cell shows the sample average rank of ^1.",
     false, false, List(kKruskalWallisKeys), Chart::kIndependentSamples},
    {Stats::kAIJonckheereTerpstra, "IJonckheereTerpstra",
     "Independent-Samples Jonckheere-Terpstra Test for Ordered Alternatives",
     Make<Stats::HTIJonckheereTerpstra>, Filing::kTests, Spec::kRecord, After::kNothing,
     Fields::kNone, Comparison::kIndependentSamples, kCaptionJ,
     "Each cell shows the sample average rank of ^1.", false, true, List(kJonckheereKeys),
     Chart::kIndependentSamples},
    {Stats::kAIMedian, "IMedian", "Independent-Samples Median Test", Make<Stats::HTIMedian>,
     Filing::kTests, Spec::kRecord, After::kNothing, Fields::kNone, Comparison::kIndependentSamples,
     kCaption, "Each cell shows the sample median ^1.", true, false, List(kMedianKeys),
     Chart::kIndependentSamples},
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

const NOPRAlgorithmTable::ConditionRecipe*
NOPRAlgorithmTable::FindCondition(Stats::EnumAlgorithmType algorithm, const std::string& key) {
  const Row* row = Find(algorithm);
  if (row == nullptr)
    return nullptr;
  for (const ConditionRecipe& recipe : row->fConditions) {
    if (key == recipe.key)
      return &recipe;
  }
  return nullptr;
}

const NOPRAlgorithmTable::Row* NOPRAlgorithmTable::Of(const Stats::BaseHypothesisTest* test) {
  return test == nullptr ? nullptr : Find(test->fAlgorithm);
}
