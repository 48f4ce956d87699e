// The value records of the result model, nested in NOPROutputStats: the generic table, attribute,
// parameter, message and condition records, interval estimates, distributions, comparisons, and
// the per-group and per-field descriptive records. Plain data with public fields.
//
// Numbers the document may leave out start as the system-missing value, indexes as -1 and counts
// as 0; consumers test for those values, so the initial values are part of the contract.
//
// The nested types need NOPROutputStats complete: NOPROutputStats.h includes this header after
// the class, and the include guard sits below the include of the class so that this header may
// also be included first.
#include "NOPROutputStats.h"

#ifndef NOPR_OUTPUT_STATS_RECORDS_H
#define NOPR_OUTPUT_STATS_RECORDS_H

#include "NOPRUTILITY.h"

#include "dict/CFStatVariableValue.h"

#include <array>
#include <string>
#include <vector>

// A named numeric table: row and column names and rows of numbers. A row may hold more or fewer
// numbers than there are column names.
struct NOPROutputStats::SimpleTableData {
  std::string fName;
  // [0] the row names, [1] the column names.
  std::array<std::vector<std::string>, 2> fNames;
  std::vector<std::vector<double>> fRows;
};

// One named number.
struct NOPROutputStats::AttributeData {
  std::string fName;
  double fValue = NOPRUTILITY::getSysMissing();
};

// A named group of numbers; the empty name holds the numbers written directly in a test's
// statistics part.
struct NOPROutputStats::StatisticsResultData {
  std::string fName;
  std::vector<AttributeData> fAttributes;
};

// A numbered parameter, written in the document as an attribute "%N".
struct NOPROutputStats::ParameterData {
  int fIndex = 0;
  std::vector<double> fValues;
};

// One message of a test. fCode tells a comparison message from a message about the test itself.
struct NOPROutputStats::MessageData {
  unsigned int fCode = 0;
  EnumMessageType fType = kMHelpMessage;
  // How many parameters the message announces; the reader rejects a message whose fParameters
  // has another size.
  int fParamNum = 0;
  std::vector<ParameterData> fParameters;
  std::string fGroup;
};

// The condition a test ran under: the key that selects its null-hypothesis text, the parameters
// that key implies, and the ordinal fields the test treated as continuous.
struct NOPROutputStats::ConditionData {
  std::string fConditionKey;
  std::vector<ParameterData> fParameters;
  std::vector<int> fOrdinalTreatedAsCont;
};

// One interval estimate.
struct NOPROutputStats::EstConIntervalData {
  std::string fMethod;
  double fEstimate = NOPRUTILITY::getSysMissing();
  double fLower = NOPRUTILITY::getSysMissing();
  double fUpper = NOPRUTILITY::getSysMissing();
};

// An effect size interval that needs the cases, computed by the engine and written in the test's
// "EffectSize" table (docs/effect-sizes.md).
struct NOPROutputStats::EffectSizeData {
  // The measure's name in the document: "RankEpsilonSquared", "KendallsW".
  std::string fMeasure;
  double fEstimate = NOPRUTILITY::getSysMissing();
  double fLower = NOPRUTILITY::getSysMissing();
  double fUpper = NOPRUTILITY::getSysMissing();
  // The confidence level as a fraction, as the document's "confidenceLevel" (0.95).
  double fLevel = NOPRUTILITY::getSysMissing();
  // "Percentile" or "BCa": how the bootstrap made the interval.
  std::string fMethod;
  int fResamples = 0;
};

// Observed and hypothesized frequencies of a one-sample or Cochran's Q test.
struct NOPROutputStats::TSComparisonData {
  SimpleTableData fTable;
};

struct NOPROutputStats::OWilcoxonDistributionData {
  double fHypotheticalMedian = NOPRUTILITY::getSysMissing();
  double fObservedMedian = NOPRUTILITY::getSysMissing();
  SimpleTableData fTable;
};

struct NOPROutputStats::RSignDistributionData {
  int fNegativeDifferences = 0;
  int fTies = 0;
  int fPositiveDifferences = 0;
  SimpleTableData fTable;
};

// The pairwise or stepwise comparison of a k-sample test.
struct NOPROutputStats::CompareResultTableData {
  enum ComparisonType {
    kCTNone = 0,
    kCTPairwise = 1,
    kCTStepwise = 2,
  };

  int fComparisonType = kCTNone;
  int fFieldIndex = -1;
  // [0] the "PairwiseInfo" or "StepwiseInfo" table, [1] the "Content" table. The pairwise table
  // writer needs exactly two rows in [0].
  std::array<SimpleTableData, 2> fTables;
};

// One of the two category fields of a McNemar or marginal homogeneity test.
struct NOPROutputStats::CategoryFieldData {
  int fFieldIndex = -1;
  // [0] the success values, [1] the fail values.
  std::array<std::vector<double>, 2> fCategoryLists;
  std::vector<std::string> fValsNotInCategories;
};

struct NOPROutputStats::CategoryFieldsComparisonData {
  // [0] the row field, [1] the column field.
  std::array<CategoryFieldData, 2> fFields;
  // The crosstable of the two fields.
  SimpleTableData fTable;
};

// One variable of a Friedman or Kendall test.
struct NOPROutputStats::VariableInformationData {
  int fGroupIndex = -1;
  double fMeanOfRank = NOPRUTILITY::getSysMissing();
  SimpleTableData fTable;
};

// One group of a two-sample independent test.
struct NOPROutputStats::IS_Group {
  int fGroupIndex = -1;
  int fN = 0;
  double fMeanOfRank = NOPRUTILITY::getSysMissing();
  SimpleTableData fTable;
};

// One group of a box plot. fGTMedian and fSTMedian are the engine's counts above and below the
// grand median.
struct NOPROutputStats::IS_BoxPlot_Group {
  int fGroupIndex = -1;
  int fN = 0;
  double fMeanOfRank = NOPRUTILITY::getSysMissing();
  double fGTMedian = NOPRUTILITY::getSysMissing();
  double fSTMedian = NOPRUTILITY::getSysMissing();
  SimpleTableData fBox;
  SimpleTableData fOutliers;
};

// The box-plot data of a k-sample independent test. A group sits at the position of its table
// among the box plot's nested tables, so an entry may be a placeholder with initial values.
struct NOPROutputStats::IS_BoxPlotInfo {
  int fGroupFieldIndex = -1;
  int fGroupCount = 0;
  double fGrandMedian = NOPRUTILITY::getSysMissing();
  std::vector<IS_BoxPlot_Group> fGroups;
};

// One value of a field with its display label.
struct NOPROutputStats::NPValueLabel {
  // Position of the value in the field's value list, from 0; -1 until the reader sets it.
  int fIndex = -1;
  CFStatVariableValue fValue;
  std::string fLabel;
};

// One field of the document's data dictionary and its distribution. Held by pointer in the
// result set and never copied, so pointers into it stay valid for the result set's life.
struct NOPROutputStats::FieldDistributionData {
  FieldDistributionData() = default;
  FieldDistributionData(const FieldDistributionData&) = delete;
  FieldDistributionData& operator=(const FieldDistributionData&) = delete;

  // True only when the field's distribution part was read completely.
  bool fIsValid = false;
  // 1 for a categorical distribution table, 0 otherwise.
  int fIsCategorical = 0;
  int fFieldIndex = -1;
  // The matching host variable; borrowed from the data source.
  const VORN_Variable* fVariable = nullptr;
  std::vector<NPValueLabel> fValueLabels;
  int fTotalN = 0;
  double fMin = NOPRUTILITY::getSysMissing();
  double fMax = NOPRUTILITY::getSysMissing();
  double fMean = NOPRUTILITY::getSysMissing();
  double fStdDev = NOPRUTILITY::getSysMissing();
  bool fOrdinalTreatedAsCont = false;
  SimpleTableData fTable;
};

#endif // NOPR_OUTPUT_STATS_RECORDS_H
