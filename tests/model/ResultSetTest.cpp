// The result set: the look-ups by field and value that hostile indexes reach, the named-statistic
// look-up of the test records, and which message is a test's critical one. (Names and filing of
// records are the reader's, tests/reader.)
#include "NOPROutputStats.h"

#include "dict/VORN_Variable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Stats = NOPROutputStats;

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

Stats::StatisticsResultData Result(const std::string& name,
                                   const std::vector<Stats::AttributeData>& attributes) {
  Stats::StatisticsResultData result;
  result.fName = name;
  result.fAttributes = attributes;
  return result;
}

TEST(HasStatisticsResultData, LooksUpTheFirstMatchingResult) {
  Stats::HTIMannWhitneyU test;
  test.fStatisticsResults = {
      Result("", {{"TestStatistic", 12.5}, {"Sig", 0.03}}),
      Result("Exact", {{"Sig", 0.04}}),
      Result("Exact", {{"Sig", 0.05}, {"Other", 9.0}}),
      Result("Empty", {}),
  };
  struct Row {
    const char* fDesc;
    std::string fAttribute;
    std::string fResult;
    bool fFound;
    double fValue; // expected value; the start value 7.0 when it stays unchanged
  } rows[] = {
      {"top-level statistic under the empty result name", "Sig", "", true, 0.03},
      {"empty attribute name takes the first attribute", "", "", true, 12.5},
      {"a repeated result name reads the first occurrence only", "Sig", "Exact", true, 0.04},
      {"an attribute only in the second occurrence is not found", "Other", "Exact", false, 7.0},
      {"empty attribute name in a result without attributes", "", "Empty", true, 7.0},
      {"missing result", "Sig", "Asymptotic", false, 7.0},
  };
  for (const Row& row : rows) {
    double value = 7.0;
    EXPECT_EQ(test.HasStatisticsResultData(value, row.fAttribute, row.fResult), row.fFound)
        << row.fDesc;
    EXPECT_EQ(value, row.fValue) << row.fDesc;
  }
}

} // namespace
