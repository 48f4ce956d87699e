// The engine's entry: the split groups, and for each the document around its tests' records.
#include "engine/Engine.h"

#include "AnalysisData.h"
#include "FieldInformation.h"
#include "IndependentSamplesTests.h"
#include "NptestsRequest.h"
#include "OneSampleTests.h"
#include "RelatedSamplesTests.h"
#include "TestContext.h"
#include "TestWriting.h"
#include "engine/DataSet.h"
#include "statxml/ResultDocumentWriter.h"

#include "dict/VORN_DataSource.h"
#include "dict/VORN_Variable.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

namespace engine {
namespace {

// Records that estimate or accompany a test rather than test a hypothesis of their own; the
// document's test count leaves them out.
bool IsHypothesisTest(const ResultElement& algorithm) {
  static const std::set<std::string> companions = {"OEstimateConfidenceInterval", "OLilliefors",
                                                   "RHodgesLehmannEstimatePairs",
                                                   "IHodgesLehmannEstimateGroups"};
  for (const auto& [name, value] : algorithm.Attributes())
    if (name == "name")
      return companions.count(value) == 0;
  return true;
}

struct SplitGroup {
  std::string fArgument;
  std::vector<std::size_t> fRows;
  std::string fText; // the group's value, of a text split column
};

// A text split column's values with their labels, in the groups' order: the documents' dictionary
// lists them, so that a document read on its own knows every group's value.
using SplitValues = std::vector<std::pair<std::string, std::string>>;

std::string QuotedIfNeeded(const std::string& text) {
  if (!text.empty() && text.find_first_of(" \t,'\"=") == std::string::npos)
    return text;
  return "\"" + text + "\"";
}

std::vector<SplitGroup> SplitGroups(const DataSet& data, const VORN_DataSource& dictionary,
                                    int splitColumn) {
  std::vector<SplitGroup> groups;
  if (splitColumn < 0) {
    SplitGroup all;
    all.fRows.resize(data.RowCount());
    for (std::size_t r = 0; r < all.fRows.size(); ++r)
      all.fRows[r] = r;
    groups.push_back(std::move(all));
    return groups;
  }
  const DataColumn& column = data.Column(static_cast<std::size_t>(splitColumn));
  const std::string& name = dictionary.GetVariable(splitColumn)->GetName();
  if (column.IsText()) {
    // Texts in the order of their value labels, then by their bytes; empty cells form no group.
    const auto& entries = dictionary.GetVariable(splitColumn)->GetValueLabels().Entries();
    auto rank = [&](std::uint32_t code) {
      for (std::size_t i = 0; i < entries.size(); ++i)
        if (entries[i].fIsString && entries[i].fText == column.Text(code))
          return i;
      return entries.size();
    };
    std::map<std::uint32_t, std::vector<std::size_t>> rowsOfCode;
    for (std::size_t r = 0; r < data.RowCount(); ++r)
      if (column.Code(r) != 0)
        rowsOfCode[column.Code(r)].push_back(r);
    std::vector<std::uint32_t> codes;
    for (const auto& entry : rowsOfCode)
      codes.push_back(entry.first);
    std::sort(codes.begin(), codes.end(), [&](std::uint32_t a, std::uint32_t b) {
      return rank(a) != rank(b) ? rank(a) < rank(b) : column.Text(a) < column.Text(b);
    });
    for (std::uint32_t code : codes)
      groups.push_back(
          {name + "=" + QuotedIfNeeded(column.Text(code)), rowsOfCode[code], column.Text(code)});
    return groups;
  }
  std::map<double, std::vector<std::size_t>> rowsOfValue;
  for (std::size_t r = 0; r < data.RowCount(); ++r)
    if (!std::isnan(column.Number(r)))
      rowsOfValue[column.Number(r)].push_back(r);
  for (auto& [value, rows] : rowsOfValue)
    groups.push_back({name + "=" + ResultDocumentWriter::NumberText(value), std::move(rows), {}});
  return groups;
}

const char* OptypeOf(const FieldColumn& field) {
  switch (field.fLevel) {
  case FieldColumn::Level::kCategorical:
    return "categorical";
  case FieldColumn::Level::kOrdinal:
    return "ordinal";
  default:
    return "continuous";
  }
}

ResultElement Dictionary(const AnalysisData& data, const VORN_DataSource& variables,
                         int splitColumn, const SplitValues& splitValues) {
  ResultElement dictionary("DataDictionary");
  const int columns = variables.GetVariableCount();
  std::vector<const FieldColumn*> named(static_cast<std::size_t>(columns), nullptr);
  for (const FieldColumn& field : data.Fields())
    named[static_cast<std::size_t>(field.fDocumentIndex)] = &field;
  int index = 0;
  for (; index < columns; ++index) {
    ResultElement& element = dictionary.Add("DataField");
    const FieldColumn* field = named[static_cast<std::size_t>(index)];
    if (field == nullptr) {
      // A column the command does not name: its name and label, for the field numbers' sake.
      const VORN_Variable& variable = *variables.GetVariable(index);
      element.Set("index", static_cast<double>(index))
          .Set("name", variable.GetName())
          .Set("displayName", variable.GetPreferredLabel())
          .Set("optype", variable.IsString() ? "categorical" : "continuous")
          .Set("dataType", variable.IsString() ? "string" : "double");
      if (index == splitColumn)
        for (std::size_t i = 0; i < splitValues.size(); ++i)
          element.Add("Value")
              .Set("index", static_cast<double>(i))
              .Set("value", splitValues[i].first)
              .Set("displayValue", splitValues[i].second);
      continue;
    }
    element.Set("index", static_cast<double>(index))
        .Set("name", field->fName)
        .Set("displayName", field->fLabel.empty() ? field->fName : field->fLabel)
        .Set("optype", OptypeOf(*field))
        .Set("dataType", field->fIsText   ? "string"
                         : field->fIsDate ? "date"
                                          : "double");
    for (std::size_t i = 0; i < field->fCategories.size(); ++i) {
      const Category& category = field->fCategories[i];
      element.Add("Value")
          .Set("index", static_cast<double>(i))
          .Set("value", category.fIsText ? category.fText
                                         : ResultDocumentWriter::NumberText(category.fNumber))
          .Set("displayValue", category.fLabel);
    }
  }
  // The engine's own case-frequency field closes the dictionary; it carries no distribution.
  dictionary.Add("DataField")
      .Set("index", static_cast<double>(index))
      .Set("name", "CaseFrequency")
      .Set("displayName", "Case frequency")
      .Set("optype", "continuous")
      .Set("dataType", "integer");
  return dictionary;
}

std::string DocumentText(const TestContext& context, const VORN_DataSource& variables,
                         int splitColumn, const SplitValues& splitValues) {
  const AnalysisData& data = context.fData;
  std::vector<ResultElement> algorithms;
  if (context.fRequest.fOneSample)
    OneSampleTests::Write(context, algorithms);
  if (context.fRequest.fIndependent)
    IndependentSamplesTests::Write(context, algorithms);
  if (context.fRequest.fRelated)
    RelatedSamplesTests::Write(context, algorithms);

  ResultElement root("StatXML");
  root.Add("PMMLModel").Set("modelType", "NonParametricTests");
  root.Add("DescriptiveModel")
      .Add("DescriptiveSummary")
      .Add("Counts")
      .Set("totalFreq", data.TotalFrequency())
      .Set("totalCount", data.TotalCount())
      .Set("droppedCount", data.DroppedCount())
      .Set("badWeightCount", data.BadWeightCount())
      .Set("droppedFreq", data.DroppedFrequency());
  ResultElement& output = root.Add("Extension").Add("NPAROutput");
  output.Add(Dictionary(data, variables, splitColumn, splitValues));
  const auto tests = std::count_if(algorithms.begin(), algorithms.end(), IsHypothesisTest);
  ResultElement& list = output.Add("NonParametricTests");
  list.Set("number", static_cast<double>(tests))
      .Set("sigLevel", context.Alpha())
      .Set("confidenceLevel", context.ConfidenceLevel())
      .Set("missingTreatment", context.fRequest.fListwise ? "listwise" : "analysis");
  for (ResultElement& algorithm : algorithms)
    list.Add(std::move(algorithm));
  ResultElement& infos = output.Add("FieldInfos");
  for (const FieldColumn& field : data.Fields())
    infos.Add(FieldInformation::Write(data, field));
  return ResultDocumentWriter::Write(root);
}

} // namespace

Engine::Engine(const DataSet& data, const VORN_DataSource& dictionary)
    : fData(data), fDictionary(dictionary) {}

std::vector<EngineDocument> Engine::Compute(const CommandSpec& command,
                                            const EngineSettings& settings) const {
  const NptestsRequest request = NptestsRequest::Read(command);
  std::vector<EngineDocument> documents;
  const std::vector<SplitGroup> groups = SplitGroups(fData, fDictionary, settings.fSplitColumn);
  SplitValues splitValues;
  if (settings.fSplitColumn >= 0 && fData.Column(settings.fSplitColumn).IsText()) {
    const auto& labels = fDictionary.GetVariable(settings.fSplitColumn)->GetValueLabels();
    for (const SplitGroup& group : groups) {
      const std::string* label = labels.Find(group.fText);
      splitValues.emplace_back(group.fText, label ? *label : group.fText);
    }
  }
  for (const SplitGroup& group : groups) {
    const AnalysisData data(fData, fDictionary, request, group.fRows);
    const TestContext context{data, request, settings.fSeed};
    documents.push_back(
        {group.fArgument, DocumentText(context, fDictionary, settings.fSplitColumn, splitValues)});
  }
  return documents;
}

} // namespace engine
