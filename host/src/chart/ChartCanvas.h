// What every part of a chart's drawing shares: the SVG being written, the document's variables
// and styles, ids unique in the report, fill patterns defined on demand, and the tooltips of the
// popups.
#pragma once

#include "ChartStyle.h"
#include "ChartVariable.h"
#include "SvgWriter.h"

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct ViZNode;

// A box in pixels of the chart frame.
struct ChartRect {
  double left = 0;
  double top = 0;
  double width = 0;
  double height = 0;
  double Right() const { return left + width; }
  double Bottom() const { return top + height; }
};

class ChartCanvas {
public:
  ChartCanvas(const ViZNode& root, const VarDataProcessor* data, std::string idPrefix);

  const ViZNode& Root() const { return fRoot; }
  SvgWriter& Svg() { return fSvg; }
  // The variable of that id, or null.
  const ChartVariable* Variable(const std::string& id) const;
  // The variable named by the `variable` attribute of `node`'s first child `child`, or null.
  const ChartVariable* ChildVariable(const ViZNode& node, std::string_view child) const;
  ChartStyle StyleOf(const ViZNode& node) const { return ChartStyle::Of(node, fStyles); }
  // A fresh id with the chart's prefix.
  std::string NewId(std::string_view kind);
  // The fill of a mark of `color` with the n-th pattern: the colour itself for the first
  // pattern, else a reference to a pattern defined once in the SVG's definitions.
  std::string PatternFill(std::size_t pattern, const std::string& color);

  // The tooltip of row `row` of an element (the popups that target it), for a part of the mark
  // ("" for the whole mark); empty when no popup gives one.
  std::string Tooltip(const ViZNode& element, std::string_view part, std::size_t row) const;
  bool HasPopup(const ViZNode& element, std::string_view part) const;

  // Boxes the marks of the graphs cover (bars, boxes, points, lines, value labels, guides), so
  // that label frames placed over a plot can keep off them. Boxes past a cap are not kept.
  void AddMarkBox(const ChartRect& box);
  const std::vector<ChartRect>& MarkBoxes() const { return fMarkBoxes; }

  // Sentences that say what the marks show (a box plot's medians and ranges, a histogram's range
  // and peak, a network's significant pairs), for the chart's accessible description; in the
  // chart's language (`language`, "en" or "de"; English for any other).
  void Describe(std::string sentence);
  const std::vector<std::string>& Descriptions() const { return fDescriptions; }
  // A word or phrase of those sentences in the chart's language.
  std::string Word(std::string_view english) const;
  std::string language;

  // Frame size in pixels.
  double width = 640;
  double height = 480;
  double frameUnitsToPixels = 320;

private:
  const ViZNode& fRoot;
  SvgWriter fSvg;
  std::string fPrefix;
  int fNextId = 0;
  std::map<std::string, std::unique_ptr<ChartVariable>> fVariables;
  std::map<std::string, const ViZNode*> fStyles;
  std::map<std::string, std::string> fPatterns; // key: pattern and colour
  std::multimap<const ViZNode*, const ViZNode*> fPopups;
  std::vector<ChartRect> fMarkBoxes;
  std::vector<std::string> fDescriptions;
};

// A number of an attribute: nothing (NaN) when absent or unreadable. Data-valued attributes may
// hold ISO dates, date-times and durations, read as seconds of the dictionary's time base.
double AttributeNumber(const ViZNode& node, std::string_view attribute, bool dataValue = false);
// A length attribute ("80%" of `whole`, or pixels); NaN when absent or unreadable.
double AttributeLength(const ViZNode& node, std::string_view attribute, double whole);
// The text of a node's first `label` child's `text` (or of its own `text` child).
std::string LabelText(const ViZNode& node);
