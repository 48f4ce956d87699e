// The nptests job from options to report: planning the runs, reading and checking their inputs,
// driving the plug-in and writing the output document.
#include "ReportRun.h"

#include "BundledExamples.h"
#include "DataRun.h"
#include "DocumentDictionary.h"
#include "PluginLoader.h"
#include "ReportSinks.h"
#include "ResultDocument.h"

#include "chart/ChartService.h"
#include "dict/JsonDictionaryReader.h"
#include "dict/ProcedureDataSource.h"
#include "output/Document.h"
#include "output/Heading.h"
#include "output/ItemHold.h"
#include "output/Message.h"
#include "output/Table.h"
#include "parser/CommandParser.h"
#include "parser/CommandSpec.h"
#include "parser/CommandSyntaxError.h"
#include "parser/NptestsGrammar.h"
#include "pivot/BpProcedure.h"
#include "pivot/BpString.h"
#include "proc/CFAssert.h"
#include "proc/CFProcCustom.h"
#include "render/ChartFileWriter.h"
#include "render/HtmlWriter.h"
#include "render/JsonWriter.h"
#include "render/TextWriter.h"
#include "strings/FacSTDictionary.h"
#include "strings/PathFactory.h"

#include <sys/ioctl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <memory>
#include <ostream>
#include <sstream>
#include <unistd.h>

namespace {

const char* const kProcedure = "Nonparametric Tests";
// The environment variable by which the plug-in leaves out its test and field charts ("2").
const char* const kChartSwitch = "DEBUG_MODEL_VIEWER";

bool IsDirectory(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// The whole file, or false with `error` saying why not.
bool ReadFile(const std::string& path, std::string& text, std::string& error) {
  if (IsDirectory(path)) {
    error = "is a folder, not a file";
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = std::string("cannot be opened: ") + std::strerror(errno);
    return false;
  }
  std::ostringstream buffer;
  buffer << in.rdbuf();
  text = buffer.str();
  return true;
}

// The text report's width: the option's, else the terminal's when the report goes to one.
int TextWidth(const Options& options) {
  if (options.fWidth > 0)
    return options.fWidth;
  winsize size{};
  if (options.fOutputFile.empty() && isatty(STDOUT_FILENO) != 0 &&
      ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col >= 20)
    return size.ws_col;
  return 100;
}

std::unique_ptr<OutputWriter> WriterFor(const Options& options) {
  switch (options.fFormat) {
  case OutputFormat::kHtml:
    return std::make_unique<HtmlWriter>("Nonparametric Tests");
  case OutputFormat::kText:
    return std::make_unique<TextWriter>(TextWidth(options));
  case OutputFormat::kJson:
    return std::make_unique<JsonWriter>(options.fJsonIndent);
  }
  return std::make_unique<TextWriter>();
}

// The file names of a run's documents, joined by ", ": what the run's heading shows.
std::string RunTitle(const std::vector<std::string>& paths) {
  std::string title;
  for (const std::string& path : paths) {
    if (!title.empty())
      title += ", ";
    std::string::size_type slash = path.find_last_of('/');
    title += slash == std::string::npos ? path : path.substr(slash + 1);
  }
  return title;
}

output::Message::Level LevelOf(ParserMessageEntry::Level level) {
  switch (level) {
  case ParserMessageEntry::Level::kWarning:
    return output::Message::Level::kWarning;
  case ParserMessageEntry::Level::kError:
    return output::Message::Level::kError;
  }
  return output::Message::Level::kError;
}

} // namespace

ReportRun::ReportRun(const Options& options, std::string programFolder, std::ostream& out,
                     std::ostream& err)
    : fOptions(options), fProgramFolder(std::move(programFolder)), fOut(out), fErr(err),
      fGrammar(MakeNptestsDescriptor()) {
  fGrammar.SetMessageLog(&fLog);
}

ReportRun::~ReportRun() {
  // --no-charts switched the charts off for this report only: a later report in the process (whose
  // plug-in is loaded afresh and reads the switch again) starts from the caller's setting.
  if (!fChartSwitchSet)
    return;
  if (fChartSwitchBefore)
    setenv(kChartSwitch, fChartSwitchBefore->c_str(), 1);
  else
    unsetenv(kChartSwitch);
}

int ReportRun::Execute() {
  if (!Configure() || !ReadCommand() || !ReadDictionaryFile() || !PlanRuns())
    return kUsageError;
  for (const Run& run : fRuns)
    fDocumentCount += run.fPaths.size();
  // A data run needs the plug-in's reading of its command before its documents can be computed.
  if (std::any_of(fRuns.begin(), fRuns.end(), [](const Run& run) { return run.fFromData; }) &&
      !OpenPlugin())
    return kCannotRun;
  bool usable = true;
  for (Run& run : fRuns)
    usable = PrepareRun(run) && usable;
  if (!usable)
    return kUsageError;
  if (!SaveResults())
    return kCannotRun;
  bool anyLoaded = false;
  for (const Run& run : fRuns)
    anyLoaded = anyLoaded || !run.fDocuments.empty();
  if (!fCommand.fHasCommand && !fOptions.fDocuments.empty() && anyLoaded) {
    bool simulated = false;
    for (const Run& run : fRuns)
      simulated = simulated || run.fSettingsFromDocuments;
    fErr << "nptests: no command given: the settings were taken from the documents";
    if (simulated)
      fErr << " (the Kolmogorov-Smirnov simulations they hold, with seed "
           << DocumentSettings::kDefaultSeed << " and " << DocumentSettings::kDefaultSamples
           << " samples, which documents do not record)";
    fErr << "\n";
  }

  fStrings = std::make_unique<FacSTDictionary>(
      PathFactory::getPathInstance(PathFactory::kStringTables)->getPath());
  if (!fStrings->SetProcedure(kProcedure))
    fErr << "nptests: warning: " << fStrings->LastError() << "\n";

  if (!OpenPlugin())
    return kCannotRun;
  const PluginLoader& plugin = *fPlugin;
  ShowDocumentsRead();
  // The document may hold objects the plug-in made, so it goes before the library is closed.
  {
    output::Document document;
    document.SetLanguage(PathFactory::GetLanguage());
    // The report is written as the plug-in makes it: each item goes out, and is freed, once it can
    // no longer change, so that memory holds what is being made rather than the whole report.
    ReportSinks sinks;
    if (!OpenReport(sinks))
      return kCannotRun;
    // Charts are drawn for a format that shows the drawings and for the chart files alone.
    document.SetChartsDrawn(sinks.writer->ShowsDrawings() || sinks.chartFiles != nullptr);
    // The chart files are figures for papers: laid out again at a printed figure's size.
    document.SetPrintDrawings(sinks.chartFiles != nullptr);
    // A report on standard output, on the terminal, shows its own progress; a status line would
    // land in the middle of it.
    if (fOptions.fOutputFile.empty())
      fErr.DisableStatus();
    document.StreamTo(sinks);
    // The JSON report is the record of what the plug-in made; the reports people read are headed
    // with what produced them.
    if (fOptions.fFormat != OutputFormat::kJson)
      AppendReportHeader(document);
    for (Run& run : fRuns) {
      Process(plugin, document, run);
      document.Settle();
      // The output holds copies of all it shows, so a run's loaded documents go before the next
      // run is read: the peak holds one run's trees at most.
      run.fBlocks.clear();
      run.fDocuments.clear();
      fDocumentsRead += run.fPaths.size();
      ShowDocumentsRead();
    }
    if (!fOptions.fOutputFile.empty())
      fErr.Status("nptests: writing " + fOptions.fOutputFile);
    document.Finish();
    const bool written = CloseReport(sinks, document.Language());
    fErr.ClearStatus();
    if (!written)
      return kCannotRun;
    if (sinks.chartsLeftOut > 0 && fStatus == kAllRead)
      fStatus = kChartLeftOut;
  }
  return fStatus;
}

bool ReportRun::Configure() {
  // The plug-in reads this switch once per load, when it writes its first output, so it is set
  // before any document is processed.
  if (fOptions.fNoCharts) {
    if (const char* before = std::getenv(kChartSwitch))
      fChartSwitchBefore = before;
    if (setenv(kChartSwitch, "2", 1) != 0) {
      fErr << "nptests: --no-charts: cannot switch the charts off: " << std::strerror(errno)
           << "\n";
      return false;
    }
    fChartSwitchSet = true;
  }
  if (!fOptions.fStringsDir.empty())
    PathFactory::SetStringsRoot(fOptions.fStringsDir);
  if (!fOptions.fTemplatesDir.empty())
    PathFactory::SetTemplatesRoot(fOptions.fTemplatesDir);
  if (!PathFactory::SetLanguage(fOptions.fLanguage)) {
    fErr << "nptests: --language: \"" << fOptions.fLanguage << "\" is not a language name\n";
    return false;
  }
  const std::string tables = PathFactory::getPathInstance(PathFactory::kStringTables)->getPath();
  if (!IsDirectory(tables)) {
    fErr << "nptests: --language: there is no string table for \"" << fOptions.fLanguage
         << "\" (no folder " << tables << ")\n";
    return false;
  }
  fCharts = std::make_unique<ChartService>(
      PathFactory::getPathInstance(PathFactory::kChartTemplates)->getPath(), fOptions.fChartColors);
  return true;
}

bool ReportRun::ReadCommand() {
  if (fOptions.fHasSyntax) {
    fCommand.fCommandText = fOptions.fSyntax;
    fCommand.fCommandSource = "--syntax";
    fCommand.fHasCommand = true;
    return CheckCommandText(fCommand);
  }
  if (fOptions.fSyntaxFile.empty())
    return true;
  return ReadCommandFile(fOptions.fSyntaxFile, fCommand) && CheckCommandText(fCommand);
}

bool ReportRun::ReadCommandFile(const std::string& path, Run& run) {
  std::string error;
  if (!ReadFile(path, run.fCommandText, error)) {
    fErr << "nptests: " << path << ": " << error << "\n";
    return false;
  }
  run.fCommandSource = path;
  run.fHasCommand = true;
  return true;
}

// The grammar alone, before any dictionary: a mistake in the command is reported once, not once
// per document.
bool ReportRun::CheckCommandText(const Run& run) {
  try {
    CommandParser(fGrammar, nullptr).Parse(run.fCommandText);
    return true;
  } catch (const std::exception& e) {
    fErr << "nptests: " << run.fCommandSource << ": " << e.what() << "\n";
    return false;
  }
}

bool ReportRun::OpenPlugin() {
  if (fPlugin)
    return true;
  std::string error;
  fPlugin = PluginLoader::Open(fProgramFolder, error);
  if (!fPlugin)
    fErr << "nptests: " << error << "\n";
  return fPlugin != nullptr;
}

bool ReportRun::ReadDictionaryFile() {
  // A data file's dictionary is read with the data, which it must fit.
  if (fOptions.fDictionaryFile.empty() || !fOptions.fDataFile.empty())
    return true;
  const std::string& path = fOptions.fDictionaryFile;
  std::string text;
  std::string error;
  if (!ReadFile(path, text, error)) {
    fErr << "nptests: " << path << ": " << error << "\n";
    return false;
  }
  fDictionaryFile = std::make_unique<ProcedureDataSource>();
  if (!JsonDictionaryReader::Read(text, *fDictionaryFile, error)) {
    fErr << "nptests: " << path << ": " << error << "\n";
    return false;
  }
  return true;
}

bool ReportRun::PlanRuns() {
  if (!fOptions.fDataFile.empty())
    return PlanData();
  return fOptions.fDocuments.empty() ? PlanBundled() : PlanDocuments();
}

bool ReportRun::PlanData() {
  Run run;
  run.fFromData = true;
  run.fDataPath = fOptions.fDataFile;
  run.fDataDictionaryPath = fOptions.fDictionaryFile;
  run.fSplitBy = fOptions.fSplitBy;
  run.fPaths = {fOptions.fDataFile};
  run.fCommandText = fCommand.fCommandText;
  run.fCommandSource = fCommand.fCommandSource;
  run.fHasCommand = fCommand.fHasCommand;
  run.fSaveStem =
      DataRun::Stem(fOptions.fSyntaxFile.empty() ? fOptions.fDataFile : fOptions.fSyntaxFile);
  fRuns.push_back(std::move(run));
  return true;
}

bool ReportRun::PrepareDataRun(Run& run) {
  DataRun::Input input;
  input.fDataPath = run.fDataPath;
  input.fDelimiter = fOptions.fDelimiter;
  input.fDictionaryPath = run.fDataDictionaryPath;
  input.fSplitBy = run.fSplitBy;
  input.fCommandText = run.fCommandText;
  input.fCommandSource = run.fCommandSource;
  DataRun::Result result;
  std::string error;
  fLog.Clear();
  const bool ok = DataRun::Compute(input, fGrammar, *fPlugin, result, error);
  // The plug-in's messages on the command are shown when it reads it again for the report,
  // unless the command stops here.
  if (!ok) {
    for (const ParserMessageEntry& entry : fLog.GetEntries())
      fErr << "nptests: " << run.fCommandSource << ": " << ParserMessageLog::Format(entry) << "\n";
    fErr << "nptests: " << error << "\n";
    fLog.Clear();
    return false;
  }
  fLog.Clear();
  run.fOwnDictionary = std::move(result.fDictionary);
  run.fDictionary = run.fOwnDictionary.get();
  run.fCommand = std::move(result.fCommand);
  run.fSeed = result.fSeed;
  // The data file and, when it is a file, the command's: two runs may share their data.
  std::vector<std::string> named{run.fDataPath};
  if (!fOptions.fHasSyntax)
    named.push_back(run.fCommandSource);
  run.fTitle = RunTitle(named) + (run.fSplitBy.empty() ? "" : " by " + run.fSplitBy);
  fDocumentCount -= run.fPaths.size();
  run.fPaths.clear();
  for (engine::EngineDocument& computed : result.fDocuments) {
    const std::string name = DataRun::SavedName(run.fSaveStem, computed.fSplit);
    const std::string path =
        computed.fSplit.empty() ? run.fDataPath : run.fDataPath + " (" + computed.fSplit + ")";
    if (!fOptions.fSaveResultsDir.empty())
      fComputed.emplace_back(name, computed.fText);
    std::string reason;
    std::unique_ptr<ResultDocument> document =
        ResultDocument::FromText(path, std::move(computed.fText), reason);
    run.fPaths.push_back(path);
    if (!document) {
      ReportDocument(path, "the computed document cannot be read: " + reason);
      continue;
    }
    run.fDocuments.push_back(std::move(document));
    if (!computed.fSplit.empty())
      run.fSplitTexts.push_back(computed.fSplit);
  }
  fDocumentCount += run.fPaths.size();
  if (run.fDocuments.empty())
    return true; // each is reported; nothing is left to run
  if (!ParseSplits(run, run.fSplits))
    return false;
  std::string reason;
  if (!DocumentDictionary::Build(run.fDocuments.front()->Root(), nullptr, run.fMetadata, reason)) {
    ReportDocument(run.fDocuments.front()->Path(), reason);
    run.fDocuments.clear();
    return true;
  }
  for (const auto& document : run.fDocuments)
    run.fSettings.Add(document->Root());
  return BuildBlocks(run);
}

bool ReportRun::SaveResults() {
  if (fOptions.fSaveResultsDir.empty())
    return true;
  const std::string& folder = fOptions.fSaveResultsDir;
  std::error_code code;
  std::filesystem::create_directories(folder, code);
  if (code || !IsDirectory(folder)) {
    fErr << "nptests: --save-results: cannot make the folder " << folder << ": "
         << (code ? code.message() : std::string("a file of that name is in the way")) << "\n";
    return false;
  }
  for (const auto& [name, text] : fComputed) {
    const std::string path = folder + "/" + name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out) {
      fErr << "nptests: --save-results: cannot write " << path << ": " << std::strerror(errno)
           << "\n";
      return false;
    }
  }
  fComputed.clear();
  return true;
}

std::string ReportRun::TitleOf(const Run& run) const {
  return run.fTitle.empty() ? RunTitle(run.fPaths) : run.fTitle;
}

bool ReportRun::PlanDocuments() {
  const std::vector<std::string>& documents = fOptions.fDocuments;
  const std::vector<std::string>& splits = fOptions.fSplits;
  if (!splits.empty() && splits.size() != documents.size()) {
    fErr << "nptests: " << splits.size() << " --split for " << documents.size()
         << " documents; give one --split per document, in the order of the documents\n";
    return false;
  }
  // Split documents are the groups of one run; other documents are runs of their own.
  const std::size_t groups = splits.empty() ? 1 : documents.size();
  for (std::size_t i = 0; i < documents.size(); i += groups) {
    Run run;
    run.fPaths.assign(documents.begin() + static_cast<long>(i),
                      documents.begin() + static_cast<long>(i + groups));
    run.fSplitTexts = splits;
    run.fCommandText = fCommand.fCommandText;
    run.fCommandSource = fCommand.fCommandSource;
    run.fHasCommand = fCommand.fHasCommand;
    fRuns.push_back(std::move(run));
  }
  return true;
}

bool ReportRun::PlanBundled() {
  std::string folder;
  std::string error;
  std::vector<BundledExamples::Run> bundled;
  if (!BundledExamples::Find(fProgramFolder, folder, error) ||
      !BundledExamples::Plan(folder, bundled, error)) {
    fErr << "nptests: " << error << "\n";
    return false;
  }
  for (const BundledExamples::Run& example : bundled) {
    Run run;
    run.fPaths = example.fDocuments;
    run.fSplitTexts = example.fSplits;
    if (example.fFromData && !fCommand.fHasCommand) {
      run.fFromData = true;
      run.fSplitTexts.clear();
      run.fDataPath = example.fData;
      run.fDataDictionaryPath = example.fDictionary;
      run.fSplitBy = example.fSplitBy;
      run.fPaths = {example.fData};
      run.fSaveStem = DataRun::Stem(example.fSyntaxFile);
      if (!(ReadCommandFile(example.fSyntaxFile, run) && CheckCommandText(run)))
        return false;
      fRuns.push_back(std::move(run));
      continue;
    }
    if (fCommand.fHasCommand) {
      run.fCommandText = fCommand.fCommandText;
      run.fCommandSource = fCommand.fCommandSource;
      run.fHasCommand = true;
    } else if (!example.fSyntaxFile.empty() &&
               !(ReadCommandFile(example.fSyntaxFile, run) && CheckCommandText(run))) {
      return false;
    }
    fRuns.push_back(std::move(run));
  }
  return true;
}

bool ReportRun::ParseSplits(const Run& run, std::vector<SplitArgument>& splits) {
  for (const std::string& text : run.fSplitTexts) {
    SplitArgument split;
    std::string error;
    if (!SplitArgument::Parse(text, split, error)) {
      fErr << "nptests: --split " << text << ": " << error << "\n";
      return false;
    }
    if (!splits.empty() && split.VariableNames() != splits.front().VariableNames()) {
      fErr << "nptests: --split " << text << ": every document must be split by the same "
           << "variables, in the same order, as the first\n";
      return false;
    }
    splits.push_back(split);
  }
  return true;
}

bool ReportRun::PrepareRun(Run& run) {
  if (run.fFromData)
    return PrepareDataRun(run);
  std::vector<SplitArgument> splits;
  if (!ParseSplits(run, splits))
    return false;
  for (std::size_t i = 0; i < run.fPaths.size(); ++i) {
    fErr.Status("nptests: checking document " + std::to_string(++fDocumentsChecked) + " of " +
                std::to_string(fDocumentCount));
    std::string reason;
    std::unique_ptr<ResultDocument> document = ResultDocument::Load(run.fPaths[i], reason);
    if (!document) {
      ReportDocument(run.fPaths[i], reason);
      continue;
    }
    run.fDocuments.push_back(std::move(document));
    if (!splits.empty())
      run.fSplits.push_back(splits[i]);
  }
  if (!BuildDictionary(run))
    return true; // every document is reported; nothing is left to run
  for (const auto& document : run.fDocuments)
    run.fSettings.Add(document->Root());
  if (!run.fHasCommand)
    TakeSettingsFromDocuments(run);
  return BuildBlocks(run) && ParseCommand(run);
}

void ReportRun::TakeSettingsFromDocuments(Run& run) {
  const std::string text = run.fSettings.CommandText(*run.fDictionary);
  if (text.empty())
    return;
  run.fCommandText = text;
  run.fCommandSource = "the settings of " + RunTitle(run.fPaths);
  run.fHasCommand = true;
  run.fSettingsFromDocuments = true;
}

// The dictionary file, or the dictionary of the run's first document that has a usable one;
// a document without one cannot be read against anything and is reported.
bool ReportRun::BuildDictionary(Run& run) {
  while (!run.fDocuments.empty()) {
    ResultDocument& first = *run.fDocuments.front();
    std::string error;
    if (fDictionaryFile) {
      run.fDictionary = fDictionaryFile.get();
    } else {
      run.fOwnDictionary = std::make_unique<ProcedureDataSource>();
      run.fDictionary = run.fOwnDictionary.get();
    }
    run.fMetadata = CFMetaData();
    if (!DocumentDictionary::Build(first.Root(), run.fOwnDictionary.get(), run.fMetadata, error)) {
      ReportDocument(first.Path(), error);
      run.fDocuments.erase(run.fDocuments.begin());
      if (!run.fSplits.empty())
        run.fSplits.erase(run.fSplits.begin());
      continue;
    }
    return true;
  }
  return false;
}

std::string ReportRun::DictionaryName(const Run& run) const {
  return fDictionaryFile ? fOptions.fDictionaryFile
                         : "the dictionary of " + run.fDocuments.front()->Path();
}

bool ReportRun::BuildBlocks(Run& run) {
  for (std::size_t i = 0; i < run.fDocuments.size(); ++i) {
    CFStatXMLInfoBlock block;
    block.fResultXML = run.fDocuments[i]->TakeText();
    block.fResultRoot = &run.fDocuments[i]->Root();
    block.fSplitByHeading = fOptions.fLayout == SplitLayout::kHeading;
    std::string error;
    if (!run.fSplits.empty() && !run.fSplits[i].Apply(*run.fDictionary, block, error)) {
      fErr << "nptests: --split for " << run.fDocuments[i]->Path() << ": " << error << " in "
           << DictionaryName(run) << "\n";
      return false;
    }
    run.fBlocks.push_back(std::move(block));
  }
  return true;
}

bool ReportRun::ParseCommand(Run& run) {
  if (!run.fHasCommand)
    return true;
  try {
    run.fCommand = CommandParser(fGrammar, run.fDictionary).Parse(run.fCommandText);
    return true;
  } catch (const std::exception& e) {
    if (run.fSettingsFromDocuments) {
      // A field name the command language cannot spell: the run goes on with the defaults.
      fErr << "nptests: warning: " << run.fCommandSource << " cannot be written as a command ("
           << e.what() << "); the asymptotic significances are shown\n";
      run.fHasCommand = false;
      run.fSettingsFromDocuments = false;
      return true;
    }
    fErr << "nptests: " << run.fCommandSource << ": " << e.what() << " (the variables are those of "
         << DictionaryName(run) << ")\n";
    return false;
  }
}

void ReportRun::WarnMismatches(const CFProcCustom& procedure, const Run& run) {
  if (run.fSettingsFromDocuments || !run.fCommand)
    return;
  // The plug-in's list of the command's fields also holds the split and weight variables.
  std::vector<int> fields;
  const std::vector<int>& splits =
      run.fBlocks.empty() ? std::vector<int>() : run.fBlocks.front().fSplitVarIndexes;
  for (int field : procedure.GetEngineVarIndexes()) {
    if (field != run.fDictionary->GetWeightVarIndex() &&
        std::find(splits.begin(), splits.end(), field) == splits.end())
      fields.push_back(field);
  }
  const std::vector<bool> requested =
      DocumentSettings::RequestedSimulations(*run.fCommand, fGrammar);
  for (const std::string& line : run.fSettings.Mismatches(fields, requested, *run.fDictionary,
                                                          TitleOf(run), run.fCommandSource))
    fErr << "nptests: warning: " << line << "\n";
}

void ReportRun::Process(const PluginLoader& plugin, output::Document& document, Run& run) {
  if (run.fDocuments.empty())
    return;
  try {
    // With several runs in one report, each stands under a heading naming its documents.
    output::Heading* parent = nullptr;
    if (fRuns.size() > 1)
      parent = document.Append(
          std::make_unique<output::Heading>(BpString(TitleOf(run), false).ToLabel(nullptr)));
    // Held while the run lasts, or the report would close it before the plug-in writes under it.
    const output::ItemHold<output::Heading> hold(parent);
    std::unique_ptr<BpProcedure> root =
        parent != nullptr
            ? std::make_unique<BpProcedure>(document, *parent, fStrings.get(), run.fDictionary,
                                            kProcedure)
            : std::make_unique<BpProcedure>(document, fStrings.get(), run.fDictionary, kProcedure);
    root->SetChartService(fCharts.get());
    std::unique_ptr<CFProcCustom> procedure = plugin.MakeProcedure();
    Drive(*procedure, *root, run);
  } catch (const CFAssertionError& e) {
    // A check the plug-in makes of what it reads: where and what in the user's terms when the
    // check says them, the check itself after them, for whoever has to look into it.
    std::string reason = e.Place().empty() ? "" : e.Place() + " is malformed";
    if (!e.Description().empty())
      reason += (reason.empty() ? "" : ": ") + e.Description();
    reason = reason.empty() ? std::string("the plug-in stopped: ") + e.what()
                            : reason + " (the plug-in's check: " + e.what() + ")";
    for (const auto& failed : run.fDocuments)
      ReportDocument(failed->Path(), reason);
  } catch (const std::exception& e) {
    for (const auto& failed : run.fDocuments)
      ReportDocument(failed->Path(), std::string("the plug-in stopped: ") + e.what());
  } catch (...) {
    for (const auto& failed : run.fDocuments)
      ReportDocument(failed->Path(), "the plug-in stopped with an unknown error");
  }
}

void ReportRun::Drive(CFProcCustom& procedure, BpProcedure& root, Run& run) {
  procedure.SetProcedure(&root);
  procedure.SetDataSource(run.fDictionary);
  procedure.SetEffectSizesShown(!fOptions.fNoEffectSizes);
  procedure.SetDictMetadata(&run.fMetadata);
  procedure.SetWeightVarIndex(run.fDictionary->GetWeightVarIndex());
  if (!run.fSplits.empty())
    procedure.SetSplitVarIndexes(run.fBlocks.front().fSplitVarIndexes);
  if (run.fCommand) {
    if (!RunCommand(procedure, root, run))
      return;
    // A seed drawn at random must be the one the engine's documents were computed with.
    if (run.fFromData)
      procedure.SetSeed(run.fSeed);
    WarnMismatches(procedure, run);
  }
  if (!run.fSplits.empty()) {
    // Split groups: the plug-in writes every group it can read and does not say which it could
    // not, so the check made when loading is all that is reported for them.
    procedure.ProcessOutputXML(std::vector<std::string>(), run.fBlocks, std::string());
    return;
  }
  if (!procedure.ProcessOutputXML(std::string(), run.fBlocks.front())) {
    const std::string& why = procedure.GetReadError();
    ReportDocument(
        run.fDocuments.front()->Path(),
        "the plug-in could not read it: " +
            (why.empty() ? std::string("a part it needs is missing or malformed") : why));
  }
}

bool ReportRun::RunCommand(CFProcCustom& procedure, BpProcedure& root, Run& run) {
  fLog.Clear();
  const bool ok = procedure.ProcessSyntax(run.fCommand.get(), &fGrammar);
  for (const ParserMessageEntry& entry : fLog.GetEntries()) {
    fErr << "nptests: " << run.fCommandSource << ": " << ParserMessageLog::Format(entry) << "\n";
    root.SendMessage(std::make_unique<output::Message>(LevelOf(entry.fLevel),
                                                       output::Label::PlainText(entry.fText)));
  }
  if (!ok) {
    fErr << "nptests: " << run.fCommandSource << ": the command cannot be run on "
         << run.fDocuments.front()->Path() << "\n";
    fStatus = kUsageError;
  }
  return ok;
}

namespace {

// The time the report is made, or SOURCE_DATE_EPOCH's when set, so that a build can reproduce a
// report byte for byte.
std::string ReportDate() {
  std::time_t now = std::time(nullptr);
  if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH")) {
    char* end = nullptr;
    const long long seconds = std::strtoll(epoch, &end, 10);
    if (end != epoch && *end == '\0' && seconds >= 0)
      now = static_cast<std::time_t>(seconds);
  }
  std::tm utc{};
  gmtime_r(&now, &utc);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M UTC", &utc);
  return text;
}

// The command as one line: its words separated by single blanks.
std::string OneLine(const std::string& text) {
  std::istringstream words(text);
  std::string line;
  for (std::string word; words >> word;)
    line += (line.empty() ? "" : " ") + word;
  return line;
}

} // namespace

void ReportRun::AppendReportHeader(output::Document& document) const {
  const auto translated = [this](const char* key) {
    bool found = false;
    const std::string text = fStrings->Translate(key, found);
    return output::Label::Translated(key, text, !found);
  };
  std::string documents;
  if (!fOptions.fDataFile.empty()) {
    documents = "computed from " + fOptions.fDataFile;
  } else if (fOptions.fDocuments.empty()) {
    std::size_t count = 0, computed = 0;
    for (const Run& run : fRuns) {
      count += run.fPaths.size();
      computed += run.fFromData ? 1 : 0;
    }
    documents = "the bundled examples (" + std::to_string(count) + " documents";
    if (computed == fRuns.size())
      documents += ", computed from their data";
    else if (computed > 0)
      documents += ", " + std::to_string(computed) + " runs computed from their data";
    documents += ")";
  } else {
    for (const std::string& path : fOptions.fDocuments)
      documents += (documents.empty() ? "" : ", ") + path;
  }
  std::string command;
  if (fCommand.fHasCommand)
    command = fOptions.fHasSyntax ? OneLine(fCommand.fCommandText) : fCommand.fCommandSource;
  else if (fOptions.fDocuments.empty())
    command = "each example's own command";
  // Without a command the settings come from the documents, unless there was none to take them
  // from.
  const bool anyRead = std::any_of(fRuns.begin(), fRuns.end(),
                                   [](const Run& run) { return !run.fDocuments.empty(); });
  const char* const noCommand =
      anyRead ? "Settings taken from the documents" : "No document could be read";
  std::vector<std::pair<const char*, output::Label>> rows = {
      {"Program", output::Label::PlainText(std::string("nptests ") + NPTESTS_VERSION)},
      {"Date", output::Label::PlainText(ReportDate())},
      {"Documents", output::Label::PlainText(documents)},
      {"Command", command.empty() ? translated(noCommand) : output::Label::PlainText(command)},
      {"Language", output::Label::PlainText(fOptions.fLanguage)},
      {"Charts", translated(fOptions.fNoCharts ? "Charts switched off" : "Charts shown")},
      {"Effect sizes",
       translated(fOptions.fNoEffectSizes ? "Effect sizes switched off" : "Effect sizes shown")},
  };
  auto table = std::make_unique<output::Table>(translated("Report"), "Report");
  output::Dimension* items = table->AddDimension(translated("Report"));
  items->SetPlacement(output::Dimension::Place::kRow, 1, false);
  output::Dimension* values = table->AddDimension(output::Label::PlainText(""));
  values->SetPlacement(output::Dimension::Place::kColumn, 1, false);
  output::Category* value = values->Root().FindOrAddChild(output::Label::PlainText(""), false);
  for (auto& [key, label] : rows) {
    const output::Category* item = items->Root().FindOrAddChild(translated(key), false);
    table->CellAt({item, value}).label = label;
  }
  document.Append(std::move(table));
}

bool ReportRun::OpenReport(ReportSinks& sinks) {
  // Every place the run writes to is made sure of before anything is written, and the report takes
  // the place of the file at -o only once it is whole: a run that fails leaves what was there.
  if (!fOptions.fOutputFile.empty()) {
    std::string error;
    if (!sinks.file.Open(fOptions.fOutputFile, error)) {
      fErr << "nptests: cannot write " << fOptions.fOutputFile << ": " << error << "\n";
      return false;
    }
  }
  if (!fOptions.fChartsDir.empty()) {
    try {
      sinks.chartFiles = std::make_unique<ChartFileWriter>(fOptions.fChartsDir);
    } catch (const std::runtime_error& error) {
      fErr << "nptests: --charts-dir: " << error.what() << "\n";
      return false;
    }
  }
  std::ostream& out = fOptions.fOutputFile.empty() ? fOut : sinks.file.Stream();
  sinks.writer = WriterFor(fOptions);
  sinks.report = sinks.writer->Open(out);
  sinks.warnings = &fErr;
  return true;
}

bool ReportRun::CloseReport(ReportSinks& sinks, const std::string& language) {
  sinks.report->End(language);
  bool written = true;
  if (fOptions.fOutputFile.empty()) {
    fOut.flush();
  } else {
    std::string error;
    if (!sinks.file.Commit(error)) {
      fErr << "nptests: writing " << fOptions.fOutputFile << " failed: " << error << "\n";
      written = false;
    }
  }
  if (sinks.chartFiles && !sinks.chartFiles->Error().empty()) {
    fErr << "nptests: --charts-dir: " << sinks.chartFiles->Error() << "\n";
    written = false;
  }
  return written;
}

void ReportRun::ShowDocumentsRead() {
  fErr.Status("nptests: " + std::to_string(fDocumentsRead) + " of " +
              std::to_string(fDocumentCount) + " documents read");
}

void ReportRun::ReportDocument(const std::string& path, const std::string& reason) {
  fErr << "nptests: " << path << ": " << reason << "\n";
  if (fStatus < kDocumentFailed)
    fStatus = kDocumentFailed;
}
