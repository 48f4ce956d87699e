// An error or warning that the procedure wrote into the output.
#pragma once

#include "output/Item.h"
#include "output/Label.h"

namespace output {

class Message : public Item {
public:
  enum class Level { kWarning, kError };

  Message(Level level, Label label);
  ~Message() override;

  ItemKind Kind() const override { return ItemKind::kMessage; }
  Level GetLevel() const { return fLevel; }
  const Label& GetLabel() const { return fLabel; }

private:
  Level fLevel;
  Label fLabel;
};

// "warning", "error".
const char* MessageLevelName(Message::Level level);

} // namespace output
