// Weighted summaries of a field's valid cases.
#include "FieldSample.h"

#include "Ranks.h"
#include "TestContext.h"

#include <algorithm>
#include <cmath>

namespace engine {

FieldSample::FieldSample(const TestContext& context, const FieldColumn& field)
    : fCases(context.fData.ValidCases({&field})) {
  fValues.reserve(fCases.size());
  for (std::size_t c : fCases)
    fValues.push_back(field.fValues[c]);
  if (!context.fData.Weighted()) {
    fTotal = static_cast<double>(fCases.size());
    return;
  }
  fWeights.reserve(fCases.size());
  for (std::size_t c : fCases) {
    fWeights.push_back(context.fData.Weight(c));
    fTotal += fWeights.back();
  }
}

double FieldSample::Mean() const {
  if (Empty())
    return NAN;
  double sum = 0;
  for (std::size_t i = 0; i < fValues.size(); ++i)
    sum += Weight(i) * fValues[i];
  return sum / fTotal;
}

double FieldSample::StdDev() const {
  if (fTotal < 2)
    return NAN;
  const double mean = Mean();
  double squares = 0;
  for (std::size_t i = 0; i < fValues.size(); ++i)
    squares += Weight(i) * (fValues[i] - mean) * (fValues[i] - mean);
  return std::sqrt(squares / (fTotal - 1));
}

double FieldSample::Min() const {
  return Empty() ? NAN : *std::min_element(fValues.begin(), fValues.end());
}

double FieldSample::Max() const {
  return Empty() ? NAN : *std::max_element(fValues.begin(), fValues.end());
}

double FieldSample::Median() const {
  if (Empty())
    return NAN;
  const std::vector<std::size_t> order = Ranks::SortOrder(fValues);
  // The values at the 1-based positions floor((n+1)/2) and ceil((n+1)/2) of the written-out cases.
  const double low = std::floor((fTotal + 1) / 2), high = std::ceil((fTotal + 1) / 2);
  double seen = 0, lowValue = NAN, highValue = NAN;
  for (std::size_t i : order) {
    const double before = seen;
    seen += Weight(i);
    if (before < low && low <= seen)
      lowValue = fValues[i];
    if (before < high && high <= seen) {
      highValue = fValues[i];
      break;
    }
  }
  return (lowValue + highValue) / 2;
}

} // namespace engine
