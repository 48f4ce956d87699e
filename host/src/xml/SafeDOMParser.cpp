// Parsing for the XML wrapper, locked down: a document may hold elements, attributes, text, CDATA,
// comments and processing instructions, and nothing that makes the parser read anything else.
#include "xml/SafeDOMParser.h"

#include "xml/SDOMXMLWrapper.h"
#include "xml/Utf8Check.h"
#include "xml/XMLText.h"

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

// No document needs an entity beyond the predefined ones, and DOCTYPEs are refused; the limit only
// backs that up should a declaration ever get through.
constexpr unsigned kEntityExpansionLimit = 16;

// Thrown from inside the parse when the nesting cap is passed; carries the position reached.
struct NestingTooDeep {
  unsigned long line;
  unsigned long column;
};

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

std::shared_ptr<void> ShareParserLibrary() {
  static const std::shared_ptr<ParserLibrary> library = std::make_shared<ParserLibrary>();
  return library;
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

// Line breaks as the parser counts them: CR LF, CR and LF each end one line.
unsigned long CountLines(const std::string& text, std::size_t begin, std::size_t end) {
  unsigned long lines = 0;
  for (std::size_t i = begin; i < end; ++i) {
    if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == end || text[i + 1] != '\n')))
      ++lines;
  }
  return lines;
}

// The parser refuses a DOCTYPE with the same words as any misplaced markup ("invalid document
// structure"). To tell the user what is wrong, look whether the prolog (past the XML declaration,
// comments and processing instructions) reaches a DOCTYPE, and on which line it stands.
bool FindDoctypeLine(const std::string& text, unsigned long& line) {
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
  if (text.compare(i, 9, "<!DOCTYPE") != 0)
    return false;
  line = 1 + CountLines(text, 0, i);
  return true;
}

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
    unsigned long doctypeLine = 0;
    const bool refusedDoctype =
        FindDoctypeLine(text, doctypeLine) && doctypeLine == e.getLineNumber();
    SetError(error, e.getLineNumber(), e.getColumnNumber(),
             refusedDoctype
                 ? "a DOCTYPE is not allowed: documents may not declare a DTD or entities"
                 : MessageOf(e.getMessage()));
  } catch (const NestingTooDeep& e) {
    SetError(error, e.line, e.column,
             "elements are nested deeper than " + std::to_string(SDOMXMLWrapper::kMaxNestingDepth) +
                 " levels");
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
    SetError(error, 0, 0,
             "the document has " + std::to_string(text.size()) + " bytes, more than the limit of " +
                 std::to_string(SDOMXMLWrapper::kMaxDocumentBytes) + " bytes");
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
