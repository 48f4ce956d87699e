// Live-heading bookkeeping shared by the handles of one procedure.
#include "BpState.h"

#include <algorithm>
#include <iterator>

void BpState::Retain(output::Heading* node) {
  if (!node->Held())
    headings.push_back(node);
  node->Hold();
}

void BpState::Release(output::Heading* node) {
  node->Unhold();
  if (node->Held())
    return;
  // Handles mostly die in the reverse order of their making, so the search ends at once.
  auto found = std::find(headings.rbegin(), headings.rend(), node);
  if (found != headings.rend())
    headings.erase(std::next(found).base());
}

output::Heading* BpState::LatestLiveHeading() const {
  return headings.empty() ? nullptr : headings.back();
}

output::Note BpState::MakeNote(output::Table& table, const BpCellText& text) const {
  output::Label label = Resolve(text);
  std::string mark = table.MarkFor(label.Text());
  return output::Note{std::move(label), std::move(mark)};
}
