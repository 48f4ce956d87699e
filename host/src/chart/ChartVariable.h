// A variable of a chart resolved against its data: its values row by row, its categories in
// display order, and how its values are shown (relabels, display format, decimals, prefix and
// suffix).
#pragma once

#include "chart/VarDataProcessor.h"
#include "dict/VORN_Format.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct ViZNode;

class ChartVariable {
public:
  // The most categories a variable keeps; rows of the others count as missing, so that a
  // variable with a value per row cannot turn into an axis of a million bands.
  static constexpr std::size_t kMaxCategories = 400;

  const std::string& Id() const { return fId; }
  const std::string& Source() const { return fSource; }
  const std::string& Label() const { return fLabel; }
  std::size_t Rows() const { return fValues == nullptr ? 0 : fValues->size(); }
  bool Categorical() const { return fCategorical; }
  // True when the display format is a date or time format (ticks take calendar steps).
  bool Dates() const { return fFormat && fFormat->IsDateTime(); }

  // The value in a row, or null beyond the rows.
  const VarDataProcessor::Value* ValueAt(std::size_t row) const {
    return row < Rows() ? &(*fValues)[row] : nullptr;
  }
  // The category whose value matches `value` as relabel keys match (numbers by value), or -1.
  int FindCategory(const VarDataProcessor::Value& value) const;
  // The number in a row: a number, or a text that reads as one; nothing when missing.
  std::optional<double> Number(std::size_t row) const;
  // The category index of a row, or -1 (missing, or a category beyond the cap).
  int Category(std::size_t row) const {
    return row < fCategoryOfRow.size() ? fCategoryOfRow[row] : -1;
  }
  std::size_t CategoryCount() const { return fCategories.size(); }
  // The shown text of a category (relabelled).
  std::string CategoryText(std::size_t index) const;
  // The shown text of a row's value: relabelled, in the variable's format, with prefix and
  // suffix; empty when missing.
  std::string Text(std::size_t row) const;
  // A number as the variable shows it; `step` (the tick step, or 0) decides the decimals when
  // neither a format nor decimals say.
  std::string FormatNumber(double value, double step = 0) const;
  // The label of a tick of a continuous axis whose ticks are `step` apart and reach `reach` (the
  // largest magnitude among them): the number as FormatNumber writes it; in E notation, with the
  // significant digits the step needs ("2.0E+307"; 0 stays "0"), when written so the ticks
  // would take more digits than a double holds.
  std::string TickText(double value, double step, double reach) const;

  // Builds every variable of a document (source and derived) against `data` (may be null).
  static std::map<std::string, std::unique_ptr<ChartVariable>>
  ResolveAll(const ViZNode& root, const VarDataProcessor* data);

private:
  void ReadFormat(const ViZNode& node);
  void BuildCategories(const std::string& order);
  const std::string* Relabel(const VarDataProcessor::Value& value, int categoryIndex) const;
  static std::string KeyText(const VarDataProcessor::Value& value);

  std::string fId;
  std::string fSource;
  std::string fLabel;
  bool fCategorical = false;
  const std::vector<VarDataProcessor::Value>* fValues = nullptr; // the source's column, or fOwned
  std::vector<VarDataProcessor::Value> fOwned;                   // a derived variable's values
  std::vector<VarDataProcessor::Value> fCategories; // one representative value per category
  std::vector<int> fCategoryOfRow;
  std::optional<VORN_Format> fFormat;
  int fDecimals = -1;
  bool fGrouping = false;
  std::string fPrefix;
  std::string fSuffix;
  std::vector<std::pair<std::string, std::string>> fKeyRelabels; // later ones win
  std::map<int, std::string> fIndexRelabels;
};
