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
  Stats::FieldDistributionData* g = run.AddField("g");
  VORN_Variable* variable = run.data->GetVariable(1);
  const char* names[] = {"A", "B", "C"};
  for (int v = 0; v < 3; ++v) {
    variable->ValueLabels().Add(v + 1, names[v]);
    Stats::NPValueLabel label;
    label.fIndex = v;
    label.fValue.SetCompleteValue(std::to_string(v + 1), variable, 0);
    label.fLabel = names[v];
    g->fValueLabels.push_back(label);
  }
}

template <class Record>
Record* addKSample(WriterRun& run, Stats::EnumClassificationType family,
                   Stats::EnumAlgorithmType algorithm, const std::string& key,
                   const std::vector<std::vector<double>>& parameters) {
  return static_cast<Record*>(addTest(run.stats, family, algorithm, key, parameters));
}

std::vector<std::string> rowLabels(const output::Table& table) {
  return leafPaths(dimensionNamed(table, "Sample 1-Sample 2"));
}

} // namespace

TEST(PairwiseTable, RelatedSamplesSwappedAndOrderedInTwoLevels) {
  WriterRun run;
  for (const char* name : {"a", "b", "c", "d"})
    run.AddField(name);
  auto* test = addKSample<Stats::HTRFriedmansTwoWayByRanks>(
      run, Stats::kCRelatedSamples, Stats::kARFriedmansTwoWayByRanks, "R_FriedmansTwoWayByRanks_1",
      {{0, 1, 2, 3}});
  Stats::CompareResultTableData& compare = test->fCompareResult;
  compare.fComparisonType = Stats::CompareResultTableData::kCTPairwise;
  // Mean ranks: a 3.0, b 1.5, c 2.5, d 1.0 (given out of index order).
  compare.fTables[0] = table({{3, 0, 1, 2}, {1.0, 3.0, 1.5, 2.5}}, 4);
  compare.fTables[1] = table({pair(0, 1, 11), pair(0, 2, 12), pair(0, 3, 13), pair(1, 2, 14),
                              pair(1, 3, 15), pair(2, 3, 16)},
                             7);
  test->fMessages.push_back(message(222329, Stats::kMWarning, {}, "3;1"));
  test->fMessages.push_back(message(222328, Stats::kMWarning, {}, "1;3")); // not the shown order
  test->fMessages.push_back(message(222303, Stats::kMHelpMessage, {}, "3;1")); // not a pair code
  run.Display();

  const output::Table& pairs = tableNamed(run.Root(), "Pairwise Comparisons");
  EXPECT_EQ(pairs.Subtitle(), "Pairwise Comparisons Table");
  ASSERT_TRUE(pairs.Caption().has_value());
  EXPECT_EQ(keyOf(*pairs.Caption()), "PairwiseComparisonsTableCaptionCFKKM^1");
  // Grouped by the first sample's rank (d, b, c), each group by the second sample's rank.
  EXPECT_EQ(rowLabels(pairs), (std::vector<std::string>{"d-b", "d-c", "d-a", "b-c", "b-a", "c-a"}));
  // Swapped pairs keep their statistic.
  EXPECT_DOUBLE_EQ(numberAt(pairs, {"d-b", "Test Statistic"}), 15);
  EXPECT_DOUBLE_EQ(numberAt(pairs, {"b-c", "Test Statistic"}), 14);
  EXPECT_EQ(cellNotes(pairs, {"d-b", "Test Statistic"}), std::vector<std::string>{"222329"});
  EXPECT_TRUE(cellNotes(pairs, {"b-c", "Test Statistic"}).empty());
  EXPECT_EQ(leafPaths(dimensionNamed(pairs, "Statistics")),
            (std::vector<std::string>{"Test Statistic", "Std. Error", "Std. Test Statistic", "Sig.",
                                      "Adj. Sig."}));
  const output::Category* adjusted = categoryAt(dimensionNamed(pairs, "Statistics"), "Adj. Sig.");
  ASSERT_NE(adjusted, nullptr);
  EXPECT_EQ(noteKeys(adjusted->Notes()),
            std::vector<std::string>{"Significance values have been adjusted by the Bonferroni "
                                     "correction for multiple tests."});
}

TEST(PairwiseTable, IndependentSamplesByTest) {
  struct Case {
    const char* description;
    Stats::EnumAlgorithmType algorithm;
    const char* key;
    const char* caption;
    std::vector<std::string> columns;
  };
  const std::vector<Case> cases = {
      {"Kruskal-Wallis",
       Stats::kAIKruskalWallis,
       "DefaultAllDistinctValuesUsed_I_KruskalWallis_2",
       "PairwiseComparisonsTableCaptionCFKKM^1",
       {"Test Statistic", "Std. Error", "Std. Test Statistic", "Sig.", "Adj. Sig."}},
      {"median",
       Stats::kAIMedian,
       "DefaultAllDistinctValuesUsed_I_Median_2",
       "PairwiseComparisonsTableCaptionCFKKM^1",
       {"Test Statistic", "Sig.", "Adj. Sig."}},
      {"Jonckheere-Terpstra",
       Stats::kAIJonckheereTerpstra,
       "DefaultAllDistinctValuesUsed_I_JonckheereTerpstra_2",
       "PairwiseComparisonsTableCaptionJ^1",
       {"Test Statistic", "Std. Error", "Std. Test Statistic", "Sig.", "Adj. Sig."}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.description);
    WriterRun run;
    addGroupingField(run);
    Stats::BaseHypothesisTest* test =
        addTest(run.stats, Stats::kCIndependentSamples, c.algorithm, c.key, {{0}, {1}});
    Stats::CompareResultTableData* compare = nullptr;
    if (auto* kw = dynamic_cast<Stats::HTIKruskalWallis*>(test))
      compare = &kw->fCompareResult;
    else if (auto* median = dynamic_cast<Stats::HTIMedian*>(test))
      compare = &median->fCompareResult;
    else if (auto* jt = dynamic_cast<Stats::HTIJonckheereTerpstra*>(test))
      compare = &jt->fCompareResult;
    ASSERT_NE(compare, nullptr);
    compare->fComparisonType = Stats::CompareResultTableData::kCTPairwise;
    compare->fFieldIndex = 1;
    compare->fTables[0] = table({{0, 1, 2}, {20, 10, 30}}, 3);
    compare->fTables[1] = table({pair(0, 1, 1), pair(0, 2, 2), pair(1, 2, 3)}, 7);
    run.Display();

    const output::Table& pairs = tableNamed(run.Root(), "Pairwise Comparisons of ^1");
    ASSERT_EQ(pairs.Title().Items().size(), 1u);
    EXPECT_EQ(pairs.Title().Items()[0].VariableName(), "g");
    EXPECT_EQ(keyOf(*pairs.Caption()), c.caption);
    EXPECT_EQ(rowLabels(pairs), (std::vector<std::string>{"B-A", "B-C", "A-C"}));
    EXPECT_EQ(leafPaths(dimensionNamed(pairs, "Statistics")), c.columns);
  }
}

TEST(PairwiseTable, MalformedComparisonsStopTheTable) {
  {
    SCOPED_TRACE("an index beyond the samples: dimensions without rows");
    WriterRun run;
    addGroupingField(run);
    auto* test = addKSample<Stats::HTIKruskalWallis>(
        run, Stats::kCIndependentSamples, Stats::kAIKruskalWallis,
        "DefaultAllDistinctValuesUsed_I_KruskalWallis_2", {{0}, {1}});
    test->fCompareResult.fComparisonType = Stats::CompareResultTableData::kCTPairwise;
    test->fCompareResult.fFieldIndex = 1;
    test->fCompareResult.fTables[0] = table({{0, 1}, {1, 2}}, 2);
    test->fCompareResult.fTables[1] = table({pair(0, 1, 1), pair(0, 5, 2)}, 7);
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
    auto* test =
        addKSample<Stats::HTRCochransQ>(run, Stats::kCRelatedSamples, Stats::kARCochransQ,
                                        "DefaultAllDistinctValuesUsed_R_CochransQ_1", {{0, 1}});
    test->fCompareResult.fComparisonType = Stats::CompareResultTableData::kCTPairwise;
    test->fCompareResult.fTables[0] = table({{0, 1}, {1, 2}, {3, 4}}, 2);
    test->fCompareResult.fTables[1] = table({pair(0, 1, 1)}, 7);
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
    Stats::BaseHypothesisTest* test;
    Stats::CompareResultTableData* compare;
    if (oneSided) {
      auto* jt = addKSample<Stats::HTIJonckheereTerpstra>(
          run, Stats::kCIndependentSamples, Stats::kAIJonckheereTerpstra,
          "DefaultAllDistinctValuesUsed_I_JonckheereTerpstra_2", {{0}, {1}});
      test = jt;
      compare = &jt->fCompareResult;
    } else {
      auto* kw = addKSample<Stats::HTIKruskalWallis>(
          run, Stats::kCIndependentSamples, Stats::kAIKruskalWallis,
          "DefaultAllDistinctValuesUsed_I_KruskalWallis_2", {{0}, {1}});
      test = kw;
      compare = &kw->fCompareResult;
    }
    compare->fComparisonType = Stats::CompareResultTableData::kCTStepwise;
    compare->fFieldIndex = 1;
    // Display order C, A, B with their average ranks.
    compare->fTables[0] = table({{2, 0, 1}, {4.5, 9.0, 12.5}}, 3);
    compare->fTables[1] = table({pair(1, 2, 7), pair(0, 1, 3), pair(2, 5, 1)}, 7);
    test->fMessages.push_back(message(222331, Stats::kMWarning, {}, "0;1"));
    run.Display();

    const output::Table& subsets = tableNamed(run.Root(), "Homogeneous Subsets based on ^1");
    EXPECT_EQ(keyOf(*subsets.Caption()), "HomogeneousSubsetsTableCaption^1");
    // The row spanning beyond the samples is left out.
    EXPECT_EQ(leafPaths(dimensionNamed(subsets, "Subset")), (std::vector<std::string>{"1", "2"}));
    const output::Dimension& statistics = dimensionNamed(subsets, "Statistics");
    const std::vector<std::string> expectedRows =
        oneSided ? std::vector<std::string>{"Sample/C",
                                            "Sample/A",
                                            "Sample/B",
                                            "Test Statistic",
                                            "Standard Error",
                                            "Standardized Test Statistic",
                                            "Sig. (1-sided test)",
                                            "Adjusted Sig. (1-sided test)"}
                 : std::vector<std::string>{"Sample/C",
                                            "Sample/A",
                                            "Sample/B",
                                            "Test Statistic",
                                            "Sig. (2-sided test)",
                                            "Adjusted Sig. (2-sided test)"};
    EXPECT_EQ(leafPaths(statistics), expectedRows);
    EXPECT_DOUBLE_EQ(numberAt(subsets, {"Sample/C", "1"}), 4.5);
    EXPECT_DOUBLE_EQ(numberAt(subsets, {"Sample/A", "1"}), 9.0);
    EXPECT_DOUBLE_EQ(numberAt(subsets, {"Sample/A", "2"}), 9.0);
    EXPECT_DOUBLE_EQ(numberAt(subsets, {"Sample/B", "2"}), 12.5);
    EXPECT_EQ(cellAt(subsets, {"Sample/C", "2"}), nullptr);
    EXPECT_DOUBLE_EQ(numberAt(subsets, {"Test Statistic", "1"}), 3);
    EXPECT_EQ(cellNotes(subsets, {"Test Statistic", "1"}), std::vector<std::string>{"222331"});
    EXPECT_TRUE(cellNotes(subsets, {"Test Statistic", "2"}).empty());
    const output::Category* sample = categoryAt(statistics, "Sample");
    ASSERT_NE(sample, nullptr);
    EXPECT_EQ(noteKeys(sample->Notes()),
              std::vector<std::string>{"Each cell shows the sample average rank of ^1."});
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
