// Building the active dictionary and its metadata from a result document's DataDictionary.
#include "DocumentDictionary.h"

#include "dict/CFMetaData.h"
#include "dict/VORN_DataSource.h"
#include "dict/VORN_Format.h"
#include "text/TextFunctions.h"
#include "text/VORN_SystemMissing.h"
#include "xml/SDOMXMLIterator.h"
#include "xml/SDOMXMLWrapper.h"

#include <algorithm>
#include <vector>

namespace {

const char* const kDictionaryPath = "Extension/NPAROutput/DataDictionary";

// The role the engine gives every field of its dictionary.
constexpr int kFieldRole = 7;
// String variables are at most this wide; longer values are cut when labelled.
constexpr int kMaxStringWidth = 32767;

struct Named {
  const char* fName;
  int fCode;
};

constexpr Named kMeasures[] = {
    {"continuous", VORN_Variable::kMeasureScale},
    {"categorical", VORN_Variable::kMeasureNominal},
    {"ordinal", VORN_Variable::kMeasureOrdinal},
};
constexpr Named kFieldTypes[] = {
    {"continuous", CFField::kContinuous},
    {"categorical", CFField::kCategorical},
    {"ordinal", CFField::kOrdinal},
};
constexpr Named kStorageTypes[] = {
    {"integer", CFField::kInteger}, {"double", CFField::kDouble}, {"float", CFField::kDouble},
    {"string", CFField::kString},   {"date", CFField::kDate},
};

template <std::size_t N>
int CodeOf(const Named (&table)[N], const std::string& name, int otherwise) {
  for (const Named& entry : table) {
    if (name == entry.fName)
      return entry.fCode;
  }
  return otherwise;
}

std::string Attribute(SDOMXMLWrapper& element, const char* name) {
  std::string value;
  element.GetAttribute(name, value);
  return value;
}

struct FieldValue {
  std::string fValue;
  std::string fLabel;
};

std::vector<FieldValue> ValuesOf(SDOMXMLWrapper& field) {
  std::vector<FieldValue> values;
  SDOMXMLIterator* it = nullptr;
  if (!field.GetElementIterator("Value", &it) || it == nullptr)
    return values;
  SDOMXMLWrapper* element = nullptr;
  while (it->Next(&element))
    values.push_back({Attribute(*element, "value"), Attribute(*element, "displayValue")});
  return values;
}

std::vector<SDOMXMLWrapper*> FieldsOf(SDOMXMLWrapper& root) {
  std::vector<SDOMXMLWrapper*> fields;
  SDOMXMLWrapper* dictionary = nullptr;
  SDOMXMLIterator* it = nullptr;
  if (!root.GetFirstElement(kDictionaryPath, &dictionary) || dictionary == nullptr ||
      !dictionary->GetElementIterator("DataField", &it) || it == nullptr)
    return fields;
  SDOMXMLWrapper* field = nullptr;
  while (it->Next(&field))
    fields.push_back(field);
  return fields;
}

VORN_Variable MakeVariable(const std::string& name, const std::string& dataType,
                           const std::vector<FieldValue>& values) {
  if (dataType == "string") {
    std::size_t width = 1;
    for (const FieldValue& value : values)
      width = std::max(width, value.fValue.size());
    const int type = static_cast<int>(std::min<std::size_t>(width, kMaxStringWidth));
    return VORN_Variable(name, type, VORN_Format(VORN_Format::kA, type, 0));
  }
  if (dataType == "date")
    return VORN_Variable(name, 0, VORN_Format(VORN_Format::kDATE, 11, 0));
  if (dataType == "integer")
    return VORN_Variable(name, 0, VORN_Format(VORN_Format::kF, 8, 0));
  return VORN_Variable(name, 0, VORN_Format());
}

// Numeric values that are not numbers cannot be labelled, so they are left out.
void AddValueLabels(VORN_Variable& variable, const std::vector<FieldValue>& values) {
  for (const FieldValue& value : values) {
    if (variable.IsString()) {
      variable.ValueLabels().Add(value.fValue.substr(0, variable.GetType()), value.fLabel);
      continue;
    }
    const double number = String2Double(value.fValue);
    if (number != VORN_SystemMissing())
      variable.ValueLabels().Add(number, value.fLabel);
  }
}

CFDatum DatumOf(const std::string& text, int storageType) {
  if (storageType == CFField::kString)
    return CFDatum(text.c_str(), false);
  if (storageType == CFField::kInteger)
    return CFDatum(static_cast<long long>(String2Integer(text)), false);
  return CFDatum(String2Double(text), false);
}

} // namespace

bool DocumentDictionary::BuildVariables(SDOMXMLWrapper& root, VORN_DataSource& dictionary,
                                        std::string& error) {
  SDOMXMLWrapper* element = nullptr;
  if (!root.GetFirstElement(kDictionaryPath, &element) || element == nullptr) {
    error = std::string("it has no data dictionary (") + kDictionaryPath +
            "); give one with --dictionary";
    return false;
  }
  int position = 0;
  for (SDOMXMLWrapper* field : FieldsOf(root)) {
    const std::string name = Attribute(*field, "name");
    const std::string where = "DataDictionary: field " + std::to_string(position);
    if (name.empty()) {
      error = where + " has no name";
      return false;
    }
    const std::vector<FieldValue> values = ValuesOf(*field);
    VORN_Variable variable = MakeVariable(name, Attribute(*field, "dataType"), values);
    variable.SetLabel(Attribute(*field, "displayName"));
    variable.SetMeasure(static_cast<VORN_Variable::Measure>(
        CodeOf(kMeasures, Attribute(*field, "optype"), VORN_Variable::kMeasureUnknown)));
    AddValueLabels(variable, values);
    if (dictionary.AddVariable(variable) < 0) {
      error = where + " is named \"" + name + "\" like a field before it";
      return false;
    }
    ++position;
  }
  return true;
}

void DocumentDictionary::BuildMetadata(SDOMXMLWrapper& root, CFMetaData& metadata) {
  for (SDOMXMLWrapper* element : FieldsOf(root)) {
    const int storage =
        CodeOf(kStorageTypes, Attribute(*element, "dataType"), CFField::kUnknownStorage);
    CFField field(Attribute(*element, "name"),
                  CodeOf(kFieldTypes, Attribute(*element, "optype"), CFField::kOtherField), storage,
                  kFieldRole);
    field.SetLabel(Attribute(*element, "displayName"));
    std::vector<CFValue> values;
    std::vector<CFValue> labels;
    for (const FieldValue& value : ValuesOf(*element)) {
      const CFDatum datum = DatumOf(value.fValue, storage);
      values.emplace_back(datum, value.fValue, 0, 0);
      labels.emplace_back(datum, value.fLabel, 0, 0);
    }
    field.SetValues(values);
    field.SetValueLabels(labels);
    metadata.AppendField(field);
  }
}
