// The related-samples tests against R: every figure of tests/engine/reference/related.tsv (made by
// scripts/check-engine-related.R --reference) on the data sets of related-data.tsv, one engine run
// per family with the data split by set; and the records read back by the plug-in's reader.
#include "DataTable.h"
#include "EngineRun.h"

#include <map>

namespace {

using enginetest::Read;
using enginetest::RunEngine;

std::string CommandOf(const std::string& family) {
  if (family == "pairs")
    return "NPTESTS /RELATED TEST(v1 v2) SIGN WILCOXON HODGES_LEHMANN.";
  if (family == "categories")
    return "NPTESTS /RELATED TEST(v1 v2) MCNEMAR(SUCCESS=LIST(1)) MARGINAL_HOMOGENEITY.";
  const bool ranks = family.rfind("ranks", 0) == 0;
  const int k = std::stoi(family.substr(ranks ? 5 : 7));
  std::string fields;
  for (int j = 1; j <= k; ++j)
    fields += (j > 1 ? " v" : "v") + std::to_string(j);
  if (ranks)
    return "NPTESTS /RELATED TEST(" + fields +
           ") FRIEDMAN(COMPARE=PAIRWISE) KENDALL(COMPARE=STEPWISE).";
  return "NPTESTS /RELATED TEST(" + fields +
         ") COCHRAN(SUCCESS=LIST(1) COMPARE=" + (k % 2 ? "PAIRWISE" : "STEPWISE") + ").";
}

std::string MeasureOf(const std::string& family) {
  if (family == "pairs" || family.rfind("ranks", 0) == 0)
    return "scale";
  return family == "categories" ? "ordinal" : "nominal";
}

// The figure's text in the algorithm's record: an attribute, or "Content:row:column".
std::string FigureOf(const std::string& document, const std::string& algorithm,
                     const std::string& figure) {
  const std::size_t start = document.find("<Algorithm name=\"" + algorithm + "\"");
  if (start == std::string::npos)
    return "";
  const std::string block = document.substr(start, document.find("</Algorithm>", start) - start);
  if (figure.rfind("Content:", 0) == 0) {
    const std::size_t colon = figure.find(':', 8);
    const int row = std::stoi(figure.substr(8, colon - 8)),
              column = std::stoi(figure.substr(colon + 1));
    // The last one: Cochran's record has a "Content" table of its own before the comparisons.
    std::size_t at = block.rfind("<SimpleTable name=\"Content\">");
    for (int r = 0; r <= row && at != std::string::npos; ++r)
      at = block.find("<Row>", at + 1);
    if (at == std::string::npos)
      return "";
    std::istringstream numbers(block.substr(at + 5, block.find("</Row>", at) - at - 5));
    std::string number;
    for (int c = 0; c <= column; ++c)
      numbers >> number;
    return number;
  }
  const std::string value = enginetest::Attribute(block, figure);
  return value == "none" ? "" : value;
}

TEST(RelatedSamples, EveryFigureAsRComputesIt) {
  std::map<std::string, std::vector<std::vector<std::string>>> data;
  for (const DataRow& row : ReadDataTable("tests/engine/reference/related-data.tsv", 13, true))
    data[row.fields[0]].push_back(row.fields);
  std::map<std::string, std::map<std::string, std::string>> documents; // family, set
  for (const auto& [family, rows] : data) {
    std::size_t fields = 0;
    for (const auto& row : rows)
      for (std::size_t j = 3; j < row.size(); ++j)
        if (!row[j].empty())
          fields = std::max(fields, j - 2);
    std::string csv = "set,w", json = R"({"variables": [{"name": "set"}, {"name": "w"})";
    for (std::size_t j = 1; j <= fields; ++j) {
      csv += ",v" + std::to_string(j);
      json +=
          R"(, {"name": "v)" + std::to_string(j) + R"(", "measure": ")" + MeasureOf(family) + "\"}";
    }
    json += R"(], "weight": "w"})";
    std::vector<std::string> sets;
    for (const auto& row : rows) {
      csv += "\n" + row[1] + "," + row[2];
      for (std::size_t j = 1; j <= fields; ++j)
        csv += "," + row[2 + j];
      if (sets.empty() || sets.back() != row[1])
        sets.push_back(row[1]);
    }
    engine::EngineSettings settings;
    settings.fSplitColumn = 0;
    const auto texts = RunEngine(csv + "\n", CommandOf(family), json, settings);
    ASSERT_EQ(texts.size(), sets.size()) << family;
    // Split groups come in the order of the set numbers.
    std::sort(sets.begin(), sets.end(), [](const std::string& a, const std::string& b) {
      return std::stoi(a) < std::stoi(b);
    });
    for (std::size_t i = 0; i < sets.size(); ++i)
      documents[family][sets[i]] = texts[i].fText;
  }
  int checked = 0;
  for (const DataRow& line : ReadDataTable("tests/engine/reference/related.tsv", 6, true)) {
    const std::vector<std::string>& row = line.fields;
    const std::string got = FigureOf(documents[row[0]][row[1]], row[2], row[3]);
    const std::string where = row[0] + " set " + row[1] + " " + row[2] + " " + row[3];
    ASSERT_FALSE(got.empty()) << where << " is missing";
    if (row[4] == "NaN") {
      EXPECT_EQ(got, "__MISSING__") << where;
    } else {
      const double expected = std::stod(row[4]), tolerance = std::stod(row[5]);
      EXPECT_NEAR(std::stod(got), expected, tolerance * std::fabs(expected) + 1e-15) << where;
    }
    ++checked;
  }
  EXPECT_GT(checked, 1000);
}

// Every record is read back by the plug-in's reader without a warning, with cases or without any
// (e and f are empty), and a rank table counts every case, tied ones at their midranks.
TEST(RelatedSamples, RecordsReadBackAndRankTablesCountEveryCase) {
  const std::string csv =
      "a,b,c,p,q,e,f\n1,2,3,1,0,,\n2,2,2,0,0,,\n3,1,1,1,1,,\n4,4,5,0,1,,\n5,6,5,1,1,,\n";
  const std::string json = R"({"variables": [{"name": "a", "measure": "scale"},
      {"name": "b", "measure": "scale"}, {"name": "c", "measure": "scale"},
      {"name": "p", "measure": "nominal"}, {"name": "q", "measure": "nominal"},
      {"name": "e", "measure": "scale"}, {"name": "f", "measure": "nominal"}]})";
  for (const std::string command :
       {"NPTESTS /RELATED TEST(a b) SIGN WILCOXON HODGES_LEHMANN.",
        "NPTESTS /RELATED TEST(a e) SIGN WILCOXON HODGES_LEHMANN.",
        "NPTESTS /RELATED TEST(p q) MCNEMAR MARGINAL_HOMOGENEITY COCHRAN(COMPARE=STEPWISE).",
        "NPTESTS /RELATED TEST(p f) MCNEMAR MARGINAL_HOMOGENEITY COCHRAN(COMPARE=PAIRWISE).",
        "NPTESTS /RELATED TEST(a b c) FRIEDMAN(COMPARE=STEPWISE) KENDALL(COMPARE=PAIRWISE).",
        "NPTESTS /RELATED TEST(a b e) FRIEDMAN(COMPARE=PAIRWISE) KENDALL(COMPARE=STEPWISE)."}) {
    const auto documents = RunEngine(csv, command, json);
    ASSERT_EQ(documents.size(), 1u);
    const auto back = Read(documents[0].fText);
    EXPECT_TRUE(back->fOk) << back->fError;
    EXPECT_TRUE(back->fWarnings.empty()) << back->fWarnings.front() << "\n" << documents[0].fText;
  }
  const auto documents = RunEngine(csv, "NPTESTS /RELATED TEST(a b c) FRIEDMAN.", json);
  // Ranks by case: (1 2 3) (2 2 2) (3 1.5 1.5) (1.5 1.5 3) (1.5 3 1.5): counts of a, b, c.
  for (const std::string expected : {"<Row>1 2 1 1</Row>\n              <Row>1 1.5 2 3</Row>",
                                     "<Row>2 2 1</Row>", "<Row>2 1 2</Row>"})
    EXPECT_NE(documents[0].fText.find(expected), std::string::npos) << expected;
}

} // namespace
