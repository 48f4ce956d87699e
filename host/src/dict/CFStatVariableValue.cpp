// A variable's value made from text, in the variable's case-value form.
#include "dict/CFStatVariableValue.h"

#include "dict/VORN_Format.h"
#include "dict/VORN_Variable.h"
#include "text/TextFunctions.h"
#include "text/VORN_SystemMissing.h"

#include <algorithm>
#include <cstring>

CFStatVariableValue::CFStatVariableValue() : fUnits(1) {
  fUnits[0].f = VORN_SystemMissing();
}

bool CFStatVariableValue::SetCompleteValue(const std::string& text, const VORN_Variable* variable,
                                           int /*flags*/) {
  fVariable = variable;
  fType = variable != nullptr ? variable->GetType() : 0;
  fUnits.assign(static_cast<std::size_t>(ObsLength(fType)), OBS{});
  if (fType == 0) {
    double value = String2Double(text);
    fUnits[0].f = value;
    return value != VORN_SystemMissing();
  }
  // Blank-pad to the whole of the units so that no byte is left undefined.
  char* bytes = fUnits[0].s;
  std::size_t capacity = fUnits.size() * sizeof(OBS);
  std::memset(bytes, ' ', capacity);
  std::size_t width = std::min(static_cast<std::size_t>(fType), text.size());
  std::memcpy(bytes, text.data(), width);
  return width == text.size();
}

double CFStatVariableValue::GetNumber() const {
  return fType == 0 ? fUnits[0].f : VORN_SystemMissing();
}

std::string CFStatVariableValue::GetStringValue() const {
  if (fType > 0) {
    std::string text(fUnits[0].s, static_cast<std::size_t>(fType));
    std::string::size_type end = text.find_last_not_of(' ');
    return end == std::string::npos ? std::string() : text.substr(0, end + 1);
  }
  // A numeric variable with a string print format (a broken dictionary) is shown as F8.2.
  VORN_Format format = fVariable != nullptr ? fVariable->GetFormat() : VORN_Format();
  if (format.IsString())
    format = VORN_Format();
  return FormatValue(fUnits[0].f, format);
}
