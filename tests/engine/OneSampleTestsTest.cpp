// The one-sample tests against R: every figure of tests/engine/reference/onesample.tsv (made by
// scripts/check-engine-onesample.R --reference) on its data set, and the records' behaviour the
// figures do not show.
#include "DataTable.h"
#include "EngineRun.h"

#include <map>

namespace {

using enginetest::Read;
using enginetest::RunEngine;

std::vector<std::string> Split(const std::string& line, char separator) {
  std::vector<std::string> parts;
  std::stringstream stream(line);
  std::string part;
  while (std::getline(stream, part, separator))
    parts.push_back(part);
  return parts;
}

// The text of the `occurrence`-th record `algorithm` (or field record "FieldInfo") of a document
// (empty when absent).
std::string Record(const std::string& document, const std::string& algorithm, int occurrence) {
  const std::string start =
      algorithm == "FieldInfo" ? "<FieldInfo " : "<Algorithm name=\"" + algorithm + "\"";
  std::size_t at = document.find(start);
  for (int i = 0; i < occurrence && at != std::string::npos; ++i)
    at = document.find(start, at + 1);
  if (at == std::string::npos)
    return "";
  return document.substr(
      at, document.find(algorithm == "FieldInfo" ? "</FieldInfo>" : "</Algorithm>", at) - at);
}

// Entry `index` of the simple table's row `row` ("Row0:3"), or the number of its columns
// ("Columns").
double TableValue(const std::string& record, const std::string& name) {
  if (name == "Columns") {
    const std::size_t at = record.find("<ColumnNames>") + 13;
    return static_cast<double>(Split(record.substr(at, record.find('<', at) - at), ' ').size());
  }
  const std::size_t colon = name.find(':');
  std::size_t at = record.find("<Row>");
  for (int i = std::stoi(name.substr(3, colon - 3)); i > 0 && at != std::string::npos; --i)
    at = record.find("<Row>", at + 1);
  if (at == std::string::npos)
    return std::nan("");
  const auto numbers = Split(record.substr(at + 5, record.find('<', at + 5) - at - 5), ' ');
  const std::size_t index = std::stoul(name.substr(colon + 1));
  return index < numbers.size() ? std::strtod(numbers[index].c_str(), nullptr) : std::nan("");
}

// The value of the first attribute `name` in a record, or in its table `table/name`; NaN when
// absent or missing.
double Value(const std::string& record, const std::string& name) {
  if (name == "Columns" || name.rfind("Row", 0) == 0)
    return TableValue(record, name);
  const std::size_t slash = name.find('/');
  const std::size_t from =
      slash == std::string::npos ? 0 : record.find("name=\"" + name.substr(0, slash) + "\"");
  if (from == std::string::npos)
    return std::nan("");
  std::string text =
      enginetest::Attribute(record, name.substr(slash == std::string::npos ? 0 : slash + 1), from);
  if (text == "none")
    return std::nan("");
  if (text.rfind("&gt;", 0) == 0) // a lower bound
    text = text.substr(4);
  return text == "__MISSING__" ? std::nan("") : std::strtod(text.c_str(), nullptr);
}

// Each data set's row ("data", id, seed, CSV with '|' for line breaks, dictionary, command) is
// followed by its figures ("figure", id, algorithm, occurrence, attribute, R's value, tolerance):
// a positive tolerance is relative (above 1e-15), 0 asks for a missing value, a negative one asks
// R's value to lie within the record's Monte Carlo interval widened by |tolerance|.
TEST(OneSampleTests, EveryFigureAsRComputesIt) {
  std::map<std::string, std::string> documents;
  int figures = 0;
  for (const DataRow& row : ReadDataTable("tests/engine/reference/onesample.tsv", 6)) {
    const std::vector<std::string>& cells = row.fields;
    const std::string& line = row.where;
    if (cells[0] == "data") {
      std::string csv = cells[3];
      for (char& c : csv)
        c = c == '|' ? '\n' : c;
      engine::EngineSettings settings;
      settings.fSeed = std::stoul(cells[2]);
      const auto produced = RunEngine(csv, cells[5], cells[4], settings);
      ASSERT_EQ(produced.size(), 1u) << cells[1];
      const auto back = Read(produced[0].fText);
      EXPECT_TRUE(back->fOk && back->fWarnings.empty()) << cells[1] << ": " << back->fError;
      documents[cells[1]] = produced[0].fText;
      continue;
    }
    ASSERT_EQ(cells.size(), 7u) << line;
    const std::string record = Record(documents[cells[1]], cells[2], std::stoi(cells[3]));
    ASSERT_FALSE(record.empty()) << line;
    const double engine = Value(record, cells[4]), r = std::strtod(cells[5].c_str(), nullptr);
    const double tolerance = std::strtod(cells[6].c_str(), nullptr);
    ++figures;
    if (tolerance == 0)
      EXPECT_TRUE(std::isnan(engine)) << line << " engine " << engine;
    else if (tolerance < 0)
      EXPECT_TRUE(Value(record, "ConfidenceIntervalLowerBound") + tolerance <= r &&
                  r <= Value(record, "ConfidenceIntervalUpperBound") - tolerance)
          << line << "\n"
          << record;
    else
      EXPECT_NEAR(engine, r, tolerance * std::fabs(r) + 1e-15) << line;
  }
  EXPECT_GT(figures, 1000);
}

TEST(OneSampleTests, FieldsOfTheWrongLevelAreSkippedAndZeroDifferencesAreNamed) {
  const std::string csv = "x,c\n1,a\n2,b\n2,a\n5,a\n7,b\n";
  const auto documents = RunEngine(
      csv, "NPTESTS /ONESAMPLE TEST(x c) CHISQUARE WILCOXON(TESTVALUE=2) KOLMOGOROV_SMIRNOV.");
  ASSERT_EQ(documents.size(), 1u);
  const std::string& text = documents[0].fText;
  // Chi-square takes only c; Wilcoxon and K-S only x.
  EXPECT_EQ(Value(Record(text, "OChiSquare", 0), "%0"), 1);
  EXPECT_TRUE(Record(text, "OChiSquare", 1).empty());
  EXPECT_TRUE(Record(text, "OWilcoxonSignedRanks", 1).empty());
  const std::string wilcoxon = Record(text, "OWilcoxonSignedRanks", 0);
  EXPECT_EQ(Value(wilcoxon, "code"), 222301);
  EXPECT_EQ(Value(wilcoxon, "%0"), 0); // the condition's field comes first
  EXPECT_NE(wilcoxon.find(R"(name="%0" value="2")", wilcoxon.find("Message1")), std::string::npos);
  EXPECT_EQ(Value(wilcoxon, "TotalN"), 5);
  EXPECT_TRUE(Read(text)->fWarnings.empty());
}

TEST(OneSampleTests, UncomputableTestsAreWrittenWithoutADecision) {
  const std::string csv = "x,c\n3,a\n3,a\n3,a\n";
  const auto documents = RunEngine(
      csv, "NPTESTS /ONESAMPLE TEST(x c) CHISQUARE RUNS KOLMOGOROV_SMIRNOV(UNIFORM=SAMPLE).");
  ASSERT_EQ(documents.size(), 1u);
  const std::string& text = documents[0].fText;
  for (const char* name : {"OChiSquare", "ORuns", "OKolmogorovSmirnov", "OLilliefors"}) {
    const std::string record = Record(text, name, 0);
    ASSERT_FALSE(record.empty()) << name;
    EXPECT_EQ(record.find("decision="), std::string::npos) << record;
  }
  const auto back = Read(text);
  EXPECT_TRUE(back->fOk && back->fWarnings.empty()) << back->fError;
}

} // namespace
