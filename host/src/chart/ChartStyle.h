// The look of a chart element: its style (by reference and its own attributes) resolved into
// colours, stroke, dash, opacity and font, and the chart's palette, patterns and dashes that
// categories take in order.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

struct ViZNode;

struct ChartStyle {
  std::string fill;   // "#rrggbb", or empty when the style does not say
  std::string stroke; // likewise
  double strokeWidth = -1;
  std::string dash; // an SVG dash array, or empty
  double opacity = 1;
  double fontSize = -1;
  bool bold = false;
  bool visible = true;

  // The style `node` refers to with its `style` attribute (looked up in `styles`), with `node`'s
  // own `visible` on top. A missing or unreadable style gives the defaults.
  static ChartStyle Of(const ViZNode& node, const std::map<std::string, const ViZNode*>& styles);

  double FontSizeOr(double fallback) const { return fontSize > 0 ? fontSize : fallback; }
  const std::string& FillOr(const std::string& fallback) const {
    return fill.empty() ? fallback : fill;
  }
  const std::string& StrokeOr(const std::string& fallback) const {
    return stroke.empty() ? fallback : stroke;
  }
};

// "#rrggbb" for a colour the grammar accepts (#rgb, #rrggbb, or one of its names mapped to the
// palette), else empty.
std::string ParseColor(std::string_view text);
// The colour-blind-safe palette, in the order categories take it.
const std::vector<std::string>& ChartPalette();
// The colours of a `palette` attribute ("#D55E00;#999999"), or the chart palette.
std::vector<std::string> PaletteOf(const ViZNode& aesthetic);
// The dash array of the n-th dash category ("" for solid).
const char* DashOf(std::size_t index);
// The number of distinct fill patterns (the n-th category takes pattern n modulo this).
constexpr std::size_t kPatternCount = 6;
