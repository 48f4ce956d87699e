// A walk over child elements; the position itself lives in the cursor, next to the tree.
#include "xml/SDOMXMLIterator.h"

#include "XMLDocument.h"

SDOMXMLIterator::SDOMXMLIterator(std::unique_ptr<xmlwrap::Cursor> cursor)
    : fCursor(std::move(cursor)) {}

SDOMXMLIterator::~SDOMXMLIterator() = default;

bool SDOMXMLIterator::Next(SDOMXMLWrapper** out) {
  if (out == nullptr)
    return false;
  try {
    SDOMXMLWrapper* next = fCursor->Take();
    if (next == nullptr)
      return false;
    *out = next;
    return true;
  } catch (...) {
    // Only allocation of a new handle can fail here; the walk then ends.
    return false;
  }
}
