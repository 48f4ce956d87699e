// The one-sample test readers, on a document holding every one-sample table.
#include "ReaderTestSupport.h"

using namespace readertest;
using Stats = NOPROutputStats;

namespace {

// The document reads whole (checked with the warnings in TrapsTest).
class OneSampleTest : public ::testing::Test {
protected:
  const Stats::TestList& tests() const { return fReading->fStats->GetAllHypothesisTest(); }

  std::unique_ptr<Reading> fReading = readDocument("one_sample.xml");
};

TEST_F(OneSampleTest, RecordsAreFiledByKindInDocumentOrder) {
  const Stats& stats = *fReading->fStats;
  ASSERT_EQ(tests().size(), 5u) << "the record-less OKolmogorovSmirnovNormal is skipped";
  const Stats::EnumAlgorithmType expected[] = {Stats::kAOChiSquare, Stats::kAOBinomial,
                                               Stats::kAORuns, Stats::kAOWilcoxonSignedRanks,
                                               Stats::kAOKolmogorovSmirnov};
  for (std::size_t i = 0; i < tests().size(); ++i)
    EXPECT_EQ(tests()[i]->fAlgorithm, expected[i]) << i;
  EXPECT_EQ(tests()[0]->fClassification, Stats::kCOneSample);
  EXPECT_EQ(tests()[0]->fDecision, Stats::kDReject);
  EXPECT_EQ(stats.GetAllCIEstimate().size(), 1u);
  EXPECT_EQ(stats.GetAllLilliefors().size(), 1u);
}

TEST_F(OneSampleTest, ConditionParametersInDocumentOrder) {
  const Stats::ConditionData& condition = tests()[0]->fCondition;
  EXPECT_EQ(condition.fConditionKey, "DefaultEqualProbabilities_O_ChiSquare_1");
  ASSERT_EQ(condition.fParameters.size(), 2u);
  EXPECT_EQ(condition.fParameters[0].fIndex, 2);
  EXPECT_EQ(condition.fParameters[0].fValues, (std::vector<double>{1, 2}));
  EXPECT_EQ(condition.fParameters[1].fIndex, 1);
  EXPECT_EQ(condition.fOrdinalTreatedAsCont, (std::vector<int>{1}));
}

TEST_F(OneSampleTest, TwoClassComparisons) {
  const auto& chi = recordAt<Stats::HTOChiSquare>(tests(), 0);
  EXPECT_EQ(chi.fComparison.fTable.fNames[0], (std::vector<std::string>{"1", "2"}));
  EXPECT_EQ(chi.fComparison.fTable.fNames[1],
            (std::vector<std::string>{"Observed", "Hypothesized"}));
  EXPECT_EQ(chi.fComparison.fTable.fRows, (std::vector<std::vector<double>>{{12, 20}, {28, 20}}));
  const auto& binomial = recordAt<Stats::HTOBinomial>(tests(), 1);
  EXPECT_EQ(binomial.fComparison.fTable.fRows, (std::vector<std::vector<double>>{{19}, {21}}));
}

TEST_F(OneSampleTest, RunsParameters) {
  const auto& runs = recordAt<Stats::HTORuns>(tests(), 2);
  EXPECT_DOUBLE_EQ(runs.fMean, 20.5);
  EXPECT_DOUBLE_EQ(runs.fStdDev, 3.1);
  EXPECT_EQ(runs.fObservedRunNumber, 17) << "truncated toward zero";
}

TEST_F(OneSampleTest, WilcoxonDistribution) {
  const auto& wilcoxon = recordAt<Stats::HTOWilcoxonSignedRanks>(tests(), 3);
  EXPECT_DOUBLE_EQ(wilcoxon.fDistribution.fHypotheticalMedian, 50);
  EXPECT_DOUBLE_EQ(wilcoxon.fDistribution.fObservedMedian, 52.5);
  const auto& rows = wilcoxon.fDistribution.fTable.fRows;
  ASSERT_EQ(rows.size(), 3u);
  ASSERT_EQ(rows[0].size(), 3u);
  EXPECT_TRUE(isMissing(rows[0][1])) << "__MISSING__";
  EXPECT_EQ(rows[1], (std::vector<double>{45, 50, 9})) << "commas separate too";
  EXPECT_TRUE(rows[2].empty()) << "an empty row text gives an empty row";
}

TEST_F(OneSampleTest, IntervalsInDocumentOrder) {
  const auto& ci =
      recordAt<Stats::HTOEstimateConfidenceInterval>(fReading->fStats->GetAllCIEstimate(), 0);
  ASSERT_EQ(ci.fIntervals.size(), 3u);
  EXPECT_EQ(ci.fIntervals[0].fMethod, "Jeffreys");
  EXPECT_TRUE(isMissing(ci.fIntervals[0].fLower)) << "only Upper was given";
  EXPECT_DOUBLE_EQ(ci.fIntervals[0].fUpper, 0.6);
  EXPECT_EQ(ci.fIntervals[1].fMethod, "ClopperPearson");
  EXPECT_DOUBLE_EQ(ci.fIntervals[1].fEstimate, 0.45);
  EXPECT_TRUE(isMissing(ci.fIntervals[2].fEstimate));
  EXPECT_DOUBLE_EQ(ci.fIntervals[2].fLower, 0.31);
}

TEST_F(OneSampleTest, LowerBoundDirectlyAndNested) {
  const auto& ks = recordAt<Stats::HTOKolmogorovSmirnov>(tests(), 4);
  EXPECT_TRUE(ks.fIsUseSample);
  EXPECT_TRUE(ks.fIsSigLowerBound);
  ASSERT_EQ(ks.fStatisticsResults.size(), 2u);
  EXPECT_DOUBLE_EQ(ks.fStatisticsResults[0].fAttributes[0].fValue, 0.2);
  EXPECT_EQ(ks.fStatisticsResults[1].fName, "Exact");
  EXPECT_TRUE(isMissing(ks.fStatisticsResults[1].fAttributes[0].fValue))
      << "inside a nested table \">0.2\" is no number";
  double sig = 0;
  EXPECT_TRUE(ks.HasStatisticsResultData(sig, "Sig", ""));
  EXPECT_DOUBLE_EQ(sig, 0.2);
}

TEST_F(OneSampleTest, LillieforsAlwaysUsesTheSample) {
  const auto& lilliefors =
      recordAt<Stats::HTOKolmogorovSmirnov>(fReading->fStats->GetAllLilliefors(), 0);
  EXPECT_EQ(lilliefors.fAlgorithm, Stats::kAOLilliefors);
  EXPECT_TRUE(lilliefors.fIsUseSample) << "even with isUseSample \"True\"";
  EXPECT_FALSE(lilliefors.fIsSigLowerBound) << "its own statistics reset the flag";
}

} // namespace
