// Helpers of the pivot builder tests: a procedure over a fresh document and finders in the model.
#pragma once

#include "output/Document.h"
#include "pivot/BpProcedure.h"

#include <memory>
#include <string>
#include <vector>

// The texts of a cell's categories, one per dimension, for readable expectations.
inline std::vector<std::string> CellPlace(const output::Cell& cell) {
  std::vector<std::string> texts;
  for (const output::Category* category : cell.categories) {
    texts.push_back(category != nullptr ? category->GetLabel().Text() : "<none>");
  }
  return texts;
}

// The cell whose categories show these texts, or null.
inline const output::Cell* FindCellByTexts(const output::Table& table,
                                           const std::vector<std::string>& texts) {
  for (const output::Cell& cell : table.Cells()) {
    if (CellPlace(cell) == texts) {
      return &cell;
    }
  }
  return nullptr;
}

inline const output::Heading& RootHeading(const output::Document& document) {
  return *document.Items().front()->AsHeading();
}
