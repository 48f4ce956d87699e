// Chooses and builds the chart of a one-sample test.
#pragma once

#include "NOPROutputStats.h"

#include <string>

class FacSTDictionary;

class OneSample {
public:
  OneSample(const FacSTDictionary* dictionary, const NOPROutputStats* stats);
  virtual ~OneSample();

  // Builds the test's chart when the test is a one-sample test that has one and reports no
  // error. `fieldIndex` is the position of the test's field among the result set's field records.
  virtual void genSubView(const NOPROutputStats::BaseHypothesisTest* test, unsigned long fieldIndex,
                          std::string& subtitle, bool append);

private:
  const FacSTDictionary* fDictionary;
  const NOPROutputStats* fStats;
};
