// The document-level steps of the result-document reader and its token conversions. The readers
// of the tables inside a test are in NOPRParseOutXML_Tests.cpp and NOPRParseOutXML_Descriptive.cpp.
#include "NOPRParseOutXML.h"

#include "NOPRAlgorithmTable.h"
#include "NOPRParseOutXMLSupport.h"
#include "NOPRUTILITY.h"

#include "dict/CFDatum.h"
#include "dict/CFField.h"
#include "dict/CFMetaData.h"
#include "dict/VORN_DataSource.h"
#include "text/TextFunctions.h"
#include "xml/SDOMXMLIterator.h"
#include "xml/SDOMXMLWrapper.h"

#include <limits>
#include <utility>

namespace {

using Stats = NOPROutputStats;

struct NamedCode {
  const char* fName;
  int fCode;
};

// Host field types of the dictionary's "optype"; any other text is kOtherField.
constexpr NamedCode kFieldTypes[] = {
    {"continuous", CFField::kContinuous},
    {"categorical", CFField::kCategorical},
    {"ordinal", CFField::kOrdinal},
};

// Host storage types of the dictionary's "dataType"; any other text is kUnknownStorage.
constexpr NamedCode kStorageTypes[] = {
    {"integer", CFField::kInteger}, {"double", CFField::kDouble}, {"float", CFField::kDouble},
    {"string", CFField::kString},   {"date", CFField::kDate},
};

// The role every field of a result document's dictionary gets.
constexpr int kFieldRole = 7;

template <std::size_t N>
int codeOf(const NamedCode (&table)[N], const std::string& name, int otherwise) {
  for (const NamedCode& entry : table) {
    if (name == entry.fName)
      return entry.fCode;
  }
  return otherwise;
}

std::string textAttribute(SDOMXMLWrapper* elm, const char* name) {
  std::string text;
  elm->GetAttribute(name, text);
  return text;
}

// Counts cannot be negative; a negative one in a hostile document counts as absent.
unsigned int countAttribute(SDOMXMLWrapper* elm, const char* name) {
  int count = 0;
  elm->GetAttribute(name, count);
  return count < 0 ? 0u : static_cast<unsigned int>(count);
}

CFDatum datumOf(const std::string& text, int storageType) {
  switch (storageType) {
  case CFField::kString:
    return CFDatum(text.c_str(), false);
  case CFField::kInteger:
    return CFDatum(static_cast<long long>(String2Integer(text)), false);
  default:
    return CFDatum(String2Double(text), false);
  }
}

// Reads the "Value" children of a field into its two lists. False when a "index" is out of
// sequence; the field then keeps no values.
bool readFieldValues(SDOMXMLWrapper* fieldElm, CFField& field) {
  SDOMXMLIterator* valueIt = nullptr;
  if (!fieldElm->GetElementIterator("Value", &valueIt, true) || valueIt == nullptr)
    return true;
  std::vector<CFValue> labels;
  std::vector<CFValue> values;
  int expectedIndex = 0;
  SDOMXMLWrapper* valueElm = nullptr;
  while (valueIt->Next(&valueElm)) {
    int index = -1;
    valueElm->GetAttribute("index", index);
    if (index != expectedIndex)
      return false;
    const std::string value = textAttribute(valueElm, "value");
    const CFDatum datum = datumOf(value, field.GetStorageType());
    labels.emplace_back(datum, textAttribute(valueElm, "displayValue"), 0, 0);
    values.emplace_back(datum, value, 0, 0);
    ++expectedIndex;
  }
  if (expectedIndex > 0) {
    field.SetValueLabels(labels);
    field.SetValues(values);
  }
  return true;
}

} // namespace

int NOPRParseOutXMLSupport::integerOf(const std::string& text) {
  const long value = String2Integer(text);
  if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
    return 0;
  return static_cast<int>(value);
}

NOPRParseOutXML::NOPRParseOutXML(VORN_DataSource* dataSource, NOPROutputStats* outputStats,
                                 const std::string& xmlText)
    : fParser(std::make_unique<XMLParser>(dataSource, outputStats, xmlText)) {}

NOPRParseOutXML::~NOPRParseOutXML() = default;

bool NOPRParseOutXML::ParseXML() {
  return fParser->ParseXML();
}

bool NOPRParseOutXML::IsParseSuccess() const {
  return fParser->IsParseSuccess();
}

NOPRParseOutXML::XMLParser::XMLParser(VORN_DataSource* dataSource, NOPROutputStats* outputStats,
                                      const std::string& xmlText)
    : fSysMissing(NOPRUTILITY::getSysMissing()), fDataSource(dataSource), fOutputStats(outputStats),
      fXMLText(xmlText) {}

bool NOPRParseOutXML::XMLParser::ParseXML() {
  fParseSuccess = parseStatsXML();
  return fParseSuccess;
}

bool NOPRParseOutXML::XMLParser::parseStatsXML() {
  if (fParseSuccess)
    return true;
  if (fXMLText.empty() || fOutputStats == nullptr)
    return false;
  try {
    SDOMXMLWrapper root;
    if (root.LoadFromString(fXMLText) == 0)
      return false;
    return isNOPRXML(&root) && parseDescriptiveModel(&root) && parseDataDictionary(&root) &&
           parseNonParametricTests(&root) && parseFieldInfos(&root);
  } catch (...) {
    // A malformed document must not take the host down; whatever was read stays in the result
    // set, which the caller does not show after a failure.
    return false;
  }
}

bool NOPRParseOutXML::XMLParser::isNOPRXML(SDOMXMLWrapper* root) {
  if (root == nullptr || root->GetName() != "StatXML")
    return false;
  SDOMXMLWrapper* model = nullptr;
  if (!root->GetFirstElement("PMMLModel", &model, true) || model == nullptr)
    return false;
  return textAttribute(model, "modelType") == "NonParametricTests";
}

bool NOPRParseOutXML::XMLParser::parseDescriptiveModel(SDOMXMLWrapper* root) {
  SDOMXMLWrapper* counts = nullptr;
  if (root == nullptr ||
      !root->GetFirstElement("DescriptiveModel/DescriptiveSummary/Counts", &counts, true) ||
      counts == nullptr)
    return false;
  fOutputStats->TotalFreq(countAttribute(counts, "totalFreq"));
  fOutputStats->TotalCount(countAttribute(counts, "totalCount"));
  fOutputStats->DroppedCount(countAttribute(counts, "droppedCount"));
  fOutputStats->BadWeightCount(countAttribute(counts, "badWeightCount"));
  fOutputStats->DroppedFreq(countAttribute(counts, "droppedFreq"));
  return true;
}

bool NOPRParseOutXML::XMLParser::parseDataDictionary(SDOMXMLWrapper* root) {
  if (root == nullptr)
    return false;
  SDOMXMLWrapper* dictionary = nullptr;
  if (!root->GetFirstElement("Extension/NPAROutput/DataDictionary", &dictionary, true) ||
      dictionary == nullptr)
    return true;
  CFMetaData* metadata = fOutputStats->CreateLocalMetadata();
  SDOMXMLIterator* fieldIt = nullptr;
  if (!dictionary->GetElementIterator("DataField", &fieldIt, true) || fieldIt == nullptr)
    return true;

  int expectedIndex = 0;
  SDOMXMLWrapper* fieldElm = nullptr;
  while (fieldIt->Next(&fieldElm)) {
    int index = -1;
    fieldElm->GetAttribute("index", index);
    if (index != expectedIndex)
      return false;
    const int fieldType =
        codeOf(kFieldTypes, textAttribute(fieldElm, "optype"), CFField::kOtherField);
    const int storageType =
        codeOf(kStorageTypes, textAttribute(fieldElm, "dataType"), CFField::kUnknownStorage);
    CFField field(textAttribute(fieldElm, "name"), fieldType, storageType, kFieldRole);
    field.SetLabel(textAttribute(fieldElm, "displayName"));
    if (!readFieldValues(fieldElm, field))
      return false;
    metadata->AppendField(field);
    ++expectedIndex;
  }

  // The engine's dictionary ends with one field more than the fields it describes (the field
  // information covers the analysis fields only), so the last field gets no record.
  const int recordCount = metadata->FieldCount() - 1;
  for (int i = 0; i < recordCount; ++i) {
    Stats::FieldDistributionData* record = fOutputStats->CreateFieldDistributionData();
    record->fFieldIndex = i;
    record->fVariable = findVORNVariable(metadata, i);
    if (record->fVariable == nullptr)
      continue;
    const CFField* field = metadata->GetField(i);
    const std::vector<CFValue>& values = field->GetValues();
    const std::vector<CFValue>& labels = field->GetValueLabels();
    record->fValueLabels.resize(values.size());
    for (std::size_t j = 0; j < values.size(); ++j) {
      Stats::NPValueLabel& entry = record->fValueLabels[j];
      entry.fIndex = static_cast<int>(j);
      entry.fValue.SetCompleteValue(values[j].GetDisplayLabel(), record->fVariable, 0);
      if (j < labels.size())
        entry.fLabel = labels[j].GetDisplayLabel();
    }
  }
  return true;
}

const VORN_Variable* NOPRParseOutXML::XMLParser::findVORNVariable(const CFMetaData* metadata,
                                                                  int fieldIndex) const {
  if (metadata == nullptr || fDataSource == nullptr || fieldIndex < 0 ||
      fieldIndex >= metadata->FieldCount())
    return nullptr;
  const CFField* field = metadata->GetField(fieldIndex);
  if (field == nullptr)
    return nullptr;
  const int varIndex = fDataSource->FindVarIndex(field->GetName(), 0);
  if (varIndex < 0)
    return nullptr;
  return fDataSource->GetVariable(varIndex);
}

bool NOPRParseOutXML::XMLParser::parseNonParametricTests(SDOMXMLWrapper* root) {
  SDOMXMLWrapper* tests = nullptr;
  if (root == nullptr ||
      !root->GetFirstElement("Extension/NPAROutput/NonParametricTests", &tests, true) ||
      tests == nullptr)
    return false;
  fOutputStats->TestCount(countAttribute(tests, "number"));
  double sigLevel = fSysMissing;
  tests->GetAttribute("sigLevel", sigLevel);
  fOutputStats->SigLevel(sigLevel);
  double confLevel = fSysMissing;
  tests->GetAttribute("confidenceLevel", confLevel);
  fOutputStats->ConfLevel(confLevel);
  fOutputStats->MisTreat(textAttribute(tests, "missingTreatment") == "listwise" ? Stats::kMTListwise
                                                                                : Stats::kMTOther);

  SDOMXMLIterator* algorithmIt = nullptr;
  if (!tests->GetElementIterator("Algorithm", &algorithmIt, true) || algorithmIt == nullptr)
    return false;
  SDOMXMLWrapper* algorithmElm = nullptr;
  while (algorithmIt->Next(&algorithmElm)) {
    if (!parseAlgorithm(algorithmElm))
      return false;
  }
  return true;
}

bool NOPRParseOutXML::XMLParser::parseAlgorithm(SDOMXMLWrapper* algorithmElm) {
  if (algorithmElm == nullptr)
    return false;
  const Stats::EnumAlgorithmType algorithm =
      Stats::NameToAlgorithmType(textAttribute(algorithmElm, "name"));
  const Stats::EnumClassificationType classification =
      Stats::NameToClassificationType(textAttribute(algorithmElm, "classification"));
  const Stats::EnumDecisionType decision =
      Stats::NameToDecisionType(textAttribute(algorithmElm, "decision"));
  Stats::BaseHypothesisTest* test =
      fOutputStats->CreateHypothesisTest(classification, algorithm, decision);
  if (test == nullptr)
    return true;

  SDOMXMLIterator* tableIt = nullptr;
  if (!algorithmElm->GetElementIterator("StructuredTable", &tableIt, true) || tableIt == nullptr)
    return false;
  SDOMXMLWrapper* tableElm = nullptr;
  while (tableIt->Next(&tableElm)) {
    if (tableElm == nullptr)
      return false;
    const std::string name = textAttribute(tableElm, "name");
    bool read = false;
    if (name == "Condition")
      read = parseCondition(tableElm, test->fCondition);
    else if (name == "WarningMessages")
      read = parseMessage(tableElm, test->fMessages);
    else if (name == "StatisticsResult")
      read = parseStatsResult(tableElm, test->fStatisticsResults);
    else if (name == "ValsNotInTheCategoreis")
      read = parseVarNotInCate(tableElm, test->fValsNotInCategories);
    else
      read = parseHTestSpec(tableElm, test);
    if (!read)
      return false;
  }
  postProcessAlgorithm(test);
  return true;
}

bool NOPRParseOutXML::XMLParser::postProcessAlgorithm(Stats::BaseHypothesisTest* test) {
  if (test == nullptr)
    return false;
  const NOPRAlgorithmTable::Row* row = NOPRAlgorithmTable::Of(test);
  switch (row == nullptr ? NOPRAlgorithmTable::AfterReading::kNothing : row->fAfterReading) {
  case NOPRAlgorithmTable::AfterReading::kDistributionSettings:
  case NOPRAlgorithmTable::AfterReading::kAlwaysFromSample: {
    auto* ks = dynamic_cast<Stats::HTOKolmogorovSmirnov*>(test);
    if (ks == nullptr)
      return false;
    // A Lilliefors test always estimates its parameters from the sample.
    ks->fIsUseSample =
        row->fAfterReading == NOPRAlgorithmTable::AfterReading::kAlwaysFromSample || fIsUseSample;
    ks->fIsSigLowerBound = fIsSigLowerBound;
    return true;
  }
  case NOPRAlgorithmTable::AfterReading::kEstimate: {
    if (auto* pairs = dynamic_cast<Stats::HTRHodgesLehmannEstimatePairs*>(test))
      return statsToEstConInterval(test->fStatisticsResults, pairs->fEstimate);
    if (auto* groups = dynamic_cast<Stats::HTIHodgesLehmannEstimateGroups*>(test))
      return statsToEstConInterval(test->fStatisticsResults, groups->fEstimate);
    return false;
  }
  case NOPRAlgorithmTable::AfterReading::kNothing:
    return true;
  }
  return true;
}

bool NOPRParseOutXML::XMLParser::parseFieldInfos(SDOMXMLWrapper* root) {
  SDOMXMLWrapper* fieldInfos = nullptr;
  if (root == nullptr ||
      !root->GetFirstElement("Extension/NPAROutput/FieldInfos", &fieldInfos, true) ||
      fieldInfos == nullptr)
    return false;
  SDOMXMLIterator* fieldIt = nullptr;
  if (!fieldInfos->GetElementIterator("FieldInfo", &fieldIt, true) || fieldIt == nullptr)
    return true;
  SDOMXMLWrapper* fieldElm = nullptr;
  while (fieldIt->Next(&fieldElm)) {
    if (!parseFieldDistribution(fieldElm))
      return false;
  }
  return true;
}

bool NOPRParseOutXML::XMLParser::textToStringArray(const std::string& text,
                                                   std::vector<std::string>& values) const {
  values.clear();
  SplitToToken(text, values);
  return true;
}

namespace {

// Splits a list text and converts each token; with no tokens at all the output is left as it was.
template <class T, class Convert>
void convertTokens(const std::string& text, std::vector<T>& values, Convert convert) {
  std::vector<std::string> tokens;
  SplitToToken(text, tokens);
  if (tokens.empty())
    return;
  values.resize(tokens.size());
  for (std::size_t i = 0; i < tokens.size(); ++i)
    values[i] = convert(tokens[i]);
}

} // namespace

bool NOPRParseOutXML::XMLParser::textToNumericArray(const std::string& text,
                                                    std::vector<double>& values) const {
  convertTokens(text, values, [this](const std::string& token) {
    return token == "__MISSING__" ? fSysMissing : String2Double(token);
  });
  return true;
}

bool NOPRParseOutXML::XMLParser::textToIntegerArray(const std::string& text,
                                                    std::vector<int>& values) const {
  convertTokens(text, values, NOPRParseOutXMLSupport::integerOf);
  return true;
}

bool NOPRParseOutXML::XMLParser::generalToSimpleTable(const NPSimpleTableData& source,
                                                      Stats::SimpleTableData& target) const {
  target.fName = source.fName;
  textToStringArray(source.fNames[0], target.fNames[0]);
  textToStringArray(source.fNames[1], target.fNames[1]);
  // Cleared first: an empty row text leaves its row untouched, and a replaced table must not
  // keep the rows of the one before.
  target.fRows.clear();
  target.fRows.resize(source.fRows.size());
  for (std::size_t i = 0; i < source.fRows.size(); ++i) {
    if (!textToNumericArray(source.fRows[i], target.fRows[i]))
      return false;
  }
  return true;
}
