// A node of a dimension's category tree: a category (a row or column of data) or a group of
// categories. A dimension's root node stands for the dimension itself.
#pragma once

#include "output/Label.h"
#include "output/Note.h"

#include <cstddef>
#include <memory>
#include <unordered_map>
#include <vector>

namespace output {

class Category {
public:
  // `parent` is null only for a dimension's root.
  Category(Label label, bool isGroup, const Category* parent);
  ~Category();
  Category(const Category&) = delete;
  Category& operator=(const Category&) = delete;

  const Label& GetLabel() const { return fLabel; }
  // Groups hold categories; a leaf category (IsGroup() false) holds cells. A dimension's root
  // counts as a group.
  bool IsGroup() const { return fIsGroup; }
  // Whether a group's label is shown above its children (the builder's flag); true for leaves.
  bool ShowsLabel() const { return fShowsLabel; }
  void SetShowsLabel(bool shows) { fShowsLabel = shows; }
  // Null for a dimension's root.
  const Category* Parent() const { return fParent; }
  const std::vector<Note>& Notes() const { return fNotes; }
  // Children in creation order.
  const std::vector<std::unique_ptr<Category>>& Children() const { return fChildren; }

  // The child with this label and this group-ness, made if there is none. Never null. Found
  // through an index of the children, so that naming every row of a table of n rows costs n
  // look-ups, not n squared comparisons.
  Category* FindOrAddChild(const Label& label, bool isGroup);
  // A category named again in every row gets the same note each time; it keeps one copy.
  void AddNote(Note note);

  // The leaf categories under this node in tree order (depth first, creation order).
  std::vector<const Category*> Leaves() const;
  // Labels from the dimension's first level down to this node; the root itself is left out.
  std::vector<const Category*> PathFromTop() const;

private:
  Label fLabel;
  bool fIsGroup;
  bool fShowsLabel = true;
  const Category* fParent;
  std::vector<Note> fNotes;
  std::vector<std::unique_ptr<Category>> fChildren;
  // The children by a hash of their group-ness and label texts; equal hashes are told apart by
  // comparing whole labels.
  std::unordered_multimap<std::size_t, Category*> fChildIndex;
};

} // namespace output
