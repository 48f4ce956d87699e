// Why a document did not load: the position the parser had reached and what it objected to.
#pragma once

#include <string>

struct SDOMXMLError {
  // 1-based position in the document text; 0 when the failure has no position (for example a
  // document over the size limit, which is refused before parsing starts).
  unsigned long line = 0;
  unsigned long column = 0;
  // Empty when nothing has failed.
  std::string message;

  bool IsEmpty() const { return message.empty(); }
  // One line for the user: "line 3, column 7: expected end of tag 'Counts'", or the message alone
  // when there is no position.
  std::string ToString() const;
};
