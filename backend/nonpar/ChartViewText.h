// Two text edits of the sample charts beside the shared ones of ChartOutput: line breaks spelled
// as backslash-n in string-table texts, and the removal of a span of a specification.
#pragma once

#include "chart/ChartString.h"

#include <string>

class ChartViewText {
public:
  // Every two-character sequence of a backslash and "n" becomes a line feed.
  static ChartString breakLines(const ChartString& text);

  // Erases from the first `start` through the end of the first `end` after it; false (text
  // unchanged) unless both are there.
  static bool eraseSpan(std::string& text, const std::string& start, const std::string& end);

private:
  ChartViewText() = delete;
};
