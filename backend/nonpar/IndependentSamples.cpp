// The independent-samples dispatch: the algorithm's row says whether the test is charted here,
// the algorithm which view charts it.
#include "IndependentSamples.h"

#include "ChartOutput.h"
#include "NOPRAlgorithmTable.h"

IndependentSamples::IndependentSamples(const FacSTDictionary* dictionary,
                                       const NOPROutputStats* stats)
    : fDictionary(dictionary), fStats(stats) {}

IndependentSamples::~IndependentSamples() = default;

void IndependentSamples::genSubView(const NOPROutputStats::BaseHypothesisTest* test,
                                    std::string& subtitle, bool append) {
  const NOPRAlgorithmTable::Row* row = NOPRAlgorithmTable::Of(test);
  if (row == nullptr || row->fChart != NOPRAlgorithmTable::Chart::kIndependentSamples ||
      ChartOutput::getErrorMessageCount(test->fMessages) != 0)
    return;
  // The views of the box plots and the two-group histograms are not built yet; each algorithm
  // gets its view here.
  (void)fDictionary;
  (void)fStats;
  (void)subtitle;
  (void)append;
  switch (test->fAlgorithm) {
  default:
    return;
  }
}
