// The drawing entry: lays out titles, graphs, legends and label frames in the chart frame and
// writes the SVG element.
#include "ChartDrawing.h"

#include "ChartCanvas.h"
#include "ChartGraph.h"
#include "ChartLayout.h"
#include "ChartLegend.h"
#include "FontMetrics.h"
#include "ViZNode.h"

#include "chart/ChartError.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kTitleFont = 15;
constexpr double kSubtitleFont = 12;
constexpr double kFootnoteFont = 10;
constexpr double kMargin = 8;
constexpr const char* kFontFamily = "Liberation Sans, Arial, Helvetica, sans-serif";
// A printed figure: the smallest text drawn is 10 px. A figure of one column (3.3 in, 237.6 pt) is
// laid out 336 px wide, so that 10 px print at 7.1 pt; one of two columns (6.9 in, 496.8 pt), for
// a template that says it needs them (printColumns="2": several panels, or frames beside the
// graph), 600 px wide, so that 10 px print at 8.3 pt. The height keeps the template's proportion.
constexpr double kOneColumnPixels = 336, kTwoColumnPixels = 600;
constexpr double kOneColumn = 3.3, kTwoColumns = 6.9; // inches

struct TextBlock {
  std::vector<std::string> lines;
  double size = 0;
  bool bold = false;
  const char* cls = "";
  double Height() const {
    return lines.empty() ? 0 : static_cast<double>(lines.size()) * FontMetrics::LineHeight(size);
  }
};

std::string DocumentText(const ViZNode& root, const char* element) {
  const ViZNode* node = root.FirstChild(element);
  if (node == nullptr || node->AttributeOr("visible", "true") == "false")
    return std::string();
  return LabelText(*node);
}

TextBlock MakeBlock(const std::string& text, double size, bool bold, const char* cls,
                    double width) {
  TextBlock block;
  block.size = size;
  block.bold = bold;
  block.cls = cls;
  if (!text.empty())
    block.lines = FontMetrics::Instance().Wrap(text, size, bold, width, 4);
  return block;
}

// Writes a block of lines, centred (or at the left), starting at `top`; returns its bottom.
double DrawBlock(SvgWriter& svg, const TextBlock& block, double x, double top, bool centred) {
  if (block.lines.empty())
    return top;
  const double lineHeight = FontMetrics::LineHeight(block.size);
  svg.Start("text")
      .Attr("class", block.cls)
      .Attr("x", x)
      .Attr("y", top + block.size)
      .Attr("font-size", block.size)
      .Attr("fill", "#222222")
      .Attr("text-anchor", centred ? "middle" : "start");
  if (block.bold)
    svg.Attr("font-weight", "bold");
  svg.EndStart();
  for (std::size_t i = 0; i < block.lines.size(); ++i) {
    svg.Start("tspan").Attr("x", x).Attr("dy", i == 0 ? 0. : lineHeight).EndStart();
    svg.Text(block.lines[i]);
    svg.Close("tspan");
  }
  svg.Close("text");
  return top + block.Height();
}

double FrameSize(const ViZNode& root, const char* attribute, double fallback) {
  double units = AttributeNumber(root, attribute);
  if (!std::isfinite(units) || units <= 0)
    units = fallback;
  return std::clamp(units, 0.5, 12.) * 320;
}

void DrawBody(ChartCanvas& canvas) {
  const ViZNode& root = canvas.Root();
  SvgWriter& svg = canvas.Svg();
  const double width = canvas.width, height = canvas.height;
  svg.Start("rect")
      .Attr("class", "background")
      .Attr("width", width)
      .Attr("height", height)
      .Attr("fill", "#FFFFFF")
      .EndEmpty();

  TextBlock title =
      MakeBlock(DocumentText(root, "title"), kTitleFont, true, "chart-title", width - 2 * kMargin);
  TextBlock subtitle = MakeBlock(DocumentText(root, "subtitle"), kSubtitleFont, false,
                                 "chart-subtitle", width - 2 * kMargin);
  TextBlock footnote = MakeBlock(DocumentText(root, "footnote"), kFootnoteFont, false,
                                 "chart-footnote", width - 2 * kMargin);
  double top = kMargin;
  top = DrawBlock(svg, title, width / 2, top, true);
  top = DrawBlock(svg, subtitle, width / 2, top, true);
  if (!title.lines.empty() || !subtitle.lines.empty())
    top += 6;
  double bottom = height - kMargin - footnote.Height();
  DrawBlock(svg, footnote, kMargin, bottom, false);
  if (!footnote.lines.empty())
    bottom -= 4;

  std::vector<ChartLegend> legends = ChartLegend::Collect(canvas);
  double legendWidth = 0;
  for (ChartLegend& legend : legends) {
    legend.maxTextWidth = std::max(40., width * 0.27);
    legendWidth = std::max(legendWidth, legend.Width());
  }

  ChartRect frame = {0, 0, width, height};
  ChartLayout layout(frame);
  ChartRect available = {kMargin, top,
                         width - 2 * kMargin - (legendWidth > 0 ? legendWidth + 10 : 0),
                         std::max(40., bottom - top)};
  ChartRect firstPlot = available;
  bool first = true;
  for (const ViZNode* graphNode : root.Children("graph")) {
    if (graphNode->AttributeOr("visible", "true") == "false")
      continue;
    ChartRect box = layout.PlaceGraph(*graphNode, available);
    ChartGraph graph(canvas, *graphNode);
    graph.Draw(box);
    if (first)
      firstPlot = graph.PlotArea();
    first = false;
  }
  layout.DrawLabelFrames(canvas, firstPlot);

  double legendTop = std::max(top, firstPlot.top);
  for (const ChartLegend& legend : legends) {
    legend.Draw(canvas, width - kMargin - legendWidth, legendTop);
    legendTop += legend.Height() + 12;
  }
}

} // namespace

std::string DrawChart(const ViZNode& root, const VarDataProcessor* data,
                      const ChartDrawingContext& context) {
  if (root.name != "visualization")
    throw ChartError("a chart is drawn from a visualization element, not from \"" + root.name +
                     "\"");
  const std::string prefix = context.idPrefix.empty() ? "chart-" : context.idPrefix;
  double width = FrameSize(root, "frameWidth", 2.0);
  double height = FrameSize(root, "frameHeight", 1.5);
  const bool twoColumns = root.AttributeOr("printColumns", "1") == "2";
  if (context.print) {
    const double printed = twoColumns ? kTwoColumnPixels : kOneColumnPixels;
    height *= printed / width;
    width = printed;
  }
  std::string titleText = DocumentText(root, "title");
  std::string description = context.description.empty() ? titleText : context.description;
  const std::string language =
      !context.language.empty() ? context.language : root.AttributeOr("lang", "");

  std::string body;
  std::string definitions;
  // The description says what the chart shows, as the marks told it (the title is the chart's
  // name already), then the footnote (the test's report line).
  std::string summary;
  try {
    ChartCanvas canvas(root, data, prefix);
    canvas.width = width;
    canvas.height = height;
    canvas.language = language;
    DrawBody(canvas);
    for (const std::string& sentence : canvas.Descriptions())
      summary += (summary.empty() ? "" : " ") + sentence;
    body = std::move(canvas.Svg().Body());
    definitions = std::move(canvas.Svg().Definitions());
  } catch (const std::exception&) {
    // What the tree or the data hold never stops a report: a chart that cannot be drawn shows
    // its frame and its accessible texts.
    body = "<rect class=\"background\" width=\"" + SvgWriter::Number(width) + "\" height=\"" +
           SvgWriter::Number(height) + "\" fill=\"#FFFFFF\"/>\n";
    definitions.clear();
  }

  SvgWriter svg;
  const std::string titleId = prefix + "title";
  const std::string descId = prefix + "desc";
  svg.Start("svg").Attr("xmlns", "http://www.w3.org/2000/svg").Attr("class", "chart");
  if (context.print) {
    const double inches = twoColumns ? kTwoColumns : kOneColumn;
    svg.Attr("width", SvgWriter::Number(inches) + "in")
        .Attr("height", SvgWriter::Number(inches * height / width) + "in");
  } else {
    svg.Attr("width", width).Attr("height", height);
  }
  svg.Attr("viewBox", "0 0 " + SvgWriter::Number(width) + " " + SvgWriter::Number(height))
      .Attr("role", "img")
      .Attr("aria-labelledby", titleId + " " + descId);
  if (!language.empty())
    svg.Attr("xml:lang", language);
  svg.Attr("font-family", kFontFamily).EndStart();
  svg.Raw("\n");
  svg.Start("title").Attr("id", titleId).EndStart();
  svg.Text(description);
  svg.Close("title");
  for (const char* part : {"subtitle", "footnote"}) {
    std::string text = DocumentText(root, part);
    if (!text.empty() && description.find(text) == std::string::npos)
      summary += (summary.empty() ? "" : "\n") + text;
  }
  if (summary.empty())
    summary = titleText;
  svg.Start("desc").Attr("id", descId).EndStart();
  // The description keeps its line breaks as blanks.
  std::replace(summary.begin(), summary.end(), '\n', ' ');
  svg.Text(summary);
  svg.Close("desc");
  if (!definitions.empty()) {
    svg.Raw("<defs>\n");
    svg.Raw(definitions);
    svg.Raw("</defs>\n");
  }
  svg.Raw(body);
  svg.Close("svg");
  return std::move(svg.Body());
}
