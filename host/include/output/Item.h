// The base of everything the output outline holds: headings, tables, charts and messages.
#pragma once

namespace output {

class Heading;
class Table;
class Chart;
class Message;

enum class ItemKind { kHeading, kTable, kChart, kMessage };

// "heading", "table", "chart", "message".
const char* ItemKindName(ItemKind kind);

// Items are owned by their parent heading (or by the document) and never move once made, so a
// pointer to one stays valid for the document's lifetime. Not copyable.
class Item {
public:
  virtual ~Item();
  Item(const Item&) = delete;
  Item& operator=(const Item&) = delete;

  virtual ItemKind Kind() const = 0;

  // Null unless Kind() says the item is of that class.
  const Heading* AsHeading() const;
  const Table* AsTable() const;
  const Chart* AsChart() const;
  const Message* AsMessage() const;

  // Holds: while a builder's handle on this item lives, the item may still change, so a document
  // that is written as it grows leaves it (and everything after it) unwritten. Counted, because
  // handles are copied.
  void Hold() { ++fHolds; }
  void Unhold() {
    if (fHolds > 0)
      --fHolds;
  }
  bool Held() const { return fHolds > 0; }

protected:
  Item() = default;

private:
  unsigned fHolds = 0;
};

} // namespace output
