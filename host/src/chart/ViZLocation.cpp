// A location's part, method, value and target, written with the grammar's names.
#include "chart/ViZLocation.h"

#include "ViZEdit.h"
#include "ViZNode.h"

#include "chart/ChartError.h"

namespace {

constexpr const char* kPartNames[] = {"left", "right", "top", "bottom", "height", "width"};
constexpr const char* kMethodNames[] = {"fixed", "sizeToContent", "same", "attach"};

} // namespace

const char* ViZLocationPartName(int part) {
  if (part < ViZLocation::kLeft || part > ViZLocation::kWidth)
    throw ChartError("a location part must be 0 to 5, not " + std::to_string(part));
  return kPartNames[part];
}

void ViZLocation::setPart(int part) {
  node().SetAttribute("part", ViZLocationPartName(part));
}

void ViZLocation::setMethod(int method) {
  if (method < kFixed || method > kAttach)
    throw ChartError("a location method must be 0 to 3, not " + std::to_string(method));
  node().SetAttribute("method", kMethodNames[method]);
}

void ViZLocation::setValue(const ChartString& value) {
  node().SetAttribute("value", value.toUTF8());
}

void ViZLocation::setTarget(const ViZElement& target) {
  node().SetAttribute("target", EnsureNodeId(target.node()));
}

void ViZLocation::setSpecifiedByUser(bool specified) {
  if (specified)
    node().SetAttribute("specifiedByUser", "true");
  else
    node().RemoveAttribute("specifiedByUser");
}
