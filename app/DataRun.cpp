// From a data file to the engine's documents, with every mistake of the inputs stopped before
// anything is written.
#include "DataRun.h"

#include "PluginLoader.h"
#include "engine/CsvReader.h"
#include "engine/DataDictionaryBuilder.h"
#include "engine/DataSet.h"

#include "dict/ProcedureDataSource.h"
#include "parser/CommandParser.h"
#include "parser/CommandSpec.h"
#include "proc/CFProcCustom.h"

#include <cctype>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

namespace {

bool ReadWhole(const std::string& path, std::string& text, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = path + ": cannot be opened: " + std::strerror(errno);
    return false;
  }
  std::ostringstream buffer;
  buffer << in.rdbuf();
  text = buffer.str();
  return true;
}

} // namespace

bool DataRun::Compute(const Input& input, const CommandDescriptor& grammar,
                      const PluginLoader& plugin, Result& result, std::string& error) {
  std::string json;
  if (!input.fDictionaryPath.empty() && !ReadWhole(input.fDictionaryPath, json, error))
    return false;
  try {
    const char delimiter =
        input.fDelimiter != 0 ? input.fDelimiter : engine::CsvReader::DelimiterFor(input.fDataPath);
    engine::DataSet data = engine::CsvReader::ReadFile(input.fDataPath, delimiter);
    result.fDictionary =
        engine::DataDictionaryBuilder::Build(data, input.fDataPath, json, input.fDictionaryPath);
    if (!input.fSplitBy.empty()) {
      result.fSplitIndex = data.FindColumn(input.fSplitBy);
      if (result.fSplitIndex < 0) {
        error = "--split-by: " + input.fDataPath + " has no column \"" + input.fSplitBy + "\"";
        return false;
      }
    }
    try {
      result.fCommand = CommandParser(grammar, result.fDictionary.get()).Parse(input.fCommandText);
    } catch (const std::exception& e) {
      error = input.fCommandSource + ": " + e.what() + " (the variables are the columns of " +
              input.fDataPath + ")";
      return false;
    }
    // The plug-in reads the command as it will when it writes the report: the seed it settles
    // on is the one the engine draws with.
    std::unique_ptr<CFProcCustom> procedure = plugin.MakeProcedure();
    procedure->SetDataSource(result.fDictionary.get());
    procedure->SetWeightVarIndex(result.fDictionary->GetWeightVarIndex());
    if (result.fSplitIndex >= 0)
      procedure->SetSplitVarIndexes({result.fSplitIndex});
    if (!procedure->ProcessSyntax(result.fCommand.get(), &grammar)) {
      error = input.fCommandSource + ": the command cannot be run on " + input.fDataPath;
      return false;
    }
    result.fSeed = procedure->GetSeed();
    engine::EngineSettings settings;
    settings.fSeed = static_cast<unsigned long>(result.fSeed);
    settings.fSplitColumn = result.fSplitIndex;
    result.fDocuments =
        engine::Engine(data, *result.fDictionary).Compute(*result.fCommand, settings);
  } catch (const engine::EngineError& e) {
    error = e.what();
    return false;
  }
  if (result.fDocuments.empty()) {
    error = input.fDataPath + ": --split-by " + input.fSplitBy +
            ": no case has a value of it, so there is no group to test";
    return false;
  }
  return true;
}

std::string DataRun::Stem(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  const std::size_t dot = name.find_last_of('.');
  if (dot != std::string::npos && dot > 0)
    name.erase(dot);
  return name;
}

std::string DataRun::SavedName(const std::string& stem, const std::string& split) {
  if (split.empty())
    return stem + ".xml";
  std::string value = split.substr(split.find('=') + 1);
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
    value = value.substr(1, value.size() - 2);
  std::string slug;
  for (const char c : value) {
    const auto byte = static_cast<unsigned char>(c);
    if (std::isalnum(byte) != 0 || c == '-' || c == '.')
      slug += static_cast<char>(std::tolower(byte));
    else if (!slug.empty() && slug.back() != '_')
      slug += '_';
  }
  while (!slug.empty() && slug.back() == '_')
    slug.pop_back();
  return stem + "_" + (slug.empty() ? "group" : slug) + ".xml";
}
