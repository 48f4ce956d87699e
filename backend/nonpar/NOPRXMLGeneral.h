// Reads the self-describing table form of result documents (named attributes, named grids and
// nested tables) into plain records, without knowing what any name means.
#pragma once

#include <array>
#include <string>
#include <utility>
#include <vector>

class SDOMXMLWrapper;

namespace NOPRXMLGeneral {

// An "Attribute" element: its "name" and "value" texts.
struct NPAttributeData {
  std::string fName;
  std::string fValue;
};

// A "SimpleTable" element with its name lists and row texts kept unsplit, so that a reader pays
// for tokenising only the tables it uses.
struct NPSimpleTableData {
  std::string fName;
  // [0] the "RowNames" text, [1] the "ColumnNames" text.
  std::array<std::string, 2> fNames;
  // The text of each "Row", in document order.
  std::vector<std::string> fRows;
};

// A "StructuredTable" element: its three kinds of children in separate lists, and their document
// order across the lists in fElementOrder.
struct NPStructuredTableData {
  enum ENUMElementType {
    kETAttribute = 0,
    kETSimpleTable = 1,
    kETStructuredTable = 2,
  };

  std::string fName;
  std::vector<NPAttributeData> fAttributes;
  std::vector<NPSimpleTableData> fSimpleTables;
  std::vector<NPStructuredTableData> fStructuredTables;
  // One (kind, position in that kind's list) per child, in document order.
  std::vector<std::pair<ENUMElementType, unsigned int>> fElementOrder;
};

// Nested tables deeper than this fail the read rather than recurse without bound. The XML
// wrapper refuses deeper documents anyway; this keeps the walk safe on its own.
constexpr int kMaxTableDepth = 256;

// The element's "name" into `name` and "value" into `value`, each left as it was when absent.
// Returns whether "name" was present. `attributeElm` must not be null (asserted; throws
// CFAssertionError).
bool GetAttribute(SDOMXMLWrapper* attributeElm, std::string& name, std::string& value);

// "name" as text into `name` (left as it was when absent) and "value" as a number into `value`:
// the system-missing value when "value" is absent or not a number. Returns whether "name" was
// present.
bool GetAttribute(SDOMXMLWrapper* attributeElm, std::string& name, double& value);

// The string form into the record's fName and fValue.
bool GetAttribute(SDOMXMLWrapper* attributeElm, NPAttributeData& attribute);

// Reads a "SimpleTable": true when it has a "name", a "RowNames" and a "ColumnNames" child, and
// every "Row" text could be read. A table without rows is complete. `simpleTableElm` must not be
// null (asserted).
bool GetSimpleTable(SDOMXMLWrapper* simpleTableElm, NPSimpleTableData& table);

// Reads a "StructuredTable" and everything below it. Children with other tag names are skipped.
// Stops at the first child that fails to read (it stays in its list and in fElementOrder) and
// returns false; also false when the table has no "name" or nests deeper than kMaxTableDepth.
// `structTableElm` must not be null (asserted).
bool GetStructuredTable(SDOMXMLWrapper* structTableElm, NPStructuredTableData& table);

} // namespace NOPRXMLGeneral
