// One variable of the active data dictionary: name, label, type, print format, measurement level,
// value labels and user-missing values.
#pragma once

#include "dict/VORN_Format.h"
#include "dict/VORN_MissingValues.h"
#include "dict/VORN_ValueLabelMap.h"

#include <string>

class VORN_Variable {
public:
  enum Measure { kMeasureUnknown = 0, kMeasureNominal = 1, kMeasureOrdinal = 2, kMeasureScale = 3 };

  // `type` is 0 for a numeric variable, else the width of a string variable (1 to 32767).
  // The print format defaults to F8.2 for numbers and A<width> for strings.
  VORN_Variable(std::string name, int type);
  VORN_Variable(std::string name, int type, const VORN_Format& format);

  const std::string& GetName() const { return fName; }
  const std::string& GetLabel() const { return fLabel; }
  void SetLabel(const std::string& label) { fLabel = label; }
  // The label when there is one, else the name.
  const std::string& GetPreferredLabel() const { return fLabel.empty() ? fName : fLabel; }

  int GetType() const { return fType; }
  bool IsString() const { return fType > 0; }

  const VORN_Format& GetFormat() const { return fFormat; }
  void SetFormat(const VORN_Format& format) { fFormat = format; }

  Measure GetMeasure() const { return fMeasure; }
  void SetMeasure(Measure measure) { fMeasure = measure; }

  const VORN_ValueLabelMap& GetValueLabels() const { return fValueLabels; }
  VORN_ValueLabelMap& ValueLabels() { return fValueLabels; }

  const VORN_MissingValues& GetMissingValues() const { return fMissing; }
  VORN_MissingValues& MissingValues() { return fMissing; }

private:
  std::string fName;
  std::string fLabel;
  int fType;
  VORN_Format fFormat;
  Measure fMeasure = kMeasureUnknown;
  VORN_ValueLabelMap fValueLabels;
  VORN_MissingValues fMissing;
};
