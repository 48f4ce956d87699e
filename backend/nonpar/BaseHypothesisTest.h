// The common part of every test record: family, algorithm, decision, condition, messages and
// named statistics. The result set owns the records and deletes them through this base.
//
// Nested in NOPROutputStats; see NOPROutputStats.h for why the guard sits below the first include.
#include "NOPROutputStats.h"

#ifndef NOPR_BASE_HYPOTHESIS_TEST_H
#define NOPR_BASE_HYPOTHESIS_TEST_H

#include "NOPROutputStatsRecords.h"

#include <string>
#include <vector>

class NOPROutputStats::BaseHypothesisTest {
public:
  BaseHypothesisTest() = default;
  // Records are deleted through this base; subclasses add no other virtual operation, so a
  // writer picks the subclass by fAlgorithm and checks the cast (dynamic_cast).
  virtual ~BaseHypothesisTest();

  // Looks up a named value: the first statistics result named `resultName`, then in it the first
  // attribute named `attributeName`, or its first attribute when `attributeName` is empty.
  // Returns false, leaving `value` unchanged, when the result or the named attribute is missing.
  // An empty attribute name in a result without attributes returns true and leaves `value` as is.
  bool HasStatisticsResultData(double& value, const std::string& attributeName,
                               const std::string& resultName) const;

  EnumClassificationType fClassification = kCNone;
  EnumAlgorithmType fAlgorithm = kANone;
  EnumDecisionType fDecision = kDNone;
  ConditionData fCondition;
  std::vector<MessageData> fMessages;
  std::vector<StatisticsResultData> fStatisticsResults;
  // Effect size intervals the engine computed from the cases; empty for most documents.
  std::vector<EffectSizeData> fEffectSizes;
  // Texts of data values that lie outside the test's categories.
  std::vector<std::string> fValsNotInCategories;
};

#endif // NOPR_BASE_HYPOTHESIS_TEST_H
