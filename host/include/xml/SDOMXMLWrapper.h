// The host's XML wrapper: loads a document from text and gives read access to its elements, their
// attributes and text. The parser behind it stays out of sight of the wrapper's users.
#pragma once

#include "xml/SDOMXMLError.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

class SDOMXMLIterator;
namespace xmlwrap {
class Document;
struct LoaderState;
} // namespace xmlwrap

// A wrapper stands for one element. The wrapper a user creates stands for the root element once
// LoadFromString succeeded; every wrapper and iterator it hands out (a "handle") belongs to the
// loaded document and stays valid until that wrapper is destroyed or loads again. Users never
// delete handles.
//
// Documents are read with every DTD, entity and network feature off: a document with a DOCTYPE is
// refused, so no entity other than the five predefined ones and character references can occur
// and nothing outside the given text is ever read.
//
// No operation throws. Texts in and out are UTF-8. Not thread-safe: one document, one thread at a
// time (different wrappers may be used on different threads).
class SDOMXMLWrapper {
public:
  // Documents longer than this many bytes are refused before parsing.
  static constexpr std::size_t kMaxDocumentBytes = std::size_t{256} * 1024 * 1024;
  // Elements nested deeper than this (the root counts as level 1) make the document fail to load.
  static constexpr int kMaxNestingDepth = 256;

  SDOMXMLWrapper();
  // Releases the loaded document and every handle and iterator obtained from it.
  ~SDOMXMLWrapper();
  SDOMXMLWrapper(const SDOMXMLWrapper&) = delete;
  SDOMXMLWrapper& operator=(const SDOMXMLWrapper&) = delete;

  // Parses the text. Non-zero when it loaded; the wrapper then stands for the root element. Any
  // document loaded before is released first, with all its handles, whether or not this load
  // succeeds. On failure the wrapper stands for nothing and GetLastError tells why. A handle
  // cannot load (returns 0).
  int LoadFromString(const std::string& text);

  // The last load failure of this wrapper; empty after a successful load.
  const SDOMXMLError& GetLastError() const;

  // The tag name of the element; empty when the wrapper stands for nothing.
  std::string GetName() const;

  // The first element, in document order, reached by a path of child tag names joined by "/",
  // starting from this element's children: "A/B" is the first B child of any A child. The handle is
  // owned by the document; asking again for the same element gives the same handle. False, with
  // *out untouched, when nothing matches, when the path is empty or has an empty step ("A//B",
  // "/A", "A/"), when out is null or when the wrapper stands for nothing. keepHandle is accepted
  // for callers written against the flag; handles always belong to the document.
  bool GetFirstElement(const std::string& path, SDOMXMLWrapper** out, bool keepHandle = true);

  // An iterator over the child elements with this tag name (every child element for an empty name),
  // in document order; possibly over no element at all. The iterator is owned by the document.
  // Asking again with the same element and name returns the same iterator, rewound, so repeated
  // calls do not grow memory; two walks over the same element and name cannot be interleaved.
  // False, with *out untouched, only when out is null or the wrapper stands for nothing.
  bool GetElementIterator(const std::string& name, SDOMXMLIterator** out, bool keepHandle = true);

  // The attribute's value. True when the attribute is present and, for the numeric forms, its whole
  // text (blanks around it ignored) is one number: an int in decimal within int's range, or a
  // finite double in decimal or E notation with "." as decimal point whatever the C locale. On
  // false the value is left as it was.
  bool GetAttribute(const std::string& name, std::string& value) const;
  bool GetAttribute(const std::string& name, int& value) const;
  bool GetAttribute(const std::string& name, double& value) const;

  // The element's own text: its text and CDATA children concatenated in order, entities and
  // character references already replaced; text inside child elements is not included. False, with
  // text untouched, when the wrapper stands for nothing.
  bool GetTextBody(std::string& text) const;

private:
  friend class xmlwrap::Document;
  // A handle on an element of `document`, which owns it.
  SDOMXMLWrapper(xmlwrap::Document* document, std::uint32_t node);

  // The document read and the element stood for; UINT32_MAX for none.
  xmlwrap::Document* fDocument = nullptr;
  std::uint32_t fNode = UINT32_MAX;
  // What a wrapper made to load has besides: the document it owns and its last load failure. A
  // handle, of which a document holds one per element asked for, has none (until it is asked to
  // load, which fails), so that handles cost a few words each.
  std::unique_ptr<xmlwrap::LoaderState> fLoader;
};
