// The generic table readers: every child is read in place in its list, so a table of n elements
// costs O(n) whatever its depth or width.
#include "NOPRXMLGeneral.h"

#include "NOPRUTILITY.h"

#include "proc/CFAssert.h"
#include "xml/SDOMXMLIterator.h"
#include "xml/SDOMXMLWrapper.h"

namespace {

constexpr char kSource[] = "backend/nonpar/NOPRXMLGeneral";

using NOPRXMLGeneral::NPStructuredTableData;

// The first child of that tag name, its text body into `text`; false when either is missing.
bool readChildText(SDOMXMLWrapper* parent, const std::string& tag, std::string& text) {
  SDOMXMLWrapper* child = nullptr;
  if (!parent->GetFirstElement(tag, &child, true) || child == nullptr)
    return false;
  return child->GetTextBody(text);
}

bool readStructuredTable(SDOMXMLWrapper* structTableElm, NPStructuredTableData& table, int depth);

// Reads one child into a new entry at the end of its list and records it in the element order.
bool readChild(SDOMXMLWrapper* child, NPStructuredTableData& table, int depth) {
  const std::string tag = child->GetName();
  if (tag == "Attribute") {
    table.fElementOrder.emplace_back(NPStructuredTableData::kETAttribute,
                                     static_cast<unsigned int>(table.fAttributes.size()));
    table.fAttributes.emplace_back();
    return NOPRXMLGeneral::GetAttribute(child, table.fAttributes.back());
  }
  if (tag == "SimpleTable") {
    table.fElementOrder.emplace_back(NPStructuredTableData::kETSimpleTable,
                                     static_cast<unsigned int>(table.fSimpleTables.size()));
    table.fSimpleTables.emplace_back();
    return NOPRXMLGeneral::GetSimpleTable(child, table.fSimpleTables.back());
  }
  if (tag == "StructuredTable") {
    table.fElementOrder.emplace_back(NPStructuredTableData::kETStructuredTable,
                                     static_cast<unsigned int>(table.fStructuredTables.size()));
    table.fStructuredTables.emplace_back();
    return readStructuredTable(child, table.fStructuredTables.back(), depth + 1);
  }
  return true;
}

bool readStructuredTable(SDOMXMLWrapper* structTableElm, NPStructuredTableData& table, int depth) {
  if (depth > NOPRXMLGeneral::kMaxTableDepth)
    return false;
  if (!structTableElm->GetAttribute("name", table.fName))
    return false;
  SDOMXMLIterator* children = nullptr;
  if (!structTableElm->GetElementIterator("", &children, true) || children == nullptr)
    return true;
  table.fAttributes.clear();
  table.fSimpleTables.clear();
  table.fStructuredTables.clear();
  table.fElementOrder.clear();
  SDOMXMLWrapper* child = nullptr;
  while (children->Next(&child)) {
    if (child != nullptr && !readChild(child, table, depth))
      return false;
  }
  return true;
}

} // namespace

namespace NOPRXMLGeneral {

bool GetAttribute(SDOMXMLWrapper* attributeElm, std::string& name, std::string& value) {
  CF_ASSERT(attributeElm, "GetAttribute", kSource);
  const bool hasName = attributeElm->GetAttribute("name", name);
  attributeElm->GetAttribute("value", value);
  return hasName;
}

bool GetAttribute(SDOMXMLWrapper* attributeElm, std::string& name, double& value) {
  const bool hasName = attributeElm->GetAttribute("name", name);
  if (!attributeElm->GetAttribute("value", value))
    value = NOPRUTILITY::getSysMissing();
  return hasName;
}

bool GetAttribute(SDOMXMLWrapper* attributeElm, NPAttributeData& attribute) {
  return GetAttribute(attributeElm, attribute.fName, attribute.fValue);
}

bool GetSimpleTable(SDOMXMLWrapper* simpleTableElm, NPSimpleTableData& table) {
  CF_ASSERT(simpleTableElm, "GetSimpleTable", kSource);
  if (!simpleTableElm->GetAttribute("name", table.fName))
    return false;
  if (!readChildText(simpleTableElm, "RowNames", table.fNames[0]))
    return false;
  if (!readChildText(simpleTableElm, "ColumnNames", table.fNames[1]))
    return false;
  SDOMXMLIterator* rows = nullptr;
  if (!simpleTableElm->GetElementIterator("Row", &rows, true) || rows == nullptr)
    return true;
  table.fRows.clear();
  SDOMXMLWrapper* row = nullptr;
  while (rows->Next(&row)) {
    table.fRows.emplace_back();
    if (row == nullptr || !row->GetTextBody(table.fRows.back()))
      return false;
  }
  return true;
}

bool GetStructuredTable(SDOMXMLWrapper* structTableElm, NPStructuredTableData& table) {
  CF_ASSERT(structTableElm, "GetStructuredTable", kSource);
  return readStructuredTable(structTableElm, table, 0);
}

} // namespace NOPRXMLGeneral
