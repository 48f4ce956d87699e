// A frequency table of the cases, its counts as the case weight, gives every rank test the figures
// of the raw cases: what lets a distributed SQL engine reduce data that outgrow one machine
// (docs/scale.md).
#include "EngineRun.h"

#include <cmath>
#include <map>
#include <random>
#include <regex>
#include <sstream>

namespace {

// Raw cases: x and y with ties (values on a grid of 0.5), g one of four groups (unbalanced), h one
// of two, c a category of x.
std::string RawCases() {
  std::mt19937_64 random(7);
  std::normal_distribution<double> normal;
  std::ostringstream csv;
  csv << "x,y,g,h,c\n";
  for (int i = 0; i < 300; ++i) {
    const int g = static_cast<int>(random() % 7) % 4 + 1;
    const double x = std::round((normal(random) + 0.3 * g) * 2) / 2;
    const double y = std::round((x + normal(random)) * 2) / 2;
    csv << x << "," << y << "," << g << "," << (g % 2 + 1) << "," << (x > 0.5 ? 2 : 1) << "\n";
  }
  return csv.str();
}

// The distinct cases with their counts as n.
std::string FrequencyTable(const std::string& raw) {
  std::map<std::string, int> counts;
  std::istringstream in(raw);
  std::string line;
  std::getline(in, line);
  while (std::getline(in, line))
    ++counts[line];
  std::ostringstream csv;
  csv << "x,y,g,h,c,n\n";
  for (const auto& [cases, n] : counts)
    csv << cases << "," << n << "\n";
  return csv.str();
}

// The name and value of every attribute of the document's tests, in order; the bootstrap
// intervals of the effect sizes are left out, since a resample of the table's rows draws other
// cases than one of the raw cases (both within their Monte Carlo error).
std::vector<std::pair<std::string, std::string>> TestFigures(const std::string& document) {
  std::vector<std::pair<std::string, std::string>> figures;
  static const std::regex attribute(R"re(<Attribute name="([^"]*)" value="([^"]*)"/>)re");
  std::istringstream lines(document);
  bool inTests = false;
  std::string skipUntil; // the closing line of an effect-size table being skipped
  for (std::string line; std::getline(lines, line);) {
    if (line.find("<NonParametricTests") != std::string::npos)
      inTests = line.find("/>") == std::string::npos;
    if (line.find("</NonParametricTests>") != std::string::npos)
      inTests = false;
    if (!inTests)
      continue;
    if (!skipUntil.empty()) {
      if (line == skipUntil)
        skipUntil.clear();
      continue;
    }
    const std::size_t at = line.find(R"(<StructuredTable name="EffectSize">)");
    if (at != std::string::npos) {
      skipUntil = line.substr(0, at) + "</StructuredTable>";
      continue;
    }
    std::smatch match;
    if (std::regex_search(line, match, attribute))
      figures.emplace_back(match[1], match[2]);
  }
  return figures;
}

bool Close(const std::string& a, const std::string& b) {
  if (a == b)
    return true;
  char* endA = nullptr;
  char* endB = nullptr;
  const double x = std::strtod(a.c_str(), &endA), y = std::strtod(b.c_str(), &endB);
  if (*endA != '\0' || *endB != '\0')
    return false;
  return std::fabs(x - y) <= 1e-9 * std::max(1.0, std::fabs(x));
}

TEST(FrequencyTable, GivesEveryRankTestTheFiguresOfTheRawCases) {
  const std::string json = R"({"variables": [{"name": "x", "measure": "scale"},
      {"name": "y", "measure": "scale"}, {"name": "g", "measure": "nominal"},
      {"name": "h", "measure": "nominal"}, {"name": "c", "measure": "nominal"}%s]%s})";
  auto dictionary = [&json](bool weighted) {
    std::string text = json;
    text.replace(text.find("%s"), 2, weighted ? R"(, {"name": "n"})" : "");
    text.replace(text.find("%s"), 2, weighted ? R"(, "weight": "n")" : "");
    return text;
  };
  const std::string raw = RawCases(), table = FrequencyTable(raw);
  // Runs tests are left out: their statistic is about the order of the cases, which the table
  // does not keep.
  const char* commands[] = {
      "NPTESTS /ONESAMPLE TEST(x) WILCOXON(TESTVALUE=0.2) "
      "KOLMOGOROV_SMIRNOV(NORMAL=CUSTOM(MEAN=0 SD=1)) BINOMIAL(SUCCESSCONTINUOUS=CUTPOINT(0)).",
      "NPTESTS /INDEPENDENT TEST(x) GROUP(g) KRUSKAL_WALLIS(COMPARE=PAIRWISE) "
      "MEDIAN(COMPARE=STEPWISE) JONCKHEERE_TERPSTRA(COMPARE=PAIRWISE).",
      "NPTESTS /RELATED TEST(x y) SIGN WILCOXON HODGES_LEHMANN FRIEDMAN KENDALL.",
      "NPTESTS /INDEPENDENT TEST(x) GROUP(h) MANN_WHITNEY KOLMOGOROV_SMIRNOV HODGES_LEHMANN "
      "MOSES WALD_WOLFOWITZ.",
      "NPTESTS /ONESAMPLE TEST(c) CHISQUARE BINOMIAL.",
      "NPTESTS /RELATED TEST(c h) MCNEMAR MARGINAL_HOMOGENEITY COCHRAN.",
  };
  for (const char* command : commands) {
    const auto fromCases = enginetest::RunEngine(raw, command, dictionary(false));
    const auto fromTable = enginetest::RunEngine(table, command, dictionary(true));
    ASSERT_EQ(fromCases.size(), 1u);
    ASSERT_EQ(fromTable.size(), 1u);
    const auto a = TestFigures(fromCases[0].fText), b = TestFigures(fromTable[0].fText);
    EXPECT_GE(a.size(), 10u) << command << ": too few figures to compare";
    ASSERT_EQ(a.size(), b.size()) << command;
    for (std::size_t i = 0; i < a.size(); ++i)
      EXPECT_TRUE(a[i].first == b[i].first && Close(a[i].second, b[i].second))
          << command << ": " << a[i].first << " " << a[i].second << " vs " << b[i].first << " "
          << b[i].second;
  }
}

} // namespace
