// The base of the ViZ* handles: a light handle on one element of a chart document's element tree.
// Handles are values; copying one copies the handle, not the element. An element lives as long as
// its document, and a handle must not be used after the document is gone.
//
// A handle that names no element (a graph asked for past the last one, say) is invalid; every
// operation on an invalid handle throws ChartError, which ends the chart quietly.
#pragma once

#include "chart/ChartString.h"

#include <string>

struct ViZNode;

class ViZElement {
public:
  ViZElement() = default;
  explicit ViZElement(ViZNode* node) : fNode(node) {}

  bool isValid() const { return fNode != nullptr; }
  // The element's name in the grammar ("graph", "labelFrame", ...).
  std::string getElementName() const;
  // The element's id attribute (empty when it has none).
  ChartString getId() const;
  void setId(const ChartString& id);

  // For the document model: the element itself. Throws ChartError on an invalid handle.
  ViZNode& node() const;

protected:
  // Gives the element an id when it has none ("<name><n>", unique in the document) and returns
  // it, so that other elements can point at it.
  std::string ensureId() const;

  ViZNode* fNode = nullptr;
};
