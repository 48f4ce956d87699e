// The test records, one class per algorithm, all declared here (each adds only its own tables to
// BaseHypothesisTest): HTO* one-sample, HTR* related-samples, HTI* independent-samples tests.
// The comment above each class names the algorithm value(s) it serves. Records are made only by
// NOPROutputStats::CreateHypothesisTest and owned by the result set.
//
// Nested in NOPROutputStats; see NOPROutputStats.h for why the guard sits below the first include.
#include "NOPROutputStats.h"

#ifndef NOPR_HYPOTHESIS_TESTS_H
#define NOPR_HYPOTHESIS_TESTS_H

#include "BaseHypothesisTest.h"
#include "NOPROutputStatsRecords.h"
#include "NOPRUTILITY.h"

#include <vector>

// Algorithm 1: observed and hypothesized frequencies.
class NOPROutputStats::HTOChiSquare : public BaseHypothesisTest {
public:
  ~HTOChiSquare() override;

  TSComparisonData fComparison;
};

// Algorithm 2: observed and hypothesized frequencies.
class NOPROutputStats::HTOBinomial : public BaseHypothesisTest {
public:
  ~HTOBinomial() override;

  TSComparisonData fComparison;
};

// Algorithm 3: the runs parameters; the run number arrives as a number and is truncated toward
// zero.
class NOPROutputStats::HTORuns : public BaseHypothesisTest {
public:
  ~HTORuns() override;

  double fMean = NOPRUTILITY::getSysMissing();
  double fStdDev = NOPRUTILITY::getSysMissing();
  int fObservedRunNumber = 0;
};

// Algorithm 4: the continuous distribution and the two medians.
class NOPROutputStats::HTOWilcoxonSignedRanks : public BaseHypothesisTest {
public:
  ~HTOWilcoxonSignedRanks() override;

  OWilcoxonDistributionData fDistribution;
};

// Algorithm 5: the Clopper-Pearson, Jeffreys and profile-likelihood intervals, in document order.
class NOPROutputStats::HTOEstimateConfidenceInterval : public BaseHypothesisTest {
public:
  ~HTOEstimateConfidenceInterval() override;

  std::vector<EstConIntervalData> fIntervals;
};

// Algorithm 6 (filed among the tests) and 11 (Lilliefors, filed apart).
class NOPROutputStats::HTOKolmogorovSmirnov : public BaseHypothesisTest {
public:
  ~HTOKolmogorovSmirnov() override;

  // The distribution's parameters were estimated from the sample; always set for Lilliefors.
  bool fIsUseSample = false;
  // A statistic was written as a lower bound (">0.2"); the tables then show the bound.
  bool fIsSigLowerBound = false;
};

// Algorithm 15: differences and their distribution.
class NOPROutputStats::HTRSign : public BaseHypothesisTest {
public:
  ~HTRSign() override;

  RSignDistributionData fDistribution;
};

// Algorithm 16: differences and their distribution.
class NOPROutputStats::HTRWilcoxonSignedRanks : public BaseHypothesisTest {
public:
  ~HTRWilcoxonSignedRanks() override;

  RSignDistributionData fDistribution;
};

// Algorithm 17: the frequencies and the pairwise or stepwise comparison.
class NOPROutputStats::HTRCochransQ : public BaseHypothesisTest {
public:
  ~HTRCochransQ() override;

  TSComparisonData fComparison;
  CompareResultTableData fCompareResult;
};

// Algorithm 18: the two category fields and their crosstable.
class NOPROutputStats::HTRMcNemar : public BaseHypothesisTest {
public:
  ~HTRMcNemar() override;

  CategoryFieldsComparisonData fCategoryComparison;
};

// Algorithm 21: the two category fields and their crosstable.
class NOPROutputStats::HTRMarginalHomogeneity : public BaseHypothesisTest {
public:
  ~HTRMarginalHomogeneity() override;

  CategoryFieldsComparisonData fCategoryComparison;
};

// Algorithm 19: one entry per variable and the pairwise or stepwise comparison.
class NOPROutputStats::HTRFriedmansTwoWayByRanks : public BaseHypothesisTest {
public:
  ~HTRFriedmansTwoWayByRanks() override;

  std::vector<VariableInformationData> fVariableInfos;
  CompareResultTableData fCompareResult;
};

// Algorithm 20: one entry per variable and the pairwise or stepwise comparison.
class NOPROutputStats::HTRKendallsCoefficient : public BaseHypothesisTest {
public:
  ~HTRKendallsCoefficient() override;

  std::vector<VariableInformationData> fVariableInfos;
  CompareResultTableData fCompareResult;
};

// Algorithm 22: the estimate, taken from the statistics results once the test is read.
class NOPROutputStats::HTRHodgesLehmannEstimatePairs : public BaseHypothesisTest {
public:
  ~HTRHodgesLehmannEstimatePairs() override;

  EstConIntervalData fEstimate;
};

// Algorithm 23: the estimate, taken from the statistics results once the test is read.
class NOPROutputStats::HTIHodgesLehmannEstimateGroups : public BaseHypothesisTest {
public:
  ~HTIHodgesLehmannEstimateGroups() override;

  EstConIntervalData fEstimate;
};

// Algorithm 24: the box plot data.
class NOPROutputStats::HTIMoses : public BaseHypothesisTest {
public:
  ~HTIMoses() override;

  IS_BoxPlotInfo fBoxPlotInfo;
};

// Algorithm 25: one entry per group.
class NOPROutputStats::HTIMannWhitneyU : public BaseHypothesisTest {
public:
  ~HTIMannWhitneyU() override;

  std::vector<IS_Group> fGroups;
};

// Algorithm 26: one entry per group.
class NOPROutputStats::HTIWaldWolfowitzRuns : public BaseHypothesisTest {
public:
  ~HTIWaldWolfowitzRuns() override;

  std::vector<IS_Group> fGroups;
};

// Algorithm 27: one entry per group.
class NOPROutputStats::HTIKolmogorovSmirnov : public BaseHypothesisTest {
public:
  ~HTIKolmogorovSmirnov() override;

  std::vector<IS_Group> fGroups;
};

// Algorithm 28: the box plot data and the pairwise or stepwise comparison.
class NOPROutputStats::HTIKruskalWallis : public BaseHypothesisTest {
public:
  ~HTIKruskalWallis() override;

  IS_BoxPlotInfo fBoxPlotInfo;
  CompareResultTableData fCompareResult;
};

// Algorithm 29: the box plot data and the pairwise or stepwise comparison.
class NOPROutputStats::HTIJonckheereTerpstra : public BaseHypothesisTest {
public:
  ~HTIJonckheereTerpstra() override;

  IS_BoxPlotInfo fBoxPlotInfo;
  CompareResultTableData fCompareResult;
};

// Algorithm 30: the box plot data and the pairwise or stepwise comparison.
class NOPROutputStats::HTIMedian : public BaseHypothesisTest {
public:
  ~HTIMedian() override;

  IS_BoxPlotInfo fBoxPlotInfo;
  CompareResultTableData fCompareResult;
};

#endif // NOPR_HYPOTHESIS_TESTS_H
