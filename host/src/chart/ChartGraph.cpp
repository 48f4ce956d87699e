// A graph's elements, scales, facet panels and axes. The marks themselves are in ChartMarks.cpp.
#include "ChartGraph.h"

#include "FontMetrics.h"
#include "ViZNode.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kTickFont = 11;
constexpr double kTitleFont = 12;
constexpr double kHeadingFont = 11;
constexpr double kPanelLabelFont = 10;
constexpr double kTickLength = 4;
constexpr const char* kInk = "#333333";
constexpr std::size_t kMaxFacetCategories = 12;
constexpr std::size_t kMaxBandLabels = 60;
constexpr int kMaxCurveSamples = 240;
// The share of a box plot's value range left free beyond its lowest and highest values.
constexpr double kSchemaPadding = 0.04;
// Shares of the font size above and below the baseline that glyphs reach.
constexpr double kAscent = 0.8;
constexpr double kDescent = 0.22;
// The room between the row headings and the row facet's title beyond them.
constexpr double kFacetLabelGap = 8;

const char* const kElementKinds[] = {"interval", "line", "area", "point",
                                     "schema",   "edge", "node", "textMark"};

bool IsElement(const std::string& name) {
  for (const char* kind : kElementKinds)
    if (name == kind)
      return true;
  return false;
}

// Every variable of an element comes from one source; the first one found names it.
void NoteSource(GraphElement& element, const ChartVariable* variable) {
  if (variable == nullptr)
    return;
  if (element.source.empty())
    element.source = variable->Source();
  if (variable->Source() == element.source)
    element.rows = std::max(element.rows, variable->Rows());
}

double SmallestGap(const ChartVariable* variable) {
  if (variable == nullptr)
    return 1;
  std::vector<double> values;
  values.reserve(variable->Rows());
  for (std::size_t row = 0; row < variable->Rows(); ++row)
    if (std::optional<double> number = variable->Number(row))
      values.push_back(*number);
  std::sort(values.begin(), values.end());
  double gap = 0;
  for (std::size_t i = 1; i < values.size(); ++i) {
    double step = values[i] - values[i - 1];
    if (step > std::fabs(values[i]) * 1e-12 && (gap == 0 || step < gap))
      gap = step;
  }
  return gap > 0 && std::isfinite(gap) ? gap : 1;
}

const ChartVariable& PlainNumbers() {
  static const ChartVariable plain;
  return plain;
}

} // namespace

ChartGraph::ChartGraph(ChartCanvas& canvas, const ViZNode& graph) : fCanvas(canvas), fGraph(graph) {
  ReadElements();
  ReadFacets();
  SettleScales();
}

void ChartGraph::ReadElements() {
  for (const auto& child : fGraph.children) {
    if (!IsElement(child->name))
      continue;
    GraphElement element;
    element.node = child.get();
    element.kind = child->name;
    element.style = fCanvas.StyleOf(*child);
    if (!element.style.visible)
      continue;
    const ViZNode& node = *child;
    element.x = fCanvas.ChildVariable(node, "x");
    element.y = fCanvas.ChildVariable(node, "y");
    element.color = fCanvas.ChildVariable(node, "color");
    element.pattern = fCanvas.ChildVariable(node, "pattern");
    element.dash = fCanvas.ChildVariable(node, "dash");
    element.value = fCanvas.ChildVariable(node, "value");
    element.from = fCanvas.ChildVariable(node, "from");
    element.to = fCanvas.ChildVariable(node, "to");
    std::vector<ViZNode*> labelings = node.Children("labeling");
    if (!labelings.empty()) {
      element.labelingNode = labelings.back();
      element.labeling = fCanvas.Variable(labelings.back()->AttributeOr("variable", ""));
    }
    const ViZNode* colorNode = node.FirstChild("color");
    const ViZNode* patternNode = node.FirstChild("pattern");
    element.palette = PaletteOf(colorNode != nullptr     ? *colorNode
                                : patternNode != nullptr ? *patternNode
                                                         : node);
    element.horizontal = node.AttributeOr("orientation", "") == "horizontal";
    element.binned = node.FirstChild("binStatistic") != nullptr;
    if (const ViZNode* summary = node.FirstChild("summaryStatistic")) {
      element.summary = summary->AttributeOr("method", "sum");
      if (element.summary != "mean" && element.summary != "count")
        element.summary = "sum";
    }
    std::string position = node.AttributeOr("position", "");
    element.stack = position == "stack";
    element.dodge = position == "dodge";
    for (const ChartVariable* variable :
         {element.x, element.y, element.value, element.from, element.to, element.color,
          element.pattern, element.dash, element.labeling})
      NoteSource(element, variable);
    if (const ViZNode* statistic = node.FirstChild("distributionStatistic")) {
      element.statistic = statistic;
      element.distribution =
          ChartDistribution::Make(statistic->AttributeOr("distribution", ""),
                                  AttributeNumber(*statistic, "parameter", true),
                                  AttributeNumber(*statistic, "secondaryParameter", true));
    }
    if (element.kind == "interval")
      element.binWidth = SmallestGap(element.horizontal ? element.y : element.x);
    fNetwork = fNetwork || element.kind == "node" || element.kind == "edge";
    fElements.push_back(std::move(element));
  }
  for (const GraphElement& element : fElements) {
    for (int dim = 0; dim < 2; ++dim) {
      const ChartVariable* variable = dim == 0 ? element.x : element.y;
      if (variable != nullptr && fAxisVariable[dim] == nullptr)
        fAxisVariable[dim] = variable;
    }
    if (element.kind == "interval" && !fMeasure[0] && !fMeasure[1])
      fMeasure[element.horizontal ? 0 : 1] = true;
  }
  for (int dim = 0; dim < 2; ++dim)
    fCategorical[dim] = fAxisVariable[dim] != nullptr && fAxisVariable[dim]->Categorical();
  for (const ViZNode* axis : fGraph.Children("axis")) {
    int dim = axis->AttributeOr("dim", "x") == "y" ? 1 : 0;
    bool opposite = axis->AttributeOr("side", "") == "opposite";
    std::string title = LabelText(*axis);
    if (opposite) {
      fOppositeTitle[dim] = title;
      continue;
    }
    fVisible[dim] = axis->AttributeOr("visible", "true") != "false";
    fAxisTitle[dim] = title;
  }
  for (int dim = 0; dim < 2; ++dim)
    if (fAxisTitle[dim].empty() && fAxisVariable[dim] != nullptr)
      fAxisTitle[dim] = fAxisVariable[dim]->Label();
}

void ChartGraph::ReadFacets() {
  if (const ViZNode* faceting = fGraph.FirstChild("faceting")) {
    for (const ViZNode* facet : faceting->Children("facet")) {
      const ChartVariable* variable = fCanvas.Variable(facet->AttributeOr("variable", ""));
      if (variable == nullptr || variable->CategoryCount() == 0)
        continue;
      bool row = facet->AttributeOr("dim", "column") == "row";
      (row ? fRowFacet : fColumnFacet) = variable;
      (row ? fRowFacetLabel : fColumnFacetLabel) = LabelText(*facet);
      if (const ViZNode* panelLabel = facet->FirstChild("panelLabel"))
        fPanelLabel = fCanvas.Variable(panelLabel->AttributeOr("variable", ""));
    }
  }
  if (const ViZNode* layout = fGraph.FirstChild("facetLayout")) {
    // The views overwrite these values in place, so they may carry padding blanks.
    auto word = [&](const char* attribute) {
      std::string value = layout->AttributeOr(attribute, "");
      value.erase(0, value.find_first_not_of(' '));
      value.erase(value.find_last_not_of(' ') + 1);
      return value;
    };
    fAlternating = word("alternating") == "true";
    fCentre = fAlternating && word("centre") == "y";
    fInvert = word("invert") == "true";
    double gap = AttributeLength(*layout, "gap", fCanvas.width);
    fGap = std::isfinite(gap) ? std::clamp(gap, 0., fCanvas.width / 4) : 0;
  }
  fColumns = fColumnFacet ? std::min(kMaxFacetCategories, fColumnFacet->CategoryCount()) : 1;
  fRowsOfPanels = fRowFacet ? std::min(kMaxFacetCategories, fRowFacet->CategoryCount()) : 1;
  for (std::size_t r = 0; r < fRowsOfPanels; ++r) {
    for (std::size_t c = 0; c < fColumns; ++c) {
      GraphPanel panel;
      panel.column = fColumnFacet ? static_cast<int>(c) : -1;
      panel.row = fRowFacet ? static_cast<int>(r) : -1;
      fPanels.push_back(std::move(panel));
    }
  }
}

bool ChartGraph::InPanel(const GraphElement& element, std::size_t row,
                         const GraphPanel& panel) const {
  if (panel.column >= 0 && fColumnFacet->Source() == element.source &&
      fColumnFacet->Category(row) != panel.column)
    return false;
  if (panel.row >= 0 && fRowFacet->Source() == element.source &&
      fRowFacet->Category(row) != panel.row)
    return false;
  return true;
}

void ChartGraph::ComputeBars(const GraphElement& element, const GraphPanel& panel,
                             std::vector<GraphBar>& bars) const {
  bars.clear();
  const ChartVariable* position = element.horizontal ? element.y : element.x;
  const ChartVariable* measure = element.horizontal ? element.x : element.y;
  int positionDim = element.horizontal ? 1 : 0;
  bool band = fCategorical[positionDim];
  if (position == nullptr || (measure == nullptr && element.summary != "count"))
    return;
  double half = band ? 0 : element.binWidth * (element.binned ? 0.5 : 0.35);
  for (std::size_t row = 0; row < element.rows; ++row) {
    if (!InPanel(element, row, panel))
      continue;
    GraphBar bar;
    if (band) {
      int category = position->Category(row);
      if (category < 0)
        continue;
      bar.position = category;
    } else {
      std::optional<double> number = position->Number(row);
      if (!number)
        continue;
      bar.position = *number;
    }
    std::optional<double> value = element.summary == "count" ? 1. : measure->Number(row);
    if (!value)
      continue;
    bar.half = half;
    bar.v1 = *value;
    bar.group = element.color ? element.color->Category(row) : -1;
    bar.patternGroup = element.pattern ? element.pattern->Category(row) : -1;
    bar.row = row;
    bars.push_back(bar);
  }
  auto key = [](const GraphBar& bar) {
    return std::make_tuple(bar.position, bar.group, bar.patternGroup, bar.row);
  };
  std::sort(bars.begin(), bars.end(),
            [&](const GraphBar& a, const GraphBar& b) { return key(a) < key(b); });
  if (!element.summary.empty()) {
    std::size_t kept = 0;
    std::size_t count = 0;
    for (std::size_t i = 0; i < bars.size(); ++i) {
      GraphBar& last = bars[kept > 0 ? kept - 1 : 0];
      bool same = kept > 0 && last.position == bars[i].position && last.group == bars[i].group &&
                  last.patternGroup == bars[i].patternGroup;
      if (same) {
        last.v1 += bars[i].v1;
        ++count;
      } else {
        if (kept > 0 && element.summary == "mean")
          last.v1 /= static_cast<double>(count);
        bars[kept++] = bars[i];
        count = 1;
      }
    }
    if (kept > 0 && element.summary == "mean")
      bars[kept - 1].v1 /= static_cast<double>(count);
    bars.resize(kept);
  }
  if (element.stack) {
    double positive = 0, negative = 0;
    for (std::size_t i = 0; i < bars.size(); ++i) {
      if (i == 0 || bars[i].position != bars[i - 1].position)
        positive = negative = 0;
      double& base = bars[i].v1 >= 0 ? positive : negative;
      bars[i].v0 = base;
      base += bars[i].v1;
      bars[i].v1 = base;
    }
  }
}

double ChartGraph::CurveScale(const GraphElement& element, const GraphPanel& panel) const {
  if (element.x == nullptr || element.y == nullptr)
    return 1;
  double total = 0;
  for (std::size_t row = 0; row < element.rows; ++row)
    if (InPanel(element, row, panel))
      if (std::optional<double> value = element.y->Number(row))
        total += *value;
  double binWidth = 1;
  for (const GraphElement& other : fElements)
    if (other.kind == "interval" && other.binned) {
      binWidth = other.binWidth;
      break;
    }
  return total * binWidth;
}

void ChartGraph::SettleScales() {
  bool includeZero[2] = {false, false};
  ChartScale schemaScale[2]; // the extent of box plots' values alone
  std::vector<GraphBar> bars;
  for (const GraphElement& element : fElements) {
    if (element.kind == "interval" || element.kind == "area")
      includeZero[element.horizontal ? 0 : 1] = true;
    for (const GraphPanel& panel : fPanels) {
      if (element.kind == "interval") {
        ComputeBars(element, panel, bars);
        int positionDim = element.horizontal ? 1 : 0;
        for (const GraphBar& bar : bars) {
          fScale[positionDim].Include(bar.position - bar.half);
          fScale[positionDim].Include(bar.position + bar.half);
          fScale[1 - positionDim].Include(bar.v0);
          fScale[1 - positionDim].Include(bar.v1);
        }
        continue;
      }
      bool positional = element.kind == "line" || element.kind == "area" ||
                        element.kind == "point" || element.kind == "schema";
      if (!positional || element.statistic != nullptr)
        continue;
      for (std::size_t row = 0; row < element.rows; ++row) {
        if (!InPanel(element, row, panel))
          continue;
        for (int dim = 0; dim < 2; ++dim) {
          const ChartVariable* variable = dim == 0 ? element.x : element.y;
          if (variable != nullptr && !fCategorical[dim])
            if (std::optional<double> value = variable->Number(row)) {
              fScale[dim].Include(*value);
              if (element.kind == "schema")
                schemaScale[dim].Include(*value);
            }
        }
      }
    }
  }
  // Outliers and extremes at the ends of the data are markers with case labels beside them:
  // the value axis goes a little beyond them so that neither sits on the plot's edge. Below zero,
  // for data that never are (counts, weights), the axis stops right there instead of at a round
  // negative tick, which would puzzle.
  double paddedBelowZero[2] = {NAN, NAN};
  for (int dim = 0; dim < 2; ++dim)
    if (schemaScale[dim].HasData()) {
      double span = schemaScale[dim].High() - schemaScale[dim].Low();
      if (span > 0 && std::isfinite(span)) {
        const double padded = schemaScale[dim].Low() - span * kSchemaPadding;
        fScale[dim].Include(padded);
        fScale[dim].Include(schemaScale[dim].High() + span * kSchemaPadding);
        if (schemaScale[dim].Low() >= 0 && padded < 0)
          paddedBelowZero[dim] = padded;
      }
    }
  for (const ViZNode* guide : fGraph.Children("lineGuide")) {
    fScale[0].Include(AttributeNumber(*guide, "x", true));
    fScale[1].Include(AttributeNumber(*guide, "y", true));
  }
  double fixedLow[2] = {NAN, NAN}, fixedHigh[2] = {NAN, NAN};
  bool reverse[2] = {false, false};
  bool hasRange[2] = {false, false};
  for (const ViZNode* axis : fGraph.Children("axis")) {
    if (axis->AttributeOr("side", "") == "opposite")
      continue;
    int dim = axis->AttributeOr("dim", "x") == "y" ? 1 : 0;
    if (const ViZNode* range = axis->FirstChild("range")) {
      fScale[dim].Include(AttributeNumber(*range, "min", true));
      fScale[dim].Include(AttributeNumber(*range, "max", true));
      hasRange[dim] = true;
    }
    if (const ViZNode* scale = axis->FirstChild("scale")) {
      fixedLow[dim] = AttributeNumber(*scale, "min", true);
      fixedHigh[dim] = AttributeNumber(*scale, "max", true);
      if (const std::string* zero = scale->Attribute("includeZero"))
        includeZero[dim] = *zero == "true";
      reverse[dim] = scale->AttributeOr("reverse", "false") == "true";
    }
  }
  // A curve without data spans its distribution unless the axis gives the range to draw.
  for (const GraphElement& element : fElements)
    if (element.statistic != nullptr && element.x == nullptr && !hasRange[0] &&
        element.distribution.GetKind() != ChartDistribution::Kind::kNone) {
      double low = 0, high = 0;
      element.distribution.Extent(low, high);
      fScale[0].Include(low);
      fScale[0].Include(high);
    }
  for (int dim = 0; dim < 2; ++dim)
    if (std::isfinite(paddedBelowZero[dim]) && !std::isfinite(fixedLow[dim]) &&
        fScale[dim].Low() >= paddedBelowZero[dim])
      fixedLow[dim] = fScale[dim].Low();
  auto settle = [&](int dim) {
    fSettle[dim] = {fScale[dim], includeZero[dim], fixedLow[dim], fixedHigh[dim], reverse[dim]};
    SettleScale(dim, ChartScale::kDefaultMaxTicks);
  };
  settle(0);
  // Curves take their height from the settled x range.
  for (const GraphElement& element : fElements) {
    if (element.statistic == nullptr || fCategorical[0])
      continue;
    for (const GraphPanel& panel : fPanels) {
      double factor = CurveScale(element, panel);
      for (int i = 0; i <= kMaxCurveSamples; ++i) {
        double x = fScale[0].Low() + (fScale[0].High() - fScale[0].Low()) * i / kMaxCurveSamples;
        if (element.distribution.Discrete())
          x = std::round(x);
        fScale[1].IncludeFitted(factor * element.distribution.Density(x));
      }
    }
    includeZero[1] = true;
  }
  settle(1);
}

void ChartGraph::SettleScale(int dim, int maxTicks, const double* domain) {
  const SettleInput& input = fSettle[dim];
  const double* low = std::isfinite(input.fixedLow) ? &input.fixedLow : nullptr;
  const double* high = std::isfinite(input.fixedHigh) ? &input.fixedHigh : nullptr;
  if (domain != nullptr)
    low = &domain[0], high = &domain[1];
  bool dates = fAxisVariable[dim] != nullptr && fAxisVariable[dim]->Dates();
  fScale[dim] = input.extent;
  fScale[dim].Settle(input.includeZero, low, high, dates, maxTicks);
  fScale[dim].SetPixels(0, 1, input.reverse);
}

void ChartGraph::FitTicks(double length) {
  // Fewer ticks over the same range: the axis keeps the ends it settled on for the data, rather
  // than growing to the next round value of a longer step.
  const double domain[2] = {fScale[0].Low(), fScale[0].High()};
  for (int round = 0; round < 4; ++round) {
    const std::vector<double>& ticks = fScale[0].Ticks();
    const double span = fScale[0].High() - fScale[0].Low();
    if (ticks.size() < 3 || !(span > 0) || !(fScale[0].Step() > 0))
      return;
    // Labels need their width and a gap between them that grows with them: long labels such as
    // dates read as one run of text when set closer.
    const double widest = TickLabelWidth(0);
    const double gap = std::max(14., 0.3 * widest);
    const double pixelsPerStep = length * fScale[0].Step() / span;
    if (pixelsPerStep >= widest + gap)
      return;
    int fitting = static_cast<int>(length / (widest + gap)) + 1;
    const int maxTicks = std::min(fitting, static_cast<int>(ticks.size()) - 1);
    SettleScale(0, maxTicks, domain);
    // Too narrow a range for a second tick of the longer step: then the range grows to it.
    if (fScale[0].Ticks().size() < 2)
      SettleScale(0, maxTicks);
  }
}

std::string ChartGraph::TickText(int dim, double value) const {
  const ChartVariable& variable =
      fAxisVariable[dim] != nullptr ? *fAxisVariable[dim] : PlainNumbers();
  return variable.FormatNumber(value, fScale[dim].Step());
}

double ChartGraph::TickLabelWidth(int dim) const {
  const FontMetrics& metrics = FontMetrics::Instance();
  double widest = 0;
  if (fCategorical[dim]) {
    const ChartVariable& variable = *fAxisVariable[dim];
    for (std::size_t i = 0; i < variable.CategoryCount() && i < kMaxBandLabels; ++i)
      widest = std::max(widest, metrics.Width(variable.CategoryText(i), kTickFont));
    return widest;
  }
  for (double tick : fScale[dim].Ticks())
    widest = std::max(widest, metrics.Width(TickText(dim, tick), kTickFont));
  return widest;
}

void ChartGraph::LayOut(const ChartRect& box) {
  const FontMetrics& metrics = FontMetrics::Instance();
  fBox = box;
  const double titleHeight = FontMetrics::LineHeight(kTitleFont);
  const bool hasX = !fNetwork && fVisible[0];
  const bool hasY = !fNetwork && fVisible[1];
  double left = box.left + 4, right = box.Right() - 4, top = box.top + 4, bottom = box.Bottom() - 4;
  double yLabelWidth = hasY ? std::min(TickLabelWidth(1), box.width * 0.3) : 0;
  double centreGap = 0;
  if (hasY) {
    if (!fAxisTitle[1].empty())
      left += titleHeight + 2;
    if (fAlternating && fCentre && fColumns >= 2)
      centreGap = yLabelWidth + 2 * kTickLength + 10;
    else
      left += yLabelWidth + kTickLength + 6;
    if (!fOppositeTitle[1].empty())
      right -= titleHeight + 2;
    if (fAlternating && !fCentre && fColumns >= 2)
      right -= yLabelWidth + kTickLength + 6;
  }
  if (fColumnFacet != nullptr) {
    double panelLabelLines = 0;
    if (fPanelLabel != nullptr)
      for (std::size_t row = 0; row < fPanelLabel->Rows(); ++row) {
        std::string text = fPanelLabel->Text(row);
        panelLabelLines = std::max(
            panelLabelLines, 1. + static_cast<double>(std::count(text.begin(), text.end(), '\n')));
        if (row > 4 * kMaxFacetCategories)
          break;
      }
    top += FontMetrics::LineHeight(kHeadingFont) +
           panelLabelLines * FontMetrics::LineHeight(kPanelLabelFont) + 2;
    if (!fColumnFacetLabel.empty())
      top += titleHeight + 5;
  }
  if (fRowFacet != nullptr) {
    right -= FontMetrics::LineHeight(kHeadingFont) + 4;
    if (!fRowFacetLabel.empty())
      right -= titleHeight + kFacetLabelGap;
  }
  // Column gaps: the inner gap of a back-to-back pair holds the value axis when it is centred.
  std::vector<double>& gaps = fColumnGaps;
  gaps.assign(fColumns > 0 ? fColumns - 1 : 0, fGap);
  for (std::size_t i = 0; i < gaps.size(); ++i)
    if (fAlternating)
      gaps[i] = i % 2 == 0 ? std::max(fGap, centreGap) : std::max(fGap, 16.) + 8;
  double gapTotal = 0;
  for (double gap : gaps)
    gapTotal += gap;
  double panelWidth = std::max(10., (right - left - gapTotal) / static_cast<double>(fColumns));
  if (hasX && !fCategorical[0])
    FitTicks(panelWidth);

  if (hasX) {
    double labelHeight = FontMetrics::LineHeight(kTickFont);
    if (fCategorical[0]) {
      const ChartVariable& variable = *fAxisVariable[0];
      std::size_t count = std::max<std::size_t>(1, variable.CategoryCount());
      double bandWidth = panelWidth / static_cast<double>(count);
      fBandLines[0].clear();
      fBandRotated[0] = false;
      double widest = 0;
      std::size_t lines = 1;
      for (std::size_t i = 0; i < variable.CategoryCount(); ++i) {
        std::string text = variable.CategoryText(i);
        fBandLines[0].push_back(metrics.Wrap(text, kTickFont, false, bandWidth - 4, 3));
        for (const std::string& line : fBandLines[0].back()) {
          double width = metrics.Width(line, kTickFont);
          widest = std::max(widest, width);
          fBandRotated[0] = fBandRotated[0] || width > bandWidth - 2;
        }
        lines = std::max(lines, fBandLines[0].back().size());
      }
      if (fBandRotated[0]) {
        widest = 0;
        for (auto& wrapped : fBandLines[0]) {
          std::string joined;
          for (const std::string& line : wrapped)
            joined += (joined.empty() ? "" : " ") + line;
          wrapped = metrics.Wrap(joined, kTickFont, false, box.height * 0.3 / 0.71, 1);
          widest = std::max(widest, metrics.Width(wrapped.front(), kTickFont));
        }
        labelHeight = widest * 0.71 + kTickFont;
      } else {
        labelHeight = static_cast<double>(lines) * FontMetrics::LineHeight(kTickFont);
      }
    }
    fBandLabelExtent[0] = labelHeight;
    bottom -= kTickLength + 3 + labelHeight;
    if (!fAxisTitle[0].empty())
      bottom -= titleHeight + 2;
  }
  double rowGap = fRowFacet != nullptr ? std::max(fGap, 8.) : 0;
  double panelHeight =
      std::max(10., (bottom - top - rowGap * static_cast<double>(fRowsOfPanels - 1)) /
                        static_cast<double>(fRowsOfPanels));

  fPlot = {left, top, right - left,
           panelHeight * static_cast<double>(fRowsOfPanels) +
               rowGap * static_cast<double>(fRowsOfPanels - 1)};
  for (GraphPanel& panel : fPanels) {
    std::size_t c = panel.column < 0 ? 0 : static_cast<std::size_t>(panel.column);
    std::size_t r = panel.row < 0 ? 0 : static_cast<std::size_t>(panel.row);
    double x = left;
    for (std::size_t i = 0; i < c; ++i)
      x += panelWidth + gaps[i];
    panel.rect = {x, top + static_cast<double>(r) * (panelHeight + rowGap), panelWidth,
                  panelHeight};
    bool reverse[2];
    for (int dim = 0; dim < 2; ++dim) {
      bool hasMeasure = fMeasure[0] || fMeasure[1];
      reverse[dim] = fScale[dim].Reversed() != (fInvert && hasMeasure && !fMeasure[dim]);
      if (fAlternating && fMeasure[dim] && fColumns >= 2 && c % 2 == 0)
        reverse[dim] = !reverse[dim];
    }
    panel.x = fScale[0];
    panel.y = fScale[1];
    panel.x.SetPixels(panel.rect.left, panel.rect.Right(), reverse[0]);
    panel.y.SetPixels(panel.rect.Bottom(), panel.rect.top, reverse[1]);
    std::size_t xCount = fCategorical[0] ? fAxisVariable[0]->CategoryCount() : 0;
    std::size_t yCount = fCategorical[1] ? fAxisVariable[1]->CategoryCount() : 0;
    panel.xBand.Set(xCount, panel.rect.left, panel.rect.Right(), reverse[0]);
    panel.yBand.Set(yCount, panel.rect.top, panel.rect.Bottom(), reverse[1]);
  }
}

void ChartGraph::DrawGrid(const GraphPanel& panel) {
  SvgWriter& svg = fCanvas.Svg();
  bool anyMeasure = fMeasure[0] || fMeasure[1];
  for (int dim = 0; dim < 2; ++dim) {
    bool wanted = anyMeasure ? fMeasure[dim] : dim == 1;
    if (!wanted || fCategorical[dim] || !fVisible[dim] || fNetwork)
      continue;
    const ChartScale& scale = dim == 0 ? panel.x : panel.y;
    for (double tick : scale.Ticks()) {
      double at = scale.Map(tick);
      svg.Start("line").Attr("class", "grid");
      if (dim == 0)
        svg.Attr("x1", at)
            .Attr("x2", at)
            .Attr("y1", panel.rect.top)
            .Attr("y2", panel.rect.Bottom());
      else
        svg.Attr("x1", panel.rect.left)
            .Attr("x2", panel.rect.Right())
            .Attr("y1", at)
            .Attr("y2", at);
      svg.Attr("stroke", "#E3E3E3").Attr("stroke-width", 1);
      svg.EndEmpty();
    }
  }
}

// `side`: -1 labels left of (or below) the axis, +1 right of it, 0 no labels, 2 labels centred
// in the gap right of the panel (a back-to-back pair's value axis).
void ChartGraph::DrawContinuousAxis(const GraphPanel& panel, int dim, int side) {
  SvgWriter& svg = fCanvas.Svg();
  const FontMetrics& metrics = FontMetrics::Instance();
  const ChartScale& scale = dim == 0 ? panel.x : panel.y;
  const ChartRect& r = panel.rect;
  svg.Start("g")
      .Attr("class", dim == 0 ? "axis x" : "axis y")
      .Attr("fill", kInk)
      .Attr("font-size", kTickFont)
      .EndStart();
  bool rightSide = side == 1 || side == 2;
  double base = dim == 0 ? r.Bottom() : rightSide ? r.Right() : r.left;
  double direction = dim == 0 || rightSide ? 1 : -1;
  svg.Start("line").Attr("stroke", kInk).Attr("stroke-width", 1);
  if (dim == 0)
    svg.Attr("x1", r.left).Attr("x2", r.Right()).Attr("y1", base).Attr("y2", base);
  else
    svg.Attr("x1", base).Attr("x2", base).Attr("y1", r.top).Attr("y2", r.Bottom());
  svg.EndEmpty();
  // Thin the labels until neighbours no longer touch.
  const std::vector<double>& ticks = scale.Ticks();
  double spacing = ticks.size() > 1 ? std::fabs(scale.Map(ticks[1]) - scale.Map(ticks[0])) : 1e9;
  double need = FontMetrics::LineHeight(kTickFont);
  if (dim == 0) {
    need = 0;
    for (double tick : ticks)
      need = std::max(need, metrics.Width(TickText(dim, tick), kTickFont) + 6);
  }
  std::size_t every = 1;
  while (every < ticks.size() && spacing * static_cast<double>(every) < need)
    ++every;
  for (std::size_t i = 0; i < ticks.size(); ++i) {
    double at = scale.Map(ticks[i]);
    svg.Start("g").Attr("class", "tick").EndStart();
    svg.Start("line").Attr("stroke", kInk);
    if (dim == 0)
      svg.Attr("x1", at).Attr("x2", at).Attr("y1", base).Attr("y2", base + kTickLength);
    else
      svg.Attr("x1", base).Attr("x2", base + direction * kTickLength).Attr("y1", at).Attr("y2", at);
    svg.EndEmpty();
    if (side != 0 && i % every == 0) {
      svg.Start("text");
      if (dim == 0) {
        svg.Attr("x", at)
            .Attr("y", base + kTickLength + kTickFont + 1)
            .Attr("text-anchor", "middle");
      } else if (side == 2) {
        std::size_t column = panel.column < 0 ? 0 : static_cast<std::size_t>(panel.column);
        double gap = column < fColumnGaps.size() ? fColumnGaps[column] : 0;
        svg.Attr("x", r.Right() + gap / 2)
            .Attr("y", at + kTickFont * 0.35)
            .Attr("text-anchor", "middle");
      } else {
        svg.Attr("x", base + direction * (kTickLength + 3))
            .Attr("y", at + kTickFont * 0.35)
            .Attr("text-anchor", side == 1 ? "start" : "end");
      }
      svg.EndStart();
      svg.Text(TickText(dim, ticks[i]));
      svg.Close("text");
    }
    svg.Close("g");
  }
  svg.Close("g");
}

void ChartGraph::DrawBandAxis(const GraphPanel& panel, int dim, int side) {
  SvgWriter& svg = fCanvas.Svg();
  const FontMetrics& metrics = FontMetrics::Instance();
  const BandScale& band = dim == 0 ? panel.xBand : panel.yBand;
  const ChartRect& r = panel.rect;
  const ChartVariable& variable = *fAxisVariable[dim];
  svg.Start("g")
      .Attr("class", dim == 0 ? "axis x" : "axis y")
      .Attr("fill", kInk)
      .Attr("font-size", kTickFont)
      .EndStart();
  double base = dim == 0 ? r.Bottom() : side == 1 ? r.Right() : r.left;
  double direction = dim == 0 || side == 1 ? 1 : -1;
  svg.Start("line").Attr("stroke", kInk).Attr("stroke-width", 1);
  if (dim == 0)
    svg.Attr("x1", r.left).Attr("x2", r.Right()).Attr("y1", base).Attr("y2", base);
  else
    svg.Attr("x1", base).Attr("x2", base).Attr("y1", r.top).Attr("y2", r.Bottom());
  svg.EndEmpty();
  std::size_t count = band.Count();
  std::size_t every = (count + kMaxBandLabels - 1) / kMaxBandLabels;
  if (dim == 1) {
    double spacing = std::fabs(band.Band());
    while (every < count && spacing * static_cast<double>(every) < kTickFont)
      ++every;
  }
  const double lineHeight = FontMetrics::LineHeight(kTickFont);
  for (std::size_t i = 0; i < count; i += std::max<std::size_t>(1, every)) {
    double at = band.Center(i);
    svg.Start("g").Attr("class", "tick").EndStart();
    svg.Start("line").Attr("stroke", kInk);
    if (dim == 0)
      svg.Attr("x1", at).Attr("x2", at).Attr("y1", base).Attr("y2", base + kTickLength);
    else
      svg.Attr("x1", base).Attr("x2", base + direction * kTickLength).Attr("y1", at).Attr("y2", at);
    svg.EndEmpty();
    if (side != 0) {
      if (dim == 0) {
        const std::vector<std::string> lines =
            i < fBandLines[0].size() ? fBandLines[0][i]
                                     : std::vector<std::string>{variable.CategoryText(i)};
        double y = base + kTickLength + kTickFont + 1;
        if (fBandRotated[0]) {
          svg.Start("text")
              .Attr("x", at)
              .Attr("y", y)
              .Attr("text-anchor", "end")
              .Attr("transform",
                    "rotate(-45 " + SvgWriter::Number(at) + " " + SvgWriter::Number(y) + ")");
          svg.EndStart();
          svg.Text(lines.empty() ? std::string() : lines.front());
          svg.Close("text");
        } else {
          svg.Start("text").Attr("x", at).Attr("y", y).Attr("text-anchor", "middle").EndStart();
          for (std::size_t l = 0; l < lines.size(); ++l) {
            svg.Start("tspan").Attr("x", at).Attr("dy", l == 0 ? 0. : lineHeight).EndStart();
            svg.Text(lines[l]);
            svg.Close("tspan");
          }
          svg.Close("text");
        }
      } else {
        double room = std::min(fBox.width * 0.3, std::fabs(base - fBox.left) - kTickLength - 8);
        std::vector<std::string> lines =
            metrics.Wrap(variable.CategoryText(i), kTickFont, false, std::max(20., room), 2);
        double y = at + kTickFont * 0.35 - (static_cast<double>(lines.size()) - 1) * lineHeight / 2;
        double x = base + direction * (kTickLength + 3);
        svg.Start("text")
            .Attr("x", x)
            .Attr("y", y)
            .Attr("text-anchor", side == 1 ? "start" : "end")
            .EndStart();
        for (std::size_t l = 0; l < lines.size(); ++l) {
          svg.Start("tspan").Attr("x", x).Attr("dy", l == 0 ? 0. : lineHeight).EndStart();
          svg.Text(lines[l]);
          svg.Close("tspan");
        }
        svg.Close("text");
      }
    }
    svg.Close("g");
  }
  svg.Close("g");
}

void ChartGraph::DrawAxes(const GraphPanel& panel, bool first, bool last, bool bottomRow) {
  if (fNetwork)
    return;
  auto axis = [&](int dim, int side) {
    if (fCategorical[dim])
      DrawBandAxis(panel, dim, side);
    else
      DrawContinuousAxis(panel, dim, side);
  };
  if (fVisible[0])
    axis(0, bottomRow ? -1 : 0);
  if (!fVisible[1])
    return;
  std::size_t column = panel.column < 0 ? 0 : static_cast<std::size_t>(panel.column);
  if (fAlternating && fColumns >= 2) {
    bool firstOfPair = column % 2 == 0;
    bool lonely = firstOfPair && column + 1 >= fColumns;
    if (fCentre && !lonely)
      axis(1, firstOfPair ? 2 : 0);
    else
      axis(1, firstOfPair ? -1 : 1);
    return;
  }
  (void)last;
  axis(1, first ? -1 : 0);
}

void ChartGraph::DrawTitlesAndHeadings() {
  SvgWriter& svg = fCanvas.Svg();
  const FontMetrics& metrics = FontMetrics::Instance();
  auto title = [&](const std::string& text, double x, double y, bool vertical, const char* cls,
                   double size, bool bold, double room) {
    if (text.empty())
      return;
    std::vector<std::string> lines = metrics.Wrap(text, size, bold, std::max(30., room), 1);
    svg.Start("text")
        .Attr("class", cls)
        .Attr("x", x)
        .Attr("y", y)
        .Attr("text-anchor", "middle")
        .Attr("font-size", size)
        .Attr("fill", kInk);
    if (bold)
      svg.Attr("font-weight", "bold");
    if (vertical)
      svg.Attr("transform",
               "rotate(-90 " + SvgWriter::Number(x) + " " + SvgWriter::Number(y) + ")");
    svg.EndStart();
    svg.Text(lines.empty() ? std::string() : lines.front());
    svg.Close("text");
  };
  const double plotMiddleX = fPlot.left + fPlot.width / 2;
  const double plotMiddleY = fPlot.top + fPlot.height / 2;
  if (!fNetwork && fVisible[0])
    title(fAxisTitle[0], plotMiddleX,
          fPlot.Bottom() + kTickLength + 3 + fBandLabelExtent[0] + kTitleFont, false, "axis-title",
          kTitleFont, false, fPlot.width);
  if (!fNetwork && fVisible[1]) {
    title(fAxisTitle[1], fBox.left + 4 + kTitleFont, plotMiddleY, true, "axis-title", kTitleFont,
          false, fPlot.height);
    if (!fOppositeTitle[1].empty()) {
      double x = fBox.Right() - 6;
      svg.Start("text")
          .Attr("class", "axis-title")
          .Attr("x", x)
          .Attr("y", plotMiddleY)
          .Attr("text-anchor", "middle")
          .Attr("font-size", kTitleFont)
          .Attr("fill", kInk)
          .Attr("transform",
                "rotate(90 " + SvgWriter::Number(x) + " " + SvgWriter::Number(plotMiddleY) + ")")
          .EndStart();
      svg.Text(fOppositeTitle[1]);
      svg.Close("text");
    }
  }
  // Headings of the panels: the column categories above, the row categories at the right.
  double headingTop = fPlot.top - 2;
  if (fColumnFacet != nullptr) {
    for (const GraphPanel& panel : fPanels) {
      if (panel.row > 0)
        continue;
      double x = panel.rect.left + panel.rect.width / 2;
      std::vector<std::string> labelLines;
      if (fPanelLabel != nullptr) {
        for (std::size_t row = 0; row < fPanelLabel->Rows(); ++row) {
          if (fColumnFacet->Category(row) != panel.column)
            continue;
          std::string text = fPanelLabel->Text(row);
          labelLines = metrics.Wrap(text, kPanelLabelFont, false, panel.rect.width, 4);
          break;
        }
      }
      double y = fPlot.top - 2 -
                 static_cast<double>(labelLines.size()) * FontMetrics::LineHeight(kPanelLabelFont);
      std::vector<std::string> heading =
          metrics.Wrap(fColumnFacet->CategoryText(static_cast<std::size_t>(panel.column)),
                       kHeadingFont, true, panel.rect.width, 1);
      svg.Start("text")
          .Attr("class", "panel-label")
          .Attr("x", x)
          .Attr("y", y - 3)
          .Attr("text-anchor", "middle")
          .Attr("font-size", kHeadingFont)
          .Attr("font-weight", "bold")
          .Attr("fill", kInk)
          .EndStart();
      svg.Text(heading.empty() ? std::string() : heading.front());
      svg.Close("text");
      for (std::size_t l = 0; l < labelLines.size(); ++l) {
        svg.Start("text")
            .Attr("class", "panel-label")
            .Attr("x", x)
            .Attr("y",
                  y + static_cast<double>(l + 1) * FontMetrics::LineHeight(kPanelLabelFont) - 3)
            .Attr("text-anchor", "middle")
            .Attr("font-size", kPanelLabelFont)
            .Attr("fill", kInk)
            .EndStart();
        svg.Text(labelLines[l]);
        svg.Close("text");
      }
      headingTop = std::min(headingTop, y - FontMetrics::LineHeight(kHeadingFont));
    }
    title(fColumnFacetLabel, plotMiddleX, headingTop - 5, false, "facet-label", kTitleFont, true,
          fPlot.width);
  }
  if (fRowFacet != nullptr) {
    // Row headings read downwards: turned a quarter clockwise, their glyphs rise to the right of
    // the baseline and descend to its left.
    double x = fPlot.Right() + 6 + kHeadingFont * kDescent;
    for (const GraphPanel& panel : fPanels) {
      if (panel.column > 0)
        continue;
      double y = panel.rect.top + panel.rect.height / 2;
      svg.Start("text")
          .Attr("class", "panel-label")
          .Attr("x", x)
          .Attr("y", y)
          .Attr("text-anchor", "middle")
          .Attr("font-size", kHeadingFont)
          .Attr("font-weight", "bold")
          .Attr("fill", kInk)
          .Attr("transform", "rotate(90 " + SvgWriter::Number(x) + " " + SvgWriter::Number(y) + ")")
          .EndStart();
      std::vector<std::string> heading =
          metrics.Wrap(fRowFacet->CategoryText(static_cast<std::size_t>(panel.row)), kHeadingFont,
                       true, panel.rect.height, 1);
      svg.Text(heading.empty() ? std::string() : heading.front());
      svg.Close("text");
    }
    if (!fRowFacetLabel.empty()) {
      double fx = x + kHeadingFont * kAscent + kFacetLabelGap + kTitleFont * kDescent;
      svg.Start("text")
          .Attr("class", "facet-label")
          .Attr("x", fx)
          .Attr("y", plotMiddleY)
          .Attr("text-anchor", "middle")
          .Attr("font-size", kTitleFont)
          .Attr("font-weight", "bold")
          .Attr("fill", kInk)
          .Attr("transform",
                "rotate(90 " + SvgWriter::Number(fx) + " " + SvgWriter::Number(plotMiddleY) + ")")
          .EndStart();
      std::vector<std::string> lines =
          metrics.Wrap(fRowFacetLabel, kTitleFont, true, std::max(30., fPlot.height), 1);
      svg.Text(lines.empty() ? std::string() : lines.front());
      svg.Close("text");
    }
  }
}

void ChartGraph::Draw(const ChartRect& box) {
  LayOut(box);
  SvgWriter& svg = fCanvas.Svg();
  svg.Start("g").Attr("class", "graph");
  if (const std::string* id = fGraph.Attribute("id"))
    svg.Attr("data-graph", *id);
  svg.EndStart();
  for (std::size_t i = 0; i < fPanels.size(); ++i) {
    const GraphPanel& panel = fPanels[i];
    svg.Start("g").Attr("class", "panel").EndStart();
    DrawGrid(panel);
    DrawPanel(panel);
    std::size_t column = panel.column < 0 ? 0 : static_cast<std::size_t>(panel.column);
    std::size_t row = panel.row < 0 ? 0 : static_cast<std::size_t>(panel.row);
    DrawAxes(panel, column == 0, column + 1 == fColumns, row + 1 == fRowsOfPanels);
    svg.Close("g");
  }
  DrawTitlesAndHeadings();
  svg.Close("g");
}
