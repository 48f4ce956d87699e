// The FieldInfo record of each field of a document: the distribution the field-information charts
// draw (category counts, or descriptive statistics and a histogram).
#pragma once

#include "statxml/ResultDocumentWriter.h"

namespace engine {

struct FieldColumn;
class AnalysisData;

class FieldInformation {
public:
  // <FieldInfo varIndex=...> of `field` over the group's cases with a weight.
  static ResultElement Write(const AnalysisData& data, const FieldColumn& field);
};

} // namespace engine
