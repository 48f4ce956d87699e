// Runs the engine in a test: a small data set written inline (comma-separated, a header row, an
// empty cell missing, a column of numbers numeric), an optional JSON dictionary and a command, to
// the documents' texts; and reads a document back with the plug-in's reader, collecting its
// warnings.
#pragma once

#include "NOPROutputStats.h"
#include "NOPRParseOutXML.h"
#include "engine/DataSet.h"
#include "engine/Engine.h"

#include "dict/JsonDictionaryReader.h"
#include "dict/ProcedureDataSource.h"
#include "dict/VORN_Variable.h"
#include "output/Document.h"
#include "parser/CommandParser.h"
#include "parser/CommandSpec.h"
#include "parser/NptestsGrammar.h"
#include "pivot/BpProcedure.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace enginetest {

inline std::vector<std::string> Cells(const std::string& line) {
  std::vector<std::string> cells;
  std::string cell;
  std::istringstream in(line);
  while (std::getline(in, cell, ','))
    cells.push_back(cell);
  if (!line.empty() && line.back() == ',')
    cells.emplace_back();
  return cells;
}

// The data set of `csv` (no quoting: cells may not hold commas).
inline engine::DataSet DataOf(const std::string& csv) {
  std::istringstream in(csv);
  std::string line;
  std::getline(in, line);
  const std::vector<std::string> names = Cells(line);
  std::vector<std::vector<std::string>> columns(names.size());
  while (std::getline(in, line)) {
    if (line.empty())
      continue;
    std::vector<std::string> cells = Cells(line);
    cells.resize(names.size());
    for (std::size_t i = 0; i < names.size(); ++i)
      columns[i].push_back(cells[i]);
  }
  engine::DataSet data;
  for (std::size_t i = 0; i < names.size(); ++i) {
    bool numeric = true;
    for (const std::string& cell : columns[i]) {
      char* end = nullptr;
      if (!cell.empty())
        std::strtod(cell.c_str(), &end);
      numeric = numeric && (cell.empty() || *end == '\0');
    }
    engine::DataColumn column(names[i], numeric ? engine::DataColumn::Kind::kNumeric
                                                : engine::DataColumn::Kind::kText);
    for (const std::string& cell : columns[i]) {
      if (!numeric)
        column.AppendText(cell);
      else
        column.AppendNumber(cell.empty() ? std::nan("") : std::strtod(cell.c_str(), nullptr));
    }
    data.AddColumn(std::move(column));
  }
  return data;
}

// The dictionary of `data`: the variables of `json` (the JSON dictionary format) when given,
// else one variable per column (texts nominal, numbers scale).
inline std::unique_ptr<ProcedureDataSource> DictionaryOf(const engine::DataSet& data,
                                                         const std::string& json = "") {
  auto dictionary = std::make_unique<ProcedureDataSource>();
  if (!json.empty()) {
    std::string error;
    EXPECT_TRUE(JsonDictionaryReader::Read(json, *dictionary, error)) << error;
    return dictionary;
  }
  for (std::size_t i = 0; i < data.ColumnCount(); ++i) {
    const engine::DataColumn& column = data.Column(i);
    VORN_Variable variable(column.Name(), column.IsText() ? 8 : 0);
    variable.SetMeasure(column.IsText() ? VORN_Variable::kMeasureNominal
                                        : VORN_Variable::kMeasureScale);
    dictionary->AddVariable(variable);
  }
  return dictionary;
}

// The documents of `command` on `csv`; a failed parse fails the test and gives none.
inline std::vector<engine::EngineDocument> RunEngine(const std::string& csv,
                                                     const std::string& command,
                                                     const std::string& json = "",
                                                     engine::EngineSettings settings = {}) {
  const engine::DataSet data = DataOf(csv);
  const auto dictionary = DictionaryOf(data, json);
  const CommandDescriptor grammar = MakeNptestsDescriptor();
  const CommandParser parser(grammar, dictionary.get());
  const std::unique_ptr<CommandSpec> spec = parser.Parse(command);
  EXPECT_TRUE(spec) << command;
  if (!spec)
    return {};
  return engine::Engine(data, *dictionary).Compute(*spec, settings);
}

// The value of the first attribute `name` in `text` from `from` on; "none" when there is none.
inline std::string Attribute(const std::string& text, const std::string& name,
                             std::size_t from = 0) {
  const std::string key = "<Attribute name=\"" + name + "\" value=\"";
  const std::size_t at = text.find(key, from);
  if (at == std::string::npos)
    return "none";
  const std::size_t start = at + key.size();
  return text.substr(start, text.find('"', start) - start);
}

// A document read back by the plug-in's reader, with every warning the reader issued.
struct ReadBack {
  std::string fText;
  std::unique_ptr<NOPROutputStats> fStats = std::make_unique<NOPROutputStats>();
  bool fOk = false;
  std::string fError;
  std::vector<std::string> fWarnings;
};

inline std::unique_ptr<ReadBack> Read(std::string text) {
  auto back = std::make_unique<ReadBack>();
  back->fText = std::move(text);
  output::Document document;
  BpProcedure procedure{document, nullptr, nullptr};
  NOPRParseOutXML reader(nullptr, back->fStats.get(), back->fText);
  back->fOk = reader.ParseXML();
  back->fError = reader.Error();
  for (const auto& item : document.Items())
    if (const output::Message* message = item->AsMessage())
      back->fWarnings.push_back(message->GetLabel().Text());
  return back;
}

} // namespace enginetest
