// One field's valid cases of a one-sample test: their values in case order with their frequency
// weights, and the weighted summaries several tests share.
#pragma once

#include <cstddef>
#include <vector>

namespace engine {

struct FieldColumn;
struct TestContext;

class FieldSample {
public:
  FieldSample(const TestContext& context, const FieldColumn& field);

  // Values (numbers, or category positions) of the valid cases in case order, and their weights.
  const std::vector<double>& Values() const { return fValues; }
  double Weight(std::size_t i) const { return fWeights.empty() ? 1.0 : fWeights[i]; }
  // The group's case numbers of those cases.
  const std::vector<std::size_t>& Cases() const { return fCases; }
  // Summed weight: the number of cases a weighted case stands for.
  double Total() const { return fTotal; }
  bool Empty() const { return fTotal <= 0; }

  double Mean() const;
  // Standard deviation with the divisor n - 1 (NaN below two cases).
  double StdDev() const;
  double Min() const;
  double Max() const;
  // The median of the cases written out one by one (the mean of the two middle ones when their
  // number is even).
  double Median() const;

private:
  std::vector<double> fValues;
  std::vector<double> fWeights; // empty when every case weighs 1
  std::vector<std::size_t> fCases;
  double fTotal = 0;
};

} // namespace engine
