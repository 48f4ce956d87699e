// UTF-8 validation of document texts with the position of the first bad byte.
#include "Utf8Check.h"

#include "text/CodePage.h"

#include <cctype>
#include <cstdio>

namespace xmlwrap {

namespace {

// The encoding named by the XML declaration, lower-cased; empty when there is none.
std::string DeclaredEncoding(const std::string& text, std::size_t start) {
  if (text.compare(start, 5, "<?xml") != 0)
    return {};
  const std::size_t end = text.find("?>", start);
  const std::size_t key = text.find("encoding", start);
  if (end == std::string::npos || key == std::string::npos || key > end)
    return {};
  std::size_t i = text.find_first_of("'\"", key);
  if (i == std::string::npos || i > end)
    return {};
  const std::size_t close = text.find(text[i], i + 1);
  if (close == std::string::npos || close > end)
    return {};
  std::string name = text.substr(i + 1, close - i - 1);
  for (char& c : name)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return name;
}

bool ReadAsUtf8(const std::string& text) {
  const std::size_t start = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
  // Any NUL among the first bytes means UTF-16 or UTF-32, with or without a byte order mark; so
  // do the marks FF FE and FE FF.
  for (std::size_t i = 0; i < 4 && i < text.size(); ++i) {
    if (text[i] == '\0')
      return false;
  }
  if (text.compare(0, 2, "\xFF\xFE") == 0 || text.compare(0, 2, "\xFE\xFF") == 0)
    return false;
  const std::string encoding = DeclaredEncoding(text, start);
  return encoding.empty() || encoding == "utf-8" || encoding == "utf8";
}

} // namespace

bool FindInvalidUtf8(const std::string& text, SDOMXMLError& error) {
  if (!ReadAsUtf8(text))
    return false;
  unsigned long line = 1;
  unsigned long column = 1;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = Utf8SequenceLength(text, i);
    if (length == 0) {
      char byte[8];
      std::snprintf(byte, sizeof byte, "0x%02X", static_cast<unsigned char>(text[i]));
      error = SDOMXMLError{line, column,
                           std::string("the text is not valid UTF-8 (byte ") + byte + ")"};
      return true;
    }
    // CR LF, CR and LF each end a line, as the parser counts them.
    const bool lineEnd =
        text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'));
    line += lineEnd ? 1 : 0;
    column = lineEnd ? 1 : column + 1;
    i += length;
  }
  return false;
}

} // namespace xmlwrap
