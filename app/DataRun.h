// The data half of a run from a data file: reads the data and its dictionary, parses the command
// against them, lets the plug-in derive its settings, and has the engine compute the documents.
#pragma once

#include "engine/Engine.h"

#include <memory>
#include <string>
#include <vector>

class CommandDescriptor;
class CommandSpec;
class PluginLoader;
class ProcedureDataSource;

class DataRun {
public:
  struct Input {
    std::string fDataPath;
    // 0: by the data file's extension.
    char fDelimiter = 0;
    // Empty: no dictionary file.
    std::string fDictionaryPath;
    // Empty: not split.
    std::string fSplitBy;
    std::string fCommandText;
    std::string fCommandSource;
  };

  struct Result {
    std::unique_ptr<ProcedureDataSource> fDictionary;
    std::unique_ptr<CommandSpec> fCommand;
    // The seed the plug-in chose for the simulations, which the engine drew with.
    int fSeed = 0;
    int fSplitIndex = -1;
    std::vector<engine::EngineDocument> fDocuments;
  };

  // Does it all; false with `error` set to the lines to show (each without the program's name)
  // when the data, the dictionary or the command is wrong. `grammar`'s message log receives the
  // plug-in's messages; they are left in it.
  static bool Compute(const Input& input, const CommandDescriptor& grammar,
                      const PluginLoader& plugin, Result& result, std::string& error);

  // The name a computed document is saved under: `stem`, then "_" and the split group's value
  // made safe for a file name when the run is split, then ".xml".
  static std::string SavedName(const std::string& stem, const std::string& split);
  // The file name of `path` without its folder and extension.
  static std::string Stem(const std::string& path);
};
