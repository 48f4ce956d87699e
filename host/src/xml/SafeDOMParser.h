// The one way the XML wrapper parses: a DOM parser with every DTD, entity, schema and network
// feature off, a nesting-depth cap checked while parsing, and error capture.
#pragma once

#include "xml/SDOMXMLError.h"

#include <xercesc/dom/DOMDocument.hpp>
#include <xercesc/parsers/XercesDOMParser.hpp>
#include <xercesc/sax/ErrorHandler.hpp>
#include <xercesc/util/SecurityManager.hpp>

#include <memory>
#include <string>

namespace xmlwrap {

struct TreeRelease {
  void operator()(xercesc::DOMDocument* tree) const { tree->release(); }
};
using TreePtr = std::unique_ptr<xercesc::DOMDocument, TreeRelease>;

// A parsed tree and a share in the parser library, which must outlive the tree.
struct ParsedDocument {
  std::shared_ptr<void> library;
  TreePtr tree; // declared after the library, so released before it
};

// Parses text into a DOM tree. On failure the tree is null and error filled. Never throws.
// Initialises the parser library on first use.
ParsedDocument ParseDocument(const std::string& text, SDOMXMLError& error);

// One parser per document; the library must be initialised before one is constructed.
class SafeDOMParser : public xercesc::XercesDOMParser {
public:
  SafeDOMParser();
  SafeDOMParser(const SafeDOMParser&) = delete;
  SafeDOMParser& operator=(const SafeDOMParser&) = delete;

  // Parses the text (at most SDOMXMLWrapper::kMaxDocumentBytes); see ParseDocument.
  TreePtr ParseText(const std::string& text, SDOMXMLError& error);

  void startElement(const xercesc::XMLElementDecl& elemDecl, const unsigned int urlId,
                    const XMLCh* const elemPrefix,
                    const xercesc::RefVectorOf<xercesc::XMLAttr>& attrList,
                    const XMLSize_t attrCount, const bool isEmpty, const bool isRoot) override;
  void endElement(const xercesc::XMLElementDecl& elemDecl, const unsigned int urlId,
                  const bool isRoot, const XMLCh* const elemPrefix) override;

private:
  // Stops the parse at the first error, whose exception carries its position and text; warnings
  // are ignored.
  class StopAtFirstError : public xercesc::ErrorHandler {
  public:
    void warning(const xercesc::SAXParseException&) override {}
    void error(const xercesc::SAXParseException& e) override;
    void fatalError(const xercesc::SAXParseException& e) override;
    void resetErrors() override {}
  };

  void Configure();

  StopAtFirstError fErrors;
  xercesc::SecurityManager fSecurity;
  int fDepth = 0;
};

} // namespace xmlwrap
