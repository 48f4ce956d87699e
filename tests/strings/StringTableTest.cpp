// The string-table file format, the dictionary's fallback and the path service's defaults.
#include "strings/FacSTDictionary.h"
#include "strings/PathFactory.h"
#include "strings/StringTableFormat.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <set>
#include <unistd.h>

namespace {

TEST(StringTableFormat, LinesAndEscapes) {
  struct Case {
    const char* desc;
    std::string text;
    std::string key;
    std::string expected;
  } cases[] = {
      {"plain", "Sig.\tSig.\n", "Sig.", "Sig."},
      {"key with blanks and ^", "The level is ^1.\tDas Niveau ist ^1.\n", "The level is ^1.",
       "Das Niveau ist ^1."},
      {"escapes", "a\\tb\\nc\\\\\tx\\ny\\r\n", "a\tb\nc\\", "x\ny\r"},
      {"quotes are plain", "\"q\"\t'q'\n", "\"q\"", "'q'"},
      {"key of one blank", " \t \n", " ", " "},
      {"empty text", "k\t\n", "k", ""},
      {"tab inside text", "k\ta\tb\n", "k", "a\tb"},
      {"CRLF", "k\tv\r\n", "k", "v"},
      {"byte-order mark", "\xEF\xBB\xBFk\tv", "k", "v"},
      {"escaped # starts a key", "\\#1\tone\n# comment\n", "#1", "one"},
  };
  for (const Case& c : cases) {
    std::map<std::string, std::string> entries;
    std::vector<StringTableError> errors;
    EXPECT_TRUE(ParseStringTable(c.text, entries, errors)) << c.desc;
    ASSERT_EQ(entries.count(c.key), 1u) << c.desc;
    EXPECT_EQ(entries[c.key], c.expected) << c.desc;
  }
}

TEST(StringTableFormat, BadLinesAreReportedAndSkipped) {
  struct Case {
    const char* desc;
    std::string line;
    const char* message;
  } cases[] = {
      {"no tab", "just text", "no tab between key and text"},
      {"empty key", "\ttext", "empty key"},
      {"unknown escape", "k\\q\tv", "unknown escape \\q"},
      {"backslash at end", "k\tv\\", "a backslash ends the field"},
  };
  for (const Case& c : cases) {
    std::map<std::string, std::string> entries;
    std::vector<StringTableError> errors;
    EXPECT_FALSE(ParseStringTable("good\tline\n\n" + c.line + "\nlast\tone", entries, errors))
        << c.desc;
    ASSERT_EQ(errors.size(), 1u) << c.desc;
    EXPECT_EQ(errors[0].line, 3) << c.desc;
    EXPECT_EQ(errors[0].message, c.message) << c.desc;
    EXPECT_EQ(entries.size(), 2u) << c.desc;
  }
}

TEST(StringTableFormat, RepeatedKeyReplacesAndIsReported) {
  std::map<std::string, std::string> entries;
  std::vector<StringTableError> errors;
  EXPECT_FALSE(ParseStringTable("k\tone\nk\ttwo\n", entries, errors));
  EXPECT_EQ(entries["k"], "two");
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0].line, 2);
}

TEST(StringTableFormat, EscapingRoundTrips) {
  const std::string key = "#a\tb\\c\nd\r \"e\" ^1";
  const std::string text = "#x\\\t\n";
  std::string line = EscapeStringTableField(key, true) + "\t" + EscapeStringTableField(text, false);
  std::map<std::string, std::string> entries;
  std::vector<StringTableError> errors;
  EXPECT_TRUE(ParseStringTable(line + "\n", entries, errors));
  EXPECT_EQ(entries[key], text);
}

TEST(StringTableFormat, FileNames) {
  EXPECT_EQ(StringTableFileName("Nonparametric Tests"), "nonparametric-tests.strings");
  EXPECT_EQ(StringTableFileName("../etc/passwd"), "etc-passwd.strings");
  EXPECT_EQ(StringTableFileName("  A--b  "), "a-b.strings");
}

// A folder of two languages' tables, removed at the end.
struct TempTables : ::testing::Test {
  std::string root;

  void SetUp() override {
    char pattern[] = "/tmp/np_strings_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    root = pattern;
    Write("en", "Yes\tYes\nNo\tNo\nOnly English\tOnly English\n");
    Write("de", "Yes\tJa\nNo\tNein\n");
  }
  void TearDown() override {
    for (const char* language : {"en", "de", "fr"}) {
      std::remove((root + "/" + language + "/p.strings").c_str());
      rmdir((root + "/" + language).c_str());
    }
    rmdir(root.c_str());
  }
  void Write(const std::string& language, const std::string& text) {
    mkdir((root + "/" + language).c_str(), 0700);
    std::ofstream(root + "/" + language + "/p.strings") << text;
  }
};

TEST_F(TempTables, LanguageWithEnglishFallback) {
  FacSTDictionary german(root + "/de/");
  EXPECT_EQ(german.Language(), "de");
  ASSERT_TRUE(german.SetProcedure("P")) << german.LastError();
  EXPECT_EQ(german.LookUp("Yes"), "Ja");
  EXPECT_EQ(german.LookUp("Only English"), "Only English");
  EXPECT_EQ(german.LookUp("Nowhere"), "Nowhere");
  EXPECT_EQ(german.UntranslatedKeys(), (std::set<std::string>{"Nowhere"}));
  bool found = true;
  EXPECT_EQ(german.Translate("Nowhere else", found), "Nowhere else");
  EXPECT_FALSE(found);
  EXPECT_EQ(german.UntranslatedKeys().size(), 1u) << "Translate records nothing";
}

TEST_F(TempTables, MissingOrBadTableIsReported) {
  FacSTDictionary french(root + "/fr");
  EXPECT_FALSE(french.SetProcedure("P"));
  EXPECT_NE(french.LastError().find("/fr/p.strings: cannot be read"), std::string::npos);
  EXPECT_EQ(french.LookUp("Yes"), "Yes") << "English fallback still loaded";

  Write("fr", "Yes\tOui\nbroken line\n");
  FacSTDictionary broken(root + "/fr");
  EXPECT_FALSE(broken.SetProcedure("P"));
  EXPECT_NE(broken.LastError().find("p.strings:2: no tab"), std::string::npos);
  EXPECT_EQ(broken.LookUp("Yes"), "Oui") << "good lines stay usable";
}

TEST(PathFactoryTest, StringTablesOfTheBuildAreFoundWithoutConfiguration) {
  PathFactory::SetLanguage("en");
  std::string location = PathFactory::getPathInstance(3)->getPath();
  EXPECT_EQ(location.substr(location.size() - 11), "/strings/en");
  FacSTDictionary strings(location);
  EXPECT_TRUE(strings.SetProcedure("Nonparametric Tests")) << strings.LastError();
  EXPECT_GT(strings.EntryCount(), 0u);
}

TEST(PathFactoryTest, SettingsChangeTheLocation) {
  PathFactory::SetStringsRoot("/somewhere/strings");
  EXPECT_TRUE(PathFactory::SetLanguage("de"));
  EXPECT_EQ(PathFactory::getPathInstance(3)->getPath(), "/somewhere/strings/de");
  EXPECT_FALSE(PathFactory::SetLanguage("../../etc"));
  EXPECT_EQ(PathFactory::GetLanguage(), "de") << "a bad language changes nothing";
  PathFactory::SetResourcesRoot("/r");
  PathFactory::SetStringsRoot("");
  EXPECT_EQ(PathFactory::getPathInstance(3)->getPath(), "/r/strings/de");
  EXPECT_EQ(PathFactory::getPathInstance(2)->getPath(), "/r/templates");
  EXPECT_EQ(PathFactory::getPathInstance(3), PathFactory::getPathInstance(3));
  PathFactory::SetResourcesRoot("");
  PathFactory::SetLanguage("en");
}

} // namespace

namespace {

// The placeholders ^1, ^2, ... a text uses, as numbers.
std::set<int> Placeholders(const std::string& text) {
  std::set<int> numbers;
  for (std::size_t pos = text.find('^'); pos != std::string::npos; pos = text.find('^', pos + 1)) {
    int number = 0;
    std::size_t digit = pos + 1;
    while (digit < text.size() && text[digit] >= '0' && text[digit] <= '9') {
      number = number * 10 + (text[digit++] - '0');
    }
    if (digit > pos + 1) {
      numbers.insert(number);
    }
  }
  return numbers;
}

std::map<std::string, std::string> ShippedTable(const std::string& language) {
  std::ifstream in(std::string(NPTESTS_SOURCE_DIR) + "/resources/strings/" + language +
                   "/nonparametric-tests.strings");
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::map<std::string, std::string> entries;
  std::vector<StringTableError> errors;
  EXPECT_TRUE(ParseStringTable(text, entries, errors))
      << language << ": line " << (errors.empty() ? 0 : errors[0].line) << ": "
      << (errors.empty() ? "" : errors[0].message);
  return entries;
}

TEST(ShippedTables, ConditionSentencesUseExactlyTheirItems) {
  std::map<std::string, std::string> english = ShippedTable("en");
  int conditions = 0;
  for (const auto& [key, text] : english) {
    std::size_t underscore = key.rfind('_');
    bool isCondition = key.find('_') != std::string::npos && underscore + 2 == key.size() &&
                       key.back() >= '1' && key.back() <= '5';
    if (!isCondition || key.compare(0, 5, "NPAR_") == 0) {
      continue;
    }
    ++conditions;
    std::set<int> expected;
    for (int i = 1; i <= key.back() - '0'; ++i) {
      expected.insert(i);
    }
    EXPECT_EQ(Placeholders(text), expected) << key;
  }
  EXPECT_EQ(conditions, 42) << "one sentence per condition key of the summary table";
}

TEST(ShippedTables, TranslationsKeepThePlaceholdersOfTheirKeys) {
  std::map<std::string, std::string> english = ShippedTable("en");
  for (const auto& [key, text] : english) {
    std::set<int> inKey = Placeholders(key);
    std::set<int> inText = Placeholders(text);
    EXPECT_TRUE(std::includes(inText.begin(), inText.end(), inKey.begin(), inKey.end())) << key;
  }
  for (const auto& [key, text] : ShippedTable("de")) {
    ASSERT_EQ(english.count(key), 1u) << "German key without an English entry: " << key;
    EXPECT_EQ(Placeholders(text), Placeholders(english[key])) << key;
    EXPECT_NE(text, english[key]) << "not translated: " << key;
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
  EXPECT_EQ(strings.LookUp("12a"), "12a");
}

} // namespace
