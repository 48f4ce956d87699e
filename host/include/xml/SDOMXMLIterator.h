// A walk over the child elements of one element, handed out by SDOMXMLWrapper::GetElementIterator.
#pragma once

#include <memory>

class SDOMXMLWrapper;
namespace xmlwrap {
class Cursor;
class Document;
} // namespace xmlwrap

// Owned by the document it walks: users never create or delete one, and it is valid as long as the
// wrapper that loaded the document keeps it loaded.
class SDOMXMLIterator {
public:
  ~SDOMXMLIterator();
  SDOMXMLIterator(const SDOMXMLIterator&) = delete;
  SDOMXMLIterator& operator=(const SDOMXMLIterator&) = delete;

  // The next matching child in document order: true with its handle in *out (owned by the
  // document), false when none is left (and on every later call) or when out is null.
  bool Next(SDOMXMLWrapper** out);

private:
  friend class xmlwrap::Document;
  explicit SDOMXMLIterator(std::unique_ptr<xmlwrap::Cursor> cursor);

  std::unique_ptr<xmlwrap::Cursor> fCursor;
};
