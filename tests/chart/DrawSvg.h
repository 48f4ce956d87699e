// Helpers of the drawing tests: draw a specification with data, read the SVG back as XML, find
// its marks by class, and measure the boxes they cover.
#pragma once

#include "ChartDrawing.h"
#include "FontMetrics.h"
#include "ViZNode.h"

#include "chart/VarDataProcessor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

namespace drawtest {

struct Drawn {
  std::string svg;
  std::unique_ptr<ViZNode> root; // the SVG parsed back; null when it is not well-formed XML
};

inline Drawn Draw(const std::string& specification, const VarDataProcessor* data,
                  const std::string& prefix = "t-", bool print = false) {
  ParsedSpecification parsed = ParseSpecification(specification, 1 << 24, 256);
  ChartDrawingContext context;
  context.idPrefix = prefix;
  context.print = print;
  Drawn drawn;
  drawn.svg = DrawChart(*parsed.root, data, context);
  try {
    drawn.root = ParseSpecification(drawn.svg, 1 << 26, 256).root;
  } catch (const std::exception& error) {
    ADD_FAILURE() << "the SVG is not well-formed: " << error.what();
  }
  return drawn;
}

inline bool HasClass(const ViZNode& node, const std::string& cls) {
  std::istringstream classes(node.AttributeOr("class", ""));
  for (std::string word; classes >> word;)
    if (word == cls)
      return true;
  return false;
}

inline void Walk(const ViZNode& node, const std::function<void(const ViZNode&)>& visit) {
  visit(node);
  for (const auto& child : node.children)
    Walk(*child, visit);
}

inline std::vector<const ViZNode*> WithClass(const Drawn& drawn, const std::string& cls) {
  std::vector<const ViZNode*> found;
  if (drawn.root)
    Walk(*drawn.root, [&](const ViZNode& node) {
      if (HasClass(node, cls))
        found.push_back(&node);
    });
  return found;
}

inline double Number(const ViZNode& node, const char* attribute) {
  const std::string* text = node.Attribute(attribute);
  return text == nullptr ? NAN : std::strtod(text->c_str(), nullptr);
}

// The character data of a text element and its tspans, lines joined by "|".
inline std::string TextOf(const ViZNode& node) {
  std::string text = node.text.find_first_not_of(" \n\t") == std::string::npos ? "" : node.text;
  for (const auto& child : node.children) {
    if (child->name == "title")
      continue;
    std::string inner = TextOf(*child);
    if (!inner.empty())
      text += (text.empty() ? "" : "|") + inner;
  }
  return text;
}

// The boxes marks and texts cover, in the drawing's pixels; texts measured with the chart font.
struct Box {
  double left = 0, top = 0, right = 0, bottom = 0;
  bool Overlaps(const Box& other, double slack = 0.5) const {
    return left < other.right - slack && other.left < right - slack && top < other.bottom - slack &&
           other.top < bottom - slack;
  }
};

inline std::ostream& operator<<(std::ostream& out, const Box& box) {
  return out << "[" << box.left << ", " << box.top << " - " << box.right << ", " << box.bottom
             << "]";
}

// An attribute of the node or of the nearest ancestor that has it.
inline std::string Inherited(const ViZNode& node, const char* attribute,
                             const std::string& fallback) {
  for (const ViZNode* at = &node; at != nullptr; at = at->parent)
    if (const std::string* value = at->Attribute(attribute))
      return *value;
  return fallback;
}

inline std::vector<std::string> LinesOf(const ViZNode& text) {
  std::vector<std::string> lines;
  for (const auto& child : text.children)
    if (child->name == "tspan")
      lines.push_back(child->text);
  if (lines.empty())
    lines.push_back(text.text);
  return lines;
}

// The box a text element covers: its lines from the baseline of the first, at its anchor.
inline Box TextBox(const ViZNode& text) {
  const double size = std::strtod(Inherited(text, "font-size", "11").c_str(), nullptr);
  const bool bold = Inherited(text, "font-weight", "") == "bold";
  const std::string anchor = Inherited(text, "text-anchor", "start");
  const std::vector<std::string> lines = LinesOf(text);
  double widest = 0;
  for (const std::string& line : lines)
    widest = std::max(widest, FontMetrics::Instance().Width(line, size, bold));
  const double x = Number(text, "x"), y = Number(text, "y");
  Box box;
  box.left = anchor == "middle" ? x - widest / 2 : anchor == "end" ? x - widest : x;
  box.right = box.left + widest;
  box.top = y - size * 0.8;
  box.bottom =
      y + size * 0.2 + FontMetrics::LineHeight(size) * static_cast<double>(lines.size() - 1);
  return box;
}

inline Box RectBox(const ViZNode& rect) {
  double x = Number(rect, "x"), y = Number(rect, "y");
  return {x, y, x + Number(rect, "width"), y + Number(rect, "height")};
}

inline Box CircleBox(const ViZNode& circle) {
  double cx = Number(circle, "cx"), cy = Number(circle, "cy"), r = Number(circle, "r");
  return {cx - r, cy - r, cx + r, cy + r};
}

inline Box Canvas(const Drawn& drawn) {
  return {0, 0, Number(*drawn.root, "width"), Number(*drawn.root, "height")};
}

inline bool Inside(const Box& inner, const Box& outer) {
  return inner.left >= outer.left - 0.5 && inner.right <= outer.right + 0.5 &&
         inner.top >= outer.top - 0.5 && inner.bottom <= outer.bottom + 0.5;
}

// The text elements of the ticks of the axes of class `axis` ("x" or "y"), in drawing order.
inline std::vector<const ViZNode*> TickTexts(const Drawn& drawn, const std::string& axis) {
  std::vector<const ViZNode*> texts;
  for (const ViZNode* at : WithClass(drawn, axis))
    for (const auto& tick : at->children)
      if (const ViZNode* text = HasClass(*tick, "tick") ? tick->FirstChild("text") : nullptr)
        texts.push_back(text);
  return texts;
}

// A source with the given columns: numbers (NaN = missing) or texts (empty = missing).
struct Column {
  std::string name;
  std::vector<double> numbers;
  std::vector<std::string> texts;
};

inline void AddSource(VarDataProcessor& data, const std::string& source,
                      const std::vector<Column>& columns) {
  data.AddDataSource(source);
  for (const Column& column : columns) {
    data.AddVariable(source, column.name);
    for (std::size_t row = 0; row < column.numbers.size(); ++row)
      if (!std::isnan(column.numbers[row]))
        data.SetVariableValue(source, column.name, row, column.numbers[row]);
    for (std::size_t row = 0; row < column.texts.size(); ++row)
      if (!column.texts[row].empty())
        data.SetStringVariableValue(source, column.name, row, column.texts[row]);
  }
}

} // namespace drawtest
