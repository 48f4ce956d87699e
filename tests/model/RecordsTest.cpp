// The named-statistic look-up of the test records. (The initial values that consumers read as
// "absent" are checked where the reader leaves them untouched.)
#include "NOPROutputStats.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Stats = NOPROutputStats;

Stats::StatisticsResultData Result(const std::string& name,
                                   const std::vector<Stats::AttributeData>& attributes) {
  Stats::StatisticsResultData result;
  result.fName = name;
  result.fAttributes = attributes;
  return result;
}

TEST(HasStatisticsResultData, LooksUpTheFirstMatchingResult) {
  Stats::HTIMannWhitneyU test;
  test.fStatisticsResults = {
      Result("", {{"TestStatistic", 12.5}, {"Sig", 0.03}}),
      Result("Exact", {{"Sig", 0.04}}),
      Result("Exact", {{"Sig", 0.05}, {"Other", 9.0}}),
      Result("Empty", {}),
  };
  struct Row {
    const char* fDesc;
    std::string fAttribute;
    std::string fResult;
    bool fFound;
    double fValue; // expected value; the start value 7.0 when it stays unchanged
  } rows[] = {
      {"top-level statistic under the empty result name", "Sig", "", true, 0.03},
      {"empty attribute name takes the first attribute", "", "", true, 12.5},
      {"a repeated result name reads the first occurrence only", "Sig", "Exact", true, 0.04},
      {"an attribute only in the second occurrence is not found", "Other", "Exact", false, 7.0},
      {"empty attribute name in a result without attributes", "", "Empty", true, 7.0},
      {"missing result", "Sig", "Asymptotic", false, 7.0},
  };
  for (const Row& row : rows) {
    double value = 7.0;
    EXPECT_EQ(test.HasStatisticsResultData(value, row.fAttribute, row.fResult), row.fFound)
        << row.fDesc;
    EXPECT_EQ(value, row.fValue) << row.fDesc;
  }
}

TEST(HasStatisticsResultData, NoResultsAtAll) {
  Stats::HTOChiSquare test;
  double value = 1.0;
  EXPECT_FALSE(test.HasStatisticsResultData(value, "", ""));
  EXPECT_EQ(value, 1.0);
}

} // namespace
