// The related-samples test readers, on a document holding every related-samples table.
#include "ReaderTestSupport.h"

using namespace readertest;
using Stats = NOPROutputStats;

namespace {

// The document reads whole (checked with the warnings in TrapsTest).
class RelatedSamplesTest : public ::testing::Test {
protected:
  const Stats::TestList& tests() const { return fReading->fStats->GetAllHypothesisTest(); }

  std::unique_ptr<Reading> fReading = readDocument("related_samples.xml");
};

TEST_F(RelatedSamplesTest, DifferenceCounts) {
  const auto& sign = recordAt<Stats::HTRSign>(tests(), 0);
  EXPECT_EQ(sign.fDistribution.fNegativeDifferences, 7);
  EXPECT_EQ(sign.fDistribution.fTies, 2);
  EXPECT_EQ(sign.fDistribution.fPositiveDifferences, 11);
  EXPECT_EQ(sign.fDistribution.fTable.fRows.size(), 2u);
  const auto& wilcoxon = recordAt<Stats::HTRWilcoxonSignedRanks>(tests(), 1);
  EXPECT_EQ(wilcoxon.fDistribution.fPositiveDifferences, 17);
}

TEST_F(RelatedSamplesTest, ValuesOutsideTheCategories) {
  EXPECT_EQ(tests()[0]->fValsNotInCategories, (std::vector<std::string>{"9", "", "unknown"}))
      << "a missing value gives an empty text";
}

TEST_F(RelatedSamplesTest, CochransQComparisons) {
  const auto& cochran = recordAt<Stats::HTRCochransQ>(tests(), 2);
  EXPECT_EQ(cochran.fComparison.fTable.fRows.size(), 3u);
  const Stats::CompareResultTableData& compare = cochran.fCompareResult;
  EXPECT_EQ(compare.fComparisonType, Stats::CompareResultTableData::kCTPairwise);
  EXPECT_EQ(compare.fFieldIndex, 2) << "2.9 truncated";
  EXPECT_EQ(compare.fTables[0].fRows, (std::vector<std::vector<double>>{{0, 0, 1}, {1, 2, 2}}));
  EXPECT_EQ(compare.fTables[1].fNames[1], (std::vector<std::string>{"Statistic", "Sig", "AdjSig"}));
  EXPECT_EQ(compare.fTables[1].fRows.size(), 3u);
}

TEST_F(RelatedSamplesTest, CategoryFieldsComparison) {
  const auto& mcnemar = recordAt<Stats::HTRMcNemar>(tests(), 3);
  const Stats::CategoryFieldData& row = mcnemar.fCategoryComparison.fFields[0];
  const Stats::CategoryFieldData& column = mcnemar.fCategoryComparison.fFields[1];
  EXPECT_EQ(row.fFieldIndex, 3);
  EXPECT_EQ(column.fFieldIndex, 4);
  EXPECT_EQ(row.fCategoryLists[0], (std::vector<double>{1}));
  ASSERT_EQ(row.fCategoryLists[1].size(), 2u);
  EXPECT_TRUE(isMissing(row.fCategoryLists[1][1]));
  EXPECT_EQ(column.fCategoryLists[1], (std::vector<double>{0}));
  EXPECT_EQ(row.fValsNotInCategories, (std::vector<std::string>{"7", "9"}))
      << "the later row table replaces the earlier";
  EXPECT_EQ(column.fValsNotInCategories, (std::vector<std::string>{"8"}));
  EXPECT_EQ(mcnemar.fCategoryComparison.fTable.fRows,
            (std::vector<std::vector<double>>{{5, 7}, {2, 16}}));

  const auto& marginal = recordAt<Stats::HTRMarginalHomogeneity>(tests(), 4);
  EXPECT_EQ(marginal.fCategoryComparison.fFields[1].fFieldIndex, 1);
  EXPECT_EQ(marginal.fCategoryComparison.fTable.fRows.size(), 3u);
}

TEST_F(RelatedSamplesTest, VariableInformationAndStepwise) {
  const auto& friedman = recordAt<Stats::HTRFriedmansTwoWayByRanks>(tests(), 5);
  ASSERT_EQ(friedman.fVariableInfos.size(), 2u) << "both names contain VariableInformation";
  EXPECT_EQ(friedman.fVariableInfos[0].fGroupIndex, 0);
  EXPECT_DOUBLE_EQ(friedman.fVariableInfos[0].fMeanOfRank, 1.4);
  EXPECT_EQ(friedman.fVariableInfos[0].fTable.fRows, (std::vector<std::vector<double>>{{1, 12}}));
  EXPECT_EQ(friedman.fCompareResult.fComparisonType, Stats::CompareResultTableData::kCTStepwise);
  EXPECT_EQ(friedman.fCompareResult.fFieldIndex, 0);
  EXPECT_EQ(friedman.fCompareResult.fTables[0].fName, "StepwiseInfo");

  const auto& kendall = recordAt<Stats::HTRKendallsCoefficient>(tests(), 6);
  ASSERT_EQ(kendall.fVariableInfos.size(), 1u);
  EXPECT_EQ(kendall.fCompareResult.fComparisonType, Stats::CompareResultTableData::kCTNone)
      << "a Content table alone sets no comparison type";
  EXPECT_EQ(kendall.fCompareResult.fTables[1].fRows, (std::vector<std::vector<double>>{{1.5}}));
  EXPECT_EQ(kendall.fCompareResult.fFieldIndex, -1);
}

TEST_F(RelatedSamplesTest, HodgesLehmannFromStatistics) {
  const auto& estimate =
      recordAt<Stats::HTRHodgesLehmannEstimatePairs>(fReading->fStats->GetAllCIEstimate(), 0);
  EXPECT_DOUBLE_EQ(estimate.fEstimate.fEstimate, 1.25);
  EXPECT_DOUBLE_EQ(estimate.fEstimate.fUpper, 2);
  EXPECT_TRUE(estimate.fEstimate.fMethod.empty());
}

} // namespace
