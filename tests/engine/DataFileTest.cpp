// Data files into the engine: the record grammar and the typing of cells, and the one line that
// each hostile file gets (tests/engine/data/hostile.tsv).
#include "DataTable.h"
#include "engine/CsvReader.h"
#include "engine/DataDictionaryBuilder.h"
#include "engine/DataSet.h"
#include "engine/Engine.h"

#include "dict/ProcedureDataSource.h"
#include "dict/VORN_Variable.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

using engine::CsvReader;
using engine::DataSet;

TEST(DataFile, EachHostileFileGetsOneLineNamingItsPlace) {
  const std::vector<DataRow> rows = ReadDataTable("tests/engine/data/hostile.tsv", 4);
  for (const DataRow& row : rows) {
    const std::vector<std::string>& fields = row.fields;
    std::string error;
    try {
      DataSet data = CsvReader::ReadText(Unescaped(fields[1]), "fuzz.csv", ',');
      engine::DataDictionaryBuilder::Build(data, "fuzz.csv", fields[2], "fuzz.json");
    } catch (const engine::EngineError& e) {
      error = e.what();
    }
    EXPECT_NE(error.find(fields[3]), std::string::npos) << row.where << ": got \"" << error << "\"";
    EXPECT_EQ(error.find('\n'), std::string::npos) << row.where;
  }
  EXPECT_GE(rows.size(), 15u);
}

TEST(DataFile, QuotesLineBreaksByteOrderMarkDatesAndNA) {
  // A byte order mark, CRLF, quoted delimiters, doubled quotes and a line break inside quotes;
  // NA is missing among numbers and dates but a text among texts; a last line without its break.
  const std::string csv = "\xEF\xBB\xBF"
                          "n,t,d,mixed,blank\r\n"
                          "\" 1.5 \",\"a, \"\"b\"\"\",1970-01-01,1970-01-01,\r\n"
                          "NA,\"two\nlines\",1970-01-02T00:00:30,3,\r\n"
                          "+2e3,NA,NA,x,";
  const DataSet data = CsvReader::ReadText(csv, "grammar.csv", ',');
  ASSERT_EQ(data.RowCount(), 3u);
  ASSERT_EQ(data.ColumnCount(), 5u);
  const engine::DataColumn& n = data.Column(0);
  EXPECT_EQ(n.Name(), "n");
  ASSERT_FALSE(n.IsText());
  EXPECT_EQ(n.Number(0), 1.5);
  EXPECT_TRUE(std::isnan(n.Number(1)));
  EXPECT_EQ(n.Number(2), 2000.0);
  const engine::DataColumn& t = data.Column(1);
  ASSERT_TRUE(t.IsText());
  EXPECT_EQ(t.Text(t.Code(0)), "a, \"b\"");
  EXPECT_EQ(t.Text(t.Code(1)), "two\nlines");
  EXPECT_EQ(t.Text(t.Code(2)), "NA");
  // Seconds from 14 October 1582: 1 January 1970 is 12 219 379 200.
  const engine::DataColumn& d = data.Column(2);
  ASSERT_TRUE(d.IsDate());
  EXPECT_EQ(d.Number(0), 12219379200.0);
  EXPECT_EQ(d.Number(1), 12219379200.0 + 86430);
  EXPECT_TRUE(std::isnan(d.Number(2)));
  EXPECT_TRUE(data.Column(3).IsText()) << "dates and numbers mixed are texts";
  EXPECT_FALSE(data.Column(4).IsText()) << "a column of empty cells is numeric";

  const DataSet tabs =
      CsvReader::ReadText("a\tb\n1\tx,y\n", "t.tsv", CsvReader::DelimiterFor("t.tsv"));
  EXPECT_EQ(tabs.Column(1).Text(tabs.Column(1).Code(0)), "x,y");
  EXPECT_EQ(CsvReader::DelimiterFor("dir.tsv/data.csv"), ',');
}

TEST(DataFile, DictionaryDescribesItsColumnsAndDefaultsTheOthers) {
  DataSet data =
      CsvReader::ReadText("code,feed,when,x\n1,a,2000-01-01,2.5\n2,b,,3\n", "d.csv", ',');
  const auto dictionary = engine::DataDictionaryBuilder::Build(
      data, "d.csv",
      R"({"variables": [{"name": "x", "label": "The x", "measure": "ordinal"},
                        {"name": "code", "type": "string", "width": 1}]})",
      "d.json");
  ASSERT_EQ(dictionary->GetVariableCount(), 4);
  const VORN_Variable& code = *dictionary->GetVariable(0);
  EXPECT_TRUE(code.IsString()) << "the dictionary makes a column of codes a string";
  EXPECT_EQ(code.GetMeasure(), VORN_Variable::kMeasureNominal);
  EXPECT_TRUE(data.Column(0).IsText());
  EXPECT_EQ(dictionary->GetVariable(1)->GetMeasure(), VORN_Variable::kMeasureNominal);
  EXPECT_EQ(dictionary->GetVariable(2)->GetFormat().ToText(), "DATE11");
  EXPECT_EQ(dictionary->GetVariable(3)->GetLabel(), "The x");
  EXPECT_EQ(dictionary->GetVariable(3)->GetMeasure(), VORN_Variable::kMeasureOrdinal);
}

} // namespace
