// The NPTESTS engine: a data set, its dictionary and the parsed command in, one result document
// per split group out, in the format the plug-in's reader reads.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

class CommandSpec;
class VORN_DataSource;

namespace engine {

class DataSet;

// A mistake of the data or the command that stops the computation, in one line for the user.
class EngineError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// What ProcessSyntax derived from the command that the computation needs beyond the command.
struct EngineSettings {
  // Seed of the simulation (Monte Carlo significances and bootstrap intervals).
  unsigned long fSeed = 2000000;
  // The column whose values split the cases into groups, one document each; -1 for none.
  int fSplitColumn = -1;
};

struct EngineDocument {
  // The split group as a --split argument ("VAR=VALUE"); empty when the run is not split.
  std::string fSplit;
  std::string fText;
};

class Engine {
public:
  // `dictionary` describes the data set's columns in their order (one variable per column); both
  // are borrowed for the lifetime of the engine.
  Engine(const DataSet& data, const VORN_DataSource& dictionary);

  // One document per split group, groups in the order of their values. `command` was parsed
  // against `dictionary`. Throws EngineError for what the data cannot give (a text in a tested
  // numeric field, a field of the wrong kind).
  std::vector<EngineDocument> Compute(const CommandSpec& command,
                                      const EngineSettings& settings) const;

private:
  const DataSet& fData;
  const VORN_DataSource& fDictionary;
};

} // namespace engine
