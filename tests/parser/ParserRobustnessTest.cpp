// Random command texts built from the grammar's own pieces: every one is either read or refused
// with a CommandSyntaxError, never anything else (run under the sanitizers in CI).
#include "ParserTestData.h"

#include "parser/CommandParser.h"
#include "parser/CommandSyntaxError.h"
#include "parser/NptestsGrammar.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

TEST(ParserRobustness, RandomTextsAreReadOrRefusedCleanly) {
  // The grammar's words and every kind of token, good and bad, and a line end.
  std::istringstream words(
      "NPTESTS / ONESAMPLE INDEPENDENT RELATED CRITERIA TEST GROUP ( ) = , . "
      "a b TO ALL zz KOLMOGOROV_SMIRNOV NORMAL SAMPLE TRUE CUSTOM MEAN SD 1 -2 "
      ".5 1e3 's''t' \"x /* */ * SEED RANDOM COMPARE PAIRWISE RUNS \xC3\xA9 \x01 ;");
  std::vector<std::string> pieces{"\n"};
  for (std::string word; words >> word;)
    pieces.push_back(word);
  const CommandDescriptor grammar = MakeNptestsDescriptor();
  auto data = MakeTestDictionary();
  std::mt19937 random(12345);
  std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
  std::uniform_int_distribution<int> length(1, 40);
  int accepted = 0;
  for (int n = 0; n < 3000; ++n) {
    std::string text = "NPTESTS";
    for (int i = length(random); i > 0; --i)
      text += " " + pieces[pick(random)];
    try {
      CommandParser(grammar, n % 2 == 0 ? data.get() : nullptr).Parse(text);
      ++accepted;
    } catch (const CommandSyntaxError& e) {
      EXPECT_GE(e.Line(), 1) << text;
      EXPECT_GE(e.Column(), 1) << text;
    }
  }
  EXPECT_LT(accepted, 3000);
}

} // namespace
