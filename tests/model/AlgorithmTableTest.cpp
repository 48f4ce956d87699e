// The algorithm table's rows agree with each other and with the names of the result document.
#include "NOPRAlgorithmTable.h"

#include <gtest/gtest.h>

#include <string>

using Table = NOPRAlgorithmTable;
using Stats = NOPROutputStats;

TEST(AlgorithmTable, ConditionKeysFitTheirAlgorithm) {
  for (int value = Stats::kANone; value <= Stats::kAIMedian; ++value) {
    const Table::Row* row = Table::Find(static_cast<Stats::EnumAlgorithmType>(value));
    ASSERT_NE(row, nullptr) << value;
    for (const Table::ConditionRecipe& recipe : row->fConditions) {
      const std::string key = recipe.key;
      SCOPED_TRACE(key);
      ASSERT_NE(row->fName, nullptr);
      // A key ends in its parameter count and names the algorithm's family ("_O_", or "O_" first).
      EXPECT_EQ(key.substr(key.rfind('_') + 1), std::to_string(recipe.paramCount));
      const std::string family(1, row->fName[0]);
      EXPECT_TRUE(key.find("_" + family + "_") != std::string::npos ||
                  key.compare(0, 2, family + "_") == 0);
      // Every item reads a parameter the key provides.
      ASSERT_GE(recipe.itemCount, 1u);
      for (std::size_t k = 0; k < recipe.itemCount; ++k) {
        EXPECT_LT(static_cast<std::size_t>(recipe.items[k].a), recipe.paramCount);
        EXPECT_LT(static_cast<std::size_t>(recipe.items[k].b), recipe.paramCount);
      }
      EXPECT_EQ(Table::FindCondition(row->fAlgorithm, key), &recipe);
    }
  }
  EXPECT_EQ(Table::FindCondition(Stats::kAIMedian, "R_Sign_2"), nullptr)
      << "another algorithm's key";
  EXPECT_EQ(Table::Find(static_cast<Stats::EnumAlgorithmType>(31)), nullptr);
  EXPECT_EQ(Table::Find(static_cast<Stats::EnumAlgorithmType>(-1)), nullptr);
}

TEST(AlgorithmTable, ChartedAlgorithmsHaveRecordsOfTheirFamily) {
  for (int value = Stats::kANone; value <= Stats::kAIMedian; ++value) {
    const Table::Row* row = Table::Find(static_cast<Stats::EnumAlgorithmType>(value));
    if (row->fChart == Table::Chart::kNone)
      continue;
    SCOPED_TRACE(row->fName);
    EXPECT_NE(row->fMakeRecord, nullptr);
    EXPECT_EQ(row->fFiling, Table::Filing::kTests) << "estimates and companions are not charted";
    const char family = row->fName[0];
    const Table::Chart expected = family == 'O'   ? Table::Chart::kOneSample
                                  : family == 'I' ? Table::Chart::kIndependentSamples
                                                  : Table::Chart::kRelatedSamples;
    EXPECT_EQ(row->fChart, expected);
  }
}
