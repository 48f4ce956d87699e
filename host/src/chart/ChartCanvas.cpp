// The drawing's shared state: variables, styles, ids, patterns and popups of one chart.
#include "ChartCanvas.h"

#include "ChartScale.h"
#include "ViZNode.h"

#include "text/TextFunctions.h"
#include "text/VORN_SystemMissing.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <utility>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Digits at `text[pos]`, exactly `count` of them; -1 when not.
long Digits(std::string_view text, std::size_t pos, std::size_t count) {
  if (pos + count > text.size())
    return -1;
  long value = 0;
  for (std::size_t i = pos; i < pos + count; ++i) {
    if (text[i] < '0' || text[i] > '9')
      return -1;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

double IsoDate(std::string_view text) {
  long year = Digits(text, 0, 4), month = Digits(text, 5, 2), day = Digits(text, 8, 2);
  if (year < 1 || month < 1 || month > 12 || day < 1 || day > 31 || text[4] != '-' ||
      text[7] != '-')
    return kNaN;
  double seconds = static_cast<double>(DayNumber(static_cast<int>(year), static_cast<int>(month),
                                                 static_cast<int>(day))) *
                   86400.;
  if (text.size() == 10)
    return seconds;
  long hour = Digits(text, 11, 2), minute = Digits(text, 14, 2), second = Digits(text, 17, 2);
  if (text.size() != 19 || text[10] != 'T' || hour < 0 || hour > 23 || minute < 0 || minute > 59 ||
      second < 0 || second > 60)
    return kNaN;
  return seconds + hour * 3600. + minute * 60. + second;
}

double IsoDuration(std::string_view text) {
  double seconds = 0;
  bool time = false;
  bool any = false;
  std::string number;
  for (std::size_t i = 1; i < text.size(); ++i) {
    char c = text[i];
    if ((c >= '0' && c <= '9') || c == '.') {
      number += c;
      continue;
    }
    if (c == 'T' && number.empty()) {
      time = true;
      continue;
    }
    double value = String2Double(number);
    if (number.empty() || value == VORN_SystemMissing())
      return kNaN;
    double unit = c == 'D' && !time   ? 86400
                  : c == 'W' && !time ? 604800
                  : c == 'H' && time  ? 3600
                  : c == 'M' && time  ? 60
                  : c == 'S' && time  ? 1
                                      : -1;
    if (unit < 0)
      return kNaN;
    seconds += value * unit;
    number.clear();
    any = true;
  }
  return any && number.empty() ? seconds : kNaN;
}

} // namespace

double AttributeNumber(const ViZNode& node, std::string_view attribute, bool dataValue) {
  const std::string* text = node.Attribute(attribute);
  if (text == nullptr)
    return kNaN;
  double value = String2Double(*text);
  if (value != VORN_SystemMissing() && std::isfinite(value))
    return value;
  if (!dataValue || text->empty())
    return kNaN;
  if ((*text)[0] == 'P')
    return IsoDuration(*text);
  return IsoDate(*text);
}

double AttributeLength(const ViZNode& node, std::string_view attribute, double whole) {
  const std::string* text = node.Attribute(attribute);
  if (text == nullptr || text->empty())
    return kNaN;
  bool percent = text->back() == '%';
  double value = String2Double(percent ? text->substr(0, text->size() - 1) : *text);
  if (value == VORN_SystemMissing() || !std::isfinite(value))
    return kNaN;
  return percent ? value / 100. * whole : value;
}

std::string LabelText(const ViZNode& node) {
  const ViZNode* label = node.FirstChild("label");
  const ViZNode* text = label != nullptr ? label->FirstChild("text") : node.FirstChild("text");
  return text != nullptr ? text->text : std::string();
}

ChartCanvas::ChartCanvas(const ViZNode& root, const VarDataProcessor* data, std::string idPrefix)
    : fRoot(root), fPrefix(std::move(idPrefix)) {
  fVariables = ChartVariable::ResolveAll(root, data);
  for (const auto& child : root.children)
    if (child->name == "style")
      fStyles.emplace(child->AttributeOr("id", ""), child.get());
  for (const auto& child : root.children) {
    if (child->name != "popup")
      continue;
    const ViZNode* target = nullptr;
    if (const std::string* id = child->Attribute("target")) {
      target = root.FindById(*id);
    } else if (const ViZNode* graph = root.FirstChild("graph")) {
      for (const auto& element : graph->children) {
        static const char* const kElements[] = {"interval", "line", "area", "point",
                                                "schema",   "edge", "node", "textMark"};
        for (const char* name : kElements)
          if (element->name == name && target == nullptr)
            target = element.get();
      }
    }
    if (target != nullptr)
      fPopups.emplace(target, child.get());
  }
}

const ChartVariable* ChartCanvas::Variable(const std::string& id) const {
  auto found = fVariables.find(id);
  return found == fVariables.end() ? nullptr : found->second.get();
}

const ChartVariable* ChartCanvas::ChildVariable(const ViZNode& node, std::string_view child) const {
  const ViZNode* position = node.FirstChild(child);
  return position == nullptr ? nullptr : Variable(position->AttributeOr("variable", ""));
}

std::string ChartCanvas::NewId(std::string_view kind) {
  return fPrefix + std::string(kind) + std::to_string(++fNextId);
}

std::string ChartCanvas::PatternFill(std::size_t pattern, const std::string& color) {
  pattern %= kPatternCount;
  if (pattern == 0)
    return color;
  std::string key = std::to_string(pattern) + color;
  auto found = fPatterns.find(key);
  if (found != fPatterns.end())
    return "url(#" + found->second + ")";
  std::string id = NewId("pattern");
  fPatterns.emplace(key, id);
  std::string ink = color.empty() || color == "none" ? "#444444" : color;
  static const char* const kShapes[kPatternCount] = {
      "",
      "<path d=\"M-1,1 l2,-2 M0,8 l8,-8 M7,9 l2,-2\" stroke-width=\"1.5\"/>",
      ("<circle cx=\"2\" cy=\"2\" r=\"1.3\" stroke=\"none\" fill=\"INK\"/>"
       "<circle cx=\"6\" cy=\"6\" r=\"1.3\" stroke=\"none\" fill=\"INK\"/>"),
      "<path d=\"M0,0 l8,8 M8,0 l-8,8\" stroke-width=\"1\"/>",
      "<path d=\"M0,2 h8 M0,6 h8\" stroke-width=\"1.2\"/>",
      "<path d=\"M2,0 v8 M6,0 v8\" stroke-width=\"1.2\"/>",
  };
  std::string shape = kShapes[pattern];
  for (std::size_t at = shape.find("INK"); at != std::string::npos; at = shape.find("INK"))
    shape.replace(at, 3, SvgWriter::Escape(ink));
  std::string& defs = fSvg.Definitions();
  defs += "<pattern id=\"" + SvgWriter::Escape(id) +
          "\" patternUnits=\"userSpaceOnUse\" width=\"8\" height=\"8\">"
          "<rect width=\"8\" height=\"8\" fill=\"#FFFFFF\"/><g stroke=\"" +
          SvgWriter::Escape(ink) + "\">" + shape + "</g></pattern>\n";
  return "url(#" + id + ")";
}

void ChartCanvas::AddMarkBox(const ChartRect& box) {
  // Enough for the marks a frame could meet; a graph of thousands of points is full anyway.
  constexpr std::size_t kMaxMarkBoxes = 4000;
  if (fMarkBoxes.size() < kMaxMarkBoxes && std::isfinite(box.left) && std::isfinite(box.top) &&
      std::isfinite(box.width) && std::isfinite(box.height))
    fMarkBoxes.push_back(box);
}

bool ChartCanvas::HasPopup(const ViZNode& element, std::string_view part) const {
  auto [begin, end] = fPopups.equal_range(&element);
  for (auto it = begin; it != end; ++it)
    if (it->second->AttributeOr("part", "") == part)
      return true;
  return false;
}

std::string ChartCanvas::Tooltip(const ViZNode& element, std::string_view part,
                                 std::size_t row) const {
  std::string tooltip;
  auto [begin, end] = fPopups.equal_range(&element);
  for (auto it = begin; it != end; ++it) {
    const ViZNode& popup = *it->second;
    if (popup.AttributeOr("part", "") != part)
      continue;
    const std::string* templateText = popup.Attribute("tokenTemplate");
    if (templateText == nullptr)
      continue;
    std::string text;
    std::size_t at = 0;
    while (at < templateText->size()) {
      std::size_t open = templateText->find("$[", at);
      std::size_t close =
          open == std::string::npos ? std::string::npos : templateText->find("]$", open + 2);
      if (close == std::string::npos) {
        text.append(*templateText, at, std::string::npos);
        break;
      }
      text.append(*templateText, at, open - at);
      std::string token = templateText->substr(open + 2, close - open - 2);
      std::string variableId = token;
      for (const ViZNode* mapping : popup.Children("tokenMapping"))
        if (mapping->AttributeOr("valueToken", "") == token)
          variableId = mapping->AttributeOr("variable", "");
      if (const ChartVariable* variable = Variable(variableId))
        text += variable->Text(row);
      at = close + 2;
    }
    if (!tooltip.empty() && !text.empty())
      tooltip += '\n';
    tooltip += text;
  }
  return tooltip;
}

void ChartCanvas::Describe(std::string sentence) {
  // A description is read aloud: a few dozen sentences say what a chart shows, more would not.
  if (!sentence.empty() && fDescriptions.size() < 40)
    fDescriptions.push_back(std::move(sentence));
}

std::string ChartCanvas::Word(std::string_view english) const {
  static const std::pair<std::string_view, std::string_view> kGerman[] = {
      {"Medians, with the lowest and highest values", "Mediane, mit kleinstem und größtem Wert"},
      {"median", "Median"},
      {"quartiles", "Quartile"},
      {"whiskers", "Whisker"},
      {"from", "von"},
      {"to", "bis"},
      {"Values from", "Werte von"},
      {"the highest bar", "der höchste Balken"},
      {"holds", "hat"},
      {"Pairs", "Paare"},
      {"none", "keine"},
  };
  if (language.rfind("de", 0) == 0)
    for (const auto& [key, german] : kGerman)
      if (key == english)
        return std::string(german);
  return std::string(english);
}
