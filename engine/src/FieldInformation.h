// The FieldInfo record of each field of a document: the distribution the field-information charts
// draw (category counts, or descriptive statistics and a histogram).
#pragma once

#include "statxml/ResultDocumentWriter.h"

#include <cstddef>
#include <string>
#include <vector>

namespace engine {

struct FieldColumn;
class AnalysisData;

class FieldInformation {
public:
  // <FieldInfo varIndex=...> of `field` over the group's cases with a weight.
  static ResultElement Write(const AnalysisData& data, const FieldColumn& field);
  // <SimpleTable name=...> of the histogram of weighted values (at least one case): R's hist()
  // bins, a row of counts and a row of the bins' midpoints.
  static ResultElement Histogram(const std::string& name, const std::vector<double>& values,
                                 const std::vector<double>& weights);
  // The "Interval" histogram of a continuous field over `cases` (at least one).
  static ResultElement Histogram(const AnalysisData& data, const FieldColumn& field,
                                 const std::vector<std::size_t>& cases);
};

} // namespace engine
