// Benchmark of the engine (not a test): a data file to the text report, each test on its own, set
// beside R (data.table::fread and the test) and SciPy (pandas.read_csv and scipy.stats) on the same
// file.
//
// Usage: bench_engine [--work DIR] [--program PATH] [--no-peers] [--tests a,b,...] [SIZES ...]
//   SIZES: the rows of the data files (default: 100000 1000000 10000000); the related-samples
//   tests run up to 1000000 blocks.
//        bench_engine --sort [SIZES ...]
//   The ranks' sort alone: the engine's radix sort of the doubles' bits against a stable
//   comparison sort of the same values, best of three runs each.
//
// Each run is a child process: ours is `nptests --data FILE --dictionary DICT --syntax CMD`
// writing the text report; the peers are scripts/bench-peers.R and scripts/bench-peers.py, which
// print the seconds from the start of their reading to the result (the interpreter's start-up is
// left out, in the peers' favour). Our time is the whole process's, start-up and report
// included. Peak memory is each child's maximum resident size. The data are generated from a fixed
// seed: normal values rounded to three decimals (so there are ties), five groups, four related
// fields.
#include "Ranks.h"

#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <numeric>
#include <random>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Bench {
  const char* fName;
  const char* fFamily; // which data file
  const char* fCommand;
  bool fPython; // SciPy has the test
};

const Bench kBenches[] = {
    {"chisquare", "onesample", "NPTESTS /ONESAMPLE TEST(cat) CHISQUARE.", true},
    {"binomial", "onesample", "NPTESTS /ONESAMPLE TEST(x) BINOMIAL(SUCCESSCONTINUOUS=CUTPOINT(0)).",
     true},
    {"runs", "onesample", "NPTESTS /ONESAMPLE TEST(x) RUNS(GROUPCONTINUOUS=CUTPOINT(MEDIAN)).",
     true},
    {"wilcoxon", "onesample", "NPTESTS /ONESAMPLE TEST(x) WILCOXON(TESTVALUE=0).", true},
    {"ks", "onesample",
     "NPTESTS /ONESAMPLE TEST(x) KOLMOGOROV_SMIRNOV(NORMAL=CUSTOM(MEAN=0 SD=1)).", true},
    {"mannwhitney", "independent", "NPTESTS /INDEPENDENT TEST(x) GROUP(g2) MANN_WHITNEY.", true},
    {"kruskal", "independent",
     "NPTESTS /INDEPENDENT TEST(x) GROUP(g) KRUSKAL_WALLIS(COMPARE=PAIRWISE).", true},
    {"jonckheere", "independent", "NPTESTS /INDEPENDENT TEST(x) GROUP(g) JONCKHEERE_TERPSTRA.",
     false},
    {"median", "independent", "NPTESTS /INDEPENDENT TEST(x) GROUP(g) MEDIAN.", true},
    {"friedman", "related", "NPTESTS /RELATED TEST(r1 r2 r3 r4) FRIEDMAN.", true},
    {"cochran", "related", "NPTESTS /RELATED TEST(b1 b2 b3 b4) COCHRAN.", true},
};

constexpr long kRelatedLimit = 1000000;

struct Figures {
  bool fOk = false;
  double fSeconds = 0;
  double fPeakMiB = 0;
};

// Runs `argv` with standard output to `out`; the child's wall time and peak memory.
Figures Run(const std::vector<std::string>& argv, const std::string& out) {
  Figures figures;
  // The child must not write out what this process still holds in its buffers.
  std::cout.flush();
  std::fflush(nullptr);
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = fork();
  if (child == 0) {
    std::FILE* file = std::freopen(out.c_str(), "w", stdout);
    if (file == nullptr)
      _exit(127);
    std::vector<char*> args;
    for (const std::string& arg : argv)
      args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    execvp(args[0], args.data());
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  if (child < 0 || wait4(child, &status, 0, &usage) != child)
    return figures;
  figures.fSeconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  figures.fPeakMiB = usage.ru_maxrss / 1024.0;
  figures.fOk = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  return figures;
}

// A peer's own figure: the first number it printed (seconds from reading to result).
Figures Peer(const std::vector<std::string>& argv, const std::string& out) {
  Figures figures = Run(argv, out);
  std::ifstream in(out);
  double inner = 0;
  if (figures.fOk && (in >> inner))
    figures.fSeconds = inner;
  else
    figures.fOk = false;
  return figures;
}

void WriteData(const fs::path& file, const std::string& family, long rows) {
  std::mt19937_64 random(20261207);
  std::normal_distribution<double> normal;
  std::ofstream out(file);
  std::string buffer;
  char line[256];
  const char* categories[] = {"a", "b", "c", "d", "e"};
  if (family == "onesample")
    out << "x,cat\n";
  else if (family == "independent")
    out << "x,g,g2\n";
  else
    out << "r1,r2,r3,r4,b1,b2,b3,b4\n";
  for (long i = 0; i < rows; ++i) {
    const double x = std::round(normal(random) * 1000) / 1000;
    if (family == "onesample") {
      std::snprintf(line, sizeof line, "%.3f,%s\n", x, categories[random() % 5]);
    } else if (family == "independent") {
      const long g = static_cast<long>(random() % 5) + 1;
      std::snprintf(line, sizeof line, "%.3f,%ld,%ld\n", x + 0.01 * g, g, g % 2 + 1);
    } else {
      double r[4];
      int b[4];
      for (int k = 0; k < 4; ++k) {
        r[k] = std::round((x + 0.5 * normal(random) + 0.05 * k) * 1000) / 1000;
        b[k] = r[k] > 0 ? 1 : 0;
      }
      std::snprintf(line, sizeof line, "%.3f,%.3f,%.3f,%.3f,%d,%d,%d,%d\n", r[0], r[1], r[2], r[3],
                    b[0], b[1], b[2], b[3]);
    }
    buffer += line;
    if (buffer.size() > (1 << 20)) {
      out << buffer;
      buffer.clear();
    }
  }
  out << buffer;
}

void WriteDictionary(const fs::path& file, const std::string& family) {
  std::ofstream out(file);
  if (family == "onesample")
    out << R"({"variables": [{"name": "x", "measure": "scale"},
      {"name": "cat", "type": "string", "width": 1, "measure": "nominal"}]})";
  else if (family == "independent")
    out << R"({"variables": [{"name": "x", "measure": "scale"},
      {"name": "g", "format": "F1.0", "measure": "nominal"},
      {"name": "g2", "format": "F1.0", "measure": "nominal"}]})";
  else
    out << R"({"variables": [{"name": "r1", "measure": "scale"}, {"name": "r2", "measure": "scale"},
      {"name": "r3", "measure": "scale"}, {"name": "r4", "measure": "scale"},
      {"name": "b1", "format": "F1.0", "measure": "nominal"},
      {"name": "b2", "format": "F1.0", "measure": "nominal"},
      {"name": "b3", "format": "F1.0", "measure": "nominal"},
      {"name": "b4", "format": "F1.0", "measure": "nominal"}]})";
  out << "\n";
}

std::string Cell(const Figures& figures, bool asked) {
  if (!asked)
    return "—";
  if (!figures.fOk)
    return "failed";
  char text[64];
  std::snprintf(text, sizeof text, "%.3f s / %.0f MiB", figures.fSeconds, figures.fPeakMiB);
  return text;
}

// Seconds of the best of three runs of `sort`.
template <class Sort> double BestOfThree(Sort sort) {
  double best = 0;
  for (int run = 0; run < 3; ++run) {
    const auto start = std::chrono::steady_clock::now();
    sort();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (run == 0 || seconds < best)
      best = seconds;
  }
  return best;
}

// The radix sort against the comparison sort it replaces, on values like the data files' (normal,
// three decimals, so with ties). Both give the same order; that is checked, not assumed.
int SortBench(std::vector<long> sizes) {
  if (sizes.empty())
    sizes = {10000, 100000, 1000000, 10000000};
  std::cout << "| values | radix sort | comparison sort | comparison / radix |\n"
            << "|---:|---:|---:|---:|\n";
  for (long n : sizes) {
    std::mt19937_64 random(20261207);
    std::normal_distribution<double> normal;
    std::vector<double> values(static_cast<std::size_t>(n));
    for (double& value : values)
      value = std::round(normal(random) * 1000) / 1000;
    std::vector<std::size_t> radix, comparison;
    const double radixSeconds = BestOfThree([&] { radix = engine::Ranks::SortOrder(values); });
    const double comparisonSeconds = BestOfThree([&] {
      comparison.resize(values.size());
      std::iota(comparison.begin(), comparison.end(), std::size_t{0});
      std::stable_sort(comparison.begin(), comparison.end(),
                       [&values](std::size_t a, std::size_t b) { return values[a] < values[b]; });
    });
    if (radix != comparison) {
      std::cerr << "the two sorts disagree at " << n << " values\n";
      return 1;
    }
    char line[160];
    std::snprintf(line, sizeof line, "| %ld | %.4f s | %.4f s | %.1f× |", n, radixSeconds,
                  comparisonSeconds, comparisonSeconds / radixSeconds);
    std::cout << line << std::endl;
  }
  return 0;
}

} // namespace

int main(int argc, char** argv) {
  fs::path work = fs::temp_directory_path() / "nptests-bench-engine";
  fs::path program = fs::path(argv[0]).parent_path() / "nptests";
  fs::path source = NPTESTS_SOURCE_DIR;
  bool peers = true;
  std::string only;
  std::vector<long> sizes;
  bool sortOnly = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--work" && i + 1 < argc)
      work = argv[++i];
    else if (arg == "--program" && i + 1 < argc)
      program = argv[++i];
    else if (arg == "--sort")
      sortOnly = true;
    else if (arg == "--no-peers")
      peers = false;
    else if (arg == "--tests" && i + 1 < argc)
      only = "," + std::string(argv[++i]) + ",";
    else if (!arg.empty() && std::isdigit(static_cast<unsigned char>(arg[0])))
      sizes.push_back(std::atol(arg.c_str()));
    else {
      std::cerr << "usage: bench_engine [--work DIR] [--program PATH] [--no-peers] "
                   "[--tests a,b] [SIZES...]\n       bench_engine --sort [SIZES...]\n";
      return 2;
    }
  }
  if (sortOnly)
    return SortBench(sizes);
  if (sizes.empty())
    sizes = {100000, 1000000, 10000000};
  fs::create_directories(work);
  const std::string rscript = "Rscript", python = "/usr/bin/python3";

  std::cout << "| rows | test | nptests | R | SciPy | faster peer / nptests | nptests µs/row |\n"
            << "|---:|---|---:|---:|---:|---:|---:|\n";
  for (long rows : sizes) {
    for (const char* family : {"onesample", "independent", "related"}) {
      if (std::string(family) == "related" && rows > kRelatedLimit)
        continue;
      const fs::path data = work / (std::string(family) + "_" + std::to_string(rows) + ".csv");
      const fs::path dictionary = work / (std::string(family) + ".json");
      if (!fs::exists(data))
        WriteData(data, family, rows);
      WriteDictionary(dictionary, family);
      for (const Bench& bench : kBenches) {
        if (bench.fFamily != std::string(family) ||
            (!only.empty() && only.find("," + std::string(bench.fName) + ",") == std::string::npos))
          continue;
        const Figures ours =
            Run({program.string(), "--data", data.string(), "--dictionary", dictionary.string(),
                 "--syntax", bench.fCommand, "--format", "text"},
                (work / "report.txt").string());
        Figures r, py;
        if (peers) {
          r = Peer(
              {rscript, (source / "scripts/bench-peers.R").string(), bench.fName, data.string()},
              (work / "r.txt").string());
          if (bench.fPython)
            py = Peer(
                {python, (source / "scripts/bench-peers.py").string(), bench.fName, data.string()},
                (work / "py.txt").string());
        }
        double best = 0;
        if (r.fOk)
          best = r.fSeconds;
        if (py.fOk && (best == 0 || py.fSeconds < best))
          best = py.fSeconds;
        char ratio[32] = "—", perRow[32] = "—";
        if (ours.fOk && best > 0)
          std::snprintf(ratio, sizeof ratio, "%.1f×", best / ours.fSeconds);
        if (ours.fOk)
          std::snprintf(perRow, sizeof perRow, "%.3f", ours.fSeconds * 1e6 / rows);
        std::cout << "| " << rows << " | " << bench.fName << " | " << Cell(ours, true) << " | "
                  << Cell(r, peers) << " | " << Cell(py, peers && bench.fPython) << " | " << ratio
                  << " | " << perRow << " |" << std::endl;
      }
    }
  }
  return 0;
}
