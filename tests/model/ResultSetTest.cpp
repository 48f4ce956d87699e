// The result set: name tables, filing of test records by algorithm, critical messages and the
// look-ups by position and by field.
#include "NOPROutputStats.h"

#include "dict/CFMetaData.h"
#include "dict/VORN_Variable.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

using Stats = NOPROutputStats;

TEST(NameTables, ClassificationDecisionAndMessageType) {
  struct Row {
    std::string fName;
    int fClassification;
    int fDecision;
  } rows[] = {
      {"One_Sample", Stats::kCOneSample, Stats::kDNone},
      {"Related_Samples", Stats::kCRelatedSamples, Stats::kDNone},
      {"Independent_Samples", Stats::kCIndependentSamples, Stats::kDNone},
      {"one_sample", Stats::kCNone, Stats::kDNone},  // case-sensitive
      {"One_Sample ", Stats::kCNone, Stats::kDNone}, // no blanks trimmed
      {"reject", Stats::kCNone, Stats::kDReject},
      {"retain", Stats::kCNone, Stats::kDRetain},
      {"Reject", Stats::kCNone, Stats::kDNone},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(Stats::NameToClassificationType(row.fName), row.fClassification) << row.fName;
    EXPECT_EQ(Stats::NameToDecisionType(row.fName), row.fDecision) << row.fName;
  }
  EXPECT_EQ(Stats::NameToMessageType("error"), Stats::kMError);
  EXPECT_EQ(Stats::NameToMessageType("warning"), Stats::kMWarning);
  for (const char* other : {"helpMessage", "Error", "fatal", ""})
    EXPECT_EQ(Stats::NameToMessageType(other), Stats::kMHelpMessage) << "\"" << other << "\"";
}

// The algorithm names in the order of their enumerators, from 1.
const char* const kAlgorithmNames =
    "OChiSquare OBinomial ORuns OWilcoxonSignedRanks OEstimateConfidenceInterval "
    "OKolmogorovSmirnov "
    "OKolmogorovSmirnovNormal OKolmogorovSmirnovUniform OKolmogorovSmirnovPoisson "
    "OKolmogorovSmirnovExponential OLilliefors OLillieforsNormal OLillieforsUniform "
    "OLillieforsExponential RSign RWilcoxonSignedRanks RCochransQ RMcNemar RFriedmansTwoWayByRanks "
    "RKendallsCoefficient RMarginalHomogeneity RHodgesLehmannEstimatePairs "
    "IHodgesLehmannEstimateGroups IMoses IMannWhitneyU IWaldWolfowitzRuns IKolmogorovSmirnov "
    "IKruskalWallis IJonckheereTerpstra IMedian";

TEST(Algorithms, NamesAndTitles) {
  std::istringstream names(kAlgorithmNames);
  int value = 0;
  for (std::string name; names >> name;)
    EXPECT_EQ(Stats::NameToAlgorithmType(name), ++value) << name;
  EXPECT_EQ(value, 30);
  for (const char* other : {"ochisquare", "kAOChiSquare", ""})
    EXPECT_EQ(Stats::NameToAlgorithmType(other), Stats::kANone) << "\"" << other << "\"";
  // The titles of the tests are pinned by the output's golden files; the record-less
  // algorithms and values outside the enumeration have none.
  EXPECT_EQ(Stats::TypeToDisplayName(Stats::kAOLilliefors), "One-Sample Kolmogorov-Smirnov Test");
  for (int value : {0, 7, 10, 12, 14, 31, -1})
    EXPECT_EQ(Stats::TypeToDisplayName(static_cast<Stats::EnumAlgorithmType>(value)), "Unknown")
        << value;
}

TEST(Algorithms, EachRecordIsFiledInItsListInOrder) {
  // The record classes themselves are checked where the reader fills them.
  for (int value = -1; value <= 31; ++value) {
    const auto algorithm = static_cast<Stats::EnumAlgorithmType>(value);
    const bool interval = value == 5 || value == 22 || value == 23;
    const bool lilliefors = value == 11;
    const bool none =
        value < 1 || value > 30 || (value >= 7 && value <= 10) || (value >= 12 && value <= 14);
    EXPECT_EQ(Stats::IsConfidenceInterval(algorithm), interval) << value;
    Stats stats;
    Stats::BaseHypothesisTest* test =
        stats.CreateHypothesisTest(Stats::kCOneSample, algorithm, Stats::kDRetain);
    const Stats::TestList& list = interval     ? stats.GetAllCIEstimate()
                                  : lilliefors ? stats.GetAllLilliefors()
                                               : stats.GetAllHypothesisTest();
    const std::size_t filed = stats.GetAllHypothesisTest().size() +
                              stats.GetAllCIEstimate().size() + stats.GetAllLilliefors().size();
    ASSERT_EQ(filed, none ? 0u : 1u) << value;
    ASSERT_EQ(test == nullptr, none) << value;
    if (none)
      continue;
    EXPECT_EQ(list.front(), test) << value;
    EXPECT_EQ(test->fClassification, Stats::kCOneSample) << value;
    EXPECT_EQ(test->fAlgorithm, algorithm) << value;
    EXPECT_EQ(test->fDecision, Stats::kDRetain) << value;
  }
  Stats stats;
  auto* first =
      stats.CreateHypothesisTest(Stats::kCOneSample, Stats::kAOKolmogorovSmirnov, Stats::kDReject);
  stats.CreateHypothesisTest(Stats::kCOneSample, Stats::kAOLilliefors, Stats::kDReject);
  auto* second =
      stats.CreateHypothesisTest(Stats::kCIndependentSamples, Stats::kAIMedian, Stats::kDRetain);
  EXPECT_EQ(stats.GetHypothesisTest(0), first);
  EXPECT_EQ(stats.GetHypothesisTest(1), second);
}

TEST(PositionLookups, OutOfRangeGivesNullAndAddTakesOwnership) {
  Stats stats;
  EXPECT_EQ(stats.GetFieldDistributionData(0), nullptr);
  stats.AddHypothesisTest(nullptr); // ignored
  stats.AddCIEstimate(nullptr);
  stats.AddLilliefors(nullptr);
  EXPECT_EQ(stats.GetHypothesisTest(0), nullptr);
  EXPECT_EQ(stats.GetCIEstimate(0), nullptr);
  EXPECT_EQ(stats.GetLilliefors(0), nullptr);
  // Deleted by the result set (the leak checker of the sanitizer build would tell otherwise).
  auto* test = new Stats::HTIMedian;
  stats.AddHypothesisTest(test);
  stats.AddCIEstimate(new Stats::HTRHodgesLehmannEstimatePairs);
  stats.AddLilliefors(new Stats::HTOKolmogorovSmirnov);
  Stats::FieldDistributionData* field = stats.CreateFieldDistributionData();
  EXPECT_EQ(stats.GetHypothesisTest(0), test);
  EXPECT_NE(stats.GetCIEstimate(0), nullptr);
  EXPECT_NE(stats.GetLilliefors(0), nullptr);
  EXPECT_EQ(stats.GetHypothesisTest(1), nullptr);
  EXPECT_EQ(stats.GetCIEstimate(1), nullptr);
  EXPECT_EQ(stats.GetLilliefors(1), nullptr);
  EXPECT_EQ(stats.GetHypothesisTest(static_cast<std::size_t>(-1)), nullptr);
  EXPECT_EQ(stats.GetFieldDistributionData(0), field);
  EXPECT_EQ(static_cast<const Stats&>(stats).GetFieldDistributionData(1), nullptr);
}

TEST(FieldLookups, DictionaryVariableAndValueBounds) {
  Stats stats;
  EXPECT_EQ(stats.GetDictionaryVariableValue(0, 0), nullptr) << "no field records";
  VORN_Variable var("x", 0);
  Stats::FieldDistributionData* withVariable = stats.CreateFieldDistributionData();
  withVariable->fFieldIndex = 0;
  withVariable->fVariable = &var;
  withVariable->fValueLabels.resize(2);
  withVariable->fValueLabels[1].fValue.SetCompleteValue("2", &var, 0);
  stats.CreateFieldDistributionData()->fFieldIndex = 1;

  EXPECT_EQ(stats.GetDictionaryVariable(0), &var);
  for (int field : {1, 2, -1}) // without a variable, past the last record, negative
    EXPECT_EQ(stats.GetDictionaryVariable(field), nullptr) << field;
  ASSERT_NE(stats.GetDictionaryVariableValue(0, 1), nullptr);
  EXPECT_EQ(stats.GetDictionaryVariableValue(0, 1)->GetNumber(), 2.0);
  const std::pair<int, int> outside[] = {{0, 2}, {0, -1}, {-1, 0}, {1, 0}, {2, 0}};
  for (const auto& at : outside)
    EXPECT_EQ(stats.GetDictionaryVariableValue(at.first, at.second), nullptr)
        << at.first << ", " << at.second;
}

TEST(LocalMetadata, EachCallReplacesThePrevious) {
  Stats stats;
  EXPECT_EQ(stats.GetLocalMetadata(), nullptr);
  stats.CreateLocalMetadata()->AppendField(CFField("x", CFField::kContinuous, CFField::kDouble, 0));
  CFMetaData* second = stats.CreateLocalMetadata();
  EXPECT_EQ(stats.GetLocalMetadata(), second);
  EXPECT_EQ(second->FieldCount(), 0) << "a fresh, empty metadata";
}

TEST(MessageCodes, PairwiseStepwiseAndAlgorithmCodesArePartitioned) {
  for (unsigned int code : {222328u, 222329u, 222333u})
    EXPECT_TRUE(Stats::IsPairwiseMessage(code) && !Stats::IsStepwiseMessage(code) &&
                !Stats::IsAlgorithmMessage(code))
        << code;
  for (unsigned int code : {222331u, 222332u, 222334u, 220013u})
    EXPECT_TRUE(Stats::IsStepwiseMessage(code) && !Stats::IsPairwiseMessage(code) &&
                !Stats::IsAlgorithmMessage(code))
        << code;
  for (unsigned int code : {0u, 222330u, 220012u, 222335u})
    EXPECT_TRUE(Stats::IsAlgorithmMessage(code)) << code;
}

TEST(CriticalMessage, OnlyErrorsAboutTheTestItself) {
  const auto E = Stats::kMError;
  const auto W = Stats::kMWarning;
  struct Row {
    const char* fDesc;
    Stats::EnumAlgorithmType fAlgorithm;
    std::vector<std::pair<unsigned int, Stats::EnumMessageType>> fMessages;
    int fCritical; // position of the critical message, -1 for none
  } rows[] = {
      {"no messages", Stats::kAOChiSquare, {}, -1},
      {"a warning is never critical", Stats::kAOChiSquare, {{100, W}}, -1},
      {"comparison error codes are not critical",
       Stats::kAIKruskalWallis,
       {{222328, E}, {220013, E}},
       -1},
      {"the first error after warnings and comparison errors",
       Stats::kARCochransQ,
       {{1, W}, {222331, E}, {2, E}, {3, E}},
       2},
      {"interval estimates never have one", Stats::kARHodgesLehmannEstimatePairs, {{100, E}}, -1},
      {"interval estimates never have one", Stats::kAOEstimateConfidenceInterval, {{100, E}}, -1},
  };
  for (const Row& row : rows) {
    Stats stats;
    Stats::BaseHypothesisTest* test =
        stats.CreateHypothesisTest(Stats::kCOneSample, row.fAlgorithm, Stats::kDReject);
    for (const auto& m : row.fMessages) {
      test->fMessages.emplace_back();
      test->fMessages.back().fCode = m.first;
      test->fMessages.back().fType = m.second;
    }
    const Stats::MessageData* expected =
        row.fCritical < 0 ? nullptr : &test->fMessages[static_cast<std::size_t>(row.fCritical)];
    EXPECT_EQ(Stats::GetCriticalMessage(test), expected) << row.fDesc;
  }
  EXPECT_EQ(Stats::GetCriticalMessage(nullptr), nullptr);
}

} // namespace
