// The loaded tree behind an SDOMXMLWrapper, with every handle and iterator handed out from it.
#pragma once

#include "SafeDOMParser.h"
#include "XMLText.h"

#include "xml/SDOMXMLError.h"

#include <xercesc/dom/DOMDocument.hpp>
#include <xercesc/dom/DOMElement.hpp>

#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>

class SDOMXMLIterator;
class SDOMXMLWrapper;

namespace xmlwrap {

class Document;

// What one wrapper stands for. A wrapper that loaded owns its document; a handle only points into
// the document that owns it.
struct WrapperState {
  std::unique_ptr<Document> owned;
  Document* document = nullptr;
  xercesc::DOMElement* element = nullptr;
  SDOMXMLError lastError;
};

// The position of one iterator: the next matching child, or null when the walk is over.
class Cursor {
public:
  Cursor(Document& document, xercesc::DOMElement& parent, XString name);

  // Back to the first matching child.
  void Rewind();
  // The current match's handle, moving on to the next match; null when none is left.
  SDOMXMLWrapper* Take();

private:
  // The first element from start on (start included) whose tag matches; null when none.
  xercesc::DOMElement* FirstMatchFrom(xercesc::DOMElement* start) const;

  Document& fDocument;
  xercesc::DOMElement& fParent;
  XString fName; // empty: every child element
  xercesc::DOMElement* fNext = nullptr;
};

// Owns the parsed tree and, per element, at most one handle and one iterator per tag name, so
// whatever callers ask for repeatedly, memory stays bounded by the document.
class Document {
public:
  // Adopts the tree, which is released when the document goes, and holds the parser library
  // until then.
  explicit Document(ParsedDocument parsed);
  ~Document();
  Document(const Document&) = delete;
  Document& operator=(const Document&) = delete;

  xercesc::DOMElement* Root() const { return fTree->getDocumentElement(); }

  // The handle standing for the element, created on first request.
  SDOMXMLWrapper* HandleFor(xercesc::DOMElement& element);
  // The iterator over the element's children with this tag name, rewound.
  SDOMXMLIterator* IteratorFor(xercesc::DOMElement& parent, XString name);

private:
  // Members go in reverse order: iterators and handles, then the tree, then the library.
  std::shared_ptr<void> fLibrary;
  TreePtr fTree;
  std::unordered_map<const xercesc::DOMElement*, std::unique_ptr<SDOMXMLWrapper>> fHandles;
  std::map<std::pair<const xercesc::DOMElement*, XString>, std::unique_ptr<SDOMXMLIterator>>
      fIterators;
};

} // namespace xmlwrap
