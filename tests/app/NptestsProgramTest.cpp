// End-to-end runs of the nptests program: the bundled examples, each output format, split runs,
// and every way a run can fail, checked by exit status, standard output, standard error and files.
#include "CommandLine.h"
#include "HtmlCheck.h"
#include "ProgramRun.h"
#include "ReportRun.h"
#include "ReportTextCheck.h"
#include "SchemaCheck.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <filesystem>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

using app_test::CountOf;
using app_test::Example;
using app_test::ProgramResult;
using app_test::ReadAll;
using app_test::RunNptests;
using app_test::ScratchFolder;

// Calls `visit` on every object at or below `node`.
template <typename F> void EachObject(const nlohmann::json& node, const F& visit) {
  if (node.is_object())
    visit(node);
  if (node.is_structured())
    for (const auto& child : node)
      EachObject(child, visit);
}

TEST(NptestsProgram, BundledExamplesRunWithoutArguments) {
  ScratchFolder scratch;
  const ProgramResult result = RunNptests({}, scratch);
  EXPECT_EQ(result.fStatus, 0) << result.fErr;
  EXPECT_EQ(result.fErr, "");
  // Thirteen runs alone and the three split groups together, each computed from its data under a
  // heading naming its data and command.
  const std::regex procedureHeading("(^|\n)[0-9]+\\.1 Nonparametric Tests\n");
  const auto begin = std::sregex_iterator(result.fOut.begin(), result.fOut.end(), procedureHeading);
  EXPECT_EQ(std::distance(begin, std::sregex_iterator()), 14);
  // The report's header comes first, then the runs.
  EXPECT_EQ(result.fOut.rfind("Report\n", 0), 0u);
  EXPECT_NE(result.fOut.find(
                "Documents     the bundled examples (16 documents, computed from their data)\n"),
            std::string::npos);
  EXPECT_NE(result.fOut.find("Command       each example's own command\n"), std::string::npos);
  EXPECT_EQ(result.fOut.find("\n1 "), result.fOut.find("\n1 chickwts.csv, chickwts.sps\n"));
  EXPECT_EQ(CountOf(result.fOut, " PlantGrowth.csv, split_ctrl.sps by group\n"), 1u);
  for (const char* group : {"Treatment group = Control", "Treatment group = Treatment 1",
                            "Treatment group = Treatment 2"})
    EXPECT_EQ(CountOf(result.fOut, group), 1u) << group;
  // Each example's own command was used: the date field's simulation is there.
  EXPECT_NE(result.fOut.find("Hypothesis Test Summary"), std::string::npos);
}

// The texts of every example are checked translated with the stored output (tests/output).
TEST(NptestsProgram, BundledExamplesAsJsonFollowTheSchema) {
  ScratchFolder scratch;
  const std::string path = scratch.File("report.json");
  const ProgramResult result = RunNptests({"-o", path}, scratch);
  ASSERT_EQ(result.fStatus, 0) << result.fErr;
  const nlohmann::json report = nlohmann::json::parse(ReadAll(path));
  const nlohmann::json schema =
      nlohmann::json::parse(ReadAll(NPTESTS_SOURCE_DIR "/docs/output-format.schema.json"));
  EXPECT_EQ(SchemaCheck(schema, report), "");
  ASSERT_EQ(report.at("items").size(), 14u);
  EXPECT_EQ(report.at("items")[0].at("label").at("text"), "chickwts.csv, chickwts.sps");
}

TEST(NptestsProgram, BundledExamplesAsHtmlAreWellFormedAndLinked) {
  ScratchFolder scratch;
  const std::string path = scratch.File("report.html");
  ASSERT_EQ(RunNptests({"-o", path}, scratch).fStatus, 0);
  const std::string html = ReadAll(path);
  EXPECT_EQ(CheckNesting(html), "");
  const std::vector<std::string> tables = Tables(html);
  EXPECT_GT(tables.size(), 40u);
  for (const std::string& table : tables) {
    std::vector<std::vector<GridCell>> rows;
    const auto grid = LayOut(table, rows);
    ASSERT_FALSE(grid.empty());
    // Spans must fill every row to the same width, or the browser shifts cells.
    for (const auto& row : grid)
      EXPECT_EQ(row.size(), grid.front().size()) << table.substr(0, 200);
  }

  // Every link of the page leads somewhere, the sections carry the text report's numbers, and
  // each row of a test summary leads to the section of the test it names.
  std::map<std::string, std::size_t> ids;
  const std::regex id(" id=\"([^\"]+)\"");
  for (auto it = std::sregex_iterator(html.begin(), html.end(), id); it != std::sregex_iterator();
       ++it)
    EXPECT_EQ(ids.emplace((*it)[1].str(), it->position()).second, true) << "twice: " << (*it)[1];
  const std::regex link("href=\"#([^\"]+)\"");
  std::size_t links = 0;
  for (auto it = std::sregex_iterator(html.begin(), html.end(), link); it != std::sregex_iterator();
       ++it, ++links)
    EXPECT_EQ(ids.count((*it)[1].str()), 1u) << "no target: " << (*it)[1];
  EXPECT_GT(links, 100u);
  EXPECT_NE(html.find("<h2><span class=\"number\">1.1</span> Nonparametric Tests</h2>"),
            std::string::npos);
  // A summary row: its number links to a section whose heading is the test of the row.
  // On paper a row shows the number of its test's heading (data-section) in place of the link.
  const std::regex row("<tr><th scope=\"row\"><a href=\"#([^\"]+)\" data-section=\"([0-9.]+)\">"
                       "[0-9]+</a></th><td>[^<]*</td><td>([^<]+)</td>");
  std::size_t rows = 0;
  for (auto it = std::sregex_iterator(html.begin(), html.end(), row); it != std::sregex_iterator();
       ++it, ++rows) {
    ASSERT_EQ(ids.count((*it)[1].str()), 1u);
    const std::size_t section = ids[(*it)[1].str()];
    const std::size_t headingEnd = html.find("</h", section);
    const std::string heading = html.substr(section, headingEnd - section);
    EXPECT_NE(heading.find("<span class=\"number\">" + (*it)[2].str() + "</span>"),
              std::string::npos)
        << (*it)[2] << " printed for " << heading;
    // The summary names the test without its distribution ("Normal"): compare word by word.
    std::istringstream words((*it)[3].str());
    for (std::string word; words >> word;)
      EXPECT_NE(heading.find(word), std::string::npos) << (*it)[3] << " links to " << heading;
  }
  EXPECT_GT(rows, 20u);
}

// The text report keeps within --width, wrapping text and never a number; "-o -" is standard
// output in the format --format names.
TEST(NptestsProgram, WidthOfTheTextAndStandardOutputAsAFile) {
  ScratchFolder scratch;
  for (int width : {20, 40, 60, 100}) {
    const ProgramResult result = RunNptests({"--width", std::to_string(width), "--syntax-file",
                                             Example("chickwts.sps"), Example("chickwts.xml")},
                                            scratch);
    ASSERT_EQ(result.fStatus, 0) << result.fErr;
    // Below 60 columns the pairwise table's numbers alone are wider: it overflows rather than cut
    // one.
    std::istringstream lines(result.fOut);
    // Columns are characters: a report line's "χ²" is two of them in four bytes.
    const auto columns = [](const std::string& line) {
      return std::count_if(line.begin(), line.end(),
                           [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; });
    };
    for (std::string line; width >= 60 && std::getline(lines, line);)
      EXPECT_LE(columns(line), width) << line;
    for (const char* number : {".980", "<.001", "37.343", "-44.07"})
      EXPECT_NE(result.fOut.find(number), std::string::npos) << width << ": " << number;
  }
  const ProgramResult json =
      RunNptests({"-o", "-", "--format", "json", Example("chickwts.xml")}, scratch);
  ASSERT_EQ(json.fStatus, 0) << json.fErr;
  EXPECT_EQ(nlohmann::json::parse(json.fOut).at("format"), "nptests-output");
}

// The header says what produced the report; SOURCE_DATE_EPOCH fixes its date for reproducible runs.
TEST(NptestsProgram, TheReportIsHeadedWithWhatProducedIt) {
  ScratchFolder scratch;
  setenv("SOURCE_DATE_EPOCH", "86400", 1);
  const ProgramResult result =
      RunNptests({"--language", "de", "--syntax", "NPTESTS\n /ONESAMPLE TEST(feed)   CHISQUARE.",
                  Example("chickwts.xml")},
                 scratch);
  unsetenv("SOURCE_DATE_EPOCH");
  ASSERT_EQ(result.fStatus, 0) << result.fErr;
  const std::string header = result.fOut.substr(0, result.fOut.find("\n1 "));
  for (const std::string& line :
       {std::string("Bericht\n"), std::string("Programm      nptests "),
        std::string("Datum         1970-01-02 00:00 UTC\n"),
        "Dokumente     " + Example("chickwts.xml") + "\n",
        std::string("Befehl        NPTESTS /ONESAMPLE TEST(feed) CHISQUARE.\n"),
        std::string("Sprache       de\n"), std::string("Diagramme     Gezeigt\n"),
        std::string("Effektgrößen  Gezeigt, mit einer Berichtszeile je Test\n")})
    EXPECT_NE(header.find(line), std::string::npos) << line << " in\n" << header;
  // Without charts the header says so, in the HTML report too.
  const ProgramResult html =
      RunNptests({"--no-charts", "--format", "html", Example("chickwts.xml")}, scratch);
  ASSERT_EQ(html.fStatus, 0) << html.fErr;
  EXPECT_NE(html.fOut.find("<td>Test and field charts left out (--no-charts)</td>"),
            std::string::npos);
  // Each test's report line: plain in the text report, in the report's language ...
  EXPECT_NE(result.fOut.find("χ²(5) = 0.75, p = .980, w = 0.10, 95%-KI [0.00, 2.24], N = 71\n"),
            std::string::npos);
  // ... styled in HTML; --no-effect-sizes leaves out the tables and lines, and the header says so.
  EXPECT_NE(html.fOut.find("<i>H</i>(5) = 37.34, <i>p</i> &lt; .001, ε²<sub>R</sub> = 0.53, "
                           "95% CI [0.42, 0.69], <i>N</i> = 71"),
            std::string::npos);
  const ProgramResult without =
      RunNptests({"--no-effect-sizes", "--format", "html", Example("chickwts.xml")}, scratch);
  ASSERT_EQ(without.fStatus, 0) << without.fErr;
  EXPECT_NE(
      without.fOut.find("<td>Effect sizes and report lines left out (--no-effect-sizes)</td>"),
      std::string::npos);
  EXPECT_EQ(without.fOut.find("ε²"), std::string::npos);
}

TEST(NptestsProgram, JsonIsCompactUnlessAnIndentIsGiven) {
  ScratchFolder scratch;
  const ProgramResult compact = RunNptests({"--format", "json", Example("chickwts.xml")}, scratch);
  ASSERT_EQ(compact.fStatus, 0) << compact.fErr;
  EXPECT_EQ(compact.fOut.find('\n'), compact.fOut.size() - 1) << "one line";
  const ProgramResult laidOut =
      RunNptests({"--format", "json", "--json-indent", "3", Example("chickwts.xml")}, scratch);
  ASSERT_EQ(laidOut.fStatus, 0) << laidOut.fErr;
  EXPECT_NE(laidOut.fOut.find("\n   \"version\": 1,\n"), std::string::npos);

  for (const char* indent : {"17", "two"}) {
    const ProgramResult bad =
        RunNptests({"--format", "json", "--json-indent", indent, Example("chickwts.xml")}, scratch);
    EXPECT_EQ(bad.fStatus, 2) << indent;
    EXPECT_NE(bad.fErr.find("--json-indent"), std::string::npos) << indent << ": " << bad.fErr;
    EXPECT_TRUE(bad.fOut.empty()) << indent;
  }
}

TEST(NptestsProgram, OneDocumentInEachFormat) {
  struct Row {
    const char* fDesc;
    std::vector<std::string> fOptions;
    const char* fFile; // where the report lands; null for standard output
    const char* fStart;
    const char* fEnd;
  } rows[] = {
      {"text on the terminal", {}, nullptr, "Report\n", ""},
      {"html by extension", {"-o", "r.html"}, "r.html", "<!DOCTYPE html>", "</html>\n"},
      {"json by extension", {"-o", "r.JSON"}, "r.JSON", "{", "}\n"},
      {"text by extension", {"-o", "r.txt"}, "r.txt", "Report\n", ""},
      {"html by --format", {"--format", "html"}, nullptr, "<!DOCTYPE html>", "</html>\n"},
      {"--format over the extension", {"--format", "json", "-o", "r.html"}, "r.html", "{", "}\n"},
  };
  for (const Row& row : rows) {
    ScratchFolder scratch;
    std::vector<std::string> arguments;
    for (std::size_t i = 0; i < row.fOptions.size(); ++i)
      arguments.push_back(i > 0 && row.fOptions[i - 1] == "-o" ? scratch.File(row.fOptions[i])
                                                               : row.fOptions[i]);
    arguments.push_back("--syntax-file");
    arguments.push_back(Example("chickwts.sps"));
    arguments.push_back(Example("chickwts.xml"));
    const ProgramResult result = RunNptests(arguments, scratch);
    EXPECT_EQ(result.fStatus, 0) << row.fDesc << ": " << result.fErr;
    const std::string report = row.fFile ? ReadAll(scratch.File(row.fFile)) : result.fOut;
    EXPECT_EQ(report.rfind(row.fStart, 0), 0u) << row.fDesc << ": " << report.substr(0, 80);
    ASSERT_GE(report.size(), std::string(row.fEnd).size()) << row.fDesc;
    EXPECT_EQ(report.substr(report.size() - std::string(row.fEnd).size()), row.fEnd) << row.fDesc;
    // The document's own dictionary gives the labels and the value labels.
    EXPECT_NE(report.find("Weight at six weeks (g)"), std::string::npos) << row.fDesc;
    EXPECT_NE(report.find("Horse bean"), std::string::npos) << row.fDesc;
  }
}

// Controls in a document's labels (XML 1.1 lets a document spell them as character references)
// never reach a report raw, in any format, the rest of the label stays, and every chart is drawn.
TEST(NptestsProgram, ControlsInTheDocumentNeverReachTheReport) {
  ScratchFolder scratch;
  std::string text = ReadAll(Example("chickwts.xml"));
  const std::string declaration = "<?xml version=\"1.0\"";
  const std::string label = "Weight at six weeks (g)";
  ASSERT_EQ(text.rfind(declaration, 0), 0u);
  ASSERT_NE(text.find(label), std::string::npos);
  text.replace(0, declaration.size(), "<?xml version=\"1.1\"");
  text.replace(text.find(label), label.size(),
               "Weight&#x1B;[31m at&#x7; six&#x7F; weeks&#x9B;&#x0C; (g)");
  const std::string document = scratch.Write("controls.xml", text);
  for (const char* format : {"text", "html", "json"}) {
    const ProgramResult result = RunNptests(
        {"--format", format, "--syntax-file", Example("chickwts.sps"), document}, scratch);
    EXPECT_EQ(result.fStatus, 0) << format << ": " << result.fErr;
    // JSON too: DEL and C1 controls are \u escapes there (docs/output-format.md).
    EXPECT_EQ(CheckReportText(result.fOut, true), "") << format;
    EXPECT_EQ(CheckReportText(result.fErr, true), "") << format;
    EXPECT_NE(result.fOut.find("[31m at"), std::string::npos) << format;
    if (std::string(format) == "json") {
      EXPECT_FALSE(nlohmann::json::parse(result.fOut, nullptr, false).is_discarded());
    }
    if (std::string(format) == "html") {
      EXPECT_EQ(CountOf(result.fOut, "<svg"), 6u) << "chickwts' six charts";
    }
  }
}

// A document the program cannot read, or whose parts break a check the plug-in makes while it
// writes the tables, is named with what is wrong; the other document is still written. The reasons
// themselves are the reader's (tests/reader/RefusalTest.cpp); here one of each source (the XML
// parser, the shared rules, the reader past them, the plug-in's checks) reaches the user with the
// document's name, never as the bare "missing or malformed". (A reason quoting the document stays
// on its line: MessageSinkTest.)
TEST(NptestsProgram, DocumentsThatCannotBeReadOrWrittenAreNamedWithWhatIsWrong) {
  ScratchFolder scratch;
  const std::string morley = ReadAll(Example("onesample_morley.xml"));
  const std::string chicks = ReadAll(Example("chickwts.xml"));
  const auto replaced = [](std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
  };
  const std::size_t infos = chicks.find("<FieldInfos>");
  const std::size_t infosEnd = chicks.find("</FieldInfos>") + std::string("</FieldInfos>").size();
  // The pairwise table without its last column: its name and the last number of each row.
  std::string narrow = replaced(chicks,
                                "<ColumnNames>Sample1 Sample2 TestStatistic StdError "
                                "StdTestStatistic Sig AdjSig</ColumnNames>",
                                "<ColumnNames>Sample1 Sample2 TestStatistic StdError "
                                "StdTestStatistic Sig</ColumnNames>");
  const std::size_t table = narrow.find("StdTestStatistic Sig</ColumnNames>");
  const std::size_t tableEnd = narrow.find("</SimpleTable>", table);
  narrow = narrow.substr(0, table) +
           std::regex_replace(narrow.substr(table, tableEnd - table), std::regex(" [^ <]+</Row>"),
                              "</Row>") +
           narrow.substr(tableEnd);
  struct Row {
    const char* fDesc;
    std::string fText;
    const char* fWhat;
    const char* fCheck; // the plug-in's check that failed, after the reason; null for the reader
  } rows[] = {
      {"broken XML", "<StatXML>\n  <Counts>\n</StatXML>\n",
       "not an XML document: line 3, column 3: ", nullptr},
      {"empty file", "", "is empty", nullptr},
      // XML declarations the parser refuses are placed like any other XML error.
      {"unknown XML version", "<?xml version=\"2.0\"?>\n<StatXML/>",
       "not an XML document: line 1, column 20: unsupported XML version '2.0'", nullptr},
      {"another model", "<StatXML><PMMLModel modelType=\"Regression\"/></StatXML>",
       "not a nonparametric tests result: its model type is \"Regression\"", nullptr},
      // Once accepted by the program and refused by the reader with no reason given.
      {"no field information", chicks.substr(0, infos) + chicks.substr(infosEnd),
       "a required part is missing: Extension/NPAROutput/FieldInfos (the field information)\n",
       nullptr},
      {"a condition attribute without a name",
       replaced(chicks, "<Attribute name=\"%0\" value=\"1\"/>", "<Attribute value=\"1\"/>"),
       "the plug-in could not read it: a required part is malformed: test 1 (Algorithm \"",
       nullptr},
      // Read, then refused while the tables are written: the test by number and title and what is
      // wrong, the check's own text after them.
      {"a condition short of a parameter",
       replaced(morley, "<Attribute name=\"%1\" value=\"792.458\"/>", ""),
       "test 2 (One-Sample Wilcoxon Signed Rank Test) is malformed: its condition "
       "O_WilcoxonSignedRanks_2 has 1 parameter where the key needs 2",
       "data.fParameters.size() == 2 in SetConditonText"},
      {"a Lilliefors record of another class",
       replaced(morley, "<Algorithm name=\"OLilliefors\" classification=\"One_Sample\"",
                "<Algorithm name=\"OLilliefors\" classification=\"Related_Samples\""),
       "test 3 (One-Sample Kolmogorov-Smirnov Normal Test) is malformed: the document's "
       "Lilliefors record 1 is not of the one-sample class",
       "in GetLillieforsIndex"},
      {"an interval record short of a parameter",
       replaced(ReadAll(Example("related_sleep.xml")),
                "value=\"R_HodgesLehman_2\"/>\n            <Attribute name=\"%0\" value=\"1\"/>",
                "value=\"R_HodgesLehman_2\"/>"),
       "row 1 of the confidence interval summary (Related-Samples Hodges-Lehmann Median "
       "Difference) is malformed: its condition R_HodgesLehman_2 has 1 parameter where the key "
       "needs 2",
       "in SetConditonText"},
      {"a pairwise table six columns wide", narrow,
       "test 2 (Independent-Samples Kruskal-Wallis Test) is malformed: its pairwise comparison "
       "table has 6 columns where 7 are needed",
       "nCol == 7 in DspPairwiseCompOutput"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.fDesc);
    const std::string bad = scratch.Write("bad.xml", row.fText);
    const ProgramResult result =
        RunNptests({"--format", "json", Example("related_sleep.xml"), bad}, scratch);
    EXPECT_EQ(result.fStatus, 1);
    const std::size_t what = result.fErr.find("nptests: " + bad + ": " + row.fWhat);
    EXPECT_NE(what, std::string::npos) << result.fErr;
    EXPECT_EQ(result.fErr.find("missing or malformed"), std::string::npos) << result.fErr;
    if (row.fCheck != nullptr) {
      const std::size_t check = result.fErr.find("(the plug-in's check: Assertion failed: ", what);
      EXPECT_NE(check, std::string::npos) << result.fErr;
      EXPECT_NE(result.fErr.find(row.fCheck, check), std::string::npos) << result.fErr;
    }
    EXPECT_EQ(CountOf(result.fErr, "\n"), 2u) << "one line besides the settings note";
    const nlohmann::json report = nlohmann::json::parse(result.fOut);
    ASSERT_GE(report.at("items").size(), 1u);
    EXPECT_EQ(report.at("items")[0].at("label").at("text"), "related_sleep.xml");
  }
  const ProgramResult missing = RunNptests({scratch.File("nowhere.xml")}, scratch);
  EXPECT_EQ(missing.fStatus, 1);
  EXPECT_NE(missing.fErr.find("nowhere.xml: cannot be opened: No such file"), std::string::npos)
      << missing.fErr;
}

// Each kind of usage error once; the refusals of --split values are SplitArgumentTest's.
TEST(NptestsProgram, UsageErrorsStopBeforeAnythingIsWritten) {
  ScratchFolder scratch;
  const std::string badDictionary =
      scratch.Write("dict.json", R"({"variables": [{"name": "weight", "format": "Q8.2"}]})");
  const std::string chicks = Example("chickwts.xml");
  struct Row {
    const char* fDesc;
    std::vector<std::string> fArguments;
    std::vector<const char*> fMessage;
  } rows[] = {
      {"a misspelt keyword",
       {"--syntax", "NPTESTS /ONESAMPLE TEST(feed) CHISQUAR.", chicks},
       {"nptests: --syntax: line 1, column 31, at \"CHISQUAR\"", "Did you mean CHISQUARE?"}},
      {"an unknown variable",
       {"--syntax", "NPTESTS\n /ONESAMPLE TEST(wieght) CHISQUARE", chicks},
       {"line 2, column 18, at \"wieght\"", "Did you mean weight?", "chickwts.xml"}},
      {"a bad dictionary",
       {"--dictionary", badDictionary, chicks},
       {"dict.json: variables[0].format: ", "\"Q8.2\""}},
      {"a missing command file",
       {"--syntax-file", scratch.File("none.sps"), chicks},
       {"none.sps: cannot be opened"}},
      {"an unknown option", {"--colour", chicks}, {"--colour", "--help"}},
      {"a mistyped option",
       {"--formt=json", chicks},
       {"nptests: --formt is not an option. Did you mean --format?\n"}},
      {"a mistyped option with its value apart",
       {"--sytnax", "NPTESTS", chicks},
       {"Did you mean --syntax?"}},
      {"both command options",
       {"--syntax", "NPTESTS", "--syntax-file", "x.sps", chicks},
       {"--syntax"}},
      {"a format the program lacks", {"--format", "pdf", chicks}, {"--format", "pdf"}},
      {"an extension without a format",
       {"-o", scratch.File("r.pdf"), chicks},
       {"r.pdf", "--format"}},
      {"a language without strings", {"--language", "xx", chicks}, {"\"xx\""}},
      {"too few --split", {"--split", "group=ctrl", chicks, chicks}, {"1 --split for 2 documents"}},
      {"--split without documents", {"--split", "group=ctrl"}, {"--split needs the documents"}},
      {"a command without documents",
       {"--syntax-file", Example("chickwts.sps")},
       {"nptests: --syntax-file needs the documents its command is run on"}},
      {"a width too narrow for any table", {"--width", "5", chicks}, {"--width", "20 to 1000"}},
  };
  for (const Row& row : rows) {
    const ProgramResult result = RunNptests(row.fArguments, scratch);
    EXPECT_EQ(result.fStatus, 2) << row.fDesc << ": " << result.fErr;
    EXPECT_EQ(result.fOut, "") << row.fDesc;
    for (const char* part : row.fMessage)
      EXPECT_NE(result.fErr.find(part), std::string::npos) << row.fDesc << ": " << result.fErr;
  }
}

TEST(NptestsProgram, SplitGroupsByHeadingAndByLayers) {
  ScratchFolder scratch;
  const std::vector<std::string> groups = {"--syntax-file",
                                           Example("split_ctrl.sps"),
                                           "--split",
                                           "group=ctrl",
                                           "--split",
                                           "group = 'trt2'",
                                           Example("split_ctrl.xml"),
                                           Example("split_trt2.xml")};
  const ProgramResult byHeading = RunNptests(groups, scratch);
  EXPECT_EQ(byHeading.fStatus, 0) << byHeading.fErr;
  EXPECT_NE(byHeading.fOut.find("1.1 Treatment group = Control"), std::string::npos);
  EXPECT_NE(byHeading.fOut.find("1.2 Treatment group = Treatment 2"), std::string::npos);
  EXPECT_EQ(CountOf(byHeading.fOut, "Nonparametric Tests\n"), 1u) << "one run for both groups";

  std::vector<std::string> layered = groups;
  layered.insert(layered.begin(), {"--split-layout", "layers"});
  const ProgramResult byLayers = RunNptests(layered, scratch);
  EXPECT_EQ(byLayers.fStatus, 0) << byLayers.fErr;
  EXPECT_EQ(byLayers.fOut.find("Treatment group = "), std::string::npos);
  EXPECT_NE(byLayers.fOut.find("Treatment group: Control"), std::string::npos);
  EXPECT_NE(byLayers.fOut.find("Treatment group: Treatment 2"), std::string::npos);
  // Every table carries its group as a layer, on the line below its title.
  EXPECT_EQ(CountOf(byLayers.fOut, "\nTreatment group: "),
            CountOf(byHeading.fOut, " Summary\n") + CountOf(byHeading.fOut, "\nEffect Size\n"));
  // The groups share the procedure's heading; each test heading names its group, so that the
  // contents list does not show one title once per group.
  for (const char* heading :
       {"\n1.1 One-Sample Wilcoxon Signed Rank Test (Treatment group: Control)\n",
        "\n1.3 One-Sample Wilcoxon Signed Rank Test (Treatment group: Treatment 2)\n"})
    EXPECT_NE(byLayers.fOut.find(heading), std::string::npos) << heading;
}

TEST(NptestsProgram, DictionaryFileReplacesTheDocumentsOwn) {
  ScratchFolder scratch;
  const std::string dictionary = scratch.Write("chicks.json", R"({
    "variables": [
      {"name": "weight", "label": "Body weight in grams", "measure": "scale"},
      {"name": "feed", "type": "string", "width": 9, "label": "Diet", "measure": "nominal"},
      {"name": "CaseFrequency", "format": "F8.0"}
    ]})");
  const ProgramResult result = RunNptests({"--dictionary", dictionary, "--syntax-file",
                                           Example("chickwts.sps"), Example("chickwts.xml")},
                                          scratch);
  EXPECT_EQ(result.fStatus, 0) << result.fErr;
  EXPECT_NE(result.fOut.find("Body weight in grams"), std::string::npos);
  EXPECT_EQ(result.fOut.find("Weight at six weeks (g)"), std::string::npos);
}

// The templates of the charts of a JSON report, in report order.
std::vector<std::string> ChartTemplates(const std::string& report) {
  std::vector<std::string> templates;
  EachObject(nlohmann::json::parse(report), [&](const nlohmann::json& item) {
    if (item.value("kind", std::string()) == "chart")
      templates.push_back(item.value("template", std::string()));
  });
  return templates;
}

// Reports made one after another in this process, as a host that makes several would: each loads
// the plug-in afresh, which reads the chart switch once per load, so --no-charts holds for its own
// report only. Without the test and field charts the pairwise network stays with its table, and
// the tables are those of the report with charts.
TEST(NptestsProgram, NoChartsLeavesOutTheTestAndFieldChartsOfItsReportOnly) {
  const auto report = [](bool noCharts) {
    Options options;
    options.fFormat = OutputFormat::kJson;
    options.fNoCharts = noCharts;
    options.fDocuments = {Example("independent_warpbreaks_tension.xml")};
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(ReportRun(options, NPTESTS_BINARY_DIR "/bin", out, err).Execute(), 0) << err.str();
    return out.str();
  };
  const std::vector<std::string> all = {"NPARBoxplot.viztemplate",
                                        "GLMMPairwiseContrasts.viztemplate",
                                        "NPARHistogram.viztemplate", "NPARHistogram.viztemplate"};
  const std::string withCharts = report(false);
  EXPECT_EQ(ChartTemplates(withCharts), all);
  const std::string without = report(true);
  EXPECT_EQ(ChartTemplates(without), std::vector<std::string>{"GLMMPairwiseContrasts.viztemplate"});
  EXPECT_EQ(ChartTemplates(report(false)), all);
  EXPECT_EQ(CountOf(without, "\"kind\":\"table\""), CountOf(withCharts, "\"kind\":\"table\""));
}

TEST(NptestsProgram, ChartsDirHoldsOneFilePerChartOfTheHtmlReport) {
  ScratchFolder scratch;
  const std::string folder = scratch.File("figures");
  const ProgramResult result =
      RunNptests({"--charts-dir", folder, "--format", "html", Example("chickwts.xml")}, scratch);
  ASSERT_EQ(result.fStatus, 0) << result.fErr;
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    files.push_back(entry.path().filename().string());
  std::sort(files.begin(), files.end());
  // As many files as figures in the page, each named after the anchor of its figure.
  EXPECT_EQ(files.size(), CountOf(result.fOut, "<figure class=\"chart\""));
  ASSERT_FALSE(files.empty());
  const std::regex name("([0-9.]+)-(c[0-9]+)-[a-z0-9-]+\\.svg");
  for (const std::string& file : files) {
    std::smatch parts;
    ASSERT_TRUE(std::regex_match(file, parts, name)) << file;
    std::string anchor = "s" + parts[1].str() + "-" + parts[2].str();
    std::replace(anchor.begin(), anchor.end(), '.', '-');
    EXPECT_NE(result.fOut.find("id=\"" + anchor + "\""), std::string::npos) << file;
  }
  EXPECT_NE(
      std::find(files.begin(), files.end(), "1.2.1-c1-independent-samples-kruskal-wallis-test.svg"),
      files.end());
}

TEST(NptestsProgram, HelpAndVersion) {
  ScratchFolder scratch;
  const ProgramResult help = RunNptests({"--help"}, scratch);
  EXPECT_EQ(help.fStatus, 0);
  EXPECT_NE(help.fOut.find("Exit status"), std::string::npos);
  // Every option's description carries an example.
  EXPECT_GE(CountOf(help.fOut, "e.g. "), 12u);
  const ProgramResult version = RunNptests({"--version"}, scratch);
  EXPECT_EQ(version.fStatus, 0);
  EXPECT_TRUE(std::regex_match(version.fOut, std::regex("nptests [0-9]+\\.[0-9]+\\.[0-9]+\n")))
      << version.fOut;
}

TEST(NptestsProgram, CommandWarningsGoToStandardErrorAndTheReport) {
  ScratchFolder scratch;
  const ProgramResult result =
      RunNptests({"--syntax", "NPTESTS /ONESAMPLE TEST(Height) KOLMOGOROV_SMIRNOV(POISSON=SAMPLE)",
                  Example("ks_trees_given.xml")},
                 scratch);
  EXPECT_EQ(result.fStatus, 0) << "a warning does not fail the run";
  EXPECT_EQ(result.fErr, "nptests: --syntax: NPTESTS warning: K-S Poisson Sample ignored ...\n");
  EXPECT_EQ(CountOf(result.fOut, "K-S Poisson Sample ignored ..."), 1u) << result.fOut;
}

// A document holding simulated significances gives the same report without a command as with the
// command that produced it, and says once that its settings were used.
TEST(NptestsSettings, WithoutACommandTheDocumentsSettingsAreUsed) {
  for (const char* name : {"onesample_morley", "ks_ozone_sample", "ks_ozone_dates"}) {
    SCOPED_TRACE(name);
    ScratchFolder scratch;
    const std::string document = Example(std::string(name) + ".xml");
    const ProgramResult derived = RunNptests({document}, scratch);
    const ProgramResult given =
        RunNptests({"--syntax-file", Example(std::string(name) + ".sps"), document}, scratch);
    EXPECT_EQ(derived.fStatus, 0) << derived.fErr;
    EXPECT_EQ(given.fErr, "");
    // The reports differ in their header's command only.
    EXPECT_NE(derived.fOut.find("Command       Settings taken from the documents\n"),
              std::string::npos);
    const auto body = [](const std::string& report) {
      return report.substr(std::min(report.find("\n1 "), report.size()));
    };
    EXPECT_EQ(body(derived.fOut), body(given.fOut));
    EXPECT_NE(derived.fOut.find("Monte Carlo"), std::string::npos);
    EXPECT_EQ(CountOf(derived.fErr, "\n"), 1u) << derived.fErr;
    EXPECT_NE(derived.fErr.find("settings were taken from the documents (the Kolmogorov-Smirnov"),
              std::string::npos)
        << derived.fErr;
  }
  // Without simulations the plug-in's defaults are the document's settings.
  ScratchFolder scratch;
  const ProgramResult plain = RunNptests({Example("chickwts.xml")}, scratch);
  EXPECT_EQ(plain.fErr, "nptests: no command given: the settings were taken from the documents\n");
}

// With no document read there were no settings to take: the header says so rather than claim
// them, in each language.
TEST(NptestsSettings, WithNoDocumentReadTheHeaderHasNoSettingsToClaim) {
  ScratchFolder scratch;
  const std::string empty = scratch.Write("empty.xml", "");
  const ProgramResult english = RunNptests({empty}, scratch);
  EXPECT_EQ(english.fStatus, 1) << english.fErr;
  EXPECT_NE(english.fOut.find("Command       None: no document could be read\n"), std::string::npos)
      << english.fOut;
  const ProgramResult german = RunNptests({"--language", "de", empty}, scratch);
  EXPECT_NE(german.fOut.find("Keiner: kein Dokument konnte gelesen werden"), std::string::npos)
      << german.fOut;
}

TEST(NptestsSettings, ACommandThatDoesNotFitTheDocumentIsWarnedAbout) {
  struct Case {
    const char* fDesc;
    const char* fCommand;
    const char* fDocument;
    std::vector<std::string> fWarnings;
  };
  const Case cases[] = {
      {"the example's own command fits", nullptr, "onesample_morley", {}},
      {"a simulation held but not asked for, and one asked for but not held",
       "NPTESTS /ONESAMPLE TEST(Speed) KOLMOGOROV_SMIRNOV(UNIFORM=SAMPLE).",
       "onesample_morley",
       {"nptests: warning: onesample_morley.xml holds the simulated significance of the normal "
        "Kolmogorov-Smirnov test of Speed, which --syntax does not ask for (NORMAL=SAMPLE); it is "
        "left out of the report",
        "nptests: warning: --syntax asks for the simulated significance of the uniform "
        "Kolmogorov-Smirnov test (UNIFORM=SAMPLE), which onesample_morley.xml does not hold; the "
        "asymptotic one is shown"}},
      {"NORMAL(SAMPLE=TRUE) asks as NORMAL=SAMPLE does",
       "NPTESTS /ONESAMPLE TEST(Speed) KOLMOGOROV_SMIRNOV(NORMAL(SAMPLE=TRUE)) /CRITERIA "
       "SEED=2000000.",
       "onesample_morley",
       {}},
      {"a field no test of the document uses",
       "NPTESTS /ONESAMPLE TEST(Height CaseFrequency) KOLMOGOROV_SMIRNOV(NORMAL=CUSTOM(MEAN=75 "
       "SD=6)).",
       "ks_trees_given",
       {"nptests: warning: --syntax tests CaseFrequency, which no test of ks_trees_given.xml "
        "uses"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fDesc);
    ScratchFolder scratch;
    const std::string document = Example(std::string(c.fDocument) + ".xml");
    const ProgramResult result =
        c.fCommand != nullptr
            ? RunNptests({"--syntax", c.fCommand, document}, scratch)
            : RunNptests({"--syntax-file", Example(std::string(c.fDocument) + ".sps"), document},
                         scratch);
    EXPECT_EQ(result.fStatus, 0) << result.fErr;
    std::string expected;
    for (const std::string& line : c.fWarnings)
      expected += line + "\n";
    EXPECT_EQ(result.fErr, expected);
  }
}

} // namespace
