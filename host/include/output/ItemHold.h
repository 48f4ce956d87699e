// A hold on an item of the output document for as long as it lives (output::Item::Hold): whoever
// may still change an item holds it, so that a report written as it grows waits for it. The
// builder's table handles hold their table, the host a heading it writes under.
#pragma once

namespace output {

// Counted: copies hold the item too. Nothing for null. T is Item or a class derived from it; the
// operations need T's definition, so a class holding an ItemHold of a type its header only
// declares defines its copies and destructor where T is defined.
template <typename T> class ItemHold {
public:
  explicit ItemHold(T* item) : fItem(item) {
    if (fItem != nullptr)
      fItem->Hold();
  }
  ItemHold(const ItemHold& other) : ItemHold(other.fItem) {}
  ItemHold& operator=(const ItemHold& other) {
    if (other.fItem != nullptr)
      other.fItem->Hold();
    if (fItem != nullptr)
      fItem->Unhold();
    fItem = other.fItem;
    return *this;
  }
  ~ItemHold() {
    if (fItem != nullptr)
      fItem->Unhold();
  }

  T* get() const { return fItem; }
  T* operator->() const { return fItem; }
  T& operator*() const { return *fItem; }

private:
  T* fItem;
};

} // namespace output
