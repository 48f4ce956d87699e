// The numbers of an outline's headings as every report shows them ("1", "1.2", "1.2.3": a heading
// counted among its siblings), and the tables and charts counted under the heading that holds
// them. Each sink that numbers headings (HTML, text, chart files) keeps one, so their numbers
// agree.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class OutlineNumbering {
public:
  // Opens a heading under the innermost open one and returns its number.
  const std::string& Open();
  // Closes the innermost open heading; nothing when none is open.
  void Close();

  // How many headings are open.
  std::size_t Depth() const { return fLevels.size() - 1; }
  // The innermost open heading's number; empty above every heading.
  const std::string& Number() const { return fLevels.back().number; }
  // How many headings the innermost open heading (or the outline itself) has had so far.
  int Headings() const { return fLevels.back().headings; }
  // The number of the `n`-th heading (from 1) under the innermost open one, had or to come.
  std::string ChildNumber(int n) const;
  // Counts a table, or a chart, under the innermost open heading and returns its count there.
  int CountTable() { return ++fLevels.back().tables; }
  int CountChart() { return ++fLevels.back().charts; }

private:
  struct Level {
    std::string number;
    int headings = 0;
    int tables = 0;
    int charts = 0;
  };
  std::vector<Level> fLevels{Level{}};
};
