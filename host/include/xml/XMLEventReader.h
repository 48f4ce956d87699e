// Streaming reading of XML text, locked down like the wrapper's documents: the parser reports
// elements, attributes and character data in document order and builds no tree of its own.
#pragma once

#include "xml/SDOMXMLError.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

// What the reader reports. Texts are UTF-8. An exception thrown from a callback ends the reading
// and passes through ReadXMLEvents unchanged.
class XMLEventHandler {
public:
  using Attributes = std::vector<std::pair<std::string, std::string>>;

  virtual ~XMLEventHandler();
  // Attributes in document order, values with XML's attribute normalisation applied.
  virtual void StartElement(std::string_view name, const Attributes& attributes) = 0;
  virtual void EndElement(std::string_view name) = 0;
  // Character data, CDATA included; one run of text may arrive in several calls.
  virtual void Characters(std::string_view text) = 0;
  // A processing instruction other than the XML declaration; ignored unless overridden.
  virtual void ProcessingInstruction(std::string_view target, std::string_view data);
};

// Reads `text` (UTF-8 unless its XML declaration says otherwise) and reports it to `handler`.
// Refuses, as the XML wrapper does, a DOCTYPE, nesting deeper than `maxDepth` levels, a text larger
// than `maxBytes`, ill-formed UTF-8 and anything that is not well-formed; nothing outside the text
// is ever read. Returns false with `error` set (line and column where the parser stood) on refusal;
// `error` is cleared on success.
bool ReadXMLEvents(const std::string& text, XMLEventHandler& handler, SDOMXMLError& error,
                   std::size_t maxBytes, int maxDepth);
