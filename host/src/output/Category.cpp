// The category tree of a dimension.
#include "output/Category.h"

#include <algorithm>
#include <functional>
#include <string>

namespace output {

namespace {

// Equal labels have equal texts, keys and kinds, so equal labels hash alike.
std::size_t HashOf(const Label& label, bool isGroup) {
  std::size_t hash = std::hash<std::string>{}(label.Text());
  if (label.Key())
    hash = hash * 31 + std::hash<std::string>{}(*label.Key());
  return hash * 31 + static_cast<std::size_t>(label.Kind()) * 2 + (isGroup ? 1 : 0);
}

} // namespace

Category::Category(Label label, bool isGroup, const Category* parent)
    : fLabel(std::move(label)), fIsGroup(isGroup), fParent(parent) {}

Category::~Category() = default;

Category* Category::FindOrAddChild(const Label& label, bool isGroup) {
  const std::size_t hash = HashOf(label, isGroup);
  // Children are made here only, so no two are equal: the first match is the one.
  const auto [first, last] = fChildIndex.equal_range(hash);
  for (auto it = first; it != last; ++it)
    if (it->second->fIsGroup == isGroup && it->second->fLabel == label)
      return it->second;
  fChildren.push_back(std::make_unique<Category>(label, isGroup, this));
  fChildIndex.emplace(hash, fChildren.back().get());
  return fChildren.back().get();
}

std::vector<const Category*> Category::Leaves() const {
  std::vector<const Category*> leaves;
  for (const auto& child : fChildren) {
    if (!child->fIsGroup) {
      leaves.push_back(child.get());
      continue;
    }
    std::vector<const Category*> inner = child->Leaves();
    leaves.insert(leaves.end(), inner.begin(), inner.end());
  }
  return leaves;
}

std::vector<const Category*> Category::PathFromTop() const {
  std::vector<const Category*> path;
  for (const Category* node = this; node != nullptr && node->fParent != nullptr;
       node = node->fParent) {
    path.push_back(node);
  }
  std::reverse(path.begin(), path.end());
  return path;
}

void Category::AddNote(Note note) {
  for (const Note& existing : fNotes)
    if (existing.label == note.label)
      return;
  fNotes.push_back(std::move(note));
}

} // namespace output
