// The binomial test's chart: observed and hypothesized percentages of the two classes as stacked
// bars, the classes named by their value labels, or by the cut point that splits them.
#pragma once

#include "NOPRStackedChart.h"

class Binomial : public NOPRStackedChart {
public:
  // `test` is borrowed from the result set.
  Binomial(const FacSTDictionary* dictionary, const NOPROutputStats* stats,
           const NOPROutputStats::HTOBinomial* test);

  std::string getCategoryValue(const std::string& categoryKey) override;
  std::string getTypeValue(const std::string& categoryKey, const std::string& typeKey,
                           bool escape) override;
  const std::vector<NOPROutputStats::ParameterData>* getParameterData() override;
  const NOPROutputStats::TSComparisonData* getTwoClassComparisonTable() override;
  void modifyStringSpecification(std::string& specification) override;
  void modifyDocSpecification(XDocument& document) override;

private:
  // Parameter k of the condition: the first number of its record k, or `absent`.
  double parameter(std::size_t k, double absent) const;
  // The field whose index is parameter 0, or null.
  const NOPROutputStats::FieldDistributionData* testField() const;

  const NOPROutputStats::HTOBinomial* fTest;
};
