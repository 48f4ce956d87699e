// The stacked bar chart of Cochran's Q test: per field, the percentages of its
// success and failure categories.
#pragma once

#include "NOPRStackedChart.h"

class RSCochransQ : public NOPRStackedChart {
public:
  // Everything is borrowed and must outlive the view; a null record gives no
  // chart.
  RSCochransQ(const FacSTDictionary* strings, const NOPROutputStats* stats,
              const NOPROutputStats::HTRCochransQ* test);

  // A category key is a field index: the field's label, or the key itself for
  // no field.
  std::string getCategoryValue(const std::string& categoryKey) override;
  // A type key is a value index of the category's field: the value's label when
  // it says more than the value itself, else the key.
  std::string getTypeValue(const std::string& categoryKey, const std::string& typeKey,
                           bool escape) override;
  const std::vector<NOPROutputStats::ParameterData>* getParameterData() override;
  const NOPROutputStats::TSComparisonData* getTwoClassComparisonTable() override;
  // The types are the fields' own categories; a legend title would only repeat
  // them.
  void modifyStringSpecification(std::string& specification) override;
  void modifyDocSpecification(XDocument& document) override;

private:
  const NOPROutputStats::HTRCochransQ* fTest;
};
