// Member definitions of NOPRParseOutXML::XMLParser, continued: the descriptive tables (field
// distributions, difference counts, category crosstabs, variables, groups, box plots and the
// pairwise or stepwise comparison tables).
#include "IssueNotParseElement.h"
#include "NOPRParseOutXML.h"
#include "NOPRParseOutXMLSupport.h"
#include "NOPRUTILITY.h"

#include "text/TextFunctions.h"
#include "xml/SDOMXMLIterator.h"
#include "xml/SDOMXMLWrapper.h"

#include <utility>

using Stats = NOPROutputStats;
using NOPRXMLGeneral::NPAttributeData;
using NOPRXMLGeneral::NPSimpleTableData;
using NOPRXMLGeneral::NPStructuredTableData;
using namespace NOPRParseOutXMLSupport;

bool NOPRParseOutXML::XMLParser::parseFieldDistribution(SDOMXMLWrapper* fieldInfoElm) {
  if (fieldInfoElm == nullptr)
    return false;
  int varIndex = -1;
  fieldInfoElm->GetAttribute("varIndex", varIndex);
  // The engine also describes the dictionary's last field, which has no record (see
  // parseDataDictionary); such a field, or an index naming no field at all, is skipped.
  Stats::FieldDistributionData* field =
      varIndex < 0 ? nullptr
                   : fOutputStats->GetFieldDistributionData(static_cast<std::size_t>(varIndex));
  if (field == nullptr)
    return true;

  SDOMXMLWrapper* tableElm = nullptr;
  if (!fieldInfoElm->GetFirstElement("StructuredTable", &tableElm, true) || tableElm == nullptr)
    return false;
  NPStructuredTableData table;
  if (!NOPRXMLGeneral::GetStructuredTable(tableElm, table))
    return false;
  field->fIsCategorical = table.fName == "CategoricalDistribution" ? 1 : 0;
  for (const NPAttributeData& attribute : table.fAttributes) {
    // The field information carries more numbers than the charts use; those are not an error.
    applyNumber(attribute, {intTarget("TotalN", field->fTotalN), doubleTarget("Min", field->fMin),
                            doubleTarget("Max", field->fMax), doubleTarget("Mean", field->fMean),
                            doubleTarget("StdDev", field->fStdDev)});
  }
  const bool result = convertOnlySimpleTable(table, field->fTable);
  if (result)
    field->fIsValid = true;
  return result;
}

bool NOPRParseOutXML::XMLParser::parseRSignDist(SDOMXMLWrapper* elm,
                                                Stats::RSignDistributionData& distribution) {
  if (elm == nullptr)
    return false;
  NPStructuredTableData table;
  if (!NOPRXMLGeneral::GetStructuredTable(elm, table))
    return false;
  if (table.fName != "ContinuousDistribution") {
    IssueNotParseElement(table.fName);
    return true;
  }
  applyNumbersOrWarn(table, {intTarget("NegativeDifferences", distribution.fNegativeDifferences),
                             intTarget("Ties", distribution.fTies),
                             intTarget("PositiveDifferences", distribution.fPositiveDifferences)});
  return convertOnlySimpleTable(table, distribution.fTable);
}

bool NOPRParseOutXML::XMLParser::parseCategoryFieldsComparison(
    SDOMXMLWrapper* elm, Stats::CategoryFieldsComparisonData& comparison) {
  if (elm == nullptr)
    return false;
  NPStructuredTableData table;
  if (!NOPRXMLGeneral::GetStructuredTable(elm, table))
    return false;
  if (table.fName != "CategoryFieldsComparison") {
    IssueNotParseElement(table.fName);
    return true;
  }
  Stats::CategoryFieldData& row = comparison.fFields[0];
  Stats::CategoryFieldData& column = comparison.fFields[1];
  struct ListTarget {
    const char* fName;
    std::vector<double>& fList;
  };
  const ListTarget lists[] = {
      {"RowSuccessList", row.fCategoryLists[0]},
      {"RowFailList", row.fCategoryLists[1]},
      {"ColumnSuccessList", column.fCategoryLists[0]},
      {"ColumnFailList", column.fCategoryLists[1]},
  };
  for (const NPAttributeData& attribute : table.fAttributes) {
    // "RowNames" and "ColumnNames" carry the fields' indexes, not their names.
    if (applyNumber(attribute, {intTarget("RowNames", row.fFieldIndex),
                                intTarget("ColumnNames", column.fFieldIndex)}))
      continue;
    bool known = false;
    for (const ListTarget& list : lists) {
      if (attribute.fName == list.fName) {
        textToNumericArray(attribute.fValue, list.fList);
        known = true;
        break;
      }
    }
    if (!known)
      IssueNotParseElement(attribute.fName);
  }
  const bool result = convertOnlySimpleTable(table, comparison.fTable);

  for (NPStructuredTableData& nested : table.fStructuredTables) {
    std::vector<std::string>* target = nullptr;
    if (nested.fName == "RowValsNotInTheCategoreis")
      target = &row.fValsNotInCategories;
    else if (nested.fName == "ColValsNotInTheCategoreis")
      target = &column.fValsNotInCategories;
    else
      continue;
    std::vector<std::string> values;
    values.reserve(nested.fAttributes.size());
    for (NPAttributeData& attribute : nested.fAttributes)
      values.push_back(std::move(attribute.fValue));
    *target = std::move(values);
  }
  return result;
}

bool NOPRParseOutXML::XMLParser::parseVariableInformationData(
    SDOMXMLWrapper* elm, Stats::VariableInformationData& info) {
  if (elm == nullptr)
    return false;
  NPStructuredTableData table;
  if (!NOPRXMLGeneral::GetStructuredTable(elm, table))
    return false;
  applyNumbersOrWarn(table, {intTarget("GroupIndex", info.fGroupIndex),
                             doubleTarget("MeanOfRank", info.fMeanOfRank)});
  return convertOnlySimpleTable(table, info.fTable);
}

bool NOPRParseOutXML::XMLParser::parseISGroup(SDOMXMLWrapper* elm, Stats::IS_Group& group) {
  if (elm == nullptr)
    return false;
  NPStructuredTableData table;
  if (!NOPRXMLGeneral::GetStructuredTable(elm, table))
    return false;
  applyNumbersOrWarn(table, {intTarget("GroupIndex", group.fGroupIndex), intTarget("N", group.fN),
                             doubleTarget("MeanOfRank", group.fMeanOfRank)});
  return convertOnlySimpleTable(table, group.fTable);
}

void NOPRParseOutXML::XMLParser::applyBoxPlotGroup(const NPStructuredTableData& table,
                                                   Stats::IS_BoxPlot_Group& group) {
  applyNumbersOrWarn(table, {intTarget("GroupIndex", group.fGroupIndex), intTarget("N", group.fN),
                             doubleTarget("MeanOfRank", group.fMeanOfRank),
                             doubleTarget("GTMedian", group.fGTMedian),
                             doubleTarget("STMedian", group.fSTMedian)});
  for (const NPSimpleTableData& simple : table.fSimpleTables) {
    // A group whose box or outliers do not convert still shows its numbers.
    if (simple.fName == "Box")
      generalToSimpleTable(simple, group.fBox);
    else if (simple.fName == "Outliers")
      generalToSimpleTable(simple, group.fOutliers);
  }
}

bool NOPRParseOutXML::XMLParser::paseISBoxPlot(SDOMXMLWrapper* elm,
                                               Stats::IS_BoxPlotInfo& boxPlot) {
  if (elm == nullptr)
    return false;
  NPStructuredTableData table;
  if (!NOPRXMLGeneral::GetStructuredTable(elm, table))
    return false;
  applyNumbersOrWarn(table, {intTarget("GroupFieldIndex", boxPlot.fGroupFieldIndex),
                             intTarget("GroupCount", boxPlot.fGroupCount),
                             doubleTarget("GrandMedian", boxPlot.fGrandMedian)});
  // Groups keep the position of their nested table, so a table that is no group leaves a gap
  // with initial values; the charts match groups to categories by that position.
  for (std::size_t k = 0; k < table.fStructuredTables.size(); ++k) {
    const NPStructuredTableData& nested = table.fStructuredTables[k];
    if (!nameContains(nested.fName, "Group"))
      continue;
    boxPlot.fGroups.resize(k + 1);
    applyBoxPlotGroup(nested, boxPlot.fGroups[k]);
  }
  return true;
}

bool NOPRParseOutXML::XMLParser::parseComparisonTable(SDOMXMLWrapper* elm,
                                                      Stats::CompareResultTableData& compare) {
  if (elm == nullptr)
    return false;
  bool result = false;
  SDOMXMLIterator* simpleIt = nullptr;
  if (elm->GetElementIterator("SimpleTable", &simpleIt, true) && simpleIt != nullptr) {
    result = true;
    SDOMXMLWrapper* simpleElm = nullptr;
    while (result && simpleIt->Next(&simpleElm)) {
      NPSimpleTableData simple;
      result = simpleElm != nullptr && NOPRXMLGeneral::GetSimpleTable(simpleElm, simple);
      if (!result)
        break;
      if (simple.fName == "PairwiseInfo") {
        compare.fComparisonType = Stats::CompareResultTableData::kCTPairwise;
        result = generalToSimpleTable(simple, compare.fTables[0]);
      } else if (simple.fName == "StepwiseInfo") {
        compare.fComparisonType = Stats::CompareResultTableData::kCTStepwise;
        result = generalToSimpleTable(simple, compare.fTables[0]);
      } else if (simple.fName == "Content") {
        result = generalToSimpleTable(simple, compare.fTables[1]);
      }
    }
  }

  // Only the first attribute may name the field; a later "fieldIndex" is not the engine's.
  SDOMXMLWrapper* attributeElm = nullptr;
  if (elm->GetFirstElement("Attribute", &attributeElm, true) && attributeElm != nullptr) {
    std::string name;
    double value = fSysMissing;
    if (NOPRXMLGeneral::GetAttribute(attributeElm, name, value) && name == "fieldIndex")
      compare.fFieldIndex = NOPRUTILITY::truncateToInt(value, compare.fFieldIndex);
  }
  return result;
}
