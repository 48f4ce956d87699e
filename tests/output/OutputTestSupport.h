// Shared helpers of the table writer tests: a run of the writer over an output document (from a
// result document or from records filled by hand), a data dictionary made from a result
// document's own dictionary, and finders that query the output tree by keys and category paths.
#pragma once

#include "DocumentDictionary.h"
#include "NOPROutput.h"
#include "NOPROutputStats.h"
#include "ScratchFolder.h"

#include "chart/ChartService.h"
#include "dict/VORN_DataSource.h"
#include "output/Chart.h"
#include "output/Document.h"
#include "pivot/BpProcedure.h"
#include "strings/FacSTDictionary.h"
#include "strings/PathFactory.h"
#include "xml/SDOMXMLWrapper.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace outtest {

using Stats = NOPROutputStats;

inline std::string sourcePath(const std::string& relative) {
  return std::string(NPTESTS_SOURCE_DIR) + "/" + relative;
}

inline std::string readFile(const std::string& path) {
  const std::string text = ReadAll(path);
  EXPECT_FALSE(text.empty()) << "cannot read " << path;
  return text;
}

// The host's data dictionary for a result document: the variables its own dictionary implies.
inline std::unique_ptr<VORN_DataSource> dictionaryOf(const std::string& xml) {
  auto data = std::make_unique<VORN_DataSource>();
  SDOMXMLWrapper root;
  std::string error;
  EXPECT_TRUE(root.LoadFromString(xml) != 0 &&
              DocumentDictionary::BuildVariables(root, *data, error))
      << error;
  return data;
}

// One writer run: the output document, the procedure over it with a chart service of its own,
// the data dictionary and the result set.
struct WriterRun {
  output::Document document;
  FacSTDictionary strings{PathFactory::getPathInstance(3)->getPath()};
  ChartService charts{PathFactory::getPathInstance(PathFactory::kChartTemplates)->getPath()};
  std::unique_ptr<VORN_DataSource> data = std::make_unique<VORN_DataSource>();
  std::unique_ptr<BpProcedure> procedure;
  NOPROutputStats stats;

  // With a result document, the data dictionary is made from the document's own dictionary.
  explicit WriterRun(const std::string& dictionaryDocument = "") {
    strings.SetProcedure("Nonparametric Tests");
    if (!dictionaryDocument.empty())
      data = dictionaryOf(dictionaryDocument);
    procedure = std::make_unique<BpProcedure>(document, &strings, data.get());
    procedure->SetChartService(&charts);
  }

  // A field record with a numeric variable of that name.
  Stats::FieldDistributionData* AddField(const std::string& name) {
    const int index = data->AddVariable(VORN_Variable(name, 0));
    Stats::FieldDistributionData* record = stats.CreateFieldDistributionData();
    record->fFieldIndex = static_cast<int>(stats.GetAllFieldDistributionData().size()) - 1;
    record->fVariable = data->GetVariable(index);
    return record;
  }

  // Value labels 1, 2, ... for the field's variable and its record, as the reader leaves them.
  void LabelValues(Stats::FieldDistributionData* field, const std::vector<std::string>& labels) {
    VORN_Variable* variable = data->GetVariable(field->fFieldIndex);
    for (std::size_t v = 0; v < labels.size(); ++v) {
      variable->ValueLabels().Add(static_cast<double>(v + 1), labels[v]);
      Stats::NPValueLabel label;
      label.fIndex = static_cast<int>(v);
      label.fValue.SetCompleteValue(std::to_string(v + 1), variable, 0);
      label.fLabel = labels[v];
      field->fValueLabels.push_back(label);
    }
  }

  NOPROutput Writer() { return NOPROutput(procedure.get(), procedure.get(), data.get(), &stats); }
  void Display() { Writer().DisplayOutput(); }

  const output::Heading& Root() const { return *document.Items().back()->AsHeading(); }
};

// A test record filled by hand.
inline Stats::BaseHypothesisTest* addTest(Stats& stats, Stats::EnumClassificationType family,
                                          Stats::EnumAlgorithmType algorithm,
                                          const std::string& conditionKey,
                                          const std::vector<std::vector<double>>& parameters,
                                          Stats::EnumDecisionType decision = Stats::kDRetain) {
  Stats::BaseHypothesisTest* test = stats.CreateHypothesisTest(family, algorithm, decision);
  test->fCondition.fConditionKey = conditionKey;
  for (std::size_t i = 0; i < parameters.size(); ++i) {
    Stats::ParameterData parameter;
    parameter.fIndex = static_cast<int>(i);
    parameter.fValues = parameters[i];
    test->fCondition.fParameters.push_back(parameter);
  }
  return test;
}

inline void addResult(Stats::BaseHypothesisTest* test, const std::string& name,
                      const std::vector<std::pair<std::string, double>>& attributes) {
  Stats::StatisticsResultData result;
  result.fName = name;
  for (const auto& [attribute, value] : attributes) {
    Stats::AttributeData data;
    data.fName = attribute;
    data.fValue = value;
    result.fAttributes.push_back(data);
  }
  test->fStatisticsResults.push_back(result);
}

// A one-sample Kolmogorov-Smirnov test on `field` (the normal one unless `key` says otherwise).
inline Stats::HTOKolmogorovSmirnov*
addKS(Stats& stats, bool useSample, double sig = 0.3, double totalN = 30, int field = 0,
      const std::string& key = "NormalDistribution_O_KolmogorovSmirnov_3") {
  auto* test = static_cast<Stats::HTOKolmogorovSmirnov*>(
      addTest(stats, Stats::kCOneSample, Stats::kAOKolmogorovSmirnov, key,
              {{static_cast<double>(field)}, {10}, {2}}));
  test->fIsUseSample = useSample;
  addResult(test, "", {{"TotalN", totalN}, {"TestStatistic", 0.1}, {"AsymptoticSig2Tailed", sig}});
  return test;
}

// The simulated (Lilliefors) companion of such a test, with an interval of +-.01 around `sig`.
inline Stats::BaseHypothesisTest*
addLilliefors(Stats& stats, int field, double sig,
              Stats::EnumDecisionType decision = Stats::kDRetain,
              const std::string& key = "NormalDistribution_O_Lilliefors_3") {
  auto* lill = static_cast<Stats::HTOKolmogorovSmirnov*>(
      addTest(stats, Stats::kCOneSample, Stats::kAOLilliefors, key,
              {{static_cast<double>(field)}, {10}, {2}}, decision));
  lill->fIsUseSample = true;
  addResult(lill, "",
            {{"AsymptoticSig2Tailed", sig},
             {"ConfidenceIntervalLowerBound", sig - 0.01},
             {"ConfidenceIntervalUpperBound", sig + 0.01}});
  return lill;
}

inline Stats::MessageData message(unsigned int code, Stats::EnumMessageType type,
                                  const std::vector<double>& parameters = {},
                                  const std::string& group = "") {
  Stats::MessageData data;
  data.fCode = code;
  data.fType = type;
  data.fGroup = group;
  for (double value : parameters) {
    Stats::ParameterData parameter;
    parameter.fValues = {value};
    data.fParameters.push_back(parameter);
  }
  data.fParamNum = static_cast<int>(parameters.size());
  return data;
}

// --- Queries on the output tree ---------------------------------------------------------------

// The key of a translatable text or the format of a composite; the shown text otherwise.
inline std::string keyOf(const output::Label& label) {
  return label.Key() ? *label.Key() : label.Text();
}

// The tables (or the charts) of the items and of the headings among them, in output order.
template <class Items, class T>
void collect(const Items& items, const T* (output::Item::*as)() const,
             std::vector<const T*>& found) {
  for (const auto& item : items) {
    if (const T* one = ((*item).*as)())
      found.push_back(one);
    else if (const output::Heading* child = item->AsHeading())
      collect(child->Items(), as, found);
  }
}

inline std::vector<const output::Table*> tablesOf(const output::Heading& heading) {
  std::vector<const output::Table*> tables;
  collect(heading.Items(), &output::Item::AsTable, tables);
  return tables;
}

// Every chart of the document, in output order.
inline std::vector<const output::Chart*> chartsOf(const output::Document& document) {
  std::vector<const output::Chart*> charts;
  collect(document.Items(), &output::Item::AsChart, charts);
  return charts;
}

// The first table whose title key (or shown text) is `title`; fails the test when there is none.
inline const output::Table& tableNamed(const output::Heading& heading, const std::string& title) {
  for (const output::Table* table : tablesOf(heading)) {
    if (keyOf(table->Title()) == title || table->Title().Text() == title)
      return *table;
  }
  ADD_FAILURE() << "no table " << title;
  static const output::Table empty(output::Label(), "");
  return empty;
}

// "Group/Category" from the dimension's first level down, by path texts.
inline std::string pathOf(const output::Category* category) {
  std::string path;
  if (category == nullptr)
    return path;
  for (const output::Category* node : category->PathFromTop()) {
    if (!path.empty())
      path += "/";
    path += node->GetLabel().PathText();
  }
  return path;
}

// The cell at these paths, one per dimension that is not a layer, in creation order.
inline const output::Cell* cellAt(const output::Table& table,
                                  const std::vector<std::string>& paths) {
  for (const output::Cell& cell : table.Cells()) {
    std::vector<std::string> place;
    for (std::size_t d = 0; d < cell.categories.size(); ++d) {
      if (table.Dimensions()[d]->GetPlace() != output::Dimension::Place::kLayer)
        place.push_back(pathOf(cell.categories[d]));
    }
    if (place == paths)
      return &cell;
  }
  return nullptr;
}

inline std::vector<std::string> noteKeys(const std::vector<output::Note>& notes) {
  std::vector<std::string> keys;
  for (const output::Note& note : notes)
    keys.push_back(keyOf(note.label));
  return keys;
}

inline std::vector<std::string> cellNotes(const output::Table& table,
                                          const std::vector<std::string>& paths) {
  const output::Cell* cell = cellAt(table, paths);
  return cell == nullptr ? std::vector<std::string>{"<no cell>"} : noteKeys(cell->notes);
}

// The category at a path of a dimension, or null.
inline const output::Category* categoryAt(const output::Dimension& dimension,
                                          const std::string& path) {
  for (const output::Category* leaf : dimension.Root().Leaves()) {
    for (const output::Category* node = leaf; node != nullptr && node->Parent() != nullptr;
         node = node->Parent()) {
      if (pathOf(node) == path)
        return node;
    }
  }
  return nullptr;
}

// Leaf paths of a dimension in tree order.
inline std::vector<std::string> leafPaths(const output::Dimension& dimension) {
  std::vector<std::string> paths;
  for (const output::Category* leaf : dimension.Root().Leaves())
    paths.push_back(pathOf(leaf));
  return paths;
}

inline const output::Dimension& dimensionNamed(const output::Table& table,
                                               const std::string& label) {
  for (const auto& dimension : table.Dimensions()) {
    if (dimension->GetLabel().PathText() == label)
      return *dimension;
  }
  ADD_FAILURE() << "no dimension " << label;
  return *table.Dimensions().front();
}

inline double numberAt(const output::Table& table, const std::vector<std::string>& paths) {
  const output::Cell* cell = cellAt(table, paths);
  if (cell == nullptr) {
    ADD_FAILURE() << "no cell";
    return -12345.0;
  }
  return cell->label.Number().value_or(NOPRUTILITY::getSysMissing());
}

} // namespace outtest
