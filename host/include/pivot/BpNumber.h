// A number cell, shown in one of the procedure's number formats; the raw number is kept.
#pragma once

#include "pivot/BpCellText.h"
#include "pivot/BpFormat.h"

class BpNumber : public BpCellText {
public:
  // The system-missing value marks a missing number (shown ".").
  BpNumber(double value, const BpFormat& format);
  ~BpNumber() override;

  std::unique_ptr<BpCellText> Clone() const override;
  output::Label ToLabel(const FacSTDictionary* strings) const override;

  double Value() const { return fValue; }
  const BpFormat& Format() const { return fFormat; }

private:
  double fValue;
  BpFormat fFormat;
};
