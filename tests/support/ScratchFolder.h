// Files for tests: whole-file reading and writing, and a fresh folder per test that is removed
// with the object, so that no test sees another's files.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

// The file's bytes; empty when it cannot be read.
inline std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Writes `text` as the whole file, making the folders above it.
inline void WriteAll(const std::string& path, const std::string& text) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

class ScratchFolder {
public:
  ScratchFolder() {
    std::string pattern = ::testing::TempDir() + "nptests_XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (mkdtemp(buffer.data()) != nullptr) {
      fPath = buffer.data();
    } else {
      ADD_FAILURE() << "cannot make a folder from " << pattern;
      fPath = ::testing::TempDir() + "nptests_scratch";
      std::filesystem::create_directories(fPath);
    }
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(fPath, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::string& Path() const { return fPath; }
  std::string File(const std::string& name) const { return fPath + "/" + name; }
  // Writes `text` into a file of this folder (folders in `name` are made) and returns its path.
  std::string Write(const std::string& name, const std::string& text) const {
    WriteAll(File(name), text);
    return File(name);
  }

private:
  std::string fPath;
};
