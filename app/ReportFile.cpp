// The report written beside its place and renamed into it: a rename within a folder replaces the
// old file in one step, so a reader sees the old report or the new one, never a part.
#include "ReportFile.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

constexpr int kNameAttempts = 100;

} // namespace

ReportFile::~ReportFile() {
  Discard();
}

bool ReportFile::Open(const std::string& path, std::string& error) {
  namespace fs = std::filesystem;
  std::error_code failure;
  fs::path target = path;
  struct stat existing {};
  // stat follows a symbolic link: the report replaces the file the link points at.
  const bool exists = stat(path.c_str(), &existing) == 0;
  if (exists && S_ISDIR(existing.st_mode)) {
    error = "it is a folder";
    return false;
  }
  if (exists && !S_ISREG(existing.st_mode)) {
    fStream.open(path, std::ios::binary | std::ios::trunc);
    if (!fStream) {
      error = std::strerror(errno);
      return false;
    }
    fWritten = path;
    return true;
  }
  if (exists) {
    target = fs::canonical(target, failure);
    if (failure) {
      error = failure.message();
      return false;
    }
  }
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  const std::string stem = "." + target.filename().string() + "." + std::to_string(getpid());
  int fd = -1;
  std::string temporary;
  for (int attempt = 0; attempt < kNameAttempts && fd < 0; ++attempt) {
    temporary = (folder / (stem + "-" + std::to_string(attempt) + ".part")).string();
    // A new file only: O_EXCL never opens what another process made under the same name.
    fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) {
      error = std::strerror(errno);
      return false;
    }
  }
  if (fd < 0) {
    error = "no temporary file could be made beside it";
    return false;
  }
  // The report that replaces a file keeps that file's permissions; a new one gets the umask's.
  if (exists)
    fchmod(fd, existing.st_mode & 07777);
  close(fd);
  fWritten = temporary;
  fTarget = target.string();
  fStream.open(fWritten, std::ios::binary | std::ios::trunc);
  if (!fStream) {
    error = std::strerror(errno);
    Discard();
    return false;
  }
  return true;
}

bool ReportFile::Commit(std::string& error) {
  fStream.close();
  if (!fStream) {
    error = "the file could not be written whole";
    Discard();
    return false;
  }
  if (fTarget.empty())
    return true;
  if (std::rename(fWritten.c_str(), fTarget.c_str()) != 0) {
    error = std::strerror(errno);
    Discard();
    return false;
  }
  fWritten.clear();
  fTarget.clear();
  return true;
}

void ReportFile::Discard() {
  if (fTarget.empty() || fWritten.empty())
    return;
  if (fStream.is_open())
    fStream.close();
  std::remove(fWritten.c_str());
  fWritten.clear();
  fTarget.clear();
}
