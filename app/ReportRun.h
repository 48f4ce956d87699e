// One invocation of nptests: reads the command, the dictionary and the documents, drives the
// plug-in over them and writes the report.
#pragma once

#include "CommandLine.h"
#include "DocumentSettings.h"
#include "MessageSink.h"
#include "SplitArgument.h"

#include "dict/CFMetaData.h"
#include "parser/CommandDescriptor.h"
#include "parser/ParserMessageLog.h"
#include "proc/CFStatXMLInfoBlock.h"

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class BpProcedure;
class CFProcCustom;
class ChartService;
class CommandSpec;
class FacSTDictionary;
class ProcedureDataSource;
class PluginLoader;
class ResultDocument;
struct ReportSinks;
class VORN_DataSource;
namespace output {
class Document;
}

class ReportRun {
public:
  // Exit statuses.
  static constexpr int kAllRead = 0;
  static constexpr int kDocumentFailed = 1;
  static constexpr int kUsageError = 2;
  static constexpr int kCannotRun = 3;
  // Every document was read and the report written, but a chart was left out (each named in a
  // warning); a failed document's status goes before it.
  static constexpr int kChartLeftOut = 4;

  // `options` are borrowed for the lifetime of the object; messages go to `err`, the report to
  // `out` unless options name a file. `programFolder` is where the plug-in and the bundled
  // examples are looked for.
  ReportRun(const Options& options, std::string programFolder, std::ostream& out,
            std::ostream& err);
  ~ReportRun();
  ReportRun(const ReportRun&) = delete;
  ReportRun& operator=(const ReportRun&) = delete;

  // Does the whole job and returns the exit status. A usage error stops before anything is
  // written; a document that cannot be read is reported and the others are still written.
  // Exceptions from the plug-in are reported as failed documents; nothing is thrown.
  int Execute();
  // Shows on standard error, while the run lasts, how many documents have been read of all and
  // when the report is being written. For a terminal only: the lines are overwritten in place.
  void ShowProgress() { fErr.EnableStatus(); }

private:
  // What one run of the plug-in needs: the documents (several when they are split groups), the
  // dictionary they are read against and the parsed command.
  struct Run {
    std::vector<std::string> fPaths;
    std::vector<std::string> fSplitTexts;
    // The command's text and where it came from, for messages; no command when fHasCommand is
    // false.
    std::string fCommandText;
    std::string fCommandSource;
    bool fHasCommand = false;
    // True when the command was not given but made from the documents' settings.
    bool fSettingsFromDocuments = false;
    // The documents that loaded, with their split groups when the run is split.
    std::vector<std::unique_ptr<ResultDocument>> fDocuments;
    std::vector<SplitArgument> fSplits;
    std::vector<CFStatXMLInfoBlock> fBlocks;
    std::unique_ptr<ProcedureDataSource> fOwnDictionary;
    VORN_DataSource* fDictionary = nullptr;
    CFMetaData fMetadata;
    std::unique_ptr<CommandSpec> fCommand;
    // What the loaded documents say about the command that produced them.
    DocumentSettings fSettings;
    // A run from a data file: the engine computes its documents (one per split group) before
    // the report is opened; the plug-in reads them as it reads files.
    bool fFromData = false;
    std::string fDataPath;
    std::string fDataDictionaryPath;
    std::string fSplitBy;
    // The heading of the run in a report of several runs; empty: its documents' names.
    std::string fTitle;
    // The stem of the saved documents' names (--save-results).
    std::string fSaveStem;
    // The seed the engine drew with, given to the plug-in again after it reads the command.
    int fSeed = 0;
  };

  bool Configure();
  bool ReadCommand();
  bool ReadDictionaryFile();
  bool PlanRuns();
  bool PlanDocuments();
  bool PlanBundled();
  bool PlanData();
  // Opens the plug-in once; false (said on standard error) when it cannot be.
  bool OpenPlugin();
  // Computes a data run's documents and loads them as the documents of the run.
  bool PrepareDataRun(Run& run);
  // Writes every data run's documents to --save-results; false (said) when one cannot be.
  bool SaveResults();
  std::string TitleOf(const Run& run) const;
  bool CheckCommandText(const Run& run);
  bool ReadCommandFile(const std::string& path, Run& run);
  // Loads the run's documents, builds its dictionary, blocks and command; false on a usage error.
  bool PrepareRun(Run& run);
  bool BuildDictionary(Run& run);
  bool ParseSplits(const Run& run, std::vector<SplitArgument>& splits);
  bool BuildBlocks(Run& run);
  std::string DictionaryName(const Run& run) const;
  // Without a command, makes one from the documents' settings when the plug-in's defaults do not
  // fit them.
  void TakeSettingsFromDocuments(Run& run);
  bool ParseCommand(Run& run);
  // Warns, one line each, where the run's command does not fit its documents.
  void WarnMismatches(const CFProcCustom& procedure, const Run& run);
  void Process(const PluginLoader& plugin, output::Document& document, Run& run);
  void Drive(CFProcCustom& procedure, BpProcedure& root, Run& run);
  // ProcessSyntax with the run's command; its messages go to standard error and the output.
  bool RunCommand(CFProcCustom& procedure, BpProcedure& root, Run& run);
  // The table that heads the report: program, date, documents, command, language, charts.
  void AppendReportHeader(output::Document& document) const;
  // Makes sure of the report file (or takes standard output) and, with --charts-dir, the chart
  // files' folder, then opens the writer; false (said on standard error) when a place cannot be
  // written, before anything at any of them has changed.
  bool OpenReport(ReportSinks& sinks);
  // Completes the report; false (said on standard error) when it or a chart file failed.
  bool CloseReport(ReportSinks& sinks, const std::string& language);
  void ReportDocument(const std::string& path, const std::string& reason);
  void ShowDocumentsRead();

  const Options& fOptions;
  std::string fProgramFolder;
  std::ostream& fOut;
  // Standard error, one line per message whatever the data inside.
  MessageSink fErr;
  int fStatus = kAllRead;
  // Documents of all runs, and how many of them have been read so far, for the progress line.
  std::size_t fDocumentCount = 0;
  std::size_t fDocumentsChecked = 0;
  std::size_t fDocumentsRead = 0;

  // The command of the options, for every run; none when no option gives one.
  Run fCommand;
  std::unique_ptr<ProcedureDataSource> fDictionaryFile;
  std::unique_ptr<FacSTDictionary> fStrings;
  // The report's chart service: its template folder, colour setting and what it keeps between
  // charts; made once the options have set the folders.
  std::unique_ptr<ChartService> fCharts;
  // DEBUG_MODEL_VIEWER as the caller had it (none when unset), put back when the run ends if
  // --no-charts changed it.
  std::optional<std::string> fChartSwitchBefore;
  bool fChartSwitchSet = false;
  ParserMessageLog fLog;
  CommandDescriptor fGrammar;
  std::vector<Run> fRuns;
  std::unique_ptr<PluginLoader> fPlugin;
  // The computed documents to save: file name and text.
  std::vector<std::pair<std::string, std::string>> fComputed;
};
