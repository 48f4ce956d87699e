// The grammar of one subcommand.
#include "parser/SubComDescriptor.h"

#include <utility>

SubComDescriptor::SubComDescriptor(std::string name) : fName(UpperKeyword(name)) {}
SubComDescriptor::~SubComDescriptor() = default;
SubComDescriptor::SubComDescriptor(const SubComDescriptor&) = default;
SubComDescriptor& SubComDescriptor::operator=(const SubComDescriptor&) = default;
SubComDescriptor::SubComDescriptor(SubComDescriptor&&) noexcept = default;
SubComDescriptor& SubComDescriptor::operator=(SubComDescriptor&&) noexcept = default;

SubComDescriptor& SubComDescriptor::Param(ParamDescriptor param) {
  fParams.push_back(std::move(param));
  return *this;
}

SubComDescriptor& SubComDescriptor::AtLeastOneOf(std::vector<std::string> names) {
  for (std::string& name : names)
    fAtLeastOneOf.push_back(UpperKeyword(name));
  return *this;
}

const ParamDescriptor* SubComDescriptor::getParamDesc(const std::string& name) const {
  for (const ParamDescriptor& p : fParams)
    if (SameKeyword(p.GetName(), name))
      return &p;
  return nullptr;
}
