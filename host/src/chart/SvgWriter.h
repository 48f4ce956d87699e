// Builds the text of an SVG document: elements with escaped attributes and texts, coordinates as
// finite numbers with at most two decimals, and a definitions block filled while drawing.
#pragma once

#include <string>
#include <string_view>

class SvgWriter {
public:
  // A coordinate or length: at most two decimals, no trailing zeros, never "nan", "inf" or "-0".
  // Values beyond +-1e7 are clamped, so a stray value cannot blow up a viewer.
  static std::string Number(double value);
  // A text for character data or an attribute value: &, <, >, " and ' escaped, tab, line feed and
  // carriage return written as blanks, every other control character, bidirectional control and
  // non-character, and ill-formed UTF-8, as U+FFFD.
  static std::string Escape(std::string_view utf8);

  // "<tag"; then Attr calls; then EndEmpty ("/>") or EndStart (">") ... Close ("</tag>").
  SvgWriter& Start(std::string_view tag);
  SvgWriter& Attr(std::string_view name, std::string_view value);
  SvgWriter& Attr(std::string_view name, const char* value) {
    return Attr(name, std::string_view(value));
  }
  SvgWriter& Attr(std::string_view name, const std::string& value) {
    return Attr(name, std::string_view(value));
  }
  SvgWriter& Attr(std::string_view name, double value);
  void EndEmpty() { fBody += "/>\n"; }
  void EndStart() { fBody += '>'; }
  void Close(std::string_view tag);
  // Escaped character data.
  void Text(std::string_view utf8) { fBody += Escape(utf8); }
  // A <title> child (a tooltip); nothing for an empty text.
  void Title(std::string_view utf8);
  // Markup written as it is: only for text this engine composed itself.
  void Raw(std::string_view markup) { fBody += markup; }

  std::string& Body() { return fBody; }
  std::string& Definitions() { return fDefinitions; }

private:
  std::string fBody;
  std::string fDefinitions;
};
