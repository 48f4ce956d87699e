// The standalone chart files: names that follow the report's heading numbers, only plain drawings
// written, and a folder that cannot be written reported rather than ignored.
#include "render/ChartFileWriter.h"

#include "SampleDocument.h"
#include "ScratchFolder.h"

#include "output/Chart.h"
#include "output/Heading.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

namespace {

namespace fs = std::filesystem;

std::unique_ptr<output::Chart> Drawn(const std::string& title, const std::string& svg) {
  auto chart = std::make_unique<output::Chart>();
  chart->title = title;
  chart->svg = svg;
  return chart;
}

const char* const kSvg = "<svg xmlns=\"http://www.w3.org/2000/svg\"><rect/></svg>";

TEST(ChartFileWriter, SlugsKeepLettersAndCutBetweenCharacters) {
  struct Case {
    std::string title, slug;
  } cases[] = {
      {"Independent-Samples Kruskal-Wallis Test", "independent-samples-kruskal-wallis-test"},
      {"  Pairwise Comparisons of Feed / supplement!  ", "pairwise-comparisons-of-feed-supplement"},
      {"Unabh\xC3\xA4ngige Stichproben", "unabh\xC3\xA4ngige-stichproben"},
      {"a\xFF\xC3"
       "b",
       "a-b"},                            // stray bytes and a cut-off character are separators
      {"../../etc/passwd", "etc-passwd"}, // no path can leave the folder
      // Controls, direction overrides and invisible characters from labels separate like blanks.
      {"Feed\xE2\x80\xAEtxt.exe", "feed-txt-exe"}, // U+202E
      {"a\xC2\x9B"
       "31m\xC2\x85z",
       "a-31m-z"},                                                // C1 controls
      {"a\xE2\x80\xA8z\xE2\x80\x8By\xEF\xBB\xBF", "a-z-y"},       // U+2028, U+200B, U+FEFF
      {"\xCE\xA3\xCF\x89 \xD0\x96", "\xCE\xA3\xCF\x89-\xD0\x96"}, // Greek, Cyrillic
      {"", "chart"},
      {"***", "chart"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ChartFileWriter::Slug(c.title), c.slug) << c.title;

  // 59 ASCII letters then a two-byte letter: it does not fit whole, so it is left out.
  const std::string slug = ChartFileWriter::Slug(std::string(59, 'x') + "\xC3\xA4" + "yz");
  EXPECT_EQ(slug, std::string(59, 'x'));
}

TEST(ChartFileWriter, FilesAreNamedAfterTheHeadingNumbersAndHoldTheDrawing) {
  output::Document document;
  document.Append(std::make_unique<output::Heading>(Plain("Report header")));
  auto* run = document.Append(std::make_unique<output::Heading>(Plain("Nonparametric Tests")));
  run->Append(std::make_unique<output::Heading>(Plain("Summary")));
  auto* test = run->Append(std::make_unique<output::Heading>(Plain("Test")));
  test->Append(Drawn("Box Plot", kSvg));
  test->Append(Drawn("Not drawn", ""));
  test->Append(Drawn("Scripted", "<svg><script>alert(1)</script></svg>"));
  // A chart laid out as a printed figure gives its file that drawing.
  auto network = Drawn("Network", kSvg);
  network->printSvg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"3.3in\"><rect/></svg>";
  test->Append(std::move(network));
  document.Append(Drawn("Loose", kSvg));

  ScratchFolder folder;
  const fs::path into = fs::path(folder.Path()) / "new" / "figures";
  const std::vector<std::string> written = ChartFileWriter::Write(document, into.string());
  // Charts are counted under their heading whether drawn or not, so a file keeps its name when a
  // chart before it fails to draw.
  const std::vector<std::string> expected = {(into / "2.2-c1-box-plot.svg").string(),
                                             (into / "2.2-c4-network.svg").string(),
                                             (into / "c1-loose.svg").string()};
  EXPECT_EQ(written, expected);
  EXPECT_EQ(ReadAll(expected[0]),
            std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n") + kSvg + "\n");
  EXPECT_NE(ReadAll(expected[1]).find("width=\"3.3in\""), std::string::npos);
  EXPECT_EQ(std::distance(fs::directory_iterator(into), fs::directory_iterator()), 3);
}

TEST(ChartFileWriter, AFolderThatCannotBeMadeOrWrittenIsNamed) {
  output::Document document;
  document.Append(Drawn("Chart", kSvg));
  ScratchFolder folder;
  const fs::path file = folder.Write("a-file", "x");
  try {
    ChartFileWriter::Write(document, (file / "sub").string());
    FAIL() << "a folder below a file was accepted";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find("a-file"), std::string::npos) << error.what();
  }
  // An existing folder of ours with a directory where the file should go.
  fs::create_directories(folder.File("out/c1-chart.svg"));
  EXPECT_THROW(ChartFileWriter::Write(document, folder.File("out")), std::runtime_error);
}

} // namespace
