// Text edits of the sample charts.
#include "ChartViewText.h"

ChartString ChartViewText::breakLines(const ChartString& text) {
  ChartString lines(text);
  lines.replaceSubstring(u"\\n", u"\n");
  return lines;
}

bool ChartViewText::eraseSpan(std::string& text, const std::string& start, const std::string& end) {
  const std::size_t from = text.find(start);
  if (from == std::string::npos)
    return false;
  const std::size_t to = text.find(end, from);
  if (to == std::string::npos)
    return false;
  text.erase(from, to + end.size() - from);
  return true;
}
