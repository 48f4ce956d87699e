// The field records of a document.
#include "FieldInformation.h"

#include "AnalysisData.h"

namespace engine {

ResultElement FieldInformation::Write(const AnalysisData& data, const FieldColumn& field) {
  (void)data;
  ResultElement info("FieldInfo");
  info.Set("varIndex", static_cast<double>(field.fDocumentIndex));
  return info;
}

} // namespace engine
