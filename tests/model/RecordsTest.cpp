// The test and value records: the named-statistic look-up and the initial values that consumers
// read as "absent".
#include "NOPROutputStats.h"

#include "dict/VORN_SystemMissing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Stats = NOPROutputStats;

constexpr double kMissing = VORN_SystemMissing();

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
      {"missing attribute", "Z", "", false, 7.0},
      {"missing result", "Sig", "Asymptotic", false, 7.0},
      {"result names are case-sensitive", "Sig", "exact", false, 7.0},
  };
  for (const Row& row : rows) {
    double value = 7.0;
    EXPECT_EQ(test.HasStatisticsResultData(value, row.fAttribute, row.fResult), row.fFound)
        << row.fDesc;
    EXPECT_EQ(value, row.fValue) << row.fDesc;
  }
}

TEST(HasStatisticsResultData, NoResultsAtAll) {
  Stats::HTOChiSquare test;
  double value = 1.0;
  EXPECT_FALSE(test.HasStatisticsResultData(value, "", ""));
  EXPECT_EQ(value, 1.0);
}

TEST(RecordInitialValues, TestRecordsStartUnknownAndMissing) {
  Stats::HTORuns runs;
  EXPECT_EQ(runs.fClassification, Stats::kCNone);
  EXPECT_EQ(runs.fAlgorithm, Stats::kANone);
  EXPECT_EQ(runs.fDecision, Stats::kDNone);
  EXPECT_EQ(runs.fMean, kMissing);
  EXPECT_EQ(runs.fStdDev, kMissing);
  EXPECT_EQ(runs.fObservedRunNumber, 0);

  Stats::HTOKolmogorovSmirnov ks;
  EXPECT_FALSE(ks.fIsUseSample);
  EXPECT_FALSE(ks.fIsSigLowerBound);

  Stats::HTRHodgesLehmannEstimatePairs hl;
  EXPECT_EQ(hl.fEstimate.fEstimate, kMissing);
  EXPECT_EQ(hl.fEstimate.fLower, kMissing);
  EXPECT_EQ(hl.fEstimate.fUpper, kMissing);
  EXPECT_TRUE(hl.fEstimate.fMethod.empty());
}

TEST(RecordInitialValues, ComparisonsAndCategoryFieldsStartAbsent) {
  Stats::HTIKruskalWallis kw;
  EXPECT_EQ(kw.fCompareResult.fComparisonType, Stats::CompareResultTableData::kCTNone);
  EXPECT_EQ(kw.fCompareResult.fFieldIndex, -1);
  EXPECT_TRUE(kw.fCompareResult.fTables[0].fRows.empty());
  EXPECT_EQ(kw.fBoxPlotInfo.fGroupFieldIndex, -1);
  EXPECT_EQ(kw.fBoxPlotInfo.fGroupCount, 0);
  EXPECT_EQ(kw.fBoxPlotInfo.fGrandMedian, kMissing);
  EXPECT_EQ(Stats::CompareResultTableData::kCTPairwise, 1);
  EXPECT_EQ(Stats::CompareResultTableData::kCTStepwise, 2);

  Stats::HTRMcNemar mcnemar;
  for (const Stats::CategoryFieldData& field : mcnemar.fCategoryComparison.fFields)
    EXPECT_EQ(field.fFieldIndex, -1);

  Stats::VariableInformationData info;
  EXPECT_EQ(info.fGroupIndex, -1);
  EXPECT_EQ(info.fMeanOfRank, kMissing);

  Stats::IS_Group group;
  EXPECT_EQ(group.fGroupIndex, -1);
  EXPECT_EQ(group.fN, 0);
  EXPECT_EQ(group.fMeanOfRank, kMissing);
}

TEST(RecordInitialValues, BoxPlotGroupPlaceholderIsRecognisablyEmpty) {
  // Placeholder entries sit at the positions of nested tables that are no group.
  Stats::IS_BoxPlotInfo info;
  info.fGroups.resize(2);
  const Stats::IS_BoxPlot_Group& group = info.fGroups[1];
  EXPECT_EQ(group.fGroupIndex, -1);
  EXPECT_EQ(group.fN, 0);
  EXPECT_EQ(group.fMeanOfRank, kMissing);
  EXPECT_EQ(group.fGTMedian, kMissing);
  EXPECT_EQ(group.fSTMedian, kMissing);
  EXPECT_TRUE(group.fBox.fRows.empty() && group.fBox.fName.empty());
  EXPECT_TRUE(group.fOutliers.fRows.empty());
}

TEST(RecordInitialValues, MessagesAndFields) {
  Stats::MessageData message;
  EXPECT_EQ(message.fType, Stats::kMHelpMessage) << "a message without type is no error";
  EXPECT_EQ(message.fCode, 0u);
  EXPECT_EQ(message.fParamNum, 0);
  EXPECT_EQ(message.fParamNum, static_cast<int>(message.fParameters.size()))
      << "a message without parameters is consistent";

  Stats stats;
  const Stats::FieldDistributionData* field = stats.CreateFieldDistributionData();
  EXPECT_FALSE(field->fIsValid);
  EXPECT_EQ(field->fIsCategorical, 0);
  EXPECT_EQ(field->fFieldIndex, -1);
  EXPECT_EQ(field->fVariable, nullptr);
  EXPECT_EQ(field->fTotalN, 0);
  EXPECT_EQ(field->fMin, kMissing);
  EXPECT_EQ(field->fMax, kMissing);
  EXPECT_EQ(field->fMean, kMissing);
  EXPECT_EQ(field->fStdDev, kMissing);
  EXPECT_FALSE(field->fOrdinalTreatedAsCont);
}

} // namespace
