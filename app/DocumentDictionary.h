// The active data dictionary that a result document implies: its own DataDictionary turned into
// the host's variables and dictionary metadata.
#pragma once

#include <string>

class CFMetaData;
class SDOMXMLWrapper;
class VORN_DataSource;

class DocumentDictionary {
public:
  // Adds one variable per DataField of `root`'s Extension/NPAROutput/DataDictionary to
  // `dictionary` (which should be empty): "name" as the name, "displayName" as the label, the
  // values with their display values as value labels, "optype" as the measurement level, and by
  // "dataType": "string" a string variable as wide as its longest value (at least 1), "date"
  // DATE11, "integer" F8.0, anything else F8.2. Returns false with `error` set when the document
  // has no dictionary or a field has no name or a name used before; variables read before the
  // mistake stay. Never throws apart from std::bad_alloc.
  static bool BuildVariables(SDOMXMLWrapper& root, VORN_DataSource& dictionary, std::string& error);

  // Both at once, reading the document's dictionary once: the metadata always, the variables
  // only when `dictionary` is not null. False with `error` set as BuildVariables says.
  static bool Build(SDOMXMLWrapper& root, VORN_DataSource* dictionary, CFMetaData& metadata,
                    std::string& error);

  // Appends one field per DataField to `metadata` as ResultDocumentRules::ReadDictionary reads
  // them. A document without a dictionary adds nothing.
  static void BuildMetadata(SDOMXMLWrapper& root, CFMetaData& metadata);
};
