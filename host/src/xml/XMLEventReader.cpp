// The streaming reader: the service's locked-down SAX2 parse, with its events passed on in UTF-8.
#include "xml/XMLEventReader.h"

#include "ParserSetup.h"
#include "XMLText.h"

#include <xercesc/sax2/Attributes.hpp>

XMLEventHandler::~XMLEventHandler() = default;

void XMLEventHandler::ProcessingInstruction(std::string_view, std::string_view) {}

namespace xmlwrap {
namespace {

class Bridge : public HardenedHandler {
public:
  Bridge(XMLEventHandler& handler, int maxDepth) : HardenedHandler(maxDepth), fHandler(handler) {}

  void startElement(const XMLCh* const, const XMLCh* const, const XMLCh* const qname,
                    const xercesc::Attributes& attributes) override {
    Enter();
    fAttributes.clear();
    for (XMLSize_t i = 0; i < attributes.getLength(); ++i)
      fAttributes.emplace_back(XToUtf8(attributes.getQName(i)), XToUtf8(attributes.getValue(i)));
    fHandler.StartElement(XToUtf8(qname), fAttributes);
  }

  void endElement(const XMLCh* const, const XMLCh* const, const XMLCh* const qname) override {
    Leave();
    fHandler.EndElement(XToUtf8(qname));
  }

  void characters(const XMLCh* const chars, const XMLSize_t length) override {
    fHandler.Characters(XToUtf8(chars, length));
  }

  void processingInstruction(const XMLCh* const target, const XMLCh* const data) override {
    fHandler.ProcessingInstruction(XToUtf8(target), XToUtf8(data));
  }

private:
  XMLEventHandler& fHandler;
  XMLEventHandler::Attributes fAttributes; // reused from element to element
};

} // namespace
} // namespace xmlwrap

bool ReadXMLEvents(const std::string& text, XMLEventHandler& handler, SDOMXMLError& error,
                   std::size_t maxBytes, int maxDepth) {
  xmlwrap::Bridge bridge(handler, maxDepth);
  return xmlwrap::ParseWithSax(text, bridge, error, maxBytes);
}
