// What makes a result document readable, kept in one place: the program checks a document with it
// before it runs anything, and the plug-in's reader refuses with the same words.
#pragma once

#include <string>

class CFMetaData;
class SDOMXMLWrapper;

class ResultDocumentRules {
public:
  // The rules in the order the reader reads the parts they are about.
  enum class Rule {
    kModel,      // the root <StatXML> with a PMMLModel of type "NonParametricTests"
    kCounts,     // DescriptiveModel/DescriptiveSummary/Counts
    kDictionary, // fields and values of the DataDictionary, when there is one, numbered in order
    kTests,      // Extension/NPAROutput/NonParametricTests
    kFieldInfos, // Extension/NPAROutput/FieldInfos
  };

  // Empty when `root` keeps `rule`; else one line naming the part that is missing or malformed.
  static std::string Broken(SDOMXMLWrapper& root, Rule rule);

  // Empty when `root` (a loaded document) has every part the reader cannot do without: the root
  // <StatXML> with a PMMLModel of type "NonParametricTests", the case counts, the test results,
  // the field information, and data dictionary fields and values numbered 0, 1, 2, ... in order.
  // Otherwise one line naming the first part that is missing or malformed: the first rule broken.
  static std::string Refusal(SDOMXMLWrapper& root);

  // True when the document holds a data dictionary (Extension/NPAROutput/DataDictionary).
  static bool HasDictionary(SDOMXMLWrapper& root);

  // Appends one field per DataField of the document's data dictionary to `metadata`: "name",
  // "displayName" as the label, the field type from "optype", the storage type from "dataType",
  // and the values with their texts and display values. A document without a dictionary adds
  // nothing. False, with `reason` set and the fields before the mistake appended, when fields or
  // values are not numbered in order.
  static bool ReadDictionary(SDOMXMLWrapper& root, CFMetaData& metadata, std::string& reason);
};
