// The XML wrapper: loading, path look-ups, child iteration, attributes and text of elements.
#include "xml/SDOMXMLWrapper.h"

#include "XMLDocument.h"
#include "XMLText.h"

#include "xml/SDOMXMLIterator.h"

#include <string_view>
#include <vector>

using xmlwrap::CompactTree;
using xmlwrap::NameId;
using xmlwrap::NodeIndex;

namespace {

// Splits "A/B/C" into the ids of its steps; false for an empty path or an empty step. A step the
// document never names gets kUnknownName, which matches nothing.
bool SplitPath(const CompactTree& tree, std::string_view path, std::vector<NameId>& steps) {
  while (true) {
    const std::size_t slash = path.find('/');
    const std::string_view step = path.substr(0, slash);
    if (step.empty())
      return false;
    steps.push_back(tree.FindName(step));
    if (slash == std::string_view::npos)
      return true;
    path.remove_prefix(slash + 1);
  }
}

// Depth-first in document order, so the first match found is the first in the document. Every
// element below `from` is looked at once at most, and the recursion is no deeper than the path.
NodeIndex FindPath(const CompactTree& tree, NodeIndex from, const std::vector<NameId>& steps,
                   std::size_t step) {
  for (NodeIndex child = tree.At(from).firstChild; child != xmlwrap::kNoNode;
       child = tree.At(child).nextSibling) {
    if (tree.At(child).name != steps[step])
      continue;
    if (step + 1 == steps.size())
      return child;
    const NodeIndex found = FindPath(tree, child, steps, step + 1);
    if (found != xmlwrap::kNoNode)
      return found;
  }
  return xmlwrap::kNoNode;
}

} // namespace

SDOMXMLWrapper::SDOMXMLWrapper() : fState(std::make_unique<xmlwrap::WrapperState>()) {}

SDOMXMLWrapper::SDOMXMLWrapper(std::unique_ptr<xmlwrap::WrapperState> state)
    : fState(std::move(state)) {}

SDOMXMLWrapper::~SDOMXMLWrapper() = default;

int SDOMXMLWrapper::LoadFromString(const std::string& text) {
  xmlwrap::WrapperState& s = *fState;
  if (s.document != nullptr && !s.owned) {
    s.lastError = SDOMXMLError{0, 0, "a handle into a document cannot load another document"};
    return 0;
  }
  // The old document goes first, so that two full trees are never held at once.
  s.node = xmlwrap::kNoNode;
  s.document = nullptr;
  s.owned.reset();
  try {
    auto document = std::make_unique<xmlwrap::Document>();
    if (!document->Load(text, s.lastError))
      return 0;
    s.owned = std::move(document);
    s.document = s.owned.get();
    s.node = s.document->Tree().Root();
    return 1;
  } catch (...) {
    // Only allocation can fail here: loading itself never throws.
    s.lastError = SDOMXMLError{0, 0, "out of memory while reading the document"};
    return 0;
  }
}

const SDOMXMLError& SDOMXMLWrapper::GetLastError() const {
  return fState->lastError;
}

std::string SDOMXMLWrapper::GetName() const {
  if (fState->node == xmlwrap::kNoNode)
    return {};
  const CompactTree& tree = fState->document->Tree();
  return tree.NameOf(tree.At(fState->node).name);
}

bool SDOMXMLWrapper::GetFirstElement(const std::string& path, SDOMXMLWrapper** out,
                                     bool /*keepHandle*/) {
  if (out == nullptr || fState->node == xmlwrap::kNoNode)
    return false;
  try {
    const CompactTree& tree = fState->document->Tree();
    std::vector<NameId> steps;
    if (!SplitPath(tree, path, steps))
      return false;
    const NodeIndex found = FindPath(tree, fState->node, steps, 0);
    if (found == xmlwrap::kNoNode)
      return false;
    *out = fState->document->HandleFor(found);
    return true;
  } catch (...) {
    return false;
  }
}

bool SDOMXMLWrapper::GetElementIterator(const std::string& name, SDOMXMLIterator** out,
                                        bool /*keepHandle*/) {
  if (out == nullptr || fState->node == xmlwrap::kNoNode)
    return false;
  try {
    const NameId id = name.empty() ? xmlwrap::kAnyName : fState->document->Tree().FindName(name);
    *out = fState->document->IteratorFor(fState->node, id);
    return true;
  } catch (...) {
    return false;
  }
}

bool SDOMXMLWrapper::GetAttribute(const std::string& name, std::string& value) const {
  if (fState->node == xmlwrap::kNoNode)
    return false;
  try {
    std::string_view found;
    if (!fState->document->Tree().Attribute(fState->node, name, found))
      return false;
    value.assign(found);
    return true;
  } catch (...) {
    return false;
  }
}

bool SDOMXMLWrapper::GetAttribute(const std::string& name, int& value) const {
  std::string text;
  return GetAttribute(name, text) && xmlwrap::ParseIntText(text, value);
}

bool SDOMXMLWrapper::GetAttribute(const std::string& name, double& value) const {
  std::string text;
  return GetAttribute(name, text) && xmlwrap::ParseDoubleText(text, value);
}

bool SDOMXMLWrapper::GetTextBody(std::string& text) const {
  if (fState->node == xmlwrap::kNoNode)
    return false;
  try {
    text.assign(fState->document->Tree().Text(fState->node));
    return true;
  } catch (...) {
    return false;
  }
}
