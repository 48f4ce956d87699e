// Failures inside the plug-in: the program runs with a plug-in that throws and must name the
// failing documents with the exception's text, write the others and exit with status 1.
#include "ProgramRun.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>
#include <unistd.h>

namespace {

using app_test::Example;
using app_test::ProgramResult;
using app_test::ReadAll;
using app_test::RunProgram;
using app_test::ScratchFolder;

// A copy of the program in `scratch`/bin with the throwing plug-in as its libnonpar.so. The host
// library is linked in from the build, so the resources are found beside it.
std::string ProgramWithThrowingPlugin(const ScratchFolder& scratch) {
  const std::string bin = scratch.File("bin");
  const std::string built = std::string(NPTESTS_BINARY_DIR) + "/bin/";
  const std::string command = "mkdir -p '" + bin + "' && cp '" + NPTESTS_EXE + "' '" + bin +
                              "/nptests' && ln -s '" + built + "libnphost.so' '" + bin +
                              "/libnphost.so' && ln -s '" + built +
                              "libnptests_throwing_plugin.so' '" + bin + "/libnonpar.so'";
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
  return bin + "/nptests";
}

// chickwts.xml with a marker that tells the stand-in plug-in how to fail.
std::string Marked(const ScratchFolder& scratch, const std::string& name, const std::string& mark) {
  std::string text = ReadAll(Example("chickwts.xml"));
  text.insert(text.find("<StatXML>"), "<!-- " + mark + " -->\n");
  return scratch.Write(name, text);
}

TEST(NptestsPluginFailure, ExceptionsAreReportedPerDocument) {
  ScratchFolder scratch;
  const std::string program = ProgramWithThrowingPlugin(scratch);
  const std::string asserting = Marked(scratch, "assert.xml", "stub:assert");
  const std::string unknown = Marked(scratch, "unknown.xml", "stub:unknown");
  const std::string fine = Marked(scratch, "fine.xml", "stub:none");

  const ProgramResult result =
      RunProgram(program, {"--format", "json", asserting, fine, unknown}, scratch);
  EXPECT_EQ(result.fStatus, 1) << result.fErr;
  EXPECT_NE(result.fErr.find("nptests: " + asserting +
                             ": the plug-in stopped: Assertion failed: block.fResultXML.empty() in "
                             "ProcessOutputXML (tests/app/ThrowingProcedure)"),
            std::string::npos)
      << result.fErr;
  EXPECT_NE(result.fErr.find("nptests: " + unknown + ": the plug-in stopped with an unknown error"),
            std::string::npos)
      << result.fErr;
  EXPECT_EQ(result.fErr.find(fine), std::string::npos) << result.fErr;
  // A run that failed keeps whatever it wrote (here only its heading); the report is complete JSON.
  const nlohmann::json report = nlohmann::json::parse(result.fOut);
  EXPECT_EQ(report.at("items").size(), 3u);
}

TEST(NptestsPluginFailure, MissingPluginIsNamed) {
  ScratchFolder scratch;
  const std::string bin = scratch.File("bin");
  const std::string command = "mkdir -p '" + bin + "' && cp '" + NPTESTS_EXE + "' '" + bin +
                              "/nptests' && ln -s '" + NPTESTS_BINARY_DIR + "/bin/libnphost.so' '" +
                              bin + "/libnphost.so'";
  ASSERT_EQ(std::system(command.c_str()), 0);
  const ProgramResult result = RunProgram(bin + "/nptests", {Example("chickwts.xml")}, scratch);
  EXPECT_EQ(result.fStatus, 3);
  EXPECT_NE(
      result.fErr.find("cannot find the plug-in libnonpar.so (looked for " + bin + "/libnonpar.so"),
      std::string::npos)
      << result.fErr;
  EXPECT_EQ(result.fOut, "");
}

} // namespace
