// Texts of the chart views: translated texts as chart strings, texts made safe to stand inside a
// chart specification's XML, and the small text edits the views make on specifications.
#pragma once

#include "chart/ChartString.h"

#include <string>

class FacSTDictionary;

class ChartViewText {
public:
  // The translated text of `key` as a chart string; the key itself without a string table.
  static ChartString lookUp(const FacSTDictionary* strings, const std::string& key);
  static std::string lookUpUTF8(const FacSTDictionary* strings, const std::string& key);

  // `text` with &, <, >, " and ' written as character references, so that a label from data or
  // a translation cannot end an attribute or open an element of the specification.
  static std::string escapeXml(const std::string& text);

  // Every two-character sequence of a backslash and "n" becomes a line feed (string-table texts
  // spell their line breaks that way).
  static ChartString breakLines(const ChartString& text);

  // Inserts `fragment` in front of the first occurrence of `anchor`; false (text unchanged)
  // when the anchor is not there.
  static bool insertBefore(std::string& text, const std::string& anchor,
                           const std::string& fragment);
  // Erases from the first `start` through the end of the first `end` after it; false (text
  // unchanged) unless both are there.
  static bool eraseSpan(std::string& text, const std::string& start, const std::string& end);

  // The chart's description: the title, followed by "; " and the subtitle when the groups of a
  // split share one output.
  static ChartString description(const ChartString& title, const std::string& subtitle,
                                 bool append);

private:
  ChartViewText() = delete;
};
