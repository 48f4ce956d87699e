// A graph resolved against its data: its elements and facets read from the tree, and what the
// parts of its drawing ask of them (rows in a panel, bars in data units, places, tick texts).
#include "GraphModel.h"

#include "FontMetrics.h"
#include "ViZNode.h"

#include <algorithm>
#include <cmath>

namespace {

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

GraphModel::GraphModel(ChartCanvas& chartCanvas, const ViZNode& graph)
    : canvas(chartCanvas), node(graph) {
  ReadElements();
  ReadFacets();
}

void GraphModel::ReadElements() {
  for (const auto& child : node.children) {
    if (!IsElement(child->name))
      continue;
    GraphElement element;
    element.node = child.get();
    element.kind = child->name;
    element.style = canvas.StyleOf(*child);
    if (!element.style.visible)
      continue;
    const ViZNode& elementNode = *child;
    element.x = canvas.ChildVariable(elementNode, "x");
    element.y = canvas.ChildVariable(elementNode, "y");
    element.color = canvas.ChildVariable(elementNode, "color");
    element.pattern = canvas.ChildVariable(elementNode, "pattern");
    element.dash = canvas.ChildVariable(elementNode, "dash");
    element.value = canvas.ChildVariable(elementNode, "value");
    element.from = canvas.ChildVariable(elementNode, "from");
    element.to = canvas.ChildVariable(elementNode, "to");
    std::vector<ViZNode*> labelings = elementNode.Children("labeling");
    if (!labelings.empty()) {
      element.labelingNode = labelings.back();
      element.labeling = canvas.Variable(labelings.back()->AttributeOr("variable", ""));
    }
    const ViZNode* colorNode = elementNode.FirstChild("color");
    const ViZNode* patternNode = elementNode.FirstChild("pattern");
    element.palette = PaletteOf(colorNode != nullptr     ? *colorNode
                                : patternNode != nullptr ? *patternNode
                                                         : elementNode);
    element.horizontal = elementNode.AttributeOr("orientation", "") == "horizontal";
    element.binned = elementNode.FirstChild("binStatistic") != nullptr;
    if (const ViZNode* summary = elementNode.FirstChild("summaryStatistic")) {
      element.summary = summary->AttributeOr("method", "sum");
      if (element.summary != "mean" && element.summary != "count")
        element.summary = "sum";
    }
    std::string position = elementNode.AttributeOr("position", "");
    element.stack = position == "stack";
    element.dodge = position == "dodge";
    for (const ChartVariable* variable :
         {element.x, element.y, element.value, element.from, element.to, element.color,
          element.pattern, element.dash, element.labeling})
      NoteSource(element, variable);
    if (const ViZNode* statistic = elementNode.FirstChild("distributionStatistic")) {
      element.statistic = statistic;
      element.distribution =
          ChartDistribution::Make(statistic->AttributeOr("distribution", ""),
                                  AttributeNumber(*statistic, "parameter", true),
                                  AttributeNumber(*statistic, "secondaryParameter", true));
    }
    if (element.kind == "interval")
      element.binWidth = SmallestGap(element.horizontal ? element.y : element.x);
    network = network || element.kind == "node" || element.kind == "edge";
    elements.push_back(std::move(element));
  }
  for (const GraphElement& element : elements) {
    for (int dim = 0; dim < 2; ++dim) {
      const ChartVariable* variable = dim == 0 ? element.x : element.y;
      if (variable != nullptr && axisVariable[dim] == nullptr)
        axisVariable[dim] = variable;
    }
    if (element.kind == "interval" && !measure[0] && !measure[1])
      measure[element.horizontal ? 0 : 1] = true;
  }
  for (int dim = 0; dim < 2; ++dim)
    categorical[dim] = axisVariable[dim] != nullptr && axisVariable[dim]->Categorical();
  for (const ViZNode* axis : node.Children("axis")) {
    int dim = axis->AttributeOr("dim", "x") == "y" ? 1 : 0;
    bool opposite = axis->AttributeOr("side", "") == "opposite";
    std::string title = LabelText(*axis);
    if (opposite) {
      oppositeTitle[dim] = title;
      continue;
    }
    visible[dim] = axis->AttributeOr("visible", "true") != "false";
    axisTitle[dim] = title;
  }
  for (int dim = 0; dim < 2; ++dim)
    if (axisTitle[dim].empty() && axisVariable[dim] != nullptr)
      axisTitle[dim] = axisVariable[dim]->Label();
}

void GraphModel::ReadFacets() {
  if (const ViZNode* faceting = node.FirstChild("faceting")) {
    for (const ViZNode* facet : faceting->Children("facet")) {
      const ChartVariable* variable = canvas.Variable(facet->AttributeOr("variable", ""));
      if (variable == nullptr || variable->CategoryCount() == 0)
        continue;
      bool row = facet->AttributeOr("dim", "column") == "row";
      (row ? rowFacet : columnFacet) = variable;
      (row ? rowFacetLabel : columnFacetLabel) = LabelText(*facet);
      if (const ViZNode* labels = facet->FirstChild("panelLabel"))
        panelLabel = canvas.Variable(labels->AttributeOr("variable", ""));
    }
  }
  if (const ViZNode* layout = node.FirstChild("facetLayout")) {
    // The views overwrite these values in place, so they may carry padding blanks.
    auto word = [&](const char* attribute) {
      std::string value = layout->AttributeOr(attribute, "");
      value.erase(0, value.find_first_not_of(' '));
      value.erase(value.find_last_not_of(' ') + 1);
      return value;
    };
    alternating = word("alternating") == "true";
    centre = alternating && word("centre") == "y";
    invert = word("invert") == "true";
    double length = AttributeLength(*layout, "gap", canvas.width);
    gap = std::isfinite(length) ? std::clamp(length, 0., canvas.width / 4) : 0;
  }
  columns = columnFacet ? std::min(kMaxFacetCategories, columnFacet->CategoryCount()) : 1;
  rowsOfPanels = rowFacet ? std::min(kMaxFacetCategories, rowFacet->CategoryCount()) : 1;
  for (std::size_t r = 0; r < rowsOfPanels; ++r) {
    for (std::size_t c = 0; c < columns; ++c) {
      GraphPanel panel;
      panel.column = columnFacet ? static_cast<int>(c) : -1;
      panel.row = rowFacet ? static_cast<int>(r) : -1;
      panels.push_back(std::move(panel));
    }
  }
}

bool GraphModel::InPanel(const GraphElement& element, std::size_t row,
                         const GraphPanel& panel) const {
  if (panel.column >= 0 && columnFacet->Source() == element.source &&
      columnFacet->Category(row) != panel.column)
    return false;
  if (panel.row >= 0 && rowFacet->Source() == element.source &&
      rowFacet->Category(row) != panel.row)
    return false;
  return true;
}

void GraphModel::ComputeBars(const GraphElement& element, const GraphPanel& panel,
                             std::vector<GraphBar>& bars) const {
  bars.clear();
  const ChartVariable* position = element.horizontal ? element.y : element.x;
  const ChartVariable* measured = element.horizontal ? element.x : element.y;
  int positionDim = element.horizontal ? 1 : 0;
  bool band = categorical[positionDim];
  if (position == nullptr || (measured == nullptr && element.summary != "count"))
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
    std::optional<double> value = element.summary == "count" ? 1. : measured->Number(row);
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

double GraphModel::CurveScale(const GraphElement& element, const GraphPanel& panel) const {
  if (element.x == nullptr || element.y == nullptr)
    return 1;
  double total = 0;
  for (std::size_t row = 0; row < element.rows; ++row)
    if (InPanel(element, row, panel))
      if (std::optional<double> value = element.y->Number(row))
        total += *value;
  double binWidth = 1;
  for (const GraphElement& other : elements)
    if (other.kind == "interval" && other.binned) {
      binWidth = other.binWidth;
      break;
    }
  return total * binWidth;
}

double GraphModel::Place(const GraphPanel& panel, int dim, double value, bool band) const {
  if (band)
    return dim == 0 ? panel.xBand.Center(static_cast<std::size_t>(value))
                    : panel.yBand.Center(static_cast<std::size_t>(value));
  return dim == 0 ? panel.x.Map(value) : panel.y.Map(value);
}

std::vector<double> GraphModel::VerticalGuides(const GraphPanel& panel) const {
  std::vector<double> guides;
  if (categorical[0])
    return guides;
  for (const ViZNode* guide : node.Children("lineGuide")) {
    const double x = AttributeNumber(*guide, "x", true);
    const double at = std::isfinite(x) ? panel.x.Map(x) : NAN;
    if (std::isfinite(at) && canvas.StyleOf(*guide).visible)
      guides.push_back(at);
  }
  std::sort(guides.begin(), guides.end());
  return guides;
}

std::string GraphModel::TickText(int dim, double value) const {
  const ChartVariable& variable =
      axisVariable[dim] != nullptr ? *axisVariable[dim] : PlainNumbers();
  double reach = 0;
  for (double tick : scale[dim].Ticks())
    reach = std::max(reach, std::fabs(tick));
  return variable.TickText(value, scale[dim].Step(), reach);
}

double GraphModel::TickLabelWidth(int dim) const {
  const FontMetrics& metrics = FontMetrics::Instance();
  double widest = 0;
  if (categorical[dim]) {
    const ChartVariable& variable = *axisVariable[dim];
    for (std::size_t i = 0; i < variable.CategoryCount() && i < kMaxBandLabels; ++i)
      widest = std::max(widest, metrics.Width(variable.CategoryText(i), kTickFont));
    return widest;
  }
  for (double tick : scale[dim].Ticks())
    widest = std::max(widest, metrics.Width(TickText(dim, tick), kTickFont));
  return widest;
}
