// An installed tree runs like the build tree: the program finds the plug-in, the resources and
// the bundled examples under its install prefix without options.
#include "ProgramRun.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using app_test::ProgramResult;
using app_test::RunProgram;
using app_test::ScratchFolder;

TEST(NptestsInstall, InstalledProgramRunsTheBundledExamples) {
  ScratchFolder scratch;
  const std::string prefix = scratch.File("prefix");
  const ProgramResult install =
      RunProgram("cmake", {"--install", NPTESTS_BINARY_DIR, "--prefix", prefix}, scratch);
  ASSERT_EQ(install.fStatus, 0) << install.fErr;

  const ProgramResult result = RunProgram(prefix + "/bin/nptests", {"--language", "de"}, scratch);
  EXPECT_EQ(result.fStatus, 0) << result.fErr;
  EXPECT_EQ(result.fErr, "");
  EXPECT_NE(result.fOut.find("Nichtparametrische Tests"), std::string::npos)
      << "the installed German string table";
  EXPECT_NE(result.fOut.find("Treatment group = Control"), std::string::npos)
      << "the installed examples with their split run";
}

} // namespace
