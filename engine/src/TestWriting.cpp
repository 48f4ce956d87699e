// Building blocks of the tests' records.
#include "TestWriting.h"

#include <algorithm>
#include <cmath>

namespace engine {

ResultElement TestWriting::Algorithm(const std::string& name, const std::string& classification,
                                     const std::string& decision) {
  ResultElement algorithm("Algorithm");
  algorithm.Set("name", name).Set("classification", classification);
  if (!decision.empty())
    algorithm.Set("decision", decision);
  return algorithm;
}

std::string TestWriting::Decision(double significance, double alpha) {
  return significance <= alpha ? "reject" : "retain";
}

ResultElement TestWriting::Attribute(const std::string& name, double value) {
  ResultElement attribute("Attribute");
  attribute.Set("name", name).Set("value", value);
  return attribute;
}

ResultElement TestWriting::Attribute(const std::string& name, const std::string& text) {
  ResultElement attribute("Attribute");
  attribute.Set("name", name).Set("value", text);
  return attribute;
}

ResultElement TestWriting::Attribute(const std::string& name, const std::vector<double>& values) {
  ResultElement attribute("Attribute");
  attribute.Set("name", name).Set("value", ResultDocumentWriter::NumbersText(values));
  return attribute;
}

ResultElement TestWriting::Table(const std::string& name) {
  ResultElement table("StructuredTable");
  table.Set("name", name);
  return table;
}

ResultElement TestWriting::SimpleTable(const std::string& name,
                                       const std::vector<std::string>& rowNames,
                                       const std::vector<std::string>& columnNames,
                                       const std::vector<std::vector<double>>& rows) {
  auto joined = [](const std::vector<std::string>& names) {
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i)
      text += (i ? " " : "") + names[i];
    return text;
  };
  ResultElement table("SimpleTable");
  table.Set("name", name);
  table.Add("RowNames").SetText(joined(rowNames));
  table.Add("ColumnNames").SetText(joined(columnNames));
  for (const std::vector<double>& row : rows)
    table.Add("Row").SetText(ResultDocumentWriter::NumbersText(row));
  return table;
}

namespace {

ResultElement ParameterAttribute(const std::string& name, const ConditionParameter& parameter) {
  return parameter.fIsText ? TestWriting::Attribute(name, parameter.fText)
                           : TestWriting::Attribute(name, parameter.fNumbers);
}

} // namespace

ResultElement TestWriting::Condition(const std::string& key,
                                     const std::vector<ConditionParameter>& parameters,
                                     bool useSample) {
  ResultElement table = Table("Condition");
  table.Add(Attribute("ConditionKey", key));
  for (std::size_t i = 0; i < parameters.size(); ++i)
    table.Add(ParameterAttribute("%" + std::to_string(i), parameters[i]));
  if (useSample)
    table.Add(Attribute("isUseSample", std::string("true")));
  return table;
}

ResultElement TestWriting::Messages(const std::vector<TestMessage>& messages) {
  ResultElement table = Table("WarningMessages");
  for (std::size_t n = 0; n < messages.size(); ++n) {
    const TestMessage& message = messages[n];
    ResultElement& entry = table.Add(Table("Message" + std::to_string(n + 1)));
    entry.Add(Attribute("code", static_cast<double>(message.fCode)));
    entry.Add(Attribute("type", message.fType));
    entry.Add(Attribute("paramNum", static_cast<double>(message.fParameters.size())));
    for (std::size_t i = 0; i < message.fParameters.size(); ++i)
      entry.Add(ParameterAttribute("%" + std::to_string(i), message.fParameters[i]));
    if (!message.fGroup.empty())
      entry.Add(Attribute("group", message.fGroup));
  }
  return table;
}

std::vector<std::string> TestWriting::Positions(std::size_t count) {
  std::vector<std::string> names;
  for (std::size_t i = 0; i < count; ++i)
    names.push_back(std::to_string(i));
  return names;
}

namespace {

// The p-quantile of sorted values, interpolated between order statistics (R's default type 7).
double Quantile(const std::vector<double>& sorted, double p) {
  const double h = (static_cast<double>(sorted.size()) - 1) * p;
  const std::size_t below = static_cast<std::size_t>(std::floor(h));
  const std::size_t above = std::min(below + 1, sorted.size() - 1);
  return sorted[below] + (h - std::floor(h)) * (sorted[above] - sorted[below]);
}

} // namespace

ResultElement TestWriting::BootstrapEffectSize(const std::string& measure, double estimate,
                                               std::vector<double> resampled, double level,
                                               int resamples) {
  double lower = NAN, upper = NAN;
  if (!resampled.empty()) {
    std::sort(resampled.begin(), resampled.end());
    lower = Quantile(resampled, (1 - level) / 2);
    upper = Quantile(resampled, (1 + level) / 2);
  }
  ResultElement effect = Table("EffectSize");
  ResultElement& table = effect.Add(Table(measure));
  table.Add(Attribute("Estimate", estimate));
  table.Add(Attribute("Lower", lower));
  table.Add(Attribute("Upper", upper));
  table.Add(Attribute("ConfidenceLevel", level));
  table.Add(Attribute("Method", std::string("Percentile")));
  table.Add(Attribute("Resamples", static_cast<double>(resamples)));
  return effect;
}

} // namespace engine
