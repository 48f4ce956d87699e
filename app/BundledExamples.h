// The examples that ship with the program: where they are and which documents run together.
#pragma once

#include <string>
#include <vector>

class BundledExamples {
public:
  // One run of the plug-in on the bundled examples.
  struct Run {
    std::vector<std::string> fDocuments; // full paths
    std::vector<std::string> fSplits;    // one --split text per document, or empty
    std::string fSyntaxFile;             // the run's command file, or empty when it has none
    // A run the engine computes from its data file instead of reading its documents; the
    // documents stay named for the run's place and heading.
    bool fFromData = false;
    std::string fData;       // full path
    std::string fDictionary; // full path, or empty
    std::string fSplitBy;    // the split column, or empty
  };

  // The manifest of the examples: each run's data, dictionary, command and split column, and
  // whether it runs from its data ("from": "data") or from its documents ("document").
  static constexpr const char* kManifestFile = "examples.json";

  // The file of an examples folder that names the documents run together as split groups.
  static constexpr const char* kSplitRunsFile = "split-runs.json";

  // Where the examples are looked for: beside the program's folder (a build tree) and in the
  // share/nptests folder of its install prefix.
  static std::vector<std::string> Candidates(const std::string& programFolder);
  // The first candidate that is a folder; false with `error` naming the places tried.
  static bool Find(const std::string& programFolder, std::string& folder, std::string& error);

  // The runs of `folder`: each split run of its split-runs.json, and every other *.xml alone, in
  // the order of the file names (a split run stands at its first document). A document's command
  // is the .sps file of the same name (a split run names its own). A run that examples.json says
  // is "from": "data" (named by its first document's name without .xml) is computed from its
  // data instead. False with `error` when the folder cannot be listed, split-runs.json or
  // examples.json is malformed or names a missing file.
  static bool Plan(const std::string& folder, std::vector<Run>& runs, std::string& error);
};
