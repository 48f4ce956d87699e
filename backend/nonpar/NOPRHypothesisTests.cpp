// Test records: out-of-line destructors, so each class's vtable and type information are
// emitted once, here.
#include "NOPRHypothesisTests.h"

NOPROutputStats::HTOChiSquare::~HTOChiSquare() = default;

NOPROutputStats::HTOBinomial::~HTOBinomial() = default;

NOPROutputStats::HTORuns::~HTORuns() = default;

NOPROutputStats::HTOWilcoxonSignedRanks::~HTOWilcoxonSignedRanks() = default;

NOPROutputStats::HTOEstimateConfidenceInterval::~HTOEstimateConfidenceInterval() = default;

NOPROutputStats::HTOKolmogorovSmirnov::~HTOKolmogorovSmirnov() = default;

NOPROutputStats::HTRSign::~HTRSign() = default;

NOPROutputStats::HTRWilcoxonSignedRanks::~HTRWilcoxonSignedRanks() = default;

NOPROutputStats::HTRCochransQ::~HTRCochransQ() = default;

NOPROutputStats::HTRMcNemar::~HTRMcNemar() = default;

NOPROutputStats::HTRMarginalHomogeneity::~HTRMarginalHomogeneity() = default;

NOPROutputStats::HTRFriedmansTwoWayByRanks::~HTRFriedmansTwoWayByRanks() = default;

NOPROutputStats::HTRKendallsCoefficient::~HTRKendallsCoefficient() = default;

NOPROutputStats::HTRHodgesLehmannEstimatePairs::~HTRHodgesLehmannEstimatePairs() = default;

NOPROutputStats::HTIHodgesLehmannEstimateGroups::~HTIHodgesLehmannEstimateGroups() = default;

NOPROutputStats::HTIMoses::~HTIMoses() = default;

NOPROutputStats::HTIMannWhitneyU::~HTIMannWhitneyU() = default;

NOPROutputStats::HTIWaldWolfowitzRuns::~HTIWaldWolfowitzRuns() = default;

NOPROutputStats::HTIKolmogorovSmirnov::~HTIKolmogorovSmirnov() = default;

NOPROutputStats::HTIKruskalWallis::~HTIKruskalWallis() = default;

NOPROutputStats::HTIJonckheereTerpstra::~HTIJonckheereTerpstra() = default;

NOPROutputStats::HTIMedian::~HTIMedian() = default;
