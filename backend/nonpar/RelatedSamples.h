// Chooses and builds the chart of a related-samples test.
#pragma once

#include "NOPROutputStats.h"

#include <string>

class FacSTDictionary;

class RelatedSamples {
public:
  RelatedSamples(const FacSTDictionary* dictionary, const NOPROutputStats* stats);
  virtual ~RelatedSamples();

  // Builds the test's chart when the test is a related-samples test that has one and reports no
  // error.
  virtual void genSubView(const NOPROutputStats::BaseHypothesisTest* test, std::string& subtitle,
                          bool append);

private:
  const FacSTDictionary* fDictionary;
  const NOPROutputStats* fStats;
};
