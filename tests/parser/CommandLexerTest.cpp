// Tokens of command texts: words, numbers, strings, punctuation, comments, positions and errors.
#include "parser/CommandLexer.h"

#include "parser/CommandSyntaxError.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Kind = CommandToken::Kind;

std::vector<CommandToken> Tokens(const std::string& text) {
  CommandLexer lexer(text);
  std::vector<CommandToken> tokens;
  for (CommandToken t = lexer.Next(); t.fKind != Kind::kEndOfText; t = lexer.Next())
    tokens.push_back(t);
  return tokens;
}

TEST(CommandLexer, NumbersInTheirWrittenForms) {
  const std::pair<const char*, double> rows[] = {
      {"-2", -2}, {".5", 0.5}, {"2.5E-1", 0.25}, {"+7", 7}, {"-.25", -0.25}};
  for (const auto& row : rows) {
    const auto tokens = Tokens(row.first);
    ASSERT_EQ(tokens.size(), 1u) << row.first;
    EXPECT_EQ(tokens[0].fKind, Kind::kNumber) << row.first;
    EXPECT_DOUBLE_EQ(tokens[0].fNumber, row.second) << row.first;
    EXPECT_EQ(tokens[0].fText, row.first);
  }
}

TEST(CommandLexer, StringsWithEitherQuoteAndDoubledQuotes) {
  const auto tokens = Tokens(R"('it''s' "say ""hi""" 'a"b')");
  ASSERT_EQ(tokens.size(), 3u);
  EXPECT_EQ(tokens[0].fText, "it's");
  EXPECT_EQ(tokens[0].fWritten, "'it''s'");
  EXPECT_EQ(tokens[1].fText, "say \"hi\"");
  EXPECT_EQ(tokens[2].fText, "a\"b");
  for (const auto& t : tokens)
    EXPECT_EQ(t.fKind, Kind::kString);
}

TEST(CommandLexer, PointEndsTheCommandOnlyAfterAName) {
  const auto tokens = Tokens("TEST(a.b c). ");
  ASSERT_EQ(tokens.size(), 6u);
  EXPECT_EQ(tokens[2].fText, "a.b");
  EXPECT_EQ(tokens[3].fText, "c");
  EXPECT_EQ(tokens[5].fKind, Kind::kEndCommand);
  const auto atEnd = Tokens("x.");
  ASSERT_EQ(atEnd.size(), 2u);
  EXPECT_EQ(atEnd[0].fText, "x");
  EXPECT_EQ(atEnd[1].fKind, Kind::kEndCommand);
}

TEST(CommandLexer, CommentsAreSkippedAndPositionsCounted) {
  const std::string text = "* a comment line with 'quote\n"
                           "  NPTESTS /* inline\n comment */ /X=1\n"
                           "   * another one\n"
                           "\tY";
  const auto tokens = Tokens(text);
  ASSERT_EQ(tokens.size(), 6u);
  auto at = [](const CommandToken& t) {
    return t.fText + "@" + std::to_string(t.fLine) + ":" + std::to_string(t.fColumn);
  };
  EXPECT_EQ(at(tokens[0]), "NPTESTS@2:3");
  EXPECT_EQ(tokens[1].fKind, Kind::kSlash);
  EXPECT_EQ(at(tokens[1]), "/@3:13");
  EXPECT_EQ(at(tokens[5]), "Y@5:2");
}

TEST(CommandLexer, ColumnsCountCharactersNotBytes) {
  const auto tokens = Tokens("\xC3\xA9t\xC3\xA9 x");
  ASSERT_EQ(tokens.size(), 2u);
  EXPECT_EQ(tokens[0].fText, "\xC3\xA9t\xC3\xA9");
  EXPECT_EQ(tokens[1].fColumn, 5);
}

TEST(CommandLexer, ErrorsNameLineColumnAndToken) {
  struct Row {
    const char* desc;
    const char* text;
    int line;
    int column;
    const char* message;
  } rows[] = {
      {"unterminated string", "A\n  'abc", 2, 3,
       "line 2, column 3, at \"'abc\": the string is not closed with '"},
      {"string broken by a line end", "\"ab\ncd\"", 1, 1,
       "line 1, column 1, at \"\"ab\": the string is not closed with \""},
      {"unterminated comment", "A /* open", 1, 3,
       "line 1, column 3, at \"/*\": the comment is not closed with */"},
      {"stray character; a star inside a line is no comment", "A * B", 1, 3,
       "line 1, column 3, at \"*\": this character has no place in a command"},
      {"stray character", "A ; B", 1, 3,
       "line 1, column 3, at \";\": this character has no place in a command"},
      {"control character", "A \x01", 1, 3,
       "line 1, column 3, at \"\\x01\": this character has no place in a command"},
      {"digits glued to letters", "12abc", 1, 1,
       "line 1, column 1, at \"12abc\": this is not a number"},
      {"overflow", "1e999", 1, 1,
       "line 1, column 1, at \"1e999\": the number is too large (numbers run to about 1.8e308)"},
  };
  for (const Row& row : rows) {
    try {
      Tokens(row.text);
      ADD_FAILURE() << row.desc << ": no error";
    } catch (const CommandSyntaxError& e) {
      EXPECT_EQ(e.Line(), row.line) << row.desc;
      EXPECT_EQ(e.Column(), row.column) << row.desc;
      EXPECT_EQ(std::string(e.what()), row.message) << row.desc;
    }
  }
}

} // namespace
