// Up-front check of UTF-8 documents, so that a bad byte is reported where it stands and in plain
// words rather than as whatever markup error the parser runs into after it.
#pragma once

#include "xml/SDOMXMLError.h"

#include <string>

namespace xmlwrap {

// True when the text is to be read as UTF-8 (no UTF-16 or UTF-32 byte pattern, and no XML
// declaration naming another encoding) and is not valid UTF-8; error then holds the line and
// column of the first bad byte. Texts in other encodings are left to the parser.
bool FindInvalidUtf8(const std::string& text, SDOMXMLError& error);

} // namespace xmlwrap
