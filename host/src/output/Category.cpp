// The category tree of a dimension.
#include "output/Category.h"

#include <algorithm>

namespace output {

Category::Category(Label label, bool isGroup, const Category* parent)
    : fLabel(std::move(label)), fIsGroup(isGroup), fParent(parent) {}

Category::~Category() = default;

Category* Category::FindOrAddChild(const Label& label, bool isGroup) {
  auto found = std::find_if(fChildren.begin(), fChildren.end(), [&](const auto& child) {
    return child->fIsGroup == isGroup && child->fLabel == label;
  });
  if (found != fChildren.end()) {
    return found->get();
  }
  fChildren.push_back(std::make_unique<Category>(label, isGroup, this));
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
