// Messages of the procedure, delivered to the innermost live procedure of the thread.
#include "pivot/BpError.h"

#include "pivot/BpProcedure.h"

BpError::BpError(const BpCellText& text, int show, int level) {
  BpProcedure* procedure = BpProcedure::Current();
  if (show == kHide || procedure == nullptr) {
    return;
  }
  output::Message::Level messageLevel =
      level <= kLevelError ? output::Message::Level::kError : output::Message::Level::kWarning;
  fDelivered = procedure->SendMessage(messageLevel, procedure->Translate(text)) != nullptr;
}
