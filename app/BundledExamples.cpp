// Finding the bundled examples and grouping them into runs.
#include "BundledExamples.h"

#include <nlohmann/json.hpp>
#include <sys/stat.h>

#include <algorithm>
#include <dirent.h>
#include <fstream>
#include <map>
#include <memory>
#include <set>

namespace {

bool IsDirectory(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool IsFile(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

bool ListDocuments(const std::string& folder, std::vector<std::string>& names) {
  std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(folder.c_str()), closedir);
  if (!dir)
    return false;
  while (const dirent* entry = readdir(dir.get())) {
    const std::string name = entry->d_name;
    if (EndsWith(name, ".xml") && IsFile(folder + "/" + name))
      names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return true;
}

std::string SyntaxFileOf(const std::string& folder, const std::string& document) {
  const std::string path = folder + "/" + document.substr(0, document.size() - 4) + ".sps";
  return IsFile(path) ? path : std::string();
}

// Split runs keyed by the file name of their first document.
bool ReadSplitRuns(const std::string& folder, std::map<std::string, BundledExamples::Run>& runs,
                   std::set<std::string>& grouped, std::string& error) {
  const std::string path = folder + "/" + BundledExamples::kSplitRunsFile;
  std::ifstream in(path);
  if (!in)
    return true; // no split runs
  try {
    const nlohmann::json root = nlohmann::json::parse(in);
    for (const nlohmann::json& item : root.at("splitRuns")) {
      BundledExamples::Run run;
      const auto documents = item.at("documents").get<std::vector<std::string>>();
      run.fSplits = item.at("split").get<std::vector<std::string>>();
      if (documents.empty() || documents.size() != run.fSplits.size()) {
        error = path + ": each split run needs one \"split\" per document";
        return false;
      }
      for (const std::string& document : documents) {
        if (!IsFile(folder + "/" + document)) {
          error = path + ": no document " + document + " in " + folder;
          return false;
        }
        run.fDocuments.push_back(folder + "/" + document);
        grouped.insert(document);
      }
      run.fSyntaxFile = folder + "/" + item.at("syntax").get<std::string>();
      runs[*std::min_element(documents.begin(), documents.end())] = run;
    }
  } catch (const nlohmann::json::exception& e) {
    error = path + ": " + e.what();
    return false;
  }
  return true;
}

// Marks the runs that the manifest says are computed from their data.
bool ReadManifest(const std::string& folder, std::vector<BundledExamples::Run>& runs,
                  std::string& error) {
  const std::string path = folder + "/" + BundledExamples::kManifestFile;
  std::ifstream in(path);
  if (!in)
    return true; // every run reads its documents
  try {
    const nlohmann::json root = nlohmann::json::parse(in);
    for (const nlohmann::json& item : root.at("runs")) {
      const std::string name = item.at("name").get<std::string>();
      const std::string from = item.at("from").get<std::string>();
      if (from != "data" && from != "document") {
        error =
            path + ": run " + name + ": \"from\" is \"data\" or \"document\", not \"" + from + "\"";
        return false;
      }
      if (from == "document")
        continue;
      const auto run = std::find_if(runs.begin(), runs.end(), [&](const BundledExamples::Run& r) {
        return !r.fDocuments.empty() && r.fDocuments.front() == folder + "/" + name + ".xml";
      });
      if (run == runs.end()) {
        error = path + ": run " + name + ": no example " + name + ".xml in " + folder;
        return false;
      }
      run->fFromData = true;
      run->fData = folder + "/" + item.at("data").get<std::string>();
      run->fSyntaxFile = folder + "/" + item.at("syntax").get<std::string>();
      if (item.contains("dictionary"))
        run->fDictionary = folder + "/" + item.at("dictionary").get<std::string>();
      if (item.contains("splitBy"))
        run->fSplitBy = item.at("splitBy").get<std::string>();
      for (const std::string* file : {&run->fData, &run->fSyntaxFile, &run->fDictionary}) {
        if (!file->empty() && !IsFile(*file)) {
          error = path + ": run " + name + ": no file " + *file;
          return false;
        }
      }
    }
  } catch (const nlohmann::json::exception& e) {
    error = path + ": " + e.what();
    return false;
  }
  return true;
}

} // namespace

std::vector<std::string> BundledExamples::Candidates(const std::string& programFolder) {
  return {programFolder + "/../examples", programFolder + "/../share/nptests/examples"};
}

bool BundledExamples::Find(const std::string& programFolder, std::string& folder,
                           std::string& error) {
  std::string tried;
  for (const std::string& candidate : Candidates(programFolder)) {
    if (IsDirectory(candidate)) {
      folder = candidate;
      return true;
    }
    tried += (tried.empty() ? "" : ", ") + candidate;
  }
  error =
      "cannot find the bundled examples (looked in " + tried + "); name result documents to run on";
  return false;
}

bool BundledExamples::Plan(const std::string& folder, std::vector<Run>& runs, std::string& error) {
  std::vector<std::string> names;
  if (!ListDocuments(folder, names)) {
    error = "cannot list the examples in " + folder;
    return false;
  }
  std::map<std::string, Run> splitRuns;
  std::set<std::string> grouped;
  if (!ReadSplitRuns(folder, splitRuns, grouped, error))
    return false;
  for (const std::string& name : names) {
    const auto split = splitRuns.find(name);
    if (split != splitRuns.end()) {
      runs.push_back(split->second);
    } else if (grouped.count(name) == 0) {
      Run run;
      run.fDocuments = {folder + "/" + name};
      run.fSyntaxFile = SyntaxFileOf(folder, name);
      runs.push_back(std::move(run));
    }
  }
  if (runs.empty()) {
    error = "no result documents (*.xml) in " + folder;
    return false;
  }
  return ReadManifest(folder, runs, error);
}
