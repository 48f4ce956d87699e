// The hypothesis test summary and the confidence interval summary: the kind of the table and its
// notes, the null-hypothesis sentences, significance rewrites and notes, interval rows.
#include "OutputTestSupport.h"

#include "dict/VORN_Format.h"
#include "proc/CFAssert.h"

using namespace outtest;

namespace {

const char* const kNormal = "NormalDistribution_O_KolmogorovSmirnov_3";
const char* const kNormalLill = "NormalDistribution_O_Lilliefors_3";
const char* const kSigLevelNote = "The significance level is ^1.";
const char* const kAllLillNote = "Sig ^1 Lill ^2 samples ^ 3 seed ...";

// A one-sample normal K-S test on field 0, optionally on sample parameters.
Stats::HTOKolmogorovSmirnov* addNormalKS(Stats& stats, bool useSample, double sig = 0.3,
                                         double totalN = 30, int field = 0) {
  auto* test = static_cast<Stats::HTOKolmogorovSmirnov*>(
      addTest(stats, Stats::kCOneSample, Stats::kAOKolmogorovSmirnov, kNormal,
              {{static_cast<double>(field)}, {10}, {2}}));
  test->fIsUseSample = useSample;
  addResult(test, "", {{"TotalN", totalN}, {"TestStatistic", 0.1}, {"AsymptoticSig2Tailed", sig}});
  return test;
}

Stats::BaseHypothesisTest* addLilliefors(Stats& stats, int field, double sig,
                                         Stats::EnumDecisionType decision) {
  auto* lill = static_cast<Stats::HTOKolmogorovSmirnov*>(
      addTest(stats, Stats::kCOneSample, Stats::kAOLilliefors, kNormalLill,
              {{static_cast<double>(field)}, {10}, {2}}, decision));
  lill->fIsUseSample = true;
  addResult(lill, "",
            {{"AsymptoticSig2Tailed", sig},
             {"ConfidenceIntervalLowerBound", sig - 0.01},
             {"ConfidenceIntervalUpperBound", sig + 0.01}});
  return lill;
}

Stats::BaseHypothesisTest* addMannWhitney(Stats& stats) {
  auto* test = addTest(stats, Stats::kCIndependentSamples, Stats::kAIMannWhitneyU,
                       "DefaultAllDistinctValuesUsed_I_MannWhitneyU_2", {{0}, {1}});
  addResult(test, "", {{"TotalN", 20}, {"TestStatistic", 31}, {"AsymptoticSig2Tailed", 0.04}});
  return test;
}

const output::Table& summary(const WriterRun& run) {
  return tableNamed(run.Root(), "Hypothesis Test Summary");
}

std::vector<std::string> sigColumnNotes(const output::Table& table) {
  const output::Category* sig = categoryAt(dimensionNamed(table, "Statistics"), "Sig.");
  return sig == nullptr ? std::vector<std::string>{"<none>"} : noteKeys(sig->Notes());
}

} // namespace

TEST(HypothesisSummary, NoTestsNoTable) {
  WriterRun run;
  run.AddField("x");
  run.Display();
  EXPECT_TRUE(tablesOf(run.Root()).empty());
}

TEST(HypothesisSummary, KindDecidesTheNotesOfTheSigColumn) {
  struct Case {
    const char* description;
    int withCompanion; // normal K-S tests with a simulated companion
    int sampleNormal;  // normal K-S tests on sample parameters without companion
    int others;        // Mann-Whitney tests
    std::vector<std::string> notes;
  };
  const std::vector<Case> cases = {
      {"all with companions", 3, 0, 0, {kAllLillNote}},
      {"all sample-normal", 0, 2, 0, {kSigLevelNote, "HTSFootNoteFootNoteFisherLillAsymp"}},
      {"all other", 0, 0, 2, {kSigLevelNote, "Asymptotic significance is displayed."}},
      {"companion and other", 1, 0, 1, {kSigLevelNote}},
      {"sample-normal and other", 0, 1, 1, {kSigLevelNote}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.description);
    WriterRun run;
    run.stats.UseKSNormSimul(true);
    run.stats.SigLevel(0.05);
    for (int i = 0; i < 3; ++i)
      run.AddField("x" + std::to_string(i));
    for (int i = 0; i < c.withCompanion; ++i) {
      addNormalKS(run.stats, true, 0.3, 30, i);
      addLilliefors(run.stats, i, 0.2, Stats::kDRetain);
    }
    for (int i = 0; i < c.sampleNormal; ++i)
      addNormalKS(run.stats, true, 0.3, 30, i);
    for (int i = 0; i < c.others; ++i)
      addMannWhitney(run.stats);
    run.Display();
    const output::Table& table = summary(run);
    EXPECT_EQ(sigColumnNotes(table), c.notes);
    const std::size_t rows = static_cast<std::size_t>(c.withCompanion + c.sampleNormal + c.others);
    EXPECT_EQ(leafPaths(dimensionNamed(table, "Item")).size(), rows);
    // The companion's own note appears on a row only when the table is not all Lilliefors.
    const output::Cell* first = cellAt(table, {"1", "Sig."});
    ASSERT_NE(first, nullptr);
    const bool lillCellNote = !first->notes.empty() &&
                              first->notes.front().label.Text().rfind("Lilliefors' method", 0) == 0;
    EXPECT_EQ(lillCellNote, c.withCompanion > 0 && c.others > 0);
  }
}

TEST(HypothesisSummary, CompanionGivesSignificanceDecisionAndFilledNote) {
  WriterRun run;
  run.stats.UseKSNormSimul(true);
  run.stats.NumSamples(5000);
  run.stats.UserSeed(123);
  run.AddField("x");
  run.AddField("y");
  addNormalKS(run.stats, true, 0.3)->fDecision = Stats::kDRetain;
  addLilliefors(run.stats, 1, 0.9, Stats::kDRetain); // another field: not the companion
  addLilliefors(run.stats, 0, 0.01, Stats::kDReject);
  addMannWhitney(run.stats);
  run.Display();
  const output::Table& table = summary(run);
  EXPECT_DOUBLE_EQ(numberAt(table, {"1", "Sig."}), 0.01);
  EXPECT_EQ(keyOf(cellAt(table, {"1", "Decision"})->label), "Reject the null hypothesis.");
  EXPECT_EQ(keyOf(cellAt(table, {"1", "Test"})->label), "One-Sample Kolmogorov-Smirnov Test");
  ASSERT_EQ(cellAt(table, {"1", "Sig."})->notes.size(), 1u);
  EXPECT_EQ(cellAt(table, {"1", "Sig."})->notes[0].label.Text(),
            "Lilliefors' method based on 5000 Monte Carlo samples with starting seed 123.");
  EXPECT_EQ(keyOf(cellAt(table, {"2", "Decision"})->label), "Retain the null hypothesis.");
}

TEST(HypothesisSummary, SignificanceRewritesAndCellNotes) {
  struct Case {
    const char* description;
    std::function<void(Stats&)> fill; // the first test is the one checked; a Mann-Whitney follows
    double sig;
    std::vector<std::string> notes;
  };
  const double sysmis = NOPRUTILITY::getSysMissing();
  const std::vector<Case> cases = {
      {"normal K-S with TotalN 4 cannot be computed",
       [](Stats& s) { addNormalKS(s, true, 0.4, 4); },
       sysmis,
       {"HTSFootNoteFisherCantCompute"}},
      {"TotalN 5 with the lower bound",
       [](Stats& s) { addNormalKS(s, true, 0.4, 5)->fIsSigLowerBound = true; },
       0.2,
       {"HTSFootNoteFootNoteFisherLillAsymp", "HTSFootNoteFootNoteFisherLowerBound"}},
      {"K-S on given parameters among other tests: the kind says it for every row",
       [](Stats& s) { addNormalKS(s, false, 0.4); },
       0.4,
       {}},
      {"K-S on given parameters in a mixed table",
       [](Stats& s) {
         addNormalKS(s, false, 0.4);
         addNormalKS(s, true, 0.4, 30, 1);
       },
       0.4,
       {"Asymptotic significance is displayed."}},
      {"an exact significance, any test",
       [](Stats& s) {
         auto* t = addTest(s, Stats::kCOneSample, Stats::kAOBinomial,
                           "ACutPointIsSpecified_O_Binomial_4", {{0}, {1}, {0.5}, {0.5}});
         addResult(t, "", {{"AsymptoticSig2Tailed", 0.3}, {"ExactSig2Tailed", 0.25}});
       },
       0.25,
       {"HTSFootNoteShowExact"}},
      {"median test with Fisher's exact significance",
       [](Stats& s) {
         auto* t = addTest(s, Stats::kCIndependentSamples, Stats::kAIMedian,
                           "DefaultAllDistinctValuesUsed_I_Median_2", {{0}, {1}});
         addResult(t, "FisherExact", {{"FisherExactSig", 0.07}});
       },
       0.07,
       {"HTSFootNoteShowExact"}},
      {"median test with Yates's correction",
       [](Stats& s) {
         auto* t = addTest(s, Stats::kCIndependentSamples, Stats::kAIMedian,
                           "DefaultAllDistinctValuesUsed_I_Median_2", {{0}, {1}});
         addResult(t, "YatesContinuityCorrection", {{"AsymptoticSig2Tailed", 0.08}});
       },
       0.08,
       {"HTSFootNoteYateAsymSig"}},
      {"runs test with ties: the largest significance",
       [](Stats& s) {
         auto* t = addTest(s, Stats::kCIndependentSamples, Stats::kAIWaldWolfowitzRuns,
                           "DefaultAllDistinctValuesUsed_I_WaldWolfowitzRuns_2", {{0}, {1}});
         addResult(t, "MinimumPossible", {{"TestStatistic", 5}, {"AsymptoticSig1Tailed", 0.01}});
         addResult(t, "MaximumPossible", {{"TestStatistic", 9}, {"AsymptoticSig1Tailed", 0.3}});
       },
       0.3,
       {"HTSFootNoteUsingMaxWhenTies"}},
      {"runs test without ties",
       [](Stats& s) {
         auto* t = addTest(s, Stats::kCIndependentSamples, Stats::kAIWaldWolfowitzRuns,
                           "DefaultAllDistinctValuesUsed_I_WaldWolfowitzRuns_2", {{0}, {1}});
         addResult(t, "MinimumPossible", {{"TestStatistic", 7}, {"AsymptoticSig1Tailed", 0.2}});
         addResult(t, "MaximumPossible", {{"TestStatistic", 7}, {"AsymptoticSig1Tailed", 0.2}});
       },
       0.2,
       {}},
      {"no significance at all",
       [](Stats& s) {
         auto* t = addTest(s, Stats::kCOneSample, Stats::kAOChiSquare,
                           "DefaultEqualProbabilities_O_ChiSquare_1", {{0}});
         addResult(t, "", {{"TestStatistic", 3}});
       },
       sysmis,
       {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.description);
    WriterRun run;
    run.AddField("x");
    run.AddField("g");
    c.fill(run.stats);
    addMannWhitney(run.stats); // a mixed table: the kind adds no rewrite of its own
    run.Display();
    const output::Table& table = summary(run);
    EXPECT_DOUBLE_EQ(numberAt(table, {"1", "Sig."}), c.sig);
    EXPECT_EQ(cellNotes(table, {"1", "Sig."}), c.notes);
  }
}

TEST(HypothesisSummary, CriticalMessageIsTheOnlyCellNote) {
  WriterRun run;
  run.AddField("x");
  run.AddField("g");
  Stats::BaseHypothesisTest* test = addMannWhitney(run.stats);
  test->fMessages.push_back(message(222328, Stats::kMError, {}, "0;1")); // a pairwise code
  test->fMessages.push_back(message(222310, Stats::kMError, {12, 0.125}));
  Stats::BaseHypothesisTest* bare = addMannWhitney(run.stats);
  bare->fMessages.push_back(message(222311, Stats::kMError));
  run.Display();
  const output::Table& table = summary(run);
  const output::Cell* cell = cellAt(table, {"1", "Sig."});
  ASSERT_NE(cell, nullptr);
  ASSERT_EQ(cell->notes.size(), 1u);
  const output::Label& note = cell->notes[0].label;
  EXPECT_EQ(keyOf(note), "222310");
  ASSERT_EQ(note.Items().size(), 2u);
  EXPECT_EQ(note.Items()[0].Number(), 12.0);
  EXPECT_EQ(note.Items()[1].Number(), 0.125);
  EXPECT_EQ(cellNotes(table, {"2", "Sig."}), std::vector<std::string>{"222311"});
}

namespace {

// The sentence of the first summary row: its key and the shown texts of its items (a sublist
// as its items joined by "|").
struct Sentence {
  std::string key;
  std::vector<std::string> items;
};

Sentence sentenceOf(const output::Table& table, const std::string& row) {
  Sentence sentence;
  const output::Cell* cell = cellAt(table, {row, "Null Hypothesis"});
  if (cell == nullptr)
    return {"<no cell>", {}};
  sentence.key = keyOf(cell->label);
  for (const output::Label& item : cell->label.Items()) {
    if (item.Kind() == output::LabelKind::kList) {
      std::string joined;
      for (const output::Label& sub : item.Items())
        joined += (joined.empty() ? "" : "|") + sub.Text();
      sentence.items.push_back(joined);
    } else {
      sentence.items.push_back(item.Text());
    }
  }
  return sentence;
}

} // namespace

TEST(HypothesisSummary, ConditionSentences) {
  WriterRun run;
  Stats::FieldDistributionData* x = run.AddField("x");
  run.AddField("y");
  run.AddField("z");
  // Field 0 has three categories with labels.
  VORN_Variable* xVar = run.data->GetVariable(0);
  for (int v = 1; v <= 3; ++v) {
    xVar->ValueLabels().Add(v, "level " + std::to_string(v));
    Stats::NPValueLabel label;
    label.fIndex = v - 1;
    label.fValue.SetCompleteValue(std::to_string(v), xVar, 0);
    label.fLabel = "level " + std::to_string(v);
    x->fValueLabels.push_back(label);
  }
  addTest(run.stats, Stats::kCOneSample, Stats::kAOChiSquare,
          "DefaultEqualProbabilities_O_ChiSquare_1", {{0}});
  Stats::BaseHypothesisTest* binomial =
      addTest(run.stats, Stats::kCOneSample, Stats::kAOBinomial,
              "CategoryListsAreSpecified_O_Binomial_5", {{0}, {0, 7}, {2}, {0.5}, {0.25}});
  binomial->fValsNotInCategories = {"99"};
  addTest(run.stats, Stats::kCOneSample, Stats::kAOBinomial,
          "ABinaryTestVariableIsSpecified_O_Binomial_5", {{0}, {1}, {8}, {0.5}, {0.5}});
  addTest(run.stats, Stats::kCRelatedSamples, Stats::kARCochransQ,
          "DefaultAllDistinctValuesUsed_R_CochransQ_1", {{0, 1, 2}});
  addTest(run.stats, Stats::kCRelatedSamples, Stats::kARSign, "R_Sign_2", {{0}, {5}});
  addTest(run.stats, Stats::kCIndependentSamples, Stats::kAIMannWhitneyU, "NoSuchKey_2",
          {{0}, {1}});
  addTest(run.stats, Stats::kCOneSample, Stats::kAORuns, "ACutPointIsSpecified_O_Runs_2",
          {{0}, {}});
  run.Display();
  const output::Table& table = summary(run);

  struct Expect {
    const char* row;
    const char* key;
    std::vector<std::string> items;
  };
  const std::vector<Expect> expected = {
      {"1", "DefaultEqualProbabilities_O_ChiSquare_1", {"x"}},
      // Position 7 is outside the categories: the next value outside them stands in.
      {"2",
       "CategoryListsAreSpecified_O_Binomial_5",
       {"x", "level 1|99", "level 3", ".500", ".250"}},
      // Position 8 has no label and no stand-in: the item says so.
      {"3",
       "ABinaryTestVariableIsSpecified_O_Binomial_5",
       {"x", "level 2", "Unknown Variable", ".500", ".500"}},
      {"4", "DefaultAllDistinctValuesUsed_R_CochransQ_1", {"x|y|z"}},
      {"5", "R_Sign_2", {"x", "Unknown Variable"}},
      {"7", "ACutPointIsSpecified_O_Runs_2", {"x", " "}},
  };
  for (const Expect& e : expected) {
    SCOPED_TRACE(e.row);
    const Sentence sentence = sentenceOf(table, e.row);
    EXPECT_EQ(sentence.key, e.key);
    EXPECT_EQ(sentence.items, e.items);
  }
  const output::Cell* unknown = cellAt(table, {"6", "Null Hypothesis"});
  ASSERT_NE(unknown, nullptr);
  EXPECT_EQ(unknown->label.Text(), "Unknown Condition Key: NoSuchKey_2");
  EXPECT_FALSE(unknown->label.Translatable());
}

TEST(HypothesisSummary, NormalStandardDeviationOfADateFieldIsInSeconds) {
  for (const bool isDate : {false, true}) {
    SCOPED_TRACE(isDate ? "date" : "number");
    WriterRun run;
    run.AddField("when");
    if (isDate)
      run.data->GetVariable(0)->SetFormat(VORN_Format(VORN_Format::kDATE, 11, 0));
    addTest(run.stats, Stats::kCOneSample, Stats::kAOKolmogorovSmirnov, kNormal, {{0}, {0}, {2.5}});
    run.Display();
    const output::Cell* cell = cellAt(summary(run), {"1", "Null Hypothesis"});
    ASSERT_NE(cell, nullptr);
    ASSERT_EQ(cell->label.Items().size(), 3u);
    EXPECT_EQ(cell->label.Items()[2].Number(), isDate ? 2.5 * 86400 : 2.5);
  }
}

TEST(HypothesisSummary, ParameterCountMustFitTheKey) {
  WriterRun run;
  run.AddField("x");
  addTest(run.stats, Stats::kCOneSample, Stats::kAOBinomial, "ACutPointIsSpecified_O_Binomial_4",
          {{0}, {1}});
  try {
    run.Display();
    FAIL() << "no assertion";
  } catch (const CFAssertionError& e) {
    EXPECT_EQ(e.Expression(), "data.fParameters.size() == 4");
    EXPECT_EQ(e.Source(), "backend/nonpar/NOPROutput");
  }
}

TEST(ConfidenceIntervalSummary, RowsAcrossRecordsAndNotes) {
  WriterRun run;
  run.stats.ConfLevel(0.95);
  run.AddField("x");
  run.AddField("y");
  auto* binomial =
      static_cast<Stats::HTOEstimateConfidenceInterval*>(run.stats.CreateHypothesisTest(
          Stats::kCOneSample, Stats::kAOEstimateConfidenceInterval, Stats::kDNone));
  binomial->fCondition.fConditionKey = "ACutPointIsSpecified_O_Binomial_2";
  binomial->fCondition.fParameters = {{0, {0}}, {1, {20}}};
  for (const char* method : {"ClopperPearson", "Jeffreys", "LikelihoodRatio"}) {
    Stats::EstConIntervalData interval;
    interval.fMethod = method;
    interval.fEstimate = 0.5;
    interval.fLower = 0.3;
    interval.fUpper = 0.7;
    binomial->fIntervals.push_back(interval);
  }
  auto* pairs = static_cast<Stats::HTRHodgesLehmannEstimatePairs*>(run.stats.CreateHypothesisTest(
      Stats::kCRelatedSamples, Stats::kARHodgesLehmannEstimatePairs, Stats::kDNone));
  pairs->fCondition.fConditionKey = "R_HodgesLehman_2";
  pairs->fCondition.fParameters = {{0, {0}}, {1, {1}}};
  pairs->fEstimate.fEstimate = 1.25;
  pairs->fMessages.push_back(message(222303, Stats::kMHelpMessage, {}));
  auto* empty = run.stats.CreateHypothesisTest(Stats::kCOneSample,
                                               Stats::kAOEstimateConfidenceInterval, Stats::kDNone);
  empty->fCondition.fConditionKey = "ACutPointIsSpecified_O_Binomial_2";
  empty->fCondition.fParameters = {{0, {0}}, {1, {20}}};
  run.Display();

  const output::Table& table = tableNamed(run.Root(), "Confidence Interval Summary");
  EXPECT_EQ(leafPaths(dimensionNamed(table, "Item")),
            (std::vector<std::string>{"1", "2", "3", "4", "5"}));
  const output::Cell* type = cellAt(table, {"2", "Confidence Interval Type"});
  ASSERT_NE(type, nullptr);
  EXPECT_EQ(keyOf(type->label), "One-Sample Binomial Success Rate ^1");
  ASSERT_EQ(type->label.Items().size(), 1u);
  EXPECT_EQ(keyOf(type->label.Items()[0]), "Jeffreys");
  EXPECT_EQ(keyOf(cellAt(table, {"4", "Confidence Interval Type"})->label),
            "Related-Samples Hodges-Lehman Median Difference");
  EXPECT_EQ(keyOf(cellAt(table, {"4", "Parameter"})->label), "R_HodgesLehman_2");

  // The interval group is labelled with the level in percent.
  const output::Dimension& statistics = dimensionNamed(table, "Statistics");
  const std::vector<std::string> columns = leafPaths(statistics);
  ASSERT_EQ(columns.size(), 5u);
  const output::Category* lower = categoryAt(statistics, columns[3]);
  ASSERT_NE(lower, nullptr);
  EXPECT_EQ(lower->Parent()->GetLabel().Items().at(0).Number(), 95.0);
  EXPECT_DOUBLE_EQ(numberAt(table, {"1", columns[3]}), 0.3);

  EXPECT_DOUBLE_EQ(numberAt(table, {"4", "Estimate"}), 1.25);
  EXPECT_EQ(cellNotes(table, {"4", "Estimate"}), std::vector<std::string>{"222303"});
  EXPECT_TRUE(cellNotes(table, {"1", "Estimate"}).empty());
  EXPECT_EQ(numberAt(table, {"5", "Estimate"}), NOPRUTILITY::getSysMissing());
  EXPECT_EQ(numberAt(table, {"5", columns[4]}), NOPRUTILITY::getSysMissing());
}
