// Differences of two related fields.
#include "PairedDifferences.h"

#include "FieldInformation.h"
#include "RelatedCases.h"
#include "TestWriting.h"

#include "proc/CFAssert.h"

namespace engine {

PairedDifferences::PairedDifferences(const RelatedCases& cases) {
  CF_ASSERT(cases.FieldCount() == 2, "PairedDifferences", "engine/PairedDifferences");
  const std::vector<double> indexes = cases.DocumentIndexes();
  fFirstIndex = indexes[0];
  fSecondIndex = indexes[1];
  fDifferences.reserve(cases.CaseCount());
  fWeights.reserve(cases.CaseCount());
  for (std::size_t i = 0; i < cases.CaseCount(); ++i) {
    const double d = cases.Value(1, i) - cases.Value(0, i), w = cases.Weight(i);
    fDifferences.push_back(d);
    fWeights.push_back(w);
    fTotal += w;
    (d < 0 ? fNegative : d > 0 ? fPositive : fTies) += w;
  }
}

ResultElement PairedDifferences::DistributionTable() const {
  ResultElement table = TestWriting::Table("ContinuousDistribution");
  table.Add(TestWriting::Attribute("NegativeDifferences", fNegative));
  table.Add(TestWriting::Attribute("Ties", fTies));
  table.Add(TestWriting::Attribute("PositiveDifferences", fPositive));
  if (fTotal > 0)
    table.Add(FieldInformation::Histogram("Differences", fDifferences, fWeights));
  return table;
}

} // namespace engine
