// Checks the variables that one parameter of a command names against the data, and gives their
// dictionary indexes. Problems go to the command descriptor's message log when error reporting is
// on (the default).
#pragma once

#include <string>
#include <vector>

class CommandDescriptor;
class VORN_DataSource;

class VarSpecObj {
public:
  // What ValidateVariables does with a variable named twice.
  enum RepeatOption {
    kRepeatIsError = 1, // refused, with a message
    kRepeatKept = 2,    // kept as often as named
    kRepeatDropped = 3  // kept once, at its first place, silently
  };

  // `paramName` and `subComName` name the parameter in messages ("TEST" in "INDEPENDENT").
  // The descriptor and the data source are borrowed; either may be null (without a data source
  // every name is invalid). With `numericOnly`, string variables are invalid.
  VarSpecObj(std::string paramName, std::string subComName, const CommandDescriptor* descriptor,
             VORN_DataSource* dataSource, bool numericOnly);
  ~VarSpecObj();

  void SetErrorReport(bool report) { fReport = report; }

  // Resolves `names` (with TO ranges and ALL) into the valid list. True when every name is valid
  // and, with kRepeatIsError, none is repeated; the valid list then holds the indexes (with
  // other options or on failure it holds the valid ones). An empty list is not valid.
  bool ValidateVariables(const std::vector<std::string>& names, int repeatOption);
  const std::vector<int>& GetValidVarList() const { return fValid; }

  // The index of one variable, or -1 when it is not valid; a valid one is added to the valid list.
  int ValidateVariable(const std::string& name);

  // False, reporting the first shared variable, when this specification and `other` name a
  // common variable.
  bool CheckCommonVars(const VarSpecObj& other);

private:
  void Report(const std::string& text) const;
  bool IsUsable(int index, std::string& problem) const;

  std::string fParamName;
  std::string fSubComName;
  const CommandDescriptor* fDescriptor;
  VORN_DataSource* fDataSource;
  bool fNumericOnly;
  bool fReport = true;
  std::vector<int> fValid;
};
