// What the parsers of the XML service share: the parser library's life, the locked-down SAX2
// reading with its nesting cap and DOCTYPE refusal, and the wording of their errors.
#pragma once

#include "xml/SDOMXMLError.h"

#include <xercesc/sax/Locator.hpp>
#include <xercesc/sax2/DefaultHandler.hpp>
#include <xercesc/util/XercesDefs.hpp>

#include <cstddef>
#include <memory>
#include <string>

namespace xmlwrap {

// No document needs an entity beyond the predefined ones, and DOCTYPEs are refused; the limit only
// backs that up should a declaration ever get through.
constexpr unsigned kEntityExpansionLimit = 16;

// A share in the parser library, initialised on first use. Hold it for as long as any parser or
// parsed tree lives.
std::shared_ptr<void> ShareParserLibrary();

// The base of the service's SAX2 handlers. Subclasses call Enter and Leave from startElement and
// endElement; everything the parser reports as an error stops the parse.
class HardenedHandler : public xercesc::DefaultHandler {
public:
  explicit HardenedHandler(int maxDepth) : fMaxDepth(maxDepth) {}

  void setDocumentLocator(const xercesc::Locator* const locator) override { fLocator = locator; }
  // The prolog is checked for a DOCTYPE before parsing; this catches one the check cannot see
  // (a text in another encoding) before anything inside it is read.
  void startDTD(const XMLCh* const, const XMLCh* const, const XMLCh* const) override;
  void warning(const xercesc::SAXParseException&) override {}
  void error(const xercesc::SAXParseException& e) override { throw e; }
  void fatalError(const xercesc::SAXParseException& e) override { throw e; }

protected:
  // Counts one more open element; stops the parse when that passes the cap.
  void Enter() {
    if (++fDepth > fMaxDepth)
      RefuseTooDeep();
  }
  void Leave() { --fDepth; }

private:
  [[noreturn]] void RefuseTooDeep() const;
  [[noreturn]] void Refuse(std::string message) const;

  const int fMaxDepth;
  int fDepth = 0;
  const xercesc::Locator* fLocator = nullptr;
};

// Parses `text` with `handler` and every DTD, entity, schema and network feature off, after the
// checks that need no parser: size, emptiness, UTF-8, and a DOCTYPE in the prolog. Returns false
// with `error` set (line and column where known) on refusal. An exception of the handler's own
// passes through.
bool ParseWithSax(const std::string& text, HardenedHandler& handler, SDOMXMLError& error,
                  std::size_t maxBytes);

void SetError(SDOMXMLError& error, unsigned long line, unsigned long column, std::string message);
// A parser message in UTF-8, or a fixed text when the message itself cannot be converted.
std::string MessageOf(const XMLCh* message);

} // namespace xmlwrap
