// Construction and comparison of output labels.
#include "output/Label.h"

namespace output {

const char* LabelKindName(LabelKind kind) {
  switch (kind) {
  case LabelKind::kString:
    return "string";
  case LabelKind::kNumber:
    return "number";
  case LabelKind::kVariable:
    return "variable";
  case LabelKind::kValue:
    return "value";
  case LabelKind::kComposite:
    return "composite";
  case LabelKind::kList:
    return "list";
  }
  return "string";
}

const char* TextStyleName(TextStyle style) {
  switch (style) {
  case TextStyle::kPlain:
    return "plain";
  case TextStyle::kItalic:
    return "italic";
  case TextStyle::kSubscript:
    return "subscript";
  case TextStyle::kSuperscript:
    return "superscript";
  }
  return "plain";
}

Label Label::PlainText(std::string text) {
  Label label;
  label.fText = std::move(text);
  return label;
}

Label Label::Translated(std::string key, std::string shown, bool untranslated) {
  Label label;
  label.fKey = std::move(key);
  label.fText = std::move(shown);
  label.fTranslatable = true;
  label.fUntranslated = untranslated;
  return label;
}

Label Label::Number(std::optional<double> value, const NumberFormat& format, std::string shown) {
  Label label;
  label.fKind = LabelKind::kNumber;
  label.fNumber = value;
  label.fFormat = format;
  label.fText = std::move(shown);
  return label;
}

Label Label::Variable(std::string name, std::string variableLabel, std::string shown) {
  Label label;
  label.fKind = LabelKind::kVariable;
  label.fVariable = std::move(name);
  label.fVariableLabel = std::move(variableLabel);
  label.fText = std::move(shown);
  return label;
}

Label Label::NumericValue(std::string variable, std::optional<double> value,
                          std::string printFormat, std::string shown) {
  Label label;
  label.fKind = LabelKind::kValue;
  label.fVariable = std::move(variable);
  label.fNumber = value;
  label.fPrintFormat = std::move(printFormat);
  label.fText = std::move(shown);
  return label;
}

Label Label::StringValue(std::string variable, std::string value, std::string shown) {
  Label label;
  label.fKind = LabelKind::kValue;
  label.fVariable = std::move(variable);
  label.fStringValue = std::move(value);
  label.fText = std::move(shown);
  return label;
}

Label Label::Composite(std::string format, std::string shown, bool translatable, bool untranslated,
                       std::vector<Label> items) {
  Label label;
  label.fKind = LabelKind::kComposite;
  label.fKey = std::move(format);
  label.fText = std::move(shown);
  label.fTranslatable = translatable;
  label.fUntranslated = translatable && untranslated;
  label.fItems = std::move(items);
  return label;
}

Label Label::List(std::vector<Label> items, std::string shown) {
  Label label;
  label.fKind = LabelKind::kList;
  label.fItems = std::move(items);
  label.fText = std::move(shown);
  return label;
}

const std::string& Label::PathText() const {
  if (fKey && fTranslatable && fItems.empty()) {
    return *fKey;
  }
  return fText;
}

bool Label::operator==(const Label& other) const {
  return fKind == other.fKind && fText == other.fText && fKey == other.fKey &&
         fTranslatable == other.fTranslatable && fNumber == other.fNumber &&
         fStringValue == other.fStringValue && fFormat == other.fFormat &&
         fPrintFormat == other.fPrintFormat && fVariable == other.fVariable &&
         fVariableLabel == other.fVariableLabel && fItems == other.fItems && fRuns == other.fRuns;
}

} // namespace output
