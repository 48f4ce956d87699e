// The records of the independent-samples charts: the box-plot table of the k-sample tests and the
// per-group histograms of the two-sample tests, plus the pieces every independent test's record
// shares (its hypothesis, its sample totals).
#pragma once

#include "statxml/ResultDocumentWriter.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace engine {

class GroupedCases;
struct FieldColumn;

class GroupRecords {
public:
  // "BoxPlotInfo": per group its size, mean rank, box and outliers. `extra(g)` adds a test's
  // own attributes to a group's table.
  static ResultElement BoxPlotInfo(
      const GroupedCases& cases, const FieldColumn& group,
      const std::function<std::vector<std::pair<std::string, double>>(std::size_t)>& extra = {});
  // The "Group1", "Group2" tables of a two-sample test: size, mean rank and a histogram of the
  // group's values on bins shared by both groups.
  static std::vector<ResultElement> GroupTables(const GroupedCases& cases);
  // The "Condition" table of the test `name` on the test field against the group field.
  static ResultElement Condition(const std::string& name, const FieldColumn& test,
                                 const FieldColumn& group);
};

} // namespace engine
