// The hypothesis test summary and the confidence interval summary: the kind of the table and its
// notes, the null-hypothesis sentences, significance rewrites and notes, interval rows.
#include "OutputTestSupport.h"

#include "dict/VORN_Format.h"

#include <iterator>
#include <limits>

using namespace outtest;

namespace {

const char* const kSigLevelNote = "The significance level is ^1.";

Stats::BaseHypothesisTest* addMannWhitney(Stats& stats) {
  auto* test = addTest(stats, Stats::kCIndependentSamples, Stats::kAIMannWhitneyU,
                       "DefaultAllDistinctValuesUsed_I_MannWhitneyU_2", {{0}, {1}});
  addResult(test, "", {{"TotalN", 20}, {"TestStatistic", 31}, {"AsymptoticSig2Tailed", 0.04}});
  return test;
}

Stats::BaseHypothesisTest* addMedian(Stats& stats, const std::string& group,
                                     const std::string& attribute, double sig) {
  auto* test = addTest(stats, Stats::kCIndependentSamples, Stats::kAIMedian,
                       "DefaultAllDistinctValuesUsed_I_Median_2", {{0}, {1}});
  addResult(test, group, {{attribute, sig}});
  return test;
}

const output::Table& summary(const WriterRun& run) {
  return tableNamed(run.Root(), "Hypothesis Test Summary");
}

// The key of a row's null-hypothesis sentence and the shown texts of its items (a sublist as
// its members joined by "|").
std::vector<std::string> sentenceOf(const output::Table& table, const std::string& row) {
  const output::Cell* cell = cellAt(table, {row, "Null Hypothesis"});
  if (cell == nullptr)
    return {"<no cell>"};
  std::vector<std::string> sentence = {keyOf(cell->label)};
  for (const output::Label& item : cell->label.Items()) {
    std::string text = item.Kind() == output::LabelKind::kList ? "" : item.Text();
    for (const output::Label& member : item.Items())
      text += (text.empty() ? "" : "|") + member.Text();
    sentence.push_back(text);
  }
  return sentence;
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
      {"all with companions", 3, 0, 0, {"Sig ^1 Lill ^2 samples ^ 3 seed ..."}},
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
      addKS(run.stats, true, 0.3, 30, i);
      addLilliefors(run.stats, i, 0.2);
    }
    for (int i = 0; i < c.sampleNormal; ++i)
      addKS(run.stats, true, 0.3, 30, i);
    for (int i = 0; i < c.others; ++i)
      addMannWhitney(run.stats);
    run.Display();
    const output::Table& table = summary(run);
    const output::Category* sig = categoryAt(dimensionNamed(table, "Statistics"), "Sig.");
    ASSERT_NE(sig, nullptr);
    EXPECT_EQ(noteKeys(sig->Notes()), c.notes);
    EXPECT_EQ(leafPaths(dimensionNamed(table, "Item")).size(),
              static_cast<std::size_t>(c.withCompanion + c.sampleNormal + c.others));
    // The companion's own note appears on a row only when the table is not all Lilliefors.
    const output::Cell* first = cellAt(table, {"1", "Sig."});
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(!first->notes.empty() &&
                  first->notes.front().label.Text().rfind("Lilliefors' method", 0) == 0,
              c.withCompanion > 0 && c.others > 0);
  }
}

TEST(HypothesisSummary, CompanionGivesSignificanceDecisionAndFilledNote) {
  WriterRun run;
  run.stats.UseKSNormSimul(true);
  run.stats.NumSamples(5000);
  run.stats.UserSeed(123);
  run.AddField("x");
  run.AddField("y");
  addKS(run.stats, true, 0.3)->fDecision = Stats::kDRetain;
  addLilliefors(run.stats, 1, 0.9); // another field: not the companion
  addLilliefors(run.stats, 0, 0.01, Stats::kDReject);
  addMannWhitney(run.stats);
  run.Display();
  const output::Table& table = summary(run);
  EXPECT_DOUBLE_EQ(numberAt(table, {"1", "Sig."}), 0.01);
  EXPECT_EQ(keyOf(cellAt(table, {"1", "Decision"})->label), "Reject the null hypothesis.");
  ASSERT_EQ(cellAt(table, {"1", "Sig."})->notes.size(), 1u);
  EXPECT_EQ(cellAt(table, {"1", "Sig."})->notes[0].label.Text(),
            "Lilliefors' method based on 5000 Monte Carlo samples with starting seed 123.");
  EXPECT_EQ(keyOf(cellAt(table, {"2", "Decision"})->label), "Retain the null hypothesis.");
}

// One mixed table (the kind adds no note of its own), a row per case. Exact significances and
// the runs test with ties show in the stored output of the examples.
TEST(HypothesisSummary, SignificanceRewritesAndCellNotes) {
  WriterRun run;
  run.AddField("x");
  run.AddField("g");
  Stats& s = run.stats;
  addKS(s, true, 0.4, 4);
  addKS(s, true, 0.4, 5)->fIsSigLowerBound = true;
  addKS(s, false, 0.4);
  addMedian(s, "FisherExact", "FisherExactSig", 0.07);
  addMedian(s, "YatesContinuityCorrection", "AsymptoticSig2Tailed", 0.08);
  auto* runs = addTest(s, Stats::kCIndependentSamples, Stats::kAIWaldWolfowitzRuns,
                       "DefaultAllDistinctValuesUsed_I_WaldWolfowitzRuns_2", {{0}, {1}});
  addResult(runs, "MinimumPossible", {{"TestStatistic", 7}, {"AsymptoticSig1Tailed", 0.2}});
  addResult(runs, "MaximumPossible", {{"TestStatistic", 7}, {"AsymptoticSig1Tailed", 0.2}});
  addResult(addTest(s, Stats::kCOneSample, Stats::kAOChiSquare,
                    "DefaultEqualProbabilities_O_ChiSquare_1", {{0}}),
            "", {{"TestStatistic", 3}});
  // A critical message is the only note of its row, whatever else the record carries.
  Stats::BaseHypothesisTest* critical = addMannWhitney(s);
  critical->fMessages.push_back(message(222328, Stats::kMError, {}, "0;1")); // a pairwise code
  critical->fMessages.push_back(message(222310, Stats::kMError, {12, 0.125}));
  addMannWhitney(s)->fMessages.push_back(message(222311, Stats::kMError));
  run.Display();

  const output::Table& table = summary(run);
  const double sysmis = NOPRUTILITY::getSysMissing();
  const struct {
    const char* description;
    double sig;
    std::vector<std::string> notes;
  } rows[] = {
      {"normal K-S with TotalN 4 cannot be computed", sysmis, {"HTSFootNoteFisherCantCompute"}},
      {"TotalN 5 with the lower bound",
       0.2,
       {"HTSFootNoteFootNoteFisherLillAsymp", "HTSFootNoteFootNoteFisherLowerBound"}},
      {"K-S on given parameters", 0.4, {"Asymptotic significance is displayed."}},
      {"median test with Fisher's exact significance", 0.07, {"HTSFootNoteShowExact"}},
      {"median test with Yates's correction", 0.08, {"HTSFootNoteYateAsymSig"}},
      {"runs test without ties", 0.2, {}},
      {"no significance at all", sysmis, {}},
      {"critical message", 0.04, {"222310"}},
      {"critical message without items", 0.04, {"222311"}},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    SCOPED_TRACE(rows[i].description);
    EXPECT_DOUBLE_EQ(numberAt(table, {std::to_string(i + 1), "Sig."}), rows[i].sig);
    EXPECT_EQ(cellNotes(table, {std::to_string(i + 1), "Sig."}), rows[i].notes);
  }
  const output::Label& note = cellAt(table, {"8", "Sig."})->notes.at(0).label;
  ASSERT_EQ(note.Items().size(), 2u);
  EXPECT_EQ(note.Items()[0].Number(), 12.0);
  EXPECT_EQ(note.Items()[1].Number(), 0.125);
}

TEST(HypothesisSummary, ConditionSentences) {
  WriterRun run;
  Stats::FieldDistributionData* x = run.AddField("x");
  run.AddField("y");
  run.AddField("z");
  run.AddField("when");
  run.data->GetVariable(3)->SetFormat(VORN_Format(VORN_Format::kDATE, 11, 0));
  run.LabelValues(x, {"level 1", "level 2", "level 3"});
  Stats& s = run.stats;
  addTest(s, Stats::kCOneSample, Stats::kAOChiSquare, "DefaultEqualProbabilities_O_ChiSquare_1",
          {{0}});
  addTest(s, Stats::kCOneSample, Stats::kAOBinomial, "CategoryListsAreSpecified_O_Binomial_5",
          {{0}, {0, 7}, {2}, {0.5}, {0.25}})
      ->fValsNotInCategories = {"99"};
  addTest(s, Stats::kCOneSample, Stats::kAOBinomial, "ABinaryTestVariableIsSpecified_O_Binomial_5",
          {{0}, {1}, {8}, {0.5}, {0.5}});
  addTest(s, Stats::kCRelatedSamples, Stats::kARCochransQ,
          "DefaultAllDistinctValuesUsed_R_CochransQ_1", {{0, 1, 2}});
  addTest(s, Stats::kCRelatedSamples, Stats::kARSign, "R_Sign_2", {{0}, {5}});
  addTest(s, Stats::kCIndependentSamples, Stats::kAIMannWhitneyU, "NoSuchKey_2", {{0}, {1}});
  addTest(s, Stats::kCOneSample, Stats::kAORuns, "ACutPointIsSpecified_O_Runs_2", {{0}, {}});
  const std::string normal = "NormalDistribution_O_KolmogorovSmirnov_3";
  addTest(s, Stats::kCOneSample, Stats::kAOKolmogorovSmirnov, normal, {{0}, {0}, {2.5}});
  addTest(s, Stats::kCOneSample, Stats::kAOKolmogorovSmirnov, normal, {{3}, {0}, {2.5}});
  run.Display();
  const output::Table& table = summary(run);

  using Items = std::vector<std::string>;
  EXPECT_EQ(sentenceOf(table, "1"), (Items{"DefaultEqualProbabilities_O_ChiSquare_1", "x"}));
  // Position 7 is outside the categories: the next value outside them stands in.
  EXPECT_EQ(sentenceOf(table, "2"), (Items{"CategoryListsAreSpecified_O_Binomial_5", "x",
                                           "level 1|99", "level 3", ".500", ".250"}));
  // Position 8 has no label and no stand-in: the item says so.
  EXPECT_EQ(sentenceOf(table, "3"), (Items{"ABinaryTestVariableIsSpecified_O_Binomial_5", "x",
                                           "level 2", "Unknown Variable", ".500", ".500"}));
  EXPECT_EQ(sentenceOf(table, "4"), (Items{"DefaultAllDistinctValuesUsed_R_CochransQ_1", "x|y|z"}));
  EXPECT_EQ(sentenceOf(table, "5"), (Items{"R_Sign_2", "x", "Unknown Variable"}));
  const output::Cell* unknown = cellAt(table, {"6", "Null Hypothesis"});
  ASSERT_NE(unknown, nullptr);
  EXPECT_EQ(unknown->label.Text(), "Unknown Condition Key: NoSuchKey_2");
  EXPECT_FALSE(unknown->label.Translatable());
  EXPECT_EQ(sentenceOf(table, "7"), (Items{"ACutPointIsSpecified_O_Runs_2", "x", " "}));
  // The normal standard deviation of a date field is in seconds.
  EXPECT_EQ(cellAt(table, {"8", "Null Hypothesis"})->label.Items().at(2).Number(), 2.5);
  EXPECT_EQ(cellAt(table, {"9", "Null Hypothesis"})->label.Items().at(2).Number(), 2.5 * 86400);
}

// Rows are numbered across records: three intervals of one record, then the next record, then a
// record without intervals. Types and level labels show in the stored output of the examples.
TEST(ConfidenceIntervalSummary, RowsAcrossRecordsAndNotes) {
  WriterRun run;
  run.stats.ConfLevel(0.95);
  run.AddField("x");
  run.AddField("y");
  const std::string binomialKey = "ACutPointIsSpecified_O_Binomial_2";
  auto* binomial = static_cast<Stats::HTOEstimateConfidenceInterval*>(
      addTest(run.stats, Stats::kCOneSample, Stats::kAOEstimateConfidenceInterval, binomialKey,
              {{0}, {20}}, Stats::kDNone));
  for (const char* method : {"ClopperPearson", "Jeffreys", "LikelihoodRatio"}) {
    Stats::EstConIntervalData interval;
    interval.fMethod = method;
    interval.fEstimate = 0.5;
    interval.fLower = 0.3;
    interval.fUpper = 0.7;
    binomial->fIntervals.push_back(interval);
  }
  auto* pairs = static_cast<Stats::HTRHodgesLehmannEstimatePairs*>(
      addTest(run.stats, Stats::kCRelatedSamples, Stats::kARHodgesLehmannEstimatePairs,
              "R_HodgesLehman_2", {{0}, {1}}, Stats::kDNone));
  pairs->fEstimate.fEstimate = 1.25;
  pairs->fMessages.push_back(message(222303, Stats::kMHelpMessage, {}));
  addTest(run.stats, Stats::kCOneSample, Stats::kAOEstimateConfidenceInterval, binomialKey,
          {{0}, {20}}, Stats::kDNone);
  run.Display();

  const output::Table& table = tableNamed(run.Root(), "Confidence Interval Summary");
  EXPECT_EQ(leafPaths(dimensionNamed(table, "Item")),
            (std::vector<std::string>{"1", "2", "3", "4", "5"}));
  const output::Cell* type = cellAt(table, {"2", "Confidence Interval Type"});
  ASSERT_NE(type, nullptr);
  EXPECT_EQ(keyOf(type->label.Items().at(0)), "Jeffreys");
  EXPECT_EQ(keyOf(cellAt(table, {"4", "Confidence Interval Type"})->label),
            "Related-Samples Hodges-Lehman Median Difference");
  const std::vector<std::string> columns = leafPaths(dimensionNamed(table, "Statistics"));
  ASSERT_EQ(columns.size(), 5u);
  EXPECT_DOUBLE_EQ(numberAt(table, {"1", columns[3]}), 0.3);
  EXPECT_DOUBLE_EQ(numberAt(table, {"4", "Estimate"}), 1.25);
  EXPECT_EQ(cellNotes(table, {"4", "Estimate"}), std::vector<std::string>{"222303"});
  EXPECT_TRUE(cellNotes(table, {"1", "Estimate"}).empty());
  EXPECT_EQ(numberAt(table, {"5", "Estimate"}), NOPRUTILITY::getSysMissing());
  EXPECT_EQ(numberAt(table, {"5", columns[4]}), NOPRUTILITY::getSysMissing());
}

namespace {

// Field indexes and category values are doubles in the document; ones no int can hold must be
// taken as absent, never cast (the sanitizer build turns such a cast into a failure).
TEST(HypothesisSummary, IndexesNoIntCanHoldAreAbsent) {
  WriterRun run;
  run.AddField("x");
  const double hostile[] = {1e300, -1e300, std::numeric_limits<double>::quiet_NaN(),
                            std::numeric_limits<double>::infinity(), NOPRUTILITY::getSysMissing()};
  for (double h : hostile) {
    addTest(run.stats, Stats::kCOneSample, Stats::kAOBinomial,
            "ABinaryTestVariableIsSpecified_O_Binomial_5", {{h}, {h}, {1, h}, {0.5}, {0.5}});
    addTest(run.stats, Stats::kCOneSample, Stats::kAORuns, "CategoryListsAreSpecified_O_Runs_3",
            {{0}, {h, 1}, {2, h}});
    addTest(run.stats, Stats::kCRelatedSamples, Stats::kARFriedmansTwoWayByRanks,
            "R_FriedmansTwoWayByRanks_1", {{h, 0}});
  }
  run.Display();
  const output::Dimension& rows = dimensionNamed(summary(run), "Item");
  EXPECT_EQ(rows.Categories().size(), 3 * std::size(hostile)) << "every test has its row";
}

} // namespace
