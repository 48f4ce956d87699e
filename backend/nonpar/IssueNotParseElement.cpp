// The unknown-name warning of the result-document reader.
#include "IssueNotParseElement.h"

#include "pivot/BpError.h"
#include "pivot/BpString.h"

void IssueNotParseElement(const std::string& name) {
  // Issued as a string-table key; the table has no entry for it, so the host shows the text
  // itself, name included.
  const BpString text("Not parse element: " + name, true);
  BpError(text, BpError::kShow, BpError::kLevelWarning);
}
