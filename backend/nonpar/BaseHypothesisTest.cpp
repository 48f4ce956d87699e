// The common part of the test records: the named-statistic lookup the tables and charts use.
#include "BaseHypothesisTest.h"

NOPROutputStats::BaseHypothesisTest::~BaseHypothesisTest() = default;

bool NOPROutputStats::BaseHypothesisTest::HasStatisticsResultData(
    double& value, const std::string& attributeName, const std::string& resultName) const {
  for (const StatisticsResultData& result : fStatisticsResults) {
    if (result.fName != resultName)
      continue;
    // Only the first result of that name counts, even when it lacks the attribute.
    if (attributeName.empty()) {
      if (!result.fAttributes.empty())
        value = result.fAttributes.front().fValue;
      return true;
    }
    for (const AttributeData& attribute : result.fAttributes) {
      if (attribute.fName == attributeName) {
        value = attribute.fValue;
        return true;
      }
    }
    return false;
  }
  return false;
}
