// One field of a dictionary's metadata: name, label, field type, storage type and role, and its
// values with their labels.
#pragma once

#include "dict/CFDatum.h"

#include <string>
#include <vector>

class CFField {
public:
  // Measurement of the field.
  enum FieldType { kContinuous = 0, kCategorical = 1, kOrdinal = 2, kOtherField = 6 };
  // How its values are stored.
  enum StorageType { kUnknownStorage = 0, kInteger = 1, kDouble = 2, kString = 3, kDate = 4 };

  CFField(const std::string& name, int fieldType, int storageType, int roleType);

  const std::string& GetName() const { return fName; }
  const std::string& GetLabel() const { return fLabel; }
  void SetLabel(const std::string& label) { fLabel = label; }
  int GetFieldType() const { return fFieldType; }
  int GetStorageType() const { return fStorageType; }
  int GetRoleType() const { return fRoleType; }

  // The values, each with its value text as display label, in dictionary order.
  const std::vector<CFValue>& GetValues() const { return fValues; }
  void SetValues(const std::vector<CFValue>& values) { fValues = values; }
  // The same values with their display labels.
  const std::vector<CFValue>& GetValueLabels() const { return fValueLabels; }
  void SetValueLabels(const std::vector<CFValue>& labels) { fValueLabels = labels; }

private:
  std::string fName;
  std::string fLabel;
  int fFieldType;
  int fStorageType;
  int fRoleType;
  std::vector<CFValue> fValues;
  std::vector<CFValue> fValueLabels;
};
