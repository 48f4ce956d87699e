// The one-sample chi-square test's chart: observed and hypothesized frequencies of each category
// side by side, with a tooltip of both counts and their residual.
#pragma once

#include "NOPROutputStats.h"

#include <memory>
#include <string>

class FacSTDictionary;
class VarDataProcessor;

class ChiSquare {
public:
  struct Data {
    const FacSTDictionary* fDictionary = nullptr;
    const NOPROutputStats* fStats = nullptr;
    const NOPROutputStats::HTOChiSquare* fTest = nullptr;
    std::string fObservedType = "a";
    std::string fHypothesizedType = "b";
    const VORN_Variable* fVariable = nullptr;
    const NOPROutputStats::FieldDistributionData* fField = nullptr;
  };

  // The test field is the one the condition names first.
  ChiSquare(const FacSTDictionary* dictionary, const NOPROutputStats* stats,
            const NOPROutputStats::HTOChiSquare* test);
  ~ChiSquare();
  ChiSquare(const ChiSquare&) = delete;
  ChiSquare& operator=(const ChiSquare&) = delete;

  // Builds the chart and sends it; true only when it was sent.
  bool createChart(std::string& subtitle, bool append);
  // Two rows per category (observed, hypothesized); the number of rows.
  unsigned long getSource(VarDataProcessor& data);

private:
  bool build(const std::string& subtitle, bool append);

  std::unique_ptr<Data> fData;
};
