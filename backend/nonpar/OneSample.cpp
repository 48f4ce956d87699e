// The one-sample dispatch: the algorithm's row says whether the test is charted here, the
// algorithm which view charts it.
#include "OneSample.h"

#include "Binomial.h"
#include "ChartOutput.h"
#include "ChiSquare.h"
#include "KolmogorovSmirnov.h"
#include "NOPRAlgorithmTable.h"
#include "OneSampleRuns.h"
#include "OneSampleWilcoxonSignedRanks.h"

OneSample::OneSample(const FacSTDictionary* dictionary, const NOPROutputStats* stats)
    : fDictionary(dictionary), fStats(stats) {}

OneSample::~OneSample() = default;

void OneSample::genSubView(const NOPROutputStats::BaseHypothesisTest* test,
                           unsigned long fieldIndex, std::string& subtitle, bool append) {
  const NOPRAlgorithmTable::Row* row = NOPRAlgorithmTable::Of(test);
  if (row == nullptr || row->fChart != NOPRAlgorithmTable::Chart::kOneSample ||
      ChartOutput::getErrorMessageCount(test->fMessages) != 0)
    return;
  using Stats = NOPROutputStats;
  switch (test->fAlgorithm) {
  case Stats::kAOChiSquare:
    ChiSquare(fDictionary, fStats, dynamic_cast<const Stats::HTOChiSquare*>(test))
        .createChart(subtitle, append);
    return;
  case Stats::kAOBinomial:
    Binomial(fDictionary, fStats, dynamic_cast<const Stats::HTOBinomial*>(test))
        .createChart(subtitle, append);
    return;
  case Stats::kAORuns:
    OneSampleRuns(fDictionary, fStats, dynamic_cast<const Stats::HTORuns*>(test))
        .createChart(subtitle, append);
    return;
  case Stats::kAOWilcoxonSignedRanks: {
    OneSampleWilcoxonSignedRanks view(fDictionary, fStats,
                                      dynamic_cast<const Stats::HTOWilcoxonSignedRanks*>(test));
    view.setFDD(fieldIndex);
    view.createChart(subtitle, append);
    return;
  }
  case Stats::kAOKolmogorovSmirnov: {
    KolmogorovSmirnov view(fDictionary, fStats, test);
    view.setFDD(fieldIndex);
    view.createChart(subtitle, append);
    return;
  }
  default:
    // The table marks no other algorithm as charted here.
    return;
  }
}
