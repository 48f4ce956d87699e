// Variable lists with TO ranges and ALL.
#include "parser/VarListExpander.h"

#include "dict/VORN_DataSource.h"
#include "parser/ParamDescriptor.h"

namespace {

void Fail(VarListExpander::Result& result, std::size_t position, std::string problem) {
  if (!result.fOk)
    return; // the first problem is the one worth reporting
  result.fOk = false;
  result.fBadPosition = position;
  result.fProblem = std::move(problem);
}

void Add(VarListExpander::Result& result, int index, std::size_t origin) {
  result.fIndexes.push_back(index);
  result.fOrigins.push_back(origin);
}

} // namespace

VarListExpander::Result VarListExpander::Expand(const std::vector<std::string>& names,
                                                const VORN_DataSource& dataSource) {
  Result result;
  for (std::size_t i = 0; i < names.size(); ++i) {
    const std::string& name = names[i];
    if (SameKeyword(name, "ALL")) {
      for (int v = 0; v < dataSource.GetVariableCount(); ++v)
        Add(result, v, i);
      continue;
    }
    if (SameKeyword(name, "TO")) {
      Fail(result, i, "TO must stand between two variable names");
      continue;
    }
    const int first = dataSource.FindVarIndex(name, 0);
    if (first < 0) {
      Fail(result, i, "there is no variable " + name + " in the data");
      if (i + 1 < names.size() && SameKeyword(names[i + 1], "TO"))
        i += 2; // the range is unusable as a whole
      continue;
    }
    if (i + 1 >= names.size() || !SameKeyword(names[i + 1], "TO")) {
      Add(result, first, i);
      continue;
    }
    if (i + 2 >= names.size() || SameKeyword(names[i + 2], "ALL") ||
        SameKeyword(names[i + 2], "TO")) {
      Fail(result, i + 1, "TO must stand between two variable names");
      i += 1;
      continue;
    }
    const int last = dataSource.FindVarIndex(names[i + 2], 0);
    if (last < 0) {
      Fail(result, i + 2, "there is no variable " + names[i + 2] + " in the data");
    } else if (last < first) {
      Fail(result, i + 2,
           "the range " + name + " TO " + names[i + 2] + " runs backwards: " + names[i + 2] +
               " comes before " + name + " in the data");
    } else {
      for (int v = first; v <= last; ++v)
        Add(result, v, i);
    }
    i += 2;
  }
  return result;
}
