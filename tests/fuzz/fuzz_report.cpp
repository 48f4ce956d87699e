// libFuzzer target: any bytes are a result document that the program reports in each format, in
// process and through its own run, so the reading, the tables, the drawn charts and the three
// writers all see the input. A report that breaks its format is a crash as much as a fault is.
#include "CommandLine.h"
#include "PluginLoader.h"
#include "ReportRun.h"
#include "ReportTextCheck.h"

#include <nlohmann/json.hpp>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

namespace {

std::string gProgramFolder;
std::string gDocumentPath;
// Never closed (see LLVMFuzzerInitialize).
const PluginLoader* gPlugin = nullptr;

void CheckText(const char* what, const std::string& text, bool withC1) {
  const std::string fault = CheckReportText(text, withC1);
  if (fault.empty())
    return;
  std::fprintf(stderr, "fuzz_report: %s in %s\n", fault.c_str(), what);
  __builtin_trap();
}

void RemoveDocumentFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(std::filesystem::path(gDocumentPath).parent_path(), ignored);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  gProgramFolder = PluginLoader::ProgramFolder();
  // The plug-in stays loaded for the whole process. Each run opens and closes it again; were the
  // last close to unmap it, libFuzzer would go on reading the coverage counters it registered.
  std::string error;
  gPlugin = PluginLoader::Open(gProgramFolder, error).release();
  if (gPlugin == nullptr) {
    std::fprintf(stderr, "fuzz_report: %s\n", error.c_str());
    std::exit(1);
  }
  // The report's date is fixed, so that a crash reproduces with the same output.
  setenv("SOURCE_DATE_EPOCH", "0", 1);
  // One folder per process: libFuzzer's -jobs run several processes at once.
  const std::string base = std::filesystem::temp_directory_path() / "nptests-fuzz-XXXXXX";
  std::string folder = base;
  if (mkdtemp(folder.data()) == nullptr) {
    std::perror("fuzz_report: mkdtemp");
    std::exit(1);
  }
  gDocumentPath = folder + "/document.xml";
  std::atexit(RemoveDocumentFolder);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  {
    std::ofstream file(gDocumentPath, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  for (const OutputFormat format :
       {OutputFormat::kHtml, OutputFormat::kText, OutputFormat::kJson}) {
    Options options;
    options.fDocuments = {gDocumentPath};
    options.fFormat = format;
    // The text layout gets narrow and wide pages, the same for the same input.
    options.fWidth = 40 + static_cast<int>(size % 121);
    std::ostringstream out, err;
    int status = 0;
    {
      ReportRun run(options, gProgramFolder, out, err);
      status = run.Execute();
    }
    const char* name = OutputFormatName(format);
    // Only a missing plug-in or a failed write stops a run before its report, and neither comes
    // from the document.
    if (status == ReportRun::kCannotRun) {
      std::fprintf(stderr, "fuzz_report: the %s run could not write a report:\n%s", name,
                   err.str().c_str());
      __builtin_trap();
    }
    const std::string report = out.str();
    // JSON may carry DEL and C1 controls as ordinary string characters; the other reports drop
    // them from data.
    CheckText((std::string("the ") + name + " report").c_str(), report,
              format != OutputFormat::kJson);
    CheckText("standard error", err.str(), true);
    if (format == OutputFormat::kJson &&
        nlohmann::json::parse(report, nullptr, false).is_discarded()) {
      std::fprintf(stderr, "fuzz_report: the JSON report does not parse:\n%s\n", report.c_str());
      __builtin_trap();
    }
  }
  return 0;
}
