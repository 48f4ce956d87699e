// The progress line of nptests: shown on standard error when it is a terminal (a pseudo-terminal
// here), overwritten in place, cleared before every message and at the end; absent otherwise.
#include "ProgramRun.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using app_test::Example;
using app_test::ProgramResult;
using app_test::RunNptests;
using app_test::ScratchFolder;

const std::string kErase = "\r\x1B[K";

// Runs nptests with standard error on a pseudo-terminal and standard output into a file of
// `scratch`; returns what the terminal received.
ProgramResult RunOnTerminal(const std::vector<std::string>& arguments,
                            const ScratchFolder& scratch) {
  ProgramResult result;
  const int master = posix_openpt(O_RDWR | O_NOCTTY);
  if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
    ADD_FAILURE() << "no pseudo-terminal";
    return result;
  }
  const std::string terminal = ptsname(master);
  const std::string outPath = scratch.File("stdout.txt");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0644);
  posix_spawn_file_actions_addopen(&actions, 2, terminal.c_str(), O_RDWR | O_NOCTTY, 0);
  std::vector<std::string> all{NPTESTS_EXE};
  all.insert(all.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& argument : all)
    argv.push_back(argument.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, NPTESTS_EXE, &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) {
    close(master);
    ADD_FAILURE() << "cannot start nptests";
    return result;
  }
  // Read while the program runs, so that a full terminal buffer cannot stall it.
  int status = 0;
  bool exited = false;
  char buffer[4096];
  for (;;) {
    pollfd ready{master, POLLIN, 0};
    if (poll(&ready, 1, 100) > 0 && (ready.revents & POLLIN) != 0) {
      const ssize_t got = read(master, buffer, sizeof buffer);
      if (got > 0) {
        result.fErr.append(buffer, static_cast<std::size_t>(got));
        continue;
      }
    }
    if (exited)
      break;
    exited = waitpid(pid, &status, WNOHANG) == pid;
  }
  close(master);
  result.fStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.fOut = app_test::ReadAll(outPath);
  return result;
}

TEST(NptestsProgress, ShownOnATerminalAndClearedBeforeMessagesAndAtTheEnd) {
  ScratchFolder scratch;
  const std::string empty = scratch.Write("empty.xml", "");
  const std::string report = scratch.File("report.html");
  const ProgramResult run = RunOnTerminal(
      {"-o", report, Example("chickwts.xml"), empty, Example("related_sleep.xml")}, scratch);
  EXPECT_EQ(run.fStatus, 1) << run.fErr;
  const std::string& shown = run.fErr;
  for (const std::string& status :
       {std::string("nptests: checking document 1 of 3"),
        std::string("nptests: checking document 3 of 3"),
        std::string("nptests: 0 of 3 documents read"),
        std::string("nptests: 3 of 3 documents read"), "nptests: writing " + report})
    EXPECT_NE(shown.find(kErase + status), std::string::npos) << status << " in " << shown;
  // The counts only grow.
  EXPECT_LT(shown.find("1 of 3 documents read"), shown.find("3 of 3 documents read")) << shown;
  // A message starts on a cleared line and is a line of its own.
  const std::size_t message = shown.find("nptests: " + empty + ": is empty");
  ASSERT_NE(message, std::string::npos) << shown;
  EXPECT_EQ(shown.substr(message - kErase.size(), kErase.size()), kErase) << shown;
  // Nothing is left on the terminal's last line.
  ASSERT_GE(shown.size(), kErase.size());
  EXPECT_EQ(shown.substr(shown.size() - kErase.size()), kErase) << shown;
  EXPECT_EQ(run.fOut, "");
}

TEST(NptestsProgress, ClearedBeforeAReportOnTheTerminalAndAbsentWithoutOne) {
  ScratchFolder scratch;
  // Standard error is a file: no status, no terminal controls.
  const ProgramResult piped =
      RunNptests({"-o", scratch.File("r.txt"), Example("chickwts.xml")}, scratch);
  EXPECT_EQ(piped.fStatus, 0) << piped.fErr;
  EXPECT_EQ(piped.fErr.find('\x1B'), std::string::npos) << piped.fErr;
  EXPECT_EQ(piped.fErr.find("documents read"), std::string::npos) << piped.fErr;
  // The report goes to standard output, item by item as it is made: the status is cleared before
  // the report starts and stays off, or it would land in the middle of the report.
  const ProgramResult terminal = RunOnTerminal({Example("chickwts.xml")}, scratch);
  EXPECT_EQ(terminal.fStatus, 0) << terminal.fErr;
  EXPECT_NE(terminal.fErr.find("0 of 1 documents read"), std::string::npos) << terminal.fErr;
  EXPECT_EQ(terminal.fErr.find("1 of 1 documents read"), std::string::npos) << terminal.fErr;
  EXPECT_EQ(terminal.fErr.find("writing"), std::string::npos) << terminal.fErr;
  ASSERT_GE(terminal.fErr.size(), kErase.size());
  EXPECT_EQ(terminal.fErr.substr(terminal.fErr.size() - kErase.size()), kErase);
  EXPECT_EQ(terminal.fOut.rfind("Report\n", 0), 0u);
}

} // namespace
