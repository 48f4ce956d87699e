// Parsing for the XML wrapper, locked down: a document may hold elements, attributes, text, CDATA,
// comments and processing instructions, and nothing that makes the parser read anything else.
#include "SafeDOMParser.h"

#include "ParserSetup.h"
#include "Utf8Check.h"
#include "XMLText.h"

#include "xml/SDOMXMLWrapper.h"

#include <xercesc/dom/DOMException.hpp>
#include <xercesc/framework/MemBufInputSource.hpp>
#include <xercesc/internal/XMLScanner.hpp>
#include <xercesc/sax/SAXParseException.hpp>
#include <xercesc/util/OutOfMemoryException.hpp>
#include <xercesc/util/PlatformUtils.hpp>
#include <xercesc/util/XMLException.hpp>

#include <algorithm>
#include <exception>
#include <memory>

namespace xmlwrap {

namespace {

// Thrown from inside the parse when the nesting cap is passed; carries the position reached.
struct NestingTooDeep {
  unsigned long line;
  unsigned long column;
};

} // namespace

void SafeDOMParser::StopAtFirstError::error(const xercesc::SAXParseException& e) {
  throw e;
}

void SafeDOMParser::StopAtFirstError::fatalError(const xercesc::SAXParseException& e) {
  throw e;
}

SafeDOMParser::SafeDOMParser() {
  Configure();
}

void SafeDOMParser::Configure() {
  // A DOCTYPE is where every entity and external fetch starts; refusing it outright closes them
  // all at once, whatever the other switches say.
  getScanner()->setDisallowDTD(true);
  setLoadExternalDTD(false);
  setSkipDTDValidation(true);
  setDisableDefaultEntityResolution(true);
  setCreateEntityReferenceNodes(false);
  setValidationScheme(xercesc::XercesDOMParser::Val_Never);
  setDoSchema(false);
  setLoadSchema(false);
  setValidationSchemaFullChecking(false);
  setDoXInclude(false);
  // Namespace processing makes parse time grow with the square of the nesting depth, and the
  // documents read here use plain tag names.
  setDoNamespaces(false);
  setCreateCommentNodes(false);
  fSecurity.setEntityExpansionLimit(kEntityExpansionLimit);
  setSecurityManager(&fSecurity);
  setErrorHandler(&fErrors);
}

void SafeDOMParser::startElement(const xercesc::XMLElementDecl& elemDecl, const unsigned int urlId,
                                 const XMLCh* const elemPrefix,
                                 const xercesc::RefVectorOf<xercesc::XMLAttr>& attrList,
                                 const XMLSize_t attrCount, const bool isEmpty, const bool isRoot) {
  if (fDepth + 1 > SDOMXMLWrapper::kMaxNestingDepth) {
    const xercesc::Locator* where = getScanner()->getLocator();
    throw NestingTooDeep{where ? static_cast<unsigned long>(where->getLineNumber()) : 0,
                         where ? static_cast<unsigned long>(where->getColumnNumber()) : 0};
  }
  // An empty element gets no endElement call, so it never deepens the nesting.
  if (!isEmpty)
    ++fDepth;
  XercesDOMParser::startElement(elemDecl, urlId, elemPrefix, attrList, attrCount, isEmpty, isRoot);
}

void SafeDOMParser::endElement(const xercesc::XMLElementDecl& elemDecl, const unsigned int urlId,
                               const bool isRoot, const XMLCh* const elemPrefix) {
  --fDepth;
  XercesDOMParser::endElement(elemDecl, urlId, isRoot, elemPrefix);
}

TreePtr SafeDOMParser::ParseText(const std::string& text, SDOMXMLError& error) {
  fDepth = 0;
  xercesc::MemBufInputSource source(reinterpret_cast<const XMLByte*>(text.data()), text.size(),
                                    "document", false);
  try {
    parse(source);
    TreePtr tree(adoptDocument());
    if (!tree || !tree->getDocumentElement()) {
      SetError(error, 0, 0, "the document has no root element");
      return nullptr;
    }
    return tree;
  } catch (const xercesc::SAXParseException& e) {
    SetError(error, e.getLineNumber(), e.getColumnNumber(),
             ParseFailureText(text, e.getLineNumber(), e.getMessage()));
  } catch (const NestingTooDeep& e) {
    SetError(error, e.line, e.column, NestingTooDeepText(SDOMXMLWrapper::kMaxNestingDepth));
  } catch (const xercesc::OutOfMemoryException&) {
    SetError(error, 0, 0, "out of memory while reading the document");
  } catch (const xercesc::XMLException& e) {
    SetError(error, 0, 0, MessageOf(e.getMessage()));
  } catch (const xercesc::DOMException& e) {
    SetError(error, 0, 0, "the document tree could not be built: " + MessageOf(e.getMessage()));
  }
  return nullptr;
}

ParsedDocument ParseDocument(const std::string& text, SDOMXMLError& error) {
  error = SDOMXMLError();
  ParsedDocument parsed;
  if (text.size() > SDOMXMLWrapper::kMaxDocumentBytes) {
    SetError(error, 0, 0, TooLargeText(text.size(), SDOMXMLWrapper::kMaxDocumentBytes));
    return {};
  }
  if (text.find_first_not_of(" \t\r\n") == std::string::npos) {
    SetError(error, 0, 0, "the document is empty");
    return {};
  }
  if (FindInvalidUtf8(text, error))
    return {};
  try {
    parsed.library = ShareParserLibrary();
    SafeDOMParser parser;
    parsed.tree = parser.ParseText(text, error);
    return parsed;
  } catch (const xercesc::OutOfMemoryException&) {
    SetError(error, 0, 0, "out of memory while reading the document");
  } catch (const xercesc::XMLException& e) {
    SetError(error, 0, 0, "the XML parser could not start: " + MessageOf(e.getMessage()));
  } catch (const std::exception& e) {
    SetError(error, 0, 0, std::string("the document could not be read: ") + e.what());
  } catch (...) {
    SetError(error, 0, 0, "the document could not be read");
  }
  return {};
}

} // namespace xmlwrap
