// Reading the NPTESTS command: engine variables, seed and Kolmogorov-Smirnov simulation settings,
// from commands parsed the way the host parses them.
#include "NOPRProcCustom.h"

#include "dict/ProcedureDataSource.h"
#include "parser/CommandParser.h"
#include "parser/NptestsGrammar.h"
#include "parser/ParserMessageLog.h"
#include "proc/CFAssert.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr unsigned int kGeneratorState = 4242;

class ProcessSyntaxTest : public ::testing::Test {
protected:
  ProcessSyntaxTest() {
    // Dictionary order: a b c d s w x g name
    for (const char* name : {"a", "b", "c", "d", "s", "w", "x", "g"})
      fData.AddVariable(VORN_Variable(name, 0));
    fData.AddVariable(VORN_Variable("name", 8));
    fGrammar.SetMessageLog(&fLog);
    fProc.SetDataSource(&fData);
    fProc.SetSeedGeneratorState(kGeneratorState);
  }

  // Parses with the NPTESTS grammar and hands the result to the procedure, as the host does.
  // Without `checkNames` the parse keeps variable names as written.
  bool Run(const std::string& text, bool checkNames = true) {
    fSpec = CommandParser(fGrammar, checkNames ? &fData : nullptr).Parse(text);
    return fProc.ProcessSyntax(fSpec.get(), &fGrammar);
  }

  static int FirstDrawnSeed() {
    CFProcCustom reference;
    reference.SetSeedGeneratorState(kGeneratorState);
    return reference.GetNextSeed();
  }

  ProcedureDataSource fData;
  CommandDescriptor fGrammar = MakeNptestsDescriptor();
  ParserMessageLog fLog;
  NOPRProcCustom fProc;
  std::unique_ptr<CommandSpec> fSpec;
};

TEST_F(ProcessSyntaxTest, EngineVariablesAreSortedAndUniqueWithSplitAndWeight) {
  fProc.SetSplitVarIndexes({4});
  fProc.SetWeightVarIndex(5);
  ASSERT_TRUE(Run("NPTESTS /ONESAMPLE TEST(b a) CHISQUARE /RELATED TEST(c b) WILCOXON"));
  EXPECT_EQ(fProc.GetEngineVarIndexes(), (std::vector<int>{0, 1, 2, 4, 5}));
  EXPECT_TRUE(fLog.GetEntries().empty());
}

TEST_F(ProcessSyntaxTest, GroupingFieldJoinsTheEngineVariables) {
  ASSERT_TRUE(Run("NPTESTS /INDEPENDENT TEST(x TO g) GROUP(a) MANN_WHITNEY"));
  EXPECT_EQ(fProc.GetEngineVarIndexes(), (std::vector<int>{0, 6, 7}));
}

TEST_F(ProcessSyntaxTest, SeedDrawnGivenOrIgnored) {
  struct Row {
    const char* desc;
    const char* command;
    bool normSimul;
    bool drawSeed;
    int seed; // 0: the host's next seed
  } rows[] = {
      {"NORMAL=SAMPLE as a leading token draws a seed",
       "NPTESTS /ONESAMPLE TEST(a) KOLMOGOROV_SMIRNOV(NORMAL=SAMPLE)", true, true, 0},
      {"a given seed is used instead",
       "NPTESTS /ONESAMPLE TEST(a) KOLMOGOROV_SMIRNOV(NORMAL=SAMPLE) /CRITERIA SEED=123", true,
       false, 123},
      {"SEED=RANDOM keeps the drawn seed",
       "NPTESTS /ONESAMPLE TEST(a) KOLMOGOROV_SMIRNOV(NORMAL=SAMPLE) /CRITERIA SEED=random", true,
       true, 0},
      {"without simulation the seed is ignored",
       "NPTESTS /ONESAMPLE TEST(a) KOLMOGOROV_SMIRNOV /CRITERIA SEED=123", false, false, 2000000},
      {"SAMPLE=TRUE", "NPTESTS /ONESAMPLE TEST(a) KOLMOGOROV_SMIRNOV(NORMAL(SAMPLE=TRUE))", true,
       true, 0},
      {"SAMPLE=FALSE", "NPTESTS /ONESAMPLE TEST(a) KOLMOGOROV_SMIRNOV(NORMAL(SAMPLE=false))", false,
       false, 2000000},
  };
  for (const Row& row : rows) {
    fProc.SetDrawSeed(false);
    fProc.SetSeedGeneratorState(kGeneratorState);
    ASSERT_TRUE(Run(row.command)) << row.desc;
    EXPECT_EQ(fProc.UseKSNormSimul(), row.normSimul) << row.desc;
    EXPECT_EQ(fProc.GetDrawSeed(), row.drawSeed) << row.desc;
    EXPECT_EQ(fProc.GetSeed(), row.seed == 0 ? FirstDrawnSeed() : row.seed) << row.desc;
  }
  fProc.SetDrawSeed(true); // the host's request holds without simulation too
  fProc.SetSeedGeneratorState(kGeneratorState);
  ASSERT_TRUE(Run("NPTESTS /ONESAMPLE TEST(a) RUNS"));
  EXPECT_EQ(fProc.GetSeed(), FirstDrawnSeed());
}

TEST_F(ProcessSyntaxTest, OtherDistributionsAndSimulationSettings) {
  ASSERT_TRUE(Run("NPTESTS /ONESAMPLE TEST(a) KOLMOGOROV_SMIRNOV(UNIFORM=SAMPLE "
                  "EXPONENTIAL=SAMPLE NSAMPLES=500 MC_CILEVEL=95.5) /CRITERIA SEED=77"));
  EXPECT_FALSE(fProc.UseKSNormSimul());
  EXPECT_TRUE(fProc.UseKSUniformSimul());
  EXPECT_TRUE(fProc.UseKSExponSimul());
  EXPECT_EQ(fProc.NumSamples(), 500);
  EXPECT_EQ(fProc.MCConfLevel(), 95.5);
  EXPECT_EQ(fProc.GetSeed(), 77);

  // A new command starts from the defaults.
  ASSERT_TRUE(Run("NPTESTS /ONESAMPLE TEST(a) KOLMOGOROV_SMIRNOV(UNIFORM=CUSTOM(MIN=0 MAX=1))"));
  EXPECT_FALSE(fProc.UseKSUniformSimul());
  EXPECT_FALSE(fProc.UseKSExponSimul());
  EXPECT_EQ(fProc.NumSamples(), 10000);
  EXPECT_EQ(fProc.MCConfLevel(), 99.0);
  EXPECT_EQ(fProc.GetSeed(), 2000000);
}

TEST_F(ProcessSyntaxTest, PoissonSampleIsIgnoredWithOneWarning) {
  ASSERT_TRUE(Run("NPTESTS /ONESAMPLE TEST(a) KOLMOGOROV_SMIRNOV(POISSON=SAMPLE)"));
  EXPECT_EQ(fLog.GetEntries().size(), 1u) << "the warning (its words: NptestsProgramTest)";
  EXPECT_FALSE(fProc.UseKSNormSimul() || fProc.UseKSUniformSimul() || fProc.UseKSExponSimul());
  EXPECT_FALSE(fProc.GetDrawSeed());
}

TEST_F(ProcessSyntaxTest, FieldBothTestAndGroupIsRefused) {
  fProc.SetSplitVarIndexes({4});
  ASSERT_TRUE(Run("NPTESTS /ONESAMPLE TEST(a) RUNS"));
  const std::vector<int> before = fProc.GetEngineVarIndexes();
  EXPECT_FALSE(Run("NPTESTS /INDEPENDENT TEST=x GROUP=x MEDIAN"));
  EXPECT_EQ(fProc.GetEngineVarIndexes(), before);
  ASSERT_EQ(fLog.GetEntries().size(), 1u);
  EXPECT_EQ(fLog.GetEntries()[0].fText,
            "INDEPENDENT TEST: the variable x cannot be both in TEST and in GROUP");
}

TEST_F(ProcessSyntaxTest, InvalidNamesAreLeftOutQuietly) {
  // Without a dictionary the host's parse keeps names as written; the procedure checks them.
  ASSERT_TRUE(
      Run("NPTESTS /INDEPENDENT TEST(a zz) GROUP(a) MEDIAN /RELATED TEST(b c) SIGN", false));
  EXPECT_EQ(fProc.GetEngineVarIndexes(), (std::vector<int>{0, 1, 2}))
      << "a TEST list with an unknown name is not added; the group is, unchecked against it";
  ASSERT_TRUE(Run("NPTESTS /INDEPENDENT TEST(a) GROUP(zz) MEDIAN", false));
  EXPECT_EQ(fProc.GetEngineVarIndexes(), std::vector<int>{0});
  EXPECT_TRUE(fLog.GetEntries().empty());
}

TEST_F(ProcessSyntaxTest, UnreadableQualifierLeavesEngineStateAsItWas) {
  CommandDescriptor lenient("NPTESTS", "Nonparametric Tests");
  lenient
      .SubCommand(SubComDescriptor("ONESAMPLE")
                      .Param(ParamDescriptor("TEST").Variables().Items(1, 99))
                      .Param(ParamDescriptor("KOLMOGOROV_SMIRNOV").Open()))
      .SubCommand(
          SubComDescriptor("RELATED").Param(ParamDescriptor("TEST").Variables().Items(1, 99)));
  struct Row {
    const char* desc;
    const char* command;
    int numSamples;
  } rows[] = {
      {"unknown qualifier", "NPTESTS /ONESAMPLE TEST(a) KOLMOGOROV_SMIRNOV(NSAMPLES=500 FOO=1)",
       10000},
      {"NORMAL with two items, after NSAMPLES was read",
       "NPTESTS /ONESAMPLE TEST(a) KOLMOGOROV_SMIRNOV(NSAMPLES=500 NORMAL(SAMPLE CUSTOM)) "
       "/RELATED TEST(b c)",
       500},
      {"SAMPLE with two values",
       "NPTESTS /ONESAMPLE TEST(a) KOLMOGOROV_SMIRNOV(NORMAL(SAMPLE(TRUE FALSE)))", 10000},
      {"bare UNIFORM", "NPTESTS /ONESAMPLE TEST(a) KOLMOGOROV_SMIRNOV(UNIFORM)", 10000},
  };
  for (const Row& row : rows) {
    NOPRProcCustom proc;
    proc.SetDataSource(&fData);
    proc.SetDrawSeed(false);
    auto spec = CommandParser(lenient, &fData).Parse(row.command);
    EXPECT_FALSE(proc.ProcessSyntax(spec.get(), &fGrammar)) << row.desc;
    EXPECT_TRUE(proc.GetEngineVarIndexes().empty()) << row.desc;
    EXPECT_FALSE(proc.GetDrawSeed()) << row.desc;
    EXPECT_FALSE(proc.UseKSNormSimul()) << row.desc;
    EXPECT_EQ(proc.NumSamples(), row.numSamples) << row.desc;
    EXPECT_EQ(proc.GetSeed(), 2000000) << row.desc;
  }
}

TEST_F(ProcessSyntaxTest, NullArgumentsChangeNothing) {
  fProc.SetSeed(9);
  EXPECT_TRUE(fProc.ProcessSyntax(nullptr, &fGrammar));
  CommandSpec spec("NPTESTS");
  EXPECT_TRUE(fProc.ProcessSyntax(&spec, nullptr));
  EXPECT_EQ(fProc.GetSeed(), 9);
}

TEST_F(ProcessSyntaxTest, GrammarWithoutTheKeywordsUsedIsAContractError) {
  fSpec = CommandParser(fGrammar, &fData)
              .Parse("NPTESTS /ONESAMPLE TEST(a) KOLMOGOROV_SMIRNOV(NORMAL=SAMPLE)");
  CommandDescriptor noOneSample("NPTESTS", "Nonparametric Tests");
  CommandDescriptor noKS("NPTESTS", "Nonparametric Tests");
  noKS.SubCommand(SubComDescriptor("ONESAMPLE"));
  struct Row {
    const CommandDescriptor* grammar;
    const char* expression;
  } rows[] = {{&noOneSample, "pOneSampDesc != 0"}, {&noKS, "pKolmSmirnDesc != 0"}};
  for (const Row& row : rows) {
    try {
      fProc.ProcessSyntax(fSpec.get(), row.grammar);
      ADD_FAILURE() << row.expression << ": no assertion";
    } catch (const CFAssertionError& e) {
      EXPECT_EQ(e.Expression(), row.expression);
      EXPECT_EQ(e.Function(), "ProcessSyntax");
      EXPECT_EQ(e.Source(), "backend/nonpar/NOPRProcCustom");
    }
  }
}

} // namespace
