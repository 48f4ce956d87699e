// A heading of the output outline: its label and the items under it, in output order.
#pragma once

#include "output/Item.h"
#include "output/Label.h"

#include <memory>
#include <vector>

namespace output {

class Heading : public Item {
public:
  explicit Heading(Label label);
  ~Heading() override;

  ItemKind Kind() const override { return ItemKind::kHeading; }
  const Label& GetLabel() const { return fLabel; }
  // Children in output order.
  const std::vector<std::unique_ptr<Item>>& Items() const { return fItems; }

  // Appends an item and returns it; the heading owns it. Null `item` is ignored (returns null).
  template <class T> T* Append(std::unique_ptr<T> item) {
    T* raw = item.get();
    if (raw != nullptr) {
      fItems.push_back(std::move(item));
    }
    return raw;
  }

private:
  friend class Document; // frees what it has written of a document written as it grows

  Label fLabel;
  std::vector<std::unique_ptr<Item>> fItems;
};

} // namespace output
