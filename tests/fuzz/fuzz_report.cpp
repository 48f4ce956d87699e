// libFuzzer target: any bytes are a result document that the program reports in each format, in
// process and through its own run, so the reading, the tables, the drawn charts and the three
// writers all see the input. A report that breaks its format is a crash as much as a fault is.
#include "CommandLine.h"
#include "PluginLoader.h"
#include "ReportRun.h"

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
#include <string_view>

namespace {

std::string gProgramFolder;
std::string gDocumentPath;
// Never closed (see LLVMFuzzerInitialize).
const PluginLoader* gPlugin = nullptr;

// Where the first raw control character of `text` is, or npos. Tab, line feed and carriage return
// are layout; `withC1` also counts DEL and the UTF-8 forms of U+0080..U+009F, which the HTML and
// text writers remove from data but which JSON may carry as ordinary string characters.
std::size_t FirstControl(std::string_view text, bool withC1) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r')
      return i;
    if (withC1 && byte == 0x7F)
      return i;
    if (withC1 && byte == 0xC2 && i + 1 < text.size() &&
        static_cast<unsigned char>(text[i + 1]) <= 0x9F &&
        static_cast<unsigned char>(text[i + 1]) >= 0x80)
      return i;
  }
  return std::string_view::npos;
}

// Where the first ill-formed UTF-8 sequence of `text` starts, or npos.
std::size_t FirstInvalidUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF; // the range of the second byte
    if (lead < 0x80) {
      ++i;
      continue;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      if (lead == 0xE0)
        low = 0xA0; // overlong
      else if (lead == 0xED)
        high = 0x9F; // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      if (lead == 0xF0)
        low = 0x90; // overlong
      else if (lead == 0xF4)
        high = 0x8F; // beyond U+10FFFF
    } else {
      return i;
    }
    if (i + length > text.size())
      return i;
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if (next < (k == 1 ? low : 0x80) || next > (k == 1 ? high : 0xBF))
        return i;
    }
    i += length;
  }
  return std::string_view::npos;
}

[[noreturn]] void Fail(const char* what, const char* format, std::string_view text,
                       std::size_t at) {
  const std::size_t from = at > 40 ? at - 40 : 0;
  std::string context(text.substr(from, 80));
  for (char& c : context)
    if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7F)
      c = '?';
  std::fprintf(stderr, "fuzz_report: %s in the %s output at byte %zu: ...%s...\n", what, format, at,
               context.c_str());
  __builtin_trap();
}

void CheckText(const char* format, std::string_view text, bool withC1) {
  const std::size_t invalid = FirstInvalidUtf8(text);
  if (invalid != std::string_view::npos)
    Fail("ill-formed UTF-8", format, text, invalid);
  const std::size_t control = FirstControl(text, withC1);
  if (control != std::string_view::npos)
    Fail("a raw control character", format, text, control);
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
    CheckText(name, report, format != OutputFormat::kJson);
    CheckText("standard error", err.str(), true);
    if (format == OutputFormat::kJson &&
        nlohmann::json::parse(report, nullptr, false).is_discarded())
      Fail("JSON that does not parse", name, report, 0);
  }
  return 0;
}
