// The program's side of reading documents once: what it refuses and why is what the reader says,
// and the JSON report is compact unless --json-indent asks for lines.
#include "ProgramRun.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>

using namespace app_test;

namespace {

std::string Replaced(std::string text, const std::string& part, const std::string& by) {
  const std::size_t at = text.find(part);
  EXPECT_NE(at, std::string::npos) << part;
  if (at != std::string::npos)
    text.replace(at, part.size(), by);
  return text;
}

TEST(ProgramReading, RefusalsNameThePartTheReaderCouldNotRead) {
  ScratchFolder scratch;
  const std::string chicks = ReadAll(Example("chickwts.xml"));
  const std::size_t infos = chicks.find("<FieldInfos>");
  const std::size_t infosEnd = chicks.find("</FieldInfos>");
  ASSERT_NE(infos, std::string::npos);
  ASSERT_NE(infosEnd, std::string::npos);
  std::string withoutInfos = chicks;
  withoutInfos.erase(infos, infosEnd + std::string("</FieldInfos>").size() - infos);
  const struct {
    const char* fDesc;
    std::string fText;
    const char* fReason;
  } rows[] = {
      // Once accepted by the program and refused by the reader with no reason given.
      {"no field information", withoutInfos,
       ": a required part is missing: Extension/NPAROutput/FieldInfos (the field information)\n"},
      {"a condition attribute without a name",
       Replaced(chicks, "<Attribute name=\"%0\" value=\"1\"/>", "<Attribute value=\"1\"/>"),
       ": the plug-in could not read it: a required part is malformed: test 1 (Algorithm \""},
  };
  for (const auto& row : rows) {
    const std::string bad = scratch.Write("bad.xml", row.fText);
    const ProgramResult result =
        RunNptests({"--format", "json", Example("chickwts.xml"), bad}, scratch);
    EXPECT_EQ(result.fStatus, 1) << row.fDesc;
    EXPECT_NE(result.fErr.find("nptests: " + bad + row.fReason), std::string::npos)
        << row.fDesc << ": " << result.fErr;
    EXPECT_EQ(result.fErr.find("missing or malformed"), std::string::npos) << result.fErr;
    // The readable document is still written.
    EXPECT_NE(result.fOut.find("\"One-Sample Chi-Square Test\""), std::string::npos) << row.fDesc;
  }
}

// The reasons quote the document (an index as written); what they quote cannot end the line.
TEST(ProgramReading, AQuotedPartStaysOnTheMessageLine) {
  ScratchFolder scratch;
  const std::string forged = Replaced(ReadAll(Example("chickwts.xml")), "index=\"1\" name=\"feed\"",
                                      "index=\"1&#xA;nptests: all documents were read\" "
                                      "name=\"feed\"");
  const std::string bad = scratch.Write("bad.xml", forged);
  const ProgramResult result = RunNptests({"--format", "json", bad}, scratch);
  EXPECT_EQ(result.fStatus, 1);
  EXPECT_NE(result.fErr.find("DataField number 2 has index \"1"), std::string::npos) << result.fErr;
  EXPECT_EQ(result.fErr.find("\nnptests: all documents were read"), std::string::npos)
      << result.fErr;
  EXPECT_EQ(CountOf(result.fErr, "\n"), 1u) << result.fErr;
}

TEST(ProgramReading, JsonIsCompactUnlessAnIndentIsGiven) {
  ScratchFolder scratch;
  const ProgramResult compact = RunNptests({"--format", "json", Example("chickwts.xml")}, scratch);
  ASSERT_EQ(compact.fStatus, 0) << compact.fErr;
  EXPECT_EQ(compact.fOut.find('\n'), compact.fOut.size() - 1) << "one line";
  const ProgramResult laidOut =
      RunNptests({"--format", "json", "--json-indent", "3", Example("chickwts.xml")}, scratch);
  ASSERT_EQ(laidOut.fStatus, 0) << laidOut.fErr;
  EXPECT_NE(laidOut.fOut.find("\n   \"version\": 1,\n"), std::string::npos);
  EXPECT_EQ(nlohmann::ordered_json::parse(compact.fOut),
            nlohmann::ordered_json::parse(laidOut.fOut));

  for (const char* indent : {"-1", "17", "two"}) {
    const ProgramResult bad =
        RunNptests({"--format", "json", "--json-indent", indent, Example("chickwts.xml")}, scratch);
    EXPECT_EQ(bad.fStatus, 2) << indent;
    EXPECT_NE(bad.fErr.find("--json-indent"), std::string::npos) << indent << ": " << bad.fErr;
    EXPECT_TRUE(bad.fOut.empty()) << indent;
  }
}

} // namespace
