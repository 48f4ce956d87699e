// The result set: ownership of the records, filing of new test records, and the vocabulary of the
// result document (name tables, titles, message-code classes).
#include "NOPROutputStats.h"

#include "NOPRAlgorithmTable.h"

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
  const NOPRAlgorithmTable::Row* row = NOPRAlgorithmTable::Find(algorithm);
  if (row == nullptr || row->fMakeRecord == nullptr)
    return nullptr;
  std::unique_ptr<BaseHypothesisTest> record = row->fMakeRecord();
  record->fClassification = classification;
  record->fAlgorithm = algorithm;
  record->fDecision = decision;
  BaseHypothesisTest* test = record.get();
  switch (row->fFiling) {
  case NOPRAlgorithmTable::Filing::kIntervals:
    Append(fCIEstimates, record.release());
    break;
  case NOPRAlgorithmTable::Filing::kLilliefors:
    Append(fLilliefors, record.release());
    break;
  case NOPRAlgorithmTable::Filing::kTests:
    Append(fHypothesisTests, record.release());
    break;
  }
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
  const NOPRAlgorithmTable::Row* row = NOPRAlgorithmTable::FindByName(name);
  return row == nullptr ? kANone : row->fAlgorithm;
}

NOPROutputStats::EnumDecisionType NOPROutputStats::NameToDecisionType(const std::string& name) {
  return FindName(kDecisionNames, name, kDNone);
}

NOPROutputStats::EnumMessageType NOPROutputStats::NameToMessageType(const std::string& name) {
  return FindName(kMessageTypeNames, name, kMHelpMessage);
}

std::string NOPROutputStats::TypeToDisplayName(EnumAlgorithmType algorithm) {
  const NOPRAlgorithmTable::Row* row = NOPRAlgorithmTable::Find(algorithm);
  if (row == nullptr || row->fTitle == nullptr)
    return "Unknown";
  return row->fTitle;
}

bool NOPROutputStats::IsConfidenceInterval(EnumAlgorithmType algorithm) {
  const NOPRAlgorithmTable::Row* row = NOPRAlgorithmTable::Find(algorithm);
  return row != nullptr && row->fFiling == NOPRAlgorithmTable::Filing::kIntervals;
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
