// Chart utilities shared by the chart views.
#include "ChartOutput.h"

#include "NOPROutputStatsRecords.h"
#include "NOPRUTILITY.h"

#include "chart/ChartString.h"
#include "chart/XDocument.h"
#include "chart/XUtility.h"
#include "chart/XVariable.h"
#include "dict/CFStatVariableValue.h"
#include "dict/OBS.h"
#include "dict/VORN_Format.h"
#include "dict/VORN_Variable.h"
#include "strings/FacSTDictionary.h"
#include "strings/PathFactory.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <vector>

namespace {

const VORN_Format kDefaultFormat(VORN_Format::kF, 8, 2);

std::string ShortestText(double value) {
  if (NOPRUTILITY::isSystemMissing(value))
    return ".";
  char buffer[64];
  auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 16);
  return std::string(buffer, result.ptr);
}

} // namespace

std::string ChartOutput::double2String(double value, VORN_Format* format) {
  if (format == nullptr)
    return ShortestText(value);
  double shown = NumericFormatCFToStat(value, format->TypeEx());
  // A string format has no number to show (the formatter would read the double's bytes as
  // characters), so such a value is written in the default format.
  if (format->IsString())
    *format = kDefaultFormat;
  format->Width(40);
  return FormatValue(shown, *format);
}

std::string ChartOutput::double2String(double value, int width, int decimals) {
  VORN_Format format(VORN_Format::kF, width, decimals);
  return double2String(value, &format);
}

std::string ChartOutput::double2String(double value, const VORN_Variable& variable) {
  VORN_Format format = variable.GetFormat();
  return double2String(value, &format);
}

std::string ChartOutput::trimmedText(const OBS* value, int width) {
  if (value == nullptr || width <= 0)
    return std::string();
  std::string text(value->s, static_cast<std::size_t>(width));
  std::string::size_type end = text.find_last_not_of(' ');
  return end == std::string::npos ? std::string() : text.substr(0, end + 1);
}

std::string ChartOutput::storedText(const CFStatVariableValue& value, int width) {
  const int own = value.GetType() > 0 ? value.GetType() : static_cast<int>(sizeof(OBS));
  return trimmedText(value.GetObsValue(), width < own ? width : own);
}

namespace {

bool MarksFamily(const std::string& key, const char* family) {
  const std::string start = std::string(family) + "_";
  const std::string inside = "_" + start;
  return key.compare(0, start.size(), start) == 0 || key.find(inside) != std::string::npos;
}

bool HasNumber(const std::vector<NOPROutputStats::ParameterData>& parameters, std::size_t k) {
  return parameters.size() > k && !parameters[k].fValues.empty();
}

} // namespace

std::vector<double>
ChartOutput::getFieldParameterValueList(const NOPROutputStats::ConditionData& condition) {
  const std::string& key = condition.fConditionKey;
  const auto& parameters = condition.fParameters;
  const bool pair = HasNumber(parameters, 0) && HasNumber(parameters, 1);
  if (MarksFamily(key, "O"))
    return HasNumber(parameters, 0) ? std::vector<double>{parameters[0].fValues[0]}
                                    : std::vector<double>{};
  if (MarksFamily(key, "R")) {
    if (pair)
      return {parameters[0].fValues[0], parameters[1].fValues[0]};
    return parameters.empty() ? std::vector<double>{} : parameters[0].fValues;
  }
  if (MarksFamily(key, "I")) {
    if (pair)
      return {parameters[0].fValues[0], parameters[1].fValues[0]};
    return HasNumber(parameters, 0) ? std::vector<double>{parameters[0].fValues[0]}
                                    : std::vector<double>{};
  }
  return {};
}

void ChartOutput::addValueLabels(const NOPROutputStats::FieldDistributionData* field,
                                 XVariable& variable) {
  if (field == nullptr)
    return;
  if (field->fVariable != nullptr)
    variable.setVORNVariable(*field->fVariable);
  for (std::size_t i = 0; i < field->fValueLabels.size(); ++i) {
    const NOPROutputStats::NPValueLabel& label = field->fValueLabels[i];
    ChartString key;
    key.assignInteger(static_cast<long long>(i));
    if (label.fLabel.empty())
      variable.addRelabel(key, *label.fValue.GetObsValue());
    else
      variable.addRelabel(key, ChartString(label.fLabel.c_str()));
  }
}

std::string ChartOutput::getFieldValueLabel(const NOPROutputStats::FieldDistributionData* field,
                                            int code) {
  std::string text = double2String(code, static_cast<VORN_Format*>(nullptr));
  if (field == nullptr)
    return text;
  for (const NOPROutputStats::NPValueLabel& label : field->fValueLabels) {
    if (label.fIndex == code)
      return label.fLabel.empty() ? label.fValue.GetStringValue() : label.fLabel;
  }
  return text;
}

void ChartOutput::replaceSubstring(std::string& text, const std::string& placeholder,
                                   const std::string& replacement) {
  if (placeholder.empty())
    return;
  const std::size_t at = text.find(placeholder);
  if (at != std::string::npos)
    text.replace(at, placeholder.size(), replacement);
}

std::size_t
ChartOutput::getErrorMessageCount(const std::vector<NOPROutputStats::MessageData>& messages) {
  std::size_t errors = 0;
  for (const NOPROutputStats::MessageData& message : messages)
    errors += message.fType == NOPROutputStats::kMError ? 1 : 0;
  return errors;
}

bool ChartOutput::isDateFormat(int formatType) {
  return EngineTimeUnitOf(formatType) != EngineTimeUnit::kNone;
}

double ChartOutput::spreadInDays(double value, int formatType) {
  if (NOPRUTILITY::isSystemMissing(value))
    return value;
  return EngineTimeUnitOf(formatType) == EngineTimeUnit::kSeconds ? value / 86400.0 : value;
}

namespace {

struct DayTime {
  long long days = 0;
  long long hours = 0;
  long long minutes = 0;
  long long seconds = 0;
};

// Whole days, hours, minutes and seconds of a non-negative span; false for a span no count can
// hold.
bool SplitDays(double days, DayTime& parts) {
  if (NOPRUTILITY::isSystemMissing(days) || !std::isfinite(days) || std::fabs(days) > 1e12)
    return false;
  const double total = std::floor(std::fabs(days) * 86400.0 + 0.5);
  long long seconds = static_cast<long long>(total);
  parts.days = seconds / 86400;
  seconds %= 86400;
  parts.hours = seconds / 3600;
  parts.minutes = seconds % 3600 / 60;
  parts.seconds = seconds % 60;
  return true;
}

} // namespace

std::string ChartOutput::durationText(double days, const FacSTDictionary* strings) {
  if (NOPRUTILITY::isSystemMissing(days) || !std::isfinite(days))
    return std::string();
  const double size = std::fabs(days);
  const char* key = size >= 1 ? "^1 days" : size * 24 >= 1 ? "^1 hours" : "^1 minutes";
  const double amount = size >= 1 ? days : size * 24 >= 1 ? days * 24 : days * 1440;
  std::string text = lookUp(strings, key);
  replaceSubstring(text, "^1", double2String(amount, 40, 1));
  return text;
}

std::string ChartOutput::isoDuration(double days) {
  DayTime parts;
  if (!SplitDays(days, parts))
    return std::string();
  char buffer[80];
  std::snprintf(buffer, sizeof buffer, "%sP%lldDT%02lldH%02lldM%02lldS", days < 0 ? "-" : "",
                parts.days, parts.hours, parts.minutes, parts.seconds);
  return buffer;
}

std::string ChartOutput::xmlEscape(const std::string& text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (char c : text) {
    if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r') {
      escaped += "\xEF\xBF\xBD"; // U+FFFD
      continue;
    }
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

std::size_t ChartOutput::crosstabCategories(const std::vector<std::vector<double>>& rows) {
  std::size_t categories = rows.size();
  for (const std::vector<double>& row : rows)
    categories = std::max(categories, row.size());
  return categories;
}

ChartString ChartOutput::crosstabFootnote(const FacSTDictionary* strings, std::size_t categories) {
  if (categories <= kMaxCrosstabCategories)
    return ChartString();
  ChartString note = lookUpChart(strings, "The first ^1 of ^2 categories are shown.");
  ChartString shown;
  shown.assignInteger(static_cast<int>(kMaxCrosstabCategories));
  ChartString all(std::to_string(categories).c_str());
  note.replaceSubstring(u"^1", shown.xc_str());
  note.replaceSubstring(u"^2", all.xc_str());
  return note;
}

std::string ChartOutput::fetchTemplate(const std::string& name) {
  std::string text = XDocument::fetchTemplateFile(name);
  if (text.empty())
    throw std::runtime_error("its template " + name +
                             " is missing, empty or unreadable in the folder " +
                             PathFactory::getPathInstance(PathFactory::kChartTemplates)->getPath());
  return text;
}

bool ChartOutput::leftOut(const ChartString& title, std::exception_ptr failure) {
  std::string reason = "the chart service failed without saying why";
  try {
    if (failure)
      std::rethrow_exception(failure);
  } catch (const std::exception& error) {
    reason = error.what();
  } catch (...) {
    // A failure of another kind has no text; the reason stays the general one.
  }
  XDocument::SendLeftOut(title.toUTF8(), reason);
  return false;
}

ChartString ChartOutput::lookUpChart(const FacSTDictionary* strings, const std::string& key) {
  if (strings == nullptr)
    return XUtility::ChartStringFromOLANG(key.c_str());
  return XUtility::ChartStringFromOLANG(strings->LookUp(key).c_str());
}

std::string ChartOutput::lookUp(const FacSTDictionary* strings, const std::string& key) {
  return lookUpChart(strings, key).toUTF8();
}

bool ChartOutput::insertBefore(std::string& text, const std::string& marker,
                               const std::string& fragment) {
  const std::size_t at = marker.empty() ? std::string::npos : text.find(marker);
  if (at == std::string::npos)
    return false;
  text.insert(at, fragment);
  return true;
}

bool ChartOutput::replaceBehind(std::string& text, const std::string& marker, std::size_t count,
                                const std::string& replacement) {
  const std::size_t at = marker.empty() ? std::string::npos : text.find(marker);
  if (at == std::string::npos || text.size() - (at + marker.size()) < count)
    return false;
  text.replace(at + marker.size(), count, replacement);
  return true;
}

void ChartOutput::setTitles(XDocument& document, const ChartString& title,
                            const std::string& subtitle, bool graphTitle) {
  XGraph* graph = document.getExternalGraph();
  if (graphTitle)
    graph->setTitle(title.xc_str());
  if (!subtitle.empty())
    graph->setSubtitle(XUtility::ChartStringFromLocalCodePage(subtitle.c_str()).xc_str());
}

void ChartOutput::setDescription(XDocument& document, const ChartString& title,
                                 const std::string& subtitle, bool append) {
  ChartString description(title);
  if (append) {
    description.append("; ");
    description.append(XUtility::ChartStringFromLocalCodePage(subtitle.c_str()));
  }
  document.SetDescription(description.xc_str());
}
