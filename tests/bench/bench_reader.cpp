// Benchmark of the result-document reader (not a test): generates valid documents of growing
// size, reads each into a fresh result set, and sets the time next to the time the XML wrapper
// alone needs to load the same text. Reading is linear when the time per megabyte stays flat.
//
// Usage: bench_reader [TESTS FIELDS ...]   (pairs; default: 10 500, 100 5000, 1000 50000)
#include "NOPROutputStats.h"
#include "NOPRParseOutXML.h"

#include "xml/SDOMXMLWrapper.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kGroups = 6; // groups per box plot, so 15 pairwise comparisons
constexpr int kHistogramBins = 20;
constexpr int kValuesPerField = 5;

void appendRow(std::string& out, int columns, int seed) {
  out += "<Row>";
  for (int c = 0; c < columns; ++c) {
    out += std::to_string((seed * 31 + c * 7) % 1000 / 10.0);
    out += c + 1 < columns ? " " : "";
  }
  out += "</Row>";
}

void appendSimpleTable(std::string& out, const char* name, int rows, int columns, int seed) {
  out += "<SimpleTable name=\"";
  out += name;
  out += "\"><RowNames>";
  for (int r = 0; r < rows; ++r)
    out += "r" + std::to_string(r) + " ";
  out += "</RowNames><ColumnNames>";
  for (int c = 0; c < columns; ++c)
    out += "c" + std::to_string(c) + " ";
  out += "</ColumnNames>";
  for (int r = 0; r < rows; ++r)
    appendRow(out, columns, seed + r);
  out += "</SimpleTable>";
}

void appendAttribute(std::string& out, const std::string& name, const std::string& value) {
  out += "<Attribute name=\"" + name + "\" value=\"" + value + "\"/>";
}

// A Kruskal-Wallis test: condition, statistics, a message, a box plot and a pairwise table.
void appendTest(std::string& out, int t, int fields) {
  const int field = t % std::max(fields, 1);
  out += "<Algorithm name=\"IKruskalWallis\" classification=\"Independent_Samples\" "
         "decision=\"reject\">";
  out += "<StructuredTable name=\"Condition\">";
  appendAttribute(out, "ConditionKey", "SameDistribution_I_KruskalWallis_1");
  appendAttribute(out, "%1", std::to_string(field));
  out += "</StructuredTable><StructuredTable name=\"StatisticsResult\">";
  appendAttribute(out, "Sig", "0.01");
  appendAttribute(out, "TestStatistic", "12.5");
  out += "<StructuredTable name=\"Exact\">";
  appendAttribute(out, "Sig", "0.02");
  out += "</StructuredTable></StructuredTable><StructuredTable name=\"WarningMessages\">";
  out += "<StructuredTable name=\"m\">";
  appendAttribute(out, "code", "222328");
  appendAttribute(out, "paramNum", "1");
  appendAttribute(out, "%1", std::to_string(field));
  out += "</StructuredTable></StructuredTable><StructuredTable name=\"BoxPlotInfo\">";
  appendAttribute(out, "GroupFieldIndex", "0");
  appendAttribute(out, "GroupCount", std::to_string(kGroups));
  for (int g = 0; g < kGroups; ++g) {
    out += "<StructuredTable name=\"Group\">";
    appendAttribute(out, "GroupIndex", std::to_string(g));
    appendAttribute(out, "N", "40");
    appendSimpleTable(out, "Box", 1, 5, t + g);
    appendSimpleTable(out, "Outliers", 3, 1, t + g);
    out += "</StructuredTable>";
  }
  out += "</StructuredTable><StructuredTable name=\"PairwiseResult\">";
  appendAttribute(out, "fieldIndex", std::to_string(field));
  const int pairs = kGroups * (kGroups - 1) / 2;
  appendSimpleTable(out, "PairwiseInfo", 2, pairs, t);
  appendSimpleTable(out, "Content", pairs, 5, t);
  out += "</StructuredTable></Algorithm>";
}

std::string generate(int tests, int fields) {
  std::string out = "<StatXML><PMMLModel modelType=\"NonParametricTests\"/><DescriptiveModel>"
                    "<DescriptiveSummary><Counts totalFreq=\"1000\" totalCount=\"1000\"/>"
                    "</DescriptiveSummary></DescriptiveModel><Extension><NPAROutput>"
                    "<DataDictionary>";
  for (int f = 0; f <= fields; ++f) {
    out += "<DataField index=\"" + std::to_string(f) + "\" name=\"v" + std::to_string(f) +
           "\" displayName=\"Variable " + std::to_string(f) +
           "\" optype=\"ordinal\" dataType=\"integer\">";
    for (int v = 0; v < kValuesPerField; ++v)
      out += "<Value index=\"" + std::to_string(v) + "\" value=\"" + std::to_string(v + 1) +
             "\" displayValue=\"Level " + std::to_string(v + 1) + "\"/>";
    out += "</DataField>";
  }
  out += "</DataDictionary><NonParametricTests number=\"" + std::to_string(tests) +
         "\" sigLevel=\"0.05\" confidenceLevel=\"95\" missingTreatment=\"listwise\">";
  for (int t = 0; t < tests; ++t)
    appendTest(out, t, fields);
  out += "</NonParametricTests><FieldInfos>";
  for (int f = 0; f < fields; ++f) {
    out += "<FieldInfo varIndex=\"" + std::to_string(f) +
           "\"><StructuredTable name=\"ContinuousDistribution\">";
    appendAttribute(out, "TotalN", "1000");
    appendAttribute(out, "Mean", "3.5");
    appendSimpleTable(out, "Histogram", kHistogramBins, 3, f);
    out += "</StructuredTable></FieldInfo>";
  }
  out += "</FieldInfos></NPAROutput></Extension></StatXML>";
  return out;
}

template <class F> double millisecondsOf(F&& run) {
  const auto start = std::chrono::steady_clock::now();
  run();
  const auto end = std::chrono::steady_clock::now();
  return std::chrono::duration<double, std::milli>(end - start).count();
}

} // namespace

int main(int argc, char** argv) {
  std::vector<std::pair<int, int>> sizes;
  for (int i = 1; i + 1 < argc; i += 2)
    sizes.emplace_back(std::atoi(argv[i]), std::atoi(argv[i + 1]));
  if (sizes.empty())
    sizes = {{10, 500}, {100, 5000}, {1000, 50000}};

  // "walk" is the reader's own share: the reading less the load it includes.
  std::printf("%7s %7s %8s %10s %10s %10s %10s %12s\n", "tests", "fields", "MB", "load ms",
              "read ms", "read/load", "load ms/MB", "walk ms/MB");
  for (const auto& [tests, fields] : sizes) {
    const std::string text = generate(tests, fields);
    const double megabytes = static_cast<double>(text.size()) / (1024.0 * 1024.0);
    // Best of a few runs, since the machine is shared; one run for the largest documents.
    const int runs = megabytes < 20 ? 3 : 1;
    double loadMs = 0;
    double readMs = 0;
    bool ok = true;
    for (int run = 0; run < runs; ++run) {
      const double load = millisecondsOf([&] {
        SDOMXMLWrapper wrapper;
        if (wrapper.LoadFromString(text) == 0)
          std::fprintf(stderr, "the generated document does not load\n");
      });
      NOPROutputStats fresh;
      const double read = millisecondsOf([&] {
        NOPRParseOutXML reader(nullptr, &fresh, text);
        ok = reader.ParseXML() && ok;
      });
      loadMs = run == 0 ? load : std::min(loadMs, load);
      readMs = run == 0 ? read : std::min(readMs, read);
      if (run + 1 == runs) {
        ok = ok && fresh.GetAllHypothesisTest().size() == static_cast<std::size_t>(tests) &&
             fresh.GetAllFieldDistributionData().size() == static_cast<std::size_t>(fields);
      }
    }
    if (!ok) {
      std::fprintf(stderr, "the generated document did not read whole\n");
      return 1;
    }
    std::printf("%7d %7d %8.1f %10.1f %10.1f %10.2f %10.1f %12.1f\n", tests, fields, megabytes,
                loadMs, readMs, readMs / loadMs, loadMs / megabytes, (readMs - loadMs) / megabytes);
  }
  return 0;
}
