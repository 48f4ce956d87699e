// The related-samples dispatch: the algorithm's row says whether the test is charted here, the
// algorithm which view charts it.
#include "RelatedSamples.h"

#include "ChartOutput.h"
#include "MarginalHomogeneity.h"
#include "NOPRAlgorithmTable.h"
#include "NOPRHypothesisTests.h"
#include "RSCochransQ.h"
#include "RSHistogram.h"
#include "RSMcNemarChangeTestView.h"
#include "WilcoxonPairSignedRank.h"

RelatedSamples::RelatedSamples(const FacSTDictionary* dictionary, const NOPROutputStats* stats)
    : fDictionary(dictionary), fStats(stats) {}

RelatedSamples::~RelatedSamples() = default;

void RelatedSamples::genSubView(const NOPROutputStats::BaseHypothesisTest* test,
                                std::string& subtitle, bool append) {
  const NOPRAlgorithmTable::Row* row = NOPRAlgorithmTable::Of(test);
  if (row == nullptr || row->fChart != NOPRAlgorithmTable::Chart::kRelatedSamples ||
      ChartOutput::getErrorMessageCount(test->fMessages) != 0)
    return;
  using Stats = NOPROutputStats;
  // A record of another kind than its algorithm says casts to null, and no chart is made.
  switch (test->fAlgorithm) {
  case Stats::kARSign:
    if (const auto* sign = dynamic_cast<const Stats::HTRSign*>(test))
      WilcoxonPairSignedRank(fDictionary, fStats, sign->fDistribution, *sign, test->fAlgorithm)
          .createChart(subtitle, append);
    return;
  case Stats::kARWilcoxonSignedRanks:
    if (const auto* signedRanks = dynamic_cast<const Stats::HTRWilcoxonSignedRanks*>(test))
      WilcoxonPairSignedRank(fDictionary, fStats, signedRanks->fDistribution, *signedRanks,
                             test->fAlgorithm)
          .createChart(subtitle, append);
    return;
  case Stats::kARCochransQ:
    RSCochransQ(fDictionary, fStats, dynamic_cast<const Stats::HTRCochransQ*>(test))
        .createChart(subtitle, append);
    return;
  case Stats::kARMcNemar:
    if (const auto* mcNemar = dynamic_cast<const Stats::HTRMcNemar*>(test);
        mcNemar != nullptr && fStats != nullptr && fDictionary != nullptr)
      RSMcNemarChangeTestView(*fStats, mcNemar->fCategoryComparison, *fDictionary)
          .createChart(subtitle, append);
    return;
  case Stats::kARFriedmansTwoWayByRanks:
    RSHistogram(fDictionary, fStats, dynamic_cast<const Stats::HTRFriedmansTwoWayByRanks*>(test))
        .createChart(subtitle, append);
    return;
  case Stats::kARKendallsCoefficient:
    RSHistogram(fDictionary, fStats, dynamic_cast<const Stats::HTRKendallsCoefficient*>(test))
        .createChart(subtitle, append);
    return;
  case Stats::kARMarginalHomogeneity:
    if (const auto* homogeneity = dynamic_cast<const Stats::HTRMarginalHomogeneity*>(test);
        homogeneity != nullptr && fStats != nullptr && fDictionary != nullptr)
      MarginalHomogeneity(*fStats, homogeneity->fCategoryComparison, *fDictionary)
          .createChart(subtitle, append);
    return;
  default:
    return;
  }
}
