// Charts made again and again from the same template: the chart service reads the template's file
// and parses its text once, yet every chart document is its own (an edit of one never shows in the
// next), a template file changed on disk is read anew, a second service keeps nothing of the first,
// and each placed chart's ids differ from the others'.
#include "ScratchFolder.h"
#include "ViZNode.h"

#include "chart/ChartError.h"
#include "chart/ChartService.h"
#include "chart/XDocument.h"
#include "output/Document.h"
#include "output/Heading.h"
#include "pivot/BpProcedure.h"
#include "pivot/BpString.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <fcntl.h>
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
  output::Document out;
  BpProcedure procedure(out, nullptr, nullptr);
  ChartService charts("");
  procedure.SetChartService(&charts);
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
  void Write(const std::string& name, const std::string& text) { fScratch.Write(name, text); }
  std::string Path(const std::string& name) const { return fScratch.File(name); }
  ScratchFolder fScratch;
  ChartService fCharts{fScratch.Path()};
};

TEST_F(TemplateChange, AChangedFileIsReadAnew) {
  Write("T.viztemplate", "<visualization/>");
  const std::string before = fCharts.TemplateText("T.viztemplate");
  EXPECT_NE(before.find("<visualization/>"), std::string::npos) << before;
  EXPECT_EQ(fCharts.TemplateText("T.viztemplate"), before);
  // Same size, other content: the file is replaced, not rewritten in place.
  Write("T.new", "<visualizatioN/>");
  ASSERT_EQ(std::rename(Path("T.new").c_str(), Path("T.viztemplate").c_str()), 0);
  EXPECT_NE(fCharts.TemplateText("T.viztemplate").find("<visualizatioN/>"), std::string::npos);
  Write("T.viztemplate", "<visualization><graph/></visualization>");
  EXPECT_NE(fCharts.TemplateText("T.viztemplate").find("<graph/>"), std::string::npos);
  std::remove(Path("T.viztemplate").c_str());
  EXPECT_EQ(fCharts.TemplateText("T.viztemplate"), "");
}

// A file rewritten in place with its time of change put back looks unchanged to the service that
// read it; a new service (another report, another test) reads what the file holds now.
TEST_F(TemplateChange, EachServiceKeepsItsOwnTexts) {
  Write("T.viztemplate", "<visualization/>");
  struct stat info {};
  ASSERT_EQ(stat(Path("T.viztemplate").c_str(), &info), 0);
  EXPECT_NE(fCharts.TemplateText("T.viztemplate").find("<visualization/>"), std::string::npos);
  Write("T.viztemplate", "<visualizatioN/>");
  const timespec times[2] = {info.st_atim, info.st_mtim};
  ASSERT_EQ(utimensat(AT_FDCWD, Path("T.viztemplate").c_str(), times, 0), 0);
  EXPECT_NE(fCharts.TemplateText("T.viztemplate").find("<visualization/>"), std::string::npos);
  EXPECT_NE(ChartService(fScratch.Path()).TemplateText("T.viztemplate").find("<visualizatioN/>"),
            std::string::npos);
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
