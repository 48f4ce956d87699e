// The independent-samples tests against R: every data set of tests/engine/reference (made by
// scripts/check-engine-independent.R) runs through the engine in one split run, and each figure R
// computed is looked up in that set's document.
#include "EngineRun.h"

#include <fstream>
#include <map>
#include <regex>

namespace {

struct Figure {
  std::string fSet, fTest, fName;
  double fExpected = 0, fTolerance = 0;
};

std::vector<std::vector<std::string>> ReadTsv(const std::string& name) {
  std::ifstream in(std::string(NPTESTS_SOURCE_DIR) + "/tests/engine/reference/" + name);
  EXPECT_TRUE(in) << name;
  std::vector<std::vector<std::string>> rows;
  std::string line;
  std::getline(in, line);
  while (std::getline(in, line)) {
    std::vector<std::string> cells;
    std::string cell;
    std::istringstream fields(line);
    while (std::getline(fields, cell, '\t'))
      cells.push_back(cell);
    if (!line.empty() && line.back() == '\t')
      cells.emplace_back();
    rows.push_back(cells);
  }
  return rows;
}

double Number(const std::string& text) {
  return text == "__MISSING__" ? -1 : std::strtod(text.c_str(), nullptr);
}

// The figures of each algorithm of a document, keyed "algorithm|table/attribute", and the pair
// and subset rows of its comparison tables keyed as the reference names them.
std::map<std::string, double> Figures(const std::string& document) {
  std::map<std::string, double> figures;
  static const std::regex tag(
      R"re(<(/?)(Algorithm|StructuredTable|SimpleTable|Attribute|Row)(?: name="([^"]*)")?(?: value="([^"]*)")?[^>]*?(/?)>([^<]*))re");
  std::string algorithm;
  std::vector<std::string> tables;
  std::string simple;
  for (auto it = std::sregex_iterator(document.begin(), document.end(), tag);
       it != std::sregex_iterator(); ++it) {
    const std::smatch& m = *it;
    const bool closing = m[1] == "/", empty = m[5] == "/";
    const std::string kind = m[2];
    if (kind == "Algorithm" && !closing)
      algorithm = m[3];
    else if (kind == "StructuredTable" && !empty)
      closing ? tables.pop_back() : tables.push_back(m[3]);
    else if (kind == "SimpleTable" && !closing)
      simple = m[3];
    else if (kind == "Attribute" && !tables.empty())
      figures[algorithm + "|" + tables.back() + "/" + std::string(m[3])] = Number(m[4]);
    else if (kind == "Row" && !closing && simple == "Content") {
      std::istringstream cells(m[6].str());
      std::vector<double> row;
      std::string cell;
      while (cells >> cell)
        row.push_back(Number(cell));
      if (row.size() < 7)
        continue;
      const std::string a = std::to_string(static_cast<int>(row[0]));
      const std::string b = std::to_string(static_cast<int>(row[1]));
      if (tables.back() == "PairwiseResult") {
        // R names groups by their values 1..k, the document by positions 0..k-1; either order.
        for (const std::string& key :
             {std::to_string(std::stoi(a) + 1) + "-" + std::to_string(std::stoi(b) + 1),
              std::to_string(std::stoi(b) + 1) + "-" + std::to_string(std::stoi(a) + 1)}) {
          figures[algorithm + "|Pair/" + key + "/absz"] = std::fabs(row[4]);
          figures[algorithm + "|Pair/" + key + "/stat"] = row[2];
          figures[algorithm + "|Pair/" + key + "/adj"] = row[6];
        }
      } else {
        figures[algorithm + "|Subset/" + a + "-" + b + "/adj"] = row[6];
        figures[algorithm + "|SubsetCount"] += 1;
      }
    }
  }
  return figures;
}

TEST(IndependentReference, EveryFigureOfRWithinItsTolerance) {
  std::string csv = "set,y,g,w\n";
  for (const auto& row : ReadTsv("independent-data.tsv"))
    csv += row[0] + "," + row[1] + "," + row[2] + "," + row[3] + "\n";
  const std::string json = R"({"variables": [{"name": "set", "measure": "scale"},
      {"name": "y", "measure": "scale"}, {"name": "g", "measure": "nominal"},
      {"name": "w", "measure": "scale"}], "weight": "w"})";
  engine::EngineSettings settings;
  settings.fSplitColumn = 0;
  const std::string tests = "NPTESTS /INDEPENDENT TEST(y) GROUP(g) MANN_WHITNEY WALD_WOLFOWITZ "
                            "KOLMOGOROV_SMIRNOV MOSES HODGES_LEHMANN ";
  const auto pairwise =
      enginetest::RunEngine(csv,
                            tests + "KRUSKAL_WALLIS(COMPARE=PAIRWISE) MEDIAN(COMPARE=PAIRWISE) "
                                    "JONCKHEERE_TERPSTRA(COMPARE=PAIRWISE).",
                            json, settings);
  const auto stepwise = enginetest::RunEngine(
      csv,
      "NPTESTS /INDEPENDENT TEST(y) GROUP(g) KRUSKAL_WALLIS(COMPARE=STEPWISE) "
      "MEDIAN(COMPARE=STEPWISE) JONCKHEERE_TERPSTRA(COMPARE=STEPWISE).",
      json, settings);
  ASSERT_EQ(pairwise.size(), stepwise.size());
  std::map<std::string, std::map<std::string, double>> figures;
  for (std::size_t i = 0; i < pairwise.size(); ++i) {
    figures[pairwise[i].fSplit] = Figures(pairwise[i].fText);
    for (const auto& [key, value] : Figures(stepwise[i].fText))
      figures[pairwise[i].fSplit]["SW" + key] = value;
  }
  static const std::map<std::string, std::string> algorithms = {
      {"MW", "IMannWhitneyU"}, {"WW", "IWaldWolfowitzRuns"},           {"KS", "IKolmogorovSmirnov"},
      {"MOSES", "IMoses"},     {"HL", "IHodgesLehmannEstimateGroups"}, {"KW", "IKruskalWallis"},
      {"MED", "IMedian"},      {"JT", "IJonckheereTerpstra"},          {"SW", "SWIKruskalWallis"},
      {"MEDSW", "SWIMedian"},  {"JTSW", "SWIJonckheereTerpstra"}};
  int failures = 0, checked = 0;
  for (const auto& row : ReadTsv("independent.tsv")) {
    const std::string key = algorithms.at(row[1]) + "|" + row[2];
    const auto& set = figures["set=" + row[0]];
    const double expected = std::strtod(row[3].c_str(), nullptr);
    const double tolerance = std::strtod(row[4].c_str(), nullptr);
    const auto found = set.find(key);
    ++checked;
    const bool ok = found != set.end() && std::fabs(found->second - expected) <=
                                              tolerance * std::max(1.0, std::fabs(expected));
    if (!ok && ++failures <= 20)
      ADD_FAILURE() << "set " << row[0] << " " << key << ": R " << row[3] << ", engine "
                    << (found == set.end() ? std::string("none") : std::to_string(found->second));
  }
  EXPECT_EQ(failures, 0) << "of " << checked;
}

} // namespace
