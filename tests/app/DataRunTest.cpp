// nptests --data end to end: a data file through the engine to the report, split and saved; and
// a data file named where a result document belongs.
#include "ProgramRun.h"

namespace {

using app_test::ProgramResult;
using app_test::RunNptests;

TEST(DataRun, SplitDataFileToReportAndSavedDocuments) {
  ScratchFolder scratch;
  const std::string data = scratch.Write("scores.csv", "score,school\n3,north\n5,south\n4,north\n"
                                                       "NA,south\n7,south\n1,north\n");
  const std::string json =
      scratch.Write("scores.json", R"({"variables": [{"name": "score", "label": "Test score"}]})");
  const ProgramResult result =
      RunNptests({"--data", data, "--dictionary", json, "--split-by", "school", "--syntax",
                  "NPTESTS /ONESAMPLE TEST(score) RUNS.", "--save-results", scratch.File("out")},
                 scratch);
  EXPECT_EQ(result.fStatus, 0) << result.fErr;
  EXPECT_NE(result.fOut.find("computed from " + data), std::string::npos) << result.fOut;
  EXPECT_NE(result.fOut.find("school = north"), std::string::npos) << result.fOut;
  EXPECT_NE(result.fOut.find("school = south"), std::string::npos) << result.fOut;
  EXPECT_NE(ReadAll(scratch.File("out/scores_north.xml")).find("<StatXML"), std::string::npos);
  EXPECT_NE(ReadAll(scratch.File("out/scores_south.xml")).find("<StatXML"), std::string::npos);
}

TEST(DataRun, BadDataStopsWithOneLineAndWritesNothing) {
  ScratchFolder scratch;
  const std::string ragged = scratch.Write("ragged.csv", "x,y\n1,2\n3\n");
  const std::string good = scratch.Write("good.tsv", "x\ty\n1\ta\n2\tb\n");
  const std::string sps = "NPTESTS /ONESAMPLE TEST(x) RUNS.";
  struct Row {
    const char* fDesc;
    std::vector<std::string> fArguments;
    const char* fMessage;
  } rows[] = {
      {"a data file as a document",
       {good},
       "is a data file, not a result document: give it as --data"},
      {"a ragged row", {"--data", ragged, "--syntax", sps}, "ragged.csv:3:2: only 1 of"},
      {"an unknown variable",
       {"--data", good, "--syntax", "NPTESTS /ONESAMPLE TEST(z) RUNS."},
       "the variables are the columns of"},
      {"an unknown split column",
       {"--data", good, "--syntax", sps, "--split-by", "q"},
       "no column \"q\""},
      {"data without a command", {"--data", good}, "--data needs the command"},
      {"--split-by without data", {"--split-by", "y"}, "--split-by needs --data"},
  };
  for (const Row& row : rows) {
    std::vector<std::string> arguments = row.fArguments;
    arguments.insert(arguments.end(),
                     {"--save-results", scratch.File("saved"), "-o", scratch.File("r.txt")});
    const ProgramResult result = RunNptests(arguments, scratch);
    EXPECT_EQ(result.fStatus, 2) << row.fDesc << ": " << result.fErr;
    EXPECT_NE(result.fErr.find(row.fMessage), std::string::npos)
        << row.fDesc << ": " << result.fErr;
    EXPECT_EQ(app_test::CountOf(result.fErr, "\n"), 1u) << row.fDesc << ": " << result.fErr;
    EXPECT_EQ(ReadAll(scratch.File("r.txt")), "") << row.fDesc;
  }
}

} // namespace
