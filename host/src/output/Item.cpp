// Kind checks of output items and the out-of-line destructors that anchor their vtables.
#include "output/Item.h"

#include "output/Chart.h"
#include "output/Heading.h"
#include "output/Message.h"
#include "output/Table.h"

namespace output {

const char* ItemKindName(ItemKind kind) {
  switch (kind) {
  case ItemKind::kHeading:
    return "heading";
  case ItemKind::kTable:
    return "table";
  case ItemKind::kChart:
    return "chart";
  case ItemKind::kMessage:
    return "message";
  }
  return "heading";
}

Item::~Item() = default;

const Heading* Item::AsHeading() const {
  return Kind() == ItemKind::kHeading ? static_cast<const Heading*>(this) : nullptr;
}
const Table* Item::AsTable() const {
  return Kind() == ItemKind::kTable ? static_cast<const Table*>(this) : nullptr;
}
const Chart* Item::AsChart() const {
  return Kind() == ItemKind::kChart ? static_cast<const Chart*>(this) : nullptr;
}
const Message* Item::AsMessage() const {
  return Kind() == ItemKind::kMessage ? static_cast<const Message*>(this) : nullptr;
}

Heading::Heading(Label label) : fLabel(std::move(label)) {}
Heading::~Heading() = default;

Chart::Chart() = default;
Chart::~Chart() = default;

Message::Message(Level level, Label label) : fLevel(level), fLabel(std::move(label)) {}
Message::~Message() = default;

const char* MessageLevelName(Message::Level level) {
  switch (level) {
  case Message::Level::kWarning:
    return "warning";
  case Message::Level::kError:
    return "error";
  }
  return "warning";
}

} // namespace output
