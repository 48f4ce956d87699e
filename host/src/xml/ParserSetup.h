// What the two parsers of the XML service share: the parser library's life, the entity limit and
// the wording of their errors.
#pragma once

#include "xml/SDOMXMLError.h"

#include <xercesc/util/XercesDefs.hpp>

#include <memory>
#include <string>

namespace xmlwrap {

// No document needs an entity beyond the predefined ones, and DOCTYPEs are refused; the limit only
// backs that up should a declaration ever get through.
constexpr unsigned kEntityExpansionLimit = 16;

// A share in the parser library, initialised on first use. Hold it for as long as any parser or
// parsed tree lives.
std::shared_ptr<void> ShareParserLibrary();

void SetError(SDOMXMLError& error, unsigned long line, unsigned long column, std::string message);
// A parser message in UTF-8, or a fixed text when the message itself cannot be converted.
std::string MessageOf(const XMLCh* message);
// The error for a parse that failed at (line, column): the refusal of a DOCTYPE when the text's
// prolog reaches one on that line (the parser's own words would be "invalid document structure"),
// else the parser's message.
std::string ParseFailureText(const std::string& text, unsigned long line, const XMLCh* message);
std::string NestingTooDeepText(int maxDepth);
std::string TooLargeText(std::size_t size, std::size_t maxBytes);

} // namespace xmlwrap
