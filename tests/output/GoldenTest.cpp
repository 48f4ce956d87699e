// End to end over the bundled examples: each example's command and result document go through
// the procedure object as the host drives it, and the JSON of the output is compared with a
// stored file, so that any change in the output shows in review. Also checks that every
// translatable text the tables emit has an English entry.
//
// After an intended change of the output, regenerate the stored files and review the diff:
//   NPTESTS_UPDATE_GOLDEN=1 build-<name>/bin/test_output --gtest_filter='GoldenOutput.*'
#include "NOPRProcCustom.h"
#include "OutputTestSupport.h"

#include "parser/CommandParser.h"
#include "parser/NptestsGrammar.h"
#include "parser/ParserMessageLog.h"
#include "proc/CFStatXMLInfoBlock.h"
#include "render/JsonWriter.h"

#include <cstdlib>
#include <dirent.h>

using namespace outtest;

namespace {

std::vector<std::string> exampleNames() {
  std::vector<std::string> names;
  const std::string folder = sourcePath("examples");
  if (DIR* dir = opendir(folder.c_str())) {
    while (dirent* entry = readdir(dir)) {
      const std::string file = entry->d_name;
      if (file.size() > 4 && file.compare(file.size() - 4, 4, ".xml") == 0)
        names.push_back(file.substr(0, file.size() - 4));
    }
    closedir(dir);
  }
  std::sort(names.begin(), names.end());
  return names;
}

struct ExampleOutput {
  std::string json;
  std::vector<std::string> untranslated;
  bool read = false;
};

// Collects the keys of translatable labels (and of their items) that the string table lacks.
class KeyWalker {
public:
  KeyWalker(const FacSTDictionary& strings, std::vector<std::string>& missing)
      : fStrings(strings), fMissing(missing) {}

  void Label(const output::Label& label) {
    bool found = true;
    if (label.Translatable() && label.Key())
      fStrings.Translate(*label.Key(), found);
    if (!found && std::find(fMissing.begin(), fMissing.end(), *label.Key()) == fMissing.end())
      fMissing.push_back(*label.Key());
    for (const output::Label& item : label.Items())
      Label(item);
  }

  void Notes(const std::vector<output::Note>& notes) {
    for (const output::Note& note : notes)
      Label(note.label);
  }

  void Category(const output::Category& category) {
    Label(category.GetLabel());
    Notes(category.Notes());
    for (const auto& child : category.Children())
      Category(*child);
  }

  void Heading(const output::Heading& heading) {
    Label(heading.GetLabel());
    for (const auto& item : heading.Items()) {
      if (const output::Heading* child = item->AsHeading())
        Heading(*child);
      else if (const output::Table* table = item->AsTable())
        Table(*table);
    }
  }

  void Table(const output::Table& table) {
    Label(table.Title());
    if (table.Caption())
      Label(*table.Caption());
    for (const auto& dimension : table.Dimensions())
      Category(dimension->Root());
    for (const output::Cell& cell : table.Cells()) {
      Label(cell.label);
      Notes(cell.notes);
    }
  }

private:
  const FacSTDictionary& fStrings;
  std::vector<std::string>& fMissing;
};

// The command and the document of one example, through the procedure object.
ExampleOutput runExample(const std::string& name) {
  const std::string xml = readFile(sourcePath("examples/" + name + ".xml"));
  const std::string command = readFile(sourcePath("examples/" + name + ".sps"));
  WriterRun run(xml);
  NOPRProcCustom proc;
  proc.SetProcedure(run.procedure.get());
  proc.SetDataSource(run.data.get());
  proc.SetSeedGeneratorState(1);
  CommandDescriptor grammar = MakeNptestsDescriptor();
  ParserMessageLog log;
  grammar.SetMessageLog(&log);
  std::unique_ptr<CommandSpec> spec = CommandParser(grammar, run.data.get()).Parse(command);
  EXPECT_TRUE(proc.ProcessSyntax(spec.get(), &grammar)) << name;

  CFStatXMLInfoBlock block;
  block.fResultXML = xml;
  ExampleOutput result;
  result.read = proc.ProcessOutputXML("", block);

  std::ostringstream json;
  JsonWriter(2).Write(run.document, json);
  result.json = json.str();
  KeyWalker walker(run.strings, result.untranslated);
  for (const auto& item : run.document.Items()) {
    if (const output::Heading* heading = item->AsHeading())
      walker.Heading(*heading);
  }
  return result;
}

} // namespace

TEST(GoldenOutput, ExamplesMatchTheirStoredJson) {
  const std::vector<std::string> names = exampleNames();
  ASSERT_GE(names.size(), 10u);
  const bool update = std::getenv("NPTESTS_UPDATE_GOLDEN") != nullptr;
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    const ExampleOutput output = runExample(name);
    ASSERT_TRUE(output.read);
    const std::string path = sourcePath("tests/output/golden/" + name + ".json");
    if (update) {
      std::ofstream out(path, std::ios::binary);
      out << output.json;
      continue;
    }
    const std::string stored = readFile(path);
    EXPECT_TRUE(stored == output.json)
        << "the output differs from " << path << "; regenerate with NPTESTS_UPDATE_GOLDEN=1";
  }
}

TEST(GoldenOutput, EveryTextOfTheTablesIsTranslated) {
  for (const std::string& name : exampleNames()) {
    SCOPED_TRACE(name);
    EXPECT_EQ(runExample(name).untranslated, std::vector<std::string>{});
  }
}
