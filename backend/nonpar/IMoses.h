// The box plots of the Moses test of extreme reaction: the control and the experimental group
// told apart by colour, with their counts in the legend, and the outliers' case labels.
#pragma once

#include "Boxplot.h"

#include <memory>
#include <vector>

class IMoses : public Boxplot {
public:
  // The record is borrowed; null gives no chart.
  IMoses(const FacSTDictionary* strings, const NOPROutputStats* stats,
         const NOPROutputStats::HTIMoses* test);
  ~IMoses() override;

  // The group index; the group's index and count are also kept for the legend.
  std::vector<double> createRowValues(const NOPROutputStats::IS_BoxPlot_Group& group) override;
  void modifyStringSpecification(std::string& text) override;
  // Case labels on the boxes, a colour per group with its legend, and the first two groups
  // relabelled as the control and the experimental group with their counts.
  void modifyDocSpecification(XDocument& document) override;

private:
  struct IData {
    const NOPROutputStats::HTIMoses* test = nullptr;
    std::vector<int> groupIndexes;
    std::vector<int> groupCounts;
  };
  std::unique_ptr<IData> fIData;
};
