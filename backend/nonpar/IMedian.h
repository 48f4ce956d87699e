// The box plots of the independent-samples median test, with the grand median as a guide.
#pragma once

#include "Boxplot.h"

class IMedian : public Boxplot {
public:
  // The record is borrowed; null gives no chart.
  IMedian(const FacSTDictionary* strings, const NOPROutputStats* stats,
          const NOPROutputStats::HTIMedian* test);

  std::vector<double> createRowValues(const NOPROutputStats::IS_BoxPlot_Group& group) override;
  // A horizontal guide at the grand median and, below the graph's right end, a frame naming it.
  void modifyStringSpecification(std::string& text) override;
  void modifyDocSpecification(XDocument& document) override;
};
