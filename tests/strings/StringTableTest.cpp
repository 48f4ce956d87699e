// The string-table file format, the dictionary's fallback, the path service and the shipped tables.
#include "ScratchFolder.h"

#include "strings/FacSTDictionary.h"
#include "strings/PathFactory.h"
#include "strings/StringTableFormat.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <set>

namespace {

// Every row parses one text; `error` is the first problem as "line: message", "" for none.
TEST(StringTableFormat, LinesEscapesAndBadLines) {
  const struct {
    const char* desc;
    std::string text;
    std::map<std::string, std::string> entries;
    std::string error;
  } cases[] = {
      {"blanks and ^ in the key", "a b ^1.\tc ^1.\n", {{"a b ^1.", "c ^1."}}, ""},
      {"escapes after a comment", "# c\na\\tb\\nc\\\\\tx\\ny\\r\n", {{"a\tb\nc\\", "x\ny\r"}}, ""},
      {"tab inside text, empty text", "k\ta\tb\ne\t\n", {{"k", "a\tb"}, {"e", ""}}, ""},
      {"byte-order mark and CRLF", "\xEF\xBB\xBFk\tv\r\n", {{"k", "v"}}, ""},
      {"no tab", "g\tv\n\njust text\n", {{"g", "v"}}, "3: no tab between key and text"},
      {"empty key", "\ttext\ng\tv", {{"g", "v"}}, "1: empty key"},
      {"unknown escape", "k\\q\tv\ng\tv", {{"g", "v"}}, "1: unknown escape \\q"},
      {"backslash at end", "g\tv\nk\tv\\", {{"g", "v"}}, "2: a backslash ends the field"},
      {"key again", "k\tone\nk\ttwo\n", {{"k", "two"}}, "2: the key \"k\" is given again"},
  };
  for (const auto& c : cases) {
    std::map<std::string, std::string> entries;
    std::vector<StringTableError> errors;
    EXPECT_EQ(ParseStringTable(c.text, entries, errors), c.error.empty()) << c.desc;
    EXPECT_EQ(entries, c.entries) << c.desc;
    EXPECT_EQ(errors.empty() ? "" : std::to_string(errors[0].line) + ": " + errors[0].message,
              c.error)
        << c.desc;
  }
}

TEST(StringTableFormat, EscapingRoundTripsAndFileNames) {
  const std::string key = "#a\tb\\c\nd\r \"e\" ^1";
  const std::string text = "#x\\\t\n";
  std::map<std::string, std::string> entries;
  std::vector<StringTableError> errors;
  EXPECT_TRUE(ParseStringTable(EscapeStringTableField(key, true) + "\t" +
                                   EscapeStringTableField(text, false),
                               entries, errors));
  EXPECT_EQ(entries[key], text);
  EXPECT_EQ(StringTableFileName("Nonparametric Tests"), "nonparametric-tests.strings");
  EXPECT_EQ(StringTableFileName("../etc/passwd"), "etc-passwd.strings");
  EXPECT_EQ(StringTableFileName("  A--b  "), "a-b.strings");
}

// A folder of two languages' tables, removed at the end.
struct TempTables {
  ScratchFolder folder;
  std::filesystem::path root = folder.Path();
  TempTables() {
    Write("en", "Yes\tYes\nOnly English\tOnly English\n");
    Write("de", "Yes\tJa\n");
  }
  void Write(const std::string& language, const std::string& text) const {
    folder.Write(language + "/p.strings", text);
  }
};

TEST(FacSTDictionaryTest, EnglishFallbackAndReportedProblems) {
  TempTables tables;
  FacSTDictionary german(tables.root.string() + "/de/");
  EXPECT_EQ(german.Language(), "de");
  ASSERT_TRUE(german.SetProcedure("P")) << german.LastError();
  EXPECT_EQ(german.LookUp("Yes"), "Ja");
  EXPECT_EQ(german.LookUp("Only English"), "Only English");
  EXPECT_EQ(german.LookUp("Nowhere"), "Nowhere");
  bool found = true;
  EXPECT_EQ(german.Translate("Nowhere else", found), "Nowhere else");
  EXPECT_FALSE(found);
  EXPECT_EQ(german.UntranslatedKeys(), (std::set<std::string>{"Nowhere"}))
      << "LookUp records a missing key, Translate does not";

  FacSTDictionary french(tables.root.string() + "/fr");
  EXPECT_FALSE(french.SetProcedure("P"));
  EXPECT_NE(french.LastError().find("/fr/p.strings: cannot be read"), std::string::npos);
  EXPECT_EQ(french.LookUp("Only English"), "Only English") << "English fallback still loaded";
  tables.Write("fr", "Yes\tOui\nbroken line\n");
  EXPECT_FALSE(french.SetProcedure("P"));
  EXPECT_NE(french.LastError().find("p.strings:2: no tab"), std::string::npos);
  EXPECT_EQ(french.LookUp("Yes"), "Oui") << "good lines stay usable";
}

TEST(PathFactoryTest, DefaultsAndSettings) {
  std::string location = PathFactory::getPathInstance(3)->getPath();
  EXPECT_EQ(location.substr(location.size() - 11), "/strings/en");
  FacSTDictionary strings(location);
  EXPECT_TRUE(strings.SetProcedure("Nonparametric Tests")) << strings.LastError();

  PathFactory::SetStringsRoot("/somewhere/strings");
  EXPECT_TRUE(PathFactory::SetLanguage("de"));
  EXPECT_EQ(PathFactory::getPathInstance(3)->getPath(), "/somewhere/strings/de");
  EXPECT_FALSE(PathFactory::SetLanguage("../../etc"));
  EXPECT_EQ(PathFactory::GetLanguage(), "de") << "a bad language changes nothing";
  PathFactory::SetResourcesRoot("/r");
  PathFactory::SetStringsRoot("");
  EXPECT_EQ(PathFactory::getPathInstance(3)->getPath(), "/r/strings/de");
  EXPECT_EQ(PathFactory::getPathInstance(2)->getPath(), "/r/templates");
  PathFactory::SetResourcesRoot("");
  PathFactory::SetLanguage("en");
}

// The placeholders ^1, ^2, ... a text uses, as numbers.
std::set<int> Placeholders(const std::string& text) {
  static const std::regex kPlaceholder("\\^([0-9]+)");
  std::set<int> numbers;
  for (auto it = std::sregex_iterator(text.begin(), text.end(), kPlaceholder);
       it != std::sregex_iterator(); ++it)
    numbers.insert(std::stoi((*it)[1]));
  return numbers;
}

std::map<std::string, std::string> ShippedTable(const std::string& language) {
  const std::string text = ReadAll(std::string(NPTESTS_SOURCE_DIR) + "/resources/strings/" +
                                   language + "/nonparametric-tests.strings");
  std::map<std::string, std::string> entries;
  std::vector<StringTableError> errors;
  EXPECT_TRUE(ParseStringTable(text, entries, errors)) << language;
  return entries;
}

// A condition key ("..._O_Binomial_4") supplies exactly the items ^1 to ^N of its sentence; any
// other key's placeholders must survive in its text, and in the German text too.
TEST(ShippedTables, PlaceholdersMatchTheirKeys) {
  std::map<std::string, std::string> english = ShippedTable("en");
  int conditions = 0;
  for (const auto& [key, text] : english) {
    const std::size_t underscore = key.rfind('_');
    if (underscore != std::string::npos && underscore + 2 == key.size() && key.back() >= '1' &&
        key.back() <= '5' && key.compare(0, 5, "NPAR_") != 0) {
      ++conditions;
      std::set<int> expected;
      for (int i = 1; i <= key.back() - '0'; ++i)
        expected.insert(i);
      EXPECT_EQ(Placeholders(text), expected) << key;
    }
    const std::set<int> inKey = Placeholders(key);
    const std::set<int> inText = Placeholders(text);
    EXPECT_TRUE(std::includes(inText.begin(), inText.end(), inKey.begin(), inKey.end())) << key;
  }
  EXPECT_EQ(conditions, 42) << "one sentence per condition key of the summary table";
  for (const auto& [key, text] : ShippedTable("de")) {
    ASSERT_EQ(english.count(key), 1u) << "German key without an English entry: " << key;
    EXPECT_EQ(Placeholders(text), Placeholders(english[key])) << key;
  }
}

// The English table holds every key the output shows (the golden outputs check that no text is
// left untranslated); every other shipped language must give each of them a text of its own, or
// the report comes out half in English. Names, symbols and abbreviations read the same.
TEST(ShippedTables, EveryLanguageTranslatesEveryKey) {
  const std::set<std::string> sameInGerman = {
      " ",         "^1-^2",     "[%1:, ^1]1", "Clopper-Pearson", "Jeffreys", "Median",
      "Minimum",   "Maximum",   "N",          "Parameter",       "Sig.",     "Test",
      "\nMinimum", "\nMaximum", "Fei"};
  // The symbols of a report line are notation, the same in every language.
  const auto notation = [](const std::string& key) {
    return key.rfind("APA ", 0) == 0 || key.rfind("ES symbol ", 0) == 0;
  };
  const std::map<std::string, std::string> english = ShippedTable("en");
  for (const auto& entry : std::filesystem::directory_iterator(std::string(NPTESTS_SOURCE_DIR) +
                                                               "/resources/strings")) {
    const std::string language = entry.path().filename().string();
    if (language == "en")
      continue;
    const std::map<std::string, std::string> table = ShippedTable(language);
    for (const auto& [key, text] : english) {
      const auto found = table.find(key);
      if (found == table.end()) {
        ADD_FAILURE() << language << " has no text for \"" << key << "\"";
        continue;
      }
      if (found->second == text && sameInGerman.count(text) == 0 && !notation(key))
        ADD_FAILURE() << language << " leaves \"" << key << "\" in English: " << text;
    }
  }
}

TEST(ShippedTables, MessageCodesWithoutEntryUseTheGeneralText) {
  FacSTDictionary strings(std::string(NPTESTS_SOURCE_DIR) + "/resources/strings/en");
  ASSERT_TRUE(strings.SetProcedure("Nonparametric Tests")) << strings.LastError();
  bool found = true;
  EXPECT_EQ(strings.Translate("123456", found), "The computation reported message 123456.");
  EXPECT_FALSE(found);
  EXPECT_NE(strings.LookUp("222328"), "222328");
  EXPECT_EQ(strings.LookUp("1234567890"), "1234567890") << "ten digits are no code";
}

} // namespace
