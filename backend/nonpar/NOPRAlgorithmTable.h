// What the procedure knows about each test algorithm, one row per algorithm: its name in the
// result document and its title, the record that holds it and the list that files it, what the
// reader does with its tables, how its fields are listed, its comparison tables and its chart.
// The result set, the reader, the table writers and the chart dispatchers all read this table
// rather than keep lists of algorithms of their own.
#pragma once

#include "NOPROutputStats.h"

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
    Chart fChart;
  };

  NOPRAlgorithmTable() = delete;

  // The row of an algorithm; null for a value outside the enumeration.
  static const Row* Find(Stats::EnumAlgorithmType algorithm);
  // The row whose document name is `name` (exact); null for none.
  static const Row* FindByName(const std::string& name);
  // The row of a test, or null (no test, or an algorithm outside the enumeration).
  static const Row* Of(const Stats::BaseHypothesisTest* test);
};
