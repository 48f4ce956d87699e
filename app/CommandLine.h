// The options of the nptests program and how they are read from its arguments.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

enum class OutputFormat { kHtml, kText, kJson };
enum class SplitLayout { kHeading, kLayers };

// "html", "text", "json".
const char* OutputFormatName(OutputFormat format);

struct Options {
  // The NPTESTS command as text (--syntax) or the file holding it (--syntax-file); at most one.
  std::string fSyntax;
  bool fHasSyntax = false;
  std::string fSyntaxFile;
  std::string fDictionaryFile;
  // One VAR=VALUE[,VAR=VALUE] per document, in the order of the documents.
  std::vector<std::string> fSplits;
  SplitLayout fLayout = SplitLayout::kHeading;
  OutputFormat fFormat = OutputFormat::kText;
  // Empty: standard output ("-o -" says so too).
  std::string fOutputFile;
  // The text report's width in columns; 0: the terminal's when standard output is one, else 100.
  int fWidth = 0;
  // Blanks per level of the JSON report; below 0: compact, on one line.
  int fJsonIndent = -1;
  std::string fTemplatesDir;
  std::string fStringsDir;
  std::string fLanguage = "en";
  // Charts told apart by colour alone, without fill patterns (--chart-colors).
  bool fChartColors = false;
  // No chart views of the tests and fields (--no-charts); the pairwise network charts stay.
  bool fNoCharts = false;
  // No effect size tables and report lines (--no-effect-sizes).
  bool fNoEffectSizes = false;
  // Where each drawn chart is also written as a standalone SVG file (--charts-dir); empty: nowhere.
  std::string fChartsDir;
  // Empty: the bundled examples.
  std::vector<std::string> fDocuments;
  // A data file (CSV or TSV) whose results the engine computes instead of reading documents.
  std::string fDataFile;
  // The data file's delimiter; 0: by its extension (tab for .tsv and .tab, else comma).
  char fDelimiter = 0;
  // The data column whose values split the cases, one document per group; empty: not split.
  std::string fSplitBy;
  // Where the engine's documents are also written; empty: nowhere.
  std::string fSaveResultsDir;
};

namespace CLI {
class App;
}
class MessageSink;

class CommandLine {
public:
  // Parse's result when the program should go on and run.
  static constexpr int kRun = -1;

  // Reads the arguments into `options`. Returns kRun, or the exit status when the program is done:
  // 0 after --help or --version (written to `out`), 2 after a usage error (written to `err` with a
  // pointer to --help). The format is --format's, else the extension of -o's file, else text.
  // Never throws apart from std::bad_alloc.
  static int Parse(int argc, const char* const* argv, Options& options, std::ostream& out,
                   std::ostream& err);

  // The format named by a file's extension (.html/.htm, .txt/.text, .json, any case); false when
  // the extension names none.
  static bool FormatOfFile(const std::string& path, OutputFormat& format);

private:
  // The checks of the data options and of a data file named as a document; kRun or 2.
  static int CheckData(const CLI::App& app, Options& options, const std::string& delimiter,
                       MessageSink& err);
};
