// The histogram of paired differences of the related-samples sign test and Wilcoxon signed rank
// test: positive and negative differences told apart, with the number of ties in the legend.
#pragma once

#include "NOPROutputStats.h"

#include <memory>
#include <string>

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

private:
  struct Data;
  std::unique_ptr<Data> fData;
};
