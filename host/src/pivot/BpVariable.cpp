// Variables as cell texts.
#include "pivot/BpVariable.h"

#include "dict/VORN_Variable.h"
#include "output/Label.h"

namespace {

BpVariable::Show ToShow(int show) {
  switch (show) {
  case BpVariable::kShowName:
    return BpVariable::kShowName;
  case BpVariable::kShowLabelAndName:
    return BpVariable::kShowLabelAndName;
  default:
    return BpVariable::kShowLabel;
  }
}

} // namespace

BpVariable::BpVariable(const VORN_Variable& variable, int show)
    : fName(variable.GetName()), fLabel(variable.GetLabel()), fShow(ToShow(show)) {}

BpVariable::~BpVariable() = default;

std::unique_ptr<BpCellText> BpVariable::Clone() const {
  return std::make_unique<BpVariable>(*this);
}

output::Label BpVariable::ToLabel(const FacSTDictionary*) const {
  std::string shown;
  switch (fShow) {
  case kShowName:
    shown = fName;
    break;
  case kShowLabelAndName:
    shown = fLabel.empty() ? fName : fLabel + " [" + fName + "]";
    break;
  case kShowLabel:
    shown = fLabel.empty() ? fName : fLabel;
    break;
  }
  return output::Label::Variable(fName, fLabel, std::move(shown));
}
