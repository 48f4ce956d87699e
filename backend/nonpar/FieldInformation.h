// The field information charts: a histogram with summary statistics for a continuous field, a
// bar chart of counts for a categorical one. The output writer makes both views for every field;
// only the one whose kind matches the field draws.
#pragma once

#include "NOPRHistogramChart.h"

class FieldInformation : public NOPRHistogramChart {
public:
  // `categorical`: this is the view of categorical fields.
  FieldInformation(const FacSTDictionary* dictionary, const NOPROutputStats* stats,
                   bool categorical);

  // The field's "Interval" table when the field's kind is this view's; sets the title then.
  const NOPROutputStats::SimpleTableData* getIntervalTable() override;
  void modifyStringSpecification(std::string& specification) override;
  void modifyDocSpecification(XDocument& document) override;

  // The statistics frame's text (UTF-8, lines joined by "&#10;").
  std::string statisticsLabel() const;

private:
  void relabelCategories(XDocument& document);

  bool fCategorical;
};
