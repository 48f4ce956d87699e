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

std::string shown(const output::Table& table, const std::string& path) {
  const output::Cell* cell = cellAt(table, {path});
  return cell == nullptr ? "<no cell>" : cell->label.Text();
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

Stats::HTOKolmogorovSmirnov* addKS(Stats& stats, const std::string& key, bool useSample,
                                   double totalN) {
  auto* test = static_cast<Stats::HTOKolmogorovSmirnov*>(
      addTest(stats, Stats::kCOneSample, Stats::kAOKolmogorovSmirnov, key, {{0}, {1}, {2}}));
  test->fIsUseSample = useSample;
  addResult(test, "", {{"TotalN", totalN}, {"TestStatistic", 0.12}, {"AsymptoticSig2Tailed", 0.4}});
  return test;
}

void addCompanion(Stats& stats, const std::string& key) {
  auto* lill = static_cast<Stats::HTOKolmogorovSmirnov*>(
      addTest(stats, Stats::kCOneSample, Stats::kAOLilliefors, key, {{0}, {1}, {2}}));
  lill->fIsUseSample = true;
  addResult(lill, "",
            {{"AsymptoticSig2Tailed", 0.25},
             {"ConfidenceIntervalLowerBound", 0.24},
             {"ConfidenceIntervalUpperBound", 0.26}});
}

} // namespace

TEST(StatisticsTable, UnnamedResultRowsFormatsAndMessages) {
  WriterRun run;
  run.AddField("x");
  run.AddField("g");
  auto* test = addTest(run.stats, Stats::kCIndependentSamples, Stats::kAIMannWhitneyU,
                       "DefaultAllDistinctValuesUsed_I_MannWhitneyU_2", {{0}, {1}});
  addResult(test, "", {{"TestStatistic", 31.5}, {"TotalN", 20}, {"AsymptoticSig2Tailed", 0.04}});
  test->fMessages.push_back(message(222303, Stats::kMHelpMessage, {25}));
  test->fMessages.push_back(message(222329, Stats::kMWarning, {}, "0;1")); // a pairwise code
  run.Display();
  const output::Table& table = statsTable(run, "Independent-Samples Mann-Whitney U Test");
  EXPECT_EQ(leafPaths(*table.Dimensions().back()),
            (std::vector<std::string>{"TestStatistic", "TotalN", "AsymptoticSig2Tailed"}));
  EXPECT_EQ(shown(table, "TotalN"), "20");
  EXPECT_EQ(shown(table, "AsymptoticSig2Tailed"), ".040");
  EXPECT_EQ(cellNotes(table, {"TestStatistic"}), std::vector<std::string>{"222303"});
}

TEST(StatisticsTable, RunsTestWithAndWithoutTies) {
  {
    SCOPED_TRACE("no ties: one ungrouped set of rows");
    WriterRun run;
    run.AddField("x");
    run.AddField("g");
    addRuns(run.stats, 7, 7);
    run.Display();
    const output::Table& table = statsTable(run, "Independent-Samples Wald-Wolfowitz Runs Test");
    EXPECT_EQ(leafPaths(*table.Dimensions().back()),
              (std::vector<std::string>{"TotalN", "TestStatistic", "AsymptoticSig1Tailed"}));
    EXPECT_DOUBLE_EQ(numberAt(table, {"AsymptoticSig1Tailed"}), 0.01);
    EXPECT_EQ(categoryNotes(table, "TestStatistic"),
              std::vector<std::string>{"The test statistic is the number of runs."});
    EXPECT_EQ(cellNotes(table, {"TestStatistic"}), std::vector<std::string>{"222302"});
  }
  {
    SCOPED_TRACE("ties: minimum and maximum groups");
    WriterRun run;
    run.AddField("x");
    run.AddField("g");
    addRuns(run.stats, 5, 9);
    run.Display();
    const output::Table& table = statsTable(run, "Independent-Samples Wald-Wolfowitz Runs Test");
    EXPECT_EQ(leafPaths(*table.Dimensions().back()),
              (std::vector<std::string>{
                  "TotalN", "MinimumPossible/TestStatistic", "MinimumPossible/AsymptoticSig1Tailed",
                  "MaximumPossible/TestStatistic", "MaximumPossible/AsymptoticSig1Tailed"}));
    for (const char* group : {"MinimumPossible", "MaximumPossible"}) {
      const std::string path = std::string(group) + "/TestStatistic";
      EXPECT_EQ(categoryNotes(table, path),
                std::vector<std::string>{"The test statistic is the number of runs."});
      EXPECT_EQ(cellNotes(table, {path}), std::vector<std::string>{"222302"});
    }
  }
}

TEST(StatisticsTable, CompanionRowsUnderTheMonteCarloGroup) {
  struct Case {
    const char* description;
    const char* key;
    const char* lillKey;
    double level;
    const char* levelShown;
    bool ownSigUnderMonteCarlo;
  };
  const std::vector<Case> cases = {
      {"normal, level 99", "NormalDistribution_O_KolmogorovSmirnov_3",
       "NormalDistribution_O_Lilliefors_3", 99.0, "99", false},
      {"normal, level 95.5", "NormalDistribution_O_KolmogorovSmirnov_3",
       "NormalDistribution_O_Lilliefors_3", 95.5, "95.5", false},
      {"uniform", "UniformDistribution_O_KolmogorovSmirnov_3", "UniformDistribution_O_Lilliefors_3",
       99.0, "99", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.description);
    WriterRun run;
    run.stats.UseKSNormSimul(true);
    run.stats.UseKSUniformSimul(true);
    run.stats.MCConfLevel(c.level);
    run.AddField("x");
    addKS(run.stats, c.key, true, 30);
    addCompanion(run.stats, c.lillKey);
    run.Display();
    const output::Table& table = tableNamed(
        run.Root(), std::string("One-Sample Kolmogorov-Smirnov ") +
                        (c.ownSigUnderMonteCarlo ? "Uniform" : "Normal") + " Test Summary");
    const std::string interval = std::string(kMC) + "/" + c.levelShown + "% Confidence Interval";
    std::vector<std::string> expected = {"TotalN", "TestStatistic"};
    if (!c.ownSigUnderMonteCarlo)
      expected.push_back("AsymptoticSig2Tailed");
    expected.push_back(std::string(kMC) + "/Sig.");
    expected.push_back(interval + "/Lower Bound");
    expected.push_back(interval + "/Upper Bound");
    EXPECT_EQ(leafPaths(*table.Dimensions().back()), expected);
    EXPECT_DOUBLE_EQ(numberAt(table, {std::string(kMC) + "/Sig."}), 0.25);
    EXPECT_DOUBLE_EQ(numberAt(table, {interval + "/Upper Bound"}), 0.26);
    EXPECT_EQ(categoryNotes(table, kMC), std::vector<std::string>{"Lill ^1 samples ^ 2 seed ..."});
  }
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
    addKS(run.stats, "NormalDistribution_O_KolmogorovSmirnov_3", true, c.totalN)->fIsSigLowerBound =
        c.lowerBound;
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
