// One subcommand as the user wrote it: its name and its parameters in order.
#pragma once

#include "parser/ParamObj.h"

#include <memory>
#include <string>
#include <vector>

class SubComObj {
public:
  SubComObj(std::string name, int line, int column);
  ~SubComObj();
  SubComObj(const SubComObj&) = delete;
  SubComObj& operator=(const SubComObj&) = delete;

  // Takes ownership of the parameter.
  ParamObj& AddParam(std::unique_ptr<ParamObj> param);

  const std::string& GetName() const { return fName; }
  int GetLine() const { return fLine; }
  int GetColumn() const { return fColumn; }
  std::size_t GetParamCount() const { return fParams.size(); }
  // The parameter at a position, or null when out of range. The subcommand owns it.
  const ParamObj* GetParam(std::size_t index) const;

  // The parameter of that name (any case), or null when the user did not write it.
  const ParamObj* getParamObj(const std::string& name) const;

private:
  std::string fName;
  int fLine;
  int fColumn;
  std::vector<std::unique_ptr<ParamObj>> fParams;
};
