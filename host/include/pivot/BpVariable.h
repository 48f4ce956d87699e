// A variable of the data dictionary as a cell text.
#pragma once

#include "pivot/BpCellText.h"

#include <string>

class VORN_Variable;

class BpVariable : public BpCellText {
public:
  // What of the variable is shown.
  enum Show {
    kShowName = 0,         // the name
    kShowLabelAndName = 1, // "label [name]", or the name when there is no label
    kShowLabel = 2,        // the label, or the name when there is no label
  };

  // Copies the name and label; `variable` may go away afterwards. An out-of-range show mode is
  // taken as kShowLabel.
  BpVariable(const VORN_Variable& variable, int show);
  ~BpVariable() override;

  std::unique_ptr<BpCellText> Clone() const override;
  output::Label ToLabel(const FacSTDictionary* strings) const override;

private:
  std::string fName;
  std::string fLabel;
  Show fShow;
};
