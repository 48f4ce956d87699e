// The related-samples dispatch: the algorithm's row says whether the test is charted here, the
// algorithm which view charts it.
#include "RelatedSamples.h"

#include "ChartOutput.h"
#include "NOPRAlgorithmTable.h"

RelatedSamples::RelatedSamples(const FacSTDictionary* dictionary, const NOPROutputStats* stats)
    : fDictionary(dictionary), fStats(stats) {}

RelatedSamples::~RelatedSamples() = default;

void RelatedSamples::genSubView(const NOPROutputStats::BaseHypothesisTest* test,
                                std::string& subtitle, bool append) {
  const NOPRAlgorithmTable::Row* row = NOPRAlgorithmTable::Of(test);
  if (row == nullptr || row->fChart != NOPRAlgorithmTable::Chart::kRelatedSamples ||
      ChartOutput::getErrorMessageCount(test->fMessages) != 0)
    return;
  // The views of the related-samples charts are not built yet; each algorithm gets its view
  // here.
  (void)fDictionary;
  (void)fStats;
  (void)subtitle;
  (void)append;
  switch (test->fAlgorithm) {
  default:
    return;
  }
}
