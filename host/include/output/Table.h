// A pivot table: title, second text, caption, dimensions, cells and footnotes.
#pragma once

#include "output/Cell.h"
#include "output/Dimension.h"
#include "output/Item.h"
#include "output/Label.h"
#include "output/Note.h"

#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace output {

class Table : public Item {
public:
  // `subtitle` is the plain second text the procedure gives every table (an untranslated name).
  Table(Label title, std::string subtitle);
  ~Table() override;

  ItemKind Kind() const override { return ItemKind::kTable; }
  const Label& Title() const { return fTitle; }
  const std::string& Subtitle() const { return fSubtitle; }
  const std::optional<Label>& Caption() const { return fCaption; }
  void SetCaption(Label caption) { fCaption = std::move(caption); }

  // Bounds of a data column's width in points; 0 when not set.
  int MinDataColumnWidth() const { return fMinWidth; }
  int MaxDataColumnWidth() const { return fMaxWidth; }
  void SetMinDataColumnWidth(int width) { fMinWidth = width; }
  void SetMaxDataColumnWidth(int width) { fMaxWidth = width; }

  // In creation order; the order of Cell::categories.
  const std::vector<std::unique_ptr<Dimension>>& Dimensions() const { return fDimensions; }
  Dimension* AddDimension(Label label);

  // In the order they were first written.
  const std::vector<Cell>& Cells() const { return fCells; }
  // The cell at these categories (one per dimension), or null.
  const Cell* FindCell(const std::vector<const Category*>& categories) const;
  // The cell at these categories, made empty (plain empty text) when there is none yet.
  Cell& CellAt(const std::vector<const Category*>& categories);

  // One per distinct note text, in the order the marks were given.
  const std::vector<Footnote>& Footnotes() const { return fFootnotes; }
  // The mark for a note text: the existing one, or the next free mark ("a" ... "z", "aa", ...).
  std::string MarkFor(const std::string& noteText);

private:
  Label fTitle;
  std::string fSubtitle;
  std::optional<Label> fCaption;
  int fMinWidth = 0;
  int fMaxWidth = 0;
  std::vector<std::unique_ptr<Dimension>> fDimensions;
  std::vector<Cell> fCells;
  // Hashes the categories' addresses: a look-up costs the same however many cells a table has.
  struct CategoriesHash {
    std::size_t operator()(const std::vector<const Category*>& categories) const;
  };
  std::unordered_map<std::vector<const Category*>, std::size_t, CategoriesHash> fCellIndex;
  std::vector<Footnote> fFootnotes;
};

// The footnote mark number n (0-based): "a" ... "z", "aa", "ab", ...
std::string FootnoteMark(std::size_t n);

} // namespace output
