// Readings that are easy to get wrong, and the warning for names the reader does not know.
#include "ReaderTestSupport.h"
#include "WarningCapture.h"

using namespace readertest;
using Stats = NOPROutputStats;

namespace {

TEST(TrapsTest, LaterComparisonTableWinsAndFieldIndexMustComeFirst) {
  auto reading = readDocument("traps.xml");
  ASSERT_TRUE(reading->fOk);
  const auto& median = recordAt<Stats::HTIMedian>(reading->fStats->GetAllHypothesisTest(), 0);
  const Stats::CompareResultTableData& compare = median.fCompareResult;
  EXPECT_EQ(compare.fComparisonType, Stats::CompareResultTableData::kCTStepwise);
  EXPECT_EQ(compare.fTables[0].fName, "StepwiseInfo");
  EXPECT_EQ(compare.fTables[0].fRows.size(), 3u) << "the pairwise rows are replaced";
  EXPECT_EQ(compare.fTables[1].fName, "Content");
  EXPECT_EQ(compare.fFieldIndex, -1) << "\"fieldIndex\" is the second attribute";
}

TEST(TrapsTest, StatisticsGroupsBrokenByANestedTable) {
  auto reading = readDocument("traps.xml");
  const auto& results = reading->fStats->GetHypothesisTest(0)->fStatisticsResults;
  struct Group {
    const char* fName;
    std::vector<std::string> fAttributes;
  };
  const Group expected[] = {{"", {"A", "B"}}, {"T", {"C"}}, {"", {"D"}}};
  ASSERT_EQ(results.size(), std::size(expected));
  for (std::size_t i = 0; i < results.size(); ++i) {
    EXPECT_EQ(results[i].fName, expected[i].fName) << i;
    std::vector<std::string> names;
    for (const auto& attribute : results[i].fAttributes)
      names.push_back(attribute.fName);
    EXPECT_EQ(names, expected[i].fAttributes) << i;
  }
}

TEST(TrapsTest, Messages) {
  auto reading = readDocument("traps.xml");
  const auto& messages = reading->fStats->GetHypothesisTest(0)->fMessages;
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0].fCode, 222328u);
  EXPECT_EQ(messages[0].fType, Stats::kMError);
  EXPECT_EQ(messages[0].fParamNum, 2);
  ASSERT_EQ(messages[0].fParameters.size(), 2u);
  EXPECT_EQ(messages[0].fParameters[1].fIndex, 2);
  EXPECT_EQ(messages[0].fParameters[1].fValues, (std::vector<double>{1.5, 2.5}));
  EXPECT_EQ(messages[0].fGroup, "pairwise");
  EXPECT_EQ(messages[1].fType, Stats::kMHelpMessage) << "\"Warning\" is no known type";
  EXPECT_EQ(messages[1].fParamNum, 0);
}

TEST(TrapsTest, UnknownNamesWarnAndReadingGoesOn) {
  WarningCapture warnings;
  auto reading = readDocument("traps.xml");
  ASSERT_TRUE(reading->fOk);
  EXPECT_EQ(warnings.Texts(), (std::vector<std::string>{
                                  "Not parse element: UnknownTable", "Not parse element: Cutpoint",
                                  "Not parse element: RunsExtras", "Not parse element: Spread",
                                  "Not parse element: StructuredTable"}));
  const auto& runs = recordAt<Stats::HTORuns>(reading->fStats->GetAllHypothesisTest(), 1);
  EXPECT_DOUBLE_EQ(runs.fMean, 4);
  EXPECT_EQ(runs.fObservedRunNumber, 0) << "1e999 is no number";
  EXPECT_EQ(reading->fStats->GetAllCIEstimate().size(), 1u);
}

TEST(TrapsTest, DocumentsWithoutUnknownNamesDrawNoWarning) {
  // Skipped tests, tables of tests that read none of their own, ignored field attributes and
  // box-plot tables that are no group are all expected, so none is worth a warning.
  for (const char* document :
       {"one_sample.xml", "related_samples.xml", "independent_samples.xml"}) {
    WarningCapture warnings;
    ASSERT_TRUE(readDocument(document)->fOk) << document;
    EXPECT_TRUE(warnings.Texts().empty()) << document;
  }
}

} // namespace
