// The dictionary of a data file: the JSON dictionary's variables put in the data's column order,
// defaults for the columns it does not describe, and the checks that the two agree.
#include "engine/DataDictionaryBuilder.h"

#include "engine/CsvReader.h"
#include "engine/DataSet.h"
#include "engine/Engine.h"

#include "dict/JsonDictionaryReader.h"
#include "dict/ProcedureDataSource.h"
#include "dict/VORN_Variable.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace engine {
namespace {

// The line of a row when no record spans lines: the header is line 1.
std::string Place(const std::string& dataName, std::size_t row, std::size_t column) {
  return dataName + ":" + std::to_string(row + 2) + ":" + std::to_string(column + 1) + ": ";
}

int LongestText(const DataColumn& column) {
  std::size_t longest = 1;
  for (std::size_t code = 0; code < column.TextCount(); ++code)
    longest = std::max(longest, column.Text(static_cast<std::uint32_t>(code)).size());
  return static_cast<int>(std::min<std::size_t>(longest, 32767));
}

VORN_Variable DefaultVariable(const DataColumn& column) {
  if (column.IsText()) {
    VORN_Variable variable(column.Name(), LongestText(column));
    variable.SetMeasure(VORN_Variable::kMeasureNominal);
    return variable;
  }
  VORN_Variable variable(column.Name(), 0);
  if (column.IsDate())
    variable.SetFormat(VORN_Format(VORN_Format::kDATE, 11, 0));
  variable.SetMeasure(VORN_Variable::kMeasureScale);
  return variable;
}

// The numeric column as texts, each number in its shortest form, so that a dictionary may call
// a column of codes a string.
DataColumn AsText(const DataColumn& column) {
  DataColumn text(column.Name(), DataColumn::Kind::kText);
  text.Reserve(column.Size());
  char buffer[64];
  for (double value : column.Numbers()) {
    if (std::isnan(value)) {
      text.AppendText(std::string());
      continue;
    }
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    text.AppendText(std::string(buffer, result.ptr));
  }
  return text;
}

void CheckWeights(const DataColumn& column, std::size_t index, const std::string& dataName) {
  if (column.IsText()) {
    for (std::size_t row = 0; row < column.Size(); ++row)
      if (!CsvReader::ReadsAsNumber(column.Text(column.Code(row))))
        throw EngineError(Place(dataName, row, index) + "the weight \"" +
                          column.Text(column.Code(row)) + "\" is not a number");
  }
  for (std::size_t row = 0; row < column.Size() && !column.IsText(); ++row)
    if (column.Number(row) < 0)
      throw EngineError(Place(dataName, row, index) + "the weight is negative");
}

} // namespace

std::unique_ptr<ProcedureDataSource> DataDictionaryBuilder::Build(DataSet& data,
                                                                  const std::string& dataName,
                                                                  const std::string& json,
                                                                  const std::string& jsonName) {
  ProcedureDataSource described;
  if (!json.empty()) {
    std::string error;
    if (!JsonDictionaryReader::Read(json, described, error))
      throw EngineError(jsonName + ": " + error);
  }
  for (int v = 0; v < described.GetVariableCount(); ++v)
    if (data.FindColumn(described.GetVariable(v)->GetName()) < 0)
      throw EngineError(jsonName + ": variables[" + std::to_string(v) + "]: \"" +
                        described.GetVariable(v)->GetName() + "\" is no column of " + dataName);

  auto dictionary = std::make_unique<ProcedureDataSource>();
  for (std::size_t c = 0; c < data.ColumnCount(); ++c) {
    DataColumn& column = data.Column(c);
    const int found = described.FindVarIndex(column.Name(), 0);
    if (found < 0) {
      dictionary->AddVariable(DefaultVariable(column));
      continue;
    }
    VORN_Variable variable = *described.GetVariable(found);
    const bool weight = described.GetWeightVarIndex() == found;
    if (weight)
      CheckWeights(column, c, dataName);
    if (variable.IsString() && !column.IsText()) {
      if (column.IsDate())
        throw EngineError(dataName + ": column " + std::to_string(c + 1) + " (" + column.Name() +
                          ") holds dates, but " + jsonName + " says it is a string");
      column = AsText(column);
    }
    if (!variable.IsString() && column.IsText()) {
      std::size_t row = 0;
      while (row + 1 < column.Size() && CsvReader::ReadsAsNumber(column.Text(column.Code(row))))
        ++row;
      throw EngineError(Place(dataName, row, c) + "\"" + column.Text(column.Code(row)) +
                        "\" is not a number, but " + jsonName + " says " + column.Name() +
                        " is numeric");
    }
    if (variable.IsString() && variable.GetType() < LongestText(column))
      variable = [&] {
        VORN_Variable wider(variable.GetName(), LongestText(column));
        wider.SetLabel(variable.GetLabel());
        wider.SetMeasure(variable.GetMeasure());
        wider.ValueLabels() = variable.GetValueLabels();
        wider.MissingValues() = variable.GetMissingValues();
        return wider;
      }();
    if (variable.GetMeasure() == VORN_Variable::kMeasureUnknown)
      variable.SetMeasure(column.IsText() ? VORN_Variable::kMeasureNominal
                                          : VORN_Variable::kMeasureScale);
    if (!variable.IsString() && column.IsDate() && !variable.GetFormat().IsDateTime())
      variable.SetFormat(VORN_Format(VORN_Format::kDATE, 11, 0));
    dictionary->AddVariable(variable);
    if (weight)
      dictionary->SetWeightVarIndex(static_cast<int>(c));
  }
  return dictionary;
}

} // namespace engine
