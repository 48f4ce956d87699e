// The two-group histograms of the Mann-Whitney U, Kolmogorov-Smirnov and Wald-Wolfowitz runs
// tests: the test field's distribution in each group, one panel per group.
#pragma once

#include "NOPROutputStats.h"

#include <memory>
#include <string>

class FacSTDictionary;
class VarDataProcessor;

class ISHistogram {
public:
  // One constructor per record kind. Everything is borrowed and must outlive the view; a null
  // record or result set gives no chart.
  ISHistogram(const FacSTDictionary* strings, const NOPROutputStats* stats,
              const NOPROutputStats::HTIMannWhitneyU* test);
  ISHistogram(const FacSTDictionary* strings, const NOPROutputStats* stats,
              const NOPROutputStats::HTIKolmogorovSmirnov* test);
  ISHistogram(const FacSTDictionary* strings, const NOPROutputStats* stats,
              const NOPROutputStats::HTIWaldWolfowitzRuns* test);
  ~ISHistogram();
  ISHistogram(const ISHistogram&) = delete;
  ISHistogram& operator=(const ISHistogram&) = delete;

  // Builds the chart and sends it; true only when sent. Never throws; any failure gives false and
  // no chart. The Mann-Whitney and Wald-Wolfowitz charts set their two panels back to back; the
  // Kolmogorov-Smirnov chart keeps its template's layout.
  bool createChart(std::string& subtitle, bool append);
  // Fills "graphSource": one row per bin of each of the first two groups. Returns the rows.
  unsigned long getSource(VarDataProcessor& data);

private:
  struct Data;
  void init(const NOPROutputStats::BaseHypothesisTest* test,
            const std::vector<NOPROutputStats::IS_Group>* groups);
  std::unique_ptr<Data> fData;
};
