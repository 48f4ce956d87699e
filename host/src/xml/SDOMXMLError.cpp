// One-line form of a document loading error.
#include "xml/SDOMXMLError.h"

std::string SDOMXMLError::ToString() const {
  if (line == 0)
    return message;
  return "line " + std::to_string(line) + ", column " + std::to_string(column) + ": " + message;
}
