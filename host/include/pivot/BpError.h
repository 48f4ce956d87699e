// An error or warning message of the procedure in the output.
#pragma once

#include "pivot/BpCellText.h"

// Constructing a BpError issues the message: it goes, translated, under the most recently made
// live heading of BpProcedure::Current(). With no live procedure on the calling thread the
// message is dropped (Delivered() says so). Never throws.
class BpError {
public:
  enum Show { kHide = 0, kShow = 2 };
  // Level 1 or lower is an error; 2 or higher a warning (what the readers issue).
  enum Level { kLevelError = 1, kLevelWarning = 2 };

  // `show` 0 (kHide) writes nothing; any other value shows the message.
  BpError(const BpCellText& text, int show, int level);

  bool Delivered() const { return fDelivered; }

private:
  bool fDelivered = false;
};
