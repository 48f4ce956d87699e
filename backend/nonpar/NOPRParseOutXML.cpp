// The document-level steps of the result-document reader and its token conversions. The readers
// of the tables inside a test are in NOPRParseOutXML_Tests.cpp and NOPRParseOutXML_Descriptive.cpp.
#include "NOPRParseOutXML.h"

#include "NOPRAlgorithmTable.h"
#include "NOPRParseOutXMLSupport.h"
#include "NOPRUTILITY.h"
#include "statxml/ResultDocumentRules.h"

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

void NOPRParseOutXML::UseLoadedDocument(SDOMXMLWrapper* root) {
  fParser->UseLoadedDocument(root);
}

const std::string& NOPRParseOutXML::Error() const {
  return fParser->Error();
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
  fError.clear();
  if (fOutputStats == nullptr || (fXMLText.empty() && fRoot == nullptr)) {
    fError = "there is no document to read";
    return false;
  }
  try {
    SDOMXMLWrapper own;
    SDOMXMLWrapper* root = fRoot;
    if (root == nullptr) {
      if (own.LoadFromString(fXMLText) == 0) {
        fError = "not an XML document: " + own.GetLastError().ToString();
        return false;
      }
      root = &own;
    }
    // Each part after the shared rule about it; the dictionary's rule is applied as it is read,
    // so that the fields before a mistake are kept.
    using Rule = ResultDocumentRules::Rule;
    const auto keeps = [this, root](Rule rule) {
      fError = ResultDocumentRules::Broken(*root, rule);
      return fError.empty();
    };
    const bool read = keeps(Rule::kModel) && keeps(Rule::kCounts) && parseDescriptiveModel(root) &&
                      parseDataDictionary(root) && keeps(Rule::kTests) &&
                      parseNonParametricTests(root) && keeps(Rule::kFieldInfos) &&
                      parseFieldInfos(root);
    if (!read && fError.empty())
      fError = "a part it needs is missing or malformed";
    return read;
  } catch (const std::exception& e) {
    // A malformed document must not take the host down; whatever was read stays in the result
    // set, which the caller does not show after a failure.
    fError = std::string("reading it failed: ") + e.what();
    return false;
  } catch (...) {
    fError = "reading it failed";
    return false;
  }
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
  if (root == nullptr || !ResultDocumentRules::HasDictionary(*root))
    return true;
  CFMetaData* metadata = fOutputStats->CreateLocalMetadata();
  if (!ResultDocumentRules::ReadDictionary(*root, *metadata, fError))
    return false;

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
  int number = 0;
  while (algorithmIt->Next(&algorithmElm)) {
    ++number;
    if (!parseAlgorithm(algorithmElm)) {
      const std::string detail = fError.empty() ? "it cannot be read" : fError;
      fError = "a required part is malformed: test " + std::to_string(number) + " (Algorithm \"" +
               textAttribute(algorithmElm, "name") + "\"): " + detail;
      return false;
    }
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
    else if (name == "EffectSize")
      read = parseEffectSize(tableElm, test->fEffectSizes);
    else if (name == "ValsNotInTheCategoreis")
      read = parseVarNotInCate(tableElm, test->fValsNotInCategories);
    else
      read = parseHTestSpec(tableElm, test);
    if (!read) {
      fError = "its table \"" + name + "\" cannot be read";
      return false;
    }
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
  int number = 0;
  while (fieldIt->Next(&fieldElm)) {
    ++number;
    if (!parseFieldDistribution(fieldElm)) {
      fError = "a required part is malformed: FieldInfos/FieldInfo number " +
               std::to_string(number) + " cannot be read";
      return false;
    }
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
