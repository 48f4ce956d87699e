// Member definitions of NOPRParseOutXML::XMLParser, continued: the tables of a test element (its
// condition, messages, statistics, values outside its categories and the test's own tables).
#include "IssueNotParseElement.h"
#include "NOPRAlgorithmTable.h"
#include "NOPRParseOutXML.h"
#include "NOPRParseOutXMLSupport.h"
#include "NOPRUTILITY.h"

#include "text/TextFunctions.h"
#include "xml/SDOMXMLIterator.h"
#include "xml/SDOMXMLWrapper.h"

#include <utility>

using Stats = NOPROutputStats;
using NOPRXMLGeneral::NPAttributeData;
using NOPRXMLGeneral::NPStructuredTableData;
using namespace NOPRParseOutXMLSupport;

namespace {

// "%" followed by a number names a numbered parameter.
bool isParameterName(const std::string& name) {
  return !name.empty() && name[0] == '%';
}

// The name of a test-specific table, read straight from its element; false when absent.
bool readTableName(SDOMXMLWrapper* elm, std::string& name) {
  return elm->GetAttribute("name", name);
}

} // namespace

bool NOPRParseOutXMLSupport::applyNumber(const NPAttributeData& attribute,
                                         std::initializer_list<NumberTarget> targets) {
  for (const NumberTarget& target : targets) {
    if (attribute.fName != target.fName)
      continue;
    if (target.fInteger != nullptr)
      *target.fInteger = integerOf(attribute.fValue);
    else
      *target.fDouble = String2Double(attribute.fValue);
    return true;
  }
  return false;
}

void NOPRParseOutXMLSupport::applyNumbersOrWarn(const NPStructuredTableData& table,
                                                std::initializer_list<NumberTarget> targets) {
  for (const NPAttributeData& attribute : table.fAttributes) {
    if (!applyNumber(attribute, targets))
      IssueNotParseElement(attribute.fName);
  }
}

bool NOPRParseOutXML::XMLParser::parseCondition(SDOMXMLWrapper* elm,
                                                Stats::ConditionData& condition) {
  fIsUseSample = false;
  if (elm == nullptr)
    return false;
  NPStructuredTableData table;
  const bool read = NOPRXMLGeneral::GetStructuredTable(elm, table);
  for (NPAttributeData& attribute : table.fAttributes) {
    if (attribute.fName == "ConditionKey") {
      condition.fConditionKey = std::move(attribute.fValue);
    } else if (isParameterName(attribute.fName)) {
      Stats::ParameterData parameter;
      parameter.fIndex = integerOf(attribute.fName.substr(1));
      textToNumericArray(attribute.fValue, parameter.fValues);
      condition.fParameters.push_back(std::move(parameter));
    } else if (attribute.fName == "isUseSample") {
      fIsUseSample = attribute.fValue == "true";
    } else if (attribute.fName == "OrdinalTreatedAsCont") {
      textToIntegerArray(attribute.fValue, condition.fOrdinalTreatedAsCont);
      markOrdinalTreatedAsCont(condition.fOrdinalTreatedAsCont);
    }
  }
  return read;
}

void NOPRParseOutXML::XMLParser::markOrdinalTreatedAsCont(const std::vector<int>& fieldIndexes) {
  for (const int index : fieldIndexes) {
    // An index without a field record has no record to mark; the condition keeps it anyway.
    if (index < 0)
      continue;
    if (Stats::FieldDistributionData* field =
            fOutputStats->GetFieldDistributionData(static_cast<std::size_t>(index)))
      field->fOrdinalTreatedAsCont = true;
  }
}

bool NOPRParseOutXML::XMLParser::parseMessage(SDOMXMLWrapper* elm,
                                              std::vector<Stats::MessageData>& messages) {
  if (elm == nullptr)
    return false;
  NPStructuredTableData table;
  bool result = NOPRXMLGeneral::GetStructuredTable(elm, table);
  messages.resize(table.fStructuredTables.size());
  for (std::size_t i = 0; i < table.fStructuredTables.size(); ++i) {
    Stats::MessageData& message = messages[i];
    for (NPAttributeData& attribute : table.fStructuredTables[i].fAttributes) {
      if (attribute.fName == "code") {
        message.fCode = static_cast<unsigned int>(String2Integer(attribute.fValue));
      } else if (attribute.fName == "type") {
        message.fType = Stats::NameToMessageType(attribute.fValue);
      } else if (attribute.fName == "paramNum") {
        message.fParamNum = integerOf(attribute.fValue);
      } else if (isParameterName(attribute.fName)) {
        Stats::ParameterData parameter;
        parameter.fIndex = integerOf(attribute.fName.substr(1));
        textToNumericArray(attribute.fValue, parameter.fValues);
        message.fParameters.push_back(std::move(parameter));
      } else if (attribute.fName == "group") {
        message.fGroup = std::move(attribute.fValue);
      }
    }
    // A message whose declared parameters are not all there cannot be shown correctly.
    if (message.fParamNum < 0 ||
        static_cast<std::size_t>(message.fParamNum) != message.fParameters.size())
      result = false;
  }
  return result;
}

bool NOPRParseOutXML::XMLParser::parseEffectSize(SDOMXMLWrapper* elm,
                                                 std::vector<Stats::EffectSizeData>& effectSizes) {
  if (elm == nullptr)
    return false;
  NPStructuredTableData table;
  const bool read = NOPRXMLGeneral::GetStructuredTable(elm, table);
  for (const NPAttributeData& attribute : table.fAttributes)
    IssueNotParseElement(attribute.fName);
  for (const NPStructuredTableData& measure : table.fStructuredTables) {
    Stats::EffectSizeData data;
    data.fMeasure = measure.fName;
    for (const NPAttributeData& attribute : measure.fAttributes) {
      if (attribute.fName == "Method")
        data.fMethod = attribute.fValue;
      else if (!applyNumber(attribute,
                            {doubleTarget("Estimate", data.fEstimate),
                             doubleTarget("Lower", data.fLower), doubleTarget("Upper", data.fUpper),
                             doubleTarget("ConfidenceLevel", data.fLevel),
                             intTarget("Resamples", data.fResamples)}))
        IssueNotParseElement(attribute.fName);
    }
    effectSizes.push_back(std::move(data));
  }
  return read;
}

bool NOPRParseOutXML::XMLParser::parseStatsResult(
    SDOMXMLWrapper* elm, std::vector<Stats::StatisticsResultData>& results) {
  fIsSigLowerBound = false;
  if (elm == nullptr)
    return false;
  NPStructuredTableData table;
  const bool read = NOPRXMLGeneral::GetStructuredTable(elm, table);
  bool unnamedGroupOpen = false;
  for (const auto& [kind, position] : table.fElementOrder) {
    switch (kind) {
    case NPStructuredTableData::kETAttribute: {
      if (!unnamedGroupOpen) {
        results.emplace_back();
        unnamedGroupOpen = true;
      }
      const NPAttributeData& attribute = table.fAttributes[position];
      Stats::AttributeData value;
      value.fName = attribute.fName;
      // The engine writes a significance it could only bound from below as ">bound".
      if (!attribute.fValue.empty() && attribute.fValue[0] == '>') {
        value.fValue = String2Double(attribute.fValue.substr(1));
        fIsSigLowerBound = true;
      } else {
        value.fValue = String2Double(attribute.fValue);
      }
      results.back().fAttributes.push_back(std::move(value));
      break;
    }
    case NPStructuredTableData::kETSimpleTable:
      break;
    case NPStructuredTableData::kETStructuredTable: {
      unnamedGroupOpen = false;
      NPStructuredTableData& nested = table.fStructuredTables[position];
      Stats::StatisticsResultData group;
      group.fName = std::move(nested.fName);
      group.fAttributes.reserve(nested.fAttributes.size());
      for (const NPAttributeData& attribute : nested.fAttributes) {
        Stats::AttributeData value;
        value.fName = attribute.fName;
        value.fValue = String2Double(attribute.fValue);
        group.fAttributes.push_back(std::move(value));
      }
      results.push_back(std::move(group));
      break;
    }
    }
  }
  return read;
}

bool NOPRParseOutXML::XMLParser::parseVarNotInCate(SDOMXMLWrapper* elm,
                                                   std::vector<std::string>& values) {
  SDOMXMLIterator* attributeIt = nullptr;
  if (elm == nullptr || !elm->GetElementIterator("Attribute", &attributeIt, true) ||
      attributeIt == nullptr)
    return false;
  SDOMXMLWrapper* attributeElm = nullptr;
  while (attributeIt->Next(&attributeElm)) {
    values.emplace_back();
    if (attributeElm != nullptr)
      attributeElm->GetAttribute("value", values.back());
  }
  return true;
}

bool NOPRParseOutXML::XMLParser::parseHTestSpec(SDOMXMLWrapper* elm,
                                                Stats::BaseHypothesisTest* test) {
  if (elm == nullptr || test == nullptr)
    return false;
  const NOPRAlgorithmTable::Row* row = NOPRAlgorithmTable::Of(test);
  const NOPRAlgorithmTable::SpecTables tables =
      row == nullptr ? NOPRAlgorithmTable::SpecTables::kUnknown : row->fSpecTables;
  if (tables == NOPRAlgorithmTable::SpecTables::kIgnored)
    return true;
  if (tables == NOPRAlgorithmTable::SpecTables::kUnknown) {
    // These tests carry no tables of their own.
    IssueNotParseElement(elm->GetName());
    return true;
  }
  // The record is of the kind its algorithm's row makes; each kind has its reader. A record of
  // no kind below is refused rather than read as the wrong type.
#define NP_READ(Kind, Reader)                                                                      \
  if (auto* record = dynamic_cast<Stats::Kind*>(test))                                             \
    return Reader(elm, record);
  NP_READ(HTOChiSquare, parseOChiSquareSpec)
  NP_READ(HTOBinomial, parseOBinomialSpec)
  NP_READ(HTORuns, parseORunsSpec)
  NP_READ(HTOWilcoxonSignedRanks, parseOWilcoxonSignedRanksSpec)
  NP_READ(HTOEstimateConfidenceInterval, parseOEstimateConfidenceIntervalSpec)
  NP_READ(HTRSign, parseRSignSpec)
  NP_READ(HTRWilcoxonSignedRanks, parseRWilcoxonSignedRanksSpec)
  NP_READ(HTRCochransQ, parseRCochransQSpec)
  NP_READ(HTRMcNemar, parseRMcNemarSpec)
  NP_READ(HTRMarginalHomogeneity, parseRMarginalHomogeneitySpec)
  NP_READ(HTRFriedmansTwoWayByRanks, parseRFriedmansTwoWayByRanksSpec)
  NP_READ(HTRKendallsCoefficient, parseRKendallsCoefficientSpec)
  NP_READ(HTIMoses, parseIMosesSpec)
  NP_READ(HTIMannWhitneyU, parseIMannWhitneyUSpec)
  NP_READ(HTIWaldWolfowitzRuns, parseIWaldWolfowitzRunsSpec)
  NP_READ(HTIKolmogorovSmirnov, parseIKolmogorovSmirnovSpec)
  NP_READ(HTIKruskalWallis, parseIKruskalWallisSpec)
  NP_READ(HTIJonckheereTerpstra, parseIJonckheereTerpstraSpec)
  NP_READ(HTIMedian, parseIMedianSpec)
#undef NP_READ
  return false;
}

namespace {

// The end of every reader of named tables: the name is not one it accepts.
bool unknownTable(const std::string& name, bool hasName) {
  IssueNotParseElement(name);
  return hasName;
}

bool isComparisonTableName(const std::string& name) {
  return name == "PairwiseResult" || name == "StepwiseResult";
}

} // namespace

bool NOPRParseOutXML::XMLParser::parseTwoClassComparisonTable(SDOMXMLWrapper* elm,
                                                              Stats::TSComparisonData& comparison) {
  SDOMXMLWrapper* simpleElm = nullptr;
  if (elm == nullptr || !elm->GetFirstElement("SimpleTable", &simpleElm, true) ||
      simpleElm == nullptr)
    return false;
  NPSimpleTableData simple;
  return NOPRXMLGeneral::GetSimpleTable(simpleElm, simple) &&
         generalToSimpleTable(simple, comparison.fTable);
}

// The chi-square and binomial tests own one table, the two-class comparison.
bool NOPRParseOutXML::XMLParser::parseTwoClassSpec(SDOMXMLWrapper* elm,
                                                   Stats::TSComparisonData& comparison) {
  std::string name;
  const bool hasName = readTableName(elm, name);
  if (name == "TwoClassComparison")
    return parseTwoClassComparisonTable(elm, comparison);
  return unknownTable(name, hasName);
}

bool NOPRParseOutXML::XMLParser::parseOChiSquareSpec(SDOMXMLWrapper* elm,
                                                     Stats::HTOChiSquare* test) {
  return elm != nullptr && test != nullptr && parseTwoClassSpec(elm, test->fComparison);
}

bool NOPRParseOutXML::XMLParser::parseOBinomialSpec(SDOMXMLWrapper* elm, Stats::HTOBinomial* test) {
  return elm != nullptr && test != nullptr && parseTwoClassSpec(elm, test->fComparison);
}

bool NOPRParseOutXML::XMLParser::parseORunsSpec(SDOMXMLWrapper* elm, Stats::HTORuns* test) {
  if (elm == nullptr || test == nullptr)
    return false;
  std::string name;
  const bool hasName = readTableName(elm, name);
  if (name != "RunsParameters")
    return unknownTable(name, hasName);
  SDOMXMLIterator* attributeIt = nullptr;
  if (!elm->GetElementIterator("Attribute", &attributeIt, true) || attributeIt == nullptr)
    return false;
  SDOMXMLWrapper* attributeElm = nullptr;
  while (attributeIt->Next(&attributeElm)) {
    if (attributeElm == nullptr)
      continue;
    std::string attributeName;
    double value = fSysMissing;
    NOPRXMLGeneral::GetAttribute(attributeElm, attributeName, value);
    if (attributeName == "Mean")
      test->fMean = value;
    else if (attributeName == "StdDev")
      test->fStdDev = value;
    else if (attributeName == "ObservedRunNumber")
      test->fObservedRunNumber = NOPRUTILITY::truncateToInt(value, 0);
    else
      IssueNotParseElement(attributeName);
  }
  return true;
}

bool NOPRParseOutXML::XMLParser::convertOnlySimpleTable(const NPStructuredTableData& table,
                                                        Stats::SimpleTableData& target) {
  if (table.fSimpleTables.size() != 1)
    return true;
  return generalToSimpleTable(table.fSimpleTables.front(), target);
}

bool NOPRParseOutXML::XMLParser::parseOWilcoxonSignedRanksSpec(
    SDOMXMLWrapper* elm, Stats::HTOWilcoxonSignedRanks* test) {
  if (elm == nullptr || test == nullptr)
    return false;
  NPStructuredTableData table;
  if (!NOPRXMLGeneral::GetStructuredTable(elm, table))
    return false;
  if (table.fName != "ContinuousDistribution") {
    IssueNotParseElement(table.fName);
    return true;
  }
  Stats::OWilcoxonDistributionData& distribution = test->fDistribution;
  applyNumbersOrWarn(table, {doubleTarget("HypotheticalMedian", distribution.fHypotheticalMedian),
                             doubleTarget("ObservedMedian", distribution.fObservedMedian)});
  return convertOnlySimpleTable(table, distribution.fTable);
}

bool NOPRParseOutXML::XMLParser::parseIntervalBounds(const NPStructuredTableData& table,
                                                     Stats::EstConIntervalData& interval) {
  applyNumbersOrWarn(
      table, {doubleTarget("Lower", interval.fLower), doubleTarget("Upper", interval.fUpper)});
  return true;
}

bool NOPRParseOutXML::XMLParser::parseOEstimateConfidenceIntervalSpec(
    SDOMXMLWrapper* elm, Stats::HTOEstimateConfidenceInterval* test) {
  if (elm == nullptr || test == nullptr)
    return false;
  NPStructuredTableData table;
  if (!NOPRXMLGeneral::GetStructuredTable(elm, table))
    return false;
  if (table.fName != "ClopperPearson" && table.fName != "Jeffreys" &&
      table.fName != "ProfileLikelihood") {
    IssueNotParseElement(table.fName);
    return true;
  }
  Stats::EstConIntervalData interval;
  interval.fMethod.clear();
  interval.fEstimate = fSysMissing;
  interval.fLower = fSysMissing;
  interval.fUpper = fSysMissing;
  for (NPAttributeData& attribute : table.fAttributes) {
    if (attribute.fName == "computeECIMethod")
      interval.fMethod = std::move(attribute.fValue);
    else if (attribute.fName == "Estimate")
      interval.fEstimate = String2Double(attribute.fValue);
    else
      IssueNotParseElement(attribute.fName);
  }
  // The bounds come in exactly one nested table; anything else is not an interval.
  if (table.fStructuredTables.size() != 1)
    return false;
  parseIntervalBounds(table.fStructuredTables.front(), interval);
  test->fIntervals.push_back(std::move(interval));
  return true;
}

bool NOPRParseOutXML::XMLParser::parseRSignSpec(SDOMXMLWrapper* elm, Stats::HTRSign* test) {
  return elm != nullptr && test != nullptr && parseRSignDist(elm, test->fDistribution);
}

bool NOPRParseOutXML::XMLParser::parseRWilcoxonSignedRanksSpec(
    SDOMXMLWrapper* elm, Stats::HTRWilcoxonSignedRanks* test) {
  return elm != nullptr && test != nullptr && parseRSignDist(elm, test->fDistribution);
}

bool NOPRParseOutXML::XMLParser::parseRCochransQSpec(SDOMXMLWrapper* elm,
                                                     Stats::HTRCochransQ* test) {
  if (elm == nullptr || test == nullptr)
    return false;
  std::string name;
  const bool hasName = readTableName(elm, name);
  if (name == "TwoClassComparison")
    return parseTwoClassComparisonTable(elm, test->fComparison);
  if (isComparisonTableName(name))
    return parseComparisonTable(elm, test->fCompareResult);
  return unknownTable(name, hasName);
}

bool NOPRParseOutXML::XMLParser::parseRMcNemarSpec(SDOMXMLWrapper* elm, Stats::HTRMcNemar* test) {
  return elm != nullptr && test != nullptr &&
         parseCategoryFieldsComparison(elm, test->fCategoryComparison);
}

bool NOPRParseOutXML::XMLParser::parseRMarginalHomogeneitySpec(
    SDOMXMLWrapper* elm, Stats::HTRMarginalHomogeneity* test) {
  return elm != nullptr && test != nullptr &&
         parseCategoryFieldsComparison(elm, test->fCategoryComparison);
}

namespace {

// Friedman and Kendall share their tables: one per variable, and a comparison table.
template <class Record, class Parser>
bool parseVariableTests(Parser& parser, SDOMXMLWrapper* elm, Record* test) {
  if (elm == nullptr || test == nullptr)
    return false;
  std::string name;
  const bool hasName = readTableName(elm, name);
  if (isComparisonTableName(name))
    return parser.parseComparisonTable(elm, test->fCompareResult);
  if (nameContains(name, "VariableInformation")) {
    test->fVariableInfos.emplace_back();
    return parser.parseVariableInformationData(elm, test->fVariableInfos.back());
  }
  return unknownTable(name, hasName);
}

// The two-sample independent tests: one table per group.
template <class Record, class Parser>
bool parseGroupTests(Parser& parser, SDOMXMLWrapper* elm, Record* test) {
  if (elm == nullptr || test == nullptr)
    return false;
  std::string name;
  const bool hasName = readTableName(elm, name);
  if (nameContains(name, "Group")) {
    test->fGroups.emplace_back();
    return parser.parseISGroup(elm, test->fGroups.back());
  }
  return unknownTable(name, hasName);
}

// The k-sample independent tests: a box plot and a comparison table.
template <class Record, class Parser>
bool parseBoxPlotTests(Parser& parser, SDOMXMLWrapper* elm, Record* test) {
  if (elm == nullptr || test == nullptr)
    return false;
  std::string name;
  const bool hasName = readTableName(elm, name);
  if (name == "BoxPlotInfo")
    return parser.paseISBoxPlot(elm, test->fBoxPlotInfo);
  if (isComparisonTableName(name))
    return parser.parseComparisonTable(elm, test->fCompareResult);
  return unknownTable(name, hasName);
}

} // namespace

bool NOPRParseOutXML::XMLParser::parseRFriedmansTwoWayByRanksSpec(
    SDOMXMLWrapper* elm, Stats::HTRFriedmansTwoWayByRanks* test) {
  return parseVariableTests(*this, elm, test);
}

bool NOPRParseOutXML::XMLParser::parseRKendallsCoefficientSpec(
    SDOMXMLWrapper* elm, Stats::HTRKendallsCoefficient* test) {
  return parseVariableTests(*this, elm, test);
}

bool NOPRParseOutXML::XMLParser::parseIMosesSpec(SDOMXMLWrapper* elm, Stats::HTIMoses* test) {
  if (elm == nullptr || test == nullptr)
    return false;
  std::string name;
  const bool hasName = readTableName(elm, name);
  if (name == "BoxPlotInfo")
    return paseISBoxPlot(elm, test->fBoxPlotInfo);
  return unknownTable(name, hasName);
}

bool NOPRParseOutXML::XMLParser::parseIMannWhitneyUSpec(SDOMXMLWrapper* elm,
                                                        Stats::HTIMannWhitneyU* test) {
  return parseGroupTests(*this, elm, test);
}

bool NOPRParseOutXML::XMLParser::parseIWaldWolfowitzRunsSpec(SDOMXMLWrapper* elm,
                                                             Stats::HTIWaldWolfowitzRuns* test) {
  return parseGroupTests(*this, elm, test);
}

bool NOPRParseOutXML::XMLParser::parseIKolmogorovSmirnovSpec(SDOMXMLWrapper* elm,
                                                             Stats::HTIKolmogorovSmirnov* test) {
  return parseGroupTests(*this, elm, test);
}

bool NOPRParseOutXML::XMLParser::parseIKruskalWallisSpec(SDOMXMLWrapper* elm,
                                                         Stats::HTIKruskalWallis* test) {
  return parseBoxPlotTests(*this, elm, test);
}

bool NOPRParseOutXML::XMLParser::parseIJonckheereTerpstraSpec(SDOMXMLWrapper* elm,
                                                              Stats::HTIJonckheereTerpstra* test) {
  return parseBoxPlotTests(*this, elm, test);
}

bool NOPRParseOutXML::XMLParser::parseIMedianSpec(SDOMXMLWrapper* elm, Stats::HTIMedian* test) {
  return parseBoxPlotTests(*this, elm, test);
}

bool NOPRParseOutXML::XMLParser::statsToEstConInterval(
    const std::vector<Stats::StatisticsResultData>& results, Stats::EstConIntervalData& interval) {
  if (results.size() != 2 || !results[0].fName.empty() || results[1].fName != "Asymptotic")
    return false;
  const std::vector<Stats::AttributeData>& estimate = results[0].fAttributes;
  if (!estimate.empty() && estimate.front().fName == "Estimate")
    interval.fEstimate = estimate.front().fValue;
  const std::vector<Stats::AttributeData>& bounds = results[1].fAttributes;
  if (bounds.size() == 2) {
    interval.fLower = bounds[0].fValue;
    interval.fUpper = bounds[1].fValue;
  }
  return true;
}
