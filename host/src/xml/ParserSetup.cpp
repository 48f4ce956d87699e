// The parser library's life and the error texts that both parsers of the XML service use.
#include "ParserSetup.h"

#include "XMLText.h"

#include <xercesc/util/PlatformUtils.hpp>
#include <xercesc/util/XMLException.hpp>

#include <algorithm>

namespace xmlwrap {

namespace {

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

// Line breaks as the parser counts them: CR LF, CR and LF each end one line.
unsigned long CountLines(const std::string& text, std::size_t begin, std::size_t end) {
  unsigned long lines = 0;
  for (std::size_t i = begin; i < end; ++i) {
    if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == end || text[i + 1] != '\n')))
      ++lines;
  }
  return lines;
}

// Whether the prolog (past the XML declaration, comments and processing instructions) reaches a
// DOCTYPE, and on which line it stands.
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

std::string ParseFailureText(const std::string& text, unsigned long line, const XMLCh* message) {
  unsigned long doctypeLine = 0;
  if (FindDoctypeLine(text, doctypeLine) && doctypeLine == line)
    return "a DOCTYPE is not allowed: documents may not declare a DTD or entities";
  return MessageOf(message);
}

std::string NestingTooDeepText(int maxDepth) {
  return "elements are nested deeper than " + std::to_string(maxDepth) + " levels";
}

std::string TooLargeText(std::size_t size, std::size_t maxBytes) {
  return "the document has " + std::to_string(size) + " bytes, more than the limit of " +
         std::to_string(maxBytes) + " bytes";
}

} // namespace xmlwrap
