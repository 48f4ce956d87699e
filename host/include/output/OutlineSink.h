// What receives an output document in output order, item by item: the writers, and whatever else
// consumes a report as it is made.
#pragma once

namespace output {

class Heading;
class Item;

// Events in document order: a heading opens before its items and closes after them; every other
// item (table, chart, message) arrives whole and unchanging. A reference is valid only during the
// call: a document written as it grows frees each item once its sink has had it.
class OutlineSink {
public:
  virtual ~OutlineSink();

  virtual void OpenHeading(const Heading& heading) = 0;
  virtual void CloseHeading(const Heading& heading) = 0;
  // A table, chart or message.
  virtual void Leaf(const Item& item) = 0;
};

} // namespace output
