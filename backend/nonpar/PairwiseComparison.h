// The network chart of a pairwise comparison: one node per sample with its name and value (mean
// rank, number of successes or median), one edge per compared pair, significant pairs told apart.
#pragma once

#include "NOPROutputStats.h"

#include <memory>
#include <string>
#include <vector>

class FacSTDictionary;
class VarDataProcessor;

class PairwiseComparison {
public:
  // Everything is borrowed and must outlive the view.
  PairwiseComparison(const NOPROutputStats& stats,
                     const NOPROutputStats::CompareResultTableData& compare,
                     const FacSTDictionary& strings);
  ~PairwiseComparison();
  PairwiseComparison(const PairwiseComparison&) = delete;
  PairwiseComparison& operator=(const PairwiseComparison&) = delete;

  // The median test compares the samples' medians: its nodes show medians, not mean ranks, and
  // the footnote says so.
  void setMedians(bool medians);

  // Builds the chart and sends it; true only when sent. Never throws: a missing template or any
  // host failure gives false and no chart.
  bool createChart(std::string& subtitle, bool append);

  // The data of the network: "nodeSource_1" (one node per sample, valued by its sample index) and
  // "edgeSource_1" (one edge per comparison row). Returns the number of nodes.
  unsigned long getSource(VarDataProcessor& data) const;

  // An adjusted significance as an edge's label: "<.001", else three decimals without the
  // leading zero (".014", "1.000"); empty when it is missing or no probability.
  static std::string significanceText(double p);

private:
  struct Data;
  std::unique_ptr<Data> fData;
};
