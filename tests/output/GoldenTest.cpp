// End to end over the bundled examples: each example's command and result document go through
// the procedure object as the host drives it, and the JSON of the output is compared with a
// stored file, so that any change in the output shows in review. The comparison is of content
// (both sides parsed, members in order), so the program's compact JSON is held to the stored
// files as they are laid out for review. Also checks that every
// translatable text the tables emit has an English entry.
//
// After an intended change of the output, regenerate the stored files and review the diff:
//   NPTESTS_UPDATE_GOLDEN=1 build-<name>/bin/test_output --gtest_filter='GoldenOutput.*'
#include "NOPRProcCustom.h"
#include "OutputTestSupport.h"

#include "parser/CommandParser.h"
#include "parser/NptestsGrammar.h"
#include "parser/ParserMessageLog.h"
#include "proc/CFStatXMLInfoBlock.h"
#include "render/JsonWriter.h"

#include <nlohmann/json.hpp>

#include <cstdlib>
#include <filesystem>
#include <functional>

using namespace outtest;

namespace {

std::vector<std::string> exampleNames() {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(sourcePath("examples")))
    if (entry.path().extension() == ".xml")
      names.push_back(entry.path().stem().string());
  std::sort(names.begin(), names.end());
  return names;
}

// The JSON of one example's command and document through the procedure object; empty when the
// document was not read.
std::string runExample(const std::string& name, int indent) {
  const std::string xml = readFile(sourcePath("examples/" + name + ".xml"));
  WriterRun run(xml);
  NOPRProcCustom proc;
  proc.SetProcedure(run.procedure.get());
  proc.SetDataSource(run.data.get());
  proc.SetSeedGeneratorState(1);
  CommandDescriptor grammar = MakeNptestsDescriptor();
  ParserMessageLog log;
  grammar.SetMessageLog(&log);
  std::unique_ptr<CommandSpec> spec = CommandParser(grammar, run.data.get())
                                          .Parse(readFile(sourcePath("examples/" + name + ".sps")));
  EXPECT_TRUE(proc.ProcessSyntax(spec.get(), &grammar));
  CFStatXMLInfoBlock block;
  block.fResultXML = xml;
  if (!proc.ProcessOutputXML("", block))
    return "";
  std::ostringstream json;
  JsonWriter(indent).Write(run.document, json);
  return json.str();
}

// Calls `visit` on every chart at or below `item` of a JSON output.
void eachChart(const nlohmann::json& item,
               const std::function<void(const nlohmann::json&)>& visit) {
  if (item.value("kind", "") == "chart")
    visit(item);
  for (const nlohmann::json& child : item.value("items", nlohmann::json::array()))
    eachChart(child, visit);
}

} // namespace

// The JSON writer marks every translatable text the string table lacks, so a stored file without
// the mark also proves that every text of the tables has an English entry. Every chart is drawn
// and keeps none of its template's markers: one a view did not find is left in the chart as it
// stands in the template (not the stacked bars' CategoryOrderText, an attribute value the Cochran's
// Q view leaves as it is).
TEST(GoldenOutput, ExamplesMatchTheirStoredJsonAndAreTranslated) {
  const char* const markers[] = {
      "xAxisText",  "yAxisText",        "TitleText",  "titleText",  "FootnoteText", "Facet1Text",
      "Facet2Text", "tooltipText",      "XAxis Text", "YAxis Text", "LegendLabel",  "legendTitle",
      "xTitle",     "yTitle0",          "yTitle1",    "subTitle",   "xAxisLabel",   "yAxisLabel",
      "labelText",  "ObservedRunsText", "TooFewRuns", "TooManyRuns"};
  const std::vector<std::string> names = exampleNames();
  ASSERT_GE(names.size(), 10u);
  const bool update = std::getenv("NPTESTS_UPDATE_GOLDEN") != nullptr;
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    const std::string json = runExample(name, -1);
    ASSERT_FALSE(json.empty()) << "not read";
    EXPECT_EQ(json.find("\"untranslated\""), std::string::npos);
    eachChart(nlohmann::json::parse(json), [&](const nlohmann::json& chart) {
      EXPECT_NE(chart.at("svg").get<std::string>().find("<svg"), std::string::npos);
      for (const char* marker : markers)
        EXPECT_EQ(chart.at("specification").get<std::string>().find(marker), std::string::npos)
            << chart.at("title") << ": " << marker;
    });
    const std::string path = sourcePath("tests/output/golden/" + name + ".json");
    if (update)
      std::ofstream(path, std::ios::binary) << runExample(name, 2);
    else
      EXPECT_TRUE(nlohmann::ordered_json::parse(readFile(path)) ==
                  nlohmann::ordered_json::parse(json))
          << "the output differs from " << path << "; regenerate with NPTESTS_UPDATE_GOLDEN=1";
  }
}
