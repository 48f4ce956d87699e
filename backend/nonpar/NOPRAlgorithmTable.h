// What the procedure knows about each test algorithm, one row per algorithm: its name in the
// result document and its title, the record that holds it and the list that files it, what the
// reader does with its tables, how its fields are listed, its comparison tables and its chart.
// The result set, the reader, the table writers and the chart dispatchers all read this table
// rather than keep lists of algorithms of their own.
#pragma once

#include "NOPROutputStats.h"

#include <array>
#include <cstddef>
#include <memory>
#include <string>

class NOPRAlgorithmTable {
public:
  using Stats = NOPROutputStats;

  // The result set's list that files the record.
  enum class Filing { kTests, kIntervals, kLilliefors };
  // What the reader makes of a test element's tables beyond the common ones.
  enum class SpecTables {
    kUnknown, // any such table is reported as an element the reader does not know
    kIgnored, // accepted without reading
    kRecord,  // read by the reader of the record's kind
  };
  // What the reader does once the test element is read.
  enum class AfterReading {
    kNothing,
    kDistributionSettings, // the sample-estimate and lower-bound settings of the run
    kAlwaysFromSample,     // the same, the parameters always estimated from the sample
    kEstimate,             // the estimate and interval taken from the statistics
  };
  // How a related-samples test names its fields in the condition.
  enum class Fields {
    kNone,
    kPair, // the first numbers of parameters 0 and 1
    kList, // every number of parameter 0
  };
  // The comparison tables of a k-sample test.
  enum class Comparison { kNone, kRelatedSamples, kIndependentSamples };
  // The dispatcher that charts the test.
  enum class Chart { kNone, kOneSample, kIndependentSamples, kRelatedSamples };

  // One item of the sentence a condition key stands for in the summary table.
  enum class ConditionItemKind {
    kVariables,    // the fields of parameter `a`
    kValue,        // the values of parameter `a`, shown without a variable
    kValueOfVar,   // the values of parameter `a`, shown in the test variable's format
    kCategories,   // category values of parameter `b` of the field in parameter `a`
    kNormalStdDev, // the standard deviation of the normal distribution (parameter 2)
  };
  struct ConditionItem {
    ConditionItemKind kind = ConditionItemKind::kVariables;
    int a = 0;
    int b = 0;
    bool asList = false;
    bool withLabels = false; // the test's values outside the categories stand in for labels
  };
  // A condition key of the algorithm: the number of parameters it demands and its items.
  struct ConditionRecipe {
    const char* key = nullptr;
    std::size_t paramCount = 0;
    std::array<ConditionItem, 5> items{};
    std::size_t itemCount = 0;
  };
  struct ConditionList {
    const ConditionRecipe* first = nullptr;
    std::size_t count = 0;
    const ConditionRecipe* begin() const { return first; }
    const ConditionRecipe* end() const { return first + count; }
  };

  struct Row {
    Stats::EnumAlgorithmType fAlgorithm;
    const char* fName;  // in the result document; null for kANone
    const char* fTitle; // the English title; null for the algorithms without a record
    // A new record of the algorithm's kind; null for the algorithms the procedure does not show.
    std::unique_ptr<Stats::BaseHypothesisTest> (*fMakeRecord)();
    Filing fFiling;
    SpecTables fSpecTables;
    AfterReading fAfterReading;
    Fields fFields;
    Comparison fComparison;
    // The pairwise table's caption and the homogeneous subsets' note (comparison tests only).
    const char* fPairwiseCaption;
    const char* fSubsetNote;
    // Pairwise rows show medians' labels; subsets are one-sided.
    bool fMedianPairs;
    bool fOneSidedSubsets;
    // The condition keys the summary table knows for the algorithm.
    ConditionList fConditions;
    Chart fChart;
  };

  NOPRAlgorithmTable() = delete;

  // The row of an algorithm; null for a value outside the enumeration.
  static const Row* Find(Stats::EnumAlgorithmType algorithm);
  // The row whose document name is `name` (exact); null for none.
  static const Row* FindByName(const std::string& name);
  // The row of a test, or null (no test, or an algorithm outside the enumeration).
  static const Row* Of(const Stats::BaseHypothesisTest* test);
  // The recipe of an algorithm's condition key; null when the algorithm has no such key.
  static const ConditionRecipe* FindCondition(Stats::EnumAlgorithmType algorithm,
                                              const std::string& key);
};
