// Texts of the chart views.
#include "ChartViewText.h"

#include "chart/XUtility.h"
#include "strings/FacSTDictionary.h"

ChartString ChartViewText::lookUp(const FacSTDictionary* strings, const std::string& key) {
  if (strings == nullptr)
    return ChartString(key.c_str());
  return XUtility::ChartStringFromOLANG(strings->LookUp(key).c_str());
}

std::string ChartViewText::lookUpUTF8(const FacSTDictionary* strings, const std::string& key) {
  return lookUp(strings, key).toUTF8();
}

std::string ChartViewText::escapeXml(const std::string& text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (char c : text) {
    switch (c) {
    case '&':
      escaped += "&amp;";
      break;
    case '<':
      escaped += "&lt;";
      break;
    case '>':
      escaped += "&gt;";
      break;
    case '"':
      escaped += "&quot;";
      break;
    case '\'':
      escaped += "&apos;";
      break;
    default:
      escaped += c;
    }
  }
  return escaped;
}

ChartString ChartViewText::breakLines(const ChartString& text) {
  ChartString lines(text);
  lines.replaceSubstring(u"\\n", u"\n");
  return lines;
}

bool ChartViewText::insertBefore(std::string& text, const std::string& anchor,
                                 const std::string& fragment) {
  const std::size_t at = anchor.empty() ? std::string::npos : text.find(anchor);
  if (at == std::string::npos)
    return false;
  text.insert(at, fragment);
  return true;
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

ChartString ChartViewText::description(const ChartString& title, const std::string& subtitle,
                                       bool append) {
  ChartString text(title);
  if (append) {
    text.append("; ");
    text.append(subtitle.c_str());
  }
  return text;
}
