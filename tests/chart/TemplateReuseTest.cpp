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

// A template file changed on disk is read anew. One rewritten in place with its time of change put
// back looks unchanged to the service that read it, yet a new service (another report, another
// test) reads what it holds now: nothing is kept beyond a service.
TEST(TemplateReuse, AServiceReadsAChangedFileAnewAndKeepsItsTextsToItself) {
  ScratchFolder scratch;
  ChartService charts(scratch.Path());
  const std::string path = scratch.Write("T.viztemplate", "<visualization/>");
  const auto read = [](ChartService& service, const char* part) {
    return service.TemplateText("T.viztemplate").find(part) != std::string::npos;
  };
  EXPECT_TRUE(read(charts, "<visualization/>"));
  struct stat info {};
  ASSERT_EQ(stat(path.c_str(), &info), 0);
  scratch.Write("T.viztemplate", "<visualizatioN/>");
  const timespec times[2] = {info.st_atim, info.st_mtim};
  ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
  EXPECT_TRUE(read(charts, "<visualization/>"));
  ChartService other(scratch.Path());
  EXPECT_TRUE(read(other, "<visualizatioN/>"));
  // Same size, other content: the file is replaced, not rewritten in place.
  scratch.Write("T.new", "<visualizatioM/>");
  ASSERT_EQ(std::rename(scratch.File("T.new").c_str(), path.c_str()), 0);
  EXPECT_TRUE(read(charts, "<visualizatioM/>"));
  std::remove(path.c_str());
  EXPECT_EQ(charts.TemplateText("T.viztemplate"), "");
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
