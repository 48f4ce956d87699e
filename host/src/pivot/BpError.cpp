// Messages of the procedure, delivered to the innermost live procedure of the thread.
#include "pivot/BpError.h"

#include "output/Label.h"
#include "output/Message.h"
#include "pivot/BpProcedure.h"

#include <memory>

BpError::BpError(const BpCellText& text, int show, int level) {
  BpProcedure* procedure = BpProcedure::Current();
  if (show == kHide || procedure == nullptr) {
    return;
  }
  output::Message::Level messageLevel =
      level <= kLevelError ? output::Message::Level::kError : output::Message::Level::kWarning;
  fDelivered = procedure->SendMessage(std::make_unique<output::Message>(
                   messageLevel, procedure->Translate(text))) != nullptr;
}
