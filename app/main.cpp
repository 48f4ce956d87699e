// nptests: runs the nonparametric-tests plug-in on result documents and writes a report.
#include "CommandLine.h"
#include "MessageSink.h"
#include "PluginLoader.h"
#include "ReportRun.h"

#include <exception>
#include <iostream>
#include <unistd.h>

int main(int argc, char** argv) {
  try {
    Options options;
    const int status = CommandLine::Parse(argc, argv, options, std::cout, std::cerr);
    if (status != CommandLine::kRun)
      return status;
    ReportRun run(options, PluginLoader::ProgramFolder(), std::cout, std::cerr);
    if (isatty(STDERR_FILENO) != 0)
      run.ShowProgress();
    return run.Execute();
  } catch (const std::exception& e) {
    // Only running out of memory gets here: everything else is reported where it happens.
    MessageSink(std::cerr) << "nptests: " << e.what() << "\n";
    return ReportRun::kCannotRun;
  }
}
