// The report's file: written under a temporary name beside it and renamed into place once whole,
// so that a run that fails leaves the report that was there as it was.
#pragma once

#include <fstream>
#include <string>

class ReportFile {
public:
  ReportFile() = default;
  // Discards the temporary file unless Commit() succeeded.
  ~ReportFile();
  ReportFile(const ReportFile&) = delete;
  ReportFile& operator=(const ReportFile&) = delete;

  // Makes sure the report can be written to `path` and opens the stream. A regular file (or a
  // missing one) is written to a new temporary file in the same folder, so that nothing at `path`
  // changes before Commit(); anything else that is not a folder (a terminal, /dev/null, a pipe) is
  // written to directly, since it holds nothing to lose. False, with `error` saying why, when the
  // path is a folder, its folder is missing or the file cannot be made.
  bool Open(const std::string& path, std::string& error);

  std::ostream& Stream() { return fStream; }

  // Closes the stream and puts the report in place of the file at the path (a symbolic link
  // there keeps pointing at it). False, with `error` saying why, when writing or renaming failed;
  // the file at the path is then as it was.
  bool Commit(std::string& error);

private:
  void Discard();

  std::ofstream fStream;
  // The file the stream writes: the temporary one, or the path itself when written directly.
  std::string fWritten;
  // Where Commit() puts the temporary file; empty when written directly.
  std::string fTarget;
};
