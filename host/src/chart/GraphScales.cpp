// The scales of a graph settled from its data: the extents of bars, positions, box plots, guides
// and curves, the axes' ranges and demands, and fewer ticks where their labels would crowd.
#include "GraphScales.h"

#include "ViZNode.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kMaxCurveSamples = 240;
// The share of a box plot's value range left free beyond its lowest and highest values.
constexpr double kSchemaPadding = 0.04;

} // namespace

GraphScales::GraphScales(GraphModel& graph) : fGraph(graph) {
  bool includeZero[2] = {false, false};
  ChartScale schemaScale[2]; // the extent of box plots' values alone
  std::vector<GraphBar> bars;
  for (const GraphElement& element : fGraph.elements) {
    if (element.kind == "interval" || element.kind == "area")
      includeZero[element.horizontal ? 0 : 1] = true;
    for (const GraphPanel& panel : fGraph.panels) {
      if (element.kind == "interval") {
        fGraph.ComputeBars(element, panel, bars);
        int positionDim = element.horizontal ? 1 : 0;
        for (const GraphBar& bar : bars) {
          fGraph.scale[positionDim].Include(bar.position - bar.half);
          fGraph.scale[positionDim].Include(bar.position + bar.half);
          fGraph.scale[1 - positionDim].Include(bar.v0);
          fGraph.scale[1 - positionDim].Include(bar.v1);
        }
        continue;
      }
      bool positional = element.kind == "line" || element.kind == "area" ||
                        element.kind == "point" || element.kind == "schema";
      if (!positional || element.statistic != nullptr)
        continue;
      for (std::size_t row = 0; row < element.rows; ++row) {
        if (!fGraph.InPanel(element, row, panel))
          continue;
        for (int dim = 0; dim < 2; ++dim) {
          const ChartVariable* variable = dim == 0 ? element.x : element.y;
          if (variable != nullptr && !fGraph.categorical[dim])
            if (std::optional<double> value = variable->Number(row)) {
              fGraph.scale[dim].Include(*value);
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
        fGraph.scale[dim].Include(padded);
        fGraph.scale[dim].Include(schemaScale[dim].High() + span * kSchemaPadding);
        if (schemaScale[dim].Low() >= 0 && padded < 0)
          paddedBelowZero[dim] = padded;
      }
    }
  for (const ViZNode* guide : fGraph.node.Children("lineGuide")) {
    fGraph.scale[0].Include(AttributeNumber(*guide, "x", true));
    fGraph.scale[1].Include(AttributeNumber(*guide, "y", true));
  }
  double fixedLow[2] = {NAN, NAN}, fixedHigh[2] = {NAN, NAN};
  bool reverse[2] = {false, false};
  bool hasRange[2] = {false, false};
  for (const ViZNode* axis : fGraph.node.Children("axis")) {
    if (axis->AttributeOr("side", "") == "opposite")
      continue;
    int dim = axis->AttributeOr("dim", "x") == "y" ? 1 : 0;
    if (const ViZNode* range = axis->FirstChild("range")) {
      fGraph.scale[dim].Include(AttributeNumber(*range, "min", true));
      fGraph.scale[dim].Include(AttributeNumber(*range, "max", true));
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
  for (const GraphElement& element : fGraph.elements)
    if (element.statistic != nullptr && element.x == nullptr && !hasRange[0] &&
        element.distribution.GetKind() != ChartDistribution::Kind::kNone) {
      double low = 0, high = 0;
      element.distribution.Extent(low, high);
      fGraph.scale[0].Include(low);
      fGraph.scale[0].Include(high);
    }
  // A uniform curve is a step: a little room beyond its ends shows them stand upright.
  for (const GraphElement& element : fGraph.elements)
    if (element.statistic != nullptr &&
        element.distribution.GetKind() == ChartDistribution::Kind::kUniform && !hasRange[0]) {
      double low = 0, high = 0;
      element.distribution.Extent(low, high);
      // Not below zero for a support that starts at or above it: the room would add a negative
      // stretch of axis to values that cannot be negative.
      const double padded = low - (high - low) * 0.04;
      fGraph.scale[0].Include(low >= 0 ? std::max(0., padded) : padded);
      fGraph.scale[0].Include(high + (high - low) * 0.04);
    }
  for (int dim = 0; dim < 2; ++dim)
    if (std::isfinite(paddedBelowZero[dim]) && !std::isfinite(fixedLow[dim]) &&
        fGraph.scale[dim].Low() >= paddedBelowZero[dim])
      fixedLow[dim] = fGraph.scale[dim].Low();
  auto settle = [&](int dim) {
    fSettle[dim] = {fGraph.scale[dim], includeZero[dim], fixedLow[dim], fixedHigh[dim],
                    reverse[dim]};
    SettleScale(dim, ChartScale::kDefaultMaxTicks);
  };
  settle(0);
  // Curves take their height from the settled x range.
  for (const GraphElement& element : fGraph.elements) {
    if (element.statistic == nullptr || fGraph.categorical[0])
      continue;
    for (const GraphPanel& panel : fGraph.panels) {
      double factor = fGraph.CurveScale(element, panel);
      for (int i = 0; i <= kMaxCurveSamples; ++i) {
        double x = fGraph.scale[0].Low() +
                   (fGraph.scale[0].High() - fGraph.scale[0].Low()) * i / kMaxCurveSamples;
        if (element.distribution.Discrete())
          x = std::round(x);
        fGraph.scale[1].IncludeFitted(factor * element.distribution.Density(x));
      }
    }
    includeZero[1] = true;
  }
  settle(1);
}

void GraphScales::SettleScale(int dim, int maxTicks, const double* domain) {
  const SettleInput& input = fSettle[dim];
  const double* low = std::isfinite(input.fixedLow) ? &input.fixedLow : nullptr;
  const double* high = std::isfinite(input.fixedHigh) ? &input.fixedHigh : nullptr;
  if (domain != nullptr)
    low = &domain[0], high = &domain[1];
  bool dates = fGraph.axisVariable[dim] != nullptr && fGraph.axisVariable[dim]->Dates();
  fGraph.scale[dim] = input.extent;
  fGraph.scale[dim].Settle(input.includeZero, low, high, dates, maxTicks);
  fGraph.scale[dim].SetPixels(0, 1, input.reverse);
}

void GraphScales::FitTicks(double length) {
  // Fewer ticks over the same range: the axis keeps the ends it settled on for the data, rather
  // than growing to the next round value of a longer step.
  const double domain[2] = {fGraph.scale[0].Low(), fGraph.scale[0].High()};
  for (int round = 0; round < 4; ++round) {
    const std::vector<double>& ticks = fGraph.scale[0].Ticks();
    // Halved, the span of ends near the largest double of opposite signs stays finite.
    const double span = fGraph.scale[0].High() / 2 - fGraph.scale[0].Low() / 2;
    if (ticks.size() < 3 || !(span > 0) || !(fGraph.scale[0].Step() > 0))
      return;
    // Labels need their width and a gap between them that grows with them: long labels such as
    // dates read as one run of text when set closer.
    const double widest = fGraph.TickLabelWidth(0);
    const double gap = std::max(14., 0.3 * widest);
    const double pixelsPerStep = length * (fGraph.scale[0].Step() / 2) / span;
    if (pixelsPerStep >= widest + gap)
      return;
    int fitting = static_cast<int>(length / (widest + gap)) + 1;
    const int maxTicks = std::min(fitting, static_cast<int>(ticks.size()) - 1);
    SettleScale(0, maxTicks, domain);
    // Too narrow a range for a second tick of the longer step: then the range grows to it.
    if (fGraph.scale[0].Ticks().size() < 2)
      SettleScale(0, maxTicks);
  }
}
