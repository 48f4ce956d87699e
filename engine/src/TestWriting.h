// The pieces every test's record in a result document is made of: attributes, structured and
// simple tables, the null hypothesis's condition, the warning messages and the decision.
#pragma once

#include "statxml/ResultDocumentWriter.h"

#include <string>
#include <vector>

namespace engine {

// A parameter of a condition or a message: numbers (a field index, a test value, a list of
// categories) or a text.
struct ConditionParameter {
  ConditionParameter(double number) : fNumbers{number} {}
  ConditionParameter(std::vector<double> numbers) : fNumbers(std::move(numbers)) {}
  ConditionParameter(std::string text) : fText(std::move(text)), fIsText(true) {}
  std::vector<double> fNumbers;
  std::string fText;
  bool fIsText = false;
};

// A warning of the engine about one test: its code, its parameters ("^1"...) and its group.
struct TestMessage {
  int fCode = 0;
  std::string fType = "warning"; // or "helpMessage"
  std::vector<ConditionParameter> fParameters;
  std::string fGroup;
};

class TestWriting {
public:
  // <Algorithm name=... classification=... decision=...>; no decision when `decision` is empty.
  static ResultElement Algorithm(const std::string& name, const std::string& classification,
                                 const std::string& decision);
  // "reject" when the significance is at most alpha, else "retain".
  static std::string Decision(double significance, double alpha);
  static ResultElement Attribute(const std::string& name, double value);
  static ResultElement Attribute(const std::string& name, const std::string& text);
  static ResultElement Attribute(const std::string& name, const std::vector<double>& values);
  static ResultElement Table(const std::string& name);
  // <SimpleTable> of rows of numbers under row and column names.
  static ResultElement SimpleTable(const std::string& name,
                                   const std::vector<std::string>& rowNames,
                                   const std::vector<std::string>& columnNames,
                                   const std::vector<std::vector<double>>& rows);
  // The "Condition" table: the key of the hypothesis's text and its parameters %0, %1, ...
  static ResultElement Condition(const std::string& key,
                                 const std::vector<ConditionParameter>& parameters,
                                 bool useSample = false);
  // The "WarningMessages" table; null element (empty tag) when there are none.
  static ResultElement Messages(const std::vector<TestMessage>& messages);
  // The "EffectSize" table of a measure with a percentile bootstrap interval at `level`: the
  // bounds are the quantiles (R's type 7) of the resampled estimates, none when there are none.
  static ResultElement BootstrapEffectSize(const std::string& measure, double estimate,
                                           std::vector<double> resampled, double level,
                                           int resamples);
  // Names 0, 1, 2, ... of `count` rows or columns.
  static std::vector<std::string> Positions(std::size_t count);
};

} // namespace engine
