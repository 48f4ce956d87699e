// The histogram of paired differences of the related-samples sign test and Wilcoxon signed rank
// test: positive and negative differences and ties told apart, with the number of ties in the
// legend.
#pragma once

#include "NOPROutputStats.h"

#include <memory>
#include <string>
#include <vector>

class FacSTDictionary;

class WilcoxonPairSignedRank {
public:
  // Everything is borrowed and must outlive the view. `algorithm` chooses the title (sign test or
  // signed rank test; any other gives an empty title).
  WilcoxonPairSignedRank(const FacSTDictionary* strings, const NOPROutputStats* stats,
                         const NOPROutputStats::RSignDistributionData& distribution,
                         const NOPROutputStats::BaseHypothesisTest& test,
                         NOPROutputStats::EnumAlgorithmType algorithm);
  ~WilcoxonPairSignedRank();
  WilcoxonPairSignedRank(const WilcoxonPairSignedRank&) = delete;
  WilcoxonPairSignedRank& operator=(const WilcoxonPairSignedRank&) = delete;

  // Builds the chart and sends it; true only when sent. Never throws. No chart without a result
  // set, for a difference table of fewer than two rows or an empty first row, or on any failure.
  bool createChart(std::string& subtitle, bool append);

  // A bar of the histogram: a count of differences of one sign (-1, 0 for ties, 1) in the bin
  // centred at `value`.
  struct SignedBin {
    double count;
    double value;
    double sign;
  };
  // The bins (counts and centres, in order) split by sign. Bins wholly below or above zero hold
  // one sign; the one bin that holds zero gets the ties and what the totals of each sign leave
  // over. Where the bins and totals do not agree, or zero lies in more than one bin, each bin
  // keeps the sign of its centre.
  static std::vector<SignedBin> splitBySign(const std::vector<double>& counts,
                                            const std::vector<double>& centres,
                                            const NOPROutputStats::RSignDistributionData& totals);

private:
  struct Data;
  std::unique_ptr<Data> fData;
};
