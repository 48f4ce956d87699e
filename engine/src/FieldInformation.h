// The FieldInfo record of each field of a document: the distribution the field-information charts
// draw (category counts, or descriptive statistics and a histogram).
#pragma once

#include "statxml/ResultDocumentWriter.h"

#include <cstddef>
#include <vector>

namespace engine {

struct FieldColumn;
class AnalysisData;

class FieldInformation {
public:
  // <FieldInfo varIndex=...> of `field` over the group's cases with a weight.
  static ResultElement Write(const AnalysisData& data, const FieldColumn& field);
  // The histogram ("Interval" table of counts and bin midpoints) of a continuous field over
  // `cases` (at least one), as R's hist() bins it.
  static ResultElement Histogram(const AnalysisData& data, const FieldColumn& field,
                                 const std::vector<std::size_t>& cases);
};

} // namespace engine
