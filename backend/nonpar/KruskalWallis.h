// The box plots of the Kruskal-Wallis test, each median carrying its group's mean rank.
#pragma once

#include "Boxplot.h"

class KruskalWallis : public Boxplot {
public:
  // The record is borrowed; null gives no chart.
  KruskalWallis(const FacSTDictionary* strings, const NOPROutputStats* stats,
                const NOPROutputStats::HTIKruskalWallis* test);

  // The group index, then the group's mean rank (the median's tooltip).
  std::vector<double> createRowValues(const NOPROutputStats::IS_BoxPlot_Group& group) override;
  void modifyStringSpecification(std::string& text) override;
  void modifyDocSpecification(XDocument& document) override;
};
