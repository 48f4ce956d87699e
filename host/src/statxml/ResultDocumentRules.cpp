// The acceptance rules of result documents and the reading of their data dictionary.
#include "statxml/ResultDocumentRules.h"

#include "dict/CFDatum.h"
#include "dict/CFField.h"
#include "dict/CFMetaData.h"
#include "text/TextFunctions.h"
#include "xml/SDOMXMLIterator.h"
#include "xml/SDOMXMLWrapper.h"

#include <vector>

namespace {

const char* const kNotAResult = "not a nonparametric tests result: ";
const char* const kDictionaryPath = "Extension/NPAROutput/DataDictionary";

// The paths of the parts without which the reader writes nothing, with what they hold for the
// message.
constexpr const char* kCountsPath = "DescriptiveModel/DescriptiveSummary/Counts";
constexpr const char* kTestsPath = "Extension/NPAROutput/NonParametricTests";
constexpr const char* kFieldInfosPath = "Extension/NPAROutput/FieldInfos";

struct NamedCode {
  const char* fName;
  int fCode;
};
constexpr NamedCode kFieldTypes[] = {
    {"continuous", CFField::kContinuous},
    {"categorical", CFField::kCategorical},
    {"ordinal", CFField::kOrdinal},
};
constexpr NamedCode kStorageTypes[] = {
    {"integer", CFField::kInteger}, {"double", CFField::kDouble}, {"float", CFField::kDouble},
    {"string", CFField::kString},   {"date", CFField::kDate},
};
// The role every field of a result document's dictionary gets.
constexpr int kFieldRole = 7;

template <std::size_t N>
int CodeOf(const NamedCode (&table)[N], const std::string& name, int otherwise) {
  for (const NamedCode& entry : table) {
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

SDOMXMLWrapper* Find(SDOMXMLWrapper& from, const char* path) {
  SDOMXMLWrapper* found = nullptr;
  return from.GetFirstElement(path, &found) ? found : nullptr;
}

// The reader matches fields and values by position, so their "index" attributes must count up
// from 0. `number` is the 0-based position of `element` among its kind.
bool InOrder(SDOMXMLWrapper& element, int number, const char* kind, const std::string& where,
             std::string& reason) {
  int index = -1;
  if (element.GetAttribute("index", index) && index == number)
    return true;
  reason = "a required part is malformed: " + where + kind + " number " +
           std::to_string(number + 1) + " has index \"" + Attribute(element, "index") + "\"; the " +
           kind + " elements must be numbered 0, 1, 2, ... in order";
  return false;
}

const char* const kFieldsWhere = "DataDictionary/";

std::string ValuesWhere(SDOMXMLWrapper& field) {
  return std::string(kFieldsWhere) + "DataField \"" + Attribute(field, "name") + "\"/";
}

// Walks the children named `kind` of `parent`, calling `visit(element, number)` on each that is
// numbered in order; false with `reason` set at the first that is not.
template <class Visit>
bool WalkNumbered(SDOMXMLWrapper& parent, const char* kind, const std::string& where,
                  std::string& reason, Visit visit) {
  SDOMXMLIterator* it = nullptr;
  if (!parent.GetElementIterator(kind, &it) || it == nullptr)
    return true;
  int number = 0;
  SDOMXMLWrapper* element = nullptr;
  while (it->Next(&element)) {
    if (!InOrder(*element, number, kind, where, reason))
      return false;
    visit(*element, number);
    ++number;
  }
  return true;
}

bool CheckDictionary(SDOMXMLWrapper& root, std::string& reason) {
  SDOMXMLWrapper* dictionary = Find(root, kDictionaryPath);
  if (dictionary == nullptr)
    return true; // optional: a dictionary file can stand in for it
  // Fields are collected first: the values' walk must not interleave with the fields' own.
  std::vector<SDOMXMLWrapper*> fields;
  if (!WalkNumbered(*dictionary, "DataField", kFieldsWhere, reason,
                    [&](SDOMXMLWrapper& field, int) { fields.push_back(&field); }))
    return false;
  for (SDOMXMLWrapper* field : fields) {
    if (!WalkNumbered(*field, "Value", ValuesWhere(*field), reason, [](SDOMXMLWrapper&, int) {}))
      return false;
  }
  return true;
}

std::string Missing(SDOMXMLWrapper& root, const char* path, const char* what) {
  if (Find(root, path) != nullptr)
    return std::string();
  return std::string("a required part is missing: ") + path + " (" + what + ")";
}

std::string BrokenModel(SDOMXMLWrapper& root) {
  if (root.GetName() != "StatXML")
    return std::string(kNotAResult) + "its root element is <" + root.GetName() + ">, not <StatXML>";
  SDOMXMLWrapper* model = Find(root, "PMMLModel");
  if (model == nullptr)
    return std::string(kNotAResult) + "it has no <PMMLModel> element";
  const std::string type = Attribute(*model, "modelType");
  if (type != "NonParametricTests")
    return std::string(kNotAResult) + "its model type is \"" + type +
           "\", not \"NonParametricTests\"";
  return std::string();
}

CFDatum DatumOf(const std::string& text, int storageType) {
  switch (storageType) {
  case CFField::kString:
    return CFDatum(text.c_str(), false);
  case CFField::kInteger:
    return CFDatum(static_cast<long long>(String2Integer(text)), false);
  default:
    return CFDatum(String2Double(text), false);
  }
}

} // namespace

std::string ResultDocumentRules::Broken(SDOMXMLWrapper& root, Rule rule) {
  switch (rule) {
  case Rule::kModel:
    return BrokenModel(root);
  case Rule::kCounts:
    return Missing(root, kCountsPath, "the case counts");
  case Rule::kDictionary: {
    std::string reason;
    return CheckDictionary(root, reason) ? std::string() : reason;
  }
  case Rule::kTests:
    return Missing(root, kTestsPath, "the test results");
  case Rule::kFieldInfos:
    return Missing(root, kFieldInfosPath, "the field information");
  }
  return std::string();
}

std::string ResultDocumentRules::Refusal(SDOMXMLWrapper& root) {
  for (const Rule rule :
       {Rule::kModel, Rule::kCounts, Rule::kDictionary, Rule::kTests, Rule::kFieldInfos}) {
    std::string reason = Broken(root, rule);
    if (!reason.empty())
      return reason;
  }
  return std::string();
}

bool ResultDocumentRules::HasDictionary(SDOMXMLWrapper& root) {
  return Find(root, kDictionaryPath) != nullptr;
}

bool ResultDocumentRules::ReadDictionary(SDOMXMLWrapper& root, CFMetaData& metadata,
                                         std::string& reason) {
  SDOMXMLWrapper* dictionary = Find(root, kDictionaryPath);
  SDOMXMLIterator* fields = nullptr;
  if (dictionary == nullptr || !dictionary->GetElementIterator("DataField", &fields) ||
      fields == nullptr)
    return true;
  // Field by field, so that the fields before a mistake are kept. Each field's values are walked
  // on the field itself, which does not disturb the walk over the fields.
  int number = 0;
  SDOMXMLWrapper* element = nullptr;
  while (fields->Next(&element)) {
    if (!InOrder(*element, number, "DataField", kFieldsWhere, reason))
      return false;
    const int storage =
        CodeOf(kStorageTypes, Attribute(*element, "dataType"), CFField::kUnknownStorage);
    CFField field(Attribute(*element, "name"),
                  CodeOf(kFieldTypes, Attribute(*element, "optype"), CFField::kOtherField), storage,
                  kFieldRole);
    field.SetLabel(Attribute(*element, "displayName"));
    std::vector<CFValue> values;
    std::vector<CFValue> labels;
    std::string value;
    std::string label;
    const bool numbered = WalkNumbered(*element, "Value", ValuesWhere(*element), reason,
                                       [&](SDOMXMLWrapper& valueElement, int) {
                                         value.clear();
                                         label.clear();
                                         valueElement.GetAttribute("value", value);
                                         valueElement.GetAttribute("displayValue", label);
                                         const CFDatum datum = DatumOf(value, storage);
                                         values.emplace_back(datum, value, 0, 0);
                                         labels.emplace_back(datum, label, 0, 0);
                                       });
    if (!numbered)
      return false;
    field.SetValues(values);
    field.SetValueLabels(labels);
    metadata.AppendField(field);
    ++number;
  }
  return true;
}
