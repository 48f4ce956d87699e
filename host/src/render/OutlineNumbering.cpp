// Heading numbers of an outline, shared by the writers and the chart files.
#include "render/OutlineNumbering.h"

const std::string& OutlineNumbering::Open() {
  Level level;
  level.number = ChildNumber(++fLevels.back().headings);
  fLevels.push_back(std::move(level));
  return fLevels.back().number;
}

void OutlineNumbering::Close() {
  if (fLevels.size() > 1)
    fLevels.pop_back();
}

std::string OutlineNumbering::ChildNumber(int n) const {
  const std::string& parent = fLevels.back().number;
  return parent.empty() ? std::to_string(n) : parent + "." + std::to_string(n);
}
