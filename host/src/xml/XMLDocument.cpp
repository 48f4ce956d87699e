// The tree of a loaded document and the handles and iterators that point into it.
#include "XMLDocument.h"

#include "xml/SDOMXMLIterator.h"
#include "xml/SDOMXMLWrapper.h"

namespace xmlwrap {

Cursor::Cursor(Document& document, NodeIndex parent, NameId name)
    : fDocument(document), fParent(parent), fName(name) {
  Rewind();
}

void Cursor::Rewind() {
  fNext = FirstMatchFrom(fDocument.Tree().At(fParent).firstChild);
}

SDOMXMLWrapper* Cursor::Take() {
  if (fNext == kNoNode)
    return nullptr;
  const NodeIndex current = fNext;
  // Each sibling is looked at once per walk, so a whole walk is linear in the number of children.
  fNext = FirstMatchFrom(fDocument.Tree().At(current).nextSibling);
  return fDocument.HandleFor(current);
}

NodeIndex Cursor::FirstMatchFrom(NodeIndex start) const {
  const CompactTree& tree = fDocument.Tree();
  for (NodeIndex e = start; e != kNoNode; e = tree.At(e).nextSibling) {
    if (fName == kAnyName || tree.At(e).name == fName)
      return e;
  }
  return kNoNode;
}

Document::~Document() = default;

bool Document::Load(const std::string& text, SDOMXMLError& error) {
  fIterators.clear();
  fHandles.clear();
  return fTree.Load(text, error, SDOMXMLWrapper::kMaxDocumentBytes,
                    SDOMXMLWrapper::kMaxNestingDepth);
}

SDOMXMLWrapper* Document::HandleFor(NodeIndex node) {
  if (fHandles.empty())
    fHandles.resize(fTree.Size());
  std::unique_ptr<SDOMXMLWrapper>& slot = fHandles[node];
  if (!slot)
    slot.reset(new SDOMXMLWrapper(this, node));
  return slot.get();
}

SDOMXMLIterator* Document::IteratorFor(NodeIndex parent, NameId name) {
  const std::uint64_t key = (std::uint64_t{parent} << 32) | name;
  std::unique_ptr<SDOMXMLIterator>& slot = fIterators[key];
  if (slot) {
    slot->fCursor->Rewind();
  } else {
    slot.reset(new SDOMXMLIterator(std::make_unique<Cursor>(*this, parent, name)));
  }
  return slot.get();
}

} // namespace xmlwrap
