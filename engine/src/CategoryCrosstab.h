// The crosstable of two related category fields that the McNemar and marginal homogeneity tests
// count, and its <StructuredTable name="CategoryFieldsComparison"> record for the crosstab charts.
#pragma once

#include "statxml/ResultDocumentWriter.h"

#include <vector>

namespace engine {

class RelatedCases;
struct Category;

struct CategoryCrosstab {
  // The summed weights of the cases by the first field's class (row) and the second's (column);
  // `rowClass` and `columnClass` give each category position of a field its class.
  CategoryCrosstab(const RelatedCases& cases, const std::vector<int>& rowClass,
                   const std::vector<int>& columnClass, std::size_t classes);

  // The categories of both fields together: numbers ascending when every category is a number,
  // else the first field's order followed by the second field's other categories. `classOf[f]`
  // maps field f's category positions to positions in the result.
  static std::vector<Category> Union(const RelatedCases& cases,
                                     std::vector<std::vector<int>>& classOf);

  // `lists` adds the success and fail category positions of each field (McNemar).
  ResultElement Record(double rowIndex, double columnIndex,
                       const std::vector<std::vector<double>>* lists) const;

  std::vector<std::vector<double>> fCounts;
  double fTotal = 0;
};

} // namespace engine
