// Charts made again and again from the same template: the chart service reads the template's file
// and parses its text once, yet every chart document is its own (an edit of one never shows in the
// next), a template file changed on disk is read anew, and a second service keeps nothing of the
// first. (That each placed chart's ids differ from the others' the examples' stored output pins.)
#include "ScratchFolder.h"
#include "ViZNode.h"

#include "chart/ChartError.h"
#include "chart/ChartService.h"
#include "chart/XDocument.h"
#include "output/Document.h"
#include "pivot/BpProcedure.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <fcntl.h>
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

} // namespace
