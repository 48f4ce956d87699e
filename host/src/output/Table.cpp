// A pivot table's cells and footnote marks.
#include "output/Table.h"

#include <algorithm>
#include <cstdint>

namespace output {

std::optional<double> Cell::Value() const {
  if (label.Kind() != LabelKind::kNumber) {
    return std::nullopt;
  }
  return label.Number();
}

Table::Table(Label title, std::string subtitle)
    : fTitle(std::move(title)), fSubtitle(std::move(subtitle)) {}

Table::~Table() = default;

Dimension* Table::AddDimension(Label label) {
  fDimensions.push_back(std::make_unique<Dimension>(std::move(label)));
  return fDimensions.back().get();
}

std::size_t
Table::CategoriesHash::operator()(const std::vector<const Category*>& categories) const {
  // Categories are allocated alike, so their addresses share most bits and differ by steps of the
  // allocation's size; each is mixed through a 64-bit finalizer (splitmix64's) before it is
  // combined, or the cells of a large table crowd into a few buckets.
  std::uint64_t hash = categories.size();
  for (const Category* category : categories) {
    std::uint64_t x = reinterpret_cast<std::uintptr_t>(category) + 0x9e3779b97f4a7c15ULL;
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
    hash = (hash ^ (x ^ (x >> 31))) * 0x100000001b3ULL;
  }
  return static_cast<std::size_t>(hash ^ (hash >> 32));
}

const Cell* Table::FindCell(const std::vector<const Category*>& categories) const {
  auto found = fCellIndex.find(categories);
  return found == fCellIndex.end() ? nullptr : &fCells[found->second];
}

Cell& Table::CellAt(const std::vector<const Category*>& categories) {
  auto found = fCellIndex.find(categories);
  if (found != fCellIndex.end()) {
    return fCells[found->second];
  }
  fCellIndex.emplace(categories, fCells.size());
  fCells.push_back(Cell{categories, Label(), {}});
  return fCells.back();
}

std::string Table::MarkFor(const std::string& noteText) {
  auto found = std::find_if(fFootnotes.begin(), fFootnotes.end(),
                            [&](const Footnote& note) { return note.text == noteText; });
  if (found != fFootnotes.end()) {
    return found->mark;
  }
  fFootnotes.push_back(Footnote{FootnoteMark(fFootnotes.size()), noteText});
  return fFootnotes.back().mark;
}

std::string FootnoteMark(std::size_t n) {
  // Bijective base 26: a..z, aa..az, ba.., so no mark is ever empty or repeated.
  std::string mark;
  ++n;
  while (n > 0) {
    --n;
    mark.insert(mark.begin(), static_cast<char>('a' + n % 26));
    n /= 26;
  }
  return mark;
}

} // namespace output
