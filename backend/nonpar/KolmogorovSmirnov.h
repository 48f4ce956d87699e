// The one-sample Kolmogorov-Smirnov test's chart: the test field's histogram with the curve of
// the hypothesized distribution and a frame naming its parameters.
#pragma once

#include "NOPRHistogramChart.h"

class KolmogorovSmirnov : public NOPRHistogramChart {
public:
  // `test` is borrowed from the result set.
  KolmogorovSmirnov(const FacSTDictionary* dictionary, const NOPROutputStats* stats,
                    const NOPROutputStats::BaseHypothesisTest* test);

  // The base's table, and only when it is named "Interval".
  const NOPROutputStats::SimpleTableData* getIntervalTable() override;
  void modifyStringSpecification(std::string& specification) override;
  void modifyDocSpecification(XDocument& document) override;

  // The hypothesized distribution's curve as a line element, or empty when the condition names
  // no distribution (or too few parameters).
  std::string distributionLine() const;
  // The frame's text: the distribution's name and parameters, lines joined by "&#10;".
  std::string parameterLabel() const;

private:
  // Parameter k of the condition (the first number of its record k), or 0.
  double parameter(std::size_t k) const;
  std::size_t parameterCount() const;
  const std::string& conditionKey() const;

  const NOPROutputStats::BaseHypothesisTest* fTest;
};
