// The pivot-table writer of one result set: the hypothesis test and confidence interval
// summaries, one statistics table and one effect size table per test, and the pairwise comparison
// or homogeneous subset tables, with the headings they stand under.
//
// The sources are split by area: NOPROutput.cpp (driver and shared lookups),
// NOPROutput_Summary.cpp (the two summary tables), NOPROutput_Stats.cpp (statistics tables),
// NOPROutput_EffectSize.cpp (effect size tables) and NOPROutput_Compare.cpp (comparison tables).
#pragma once

#include "NOPROutputStats.h"

#include "parser/ParserMessage.h"
#include "pivot/BpAnnotation.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class BpCategory;
class BpCellText;
class BpComposite;
class BpDimension;
class BpGroup;
class BpHeading;
class BpProcedure;
class FacSTDictionary;
class VORN_DataSource;
class VORN_Variable;

class NOPROutput {
public:
  using Stats = NOPROutputStats;

  // The kind of the hypothesis test summary as a whole; it decides the notes on "Sig.".
  enum TestSummTypes {
    kTSAllLilliefors = 0,   // every test has a Lilliefors companion
    kTSAllSampleNormal = 1, // every test is a normal K-S test on sample parameters, no companion
    kTSAllOther = 2,        // none of the two kinds above
    kTSMixed = 3,
  };

  // All four are borrowed and must outlive the writer; the result set must not change meanwhile.
  // Any of them may be null: without a heading or a result set DisplayOutput writes nothing.
  NOPROutput(BpProcedure* procedure, BpHeading* heading, VORN_DataSource* dataSource,
             const NOPROutputStats* stats);
  ~NOPROutput();
  NOPROutput(const NOPROutput&) = delete;
  NOPROutput& operator=(const NOPROutput&) = delete;

  // Writes every table of the result set under the heading. Throws CFAssertionError when the
  // result set breaks one of its invariants (a parameter count that does not fit its condition
  // key, a malformed Lilliefors record, a pairwise table without seven columns).
  void DisplayOutput();

  // Runs `write`; a failed check inside it that no deeper caller has placed is marked as made on
  // test `number` (counted from 1, as the summary and the headings count) of the result set, so
  // that the user learns which test of the document is malformed.
  void AtTest(std::size_t number, const Stats::BaseHypothesisTest* test,
              const std::function<void()>& write) const;
  // The same for any other part of the result set, named by `place`.
  static void AtPlace(const std::function<std::string()>& place,
                      const std::function<void()>& write);

  // Title of a test's heading: the display name, refined by the distribution for the one-sample
  // Kolmogorov-Smirnov test.
  std::string GetTestTitle(const Stats::BaseHypothesisTest* test) const;
  // A new text naming the test's fields, or null when the test (or its field records) gives none.
  std::unique_ptr<BpCellText> CreateVarHeadingText(const Stats::BaseHypothesisTest* test) const;
  // The field indexes the test is about, read from its condition; `indexes` is cleared first.
  void GetTestVariableIndex(const Stats::BaseHypothesisTest* test, std::vector<int>& indexes) const;
  // Positions in the result set's Lilliefors list of the companions of a one-sample K-S test;
  // `indexes` is cleared first. Throws CFAssertionError for a malformed Lilliefors record.
  void GetLillieforsIndex(const Stats::BaseHypothesisTest* test, std::vector<int>& indexes) const;
  // The pairwise comparison or homogeneous subset table of a k-sample test, when it has one.
  void DspComparisonsTable(BpHeading& heading, const Stats::BaseHypothesisTest* test,
                           const FacSTDictionary* strings);

  // The tables; each writes nothing when there is nothing to show.
  void DspHypoTestSumTable();
  void DspConfIntSumTable();
  // `test` must not be null (CFAssertionError); `lilliefors` is the companion or null.
  void DspHypoTestStatsTable(BpHeading& heading, const Stats::BaseHypothesisTest* test,
                             const Stats::BaseHypothesisTest* lilliefors);

  // Cells of one summary row.
  void SetConditonText(BpCategory& category, const Stats::BaseHypothesisTest* test);
  void SetSigValue(BpCategory& category, const Stats::BaseHypothesisTest* test,
                   const Stats::BaseHypothesisTest* lilliefors, TestSummTypes kind);
  // The significance the summary reports for a test: the last attribute whose name holds "Sig"
  // of the last result that has one, of the companion when there is one. False, leaving the
  // outputs as they were, when there is none.
  static bool SummarySignificance(const Stats::BaseHypothesisTest& test,
                                  const Stats::BaseHypothesisTest* lilliefors, double& sig,
                                  std::string& name, std::string* resultName = nullptr);
  // The "Effect Size" table of a test, captioned with the test's report line; nothing for a test
  // without a measure (docs/effect-sizes.md).
  void DspEffectSizeTable(BpHeading& heading, const Stats::BaseHypothesisTest* test,
                          const Stats::BaseHypothesisTest* lilliefors);
  // A note made from a result message: the message code as a key, with its parameters as items.
  BpAnnotation CreateNote(const Stats::MessageData& message) const;
  // Estimate and interval of one row of the confidence interval summary. `row` is not used.
  void DspCIEValue(BpDimension& dimension, const Stats::EstConIntervalData& interval,
                   unsigned int code, int row);
  void DspCIEValue(BpDimension& dimension, const Stats::EstConIntervalData& interval);
  // One row per attribute; `monteCarlo` puts significances and their bounds under the Monte
  // Carlo group.
  void DspStatsValue(BpGroup& target, const std::vector<Stats::AttributeData>& attributes,
                     bool monteCarlo);
  // Every message about the test itself as a cell note of `category`.
  void AddHelpMessages(BpCategory& category, const std::vector<Stats::MessageData>& messages);
  // Comparison messages whose group is the pair key "first;second", as cell notes of `category`.
  void AddComparasionMessage(BpCategory& category, const std::vector<Stats::MessageData>& messages,
                             int first, int second);

  // Whether the chart views are built: false only when DEBUG_MODEL_VIEWER is exactly "2". The
  // variable is read on the first call only; later changes have no effect in this process.
  static bool ChartsShown();
  // The rule itself, for a value of the variable (null when unset).
  static bool ChartsShownFor(const char* value);

private:
  // The chart views of a test (after its statistics table) and of every field (after the last
  // test), under the split group's subtitle.
  void DspTestCharts(const Stats::BaseHypothesisTest* test, const FacSTDictionary* strings);
  void DspFieldCharts(const FacSTDictionary* strings);
  // `medians`: the compared values are the samples' medians (the median test), not mean ranks.
  void DspPairwiseChart(const Stats::CompareResultTableData& compare,
                        const FacSTDictionary* strings, bool medians);

  void DspPairwiseCompOutput(BpHeading& heading, const Stats::CompareResultTableData* compare,
                             Stats::EnumAlgorithmType algorithm,
                             const std::vector<Stats::MessageData>& messages,
                             const FacSTDictionary* strings);
  void DspHomogSubsetCompTable(BpHeading& heading, const Stats::CompareResultTableData* compare,
                               Stats::EnumAlgorithmType algorithm,
                               const std::vector<Stats::MessageData>& messages);

  TestSummTypes SummaryKind() const;
  const Stats::BaseHypothesisTest* LillieforsCompanion(const Stats::BaseHypothesisTest* test) const;
  const VORN_Variable* TestVariable(const Stats::BaseHypothesisTest* test) const;
  bool AddConditionItems(BpComposite& composite, const Stats::BaseHypothesisTest& test);
  void AddNormalStdDevItem(BpComposite& composite, const Stats::ConditionData& condition,
                           const VORN_Variable* variable);
  void AddSigColumnNotes(BpCategory& category, TestSummTypes kind);
  void AddSigCellNotes(BpCategory& category, const Stats::BaseHypothesisTest& test,
                       const Stats::BaseHypothesisTest* lilliefors, TestSummTypes kind,
                       const std::string& sigName, const std::string& resultName);
  void AddKSNotes(BpDimension& dimension, const Stats::BaseHypothesisTest& test,
                  const Stats::BaseHypothesisTest* lilliefors);

  // Condition items; each appends to `composite`. See the summary source for the item rules.
  void HelpAddVariable(BpComposite& composite, const Stats::ConditionData& condition, int param,
                       bool asList) const;
  void HelpAddVariable(BpComposite& composite, const std::vector<int>& fields, bool asList) const;
  void HelpAddValue(BpComposite& composite, const Stats::ConditionData& condition, int param,
                    const VORN_Variable* variable, bool asList) const;
  void HelpAddValue(BpComposite& composite, const std::vector<double>& values,
                    const VORN_Variable* variable, bool asList) const;
  void HelpAddVariableValue(BpComposite& composite, const Stats::ConditionData& condition,
                            int fieldParam, int valueParam, bool asList) const;
  void HelpAddVariableValue(BpComposite& composite, const Stats::ConditionData& condition,
                            int fieldParam, int valueParam, const std::vector<std::string>& labels,
                            bool asList) const;
  void HelpAddVariableValue(BpComposite& composite, int field, const std::vector<int>& values,
                            const std::vector<std::string>& labels, bool asList) const;

  double fSysMis;
  BpProcedure* fProcedure;
  BpHeading* fHeading;
  VORN_DataSource* fDataSource;
  const NOPROutputStats* fStats;
  int fUserSeed = 2000000;
  bool fUseKSNormSimul = false;
  bool fUseKSUniformSimul = false;
  bool fUseKSExponSimul = false;
  int fNumSamples = 10000;
  ParserMessage fMessage;
  // The report's string table while DisplayOutput runs, so that a failed check names its test as
  // the report's heading does; null otherwise.
  const FacSTDictionary* fTitles = nullptr;
};

// Orders comparison rows by the value of the sample named in one of their columns. A row whose
// sample index is negative or beyond the values sorts first.
class pairwiseRankCompare {
public:
  // `values` is borrowed: the value of each sample by index.
  pairwiseRankCompare(const std::vector<double>& values, int column);
  bool operator()(const std::vector<double>& a, const std::vector<double>& b) const;

private:
  const std::vector<double>& fValues;
  std::size_t fColumn;
};

// Subset rows by their first position.
bool subsetSort(const std::vector<double>& a, const std::vector<double>& b);
