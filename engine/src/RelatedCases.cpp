// Field and case selection of the related-samples tests.
#include "RelatedCases.h"

#include "TestContext.h"

namespace engine {

RelatedCases::RelatedCases(const TestContext& context, Kind kind) {
  const AnalysisData& data = context.fData;
  for (const std::string& name : context.fRequest.fRelated->fFields) {
    const FieldColumn& field = data.Field(name);
    const bool fits = kind == Kind::kRanked ? field.fLevel != FieldColumn::Level::kCategorical
                                            : field.IsCategorical();
    if (fits)
      fFields.push_back(&field);
  }
  fCases = data.ValidCases(fFields);
  fWeights.reserve(fCases.size());
  for (std::size_t c : fCases) {
    fWeights.push_back(data.Weight(c));
    fTotal += data.Weight(c);
  }
}

std::vector<double> RelatedCases::DocumentIndexes() const {
  std::vector<double> indexes;
  for (const FieldColumn* field : fFields)
    indexes.push_back(field->fDocumentIndex);
  return indexes;
}

double RelatedCases::Value(std::size_t j, std::size_t i) const {
  const FieldColumn& field = *fFields[j];
  const double value = field.fValues[fCases[i]];
  if (!field.IsCategorical())
    return value;
  const Category& category = field.fCategories[static_cast<std::size_t>(value)];
  return category.fIsText ? value : category.fNumber;
}

int RelatedCases::Position(std::size_t j, std::size_t i) const {
  return static_cast<int>(fFields[j]->fValues[fCases[i]]);
}

} // namespace engine
