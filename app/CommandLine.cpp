// The nptests options, their help texts and their checks.
#include "CommandLine.h"

#include "MessageSink.h"

#include "parser/KeywordSuggester.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cctype>
#include <ostream>
#include <utility>

namespace {

struct NamedFormat {
  const char* fExtension;
  OutputFormat fFormat;
};
constexpr NamedFormat kExtensions[] = {
    {".html", OutputFormat::kHtml}, {".htm", OutputFormat::kHtml},  {".txt", OutputFormat::kText},
    {".text", OutputFormat::kText}, {".json", OutputFormat::kJson},
};

const char* const kDescription =
    "nptests writes the report of a nonparametric tests run (the NPTESTS command) from the\n"
    "engine's result documents, or from a data file whose results it computes (--data):\n"
    "hypothesis test summary, confidence intervals, a table of statistics per test, pairwise\n"
    "comparisons and homogeneous subsets, and a chart per test, per pairwise comparison and\n"
    "per field (drawn as SVG in the HTML and JSON reports; the text report names them).\n"
    "Without documents or data it runs on the bundled examples.";

const char* const kFooter =
    "\nExamples:\n"
    "  nptests                                   the bundled examples, as text on the terminal\n"
    "  nptests -o report.html                    the bundled examples as one HTML page\n"
    "  nptests --data morley.csv --syntax-file onesample_morley.sps\n"
    "  nptests --data scores.tsv --dictionary scores.json --split-by school --syntax-file t.sps\n"
    "  nptests --syntax-file chickwts.sps chickwts.xml\n"
    "  nptests --format json -o result.json --dictionary vars.json result.xml\n"
    "  nptests --syntax-file split.sps --split group=ctrl --split group=trt1 ctrl.xml trt1.xml\n"
    "\n"
    "Exit status: 0 every document was read; 1 a document could not be read (named on standard\n"
    "error with the reason; the others are still written); 2 a usage error (an option, the\n"
    "command, the data file or the dictionary file is wrong; nothing is written); 3 the plug-in or "
    "the output\n"
    "file could not be opened; 4 the report was written, but a chart was left out (named in a\n"
    "warning).";

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

OutputFormat FormatOfName(const std::string& name) {
  if (name == "html")
    return OutputFormat::kHtml;
  if (name == "json")
    return OutputFormat::kJson;
  return OutputFormat::kText;
}

void AddOptions(CLI::App& app, Options& options, std::string& format, std::string& layout,
                std::string& delimiter) {
  auto* syntax = app.add_option("--syntax", options.fSyntax,
                                "The NPTESTS command of the run, as text.\n"
                                "e.g. --syntax 'NPTESTS /ONESAMPLE TEST(x) CHISQUARE.'");
  auto* syntaxFile = app.add_option("--syntax-file", options.fSyntaxFile,
                                    "The file holding the NPTESTS command.\n"
                                    "e.g. --syntax-file examples/chickwts.sps");
  syntax->excludes(syntaxFile);
  syntaxFile->excludes(syntax);
  syntax->type_name("TEXT");
  syntaxFile->type_name("FILE");
  app.add_option("--dictionary", options.fDictionaryFile,
                 "A JSON dictionary (docs/dictionary-format.md) to use instead of the\n"
                 "documents' own, or describing the --data columns: labels, formats,\n"
                 "missing values, weight.\n"
                 "e.g. --dictionary chicks.json")
      ->type_name("FILE");
  app.add_option("--split", options.fSplits,
                 "The split group of one document: once per document, in the order of\n"
                 "the documents, which are then the groups of one split run.\n"
                 "e.g. --split group=ctrl   or   --split sex=1,age_band='18-30'")
      ->type_name("VAR=VALUE[,VAR=VALUE]")
      ->allow_extra_args(false)
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
  app.add_option("--split-layout", layout,
                 "Split groups under headings of their own, or as layers of each table.\n"
                 "e.g. --split-layout layers   (default: heading)")
      ->type_name("heading|layers")
      ->check(CLI::IsMember({"heading", "layers"}).description(""));
  app.add_option("--format", format,
                 "The output format (default: by the extension of -o, else text).\n"
                 "e.g. --format json")
      ->type_name("html|text|json")
      ->check(CLI::IsMember({"html", "text", "json"}).description(""));
  app.add_option("-o,--output", options.fOutputFile,
                 "Write the report to this file instead of standard output (- for\n"
                 "standard output). e.g. -o report.html   (the extension chooses the format)")
      ->type_name("FILE");
  app.add_option("--width", options.fWidth,
                 "The width of the text report in columns; wide tables wrap their text,\n"
                 "never their numbers. e.g. --width 80   (default: the terminal's, else 100)")
      ->type_name("N")
      ->check(CLI::Range(20, 1000).description(""));
  app.add_option("--json-indent", options.fJsonIndent,
                 "Lay the JSON report out in lines, nested values indented by N blanks,\n"
                 "for people to read. e.g. --json-indent 2   (default: all on one line)")
      ->type_name("N")
      ->check(CLI::Range(0, 16).description(""));
  app.add_option("--templates", options.fTemplatesDir,
                 "The folder of the chart templates (default: the installed ones).\n"
                 "e.g. --templates ~/my-templates")
      ->type_name("DIR")
      ->check(CLI::Validator(CLI::ExistingDirectory).description(""));
  app.add_option("--strings", options.fStringsDir,
                 "The folder of the string tables, one folder per language inside\n"
                 "(default: the installed ones). e.g. --strings ~/strings")
      ->type_name("DIR")
      ->check(CLI::Validator(CLI::ExistingDirectory).description(""));
  app.add_option("--language", options.fLanguage,
                 "The language of the report's texts, if its string table is there.\n"
                 "e.g. --language de   (default: en)")
      ->type_name("en|de");
  app.add_flag("--chart-colors", options.fChartColors,
               "Tell the groups of a chart apart by colour alone, without fill\n"
               "patterns (for colour screens; patterns help on grey paper).\n"
               "e.g. --chart-colors -o report.html");
  app.add_flag("--no-charts", options.fNoCharts,
               "Leave out the chart of each test and of each field (the tables and\n"
               "the pairwise comparison networks stay). e.g. --no-charts -o report.html");
  app.add_flag("--no-effect-sizes", options.fNoEffectSizes,
               "Leave out each test's effect size table and its one-line report\n"
               "(statistic, p, effect size with its interval, N).\n"
               "e.g. --no-effect-sizes -o report.html");
  app.add_option("--charts-dir", options.fChartsDir,
                 "Also write each chart as a standalone SVG file into this folder (made\n"
                 "when missing), named after its heading number and title.\n"
                 "e.g. --charts-dir figures   (writes figures/1.2.1-c1-independent-...svg)")
      ->type_name("DIR");
  app.add_option("--data", options.fDataFile,
                 "A data file (CSV; TSV when named .tsv or .tab) with a header row of\n"
                 "names, whose results are computed (docs/data-files.md).\n"
                 "e.g. --data scores.csv --syntax-file t.sps")
      ->type_name("FILE");
  app.add_option("--delimiter", delimiter,
                 "The data file's delimiter: one character, or tab.\n"
                 "e.g. --delimiter ';'   (default: tab for .tsv/.tab, else comma)")
      ->type_name("C");
  app.add_option("--split-by", options.fSplitBy,
                 "Split the data file's cases by this column's values, one group each.\n"
                 "e.g. --split-by school")
      ->type_name("VAR");
  app.add_option("--save-results", options.fSaveResultsDir,
                 "Also write the documents computed from --data into this folder (made\n"
                 "when missing): STEM[_GROUP].xml, STEM the command file's name.\n"
                 "e.g. --save-results out")
      ->type_name("DIR");
  app.add_option("documents", options.fDocuments,
                 "Result documents of the engine (XML). None: the bundled examples.\n"
                 "e.g. nptests result1.xml result2.xml")
      ->type_name("RESULT.xml");
}

} // namespace

const char* OutputFormatName(OutputFormat format) {
  switch (format) {
  case OutputFormat::kHtml:
    return "html";
  case OutputFormat::kText:
    return "text";
  case OutputFormat::kJson:
    return "json";
  }
  return "text";
}

bool CommandLine::FormatOfFile(const std::string& path, OutputFormat& format) {
  const std::size_t slash = path.rfind('/');
  const std::size_t dot = path.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
    return false;
  const std::string extension = Lower(path.substr(dot));
  for (const NamedFormat& entry : kExtensions) {
    if (extension == entry.fExtension) {
      format = entry.fFormat;
      return true;
    }
  }
  return false;
}

int CommandLine::Parse(int argc, const char* const* argv, Options& options, std::ostream& out,
                       std::ostream& errStream) {
  MessageSink err(errStream);
  CLI::App app(kDescription, "nptests");
  app.footer(kFooter);
  app.set_version_flag("--version", std::string("nptests ") + NPTESTS_VERSION);
  app.get_formatter()->column_width(32);
  std::string format;
  std::string layout = "heading";
  std::string delimiter;
  AddOptions(app, options, format, layout, delimiter);
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    out << app.help();
    return 0;
  } catch (const CLI::CallForAllHelp&) {
    out << app.help();
    return 0;
  } catch (const CLI::CallForVersion& e) {
    out << e.what() << "\n";
    return 0;
  } catch (const CLI::ExtrasError& e) {
    // An option the program lacks: name the nearest one it has, as the command's keywords do.
    std::vector<std::string> names;
    for (const CLI::Option* option : app.get_options()) {
      for (const std::string& name : option->get_lnames())
        names.push_back("--" + name);
      for (const std::string& name : option->get_snames())
        names.push_back("-" + name);
    }
    std::string unknown;
    for (int i = 1; i < argc && unknown.empty(); ++i) {
      const std::string argument = argv[i];
      const std::string name = argument.substr(0, argument.find('='));
      if (name.size() > 1 && name[0] == '-' &&
          std::find(names.begin(), names.end(), name) == names.end())
        unknown = name;
    }
    const std::string nearest = unknown.empty() ? "" : KeywordSuggester::Nearest(unknown, names);
    if (nearest.empty())
      err << "nptests: " << std::string(e.what()) << "\nRun nptests --help for the options.\n";
    else
      err << "nptests: " << unknown << " is not an option. Did you mean " << nearest
          << "?\nRun nptests --help for the options.\n";
    return 2;
  } catch (const CLI::ParseError& e) {
    err << "nptests: " << std::string(e.what()) << "\nRun nptests --help for the options.\n";
    return 2;
  }
  // Each of these options left empty means "none" to the program (standard output, no folder, no
  // file): given with an empty name, it would be ignored without a word.
  const std::pair<const char*, const std::string*> named[] = {
      {"--output", &options.fOutputFile},
      {"--charts-dir", &options.fChartsDir},
      {"--templates", &options.fTemplatesDir},
      {"--strings", &options.fStringsDir},
      {"--dictionary", &options.fDictionaryFile},
      {"--syntax-file", &options.fSyntaxFile},
      {"--data", &options.fDataFile},
      {"--split-by", &options.fSplitBy},
      {"--save-results", &options.fSaveResultsDir}};
  for (const auto& [name, value] : named) {
    if (app.count(name) > 0 && value->empty()) {
      err << "nptests: " << name << " needs a name; it was given an empty one\n";
      return 2;
    }
  }
  options.fHasSyntax = app.count("--syntax") > 0;
  options.fLayout = layout == "layers" ? SplitLayout::kLayers : SplitLayout::kHeading;
  if (options.fOutputFile == "-")
    options.fOutputFile.clear();
  if (!format.empty()) {
    options.fFormat = FormatOfName(format);
  } else if (!options.fOutputFile.empty() && !FormatOfFile(options.fOutputFile, options.fFormat)) {
    err << "nptests: cannot tell the format of \"" << options.fOutputFile
        << "\" from its extension; name it .html, .txt or .json, or give --format\n";
    return 2;
  }
  return CheckData(app, options, delimiter, err);
}

namespace {

bool IsDataFileName(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  const std::size_t dot = path.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
    return false;
  const std::string extension = Lower(path.substr(dot));
  return extension == ".csv" || extension == ".tsv" || extension == ".tab";
}

} // namespace

int CommandLine::CheckData(const CLI::App& app, Options& options, const std::string& delimiter,
                           MessageSink& err) {
  for (const std::string& document : options.fDocuments) {
    if (IsDataFileName(document)) {
      err << "nptests: " << document << " is a data file, not a result document: give it as --data "
          << document << ", with the command to run (--syntax-file FILE or --syntax TEXT)\n";
      return 2;
    }
  }
  if (app.count("--delimiter") > 0) {
    if (delimiter == "tab" || delimiter == "\\t" || delimiter == "\t") {
      options.fDelimiter = '\t';
    } else if (delimiter.size() == 1 && delimiter != "\"" && delimiter != "\n" &&
               delimiter != "\r") {
      options.fDelimiter = delimiter[0];
    } else {
      err << "nptests: --delimiter: \"" << delimiter
          << "\" is not one character (other than a quote or a line break), nor tab\n";
      return 2;
    }
  }
  const bool data = !options.fDataFile.empty();
  if (data) {
    if (!options.fDocuments.empty() || !options.fSplits.empty()) {
      err << "nptests: --data computes the results itself: give no result documents"
          << (options.fSplits.empty() ? "" : " and no --split (use --split-by VAR)") << "\n";
      return 2;
    }
    if (!options.fHasSyntax && options.fSyntaxFile.empty()) {
      err << "nptests: --data needs the command to run: give --syntax-file FILE or --syntax TEXT\n";
      return 2;
    }
  } else {
    for (const char* name : {"--delimiter", "--split-by", "--save-results"}) {
      if (app.count(name) > 0) {
        err << "nptests: " << name << " needs --data FILE\n";
        return 2;
      }
    }
  }
  if ((options.fHasSyntax || !options.fSyntaxFile.empty()) && options.fDocuments.empty() && !data) {
    err << "nptests: " << (options.fHasSyntax ? "--syntax" : "--syntax-file")
        << " needs the documents its command is run on: name them after the options\n";
    return 2;
  }
  if (!options.fSplits.empty() && options.fDocuments.empty()) {
    err << "nptests: --split needs the documents it splits: name them after the options\n";
    return 2;
  }
  return kRun;
}
