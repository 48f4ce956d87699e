// The streaming reader: a SAX2 parser with every DTD, entity, schema and network feature off, a
// nesting cap checked as elements open, and the wrapper's error wording.
#include "xml/XMLEventReader.h"

#include "ParserSetup.h"
#include "Utf8Check.h"
#include "XMLText.h"

#include <xercesc/framework/MemBufInputSource.hpp>
#include <xercesc/sax/Locator.hpp>
#include <xercesc/sax/SAXParseException.hpp>
#include <xercesc/sax2/Attributes.hpp>
#include <xercesc/sax2/DefaultHandler.hpp>
#include <xercesc/sax2/SAX2XMLReader.hpp>
#include <xercesc/sax2/XMLReaderFactory.hpp>
#include <xercesc/util/OutOfMemoryException.hpp>
#include <xercesc/util/SecurityManager.hpp>
#include <xercesc/util/XMLException.hpp>
#include <xercesc/util/XMLUni.hpp>

#include <memory>

XMLEventHandler::~XMLEventHandler() = default;

void XMLEventHandler::ProcessingInstruction(std::string_view, std::string_view) {}

namespace xmlwrap {
namespace {

// Thrown from inside the parse to stop it where the parser stands.
struct Refusal {
  unsigned long line;
  unsigned long column;
  std::string message;
};

// Passes the parser's events on in UTF-8 and enforces what the parser's own features cannot: no
// DOCTYPE at all (its start is reported before anything in it is read) and the nesting cap.
class Bridge : public xercesc::DefaultHandler {
public:
  Bridge(XMLEventHandler& handler, int maxDepth) : fHandler(handler), fMaxDepth(maxDepth) {}

  void setDocumentLocator(const xercesc::Locator* const locator) override { fLocator = locator; }

  void startElement(const XMLCh* const, const XMLCh* const, const XMLCh* const qname,
                    const xercesc::Attributes& attributes) override {
    if (++fDepth > fMaxDepth)
      Refuse(NestingTooDeepText(fMaxDepth));
    fAttributes.clear();
    for (XMLSize_t i = 0; i < attributes.getLength(); ++i)
      fAttributes.emplace_back(XToUtf8(attributes.getQName(i)), XToUtf8(attributes.getValue(i)));
    fHandler.StartElement(XToUtf8(qname), fAttributes);
  }

  void endElement(const XMLCh* const, const XMLCh* const, const XMLCh* const qname) override {
    --fDepth;
    fHandler.EndElement(XToUtf8(qname));
  }

  void characters(const XMLCh* const chars, const XMLSize_t length) override {
    fHandler.Characters(XToUtf8(chars, length));
  }

  void processingInstruction(const XMLCh* const target, const XMLCh* const data) override {
    fHandler.ProcessingInstruction(XToUtf8(target), XToUtf8(data));
  }

  void startDTD(const XMLCh* const, const XMLCh* const, const XMLCh* const) override {
    Refuse("a DOCTYPE is not allowed: documents may not declare a DTD or entities");
  }

  void warning(const xercesc::SAXParseException&) override {}
  void error(const xercesc::SAXParseException& e) override { throw e; }
  void fatalError(const xercesc::SAXParseException& e) override { throw e; }

private:
  [[noreturn]] void Refuse(std::string message) const {
    throw Refusal{fLocator ? static_cast<unsigned long>(fLocator->getLineNumber()) : 0,
                  fLocator ? static_cast<unsigned long>(fLocator->getColumnNumber()) : 0,
                  std::move(message)};
  }

  XMLEventHandler& fHandler;
  const int fMaxDepth;
  int fDepth = 0;
  const xercesc::Locator* fLocator = nullptr;
  XMLEventHandler::Attributes fAttributes; // reused from element to element
};

void Configure(xercesc::SAX2XMLReader& reader, xercesc::SecurityManager& security) {
  using xercesc::XMLUni;
  // Namespace processing makes parse time grow with the square of the nesting depth, and no
  // document of ours uses namespaces.
  reader.setFeature(XMLUni::fgSAX2CoreNameSpaces, false);
  reader.setFeature(XMLUni::fgSAX2CoreNameSpacePrefixes, false);
  reader.setFeature(XMLUni::fgSAX2CoreValidation, false);
  reader.setFeature(XMLUni::fgXercesSchema, false);
  reader.setFeature(XMLUni::fgXercesLoadSchema, false);
  reader.setFeature(XMLUni::fgXercesLoadExternalDTD, false);
  reader.setFeature(XMLUni::fgXercesDisableDefaultEntityResolution, true);
  reader.setFeature(XMLUni::fgXercesIgnoreCachedDTD, true);
  security.setEntityExpansionLimit(kEntityExpansionLimit);
  reader.setProperty(XMLUni::fgXercesSecurityManager, &security);
}

} // namespace
} // namespace xmlwrap

bool ReadXMLEvents(const std::string& text, XMLEventHandler& handler, SDOMXMLError& error,
                   std::size_t maxBytes, int maxDepth) {
  using namespace xmlwrap;
  error = SDOMXMLError();
  if (text.size() > maxBytes) {
    SetError(error, 0, 0, TooLargeText(text.size(), maxBytes));
    return false;
  }
  if (text.find_first_not_of(" \t\r\n") == std::string::npos) {
    SetError(error, 0, 0, "the document is empty");
    return false;
  }
  if (FindInvalidUtf8(text, error))
    return false;
  try {
    const std::shared_ptr<void> library = ShareParserLibrary();
    std::unique_ptr<xercesc::SAX2XMLReader> reader(xercesc::XMLReaderFactory::createXMLReader());
    xercesc::SecurityManager security;
    Configure(*reader, security);
    Bridge bridge(handler, maxDepth);
    reader->setContentHandler(&bridge);
    reader->setErrorHandler(&bridge);
    reader->setLexicalHandler(&bridge);
    xercesc::MemBufInputSource source(reinterpret_cast<const XMLByte*>(text.data()), text.size(),
                                      "document", false);
    try {
      reader->parse(source);
      return true;
    } catch (const xercesc::SAXParseException& e) {
      SetError(error, e.getLineNumber(), e.getColumnNumber(),
               ParseFailureText(text, e.getLineNumber(), e.getMessage()));
    } catch (const Refusal& e) {
      SetError(error, e.line, e.column, e.message);
    }
  } catch (const xercesc::OutOfMemoryException&) {
    SetError(error, 0, 0, "out of memory while reading the document");
  } catch (const xercesc::XMLException& e) {
    SetError(error, 0, 0, MessageOf(e.getMessage()));
  }
  return false;
}
