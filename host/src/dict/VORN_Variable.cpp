// A dictionary variable; its default print format follows its type.
#include "dict/VORN_Variable.h"

#include <utility>

namespace {

VORN_Format DefaultFormat(int type) {
  if (type > 0)
    return VORN_Format(VORN_Format::kA, type, 0);
  return VORN_Format(VORN_Format::kF, 8, 2);
}

} // namespace

VORN_Variable::VORN_Variable(std::string name, int type)
    : VORN_Variable(std::move(name), type, DefaultFormat(type)) {}

VORN_Variable::VORN_Variable(std::string name, int type, const VORN_Format& format)
    : fName(std::move(name)), fType(type < 0 ? 0 : type), fFormat(format) {}
