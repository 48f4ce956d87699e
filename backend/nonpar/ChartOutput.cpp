// Chart utilities shared by the chart views.
#include "ChartOutput.h"

#include "NOPROutputStatsRecords.h"
#include "NOPRUTILITY.h"

#include "chart/ChartString.h"
#include "chart/XVariable.h"
#include "dict/OBS.h"
#include "dict/VORN_Format.h"
#include "dict/VORN_Variable.h"

#include <charconv>
#include <vector>

namespace {

const VORN_Format kDefaultFormat(VORN_Format::kF, 8, 2);

// Seconds from 14 October 1582 to 1 January 1970.
constexpr double kSecondsFrom1582To1970 = 12219379200.0;

// Engine dates count from 1970; the dictionary's formatter counts seconds from 1582.
double ToDictionaryTimeBase(double value, int type) {
  if (NOPRUTILITY::isSystemMissing(value))
    return value;
  switch (type) {
  case VORN_Format::kDATE:
  case VORN_Format::kADATE:
  case VORN_Format::kJDATE:
  case VORN_Format::kWKDAY:
  case VORN_Format::kMOYR:
  case VORN_Format::kQYR:
  case VORN_Format::kWKYR:
  case VORN_Format::kEDATE:
  case VORN_Format::kSDATE:
    return value * 86400.0 + kSecondsFrom1582To1970;
  case VORN_Format::kDATETIME:
  case VORN_Format::kYMDHMS:
    return value + kSecondsFrom1582To1970;
  default:
    return value;
  }
}

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
  double shown = ToDictionaryTimeBase(value, format->TypeEx());
  // A string format has no number to show (the formatter would read the double's bytes as
  // characters), so such a value is written in the default format.
  if (format->IsString())
    *format = kDefaultFormat;
  format->Width(40);
  std::vector<char> buffer(static_cast<std::size_t>(format->Width()) + 1, '\0');
  ToString(shown, *format, buffer.data());
  std::string text(buffer.data());
  trimSpaces(text);
  return text;
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
