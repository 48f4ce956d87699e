// The loaded tree behind an SDOMXMLWrapper, with every handle and iterator handed out from it.
#pragma once

#include "CompactTree.h"

#include "xml/SDOMXMLError.h"

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class SDOMXMLIterator;
class SDOMXMLWrapper;

namespace xmlwrap {

class Document;

// What a wrapper made to load owns: its document, once loaded, and its last load failure.
struct LoaderState {
  std::unique_ptr<Document> owned;
  SDOMXMLError lastError;
};

// Names every child element, whatever its tag name.
constexpr NameId kAnyName = UINT32_MAX - 1;

// The position of one iterator: the next matching child, or none when the walk is over.
class Cursor {
public:
  Cursor(Document& document, NodeIndex parent, NameId name);

  // Back to the first matching child.
  void Rewind();
  // The current match's handle, moving on to the next match; null when none is left.
  SDOMXMLWrapper* Take();

private:
  // The first element from start on (start included) whose tag matches; kNoNode when none.
  NodeIndex FirstMatchFrom(NodeIndex start) const;

  Document& fDocument;
  NodeIndex fParent;
  NameId fName;
  NodeIndex fNext = kNoNode;
};

// Owns the tree and, per element, at most one handle and one iterator per tag name, so whatever
// callers ask for repeatedly, memory stays bounded by the document.
class Document {
public:
  Document() = default;
  ~Document();
  Document(const Document&) = delete;
  Document& operator=(const Document&) = delete;

  // See CompactTree::Load.
  bool Load(const std::string& text, SDOMXMLError& error);

  const CompactTree& Tree() const { return fTree; }

  // The handle standing for the element, created on first request.
  SDOMXMLWrapper* HandleFor(NodeIndex node);
  // The iterator over the element's children with this tag name, rewound.
  SDOMXMLIterator* IteratorFor(NodeIndex parent, NameId name);

private:
  CompactTree fTree;
  // Indexed by element, filled on request: no hashing on the way through a document.
  std::vector<std::unique_ptr<SDOMXMLWrapper>> fHandles;
  std::unordered_map<std::uint64_t, std::unique_ptr<SDOMXMLIterator>> fIterators;
};

} // namespace xmlwrap
