// The rank histograms of Friedman's two-way analysis of variance by ranks and of Kendall's
// coefficient of concordance: one panel per variable showing how often it got each rank.
#pragma once

#include "NOPROutputStats.h"

#include <memory>
#include <string>

class FacSTDictionary;
class VarDataProcessor;

class RSHistogram {
public:
  // Everything is borrowed and must outlive the view; a null record or result set gives no chart.
  RSHistogram(const FacSTDictionary* strings, const NOPROutputStats* stats,
              const NOPROutputStats::HTRFriedmansTwoWayByRanks* test);
  RSHistogram(const FacSTDictionary* strings, const NOPROutputStats* stats,
              const NOPROutputStats::HTRKendallsCoefficient* test);
  virtual ~RSHistogram();
  RSHistogram(const RSHistogram&) = delete;
  RSHistogram& operator=(const RSHistogram&) = delete;

  // Builds the chart and sends it; true only when sent. Never throws; any failure gives false.
  bool createChart(std::string& subtitle, bool append);
  // Fills "graphSource" with one row per rank of each variable whose table has two rows (counts,
  // ranks), and notes every variable's group index and mean rank for the panel texts. Returns the
  // rows.
  virtual unsigned long getSource(VarDataProcessor& data);

  // The outer frame's width for this many variables: wider for more panels, within the frame
  // sizes a report shows well.
  static double frameWidth(std::size_t variables);

private:
  struct Data;
  std::unique_ptr<Data> fData;
};
