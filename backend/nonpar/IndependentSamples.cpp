// The independent-samples dispatch: the algorithm's row says whether the test is charted here,
// the algorithm which view charts it.
#include "IndependentSamples.h"

#include "ChartOutput.h"
#include "IJonckheere_Terpstra.h"
#include "IMedian.h"
#include "IMoses.h"
#include "ISHistogram.h"
#include "KruskalWallis.h"
#include "NOPRAlgorithmTable.h"
#include "NOPRHypothesisTests.h"

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
  using Stats = NOPROutputStats;
  // A record of another kind than its algorithm says casts to null, and the view then makes no
  // chart.
  switch (test->fAlgorithm) {
  case Stats::kAIMoses:
    IMoses(fDictionary, fStats, dynamic_cast<const Stats::HTIMoses*>(test))
        .createChart(subtitle, append);
    return;
  case Stats::kAIMannWhitneyU:
    ISHistogram(fDictionary, fStats, dynamic_cast<const Stats::HTIMannWhitneyU*>(test))
        .createChart(subtitle, append);
    return;
  case Stats::kAIWaldWolfowitzRuns:
    ISHistogram(fDictionary, fStats, dynamic_cast<const Stats::HTIWaldWolfowitzRuns*>(test))
        .createChart(subtitle, append);
    return;
  case Stats::kAIKolmogorovSmirnov:
    ISHistogram(fDictionary, fStats, dynamic_cast<const Stats::HTIKolmogorovSmirnov*>(test))
        .createChart(subtitle, append);
    return;
  case Stats::kAIKruskalWallis:
    KruskalWallis(fDictionary, fStats, dynamic_cast<const Stats::HTIKruskalWallis*>(test))
        .createChart(subtitle, append);
    return;
  case Stats::kAIJonckheereTerpstra:
    IJonckheere_Terpstra(fDictionary, fStats,
                         dynamic_cast<const Stats::HTIJonckheereTerpstra*>(test))
        .createChart(subtitle, append);
    return;
  case Stats::kAIMedian:
    IMedian(fDictionary, fStats, dynamic_cast<const Stats::HTIMedian*>(test))
        .createChart(subtitle, append);
    return;
  default:
    return;
  }
}
