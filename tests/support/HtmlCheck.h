// Structural checks of written HTML for the writer tests: element nesting, and tables laid out
// into the grid of slots a browser would make from their row and column spans.
#pragma once

#include <string>
#include <vector>

// Returns "" when every non-void element is closed in the right order, else the first mismatch.
std::string CheckNesting(const std::string& html);

struct GridCell {
  std::string tag;   // th or td
  std::string text;  // inner HTML
  std::string attrs; // raw attributes
};

// The value of a numeric attribute such as colspan; 1 when absent.
int Attribute(const std::string& attrs, const char* name);

// Lays the rows of one <table> out as a browser does (row and column spans fill slots): `rows`
// receives the parsed cells, the result points into it, one vector of slots per row.
std::vector<std::vector<const GridCell*>> LayOut(const std::string& table,
                                                 std::vector<std::vector<GridCell>>& rows);

// The <table> elements of a page, in order.
std::vector<std::string> Tables(const std::string& html);
