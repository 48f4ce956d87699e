// Building the active dictionary and its metadata from a result document's DataDictionary, as the
// plug-in's reader reads it (ResultDocumentRules).
#include "DocumentDictionary.h"

#include "statxml/ResultDocumentRules.h"

#include "dict/CFMetaData.h"
#include "dict/VORN_DataSource.h"
#include "dict/VORN_Format.h"
#include "text/TextFunctions.h"
#include "text/VORN_SystemMissing.h"

#include <algorithm>
#include <vector>

namespace {

// String variables are at most this wide; longer values are cut when labelled.
constexpr int kMaxStringWidth = 32767;

const char* const kNoDictionary =
    "it has no data dictionary (Extension/NPAROutput/DataDictionary); give one with --dictionary";

VORN_Variable MakeVariable(const CFField& field) {
  const std::vector<CFValue>& values = field.GetValues();
  switch (field.GetStorageType()) {
  case CFField::kString: {
    std::size_t width = 1;
    for (const CFValue& value : values)
      width = std::max(width, value.GetDisplayLabel().size());
    const int type = static_cast<int>(std::min<std::size_t>(width, kMaxStringWidth));
    return VORN_Variable(field.GetName(), type, VORN_Format(VORN_Format::kA, type, 0));
  }
  case CFField::kDate:
    return VORN_Variable(field.GetName(), 0, VORN_Format(VORN_Format::kDATE, 11, 0));
  case CFField::kInteger:
    return VORN_Variable(field.GetName(), 0, VORN_Format(VORN_Format::kF, 8, 0));
  default:
    return VORN_Variable(field.GetName(), 0, VORN_Format());
  }
}

// Numeric values that are not numbers cannot be labelled, so they are left out.
void AddValueLabels(VORN_Variable& variable, const CFField& field) {
  const std::vector<CFValue>& values = field.GetValues();
  const std::vector<CFValue>& labels = field.GetValueLabels();
  for (std::size_t i = 0; i < values.size() && i < labels.size(); ++i) {
    const std::string& value = values[i].GetDisplayLabel();
    const std::string& label = labels[i].GetDisplayLabel();
    if (variable.IsString()) {
      variable.ValueLabels().Add(value.substr(0, variable.GetType()), label);
      continue;
    }
    const double number = String2Double(value);
    if (number != VORN_SystemMissing())
      variable.ValueLabels().Add(number, label);
  }
}

int MeasureOf(int fieldType) {
  switch (fieldType) {
  case CFField::kContinuous:
    return VORN_Variable::kMeasureScale;
  case CFField::kCategorical:
    return VORN_Variable::kMeasureNominal;
  case CFField::kOrdinal:
    return VORN_Variable::kMeasureOrdinal;
  default:
    return VORN_Variable::kMeasureUnknown;
  }
}

// The variables of the fields from `first` on.
bool AddVariables(const CFMetaData& metadata, int first, VORN_DataSource& dictionary,
                  std::string& error) {
  for (int position = 0; first + position < metadata.FieldCount(); ++position) {
    const CFField& field = *metadata.GetField(first + position);
    const std::string where = "DataDictionary: field " + std::to_string(position);
    if (field.GetName().empty()) {
      error = where + " has no name";
      return false;
    }
    VORN_Variable variable = MakeVariable(field);
    variable.SetLabel(field.GetLabel());
    variable.SetMeasure(static_cast<VORN_Variable::Measure>(MeasureOf(field.GetFieldType())));
    AddValueLabels(variable, field);
    if (dictionary.AddVariable(variable) < 0) {
      error = where + " is named \"" + field.GetName() + "\" like a field before it";
      return false;
    }
  }
  return true;
}

} // namespace

bool DocumentDictionary::Build(SDOMXMLWrapper& root, VORN_DataSource* dictionary,
                               CFMetaData& metadata, std::string& error) {
  if (dictionary != nullptr && !ResultDocumentRules::HasDictionary(root)) {
    error = kNoDictionary;
    return false;
  }
  const int first = metadata.FieldCount();
  if (!ResultDocumentRules::ReadDictionary(root, metadata, error))
    return false;
  return dictionary == nullptr || AddVariables(metadata, first, *dictionary, error);
}

bool DocumentDictionary::BuildVariables(SDOMXMLWrapper& root, VORN_DataSource& dictionary,
                                        std::string& error) {
  CFMetaData metadata;
  return Build(root, &dictionary, metadata, error);
}

void DocumentDictionary::BuildMetadata(SDOMXMLWrapper& root, CFMetaData& metadata) {
  std::string error;
  ResultDocumentRules::ReadDictionary(root, metadata, error);
}
