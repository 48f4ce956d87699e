// Tokens of command texts: words, numbers, strings, punctuation, comments, positions and errors.
#include "parser/CommandLexer.h"

#include "DataTable.h"

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
  for (const DataRow& row : ReadDataTable("tests/parser/data/lexer_errors.tsv", 5)) {
    SCOPED_TRACE(row.where);
    try {
      Tokens(Unescaped(row.fields[1]));
      ADD_FAILURE() << "no error";
    } catch (const CommandSyntaxError& e) {
      EXPECT_EQ(e.Line(), std::stoi(row.fields[2]));
      EXPECT_EQ(e.Column(), std::stoi(row.fields[3]));
      EXPECT_EQ(std::string(e.what()), Unescaped(row.fields[4]));
    }
  }
}

} // namespace
