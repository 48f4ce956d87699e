// Runs the built nptests program as a separate process and collects what it did: exit status,
// standard output and standard error. A scratch folder per test holds inputs and outputs.
#pragma once

#include "ScratchFolder.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace app_test {

struct ProgramResult {
  int fStatus = -1; // exit status; -1 when the program did not exit normally (a crash)
  std::string fOut;
  std::string fErr;
};

using ::ReadAll;
using ::ScratchFolder;
using ::WriteAll;

// Runs `program` (a path, or a name looked up in PATH) with `arguments`; its standard output and
// error go to files of `scratch`.
inline ProgramResult RunProgram(const std::string& program,
                                const std::vector<std::string>& arguments,
                                const ScratchFolder& scratch) {
  const std::string outPath = scratch.File("stdout.txt");
  const std::string errPath = scratch.File("stderr.txt");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0644);
  posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0644);
  std::vector<std::string> all{program};
  all.insert(all.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& argument : all)
    argv.push_back(argument.data());
  argv.push_back(nullptr);
  ProgramResult result;
  pid_t pid = 0;
  const int spawned = posix_spawnp(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) {
    ADD_FAILURE() << "cannot start " << program;
    return result;
  }
  int status = 0;
  waitpid(pid, &status, 0);
  result.fStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.fOut = ReadAll(outPath);
  result.fErr = ReadAll(errPath);
  return result;
}

inline ProgramResult RunNptests(const std::vector<std::string>& arguments,
                                const ScratchFolder& scratch) {
  return RunProgram(NPTESTS_EXE, arguments, scratch);
}

// The bundled example `name` in the source tree.
inline std::string Example(const std::string& name) {
  return std::string(NPTESTS_SOURCE_DIR) + "/examples/" + name;
}

inline std::size_t CountOf(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
    ++count;
  return count;
}

} // namespace app_test
