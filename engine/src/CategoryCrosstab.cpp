// Crosstable of two related category fields.
#include "CategoryCrosstab.h"

#include "AnalysisData.h"
#include "RelatedCases.h"
#include "TestWriting.h"

#include <algorithm>
#include <numeric>

namespace engine {
namespace {

bool SameCategory(const Category& a, const Category& b) {
  return a.fIsText == b.fIsText && (a.fIsText ? a.fText == b.fText : a.fNumber == b.fNumber);
}

} // namespace

CategoryCrosstab::CategoryCrosstab(const RelatedCases& cases, const std::vector<int>& rowClass,
                                   const std::vector<int>& columnClass, std::size_t classes)
    : fCounts(classes, std::vector<double>(classes, 0.0)) {
  for (std::size_t i = 0; i < cases.CaseCount(); ++i) {
    const int row = rowClass[static_cast<std::size_t>(cases.Position(0, i))];
    const int column = columnClass[static_cast<std::size_t>(cases.Position(1, i))];
    fCounts[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] += cases.Weight(i);
    fTotal += cases.Weight(i);
  }
}

std::vector<Category> CategoryCrosstab::Union(const RelatedCases& cases,
                                              std::vector<std::vector<int>>& classOf) {
  std::vector<Category> all;
  for (std::size_t f = 0; f < 2; ++f)
    for (const Category& category : cases.Field(f).fCategories)
      if (std::none_of(all.begin(), all.end(),
                       [&](const Category& c) { return SameCategory(c, category); }))
        all.push_back(category);
  if (std::none_of(all.begin(), all.end(), [](const Category& c) { return c.fIsText; }))
    std::sort(all.begin(), all.end(),
              [](const Category& a, const Category& b) { return a.fNumber < b.fNumber; });
  classOf.assign(2, {});
  for (std::size_t f = 0; f < 2; ++f)
    for (const Category& category : cases.Field(f).fCategories)
      classOf[f].push_back(static_cast<int>(
          std::find_if(all.begin(), all.end(),
                       [&](const Category& c) { return SameCategory(c, category); }) -
          all.begin()));
  return all;
}

ResultElement CategoryCrosstab::Record(double rowIndex, double columnIndex,
                                       const std::vector<std::vector<double>>* lists) const {
  ResultElement table = TestWriting::Table("CategoryFieldsComparison");
  table.Add(TestWriting::Attribute("RowNames", rowIndex));
  if (lists) {
    table.Add(TestWriting::Attribute("RowSuccessList", (*lists)[0]));
    table.Add(TestWriting::Attribute("RowFailList", (*lists)[1]));
  }
  table.Add(TestWriting::Attribute("ColumnNames", columnIndex));
  if (lists) {
    table.Add(TestWriting::Attribute("ColumnSuccessList", (*lists)[2]));
    table.Add(TestWriting::Attribute("ColumnFailList", (*lists)[3]));
  }
  const std::vector<std::string> names = TestWriting::Positions(fCounts.size());
  table.Add(TestWriting::SimpleTable("Crosstab", names, names, fCounts));
  return table;
}

} // namespace engine
