// libFuzzer target: any bytes are read as a data file, described by a fixed dictionary when their
// columns allow, and run through the engine with a fixed command (split by "group" when there is
// one): every fault must be an EngineError or a parser's refusal, never a crash or a hang.
#include "engine/CsvReader.h"
#include "engine/DataDictionaryBuilder.h"
#include "engine/DataSet.h"
#include "engine/Engine.h"

#include "dict/ProcedureDataSource.h"
#include "parser/CommandParser.h"
#include "parser/CommandSpec.h"
#include "parser/NptestsGrammar.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace {

const char* const kDictionary = R"({"variables": [
  {"name": "score", "label": "Score", "measure": "scale", "missing": {"values": [99]}},
  {"name": "group", "type": "string", "width": 8, "measure": "nominal",
   "valueLabels": [{"value": "a", "label": "Group A"}]},
  {"name": "w", "format": "F4.0"}], "weight": "w"})";

const char* const kCommand =
    "NPTESTS /ONESAMPLE TEST(score) CHISQUARE BINOMIAL RUNS WILCOXON(TESTVALUE=1) "
    "KOLMOGOROV_SMIRNOV /MISSING SCOPE=LISTWISE /CRITERIA ALPHA=0.05 CILEVEL=95.";

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(bytes), size);
  try {
    engine::DataSet data = engine::CsvReader::ReadText(text, "fuzz.csv", ',');
    std::unique_ptr<ProcedureDataSource> dictionary;
    try {
      dictionary = engine::DataDictionaryBuilder::Build(data, "fuzz.csv", kDictionary, "fuzz.json");
    } catch (const engine::EngineError&) {
      dictionary = engine::DataDictionaryBuilder::Build(data, "fuzz.csv", "", "");
    }
    const CommandDescriptor grammar = MakeNptestsDescriptor();
    std::unique_ptr<CommandSpec> command;
    try {
      command = CommandParser(grammar, dictionary.get()).Parse(kCommand);
    } catch (const std::exception&) {
      return 0;
    }
    engine::EngineSettings settings;
    settings.fSplitColumn = data.FindColumn("group");
    engine::Engine(data, *dictionary).Compute(*command, settings);
  } catch (const engine::EngineError&) {
  }
  return 0;
}
