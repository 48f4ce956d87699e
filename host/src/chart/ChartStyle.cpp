// Styles, colours, patterns and dashes of the chart grammar.
#include "ChartStyle.h"

#include "ViZNode.h"

#include "text/TextFunctions.h"
#include "text/VORN_SystemMissing.h"

#include <array>
#include <cctype>
#include <cmath>
#include <utility>

namespace {

double NumberOr(const std::string* text, double fallback) {
  if (text == nullptr)
    return fallback;
  double value = String2Double(*text);
  return value == VORN_SystemMissing() || !std::isfinite(value) ? fallback : value;
}

} // namespace

const std::vector<std::string>& ChartPalette() {
  static const std::vector<std::string> palette = {"#0072B2", "#E69F00", "#009E73", "#CC79A7",
                                                   "#56B4E9", "#D55E00", "#F0E442", "#000000"};
  return palette;
}

std::string ParseColor(std::string_view text) {
  static const std::array<std::pair<const char*, const char*>, 10> kNames = {{
      {"black", "#000000"},
      {"white", "#FFFFFF"},
      {"gray", "#777777"},
      {"red", "#D55E00"},
      {"green", "#009E73"},
      {"blue", "#0072B2"},
      {"orange", "#E69F00"},
      {"yellow", "#F0E442"},
      {"purple", "#CC79A7"},
      {"skyblue", "#56B4E9"},
  }};
  for (const auto& [name, color] : kNames)
    if (text == name)
      return color;
  if (text.size() != 4 && text.size() != 7)
    return std::string();
  if (text[0] != '#')
    return std::string();
  for (std::size_t i = 1; i < text.size(); ++i)
    if (!std::isxdigit(static_cast<unsigned char>(text[i])))
      return std::string();
  if (text.size() == 7)
    return std::string(text);
  std::string color = "#";
  for (std::size_t i = 1; i < 4; ++i)
    color.append(2, text[i]);
  return color;
}

std::vector<std::string> PaletteOf(const ViZNode& aesthetic) {
  std::vector<std::string> colors;
  const std::string* palette = aesthetic.Attribute("palette");
  if (palette != nullptr) {
    std::size_t start = 0;
    while (start <= palette->size() && colors.size() < 64) {
      std::size_t end = palette->find(';', start);
      std::string color = ParseColor(std::string_view(*palette).substr(
          start, end == std::string::npos ? std::string::npos : end - start));
      if (!color.empty())
        colors.push_back(color);
      if (end == std::string::npos)
        break;
      start = end + 1;
    }
  }
  return colors.empty() ? ChartPalette() : colors;
}

const char* DashOf(std::size_t index) {
  static const std::array<const char*, 4> kDashes = {"", "6 3", "2 3", "6 3 2 3"};
  return kDashes[index % kDashes.size()];
}

ChartStyle ChartStyle::Of(const ViZNode& node,
                          const std::map<std::string, const ViZNode*>& styles) {
  ChartStyle style;
  const std::string* reference = node.Attribute("style");
  auto found = reference == nullptr ? styles.end() : styles.find(*reference);
  if (found != styles.end()) {
    const ViZNode& definition = *found->second;
    if (const std::string* color = definition.Attribute("color"))
      style.fill = style.stroke = ParseColor(*color);
    if (const std::string* fill = definition.Attribute("fill"))
      if (std::string parsed = ParseColor(*fill); !parsed.empty() || *fill == "none")
        style.fill = parsed.empty() ? "none" : parsed;
    if (const std::string* stroke = definition.Attribute("stroke"))
      if (std::string parsed = ParseColor(*stroke); !parsed.empty() || *stroke == "none")
        style.stroke = parsed.empty() ? "none" : parsed;
    style.strokeWidth = std::fmin(20, NumberOr(definition.Attribute("strokeWidth"), -1));
    style.opacity = std::fmax(0, std::fmin(1, NumberOr(definition.Attribute("opacity"), 1)));
    double size = NumberOr(definition.Attribute("fontSize"), -1);
    style.fontSize = size > 0 ? std::fmax(4, std::fmin(48, size)) : -1;
    style.bold = definition.AttributeOr("fontWeight", "0") == "2";
    style.visible = definition.AttributeOr("visible", "true") != "false";
    if (const std::string* dash = definition.Attribute("dash")) {
      // Only numbers and blanks: the text goes into an attribute as it is.
      std::vector<std::string> pieces;
      SplitToToken(*dash, pieces);
      for (const std::string& piece : pieces) {
        double length = NumberOr(&piece, -1);
        if (length < 0 || pieces.size() > 16) {
          style.dash.clear();
          break;
        }
        style.dash += (style.dash.empty() ? "" : " ") + piece;
      }
    }
  }
  if (node.AttributeOr("visible", "true") == "false")
    style.visible = false;
  return style;
}
