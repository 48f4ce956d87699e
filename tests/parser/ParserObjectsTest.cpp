// What the parser objects give the procedures: parameter readers, variable specifications,
// messages with numbered arguments, translated texts, and the pieces beneath them.
#include "ParserTestData.h"
#include "ScratchFolder.h"

#include "parser/CommandParser.h"
#include "parser/KeywordSuggester.h"
#include "parser/NptestsGrammar.h"
#include "parser/ParamDescriptor.h"
#include "parser/ParserMessage.h"
#include "parser/VarListExpander.h"
#include "parser/VarSpecObj.h"
#include "strings/PathFactory.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace {

// A grammar that takes any items, so the readers meet forms the NPTESTS grammar would refuse.
CommandDescriptor OpenGrammar() {
  CommandDescriptor grammar("CMD", "Test");
  grammar.SubCommand(SubComDescriptor("SUB")
                         .Param(ParamDescriptor("V").Variables().Items(1, 99))
                         .Param(ParamDescriptor("P").Open())
                         .Param(ParamDescriptor("Q").Open()));
  return grammar;
}

const ParamObj* Param(const CommandSpec& spec, const char* name) {
  return spec.getSubComObj("SUB")->getParamObj(name);
}

TEST(ParamObj, ReadersAcceptOnlyTheirForm) {
  const CommandDescriptor grammar = OpenGrammar();
  auto spec = CommandParser(grammar, nullptr).Parse("CMD /SUB P=12 Q='Yes'");
  const ParamObj* p = Param(*spec, "P");
  const ParamObj* q = Param(*spec, "q");
  int i = -1;
  double d = -1;
  std::string name = "unchanged";
  std::vector<std::string> vars{"unchanged"};
  EXPECT_TRUE(p->getIntegerValue(i) && p->getNumberValue(d));
  EXPECT_EQ(i, 12);
  EXPECT_EQ(d, 12.0);
  EXPECT_FALSE(p->isLeadingToken());
  EXPECT_FALSE(p->isStringValueCase("12")) << "a number is not a string value";
  EXPECT_TRUE(q->isStringValueCase("YES")) << "string values compare ignoring case";
  EXPECT_FALSE(q->getIntegerValue(i) || q->getVarName(name) || q->getVarList(vars));
  EXPECT_EQ(name, "unchanged");
  EXPECT_EQ(vars, std::vector<std::string>{"unchanged"});

  spec = CommandParser(grammar, nullptr).Parse("CMD /SUB P=2.5 Q=3e9");
  EXPECT_FALSE(Param(*spec, "P")->getIntegerValue(i) || Param(*spec, "Q")->getIntegerValue(i));
  EXPECT_EQ(i, 12);
  EXPECT_TRUE(Param(*spec, "Q")->getNumberValue(d));
  EXPECT_EQ(d, 3e9);
}

TEST(ParamObj, QualifierListAndTheSingleItem) {
  const CommandDescriptor grammar = OpenGrammar();
  auto spec = CommandParser(grammar, nullptr).Parse("CMD /SUB P(NORMAL(SAMPLE=TRUE) EXTRA) Q(A B)");
  const ParamObj* p = Param(*spec, "P");
  std::vector<const ParamObj*> list;
  ASSERT_TRUE(p->getStringQualList(nullptr, list));
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(ParamObj::getParamObj("extra", list), list[1]);
  EXPECT_EQ(ParamObj::getParamObj("MISSING", list), nullptr);

  const ParamObj* sample = nullptr;
  ASSERT_TRUE(ParamObj::getParamObj("NORMAL", list)->getStringAndQual(sample));
  EXPECT_EQ(sample->getParamName(), "SAMPLE");
  EXPECT_FALSE(sample->isLeadingToken());
  EXPECT_TRUE(sample->isStringValueCase("true"));
  EXPECT_FALSE(sample->isStringValueCase("FALSE"));

  // A descriptor that does not know EXTRA makes the list unreadable.
  const ParamDescriptor onlyNormal = ParamDescriptor("P").Qualifier(ParamDescriptor("NORMAL"));
  std::vector<const ParamObj*> untouched{nullptr};
  EXPECT_FALSE(p->getStringQualList(&onlyNormal, untouched));
  EXPECT_EQ(untouched.size(), 1u);

  const ParamObj* item = nullptr;
  EXPECT_FALSE(Param(*spec, "Q")->getStringAndQual(item)) << "two items are not one";
  EXPECT_EQ(item, nullptr);

  spec = CommandParser(grammar, nullptr).Parse("CMD /SUB P");
  EXPECT_TRUE(Param(*spec, "P")->getStringQualList(nullptr, list));
  EXPECT_TRUE(list.empty()) << "a bare parameter has an empty list";
  EXPECT_TRUE(Param(*spec, "P")->isLeadingToken());
  EXPECT_FALSE(Param(*spec, "P")->getStringAndQual(item));
}

// The range a number must lie in, as an error message says it: open and closed ends, ends the
// grammar leaves open with the largest double, and bounds that are not whole.
TEST(ParamDescriptor, DescribesNumberRangesInWords) {
  constexpr double kHuge = std::numeric_limits<double>::max();
  struct Row {
    double low, high;
    bool lowOpen, highOpen, integers;
    const char* expected;
  } rows[] = {
      {-kHuge, kHuge, false, false, false, "a number"},
      {0, kHuge, true, false, false, "a number greater than 0"},
      {0, kHuge, false, false, true, "an integer of 0 or more"},
      {-kHuge, 5, false, true, false, "a number less than 5"},
      {-kHuge, 5, false, false, false, "a number of 5 or less"},
      {1, 1000000000, false, false, true, "an integer from 1 to 1000000000"},
      {0, 1, true, true, false, "a number greater than 0 and less than 1"},
      {0, 100, false, true, false, "a number of at least 0 and less than 100"},
      {0.05, 2.5e-7, true, false, false, "a number greater than 0.05 and at most 2.5e-07"},
      {-1e300, 1e300, false, false, false, "a number from -1e+300 to 1e+300"},
  };
  for (const Row& row : rows) {
    ParamDescriptor descriptor("X");
    descriptor.Numbers(row.low, row.high, row.lowOpen, row.highOpen);
    if (row.integers)
      descriptor.Integers(row.low, row.high);
    EXPECT_EQ(descriptor.DescribeNumbers(), row.expected) << row.expected;
  }
}

TEST(VarListExpander, RangesAllAndProblems) {
  auto data = MakeTestDictionary();
  struct Row {
    const char* desc;
    std::vector<std::string> names;
    bool ok;
    std::vector<int> indexes;
    std::size_t badPosition;
  } rows[] = {
      {"names in any case", {"A", "c", "NAME"}, true, {0, 2, 5}, 0},
      {"forward range", {"b", "to", "d"}, true, {1, 2, 3}, 0},
      {"ALL in dictionary order", {"ALL"}, true, {0, 1, 2, 3, 4, 5}, 0},
      {"backwards range", {"d", "TO", "b"}, false, {}, 2},
      {"unknown end", {"a", "TO", "zz"}, false, {}, 2},
      {"unknown start skips range", {"zz", "TO", "b", "c"}, false, {2}, 0},
      {"dangling TO", {"a", "TO"}, false, {}, 1},
      {"TO first", {"TO", "a"}, false, {0}, 0},
  };
  for (const Row& row : rows) {
    const auto result = VarListExpander::Expand(row.names, *data);
    EXPECT_EQ(result.fOk, row.ok) << row.desc;
    EXPECT_EQ(result.fIndexes, row.indexes) << row.desc;
    EXPECT_TRUE(row.ok || result.fBadPosition == row.badPosition) << row.desc;
  }
}

TEST(VarSpecObj, RepeatOptionsAndInvalidNames) {
  auto data = MakeTestDictionary();
  CommandDescriptor grammar = MakeNptestsDescriptor();
  ParserMessageLog log;
  grammar.SetMessageLog(&log);

  VarSpecObj dropped("TEST", "ONESAMPLE", &grammar, data.get(), false);
  EXPECT_TRUE(dropped.ValidateVariables({"c", "a", "C", "a TO b"}, VarSpecObj::kRepeatDropped) ==
              false)
      << "a name with a blank is not a variable";
  EXPECT_TRUE(dropped.ValidateVariables({"c", "a", "C", "a", "TO", "b"}, 3));
  EXPECT_EQ(dropped.GetValidVarList(), (std::vector<int>{2, 0, 1}));

  VarSpecObj kept("TEST", "ONESAMPLE", &grammar, data.get(), false);
  EXPECT_TRUE(kept.ValidateVariables({"a", "a"}, VarSpecObj::kRepeatKept));
  EXPECT_EQ(kept.GetValidVarList(), (std::vector<int>{0, 0}));

  log.Clear();
  VarSpecObj strict("TEST", "ONESAMPLE", &grammar, data.get(), false);
  EXPECT_FALSE(strict.ValidateVariables({"a", "b", "A"}, VarSpecObj::kRepeatIsError));
  ASSERT_EQ(log.GetEntries().size(), 1u);
  EXPECT_EQ(ParserMessageLog::Format(log.GetEntries()[0]),
            "NPTESTS error: ONESAMPLE TEST: the variable a is named twice");

  log.Clear();
  VarSpecObj numeric("TEST", "ONESAMPLE", &grammar, data.get(), true);
  EXPECT_FALSE(numeric.ValidateVariables({"a", "name"}, 3));
  EXPECT_EQ(numeric.GetValidVarList(), std::vector<int>{0}) << "the valid part stays usable";
  EXPECT_EQ(log.GetEntries().at(0).fText,
            "ONESAMPLE TEST: the string variable Name cannot be used here");

  log.Clear();
  VarSpecObj quiet("TEST", "ONESAMPLE", &grammar, data.get(), false);
  quiet.SetErrorReport(false);
  EXPECT_FALSE(quiet.ValidateVariables({"nope"}, 3));
  EXPECT_FALSE(quiet.ValidateVariables({}, 3));
  EXPECT_EQ(quiet.ValidateVariable("nope"), -1);
  EXPECT_TRUE(log.GetEntries().empty()) << "error reporting was off";

  VarSpecObj noData("TEST", "ONESAMPLE", &grammar, nullptr, false);
  EXPECT_FALSE(noData.ValidateVariables({"a"}, 3));
  EXPECT_EQ(noData.ValidateVariable("a"), -1);
}

TEST(VarSpecObj, CommonVariablesAreReportedOnce) {
  auto data = MakeTestDictionary();
  CommandDescriptor grammar = MakeNptestsDescriptor();
  ParserMessageLog log;
  grammar.SetMessageLog(&log);
  VarSpecObj test("TEST", "INDEPENDENT", &grammar, data.get(), false);
  VarSpecObj group("GROUP", "INDEPENDENT", &grammar, data.get(), false);
  ASSERT_TRUE(test.ValidateVariables({"a", "TO", "c"}, 3));
  EXPECT_EQ(group.ValidateVariable("D"), 3);
  EXPECT_TRUE(test.CheckCommonVars(group));
  EXPECT_TRUE(log.GetEntries().empty());

  VarSpecObj group2("GROUP", "INDEPENDENT", &grammar, data.get(), false);
  EXPECT_EQ(group2.ValidateVariable("B"), 1);
  EXPECT_FALSE(test.CheckCommonVars(group2));
  ASSERT_EQ(log.GetEntries().size(), 1u);
  EXPECT_EQ(log.GetEntries()[0].fText,
            "INDEPENDENT TEST: the variable b cannot be both in TEST and in GROUP");
}

TEST(ParserMessage, WarningsWithNumberedArgumentsReachTheLog) {
  ParserMessageLog log;
  ParserMessage message(&log);
  message.SetCommandName("NPTESTS");
  message.GenericWarning("K-S Poisson Sample ignored ...", nullptr, nullptr, nullptr, nullptr,
                         nullptr);
  message.GenericWarning("^2 before ^1, ^3 stays", "one", "two", nullptr, nullptr, nullptr);
  message.GenericError(nullptr, "x", nullptr, nullptr, nullptr, nullptr);
  ASSERT_EQ(log.GetEntries().size(), 2u);
  EXPECT_EQ(ParserMessageLog::Format(log.GetEntries()[0]),
            "NPTESTS warning: K-S Poisson Sample ignored ...");
  EXPECT_EQ(log.GetEntries()[1].fText, "two before one, ^3 stays");
  EXPECT_EQ(message.GetMessages().size(), 2u);
  EXPECT_FALSE(log.HasErrors());

  ParserMessage alone;
  alone.GenericError("e", nullptr, nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(alone.GetMessages().size(), 1u);
}

TEST(ParserMessage, SubstitutionEdgeCases) {
  const std::vector<std::string> args{"A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K"};
  struct Row {
    const char* desc;
    const char* text;
    const char* expected;
  } rows[] = {
      {"two digits", "^10 and ^11", "J and K"},
      {"caret alone", "x^ y ^", "x^ y ^"},
      {"beyond the arguments", "^12", "^12"},
      {"caret caret", "^^1", "^A"},
  };
  for (const Row& row : rows)
    EXPECT_EQ(ParserMessage::SubstituteArguments(row.text, args), row.expected) << row.desc;
}

TEST(ParserMessage, TranslatedTextComesFromTheProcedureTable) {
  ScratchFolder strings;
  strings.Write("en/nonparametric-tests.strings",
                "Lill ^1 samples ^ 2 seed ...\tLilliefors: ^1 samples, starting seed ^2.\n");
  PathFactory::SetStringsRoot(strings.Path());
  ParserMessage message;
  message.SetCommandName("NPTESTS");
  message.SetProcedureTitle("Nonparametric Tests");
  EXPECT_EQ(message.GetTranslatedText("Lill ^1 samples ^ 2 seed ...", "10000", "2000000"),
            "Lilliefors: 10000 samples, starting seed 2000000.");
  EXPECT_EQ(message.GetTranslatedText("No entry for ^1", std::string("this")), "No entry for this");
  PathFactory::SetStringsRoot("");
}

TEST(KeywordSuggester, NearestWithinAnAllowanceThatGrowsWithLength) {
  const std::vector<std::string> keywords{"SIGN", "WILCOXON", "KOLMOGOROV_SMIRNOV", "MEDIAN"};
  const std::pair<const char*, const char*> rows[] = {{"sgn", "SIGN"},
                                                      {"SXGNXX", ""},
                                                      {"wilcoxen", "WILCOXON"},
                                                      {"WLCXN", ""},
                                                      {"KOLMOGROV_SMRNV", "KOLMOGOROV_SMIRNOV"},
                                                      {"", ""}};
  for (const auto& row : rows)
    EXPECT_EQ(KeywordSuggester::Nearest(row.first, keywords), row.second) << row.first;
  EXPECT_EQ(KeywordSuggester::Distance("kitten", "SITTING"), 3);
  EXPECT_EQ(KeywordSuggester::Distance(std::string(100000, 'a'), "a"), 63)
      << "long words are cut before comparing";
}

} // namespace
