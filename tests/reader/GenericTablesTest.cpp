// The generic table readers and the token conversions, on small inline tables.
#include "NOPRParseOutXML.h"
#include "NOPRXMLGeneral.h"
#include "ReaderTestSupport.h"

#include "xml/SDOMXMLWrapper.h"

using namespace readertest;
using namespace NOPRXMLGeneral;
using Stats = NOPROutputStats;

namespace {

// Loads `text` and reads its root as a structured table.
bool readTable(const std::string& text, NPStructuredTableData& table) {
  SDOMXMLWrapper root;
  EXPECT_NE(root.LoadFromString(text), 0) << text;
  return GetStructuredTable(&root, table);
}

using Order = std::vector<std::pair<NPStructuredTableData::ENUMElementType, unsigned int>>;

TEST(GenericTablesTest, ElementOrderAcrossTheThreeLists) {
  NPStructuredTableData table;
  ASSERT_TRUE(
      readTable("<StructuredTable name='t'><Attribute name='a' value='1'/>"
                "<SimpleTable name='s'><RowNames>r</RowNames><ColumnNames>c</ColumnNames>"
                "</SimpleTable><Other/><Attribute name='b'/>"
                "<StructuredTable name='n'><Attribute name='c' value='3'/></StructuredTable>"
                "</StructuredTable>",
                table));
  EXPECT_EQ(table.fName, "t");
  EXPECT_EQ(table.fElementOrder, (Order{{NPStructuredTableData::kETAttribute, 0},
                                        {NPStructuredTableData::kETSimpleTable, 0},
                                        {NPStructuredTableData::kETAttribute, 1},
                                        {NPStructuredTableData::kETStructuredTable, 0}}))
      << "the <Other> element is skipped";
  ASSERT_EQ(table.fAttributes.size(), 2u);
  EXPECT_EQ(table.fAttributes[1].fName, "b");
  EXPECT_EQ(table.fAttributes[1].fValue, "") << "an attribute without value is kept";
  EXPECT_EQ(table.fSimpleTables[0].fNames[0], "r");
  EXPECT_TRUE(table.fSimpleTables[0].fRows.empty());
  EXPECT_EQ(table.fStructuredTables[0].fAttributes[0].fValue, "3");
}

TEST(GenericTablesTest, WhatReadsWhole) {
  const struct {
    const char* fText;
    bool fRead;
    const char* fDesc;
  } cases[] = {
      {"<StructuredTable name=''/>", true, "an empty name is a name"},
      {"<StructuredTable/>", false, "no name"},
      {"<StructuredTable name='t'><Attribute value='1'/></StructuredTable>", false,
       "attribute without name"},
      {"<StructuredTable name='t'><SimpleTable><RowNames/><ColumnNames/></SimpleTable>"
       "</StructuredTable>",
       false, "simple table without name"},
      {"<StructuredTable name='t'><SimpleTable name='s'><ColumnNames/></SimpleTable>"
       "</StructuredTable>",
       false, "simple table without RowNames"},
      {"<StructuredTable name='t'><StructuredTable><Attribute name='a'/></StructuredTable>"
       "</StructuredTable>",
       false, "nested table without name"},
  };
  for (const auto& c : cases) {
    NPStructuredTableData table;
    EXPECT_EQ(readTable(c.fText, table), c.fRead) << c.fDesc;
  }
}

TEST(GenericTablesTest, FailedChildStaysInItsListAndStopsTheWalk) {
  NPStructuredTableData table;
  ASSERT_FALSE(readTable("<StructuredTable name='t'><Attribute name='a'/><Attribute value='x'/>"
                         "<Attribute name='late'/></StructuredTable>",
                         table));
  ASSERT_EQ(table.fAttributes.size(), 2u);
  EXPECT_EQ(table.fAttributes[1].fValue, "x");
  EXPECT_EQ(table.fElementOrder.size(), 2u);
}

TEST(GenericTablesTest, TokenConversions) {
  Stats stats;
  const std::string noText;
  NOPRParseOutXML::XMLParser parser(nullptr, &stats, noText);
  const double missing = NOPRUTILITY::getSysMissing();
  const struct {
    const char* fText;
    std::vector<double> fExpected;
    const char* fDesc;
  } cases[] = {
      {"1 __MISSING__ 3", {1, missing, 3}, "missing token in the middle"},
      {"1,2\t3\n4", {1, 2, 3, 4}, "every separator"},
      {"nan 0x10 1e999 -0", {missing, missing, missing, -0.0}, "no numbers but -0"},
      {"__missing__", {missing}, "token compared exactly, then not a number"},
  };
  for (const auto& c : cases) {
    std::vector<double> values;
    EXPECT_TRUE(parser.textToNumericArray(c.fText, values));
    EXPECT_EQ(values, c.fExpected) << c.fDesc;
  }
  std::vector<double> kept{7};
  parser.textToNumericArray("  ", kept);
  EXPECT_EQ(kept, (std::vector<double>{7})) << "no token leaves the output untouched";

  std::vector<int> integers{9};
  parser.textToIntegerArray("", integers);
  EXPECT_EQ(integers, (std::vector<int>{9}));
  parser.textToIntegerArray("3 -2 1.5 99999999999", integers);
  EXPECT_EQ(integers, (std::vector<int>{3, -2, 0, 0})) << "no integer and out of range give 0";

  std::vector<std::string> strings{"old"};
  parser.textToStringArray("", strings);
  EXPECT_TRUE(strings.empty()) << "the string form always clears";
}

} // namespace
