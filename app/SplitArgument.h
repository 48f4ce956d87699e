// One --split argument: the split variables of one document and the group's value of each, and how
// they become the split part of the document's info block.
#pragma once

#include <string>
#include <vector>

class CFStatXMLInfoBlock;
class VORN_DataSource;

class SplitArgument {
public:
  struct Assignment {
    std::string fVariable;
    std::string fValue;
  };

  // Reads "VAR=VALUE[,VAR=VALUE...]". Blanks around names and values are dropped; a value may be
  // quoted ('a b' or "a,b") to keep blanks or commas. Returns false with `error` saying what is
  // wrong (an empty part, no "=", a name given twice); `split` is then unspecified.
  static bool Parse(const std::string& text, SplitArgument& split, std::string& error);

  const std::vector<Assignment>& Assignments() const { return fAssignments; }
  // The variable names in order, for checking that every document is split by the same variables.
  std::vector<std::string> VariableNames() const;

  // Looks the variables up in `dictionary` and adds each value to `block` (numbers for numeric
  // variables, texts for strings). Returns false with `error` when a variable is unknown or a value
  // does not fit its variable; `block` may then hold some of the values.
  bool Apply(const VORN_DataSource& dictionary, CFStatXMLInfoBlock& block,
             std::string& error) const;

private:
  std::vector<Assignment> fAssignments;
};
