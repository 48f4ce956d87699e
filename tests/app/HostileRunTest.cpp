// End-to-end runs on the inputs of a hostile run: output places that cannot be written, template
// folders that give no chart. (Labels that carry controls into charts: NptestsProgramTest; into
// chart file names: ChartFileWriterTest.) Each row says what the user must meet: the exit status,
// the words on standard error, and what the files hold.
#include "ProgramRun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using app_test::CountOf;
using app_test::Example;
using app_test::ProgramResult;
using app_test::ReadAll;
using app_test::RunNptests;
using app_test::ScratchFolder;

const char* const kOldReport = "the report of an earlier run\n";
// chickwts: the chi-square, Kruskal-Wallis, network, median test and two field charts.
constexpr std::size_t kChickCharts = 6;

// A template folder holding every shipped template's name with `text` as its content.
std::string TemplatesOf(const ScratchFolder& scratch, const std::string& name,
                        const std::string& text) {
  for (const auto& entry : fs::directory_iterator(NPTESTS_SOURCE_DIR "/resources/templates"))
    scratch.Write(name + "/" + entry.path().filename().string(), text);
  return scratch.File(name);
}

std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  if (fs::is_directory(folder))
    for (const auto& entry : fs::directory_iterator(folder))
      names.push_back(entry.path().filename().string());
  return names;
}

TEST(HostileRun, EveryFailureIsSaidAndLosesNothing) {
  struct Row {
    const char* desc;
    std::function<std::vector<std::string>(const ScratchFolder&)> arguments;
    int status;
    std::vector<std::string> errParts;
    std::function<void(const ScratchFolder&, const ProgramResult&)> check;
  };
  const auto reportKept = [](const ScratchFolder& scratch, const ProgramResult&) {
    EXPECT_EQ(ReadAll(scratch.File("report.html")), kOldReport);
    for (const std::string& name : FilesIn(scratch.Path()))
      EXPECT_EQ(name.find(".part"), std::string::npos) << "a temporary file is left: " << name;
  };
  const Row rows[] = {
      {"--charts-dir names a file: the report at -o stays",
       [](const ScratchFolder& s) {
         return std::vector<std::string>{"-o", s.File("report.html"), "--charts-dir",
                                         s.Write("afile", "x"), Example("chickwts.xml")};
       },
       3,
       {"--charts-dir: cannot make the folder"},
       reportKept},
      {"--charts-dir under a file: the report at -o stays",
       [](const ScratchFolder& s) {
         return std::vector<std::string>{"-o", s.File("report.html"), "--charts-dir",
                                         s.Write("afile", "x") + "/figures",
                                         Example("chickwts.xml")};
       },
       3,
       {"--charts-dir: cannot make the folder"},
       reportKept},
      {"-o in a missing folder",
       [](const ScratchFolder& s) {
         return std::vector<std::string>{"-o", s.File("none/report.html"), Example("chickwts.xml")};
       },
       3,
       {"cannot write ", "No such file or directory"},
       nullptr},
      {"-o naming a folder",
       [](const ScratchFolder& s) {
         fs::create_directories(s.File("folder.html"));
         return std::vector<std::string>{"-o", s.File("folder.html"), Example("chickwts.xml")};
       },
       3,
       {"folder.html: it is a folder"},
       nullptr},
      {"an empty --charts-dir",
       [](const ScratchFolder&) {
         return std::vector<std::string>{"--charts-dir", "", Example("chickwts.xml")};
       },
       2,
       {"--charts-dir needs a name"},
       nullptr},
      {"an empty -o",
       [](const ScratchFolder&) {
         return std::vector<std::string>{"-o", "", Example("chickwts.xml")};
       },
       2,
       {"--output needs a name"},
       nullptr},
      {"--templates naming no folder",
       [](const ScratchFolder& s) {
         return std::vector<std::string>{"--templates", s.File("none"), Example("chickwts.xml")};
       },
       2,
       {"--templates: Directory does not exist"},
       nullptr},
      {"empty templates: every chart left out, named, and noted in the report",
       [](const ScratchFolder& s) {
         return std::vector<std::string>{"--templates", TemplatesOf(s, "empty", ""),
                                         Example("chickwts.xml")};
       },
       4,
       {"nptests: warning: the chart \"One-Sample Chi-Square Test\" in section 1.1.1 was left out: "
        "its template NPARChiSquareTest.viztemplate is missing, empty or unreadable in the folder ",
        "the chart \"Pairwise Comparisons of Feed supplement\" in section 1.2.1 was left out"},
       [](const ScratchFolder&, const ProgramResult& result) {
         EXPECT_EQ(CountOf(result.fErr, "nptests: warning: the chart"), kChickCharts);
         EXPECT_EQ(CountOf(result.fOut, "[Chart left out: "), kChickCharts) << result.fOut;
       }},
      {"templates that are not XML: the reason is the parser's, in JSON too",
       [](const ScratchFolder& s) {
         return std::vector<std::string>{"--format", "json", "--templates",
                                         TemplatesOf(s, "garbage", "<visualization <<< &bogus;"),
                                         Example("chickwts.xml")};
       },
       4,
       {"was left out: the chart specification is not valid XML: line 1"},
       [](const ScratchFolder&, const ProgramResult& result) {
         EXPECT_EQ(CountOf(result.fOut, "\"leftOut\":\"the chart specification is not valid XML"),
                   kChickCharts);
       }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.desc);
    ScratchFolder scratch;
    scratch.Write("report.html", kOldReport);
    const ProgramResult result = RunNptests(row.arguments(scratch), scratch);
    EXPECT_EQ(result.fStatus, row.status) << result.fErr;
    for (const std::string& part : row.errParts)
      EXPECT_NE(result.fErr.find(part), std::string::npos) << part << "\n" << result.fErr;
    if (row.check)
      row.check(scratch, result);
  }
}

// A report replaces the file at -o only once whole, keeping that file's permissions and a link
// that points at it.
TEST(HostileRun, TheReportTakesThePlaceOfTheOldOne) {
  ScratchFolder scratch;
  const std::string report = scratch.Write("report.txt", kOldReport);
  fs::permissions(report, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  fs::create_symlink(report, scratch.File("link.txt"));
  const ProgramResult result =
      RunNptests({"-o", scratch.File("link.txt"), Example("chickwts.xml")}, scratch);
  ASSERT_EQ(result.fStatus, 0) << result.fErr;
  EXPECT_TRUE(fs::is_symlink(scratch.File("link.txt")));
  EXPECT_NE(ReadAll(report).find("Hypothesis Test Summary"), std::string::npos);
  EXPECT_EQ(fs::status(report).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(FilesIn(scratch.Path()).size(), 4u) << "report, link and the two output captures";
}

} // namespace
