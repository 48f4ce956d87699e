// The documents the engine writes are read by the plug-in's reader as they are: without a warning,
// with the document's dictionary, counts and settings.
#include "EngineRun.h"

#include "output/Message.h"

namespace {

using enginetest::Read;
using enginetest::RunEngine;

TEST(EngineDocument, ReadBackWithoutWarningsWithItsCountsAndDictionary) {
  const std::string csv = "score,group,w\n1,a,1\n2,b,2\n3,a,0\n,b,1\n5,a,1\n";
  const std::string json = R"({"variables": [
      {"name": "score", "measure": "scale"},
      {"name": "group", "type": "string", "width": 4, "measure": "nominal",
       "valueLabels": [{"value": "b", "label": "Bee & co"}]},
      {"name": "w"}], "weight": "w"})";
  const auto documents = RunEngine(
      csv, "NPTESTS /ONESAMPLE TEST(score group) RUNS /CRITERIA ALPHA=0.01 CILEVEL=90.", json);
  ASSERT_EQ(documents.size(), 1u);
  const auto back = Read(documents[0].fText);
  EXPECT_TRUE(back->fOk) << back->fError;
  EXPECT_TRUE(back->fWarnings.empty()) << back->fWarnings.front();
  // Labelled texts come first, then the others by their bytes.
  EXPECT_NE(documents[0].fText.find(R"(<Value index="0" value="b" displayValue="Bee &amp; co"/>)"),
            std::string::npos);
  EXPECT_NE(documents[0].fText.find(R"(totalFreq="5" totalCount="5" droppedCount="0" )"
                                    R"(badWeightCount="1")"),
            std::string::npos)
      << documents[0].fText;
  EXPECT_NE(documents[0].fText.find(R"(sigLevel="0.01" confidenceLevel="0.9")"), std::string::npos);
}

TEST(EngineDocument, OneDocumentPerSplitGroupInTheOrderOfTheValues) {
  const std::string csv = "x,s\n1,2\n2,1\n3,2\n4,\n";
  engine::EngineSettings settings;
  settings.fSplitColumn = 1;
  const auto documents = RunEngine(csv, "NPTESTS /ONESAMPLE TEST(x) RUNS.", "", settings);
  ASSERT_EQ(documents.size(), 2u);
  EXPECT_EQ(documents[0].fSplit, "s=1");
  EXPECT_EQ(documents[1].fSplit, "s=2");
  EXPECT_NE(documents[1].fText.find(R"(totalCount="2")"), std::string::npos);
}

} // namespace
