// Live-heading bookkeeping shared by the handles of one procedure.
#include "BpState.h"

#include <algorithm>

void BpState::Retain(output::Heading* node) {
  auto found = std::find_if(headings.begin(), headings.end(),
                            [node](const LiveHeading& entry) { return entry.node == node; });
  if (found == headings.end()) {
    headings.push_back({node, 1});
    return;
  }
  ++found->handles;
}

void BpState::Release(output::Heading* node) {
  auto found = std::find_if(headings.begin(), headings.end(),
                            [node](const LiveHeading& entry) { return entry.node == node; });
  if (found != headings.end() && found->handles > 0) {
    --found->handles;
  }
}

output::Heading* BpState::LatestLiveHeading() const {
  for (auto entry = headings.rbegin(); entry != headings.rend(); ++entry) {
    if (entry->handles > 0) {
      return entry->node;
    }
  }
  return nullptr;
}

output::Note BpState::MakeNote(output::Table& table, const BpCellText& text) const {
  output::Label label = Resolve(text);
  std::string mark = table.MarkFor(label.Text());
  return output::Note{std::move(label), std::move(mark)};
}
