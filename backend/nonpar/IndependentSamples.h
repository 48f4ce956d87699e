// Chooses and builds the chart of an independent-samples test.
#pragma once

#include "NOPROutputStats.h"

#include <string>

class FacSTDictionary;

class IndependentSamples {
public:
  IndependentSamples(const FacSTDictionary* dictionary, const NOPROutputStats* stats);
  virtual ~IndependentSamples();

  // Builds the test's chart when the test is an independent-samples test that has one and reports
  // no error.
  virtual void genSubView(const NOPROutputStats::BaseHypothesisTest* test, std::string& subtitle,
                          bool append);

private:
  const FacSTDictionary* fDictionary;
  const NOPROutputStats* fStats;
};
