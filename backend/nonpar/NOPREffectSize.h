// The effect sizes of a test, computed from the figures its result document holds (statistic,
// standardized statistic, counts, frequencies, crosstabs), with their analytic intervals, and the
// intervals from the cases that the engine wrote into the document. docs/effect-sizes.md gives
// each formula with its reference and the R function it agrees with.
#pragma once

#include "NOPROutputStats.h"

#include <cstddef>
#include <vector>

class NOPREffectSize {
public:
  using Stats = NOPROutputStats;

  enum class Measure {
    kCohensW,
    kFei,
    kCohensH,
    kRankBiserialPaired,
    kCohensG,
    kOddsRatio,
    kRankBiserial,
    kProbabilityOfSuperiority,
    kKolmogorovSmirnovD,
    kRankEpsilonSquared,
    kCramersV,
    kKendallsW,
    kEtaSquaredQ,
  };

  // How a measure's interval was made.
  enum class Interval {
    kNone,                // the measure has no interval
    kNoncentralChiSquare, // one-sided, from the noncentral chi-square distribution
    kClopperPearson,      // from the exact interval of the proportion
    kWilson,              // from the Wilson score interval of the proportion
    kFisherZ,             // Fisher's z transformation of the correlation
    kLogOddsRatio,        // Wald interval of the log odds ratio
    kPercentileBootstrap, // from the cases, by the engine
    kBCaBootstrap,        // from the cases, by the engine
    kNeedsData,           // an interval exists only from the cases, and the document has none
  };

  struct Result {
    Measure fMeasure = Measure::kCohensW;
    double fEstimate = 0.0;
    // The system-missing value unless fInterval gives bounds.
    double fLower = NOPRUTILITY::getSysMissing();
    double fUpper = NOPRUTILITY::getSysMissing();
    Interval fInterval = Interval::kNone;
    // The interval's confidence level in percent; resamples of a bootstrap interval.
    double fLevel = NOPRUTILITY::getSysMissing();
    int fResamples = 0;
  };

  struct MeasureRow {
    Measure fMeasure;
    const char* fDocumentName; // the measure's name in a document's "EffectSize" table
    const char* fTitle;        // the string-table key of the measure's name
    const char* fSymbol;       // the string-table key of "symbol = ^1" in a report line
  };

  NOPREffectSize() = delete;

  // The effect sizes of `test` in display order, the first being the one a report line quotes.
  // `level` is the run's confidence level in percent (0 < level < 100); an interval is left out
  // for any other level. A measure whose figures the document lacks is left out; a test the
  // measures do not cover gets none.
  static std::vector<Result> Of(const Stats::BaseHypothesisTest& test, double level);

  static const MeasureRow& Row(Measure measure);

  // The formulas, on the figures of a document. Each returns false, leaving `result` unusable,
  // when the figures cannot give the measure. `level` as above.
  // Goodness of fit: chi-square, its cases and the smallest expected proportion `q` (0 < q < 1).
  static bool CohensW(double chiSquare, double df, double n, double q, double level,
                      Result& result);
  static bool Fei(double chiSquare, double df, double n, double q, double level, Result& result);
  // The observed `successes` of `n` against the tested proportion `p0`.
  static bool CohensH(double successes, double n, double p0, double level, Result& result);
  // Wilcoxon signed ranks: the sum of positive ranks of `n` nonzero differences.
  static bool RankBiserialPaired(double positiveRankSum, double n, double level, Result& result);
  // The larger and smaller of two discordant counts (sign test, McNemar).
  static bool CohensG(double larger, double smaller, double level, Result& result);
  // McNemar: b / c with its log odds ratio interval.
  static bool OddsRatio(double b, double c, double level, Result& result);
  // Mann-Whitney: U of groups of `n1` and `n2` cases.
  static bool RankBiserial(double u, double n1, double n2, double level, Result& result);
  static bool ProbabilityOfSuperiority(double u, double n1, double n2, double level,
                                       Result& result);
  // A chi-square of a table of `rows` by `columns` with `n` cases, unadjusted.
  static bool CramersV(double chiSquare, double n, std::size_t rows, std::size_t columns,
                       double level, Result& result);
};
