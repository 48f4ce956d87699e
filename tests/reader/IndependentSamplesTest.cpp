// The independent-samples test readers, on a document holding every independent-samples table.
#include "ReaderTestSupport.h"

using namespace readertest;
using Stats = NOPROutputStats;

namespace {

// The document reads whole (checked with the warnings in TrapsTest).
class IndependentSamplesTest : public ::testing::Test {
protected:
  const Stats::TestList& tests() const { return fReading->fStats->GetAllHypothesisTest(); }

  std::unique_ptr<Reading> fReading = readDocument("independent_samples.xml");
};

TEST_F(IndependentSamplesTest, MosesBoxPlotTablesInAnyOrder) {
  const auto& moses = recordAt<Stats::HTIMoses>(tests(), 0);
  const Stats::IS_BoxPlotInfo& box = moses.fBoxPlotInfo;
  EXPECT_EQ(box.fGroupFieldIndex, 1);
  EXPECT_EQ(box.fGroupCount, 2);
  EXPECT_TRUE(isMissing(box.fGrandMedian));
  ASSERT_EQ(box.fGroups.size(), 1u);
  EXPECT_EQ(box.fGroups[0].fN, 30);
  EXPECT_EQ(box.fGroups[0].fBox.fRows, (std::vector<std::vector<double>>{{1, 2, 3, 4, 5}}));
  EXPECT_EQ(box.fGroups[0].fOutliers.fRows, (std::vector<std::vector<double>>{{99}}));
}

TEST_F(IndependentSamplesTest, TwoSampleGroups) {
  const auto& mann = recordAt<Stats::HTIMannWhitneyU>(tests(), 1);
  ASSERT_EQ(mann.fGroups.size(), 2u);
  EXPECT_EQ(mann.fGroups[0].fN, 28);
  EXPECT_DOUBLE_EQ(mann.fGroups[0].fMeanOfRank, 29.5);
  EXPECT_EQ(mann.fGroups[0].fTable.fRows, (std::vector<std::vector<double>>{{0, 10, 28}}));
  EXPECT_EQ(mann.fGroups[1].fN, 32);
  EXPECT_TRUE(mann.fGroups[1].fTable.fRows.empty());
  EXPECT_EQ(recordAt<Stats::HTIWaldWolfowitzRuns>(tests(), 2).fGroups.size(), 1u);
  const auto& ks = recordAt<Stats::HTIKolmogorovSmirnov>(tests(), 3);
  ASSERT_EQ(ks.fGroups.size(), 2u) << "\"Group\" anywhere in the name";
  EXPECT_EQ(ks.fGroups[1].fN, 32);
  EXPECT_EQ(ks.fGroups[1].fGroupIndex, -1);
}

// Our own table of intervals from the cases, read without a warning (TrapsTest).
TEST_F(IndependentSamplesTest, EffectSizeIntervalsFromTheCases) {
  const auto& kruskal = recordAt<Stats::HTIKruskalWallis>(tests(), 4);
  ASSERT_EQ(kruskal.fEffectSizes.size(), 1u);
  const Stats::EffectSizeData& interval = kruskal.fEffectSizes[0];
  EXPECT_EQ(interval.fMeasure, "RankEpsilonSquared");
  EXPECT_DOUBLE_EQ(interval.fEstimate, 0.25);
  EXPECT_DOUBLE_EQ(interval.fLower, 0.125);
  EXPECT_DOUBLE_EQ(interval.fUpper, 1.0);
  EXPECT_DOUBLE_EQ(interval.fLevel, 0.95);
  EXPECT_EQ(interval.fMethod, "BCa");
  EXPECT_EQ(interval.fResamples, 2000);
}

TEST_F(IndependentSamplesTest, BoxPlotGroupsSitAtTheirTablePosition) {
  const auto& kruskal = recordAt<Stats::HTIKruskalWallis>(tests(), 4);
  const Stats::IS_BoxPlotInfo& box = kruskal.fBoxPlotInfo;
  EXPECT_DOUBLE_EQ(box.fGrandMedian, 14.5);
  ASSERT_EQ(box.fGroups.size(), 3u);
  EXPECT_DOUBLE_EQ(box.fGroups[0].fMeanOfRank, 21.5);
  EXPECT_EQ((std::vector<double>{box.fGroups[0].fGTMedian, box.fGroups[0].fSTMedian}),
            (std::vector<double>{8, 12}));
  // The "Summary" table between the groups keeps a placeholder at position 1.
  EXPECT_EQ(box.fGroups[1].fGroupIndex, -1);
  EXPECT_EQ(box.fGroups[1].fN, 0);
  EXPECT_TRUE(isMissing(box.fGroups[1].fMeanOfRank));
  EXPECT_EQ(box.fGroups[2].fGroupIndex, 2);

  EXPECT_EQ(kruskal.fCompareResult.fComparisonType, Stats::CompareResultTableData::kCTPairwise);
  EXPECT_EQ(kruskal.fCompareResult.fFieldIndex, 1);
  EXPECT_EQ(kruskal.fCompareResult.fTables[0].fRows.size(), 2u);
}

TEST_F(IndependentSamplesTest, JonckheereAndMedian) {
  const auto& jt = recordAt<Stats::HTIJonckheereTerpstra>(tests(), 5);
  EXPECT_EQ(jt.fBoxPlotInfo.fGroups.size(), 1u);
  EXPECT_EQ(jt.fCompareResult.fComparisonType, Stats::CompareResultTableData::kCTStepwise);
  const auto& median = recordAt<Stats::HTIMedian>(tests(), 6);
  EXPECT_DOUBLE_EQ(median.fBoxPlotInfo.fGrandMedian, 7);
  EXPECT_TRUE(median.fBoxPlotInfo.fGroups.empty());
}

TEST_F(IndependentSamplesTest, HodgesLehmannWithoutAsymptoticKeepsDefaults) {
  const auto& estimate =
      recordAt<Stats::HTIHodgesLehmannEstimateGroups>(fReading->fStats->GetAllCIEstimate(), 0);
  EXPECT_TRUE(isMissing(estimate.fEstimate.fEstimate) && isMissing(estimate.fEstimate.fLower) &&
              isMissing(estimate.fEstimate.fUpper));
}

} // namespace
