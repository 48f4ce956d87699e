// The one-sample runs test's chart: the normal approximation of the number of runs, its tails,
// and guides at the expected and the observed number.
#pragma once

#include "NOPROutputStats.h"

#include <memory>
#include <string>

class FacSTDictionary;

class OneSampleRuns {
public:
  struct Data {
    const FacSTDictionary* fDictionary = nullptr;
    const NOPROutputStats* fStats = nullptr;
    const NOPROutputStats::HTORuns* fTest = nullptr;
  };

  OneSampleRuns(const FacSTDictionary* dictionary, const NOPROutputStats* stats,
                const NOPROutputStats::HTORuns* test);
  ~OneSampleRuns();
  OneSampleRuns(const OneSampleRuns&) = delete;
  OneSampleRuns& operator=(const OneSampleRuns&) = delete;

  // Builds the chart and sends it; true only when it was sent.
  bool createChart(std::string& subtitle, bool append);

  // The template's text with the test's numbers and texts in it (what createChart draws).
  std::string editSpecification(std::string specification, const std::string& subtitle) const;

  // The most runs a sample can have whose number of runs has this mean and standard deviation
  // (both give the sample's size and its two groups); NaN when they do not make a sample.
  static double mostRuns(double mean, double stdDev);

private:
  bool build(const std::string& subtitle, bool append);

  std::unique_ptr<Data> fData;
};
