// The output document, and the walks that hand it to a sink whole or as it grows.
#include "output/Document.h"

namespace output {

OutlineSink::~OutlineSink() = default;

Document::Document() = default;
Document::~Document() = default;

namespace {

void WalkItems(const std::vector<std::unique_ptr<Item>>& items, OutlineSink& sink) {
  for (const auto& item : items) {
    if (item == nullptr)
      continue;
    if (const Heading* heading = item->AsHeading()) {
      sink.OpenHeading(*heading);
      WalkItems(heading->Items(), sink);
      sink.CloseHeading(*heading);
    } else {
      sink.Leaf(*item);
    }
  }
}

} // namespace

void Document::Walk(const Document& document, OutlineSink& sink) {
  WalkItems(document.fItems, sink);
}

// A loop over an explicit stack rather than recursion, so that it can stop at a held item and
// resume there on the next call.
void Document::Advance(bool all) {
  if (fSink == nullptr)
    return;
  while (true) {
    Open& open = fOpen.back();
    std::vector<std::unique_ptr<Item>>& items =
        open.heading != nullptr ? open.heading->fItems : fItems;
    if (open.next < items.size()) {
      Item& item = *items[open.next];
      if (item.Kind() == ItemKind::kHeading) {
        // A heading's label is fixed when it is made, so it opens even while held.
        Heading& heading = static_cast<Heading&>(item);
        fSink->OpenHeading(heading);
        fOpen.push_back({&heading, 0});
        continue;
      }
      if (!all && item.Held())
        return;
      fSink->Leaf(item);
      // Finishing leaves the items in place: a handle that outlives the finish still points at
      // its item (whatever it adds now is not written), and the document frees them all.
      if (!all)
        items[open.next].reset();
      ++open.next;
      continue;
    }
    if (open.heading == nullptr || (!all && open.heading->Held()))
      return;
    fSink->CloseHeading(*open.heading);
    fOpen.pop_back();
    Open& parent = fOpen.back();
    if (!all)
      (parent.heading != nullptr ? parent.heading->fItems : fItems)[parent.next].reset();
    ++parent.next;
  }
}

} // namespace output
