// The XML wrapper: loading, path look-ups, child iteration, attributes and text of elements.
#include "xml/SDOMXMLWrapper.h"

#include "XMLDocument.h"
#include "XMLText.h"

#include "xml/SDOMXMLIterator.h"

#include <new>
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

SDOMXMLWrapper::SDOMXMLWrapper() : fLoader(std::make_unique<xmlwrap::LoaderState>()) {}

SDOMXMLWrapper::SDOMXMLWrapper(xmlwrap::Document* document, std::uint32_t node)
    : fDocument(document), fNode(node) {}

SDOMXMLWrapper::~SDOMXMLWrapper() = default;

int SDOMXMLWrapper::LoadFromString(const std::string& text) {
  if (!fLoader) {
    // A handle: it gets a place for the failure now. Should even that allocation fail, the
    // failure goes unexplained, but nothing throws.
    try {
      fLoader = std::make_unique<xmlwrap::LoaderState>();
      fLoader->lastError =
          SDOMXMLError{0, 0, "a handle into a document cannot load another document"};
    } catch (const std::bad_alloc&) {
    }
    return 0;
  }
  xmlwrap::LoaderState& s = *fLoader;
  if (fDocument != nullptr && !s.owned) {
    s.lastError = SDOMXMLError{0, 0, "a handle into a document cannot load another document"};
    return 0;
  }
  // The old document goes first, so that two full trees are never held at once.
  fNode = xmlwrap::kNoNode;
  fDocument = nullptr;
  s.owned.reset();
  try {
    auto document = std::make_unique<xmlwrap::Document>();
    if (!document->Load(text, s.lastError))
      return 0;
    s.owned = std::move(document);
    fDocument = s.owned.get();
    fNode = fDocument->Tree().Root();
    return 1;
  } catch (...) {
    // Only allocation can fail here: loading itself never throws.
    s.lastError = SDOMXMLError{0, 0, "out of memory while reading the document"};
    return 0;
  }
}

const SDOMXMLError& SDOMXMLWrapper::GetLastError() const {
  static const SDOMXMLError kNone{};
  return fLoader ? fLoader->lastError : kNone;
}

std::string SDOMXMLWrapper::GetName() const {
  if (fNode == xmlwrap::kNoNode)
    return {};
  const CompactTree& tree = fDocument->Tree();
  return tree.NameOf(tree.At(fNode).name);
}

bool SDOMXMLWrapper::GetFirstElement(const std::string& path, SDOMXMLWrapper** out,
                                     bool /*keepHandle*/) {
  if (out == nullptr || fNode == xmlwrap::kNoNode)
    return false;
  try {
    const CompactTree& tree = fDocument->Tree();
    std::vector<NameId> steps;
    if (!SplitPath(tree, path, steps))
      return false;
    const NodeIndex found = FindPath(tree, fNode, steps, 0);
    if (found == xmlwrap::kNoNode)
      return false;
    *out = fDocument->HandleFor(found);
    return true;
  } catch (...) {
    return false;
  }
}

bool SDOMXMLWrapper::GetElementIterator(const std::string& name, SDOMXMLIterator** out,
                                        bool /*keepHandle*/) {
  if (out == nullptr || fNode == xmlwrap::kNoNode)
    return false;
  try {
    const NameId id = name.empty() ? xmlwrap::kAnyName : fDocument->Tree().FindName(name);
    *out = fDocument->IteratorFor(fNode, id);
    return true;
  } catch (...) {
    return false;
  }
}

bool SDOMXMLWrapper::GetAttribute(const std::string& name, std::string& value) const {
  if (fNode == xmlwrap::kNoNode)
    return false;
  try {
    std::string_view found;
    if (!fDocument->Tree().Attribute(fNode, name, found))
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
  if (fNode == xmlwrap::kNoNode)
    return false;
  try {
    text.assign(fDocument->Tree().Text(fNode));
    return true;
  } catch (...) {
    return false;
  }
}
