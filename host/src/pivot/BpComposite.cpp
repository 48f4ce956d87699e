// Composite cell texts: items, sublists and their expansion into the translated format.
#include "pivot/BpComposite.h"

#include "CompositeFormat.h"

#include "output/Label.h"
#include "strings/FacSTDictionary.h"

BpComposite::BpComposite(std::string format, bool translatable)
    : fFormat(std::move(format)), fTranslatable(translatable) {}

BpComposite::BpComposite(const BpComposite& other)
    : BpCellText(other), fFormat(other.fFormat), fTranslatable(other.fTranslatable),
      fOpen(other.fOpen) {
  for (const Node& node : other.fItems) {
    fItems.push_back(CopyNode(node));
  }
}

BpComposite& BpComposite::operator=(const BpComposite& other) {
  if (this != &other) {
    BpComposite copy(other);
    fFormat = std::move(copy.fFormat);
    fTranslatable = copy.fTranslatable;
    fItems = std::move(copy.fItems);
    fOpen = std::move(copy.fOpen);
  }
  return *this;
}

BpComposite::~BpComposite() = default;

BpComposite::Node BpComposite::CopyNode(const Node& node) {
  Node copy;
  if (node.text) {
    copy.text = node.text->Clone();
  }
  for (const Node& member : node.list) {
    copy.list.push_back(CopyNode(member));
  }
  return copy;
}

std::vector<BpComposite::Node>& BpComposite::OpenLevel() {
  std::vector<Node>* level = &fItems;
  for (std::size_t position : fOpen) {
    level = &(*level)[position].list;
  }
  return *level;
}

void BpComposite::Add(const BpCellText& item) {
  Node node;
  node.text = item.Clone();
  OpenLevel().push_back(std::move(node));
}

void BpComposite::Sublist() {
  std::vector<Node>& level = OpenLevel();
  level.push_back(Node());
  fOpen.push_back(level.size() - 1);
}

void BpComposite::EndSublist() {
  if (!fOpen.empty()) {
    fOpen.pop_back();
  }
}

void BpComposite::Finish() {
  fOpen.clear();
}

std::unique_ptr<BpCellText> BpComposite::Clone() const {
  return std::make_unique<BpComposite>(*this);
}

output::Label BpComposite::NodeLabel(const Node& node, const FacSTDictionary* strings) {
  if (node.text) {
    return node.text->ToLabel(strings);
  }
  std::vector<output::Label> members;
  for (const Node& member : node.list) {
    members.push_back(NodeLabel(member, strings));
  }
  std::string shown = JoinList(members);
  return output::Label::List(std::move(members), std::move(shown));
}

output::Label BpComposite::ToLabel(const FacSTDictionary* strings) const {
  std::vector<output::Label> items;
  for (const Node& node : fItems) {
    items.push_back(NodeLabel(node, strings));
  }
  bool found = !fTranslatable;
  std::string format = fFormat;
  if (fTranslatable && strings != nullptr) {
    format = strings->Translate(fFormat, found);
  }
  RichText shown = ExpandRichComposite(format, items);
  output::Label label = output::Label::Composite(fFormat, std::move(shown.text), fTranslatable,
                                                 !found, std::move(items));
  label.SetRuns(std::move(shown.runs));
  return label;
}
