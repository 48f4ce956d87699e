// The crosstab chart of the marginal homogeneity test: one panel per cell of the two fields'
// table, the observed count as a bar off the diagonal and as text on it.
#pragma once

#include "NOPROutputStats.h"

#include <memory>
#include <string>

class FacSTDictionary;
class VarDataProcessor;

class MarginalHomogeneity {
public:
  // Everything is borrowed and must outlive the view.
  MarginalHomogeneity(const NOPROutputStats& stats,
                      const NOPROutputStats::CategoryFieldsComparisonData& crosstab,
                      const FacSTDictionary& strings);
  virtual ~MarginalHomogeneity();
  MarginalHomogeneity(const MarginalHomogeneity&) = delete;
  MarginalHomogeneity& operator=(const MarginalHomogeneity&) = delete;

  // Builds the chart and sends it; true only when sent. Never throws: an empty table, a missing
  // template or any host failure gives false and no chart.
  virtual bool createChart(std::string& subtitle, bool append);
  // Fills "graphSource" with one row per cell; returns the number of rows.
  unsigned long getSource(VarDataProcessor& data);

  // The template edits of this chart: no legend (there is one category), and no token mapping of
  // a hypothesized count (the second mapping) when the template has one.
  static void removeHypothesized(std::string& text);

private:
  struct Data;
  std::unique_ptr<Data> fData;
};
