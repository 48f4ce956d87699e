// The NPTESTS grammar through the parser: commands a user writes are read into the right tree,
// and mistakes are refused with the place and a clear message.
#include "parser/NptestsGrammar.h"

#include "DataTable.h"
#include "ParserTestData.h"
#include "ScratchFolder.h"

#include "parser/CommandParser.h"
#include "parser/CommandSyntaxError.h"
#include "parser/ParserMessageLog.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace {

class NptestsGrammarTest : public ::testing::Test {
protected:
  std::unique_ptr<CommandSpec> Parse(const std::string& text) {
    return CommandParser(fGrammar, fData.get()).Parse(text);
  }
  std::string ErrorOf(const std::string& text) {
    try {
      Parse(text);
    } catch (const CommandSyntaxError& e) {
      return e.what();
    }
    return "(accepted)";
  }

  CommandDescriptor fGrammar = MakeNptestsDescriptor();
  std::unique_ptr<VORN_DataSource> fData = MakeTestDictionary();
};

TEST_F(NptestsGrammarTest, AcceptsTheDocumentedExamples) {
  // Forms beyond the documented examples: lower case, the equals form, the TRUE/FALSE qualifier,
  // given parameters, every interval method, comments and free layout.
  const char* examples[] = {
      "nptests onesample test(a b) chisquare(expected=custom(frequencies=1 2 3 categories=1 2 3))",
      "NPTESTS /ONESAMPLE TEST(a) BINOMIAL(TESTVALUE=0.3 SUCCESSCATEGORICAL=LIST(1 'yes') "
      "SUCCESSCONTINUOUS=CUTPOINT(2.5) CLOPPER_PEARSON JEFFREYS LIKELIHOOD).",
      "NPTESTS /ONESAMPLE TEST(a) KOLMOGOROV_SMIRNOV(NORMAL(SAMPLE=FALSE) UNIFORM=CUSTOM(MIN=0 "
      "MAX=10) POISSON=CUSTOM(MEAN=3) EXPONENTIAL=SAMPLE NSAMPLES=1000 MC_CILEVEL=95).",
      "NPTESTS /INDEPENDENT TEST=a b GROUP=s MOSES(TRIMOUTLIERS=2) "
      "MEDIAN(TESTVALUE=SAMPLE COMPARE=STEPWISE) JONCKHEERE_TERPSTRA(ORDER=DESCENDING "
      "COMPARE=NONE)",
      "NPTESTS /RELATED TEST(ALL) COCHRAN(SUCCESS=FIRST COMPARE=PAIRWISE) MCNEMAR(SUCCESS=LIST(1)) "
      "/MISSING SCOPE=LISTWISE USERMISSING=INCLUDE /CRITERIA ALPHA=0.01 CILEVEL=90 SEED=RANDOM.",
      "* comment first\nNPTESTS\n  /ONESAMPLE TEST(a, b) /* why */ CHISQUARE\n  .\n",
  };
  for (const char* example : examples)
    EXPECT_EQ(ErrorOf(example), "(accepted)") << example;
}

TEST_F(NptestsGrammarTest, BuildsTheTreeThatProceduresRead) {
  auto spec = Parse("nptests /onesample test(A to c) kolmogorov_smirnov(normal=sample "
                    "nsamples=1000) /criteria seed=random");
  const SubComObj* one = spec->getSubComObj("ONESAMPLE");
  ASSERT_NE(one, nullptr);
  std::vector<std::string> vars;
  ASSERT_TRUE(one->getParamObj("TEST")->getVarList(vars));
  EXPECT_EQ(vars, (std::vector<std::string>{"a", "b", "c"}));
  const ParamObj* ks = one->getParamObj("Kolmogorov_Smirnov");
  ASSERT_NE(ks, nullptr);
  std::vector<const ParamObj*> quals;
  ASSERT_TRUE(ks->getStringQualList(
      fGrammar.getSubComDesc("ONESAMPLE")->getParamDesc("KOLMOGOROV_SMIRNOV"), quals));
  ASSERT_EQ(quals.size(), 2u);
  const ParamObj* item = nullptr;
  ASSERT_TRUE(ParamObj::getParamObj("NORMAL", quals)->getStringAndQual(item));
  EXPECT_EQ(item->getParamName(), "SAMPLE");
  EXPECT_TRUE(item->isLeadingToken());
  int samples = 0;
  EXPECT_TRUE(ParamObj::getParamObj("nsamples", quals)->getIntegerValue(samples));
  EXPECT_EQ(samples, 1000);
  EXPECT_TRUE(spec->getSubComObj("CRITERIA")->getParamObj("SEED")->isStringValueCase("random"));
  EXPECT_EQ(spec->getSubComObj("RELATED"), nullptr);
}

TEST_F(NptestsGrammarTest, EqualsFormStopsAtTheNextKeyword) {
  auto spec = Parse("NPTESTS /INDEPENDENT TEST=a b GROUP=c MANN_WHITNEY");
  const SubComObj* ind = spec->getSubComObj("INDEPENDENT");
  std::vector<std::string> vars;
  ASSERT_TRUE(ind->getParamObj("TEST")->getVarList(vars));
  EXPECT_EQ(vars, (std::vector<std::string>{"a", "b"}));
  std::string group;
  ASSERT_TRUE(ind->getParamObj("GROUP")->getVarName(group));
  EXPECT_EQ(group, "c");
  EXPECT_NE(ind->getParamObj("MANN_WHITNEY"), nullptr);
}

TEST_F(NptestsGrammarTest, RefusesMistakesWithPlaceAndReason) {
  // The documentation's message table (checked below) holds further kinds: a misspelt keyword,
  // an open parenthesis, a backwards range, a number for a keyword, a missing slash and a
  // missing GROUP.
  for (const DataRow& row : ReadDataTable("tests/parser/data/refusals.tsv", 3))
    EXPECT_EQ(ErrorOf(row.fields[1]), row.fields[2]) << row.where << ": " << row.fields[0];
}

TEST_F(NptestsGrammarTest, ErrorsGoToTheLogWithoutThrowing) {
  ParserMessageLog log;
  EXPECT_EQ(CommandParser(fGrammar, fData.get()).Parse("NPTESTS /FOO", &log), nullptr);
  ASSERT_EQ(log.GetEntries().size(), 1u);
  EXPECT_TRUE(log.HasErrors());
  EXPECT_EQ(ParserMessageLog::Format(log.GetEntries()[0]),
            "NPTESTS error: line 1, column 10, at \"FOO\": FOO is not a subcommand of NPTESTS");
}

TEST_F(NptestsGrammarTest, WithoutDataVariableListsStayAsWritten) {
  auto spec = CommandParser(fGrammar, nullptr).Parse("NPTESTS /RELATED TEST(x TO z ALL) FRIEDMAN");
  std::vector<std::string> vars;
  ASSERT_TRUE(spec->getSubComObj("RELATED")->getParamObj("TEST")->getVarList(vars));
  EXPECT_EQ(vars, (std::vector<std::string>{"x", "TO", "z", "ALL"}));
}

TEST_F(NptestsGrammarTest, HostileNestingIsRefusedNotRecursedInto) {
  CommandDescriptor open("CMD", "Test");
  open.SubCommand(SubComDescriptor("SUB").Param(ParamDescriptor("P").Open()));
  std::string deep = "CMD /SUB P";
  for (int i = 0; i < 100000; ++i)
    deep += "(X";
  try {
    CommandParser(open, nullptr).Parse(deep);
    FAIL() << "accepted";
  } catch (const CommandSyntaxError& e) {
    EXPECT_NE(std::string(e.what()).find("nested more than 32 levels deep"), std::string::npos)
        << e.what();
  }
  std::string fine = "CMD /SUB P";
  for (int i = 0; i < 20; ++i)
    fine += "(X";
  fine += std::string(20, ')');
  EXPECT_NO_THROW(CommandParser(open, nullptr).Parse(fine));
  // Without an open parameter, a parenthesis where a keyword belongs stops at once.
  EXPECT_EQ(ErrorOf("NPTESTS /ONESAMPLE TEST(a) RUNS((((("),
            "line 1, column 33, at \"(\": a \"(\" where a keyword of RUNS belongs "
            "(GROUPCATEGORICAL or GROUPCONTINUOUS)");
}

// The blocks fenced as "nptests" in the command's documentation.
std::vector<std::string> DocumentedCommands() {
  const std::string doc = ReadAll(std::string(NPTESTS_SOURCE_DIR) + "/docs/nptests-command.md");
  std::vector<std::string> blocks;
  const std::string open = "```nptests\n";
  for (std::size_t at = doc.find(open); at != std::string::npos; at = doc.find(open, at)) {
    at += open.size();
    const std::size_t end = doc.find("```", at);
    if (end == std::string::npos)
      break;
    blocks.push_back(doc.substr(at, end - at));
  }
  return blocks;
}

TEST_F(NptestsGrammarTest, AcceptsEveryCommandOfTheDocumentationAndTheExamples) {
  const auto documented = DocumentedCommands();
  EXPECT_GE(documented.size(), 7u);
  std::vector<std::string> commands = documented;
  for (const auto& entry :
       std::filesystem::directory_iterator(std::string(NPTESTS_SOURCE_DIR) + "/examples"))
    if (entry.path().extension() == ".sps")
      commands.push_back(ReadAll(entry.path().string()));
  // The examples name their own data's fields, so names are not checked here.
  for (const std::string& command : commands) {
    try {
      CommandParser(fGrammar, nullptr).Parse(command);
    } catch (const CommandSyntaxError& e) {
      ADD_FAILURE() << e.what() << "\n" << command;
    }
  }
}

// The rows "| `command` | `message` |" of the documentation's message table.
TEST_F(NptestsGrammarTest, DocumentedMessagesAreTheOnesGiven) {
  const std::string doc = ReadAll(std::string(NPTESTS_SOURCE_DIR) + "/docs/nptests-command.md");
  std::istringstream lines(doc.substr(doc.find("## Messages")));
  std::string line;
  int rows = 0;
  while (std::getline(lines, line)) {
    if (line.rfind("| `NPTESTS", 0) != 0)
      continue;
    const std::size_t split = line.find("` | `");
    ASSERT_NE(split, std::string::npos) << line;
    const std::string command = line.substr(3, split - 3);
    const std::string message = line.substr(split + 5, line.rfind("` |") - split - 5);
    EXPECT_EQ(ErrorOf(command), message) << command;
    ++rows;
  }
  EXPECT_GE(rows, 5);
}

} // namespace
