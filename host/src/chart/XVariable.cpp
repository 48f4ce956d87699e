// A chart variable as the views set it up: everything it learns is written into its element of the
// document's tree (docs/chart-grammar.md, "Variables"), which is all the drawing reads.
#include "chart/XVariable.h"

#include "ViZEdit.h"
#include "ViZNode.h"

#include "dict/OBS.h"
#include "dict/VORN_Format.h"
#include "dict/VORN_Variable.h"

#include <string>

namespace {

ViZNode& FormatOf(ViZNode& variable) {
  return FirstOrNewChild(variable, "format");
}

void SetOrRemove(ViZNode& node, const char* attribute, const char16_t* text) {
  if (text == nullptr)
    node.RemoveAttribute(attribute);
  else
    node.SetAttribute(attribute, ChartString(text).toUTF8());
}

std::string StringValueText(const OBS& value, int width) {
  std::string text(reinterpret_cast<const char*>(&value), static_cast<std::size_t>(width));
  const std::size_t end = text.find_last_not_of(' ');
  text.erase(end == std::string::npos ? 0 : end + 1);
  // A string value of the dictionary may hold a NUL from its padding; what follows is not text.
  const std::size_t nul = text.find('\0');
  if (nul != std::string::npos)
    text.erase(nul);
  return text;
}

} // namespace

void XVariable::setVORNVariable(const VORN_Variable& variable) {
  if (fNode == nullptr)
    return;
  fNode->SetAttribute("dictionaryVariable", variable.GetName());
  fNode->SetAttribute("valueType", variable.IsString() ? "string" : "number");
  fNode->attachedStringWidth = variable.IsString() ? variable.GetType() : 0;
  fNode->SetAttribute("dictionaryFormat", variable.GetFormat().ToText());
  fNode->SetAttribute("label", ChartString(variable.GetPreferredLabel().c_str()).toUTF8());
}

void XVariable::setFormatBasedOnVORNVariable(const VORN_Variable& variable) {
  if (fNode != nullptr)
    fNode->SetAttribute("format", variable.GetFormat().ToText());
}

void XVariable::setLabel(const ChartString& label) {
  if (fNode != nullptr)
    fNode->SetAttribute("label", label.toUTF8());
}

void XVariable::setCategorical(bool categorical) {
  if (fNode != nullptr)
    fNode->SetAttribute("categorical", categorical ? "true" : "false");
}

void XVariable::SetFormatPrefix(const char16_t* prefix) {
  if (fNode != nullptr)
    SetOrRemove(FormatOf(*fNode), "prefix", prefix);
}

void XVariable::SetNumberFormat(unsigned long decimals, bool grouping, const char16_t* prefix,
                                const char16_t* suffix) {
  if (fNode == nullptr)
    return;
  ViZNode& format = FormatOf(*fNode);
  // More decimals than a double holds digits would only write noise.
  format.SetAttribute("decimals", std::to_string(decimals > 16 ? 16 : decimals));
  format.SetAttribute("grouping", grouping ? "true" : "false");
  SetOrRemove(format, "prefix", prefix);
  SetOrRemove(format, "suffix", suffix);
}

void XVariable::addRelabel(const ChartString& key, const ChartString& label) {
  if (fNode != nullptr)
    SetFormatRelabel(FormatOf(*fNode), "key", key.toUTF8(), label.toUTF8());
}

void XVariable::addRelabel(const ChartString& key, const OBS& value) {
  if (fNode == nullptr)
    return;
  std::string label;
  if (fNode->attachedStringWidth > 0) {
    label = ChartString(StringValueText(value, fNode->attachedStringWidth).c_str()).toUTF8();
  } else {
    // The value as the data shows it: in the attached variable's print format (dates as dates),
    // else as a plain number.
    VORN_Format format;
    const std::string* formatText = fNode->Attribute("dictionaryFormat");
    if (formatText != nullptr && VORN_Format::FromText(*formatText, format) && !format.IsString())
      label = FormatValue(value.f, format);
    else
      label = ChartString().assignDouble(value.f, 16).toUTF8();
  }
  SetFormatRelabel(FormatOf(*fNode), "key", key.toUTF8(), label);
}

void XVariable::addRelabel(int index, const ChartString& label) {
  if (fNode != nullptr)
    SetFormatRelabel(FormatOf(*fNode), "key", std::to_string(index), label.toUTF8());
}
