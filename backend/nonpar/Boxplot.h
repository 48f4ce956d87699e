// The base of the box-plot charts of the k-sample independent tests: one box per group of the
// grouping field, drawn from values made to reproduce the engine's box statistics and outliers.
#pragma once

#include "NOPROutputStats.h"

#include "chart/ChartString.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class FacSTDictionary;
class VarDataProcessor;
class XDocument;

class Boxplot {
public:
  struct Data;

  // The values that draw one box: the lower half, the median and the upper half (in that order,
  // each half holding as many values as the other), and the case label of each outlier value.
  struct BoxValues {
    std::vector<double> values;
    std::map<double, double> caseLabels;
  };

  // Both are borrowed and must outlive the view; either may be null (no chart then).
  Boxplot(const FacSTDictionary* strings, const NOPROutputStats* stats);
  virtual ~Boxplot();
  Boxplot(const Boxplot&) = delete;
  Boxplot& operator=(const Boxplot&) = delete;

  // Builds the chart and sends it to the output; true only when it was sent. Never throws: a
  // missing input, an empty data source, a missing template or any host failure gives false and
  // no chart. `subtitle` (the split group, may be empty) is not changed.
  virtual bool createChart(std::string& subtitle, bool append);
  // Fills the source "boxplotSource" (one row per value of every group) and chooses the test and
  // grouping fields; returns the number of rows. 0 without a box-plot record, a condition or a
  // result set.
  virtual unsigned long getSource(VarDataProcessor& data);
  // The values a group's rows carry besides its box values: [0] its category, [1] its tooltip.
  virtual std::vector<double> createRowValues(const NOPROutputStats::IS_BoxPlot_Group& group);
  virtual void modifyStringSpecification(std::string& text);
  virtual void modifyDocSpecification(XDocument& document);

  // The box values of a group: empty unless its box table's first row has at least five numbers
  // (lower end, lower quartile, median, upper quartile, upper end). The values' quartiles, taken
  // as the medians of the halves that include the median, and their whisker ends are the group's
  // own; its outliers stand beyond the whiskers.
  static BoxValues makeBoxValues(const NOPROutputStats::IS_BoxPlot_Group& group);

  void setTitle(const ChartString& title);
  const ChartString& getTitle() const;
  void setBoxplotInfo(const NOPROutputStats::IS_BoxPlotInfo* info);
  void setConditionTable(const NOPROutputStats::ConditionData* condition);

  const FacSTDictionary* getDictionary() const;
  const NOPROutputStats* getOutputStats() const;
  // The grouping field (x axis) and the test field (y axis) that getSource chose; null before.
  const NOPROutputStats::FieldDistributionData* getFDD() const;
  const NOPROutputStats::FieldDistributionData* getYFDD() const;
  const NOPROutputStats::IS_BoxPlotInfo* getBoxplotInfo() const;
  const NOPROutputStats::ConditionData* getConditionTable() const;

private:
  std::unique_ptr<Data> fData;
};
