// The XML wrapper: loading, path look-ups, child iteration, attributes and text of elements.
#include "xml/SDOMXMLWrapper.h"

#include "SafeDOMParser.h"
#include "XMLDocument.h"
#include "XMLText.h"

#include "xml/SDOMXMLIterator.h"

#include <xercesc/dom/DOMAttr.hpp>
#include <xercesc/dom/DOMNode.hpp>
#include <xercesc/util/XMLString.hpp>

#include <vector>

using xmlwrap::XString;

namespace {

// Splits "A/B/C" into its steps; false for an empty path or an empty step.
bool SplitPath(const std::string& path, std::vector<XString>& steps) {
  std::size_t begin = 0;
  while (true) {
    const std::size_t slash = path.find('/', begin);
    const std::string step = path.substr(begin, slash == std::string::npos ? slash : slash - begin);
    XString x;
    if (step.empty() || !xmlwrap::Utf8ToX(step, x))
      return false;
    steps.push_back(std::move(x));
    if (slash == std::string::npos)
      return true;
    begin = slash + 1;
  }
}

// Depth-first in document order, so the first match found is the first in the document. Every
// element below `from` is looked at once at most, and the recursion is no deeper than the path.
xercesc::DOMElement* FindPath(const xercesc::DOMElement& from, const std::vector<XString>& steps,
                              std::size_t step) {
  for (xercesc::DOMElement* child = from.getFirstElementChild(); child != nullptr;
       child = child->getNextElementSibling()) {
    if (!xercesc::XMLString::equals(child->getTagName(), steps[step].c_str()))
      continue;
    if (step + 1 == steps.size())
      return child;
    if (xercesc::DOMElement* found = FindPath(*child, steps, step + 1))
      return found;
  }
  return nullptr;
}

// The attribute's text, or false when absent (an attribute present with an empty value is true).
bool AttributeText(const xercesc::DOMElement* element, const std::string& name,
                   std::string& value) {
  XString xname;
  if (element == nullptr || !xmlwrap::Utf8ToX(name, xname))
    return false;
  const xercesc::DOMAttr* attr = element->getAttributeNode(xname.c_str());
  if (attr == nullptr)
    return false;
  value = xmlwrap::XToUtf8(attr->getValue());
  return true;
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
  s.element = nullptr;
  s.document = nullptr;
  s.owned.reset();
  try {
    xmlwrap::ParsedDocument parsed = xmlwrap::ParseDocument(text, s.lastError);
    if (parsed.tree == nullptr)
      return 0;
    s.owned = std::make_unique<xmlwrap::Document>(std::move(parsed));
    s.document = s.owned.get();
    s.element = s.document->Root();
    return 1;
  } catch (...) {
    // Only allocation can fail here: ParseDocument itself never throws.
    s.lastError = SDOMXMLError{0, 0, "out of memory while reading the document"};
    return 0;
  }
}

const SDOMXMLError& SDOMXMLWrapper::GetLastError() const {
  return fState->lastError;
}

std::string SDOMXMLWrapper::GetName() const {
  if (fState->element == nullptr)
    return {};
  try {
    return xmlwrap::XToUtf8(fState->element->getTagName());
  } catch (...) {
    return {};
  }
}

bool SDOMXMLWrapper::GetFirstElement(const std::string& path, SDOMXMLWrapper** out,
                                     bool /*keepHandle*/) {
  if (out == nullptr || fState->element == nullptr)
    return false;
  try {
    std::vector<XString> steps;
    if (!SplitPath(path, steps))
      return false;
    xercesc::DOMElement* found = FindPath(*fState->element, steps, 0);
    if (found == nullptr)
      return false;
    *out = fState->document->HandleFor(*found);
    return true;
  } catch (...) {
    return false;
  }
}

bool SDOMXMLWrapper::GetElementIterator(const std::string& name, SDOMXMLIterator** out,
                                        bool /*keepHandle*/) {
  if (out == nullptr || fState->element == nullptr)
    return false;
  try {
    XString xname;
    if (!xmlwrap::Utf8ToX(name, xname))
      return false;
    *out = fState->document->IteratorFor(*fState->element, std::move(xname));
    return true;
  } catch (...) {
    return false;
  }
}

bool SDOMXMLWrapper::GetAttribute(const std::string& name, std::string& value) const {
  try {
    return AttributeText(fState->element, name, value);
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
  if (fState->element == nullptr)
    return false;
  try {
    XString body;
    for (const xercesc::DOMNode* child = fState->element->getFirstChild(); child != nullptr;
         child = child->getNextSibling()) {
      const auto type = child->getNodeType();
      if (type == xercesc::DOMNode::TEXT_NODE || type == xercesc::DOMNode::CDATA_SECTION_NODE)
        body += child->getNodeValue();
    }
    text = xmlwrap::XToUtf8(body.data(), body.size());
    return true;
  } catch (...) {
    return false;
  }
}
