// The host's assertion, the result-document record and the procedure base.
#include "proc/CFAssert.h"
#include "proc/CFProcCustom.h"
#include "proc/CFStatXMLInfoBlock.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

TEST(CFAssert, ThrowsWithItsThreeTexts) {
  try {
    int nSplits = 0;
    CF_ASSERT(nSplits > 0, "ProcessOutputXML", "backend/nonpar/NOPRProcCustom");
    FAIL() << "no exception";
  } catch (const CFAssertionError& e) {
    EXPECT_EQ(e.Expression(), "nSplits > 0");
    EXPECT_EQ(e.Function(), "ProcessOutputXML");
    EXPECT_EQ(e.Source(), "backend/nonpar/NOPRProcCustom");
    EXPECT_EQ(std::string(e.what()),
              "Assertion failed: nSplits > 0 in ProcessOutputXML (backend/nonpar/NOPRProcCustom)");
  }
  EXPECT_NO_THROW(CF_ASSERT(1 + 1 == 2, "f", "s"));
}

// A described check says in words what failed; the words are made only when it fails, and a caller
// that knows the place adds it while the exception passes.
TEST(CFAssert, DescribedChecksCarryTheirWordsAndAPlace) {
  int described = 0;
  const auto words = [&described](int columns) {
    ++described;
    return "the table has " + std::to_string(columns) + " columns where 7 are needed";
  };
  const int wide = 7;
  EXPECT_NO_THROW(CF_ASSERT_DESCRIBED(wide == 7, "f", "s", words(wide)));
  EXPECT_EQ(described, 0) << "words made for a check that held";
  try {
    try {
      const int narrow = 6;
      CF_ASSERT_DESCRIBED(narrow == 7, "DspPairwiseCompOutput", "backend/nonpar/NOPROutput",
                          words(narrow));
      FAIL() << "no exception";
    } catch (CFAssertionError& e) {
      EXPECT_TRUE(e.Place().empty());
      e.SetPlace("test 2 (Independent-Samples Kruskal-Wallis Test)");
      throw;
    }
  } catch (const CFAssertionError& e) {
    EXPECT_EQ(described, 1);
    EXPECT_EQ(e.Description(), "the table has 6 columns where 7 are needed");
    EXPECT_EQ(e.Place(), "test 2 (Independent-Samples Kruskal-Wallis Test)");
    EXPECT_EQ(std::string(e.what()),
              "Assertion failed: narrow == 7 in DspPairwiseCompOutput (backend/nonpar/NOPROutput)");
  }
}

TEST(CFStatXMLInfoBlock, CopiesPointAtTheirOwnValues) {
  CFStatXMLInfoBlock block;
  block.AddSplitValue(3, 1.0);
  block.AddSplitValue(5, std::string("North"), 10);
  block.AddSplitValue(6, 2.0); // growth must not leave the earlier pointers dangling
  ASSERT_EQ(block.fSplitValues.size(), 3u);
  EXPECT_EQ(block.fSplitValues[0]->f, 1.0);
  EXPECT_EQ(std::string(block.fSplitValues[1]->s, 10), "North     ");

  CFStatXMLInfoBlock copy(block);
  EXPECT_NE(copy.fSplitValues[0], block.fSplitValues[0]);
  EXPECT_EQ(copy.fSplitValues[2]->f, 2.0);
  CFStatXMLInfoBlock assigned;
  assigned = block;
  EXPECT_EQ(assigned.fSplitVarIndexes, (std::vector<int>{3, 5, 6}));
  EXPECT_NE(assigned.fSplitValues[1], block.fSplitValues[1]);
  EXPECT_EQ(std::string(assigned.fSplitValues[1]->s, 5), "North");
}

// (The defaults the host sees are checked on the plug-in's own object: PluginLoadTest.)
TEST(CFProcCustom, SeedsRarelyRepeatAndFollowTheGeneratorState) {
  CFProcCustom proc;
  proc.SetSeedGeneratorState(42);
  std::set<int> seeds;
  for (int i = 0; i < 100; ++i) {
    int seed = proc.GetNextSeed();
    EXPECT_GT(seed, 0);
    seeds.insert(seed);
  }
  EXPECT_GT(seeds.size(), 95u) << "seeds should not repeat often";
  CFProcCustom other;
  other.SetSeedGeneratorState(42);
  proc.SetSeedGeneratorState(42);
  EXPECT_EQ(proc.GetNextSeed(), other.GetNextSeed()) << "same state, same seed";
}
