// The tree of a loaded document and the handles and iterators that point into it.
#include "XMLDocument.h"

#include "xml/SDOMXMLIterator.h"
#include "xml/SDOMXMLWrapper.h"

#include <xercesc/util/XMLString.hpp>

namespace xmlwrap {

Cursor::Cursor(Document& document, xercesc::DOMElement& parent, XString name)
    : fDocument(document), fParent(parent), fName(std::move(name)) {
  Rewind();
}

void Cursor::Rewind() {
  fNext = FirstMatchFrom(fParent.getFirstElementChild());
}

SDOMXMLWrapper* Cursor::Take() {
  if (fNext == nullptr)
    return nullptr;
  xercesc::DOMElement* current = fNext;
  // Each sibling is looked at once per walk, so a whole walk is linear in the number of children.
  fNext = FirstMatchFrom(current->getNextElementSibling());
  return fDocument.HandleFor(*current);
}

xercesc::DOMElement* Cursor::FirstMatchFrom(xercesc::DOMElement* start) const {
  for (xercesc::DOMElement* e = start; e != nullptr; e = e->getNextElementSibling()) {
    if (fName.empty() || xercesc::XMLString::equals(e->getTagName(), fName.c_str()))
      return e;
  }
  return nullptr;
}

Document::Document(ParsedDocument parsed)
    : fLibrary(std::move(parsed.library)), fTree(std::move(parsed.tree)) {}

// Handles and iterators go before the tree they point into (member order); their own destructors
// never touch the tree.
Document::~Document() = default;

SDOMXMLWrapper* Document::HandleFor(xercesc::DOMElement& element) {
  std::unique_ptr<SDOMXMLWrapper>& slot = fHandles[&element];
  if (!slot) {
    auto state = std::make_unique<WrapperState>();
    state->document = this;
    state->element = &element;
    slot.reset(new SDOMXMLWrapper(std::move(state)));
  }
  return slot.get();
}

SDOMXMLIterator* Document::IteratorFor(xercesc::DOMElement& parent, XString name) {
  auto key = std::make_pair(static_cast<const xercesc::DOMElement*>(&parent), name);
  std::unique_ptr<SDOMXMLIterator>& slot = fIterators[std::move(key)];
  if (slot) {
    slot->fCursor->Rewind();
  } else {
    slot.reset(new SDOMXMLIterator(std::make_unique<Cursor>(*this, parent, std::move(name))));
  }
  return slot.get();
}

} // namespace xmlwrap
