// The grammar of one subcommand: its parameters and which of them must be given.
#pragma once

#include "parser/ParamDescriptor.h"

#include <string>
#include <vector>

class SubComDescriptor {
public:
  explicit SubComDescriptor(std::string name);
  ~SubComDescriptor();
  SubComDescriptor(const SubComDescriptor&);
  SubComDescriptor& operator=(const SubComDescriptor&);
  SubComDescriptor(SubComDescriptor&&) noexcept;
  SubComDescriptor& operator=(SubComDescriptor&&) noexcept;

  SubComDescriptor& Param(ParamDescriptor param);
  // At least one of these parameters must be given (e.g. at least one test).
  SubComDescriptor& AtLeastOneOf(std::vector<std::string> names);

  const std::string& GetName() const { return fName; }
  const std::vector<ParamDescriptor>& GetParams() const { return fParams; }
  const std::vector<std::string>& GetAtLeastOneOf() const { return fAtLeastOneOf; }

  // The parameter of that name (any case), or null. The descriptor owns it.
  const ParamDescriptor* getParamDesc(const std::string& name) const;

private:
  std::string fName;
  std::vector<ParamDescriptor> fParams;
  std::vector<std::string> fAtLeastOneOf;
};
