// Charts made again and again from the same template: the template's file is read and its text
// parsed once, yet every chart document is its own (an edit of one never shows in the next), a
// template file changed on disk is read anew, and each placed chart's ids differ from the others'.
#include "ScratchFolder.h"
#include "ViZNode.h"

#include "chart/ChartError.h"
#include "chart/XDocument.h"
#include "output/Document.h"
#include "output/Heading.h"
#include "pivot/BpProcedure.h"
#include "pivot/BpString.h"
#include "strings/PathFactory.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>

namespace {

const char* const kTemplate = R"(<visualization frameWidth="2.0">
  <sourceVariable id="value" source="graphSource" variable="value"/>
  <graph id="graph1"><axis dim="x"><label><text>x</text></label></axis>
    <interval id="bars"><y variable="value"/></interval></graph>
</visualization>
)";

std::string Serialized(XDocument& document) {
  return SerializeSpecification(document.getVisualization().node());
}

TEST(TemplateReuse, EachDocumentIsItsOwnCopy) {
  XDocument first(kTemplate);
  const std::string pristine = Serialized(first);
  first.getExternalGraph()->setTitle(u"Edited");
  first.getExternalGraph()->setOuterFrameWidth(7);
  EXPECT_NE(Serialized(first), pristine);
  for (int i = 0; i < 3; ++i) {
    XDocument again(kTemplate);
    EXPECT_EQ(Serialized(again), pristine) << i << ": an edit of another document shows";
    again.getExternalGraph()->setTitle(u"Other");
  }
  // Text that does not parse fails every time, not only the first.
  for (int i = 0; i < 2; ++i)
    EXPECT_THROW(XDocument("<visualization><graph></visualization>"), ChartError) << i;
}

class TemplateChange : public ::testing::Test {
protected:
  void SetUp() override { PathFactory::SetTemplatesRoot(fScratch.Path()); }
  void TearDown() override { PathFactory::SetTemplatesRoot(""); }
  void Write(const std::string& name, const std::string& text) { fScratch.Write(name, text); }
  std::string Path(const std::string& name) const { return fScratch.File(name); }
  ScratchFolder fScratch;
};

TEST_F(TemplateChange, AChangedFileIsReadAnew) {
  Write("T.viztemplate", "<visualization/>");
  const std::string before = XDocument::fetchTemplateFile("T.viztemplate");
  EXPECT_NE(before.find("<visualization/>"), std::string::npos) << before;
  EXPECT_EQ(XDocument::fetchTemplateFile("T.viztemplate"), before);
  // Same size, other content: the file is replaced, not rewritten in place.
  Write("T.new", "<visualizatioN/>");
  ASSERT_EQ(std::rename(Path("T.new").c_str(), Path("T.viztemplate").c_str()), 0);
  EXPECT_NE(XDocument::fetchTemplateFile("T.viztemplate").find("<visualizatioN/>"),
            std::string::npos);
  Write("T.viztemplate", "<visualization><graph/></visualization>");
  EXPECT_NE(XDocument::fetchTemplateFile("T.viztemplate").find("<graph/>"), std::string::npos);
  std::remove(Path("T.viztemplate").c_str());
  EXPECT_EQ(XDocument::fetchTemplateFile("T.viztemplate"), "");
}

// The id prefix of a chart counts the charts placed before it, also across headings.
TEST(TemplateReuse, PlacedChartsGetIdsOfTheirOwn) {
  output::Document out;
  BpProcedure procedure(out, nullptr, nullptr);
  std::set<std::string> prefixes;
  for (int i = 0; i < 4; ++i) {
    BpHeading heading = procedure.Heading(BpString("Test " + std::to_string(i), false));
    XDocument document(kTemplate);
    try {
      ASSERT_TRUE(document.SendChart(true, false, false));
    } catch (const ChartError& error) {
      GTEST_SKIP() << "the chart was not drawn: " << error.what();
    }
    const output::Chart* chart = heading.Node().Items().back()->AsChart();
    ASSERT_NE(chart, nullptr);
    const std::size_t at = chart->svg.find("id=\"c");
    ASSERT_NE(at, std::string::npos) << chart->svg.substr(0, 200);
    prefixes.insert(chart->svg.substr(at + 4, chart->svg.find('-', at) - at - 4));
  }
  EXPECT_EQ(procedure.ChartsPlaced(), 4u);
  EXPECT_EQ(prefixes, (std::set<std::string>{"c0", "c1", "c2", "c3"}));
}

} // namespace
