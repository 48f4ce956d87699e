// One parameter as written, and the readers that the procedures use on it.
#include "parser/ParamObj.h"

#include "parser/ParamDescriptor.h"

#include <cmath>
#include <limits>
#include <utility>

ParamObj::ParamObj(Kind kind, std::string name, int line, int column)
    : fKind(kind), fName(std::move(name)), fLine(line), fColumn(column) {}

ParamObj::~ParamObj() = default;

ParamObj& ParamObj::AddItem(std::unique_ptr<ParamObj> item) {
  fItems.push_back(std::move(item));
  return *fItems.back();
}

const ParamObj* ParamObj::GetItem(std::size_t index) const {
  return index < fItems.size() ? fItems[index].get() : nullptr;
}

const ParamObj* ParamObj::SingleItem() const {
  return fItems.size() == 1 ? fItems.front().get() : nullptr;
}

bool ParamObj::getVarList(std::vector<std::string>& names) const {
  if (fItems.empty())
    return false;
  for (const auto& item : fItems)
    if (item->fKind != Kind::kVariable)
      return false;
  std::vector<std::string> read;
  for (const auto& item : fItems)
    read.push_back(item->fName);
  names = std::move(read);
  return true;
}

bool ParamObj::getVarName(std::string& name) const {
  const ParamObj* item = SingleItem();
  if (item == nullptr || item->fKind != Kind::kVariable)
    return false;
  name = item->fName;
  return true;
}

bool ParamObj::getStringQualList(const ParamDescriptor* descriptor,
                                 std::vector<const ParamObj*>& list) const {
  std::vector<const ParamObj*> read;
  for (const auto& item : fItems) {
    if (item->fKind != Kind::kKeyword)
      return false;
    if (descriptor != nullptr && descriptor->getParamDesc(item->fName) == nullptr)
      return false;
    read.push_back(item.get());
  }
  list = std::move(read);
  return true;
}

bool ParamObj::getStringAndQual(const ParamObj*& item) const {
  const ParamObj* single = SingleItem();
  if (single == nullptr)
    return false;
  item = single;
  return true;
}

bool ParamObj::isStringValueCase(const std::string& text) const {
  const ParamObj* item = SingleItem();
  if (item == nullptr)
    return false;
  switch (item->fKind) {
  case Kind::kWord:
  case Kind::kString:
    return SameKeyword(item->fName, text);
  case Kind::kKeyword:
    // Where any keyword may stand, a value word is read as a keyword written alone.
    return item->isLeadingToken() && SameKeyword(item->fName, text);
  case Kind::kVariable:
  case Kind::kNumber:
    return false;
  }
  return false;
}

bool ParamObj::getIntegerValue(int& value) const {
  const ParamObj* item = SingleItem();
  if (item == nullptr || item->fKind != Kind::kNumber)
    return false;
  const double number = item->fNumber;
  if (number != std::floor(number) || number < std::numeric_limits<int>::min() ||
      number > std::numeric_limits<int>::max())
    return false;
  value = static_cast<int>(number);
  return true;
}

bool ParamObj::getNumberValue(double& value) const {
  const ParamObj* item = SingleItem();
  if (item == nullptr || item->fKind != Kind::kNumber)
    return false;
  value = item->fNumber;
  return true;
}

const ParamObj* ParamObj::getParamObj(const std::string& name,
                                      const std::vector<const ParamObj*>& list) {
  for (const ParamObj* param : list)
    if (param != nullptr && SameKeyword(param->fName, name))
      return param;
  return nullptr;
}
