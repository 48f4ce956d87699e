// What every test of one document is computed from: the group's cases, the command and the run's
// settings.
#pragma once

#include "AnalysisData.h"
#include "NptestsRequest.h"

namespace engine {

struct TestContext {
  const AnalysisData& fData;
  const NptestsRequest& fRequest;
  // Seed of the run's simulations; each simulation starts its own stream from it.
  unsigned long fSeed;

  double Alpha() const { return fRequest.fAlpha; }
  // The confidence level as a fraction (0.95).
  double ConfidenceLevel() const { return fRequest.fConfidenceLevel / 100.0; }
};

} // namespace engine
