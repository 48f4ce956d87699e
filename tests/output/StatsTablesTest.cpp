// The statistics table of each test: rows and groups from the named results, the Monte Carlo
// rows of a Lilliefors companion, and the notes of the Moses, runs and Kolmogorov-Smirnov tests.
#include "OutputTestSupport.h"

using namespace outtest;

namespace {

const char* const kMC = "MonteCarloSig2Tailed";

const output::Table& statsTable(const WriterRun& run, const std::string& title) {
  return tableNamed(run.Root(), title + " Summary");
}

std::vector<std::string> categoryNotes(const output::Table& table, const std::string& path) {
  const output::Category* node = categoryAt(table.Dimensions().back().operator*(), path);
  return node == nullptr ? std::vector<std::string>{"<none>"} : noteKeys(node->Notes());
}

Stats::BaseHypothesisTest* addRuns(Stats& stats, double minimum, double maximum) {
  auto* test = addTest(stats, Stats::kCIndependentSamples, Stats::kAIWaldWolfowitzRuns,
                       "DefaultAllDistinctValuesUsed_I_WaldWolfowitzRuns_2", {{0}, {1}});
  addResult(test, "", {{"TotalN", 40}});
  addResult(test, "MinimumPossible", {{"TestStatistic", minimum}, {"AsymptoticSig1Tailed", 0.01}});
  addResult(test, "MaximumPossible", {{"TestStatistic", maximum}, {"AsymptoticSig1Tailed", 0.3}});
  test->fMessages.push_back(message(222302, Stats::kMWarning, {3}));
  return test;
}

} // namespace

// Without ties one ungrouped set of rows; with ties a minimum and a maximum group, each with the
// runs note on its statistic and the message on its cell.
TEST(StatisticsTable, RunsTestWithAndWithoutTies) {
  for (const bool ties : {false, true}) {
    SCOPED_TRACE(ties ? "ties" : "no ties");
    WriterRun run;
    run.AddField("x");
    run.AddField("g");
    addRuns(run.stats, ties ? 5 : 7, ties ? 9 : 7);
    run.Display();
    const output::Table& table = statsTable(run, "Independent-Samples Wald-Wolfowitz Runs Test");
    const std::vector<std::string> groups =
        ties ? std::vector<std::string>{"MinimumPossible/", "MaximumPossible/"}
             : std::vector<std::string>{""};
    std::vector<std::string> rows = {"TotalN"};
    for (const std::string& group : groups) {
      rows.push_back(group + "TestStatistic");
      rows.push_back(group + "AsymptoticSig1Tailed");
      EXPECT_EQ(categoryNotes(table, group + "TestStatistic"),
                std::vector<std::string>{"The test statistic is the number of runs."});
      EXPECT_EQ(cellNotes(table, {group + "TestStatistic"}), std::vector<std::string>{"222302"});
    }
    EXPECT_EQ(leafPaths(*table.Dimensions().back()), rows);
    EXPECT_DOUBLE_EQ(numberAt(table, {groups.front() + "AsymptoticSig1Tailed"}), 0.01);
  }
}

// The companion's rows under the Monte Carlo group, its interval labelled with a level that is
// not whole. The uniform test and the level 99 show in the stored output of the examples.
TEST(StatisticsTable, CompanionRowsUnderTheMonteCarloGroup) {
  WriterRun run;
  run.stats.UseKSNormSimul(true);
  run.stats.MCConfLevel(95.5);
  run.AddField("x");
  addKS(run.stats, true, 0.4);
  addLilliefors(run.stats, 0, 0.25);
  run.Display();
  const output::Table& table = statsTable(run, "One-Sample Kolmogorov-Smirnov Normal Test");
  const std::string interval = std::string(kMC) + "/95.5% Confidence Interval";
  EXPECT_EQ(leafPaths(*table.Dimensions().back()),
            (std::vector<std::string>{"TotalN", "TestStatistic", "AsymptoticSig2Tailed",
                                      std::string(kMC) + "/Sig.", interval + "/Lower Bound",
                                      interval + "/Upper Bound"}));
  EXPECT_DOUBLE_EQ(numberAt(table, {std::string(kMC) + "/Sig."}), 0.25);
  EXPECT_DOUBLE_EQ(numberAt(table, {interval + "/Upper Bound"}), 0.26);
  EXPECT_EQ(categoryNotes(table, kMC), std::vector<std::string>{"Lill ^1 samples ^ 2 seed ..."});
}

TEST(StatisticsTable, NormalKSOnSampleParameters) {
  struct Case {
    const char* description;
    double totalN;
    bool lowerBound;
    double sig;
    std::vector<std::string> cellNotes;
    std::vector<std::string> categoryNotes;
  };
  const std::vector<Case> cases = {
      {"three cases", 3, false, NOPRUTILITY::getSysMissing(), {"HTSFootNoteFisherCantCompute"}, {}},
      {"ten cases", 10, false, 0.4, {}, {"HTSFootNoteFootNoteFisherLillifors"}},
      {"lower bound",
       10,
       true,
       0.2,
       {"HTSFootNoteFootNoteFisherLowerBound"},
       {"HTSFootNoteFootNoteFisherLillifors"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.description);
    WriterRun run;
    run.AddField("x");
    addKS(run.stats, true, 0.4, c.totalN)->fIsSigLowerBound = c.lowerBound;
    run.Display();
    const output::Table& table = statsTable(run, "One-Sample Kolmogorov-Smirnov Normal Test");
    EXPECT_EQ(numberAt(table, {"AsymptoticSig2Tailed"}), c.sig);
    EXPECT_EQ(cellNotes(table, {"AsymptoticSig2Tailed"}), c.cellNotes);
    EXPECT_EQ(categoryNotes(table, "AsymptoticSig2Tailed"), c.categoryNotes);
  }
}

TEST(StatisticsTable, MosesSpanNoteOnlyWhereTheGroupReports) {
  WriterRun run;
  run.AddField("x");
  run.AddField("g");
  auto* test = addTest(run.stats, Stats::kCIndependentSamples, Stats::kAIMoses,
                       "DefaultAllDistinctValuesUsed_I_Moses_2", {{0}, {1}});
  addResult(test, "ObservedControlGroup", {{"TestStatistic", 40}, {"ExactSig1Tailed", 0.2}});
  run.Display();
  const output::Table& table =
      statsTable(run, "Independent-Samples Moses Test of Extreme Reaction");
  EXPECT_EQ(categoryNotes(table, "ObservedControlGroup/TestStatistic"),
            std::vector<std::string>{"The test statistic is the span."});
  EXPECT_EQ(categoryAt(*table.Dimensions().back(), "TrimmedControlGroup"), nullptr);
}
