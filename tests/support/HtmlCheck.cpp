// Regex-level HTML checks: enough for the writer's own regular output, not a general parser.
#include "HtmlCheck.h"

#include <regex>
#include <set>

std::string CheckNesting(const std::string& html) {
  static const std::set<std::string> kVoid = {"meta", "br", "rect", "link", "img"};
  static const std::regex kTag(R"(<(/?)([a-zA-Z][a-zA-Z0-9]*)[^>]*?(/?)>)");
  std::vector<std::string> open;
  for (auto it = std::sregex_iterator(html.begin(), html.end(), kTag); it != std::sregex_iterator();
       ++it) {
    const std::string name = (*it)[2];
    if (name == "DOCTYPE" || kVoid.count(name) || (*it)[3] == "/")
      continue;
    if ((*it)[1] == "") {
      open.push_back(name);
      continue;
    }
    if (open.empty() || open.back() != name)
      return "unexpected </" + name + "> with <" + (open.empty() ? "" : open.back()) + "> open";
    open.pop_back();
  }
  return open.empty() ? "" : "unclosed <" + open.back() + ">";
}

int Attribute(const std::string& attrs, const char* name) {
  std::smatch m;
  const std::regex re(std::string(name) + "=\"(\\d+)\"");
  return std::regex_search(attrs, m, re) ? std::stoi(m[1]) : 1;
}

std::vector<std::vector<const GridCell*>> LayOut(const std::string& table,
                                                 std::vector<std::vector<GridCell>>& rows) {
  static const std::regex kRow(R"(<tr[^>]*>([\s\S]*?)</tr>)");
  static const std::regex kCell(R"(<(th|td)([^>]*)>([\s\S]*?)</\1>)");
  for (auto r = std::sregex_iterator(table.begin(), table.end(), kRow); r != std::sregex_iterator();
       ++r) {
    const std::string inner = (*r)[1];
    rows.emplace_back();
    for (auto c = std::sregex_iterator(inner.begin(), inner.end(), kCell);
         c != std::sregex_iterator(); ++c)
      rows.back().push_back(GridCell{(*c)[1], (*c)[3], (*c)[2]});
  }
  std::vector<std::vector<const GridCell*>> grid(rows.size());
  for (size_t i = 0; i < rows.size(); ++i) {
    size_t column = 0;
    for (const GridCell& cell : rows[i]) {
      while (column < grid[i].size() && grid[i][column] != nullptr)
        ++column;
      const int colspan = Attribute(cell.attrs, "colspan");
      const int rowspan = Attribute(cell.attrs, "rowspan");
      for (int dr = 0; dr < rowspan && i + dr < rows.size(); ++dr) {
        auto& slots = grid[i + dr];
        if (slots.size() < column + colspan)
          slots.resize(column + colspan, nullptr);
        for (int dc = 0; dc < colspan; ++dc)
          slots[column + dc] = &cell;
      }
      column += colspan;
    }
  }
  return grid;
}

std::vector<std::string> Tables(const std::string& html) {
  static const std::regex kTable(R"(<table[\s\S]*?</table>)");
  std::vector<std::string> tables;
  for (auto it = std::sregex_iterator(html.begin(), html.end(), kTable);
       it != std::sregex_iterator(); ++it)
    tables.push_back(it->str());
  return tables;
}
