// Benchmark of the whole report path (not a test): reads, tables, charts and the written report of
// generated result documents, set against a bare Xerces-C SAX2 parse of the same bytes.
//
// Usage: bench_report [--examples DIR] [--work DIR] [--max-ratio R] [--max-growth G] [--runs N]
//                     [TESTS ...]
//   TESTS: the sizes to measure (default: 10 100 1000 10000)
//   N: reports of each size and format, the fastest kept (default: 3)
//
// Each size is made of every bundled example that is not a split group: the tests of each example
// repeated so that all of them together hold about TESTS tests, one document per example. All
// documents of a size are reported together in each format, by the program's own run (ReportRun)
// in a child process, so that the child's peak memory is that one report's; the fastest of N runs
// is kept. Times are processor seconds of the process (user and system), so that other work on the
// machine does not count; the parse is timed the same way in this process, over the same bytes,
// the fastest of seven. With --max-ratio, the exit status is 1 when a format's ratio to the parse
// exceeds R; with --max-growth, when a format's report time per megabyte at the last size exceeds
// G times that at the first (a step that grows faster than the documents). The time per megabyte,
// not the ratio, since the parse's own time per megabyte moves with the size (caches) and from run
// to run more than the report's.
#include "CommandLine.h"
#include "PluginLoader.h"
#include "ReportRun.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <xercesc/framework/MemBufInputSource.hpp>
#include <xercesc/sax2/DefaultHandler.hpp>
#include <xercesc/sax2/SAX2XMLReader.hpp>
#include <xercesc/sax2/XMLReaderFactory.hpp>
#include <xercesc/util/PlatformUtils.hpp>
#include <xercesc/util/XMLUni.hpp>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Processor seconds this process has used so far.
double CpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// An example document cut around its tests: what comes before the first test, the tests, and what
// comes after the last one.
struct ExampleParts {
  std::string name;
  std::string head;
  std::string tests;
  std::string tail;
  int testCount = 0;
};

bool CutExample(const fs::path& path, ExampleParts& parts) {
  const std::string text = ReadFile(path);
  const std::size_t first = text.find("<Algorithm ");
  const std::size_t last = text.rfind("</Algorithm>");
  if (first == std::string::npos || last == std::string::npos)
    return false;
  const std::size_t end = last + std::strlen("</Algorithm>");
  parts.name = path.stem().string();
  parts.head = text.substr(0, first);
  parts.tests = text.substr(first, end - first);
  parts.tail = text.substr(end);
  for (std::size_t at = 0; (at = parts.tests.find("<Algorithm ", at)) != std::string::npos; ++at)
    ++parts.testCount;
  return true;
}

// The example with its tests `copies` times over, the test count in the head adjusted.
std::string Repeat(const ExampleParts& parts, int copies) {
  std::string head = parts.head;
  const std::size_t number = head.find("number=\"");
  if (number != std::string::npos) {
    const std::size_t begin = number + std::strlen("number=\"");
    const std::size_t close = head.find('"', begin);
    head.replace(begin, close - begin, std::to_string(parts.testCount * copies));
  }
  std::string out;
  out.reserve(head.size() + parts.tests.size() * copies + parts.tail.size());
  out += head;
  for (int i = 0; i < copies; ++i)
    out += parts.tests;
  out += parts.tail;
  return out;
}

// Counts elements, as the cheapest useful thing a SAX2 handler can do.
class CountingHandler : public xercesc::DefaultHandler {
public:
  void startElement(const XMLCh* const, const XMLCh* const, const XMLCh* const,
                    const xercesc::Attributes&) override {
    ++elements;
  }
  long elements = 0;
};

// Seconds of a bare SAX2 parse of the text, namespaces off like the wrapper's.
double ParseSeconds(const std::string& text) {
  std::unique_ptr<xercesc::SAX2XMLReader> reader(xercesc::XMLReaderFactory::createXMLReader());
  reader->setFeature(xercesc::XMLUni::fgSAX2CoreNameSpaces, false);
  CountingHandler handler;
  reader->setContentHandler(&handler);
  xercesc::MemBufInputSource source(reinterpret_cast<const XMLByte*>(text.data()), text.size(),
                                    "bench", false);
  const double start = CpuSeconds();
  reader->parse(source);
  const double seconds = CpuSeconds() - start;
  if (handler.elements == 0)
    std::cerr << "bench_report: a generated document has no elements\n";
  return seconds;
}

struct RunFigures {
  double seconds = 0;
  double peakMiB = 0;
  bool ok = false;
};

// Reports the documents in one format in a child process: its time and peak memory.
RunFigures ReportInChild(const std::vector<fs::path>& documents, OutputFormat format,
                         const fs::path& output) {
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0)
    return {};
  const pid_t child = fork();
  if (child == 0) {
    close(pipeEnds[0]);
    Options options;
    for (const fs::path& document : documents)
      options.fDocuments.push_back(document.string());
    options.fFormat = format;
    options.fOutputFile = output.string();
    std::ostringstream out, err;
    const double start = CpuSeconds();
    int status = 0;
    {
      ReportRun run(options, PluginLoader::ProgramFolder(), out, err);
      status = run.Execute();
    }
    RunFigures figures;
    figures.seconds = CpuSeconds() - start;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    figures.peakMiB = usage.ru_maxrss / 1024.0;
    figures.ok = status == ReportRun::kAllRead;
    if (!figures.ok)
      std::cerr << "bench_report: status " << status << "\n" << err.str();
    const ssize_t written = write(pipeEnds[1], &figures, sizeof figures);
    _exit(written == sizeof figures ? 0 : 1);
  }
  close(pipeEnds[1]);
  RunFigures figures;
  const ssize_t got = child > 0 ? read(pipeEnds[0], &figures, sizeof figures) : 0;
  close(pipeEnds[0]);
  int status = 0;
  if (child > 0)
    waitpid(child, &status, 0);
  if (got != sizeof figures)
    return {};
  return figures;
}

struct Arguments {
  fs::path examples;
  fs::path work = fs::temp_directory_path() / "nptests-bench";
  double maxRatio = 0;  // 0: no limit
  double maxGrowth = 0; // 0: no limit
  int runs = 3;
  std::vector<int> sizes;
};

bool ParseArguments(int argc, char** argv, Arguments& args) {
  args.examples = fs::path(PluginLoader::ProgramFolder()) / ".." / "examples";
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if ((a == "--examples" || a == "--work" || a == "--max-ratio" || a == "--max-growth" ||
         a == "--runs") &&
        i + 1 < argc) {
      const std::string value = argv[++i];
      if (a == "--examples")
        args.examples = value;
      else if (a == "--work")
        args.work = value;
      else if (a == "--max-ratio")
        args.maxRatio = std::atof(value.c_str());
      else if (a == "--runs")
        args.runs = std::max(1, std::atoi(value.c_str()));
      else
        args.maxGrowth = std::atof(value.c_str());
    } else if (std::atoi(a.c_str()) > 0) {
      args.sizes.push_back(std::atoi(a.c_str()));
    } else {
      std::cerr
          << "usage: bench_report [--examples DIR] [--work DIR] [--max-ratio R] [--max-growth G] "
             "[--runs N] [TESTS ...]\n";
      return false;
    }
  }
  if (args.sizes.empty())
    args.sizes = {10, 100, 1000, 10000};
  return true;
}

std::vector<ExampleParts> LoadExamples(const fs::path& folder) {
  std::vector<ExampleParts> examples;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    const fs::path& path = entry.path();
    if (path.extension() != ".xml" || path.stem().string().rfind("split", 0) == 0)
      continue;
    ExampleParts parts;
    if (CutExample(path, parts))
      examples.push_back(std::move(parts));
  }
  std::sort(examples.begin(), examples.end(),
            [](const ExampleParts& a, const ExampleParts& b) { return a.name < b.name; });
  return examples;
}

} // namespace

int main(int argc, char** argv) {
  Arguments args;
  if (!ParseArguments(argc, argv, args))
    return 2;
  const std::vector<ExampleParts> examples = LoadExamples(args.examples);
  if (examples.empty()) {
    std::cerr << "bench_report: no examples in " << args.examples << "\n";
    return 2;
  }
  int testsPerRound = 0;
  for (const ExampleParts& e : examples)
    testsPerRound += e.testCount;
  fs::create_directories(args.work);
  xercesc::XMLPlatformUtils::Initialize();

  std::printf("%7s %5s %7s %8s %-5s %9s %6s %9s %8s %8s %7s\n", "tests", "docs", "doc MB",
              "parse s", "fmt", "report s", "ratio", "peak MiB", "peak/doc", "out MB", "out/doc");
  bool withinLimit = true;
  // Each format's report seconds per megabyte at the first size measured and at the latest.
  std::vector<double> firstPerMB, lastPerMB;
  for (const int size : args.sizes) {
    const int copies = std::max(1, size / testsPerRound);
    std::vector<fs::path> paths;
    double totalMB = 0, parseSeconds = 0;
    for (const ExampleParts& e : examples) {
      const std::string text = Repeat(e, copies);
      // The fastest of seven: the parse is short, so one run is at the mercy of the machine.
      double fastest = ParseSeconds(text);
      for (int run = 1; run < 7; ++run)
        fastest = std::min(fastest, ParseSeconds(text));
      parseSeconds += fastest;
      const fs::path path = args.work / (e.name + "-" + std::to_string(size) + ".xml");
      std::ofstream(path, std::ios::binary) << text;
      paths.push_back(path);
      totalMB += text.size() / 1048576.0;
    }
    for (const OutputFormat format :
         {OutputFormat::kText, OutputFormat::kHtml, OutputFormat::kJson}) {
      const fs::path output = args.work / (std::string("out.") + OutputFormatName(format));
      fs::remove(output);
      // The fastest of the runs: the others waited for the machine, not for the report.
      RunFigures f;
      for (int run = 0; run < args.runs; ++run) {
        fs::remove(output);
        const RunFigures next = ReportInChild(paths, format, output);
        if (run == 0 || (next.ok && next.seconds < f.seconds))
          f = next;
      }
      const double outMB = fs::exists(output) ? fs::file_size(output) / 1048576.0 : 0;
      const double ratio = f.seconds / parseSeconds;
      if (args.maxRatio > 0 && ratio > args.maxRatio)
        withinLimit = false;
      const std::size_t slot = static_cast<std::size_t>(format);
      if (firstPerMB.size() <= slot) {
        firstPerMB.resize(slot + 1, 0);
        lastPerMB.resize(slot + 1, 0);
      }
      if (firstPerMB[slot] == 0)
        firstPerMB[slot] = f.seconds / totalMB;
      lastPerMB[slot] = f.seconds / totalMB;
      std::printf("%7d %5zu %7.1f %8.3f %-5s %9.3f %6.1f %9.1f %8.2f %8.1f %7.2f%s\n",
                  copies * testsPerRound, paths.size(), totalMB, parseSeconds,
                  OutputFormatName(format), f.seconds, ratio, f.peakMiB, f.peakMiB / totalMB, outMB,
                  outMB / totalMB, f.ok ? "" : "  (the report failed)");
      std::fflush(stdout);
      withinLimit = withinLimit && f.ok;
    }
    for (const fs::path& path : paths)
      fs::remove(path);
  }
  xercesc::XMLPlatformUtils::Terminate();
  for (std::size_t slot = 0; slot < firstPerMB.size(); ++slot) {
    if (args.maxGrowth <= 0 || firstPerMB[slot] <= 0)
      continue;
    const double growth = lastPerMB[slot] / firstPerMB[slot];
    std::printf("growth of the report's time per MB, %s: %.2f\n",
                OutputFormatName(static_cast<OutputFormat>(slot)), growth);
    if (growth > args.maxGrowth)
      withinLimit = false;
  }
  return withinLimit ? 0 : 1;
}
