// The crosstab chart of the McNemar change test: one panel per cell of the two fields' table,
// off the diagonal the observed count beside the count the hypothesis expects (the mean of the
// cell and its mirror cell), on the diagonal the count as text.
#pragma once

#include "NOPROutputStats.h"

#include <memory>
#include <string>
#include <vector>

class FacSTDictionary;
class VarDataProcessor;

class RSMcNemarChangeTestView {
public:
  // Everything is borrowed and must outlive the view.
  RSMcNemarChangeTestView(const NOPROutputStats& stats,
                          const NOPROutputStats::CategoryFieldsComparisonData& crosstab,
                          const FacSTDictionary& strings);
  virtual ~RSMcNemarChangeTestView();
  RSMcNemarChangeTestView(const RSMcNemarChangeTestView&) = delete;
  RSMcNemarChangeTestView& operator=(const RSMcNemarChangeTestView&) = delete;

  // Builds the chart and sends it; true only when sent. Never throws: an empty table, a missing
  // template or any host failure gives false and no chart.
  virtual bool createChart(std::string& subtitle, bool append);
  // Fills "graphSource": an observed row per cell and a hypothesized row per cell off the
  // diagonal. Returns the number of rows.
  unsigned long getSource(VarDataProcessor& data);

  // The text of a category of an axis: the codes of `codes` joined by ",", each by its value
  // label, or else by the next not yet used text of `outside` (values outside the field's
  // categories), or else by its position in `codes`. Empty without a field record.
  static std::string constructFieldValue(const std::vector<double>& codes,
                                         const NOPROutputStats::FieldDistributionData* field,
                                         const std::vector<std::string>& outside);

private:
  struct Data;
  std::unique_ptr<Data> fData;
};
