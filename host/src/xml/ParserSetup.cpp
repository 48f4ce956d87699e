// The parser library's life, the locked-down SAX2 parse and the error texts of the XML service.
#include "ParserSetup.h"

#include "Utf8Check.h"
#include "XMLText.h"

#include <xercesc/framework/MemBufInputSource.hpp>
#include <xercesc/sax/SAXParseException.hpp>
#include <xercesc/sax2/SAX2XMLReader.hpp>
#include <xercesc/sax2/XMLReaderFactory.hpp>
#include <xercesc/util/OutOfMemoryException.hpp>
#include <xercesc/util/PlatformUtils.hpp>
#include <xercesc/util/SecurityManager.hpp>
#include <xercesc/util/XMLException.hpp>
#include <xercesc/util/XMLUni.hpp>

#include <algorithm>

namespace xmlwrap {

namespace {

constexpr const char* kDoctypeRefused =
    "a DOCTYPE is not allowed: documents may not declare a DTD or entities";

// The parser library is set up once per process, on first use, and torn down when the last of the
// process (or the shared library holding this code) and every loaded tree has let go of it: a tree
// held by a static wrapper may be released after the function-local static below. Initialize and
// Terminate count their calls, so other users of the parser library in the same process keep it
// alive as long as they need it.
class ParserLibrary {
public:
  ParserLibrary() { xercesc::XMLPlatformUtils::Initialize(); }
  ~ParserLibrary() { xercesc::XMLPlatformUtils::Terminate(); }
  ParserLibrary(const ParserLibrary&) = delete;
  ParserLibrary& operator=(const ParserLibrary&) = delete;
};

// Thrown from inside the parse to stop it where the parser stands.
struct Refusal {
  unsigned long line;
  unsigned long column;
  std::string message;
};

// Where the prolog (past the XML declaration, comments and processing instructions) reaches a
// DOCTYPE: the line, and the column just past the keyword, where the parser would stop. Line
// breaks count as the parser counts them: CR LF, CR and LF each end one line.
bool FindDoctype(const std::string& text, unsigned long& line, unsigned long& column) {
  std::size_t i = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
  while (true) {
    i = std::min(text.find_first_not_of(" \t\r\n", i), text.size());
    const char* close = text.compare(i, 4, "<!--") == 0 ? "-->"
                        : text.compare(i, 2, "<?") == 0 ? "?>"
                                                        : nullptr;
    if (close == nullptr)
      break;
    const std::size_t end = text.find(close, i + 2);
    if (end == std::string::npos)
      return false;
    i = end + std::char_traits<char>::length(close);
  }
  constexpr std::size_t kKeyword = 9; // "<!DOCTYPE"
  if (text.compare(i, kKeyword, "<!DOCTYPE") != 0)
    return false;
  line = 1;
  std::size_t lineStart = 0;
  for (std::size_t k = 0; k < i; ++k) {
    if (text[k] == '\n' || (text[k] == '\r' && text[k + 1] != '\n')) {
      ++line;
      lineStart = k + 1;
    }
  }
  column = static_cast<unsigned long>(i - lineStart + kKeyword + 1);
  return true;
}

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

std::string TooLargeText(std::size_t size, std::size_t maxBytes) {
  return "the document has " + std::to_string(size) + " bytes, more than the limit of " +
         std::to_string(maxBytes) + " bytes";
}

} // namespace

std::shared_ptr<void> ShareParserLibrary() {
  static const std::shared_ptr<ParserLibrary> library = std::make_shared<ParserLibrary>();
  return library;
}

void HardenedHandler::startDTD(const XMLCh* const, const XMLCh* const, const XMLCh* const) {
  Refuse(kDoctypeRefused);
}

void HardenedHandler::RefuseTooDeep() const {
  Refuse("elements are nested deeper than " + std::to_string(fMaxDepth) + " levels");
}

void HardenedHandler::Refuse(std::string message) const {
  throw Refusal{fLocator ? static_cast<unsigned long>(fLocator->getLineNumber()) : 0,
                fLocator ? static_cast<unsigned long>(fLocator->getColumnNumber()) : 0,
                std::move(message)};
}

bool ParseWithSax(const std::string& text, HardenedHandler& handler, SDOMXMLError& error,
                  std::size_t maxBytes) {
  error = SDOMXMLError();
  if (text.size() > maxBytes) {
    SetError(error, 0, 0, TooLargeText(text.size(), maxBytes));
    return false;
  }
  if (text.find_first_not_of(" \t\r\n") == std::string::npos) {
    SetError(error, 0, 0, "the document is empty");
    return false;
  }
  unsigned long line = 0, column = 0;
  if (FindDoctype(text, line, column)) {
    SetError(error, line, column, kDoctypeRefused);
    return false;
  }
  if (FindInvalidUtf8(text, error))
    return false;
  try {
    const std::shared_ptr<void> library = ShareParserLibrary();
    std::unique_ptr<xercesc::SAX2XMLReader> reader(xercesc::XMLReaderFactory::createXMLReader());
    xercesc::SecurityManager security;
    Configure(*reader, security);
    reader->setContentHandler(&handler);
    reader->setErrorHandler(&handler);
    reader->setLexicalHandler(&handler);
    xercesc::MemBufInputSource source(reinterpret_cast<const XMLByte*>(text.data()), text.size(),
                                      "document", false);
    try {
      reader->parse(source);
      return true;
    } catch (const xercesc::SAXParseException& e) {
      SetError(error, e.getLineNumber(), e.getColumnNumber(), MessageOf(e.getMessage()));
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

void SetError(SDOMXMLError& error, unsigned long line, unsigned long column, std::string message) {
  error.line = line;
  error.column = column;
  error.message = std::move(message);
}

std::string MessageOf(const XMLCh* message) {
  try {
    return XToUtf8(message);
  } catch (const xercesc::XMLException&) {
    return "the parser reported an error it could not describe";
  }
}

} // namespace xmlwrap
