// One subcommand as written.
#include "parser/SubComObj.h"

#include "parser/ParamDescriptor.h"

#include <utility>

SubComObj::SubComObj(std::string name, int line, int column)
    : fName(std::move(name)), fLine(line), fColumn(column) {}

SubComObj::~SubComObj() = default;

ParamObj& SubComObj::AddParam(std::unique_ptr<ParamObj> param) {
  fParams.push_back(std::move(param));
  return *fParams.back();
}

const ParamObj* SubComObj::GetParam(std::size_t index) const {
  return index < fParams.size() ? fParams[index].get() : nullptr;
}

const ParamObj* SubComObj::getParamObj(const std::string& name) const {
  for (const auto& param : fParams)
    if (SameKeyword(param->getParamName(), name))
      return param.get();
  return nullptr;
}
