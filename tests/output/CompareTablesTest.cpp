// Pairwise comparison and homogeneous subset tables: row order and the swap of pairs, sample
// names for related and independent samples, columns by test, subsets and comparison notes.
#include "OutputTestSupport.h"

#include "proc/CFAssert.h"

using namespace outtest;

namespace {

Stats::SimpleTableData table(const std::vector<std::vector<double>>& rows, std::size_t columns) {
  Stats::SimpleTableData data;
  data.fNames[1].assign(columns, "c");
  data.fRows = rows;
  return data;
}

// Comparison rows: first, second, statistic, error, standardized, sig, adjusted sig.
std::vector<double> pair(double a, double b, double statistic) {
  return {a, b, statistic, 0.5, statistic / 0.5, 0.01, 0.06};
}

// A grouping field "g" at index 1 with categories A, B, C (values 1, 2, 3).
void addGroupingField(WriterRun& run) {
  run.AddField("y");
  run.LabelValues(run.AddField("g"), {"A", "B", "C"});
}

// A k-sample test of the independent family on y by g, or of the related family on its fields,
// and its comparison record.
template <class Record>
Stats::CompareResultTableData& addKSample(WriterRun& run, Stats::EnumAlgorithmType algorithm,
                                          const std::string& key, int type) {
  const bool related = key.find("_R_") != std::string::npos || key.rfind("R_", 0) == 0;
  std::vector<std::vector<double>> parameters = {{0}, {1}};
  if (related) {
    parameters = {{}};
    for (int i = 0; i < run.data->GetVariableCount(); ++i)
      parameters[0].push_back(i);
  }
  auto* test = static_cast<Record*>(
      addTest(run.stats, related ? Stats::kCRelatedSamples : Stats::kCIndependentSamples, algorithm,
              key, parameters));
  test->fCompareResult.fComparisonType = type;
  test->fCompareResult.fFieldIndex = related ? -1 : 1;
  return test->fCompareResult;
}

const auto kPairwise = Stats::CompareResultTableData::kCTPairwise;

std::vector<std::string> rowLabels(const output::Table& table) {
  return leafPaths(dimensionNamed(table, "Sample 1-Sample 2"));
}

} // namespace

// Captions, column lists and the adjustment note show in the stored output of the examples.
TEST(PairwiseTable, RelatedSamplesSwappedAndOrderedInTwoLevels) {
  WriterRun run;
  for (const char* name : {"a", "b", "c", "d"})
    run.AddField(name);
  Stats::CompareResultTableData& compare = addKSample<Stats::HTRFriedmansTwoWayByRanks>(
      run, Stats::kARFriedmansTwoWayByRanks, "R_FriedmansTwoWayByRanks_1", kPairwise);
  // Mean ranks: a 3.0, b 1.5, c 2.5, d 1.0 (given out of index order).
  compare.fTables[0] = table({{3, 0, 1, 2}, {1.0, 3.0, 1.5, 2.5}}, 4);
  compare.fTables[1] = table({pair(0, 1, 11), pair(0, 2, 12), pair(0, 3, 13), pair(1, 2, 14),
                              pair(1, 3, 15), pair(2, 3, 16)},
                             7);
  Stats::BaseHypothesisTest& test = *run.stats.GetHypothesisTest(0);
  test.fMessages.push_back(message(222329, Stats::kMWarning, {}, "3;1"));
  test.fMessages.push_back(message(222328, Stats::kMWarning, {}, "1;3"));     // not the shown order
  test.fMessages.push_back(message(222303, Stats::kMHelpMessage, {}, "3;1")); // not a pair code
  run.Display();

  const output::Table& pairs = tableNamed(run.Root(), "Pairwise Comparisons");
  // Grouped by the first sample's rank (d, b, c), each group by the second sample's rank.
  EXPECT_EQ(rowLabels(pairs), (std::vector<std::string>{"d-b", "d-c", "d-a", "b-c", "b-a", "c-a"}));
  // Swapped pairs keep their statistic.
  EXPECT_DOUBLE_EQ(numberAt(pairs, {"d-b", "Test Statistic"}), 15);
  EXPECT_DOUBLE_EQ(numberAt(pairs, {"b-c", "Test Statistic"}), 14);
  EXPECT_EQ(cellNotes(pairs, {"d-b", "Test Statistic"}), std::vector<std::string>{"222329"});
  EXPECT_TRUE(cellNotes(pairs, {"b-c", "Test Statistic"}).empty());
}

// Three independent groups ordered by their values; the median test has no error columns. The
// other tests' columns and captions show in the stored output of the examples.
TEST(PairwiseTable, IndependentGroupsOfTheMedianTest) {
  WriterRun run;
  addGroupingField(run);
  Stats::CompareResultTableData& compare = addKSample<Stats::HTIMedian>(
      run, Stats::kAIMedian, "DefaultAllDistinctValuesUsed_I_Median_2", kPairwise);
  compare.fTables[0] = table({{0, 1, 2}, {20, 10, 30}}, 3);
  compare.fTables[1] = table({pair(0, 1, 1), pair(0, 2, 2), pair(1, 2, 3)}, 7);
  run.Display();

  const output::Table& pairs = tableNamed(run.Root(), "Pairwise Comparisons of ^1");
  EXPECT_EQ(pairs.Title().Items().at(0).VariableName(), "g");
  EXPECT_EQ(rowLabels(pairs), (std::vector<std::string>{"B-A", "B-C", "A-C"}));
  EXPECT_EQ(leafPaths(dimensionNamed(pairs, "Statistics")),
            (std::vector<std::string>{"Test Statistic", "Sig.", "Adj. Sig."}));
}

TEST(PairwiseTable, MalformedComparisonsStopTheTable) {
  {
    SCOPED_TRACE("an index beyond the samples: dimensions without rows");
    WriterRun run;
    addGroupingField(run);
    Stats::CompareResultTableData& compare = addKSample<Stats::HTIKruskalWallis>(
        run, Stats::kAIKruskalWallis, "DefaultAllDistinctValuesUsed_I_KruskalWallis_2", kPairwise);
    compare.fTables[0] = table({{0, 1}, {1, 2}}, 2);
    compare.fTables[1] = table({pair(0, 1, 1), pair(0, 5, 2)}, 7);
    run.Display();
    const output::Table& pairs = tableNamed(run.Root(), "Pairwise Comparisons of ^1");
    EXPECT_EQ(pairs.Dimensions().size(), 2u);
    EXPECT_TRUE(pairs.Cells().empty());
  }
  {
    SCOPED_TRACE("an information table of three rows");
    WriterRun run;
    run.AddField("a");
    run.AddField("b");
    Stats::CompareResultTableData& compare = addKSample<Stats::HTRCochransQ>(
        run, Stats::kARCochransQ, "DefaultAllDistinctValuesUsed_R_CochransQ_1", kPairwise);
    compare.fTables[0] = table({{0, 1}, {1, 2}, {3, 4}}, 2);
    compare.fTables[1] = table({pair(0, 1, 1)}, 7);
    try {
      run.Display();
      FAIL() << "no assertion";
    } catch (const CFAssertionError& e) {
      EXPECT_EQ(e.Expression(), "rankData.fRows.size() == 2");
    }
  }
}

TEST(SubsetTable, SubsetsSpanPositionsOfTheInformationOrder) {
  for (const bool oneSided : {false, true}) {
    SCOPED_TRACE(oneSided ? "Jonckheere-Terpstra" : "Kruskal-Wallis");
    WriterRun run;
    addGroupingField(run);
    const auto stepwise = Stats::CompareResultTableData::kCTStepwise;
    Stats::CompareResultTableData& compare =
        oneSided
            ? addKSample<Stats::HTIJonckheereTerpstra>(
                  run, Stats::kAIJonckheereTerpstra,
                  "DefaultAllDistinctValuesUsed_I_JonckheereTerpstra_2", stepwise)
            : addKSample<Stats::HTIKruskalWallis>(run, Stats::kAIKruskalWallis,
                                                  "DefaultAllDistinctValuesUsed_I_KruskalWallis_2",
                                                  stepwise);
    // Display order C, A, B with their average ranks.
    compare.fTables[0] = table({{2, 0, 1}, {4.5, 9.0, 12.5}}, 3);
    compare.fTables[1] = table({pair(1, 2, 7), pair(0, 1, 3), pair(2, 5, 1)}, 7);
    run.stats.GetHypothesisTest(0)->fMessages.push_back(
        message(222331, Stats::kMWarning, {}, "0;1"));
    run.Display();

    const output::Table& subsets = tableNamed(run.Root(), "Homogeneous Subsets based on ^1");
    // The row spanning beyond the samples is left out.
    EXPECT_EQ(leafPaths(dimensionNamed(subsets, "Subset")), (std::vector<std::string>{"1", "2"}));
    std::vector<std::string> rows = {"Sample/C", "Sample/A", "Sample/B", "Test Statistic"};
    if (oneSided)
      rows.insert(rows.end(), {"Standard Error", "Standardized Test Statistic"});
    const std::string sided = oneSided ? " (1-sided test)" : " (2-sided test)";
    rows.insert(rows.end(), {"Sig." + sided, "Adjusted Sig." + sided});
    EXPECT_EQ(leafPaths(dimensionNamed(subsets, "Statistics")), rows);
    EXPECT_DOUBLE_EQ(numberAt(subsets, {"Sample/C", "1"}), 4.5);
    EXPECT_DOUBLE_EQ(numberAt(subsets, {"Sample/A", "1"}), 9.0);
    EXPECT_DOUBLE_EQ(numberAt(subsets, {"Sample/A", "2"}), 9.0);
    EXPECT_DOUBLE_EQ(numberAt(subsets, {"Sample/B", "2"}), 12.5);
    EXPECT_EQ(cellAt(subsets, {"Sample/C", "2"}), nullptr);
    EXPECT_DOUBLE_EQ(numberAt(subsets, {"Test Statistic", "1"}), 3);
    EXPECT_EQ(cellNotes(subsets, {"Test Statistic", "1"}), std::vector<std::string>{"222331"});
    EXPECT_TRUE(cellNotes(subsets, {"Test Statistic", "2"}).empty());
  }
}

TEST(CompareOrdering, RankCompareAndSubsetSort) {
  const std::vector<double> values = {3.0, 1.0, 2.0};
  const pairwiseRankCompare byFirst(values, 0);
  const pairwiseRankCompare bySecond(values, 1);
  EXPECT_TRUE(byFirst({1, 0}, {2, 0}));
  EXPECT_FALSE(byFirst({0, 1}, {2, 1}));
  EXPECT_TRUE(bySecond({0, 1}, {0, 2}));
  // Samples outside the values sort first, whatever the other row holds.
  EXPECT_TRUE(byFirst({-1, 0}, {1, 0}));
  EXPECT_TRUE(byFirst({7, 0}, {1, 0}));
  EXPECT_TRUE(subsetSort({0, 4}, {1, 1}));
  EXPECT_FALSE(subsetSort({2, 2}, {1, 3}));
}
