// The result set: ownership of the records, filing of new test records, and the vocabulary of the
// result document (name tables, titles, message-code classes).
#include "NOPROutputStats.h"

#include "dict/CFMetaData.h"

#include <algorithm>
#include <iterator>

namespace {

using Stats = NOPROutputStats;

template <typename Enum> struct NameEntry {
  const char* fName;
  Enum fValue;
};

constexpr NameEntry<Stats::EnumClassificationType> kClassificationNames[] = {
    {"One_Sample", Stats::kCOneSample},
    {"Related_Samples", Stats::kCRelatedSamples},
    {"Independent_Samples", Stats::kCIndependentSamples},
};

constexpr NameEntry<Stats::EnumDecisionType> kDecisionNames[] = {
    {"reject", Stats::kDReject},
    {"retain", Stats::kDRetain},
};

constexpr NameEntry<Stats::EnumMessageType> kMessageTypeNames[] = {
    {"error", Stats::kMError},
    {"warning", Stats::kMWarning},
    {"helpMessage", Stats::kMHelpMessage},
};

struct AlgorithmEntry {
  Stats::EnumAlgorithmType fValue;
  const char* fName;
  // Null for the algorithms without a record kind; they are shown as "Unknown".
  const char* fTitle;
};

// Indexed by algorithm value; the static_assert below keeps index and value in step.
constexpr AlgorithmEntry kAlgorithms[] = {
    {Stats::kANone, nullptr, nullptr},
    {Stats::kAOChiSquare, "OChiSquare", "One-Sample Chi-Square Test"},
    {Stats::kAOBinomial, "OBinomial", "One-Sample Binomial Test"},
    {Stats::kAORuns, "ORuns", "One-Sample Runs Test"},
    {Stats::kAOWilcoxonSignedRanks, "OWilcoxonSignedRanks", "One-Sample Wilcoxon Signed Rank Test"},
    {Stats::kAOEstimateConfidenceInterval, "OEstimateConfidenceInterval",
     "One-Sample Binomial Success Rate"},
    {Stats::kAOKolmogorovSmirnov, "OKolmogorovSmirnov", "One-Sample Kolmogorov-Smirnov Test"},
    {Stats::kAOKolmogorovSmirnovNormal, "OKolmogorovSmirnovNormal", nullptr},
    {Stats::kAOKolmogorovSmirnovUniform, "OKolmogorovSmirnovUniform", nullptr},
    {Stats::kAOKolmogorovSmirnovPoisson, "OKolmogorovSmirnovPoisson", nullptr},
    {Stats::kAOKolmogorovSmirnovExponential, "OKolmogorovSmirnovExponential", nullptr},
    {Stats::kAOLilliefors, "OLilliefors", "One-Sample Kolmogorov-Smirnov Test"},
    {Stats::kAOLillieforsNormal, "OLillieforsNormal", nullptr},
    {Stats::kAOLillieforsUniform, "OLillieforsUniform", nullptr},
    {Stats::kAOLillieforsExponential, "OLillieforsExponential", nullptr},
    {Stats::kARSign, "RSign", "Related-Samples Sign Test"},
    {Stats::kARWilcoxonSignedRanks, "RWilcoxonSignedRanks",
     "Related-Samples Wilcoxon Signed Rank Test"},
    {Stats::kARCochransQ, "RCochransQ", "Related-Samples Cochran's Q Test"},
    {Stats::kARMcNemar, "RMcNemar", "Related-Samples McNemar Change Test"},
    {Stats::kARFriedmansTwoWayByRanks, "RFriedmansTwoWayByRanks",
     "Related-Samples Friedman's Two-Way Analysis of Variance by Ranks"},
    {Stats::kARKendallsCoefficient, "RKendallsCoefficient",
     "Related-Samples Kendall's Coefficient of Concordance"},
    {Stats::kARMarginalHomogeneity, "RMarginalHomogeneity",
     "Related-Samples Marginal Homogeneity Test"},
    {Stats::kARHodgesLehmannEstimatePairs, "RHodgesLehmannEstimatePairs",
     "Related-Samples Hodges-Lehman Median Difference"},
    {Stats::kAIHodgesLehmannEstimateGroups, "IHodgesLehmannEstimateGroups",
     "Independent-Samples Hodges-Lehman Median Difference"},
    {Stats::kAIMoses, "IMoses", "Independent-Samples Moses Test of Extreme Reaction"},
    {Stats::kAIMannWhitneyU, "IMannWhitneyU", "Independent-Samples Mann-Whitney U Test"},
    {Stats::kAIWaldWolfowitzRuns, "IWaldWolfowitzRuns",
     "Independent-Samples Wald-Wolfowitz Runs Test"},
    {Stats::kAIKolmogorovSmirnov, "IKolmogorovSmirnov",
     "Independent-Samples Kolmogorov-Smirnov Test"},
    {Stats::kAIKruskalWallis, "IKruskalWallis", "Independent-Samples Kruskal-Wallis Test"},
    {Stats::kAIJonckheereTerpstra, "IJonckheereTerpstra",
     "Independent-Samples Jonckheere-Terpstra Test for Ordered Alternatives"},
    {Stats::kAIMedian, "IMedian", "Independent-Samples Median Test"},
};

constexpr bool AlgorithmTableInOrder() {
  int index = 0;
  for (const AlgorithmEntry& entry : kAlgorithms) {
    if (entry.fValue != index++)
      return false;
  }
  return index == Stats::kAIMedian + 1;
}
static_assert(AlgorithmTableInOrder(), "kAlgorithms must list every algorithm at its value");

constexpr unsigned int kPairwiseCodes[] = {222328, 222329, 222333};
constexpr unsigned int kStepwiseCodes[] = {222331, 222332, 222334, 220013};

template <typename Enum, std::size_t N>
Enum FindName(const NameEntry<Enum> (&table)[N], const std::string& name, Enum unknown) {
  for (const NameEntry<Enum>& entry : table) {
    if (name == entry.fName)
      return entry.fValue;
  }
  return unknown;
}

template <std::size_t N> bool Contains(const unsigned int (&codes)[N], unsigned int code) {
  return std::find(std::begin(codes), std::end(codes), code) != std::end(codes);
}

template <typename T> T* At(const std::vector<T*>& list, std::size_t position) {
  return position < list.size() ? list[position] : nullptr;
}

// The record kind of an algorithm; null for the algorithms the procedure does not show.
std::unique_ptr<Stats::BaseHypothesisTest> MakeRecord(Stats::EnumAlgorithmType algorithm) {
  switch (algorithm) {
  case Stats::kAOChiSquare:
    return std::make_unique<Stats::HTOChiSquare>();
  case Stats::kAOBinomial:
    return std::make_unique<Stats::HTOBinomial>();
  case Stats::kAORuns:
    return std::make_unique<Stats::HTORuns>();
  case Stats::kAOWilcoxonSignedRanks:
    return std::make_unique<Stats::HTOWilcoxonSignedRanks>();
  case Stats::kAOEstimateConfidenceInterval:
    return std::make_unique<Stats::HTOEstimateConfidenceInterval>();
  case Stats::kAOKolmogorovSmirnov:
  case Stats::kAOLilliefors:
    return std::make_unique<Stats::HTOKolmogorovSmirnov>();
  case Stats::kARSign:
    return std::make_unique<Stats::HTRSign>();
  case Stats::kARWilcoxonSignedRanks:
    return std::make_unique<Stats::HTRWilcoxonSignedRanks>();
  case Stats::kARCochransQ:
    return std::make_unique<Stats::HTRCochransQ>();
  case Stats::kARMcNemar:
    return std::make_unique<Stats::HTRMcNemar>();
  case Stats::kARFriedmansTwoWayByRanks:
    return std::make_unique<Stats::HTRFriedmansTwoWayByRanks>();
  case Stats::kARKendallsCoefficient:
    return std::make_unique<Stats::HTRKendallsCoefficient>();
  case Stats::kARMarginalHomogeneity:
    return std::make_unique<Stats::HTRMarginalHomogeneity>();
  case Stats::kARHodgesLehmannEstimatePairs:
    return std::make_unique<Stats::HTRHodgesLehmannEstimatePairs>();
  case Stats::kAIHodgesLehmannEstimateGroups:
    return std::make_unique<Stats::HTIHodgesLehmannEstimateGroups>();
  case Stats::kAIMoses:
    return std::make_unique<Stats::HTIMoses>();
  case Stats::kAIMannWhitneyU:
    return std::make_unique<Stats::HTIMannWhitneyU>();
  case Stats::kAIWaldWolfowitzRuns:
    return std::make_unique<Stats::HTIWaldWolfowitzRuns>();
  case Stats::kAIKolmogorovSmirnov:
    return std::make_unique<Stats::HTIKolmogorovSmirnov>();
  case Stats::kAIKruskalWallis:
    return std::make_unique<Stats::HTIKruskalWallis>();
  case Stats::kAIJonckheereTerpstra:
    return std::make_unique<Stats::HTIJonckheereTerpstra>();
  case Stats::kAIMedian:
    return std::make_unique<Stats::HTIMedian>();
  case Stats::kANone:
  case Stats::kAOKolmogorovSmirnovNormal:
  case Stats::kAOKolmogorovSmirnovUniform:
  case Stats::kAOKolmogorovSmirnovPoisson:
  case Stats::kAOKolmogorovSmirnovExponential:
  case Stats::kAOLillieforsNormal:
  case Stats::kAOLillieforsUniform:
  case Stats::kAOLillieforsExponential:
    return nullptr;
  }
  // A value outside the enumeration (a cast from a number) has no record either.
  return nullptr;
}

} // namespace

NOPROutputStats::NOPROutputStats() = default;

NOPROutputStats::~NOPROutputStats() {
  for (TestList* list : {&fHypothesisTests, &fCIEstimates, &fLilliefors}) {
    for (BaseHypothesisTest* test : *list)
      delete test;
  }
  for (FieldDistributionData* field : fFieldDistributions)
    delete field;
}

CFMetaData* NOPROutputStats::CreateLocalMetadata() {
  fLocalMetadata.reset();
  fLocalMetadata = std::make_unique<CFMetaData>(nullptr);
  return fLocalMetadata.get();
}

NOPROutputStats::BaseHypothesisTest*
NOPROutputStats::CreateHypothesisTest(EnumClassificationType classification,
                                      EnumAlgorithmType algorithm, EnumDecisionType decision) {
  std::unique_ptr<BaseHypothesisTest> record = MakeRecord(algorithm);
  if (!record)
    return nullptr;
  record->fClassification = classification;
  record->fAlgorithm = algorithm;
  record->fDecision = decision;
  BaseHypothesisTest* test = record.get();
  if (IsConfidenceInterval(algorithm))
    Append(fCIEstimates, record.release());
  else if (algorithm == kAOLilliefors)
    Append(fLilliefors, record.release());
  else
    Append(fHypothesisTests, record.release());
  return test;
}

void NOPROutputStats::Append(TestList& list, BaseHypothesisTest* test) {
  if (!test)
    return;
  // Owned from here on, also when the list cannot grow.
  std::unique_ptr<BaseHypothesisTest> owned(test);
  list.push_back(test);
  owned.release();
}

void NOPROutputStats::AddHypothesisTest(BaseHypothesisTest* test) {
  Append(fHypothesisTests, test);
}

void NOPROutputStats::AddCIEstimate(BaseHypothesisTest* test) {
  Append(fCIEstimates, test);
}

void NOPROutputStats::AddLilliefors(BaseHypothesisTest* test) {
  Append(fLilliefors, test);
}

NOPROutputStats::BaseHypothesisTest*
NOPROutputStats::GetHypothesisTest(std::size_t position) const {
  return At(fHypothesisTests, position);
}

NOPROutputStats::BaseHypothesisTest* NOPROutputStats::GetCIEstimate(std::size_t position) const {
  return At(fCIEstimates, position);
}

NOPROutputStats::BaseHypothesisTest* NOPROutputStats::GetLilliefors(std::size_t position) const {
  return At(fLilliefors, position);
}

NOPROutputStats::FieldDistributionData* NOPROutputStats::CreateFieldDistributionData() {
  auto field = std::make_unique<FieldDistributionData>();
  fFieldDistributions.push_back(field.get());
  return field.release();
}

NOPROutputStats::FieldDistributionData*
NOPROutputStats::GetFieldDistributionData(std::size_t position) {
  return At(fFieldDistributions, position);
}

const NOPROutputStats::FieldDistributionData*
NOPROutputStats::GetFieldDistributionData(std::size_t position) const {
  return At(fFieldDistributions, position);
}

const VORN_Variable* NOPROutputStats::GetDictionaryVariable(int fieldIndex) const {
  if (fieldIndex < 0)
    return nullptr;
  const FieldDistributionData* field =
      GetFieldDistributionData(static_cast<std::size_t>(fieldIndex));
  return field ? field->fVariable : nullptr;
}

const CFStatVariableValue* NOPROutputStats::GetDictionaryVariableValue(int fieldIndex,
                                                                       int valueIndex) const {
  if (fieldIndex < 0 || valueIndex < 0)
    return nullptr;
  const FieldDistributionData* field =
      GetFieldDistributionData(static_cast<std::size_t>(fieldIndex));
  if (!field || static_cast<std::size_t>(valueIndex) >= field->fValueLabels.size())
    return nullptr;
  return &field->fValueLabels[static_cast<std::size_t>(valueIndex)].fValue;
}

NOPROutputStats::EnumClassificationType
NOPROutputStats::NameToClassificationType(const std::string& name) {
  return FindName(kClassificationNames, name, kCNone);
}

NOPROutputStats::EnumAlgorithmType NOPROutputStats::NameToAlgorithmType(const std::string& name) {
  for (const AlgorithmEntry& entry : kAlgorithms) {
    if (entry.fName && name == entry.fName)
      return entry.fValue;
  }
  return kANone;
}

NOPROutputStats::EnumDecisionType NOPROutputStats::NameToDecisionType(const std::string& name) {
  return FindName(kDecisionNames, name, kDNone);
}

NOPROutputStats::EnumMessageType NOPROutputStats::NameToMessageType(const std::string& name) {
  return FindName(kMessageTypeNames, name, kMHelpMessage);
}

std::string NOPROutputStats::TypeToDisplayName(EnumAlgorithmType algorithm) {
  const int value = static_cast<int>(algorithm);
  if (value < 0 || value >= static_cast<int>(std::size(kAlgorithms)) || !kAlgorithms[value].fTitle)
    return "Unknown";
  return kAlgorithms[value].fTitle;
}

bool NOPROutputStats::IsConfidenceInterval(EnumAlgorithmType algorithm) {
  return algorithm == kAOEstimateConfidenceInterval || algorithm == kARHodgesLehmannEstimatePairs ||
         algorithm == kAIHodgesLehmannEstimateGroups;
}

bool NOPROutputStats::IsPairwiseMessage(unsigned int code) {
  return Contains(kPairwiseCodes, code);
}

bool NOPROutputStats::IsStepwiseMessage(unsigned int code) {
  return Contains(kStepwiseCodes, code);
}

bool NOPROutputStats::IsAlgorithmMessage(unsigned int code) {
  return !IsPairwiseMessage(code) && !IsStepwiseMessage(code);
}

const NOPROutputStats::MessageData*
NOPROutputStats::GetCriticalMessage(const BaseHypothesisTest* test) {
  if (!test || IsConfidenceInterval(test->fAlgorithm))
    return nullptr;
  for (const MessageData& message : test->fMessages) {
    if (message.fType == kMError && IsAlgorithmMessage(message.fCode))
      return &message;
  }
  return nullptr;
}
