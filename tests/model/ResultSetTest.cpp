// The result set: name tables, filing of test records by algorithm, critical messages and the
// look-ups by position and by field.
#include "NOPROutputStats.h"

#include "dict/CFMetaData.h"
#include "dict/VORN_Variable.h"

#include <gtest/gtest.h>

#include <string>
#include <typeindex>
#include <typeinfo>
#include <vector>

namespace {

using Stats = NOPROutputStats;

TEST(NameTables, ClassificationAndDecision) {
  struct Row {
    const char* fDesc;
    std::string fName;
    int fClassification;
    int fDecision;
  } rows[] = {
      {"one-sample family", "One_Sample", Stats::kCOneSample, Stats::kDNone},
      {"related family", "Related_Samples", Stats::kCRelatedSamples, Stats::kDNone},
      {"independent family", "Independent_Samples", Stats::kCIndependentSamples, Stats::kDNone},
      {"family names are case-sensitive", "one_sample", Stats::kCNone, Stats::kDNone},
      {"no blanks are trimmed", "One_Sample ", Stats::kCNone, Stats::kDNone},
      {"reject", "reject", Stats::kCNone, Stats::kDReject},
      {"retain", "retain", Stats::kCNone, Stats::kDRetain},
      {"decisions are case-sensitive", "Reject", Stats::kCNone, Stats::kDNone},
      {"empty name", "", Stats::kCNone, Stats::kDNone},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(Stats::NameToClassificationType(row.fName), row.fClassification) << row.fDesc;
    EXPECT_EQ(Stats::NameToDecisionType(row.fName), row.fDecision) << row.fDesc;
  }
}

TEST(NameTables, MessageTypesDefaultToHelp) {
  struct Row {
    const char* fDesc;
    std::string fName;
    Stats::EnumMessageType fType;
  } rows[] = {
      {"error", "error", Stats::kMError},
      {"warning", "warning", Stats::kMWarning},
      {"help", "helpMessage", Stats::kMHelpMessage},
      {"upper-case error is not an error", "Error", Stats::kMHelpMessage},
      {"unknown type", "fatal", Stats::kMHelpMessage},
      {"empty type", "", Stats::kMHelpMessage},
  };
  for (const Row& row : rows)
    EXPECT_EQ(Stats::NameToMessageType(row.fName), row.fType) << row.fDesc;
}

// Where CreateHypothesisTest files a record.
enum class List { kNone, kTests, kIntervals, kLilliefors };

struct AlgorithmRow {
  const char* fName;
  Stats::EnumAlgorithmType fAlgorithm;
  std::type_index fClass;
  List fList;
  const char* fTitle;
};

const std::type_index kNoClass = typeid(void);

const AlgorithmRow kAlgorithmRows[] = {
    {"OChiSquare", Stats::kAOChiSquare, typeid(Stats::HTOChiSquare), List::kTests,
     "One-Sample Chi-Square Test"},
    {"OBinomial", Stats::kAOBinomial, typeid(Stats::HTOBinomial), List::kTests,
     "One-Sample Binomial Test"},
    {"ORuns", Stats::kAORuns, typeid(Stats::HTORuns), List::kTests, "One-Sample Runs Test"},
    {"OWilcoxonSignedRanks", Stats::kAOWilcoxonSignedRanks, typeid(Stats::HTOWilcoxonSignedRanks),
     List::kTests, "One-Sample Wilcoxon Signed Rank Test"},
    {"OEstimateConfidenceInterval", Stats::kAOEstimateConfidenceInterval,
     typeid(Stats::HTOEstimateConfidenceInterval), List::kIntervals,
     "One-Sample Binomial Success Rate"},
    {"OKolmogorovSmirnov", Stats::kAOKolmogorovSmirnov, typeid(Stats::HTOKolmogorovSmirnov),
     List::kTests, "One-Sample Kolmogorov-Smirnov Test"},
    {"OKolmogorovSmirnovNormal", Stats::kAOKolmogorovSmirnovNormal, kNoClass, List::kNone,
     "Unknown"},
    {"OKolmogorovSmirnovUniform", Stats::kAOKolmogorovSmirnovUniform, kNoClass, List::kNone,
     "Unknown"},
    {"OKolmogorovSmirnovPoisson", Stats::kAOKolmogorovSmirnovPoisson, kNoClass, List::kNone,
     "Unknown"},
    {"OKolmogorovSmirnovExponential", Stats::kAOKolmogorovSmirnovExponential, kNoClass, List::kNone,
     "Unknown"},
    {"OLilliefors", Stats::kAOLilliefors, typeid(Stats::HTOKolmogorovSmirnov), List::kLilliefors,
     "One-Sample Kolmogorov-Smirnov Test"},
    {"OLillieforsNormal", Stats::kAOLillieforsNormal, kNoClass, List::kNone, "Unknown"},
    {"OLillieforsUniform", Stats::kAOLillieforsUniform, kNoClass, List::kNone, "Unknown"},
    {"OLillieforsExponential", Stats::kAOLillieforsExponential, kNoClass, List::kNone, "Unknown"},
    {"RSign", Stats::kARSign, typeid(Stats::HTRSign), List::kTests, "Related-Samples Sign Test"},
    {"RWilcoxonSignedRanks", Stats::kARWilcoxonSignedRanks, typeid(Stats::HTRWilcoxonSignedRanks),
     List::kTests, "Related-Samples Wilcoxon Signed Rank Test"},
    {"RCochransQ", Stats::kARCochransQ, typeid(Stats::HTRCochransQ), List::kTests,
     "Related-Samples Cochran's Q Test"},
    {"RMcNemar", Stats::kARMcNemar, typeid(Stats::HTRMcNemar), List::kTests,
     "Related-Samples McNemar Change Test"},
    {"RFriedmansTwoWayByRanks", Stats::kARFriedmansTwoWayByRanks,
     typeid(Stats::HTRFriedmansTwoWayByRanks), List::kTests,
     "Related-Samples Friedman's Two-Way Analysis of Variance by Ranks"},
    {"RKendallsCoefficient", Stats::kARKendallsCoefficient, typeid(Stats::HTRKendallsCoefficient),
     List::kTests, "Related-Samples Kendall's Coefficient of Concordance"},
    {"RMarginalHomogeneity", Stats::kARMarginalHomogeneity, typeid(Stats::HTRMarginalHomogeneity),
     List::kTests, "Related-Samples Marginal Homogeneity Test"},
    {"RHodgesLehmannEstimatePairs", Stats::kARHodgesLehmannEstimatePairs,
     typeid(Stats::HTRHodgesLehmannEstimatePairs), List::kIntervals,
     "Related-Samples Hodges-Lehman Median Difference"},
    {"IHodgesLehmannEstimateGroups", Stats::kAIHodgesLehmannEstimateGroups,
     typeid(Stats::HTIHodgesLehmannEstimateGroups), List::kIntervals,
     "Independent-Samples Hodges-Lehman Median Difference"},
    {"IMoses", Stats::kAIMoses, typeid(Stats::HTIMoses), List::kTests,
     "Independent-Samples Moses Test of Extreme Reaction"},
    {"IMannWhitneyU", Stats::kAIMannWhitneyU, typeid(Stats::HTIMannWhitneyU), List::kTests,
     "Independent-Samples Mann-Whitney U Test"},
    {"IWaldWolfowitzRuns", Stats::kAIWaldWolfowitzRuns, typeid(Stats::HTIWaldWolfowitzRuns),
     List::kTests, "Independent-Samples Wald-Wolfowitz Runs Test"},
    {"IKolmogorovSmirnov", Stats::kAIKolmogorovSmirnov, typeid(Stats::HTIKolmogorovSmirnov),
     List::kTests, "Independent-Samples Kolmogorov-Smirnov Test"},
    {"IKruskalWallis", Stats::kAIKruskalWallis, typeid(Stats::HTIKruskalWallis), List::kTests,
     "Independent-Samples Kruskal-Wallis Test"},
    {"IJonckheereTerpstra", Stats::kAIJonckheereTerpstra, typeid(Stats::HTIJonckheereTerpstra),
     List::kTests, "Independent-Samples Jonckheere-Terpstra Test for Ordered Alternatives"},
    {"IMedian", Stats::kAIMedian, typeid(Stats::HTIMedian), List::kTests,
     "Independent-Samples Median Test"},
};

const Stats::TestList* ListOf(const Stats& stats, List list) {
  switch (list) {
  case List::kTests:
    return &stats.GetAllHypothesisTest();
  case List::kIntervals:
    return &stats.GetAllCIEstimate();
  case List::kLilliefors:
    return &stats.GetAllLilliefors();
  case List::kNone:
    return nullptr;
  }
  return nullptr;
}

TEST(Algorithms, NamesValuesAndTitles) {
  ASSERT_EQ(std::size(kAlgorithmRows), 30u);
  for (const AlgorithmRow& row : kAlgorithmRows) {
    EXPECT_EQ(Stats::NameToAlgorithmType(row.fName), row.fAlgorithm) << row.fName;
    EXPECT_EQ(Stats::TypeToDisplayName(row.fAlgorithm), row.fTitle) << row.fName;
    EXPECT_EQ(Stats::IsConfidenceInterval(row.fAlgorithm), row.fList == List::kIntervals)
        << row.fName;
  }
  EXPECT_EQ(Stats::NameToAlgorithmType("ochisquare"), Stats::kANone) << "case-sensitive";
  EXPECT_EQ(Stats::NameToAlgorithmType("kAOChiSquare"), Stats::kANone) << "enumerator name";
  EXPECT_EQ(Stats::NameToAlgorithmType(""), Stats::kANone);
  EXPECT_EQ(Stats::TypeToDisplayName(Stats::kANone), "Unknown");
  EXPECT_EQ(Stats::TypeToDisplayName(static_cast<Stats::EnumAlgorithmType>(31)), "Unknown");
  EXPECT_EQ(Stats::TypeToDisplayName(static_cast<Stats::EnumAlgorithmType>(-1)), "Unknown");
}

TEST(Algorithms, EachRecordIsMadeOfItsClassAndFiledInItsList) {
  for (const AlgorithmRow& row : kAlgorithmRows) {
    Stats stats;
    Stats::BaseHypothesisTest* test =
        stats.CreateHypothesisTest(Stats::kCOneSample, row.fAlgorithm, Stats::kDRetain);
    const std::size_t filed = stats.GetAllHypothesisTest().size() +
                              stats.GetAllCIEstimate().size() + stats.GetAllLilliefors().size();
    if (row.fList == List::kNone) {
      EXPECT_EQ(test, nullptr) << row.fName;
      EXPECT_EQ(filed, 0u) << row.fName << ": nothing is filed without a record";
      continue;
    }
    ASSERT_NE(test, nullptr) << row.fName;
    EXPECT_EQ(std::type_index(typeid(*test)), row.fClass) << row.fName;
    EXPECT_EQ(test->fClassification, Stats::kCOneSample) << row.fName;
    EXPECT_EQ(test->fAlgorithm, row.fAlgorithm) << row.fName;
    EXPECT_EQ(test->fDecision, Stats::kDRetain) << row.fName;
    EXPECT_EQ(filed, 1u) << row.fName << ": filed in exactly one list";
    const Stats::TestList* list = ListOf(stats, row.fList);
    ASSERT_EQ(list->size(), 1u) << row.fName;
    EXPECT_EQ(list->front(), test) << row.fName;
  }
}

TEST(Algorithms, UnknownValuesMakeNoRecord) {
  Stats stats;
  EXPECT_EQ(stats.CreateHypothesisTest(Stats::kCNone, Stats::kANone, Stats::kDNone), nullptr);
  EXPECT_EQ(stats.CreateHypothesisTest(Stats::kCNone, static_cast<Stats::EnumAlgorithmType>(31),
                                       Stats::kDNone),
            nullptr);
  EXPECT_TRUE(stats.GetAllHypothesisTest().empty());
}

TEST(Algorithms, RecordsKeepDocumentOrderWithinTheirList) {
  Stats stats;
  auto* first =
      stats.CreateHypothesisTest(Stats::kCOneSample, Stats::kAOKolmogorovSmirnov, Stats::kDReject);
  auto* lill =
      stats.CreateHypothesisTest(Stats::kCOneSample, Stats::kAOLilliefors, Stats::kDReject);
  auto* second =
      stats.CreateHypothesisTest(Stats::kCIndependentSamples, Stats::kAIMedian, Stats::kDRetain);
  EXPECT_EQ(stats.GetHypothesisTest(0), first);
  EXPECT_EQ(stats.GetHypothesisTest(1), second);
  EXPECT_EQ(stats.GetLilliefors(0), lill);
}

TEST(PositionLookups, OutOfRangeGivesNull) {
  Stats stats;
  EXPECT_EQ(stats.GetHypothesisTest(0), nullptr);
  EXPECT_EQ(stats.GetCIEstimate(0), nullptr);
  EXPECT_EQ(stats.GetLilliefors(0), nullptr);
  EXPECT_EQ(stats.GetFieldDistributionData(0), nullptr);

  stats.CreateHypothesisTest(Stats::kCOneSample, Stats::kAORuns, Stats::kDReject);
  stats.CreateHypothesisTest(Stats::kCOneSample, Stats::kAOEstimateConfidenceInterval,
                             Stats::kDNone);
  stats.CreateHypothesisTest(Stats::kCOneSample, Stats::kAOLilliefors, Stats::kDNone);
  Stats::FieldDistributionData* field = stats.CreateFieldDistributionData();
  EXPECT_NE(stats.GetHypothesisTest(0), nullptr);
  EXPECT_EQ(stats.GetHypothesisTest(1), nullptr);
  EXPECT_EQ(stats.GetCIEstimate(1), nullptr);
  EXPECT_EQ(stats.GetLilliefors(1), nullptr);
  EXPECT_EQ(stats.GetHypothesisTest(static_cast<std::size_t>(-1)), nullptr);
  EXPECT_EQ(stats.GetFieldDistributionData(0), field);
  EXPECT_EQ(static_cast<const Stats&>(stats).GetFieldDistributionData(1), nullptr);
}

TEST(PositionLookups, AddIgnoresNullAndTakesOwnership) {
  Stats stats;
  stats.AddHypothesisTest(nullptr);
  stats.AddCIEstimate(nullptr);
  stats.AddLilliefors(nullptr);
  EXPECT_TRUE(stats.GetAllHypothesisTest().empty());
  EXPECT_TRUE(stats.GetAllCIEstimate().empty());
  EXPECT_TRUE(stats.GetAllLilliefors().empty());

  // Deleted by the result set (the leak checker of the sanitizer build would tell otherwise).
  auto* test = new Stats::HTIMedian;
  stats.AddHypothesisTest(test);
  stats.AddCIEstimate(new Stats::HTRHodgesLehmannEstimatePairs);
  stats.AddLilliefors(new Stats::HTOKolmogorovSmirnov);
  EXPECT_EQ(stats.GetHypothesisTest(0), test);
  EXPECT_EQ(stats.GetAllCIEstimate().size(), 1u);
  EXPECT_EQ(stats.GetAllLilliefors().size(), 1u);
}

TEST(FieldLookups, DictionaryVariableAndValueBounds) {
  Stats stats;
  EXPECT_EQ(stats.GetDictionaryVariable(0), nullptr) << "no field records";
  EXPECT_EQ(stats.GetDictionaryVariableValue(0, 0), nullptr) << "no field records";

  VORN_Variable var("x", 0);
  Stats::FieldDistributionData* withVariable = stats.CreateFieldDistributionData();
  withVariable->fFieldIndex = 0;
  withVariable->fVariable = &var;
  withVariable->fValueLabels.resize(2);
  withVariable->fValueLabels[0].fValue.SetCompleteValue("1", &var, 0);
  withVariable->fValueLabels[1].fValue.SetCompleteValue("2", &var, 0);
  Stats::FieldDistributionData* withoutVariable = stats.CreateFieldDistributionData();
  withoutVariable->fFieldIndex = 1;

  EXPECT_EQ(stats.GetDictionaryVariable(0), &var);
  EXPECT_EQ(stats.GetDictionaryVariable(1), nullptr) << "record without a variable";
  EXPECT_EQ(stats.GetDictionaryVariable(2), nullptr) << "past the last record";
  EXPECT_EQ(stats.GetDictionaryVariable(-1), nullptr) << "negative index";

  EXPECT_EQ(stats.GetDictionaryVariableValue(0, 0), &withVariable->fValueLabels[0].fValue);
  ASSERT_NE(stats.GetDictionaryVariableValue(0, 1), nullptr);
  EXPECT_EQ(stats.GetDictionaryVariableValue(0, 1)->GetNumber(), 2.0);
  EXPECT_EQ(stats.GetDictionaryVariableValue(0, 2), nullptr) << "past the last value";
  EXPECT_EQ(stats.GetDictionaryVariableValue(0, -1), nullptr) << "negative value index";
  EXPECT_EQ(stats.GetDictionaryVariableValue(-1, 0), nullptr) << "negative field index";
  EXPECT_EQ(stats.GetDictionaryVariableValue(1, 0), nullptr) << "field without values";
  EXPECT_EQ(stats.GetDictionaryVariableValue(2, 0), nullptr) << "past the last field";
}

TEST(LocalMetadata, EachCallReplacesThePrevious) {
  Stats stats;
  EXPECT_EQ(stats.GetLocalMetadata(), nullptr);
  CFMetaData* first = stats.CreateLocalMetadata();
  ASSERT_NE(first, nullptr);
  first->AppendField(CFField("x", CFField::kContinuous, CFField::kDouble, 0));
  CFMetaData* second = stats.CreateLocalMetadata();
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(stats.GetLocalMetadata(), second);
  EXPECT_EQ(second->FieldCount(), 0) << "a fresh, empty metadata";
}

// A test carrying the given messages, in order.
Stats::BaseHypothesisTest* TestWithMessages(Stats& stats, Stats::EnumAlgorithmType algorithm,
                                            const std::vector<Stats::MessageData>& messages) {
  Stats::BaseHypothesisTest* test =
      stats.CreateHypothesisTest(Stats::kCOneSample, algorithm, Stats::kDReject);
  test->fMessages = messages;
  return test;
}

Stats::MessageData Message(unsigned int code, Stats::EnumMessageType type) {
  Stats::MessageData message;
  message.fCode = code;
  message.fType = type;
  return message;
}

TEST(CriticalMessage, OnlyErrorsAboutTheTestItself) {
  struct Row {
    const char* fDesc;
    Stats::EnumAlgorithmType fAlgorithm;
    std::vector<Stats::MessageData> fMessages;
    int fCritical; // position of the critical message, -1 for none
  } rows[] = {
      {"no messages", Stats::kAOChiSquare, {}, -1},
      {"a warning is never critical", Stats::kAOChiSquare, {Message(100, Stats::kMWarning)}, -1},
      {"a help message is never critical",
       Stats::kAORuns,
       {Message(100, Stats::kMHelpMessage)},
       -1},
      {"an error about the test", Stats::kAORuns, {Message(100, Stats::kMError)}, 0},
      {"pairwise error codes are not critical",
       Stats::kAIKruskalWallis,
       {Message(222328, Stats::kMError), Message(222329, Stats::kMError),
        Message(222333, Stats::kMError)},
       -1},
      {"stepwise error codes are not critical",
       Stats::kAIKruskalWallis,
       {Message(222331, Stats::kMError), Message(222332, Stats::kMError),
        Message(222334, Stats::kMError), Message(220013, Stats::kMError)},
       -1},
      {"the first error after warnings and comparison errors",
       Stats::kARCochransQ,
       {Message(1, Stats::kMWarning), Message(222328, Stats::kMError), Message(2, Stats::kMError),
        Message(3, Stats::kMError)},
       2},
      {"interval estimates never have one",
       Stats::kARHodgesLehmannEstimatePairs,
       {Message(100, Stats::kMError)},
       -1},
      {"interval estimates never have one",
       Stats::kAIHodgesLehmannEstimateGroups,
       {Message(100, Stats::kMError)},
       -1},
      {"interval estimates never have one",
       Stats::kAOEstimateConfidenceInterval,
       {Message(100, Stats::kMError)},
       -1},
  };
  for (const Row& row : rows) {
    Stats stats;
    Stats::BaseHypothesisTest* test = TestWithMessages(stats, row.fAlgorithm, row.fMessages);
    const Stats::MessageData* critical = Stats::GetCriticalMessage(test);
    if (row.fCritical < 0)
      EXPECT_EQ(critical, nullptr) << row.fDesc;
    else
      EXPECT_EQ(critical, &test->fMessages[static_cast<std::size_t>(row.fCritical)]) << row.fDesc;
  }
  EXPECT_EQ(Stats::GetCriticalMessage(nullptr), nullptr);
}

TEST(MessageCodes, PairwiseStepwiseAndAlgorithmCodesArePartitioned) {
  for (unsigned int code : {222328u, 222329u, 222333u}) {
    EXPECT_TRUE(Stats::IsPairwiseMessage(code)) << code;
    EXPECT_FALSE(Stats::IsStepwiseMessage(code)) << code;
    EXPECT_FALSE(Stats::IsAlgorithmMessage(code)) << code;
  }
  for (unsigned int code : {222331u, 222332u, 222334u, 220013u}) {
    EXPECT_TRUE(Stats::IsStepwiseMessage(code)) << code;
    EXPECT_FALSE(Stats::IsPairwiseMessage(code)) << code;
    EXPECT_FALSE(Stats::IsAlgorithmMessage(code)) << code;
  }
  for (unsigned int code : {0u, 222330u, 220012u, 222335u}) {
    EXPECT_TRUE(Stats::IsAlgorithmMessage(code)) << code;
  }
}

} // namespace
