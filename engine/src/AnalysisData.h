// The cases of one split group as the tests see them: each field the command names as a column of
// numbers (a category's position for categorical fields), missing values as NaN, and each case's
// frequency weight.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class VORN_DataSource;

namespace engine {

class DataSet;
struct NptestsRequest;

// One valid value of a categorical field: its number or text, and the text a reader shows.
struct Category {
  bool fIsText = false;
  double fNumber = 0;
  std::string fText;
  std::string fLabel;
};

struct FieldColumn {
  enum class Level { kContinuous, kCategorical, kOrdinal };

  std::string fName;
  std::string fLabel;
  int fColumn = -1; // in the data set
  // In the document's dictionary, which lists every column of the data in order, so that a
  // document's field numbers are the dictionary's the command was read against.
  int fDocumentIndex = -1;
  Level fLevel = Level::kContinuous;
  bool fIsText = false;
  bool fIsDate = false; // values are days from 1 January 1970, as documents hold dates
  // Categorical and ordinal fields: the valid values of the group, in order (numbers ascending;
  // texts in the order of their value labels, then by their bytes).
  std::vector<Category> fCategories;
  // One value per case of the group: the number, or the category's position; NaN when missing.
  std::vector<double> fValues;

  bool IsCategorical() const { return fLevel != Level::kContinuous; }
  // The position of a value the command names among the categories, or -1.
  int FindCategory(bool isText, double number, const std::string& text) const;
};

class AnalysisData {
public:
  // The cases `rows` of `data` (one split group), with the fields `request` names.
  AnalysisData(const DataSet& data, const VORN_DataSource& dictionary,
               const NptestsRequest& request, const std::vector<std::size_t>& rows);

  std::size_t CaseCount() const { return fCaseCount; }
  // The case's frequency weight (the weight variable's value rounded), 0 for a case left out for
  // its weight (missing, negative or zero); 1 when the data are not weighted.
  double Weight(std::size_t c) const { return fWeighted ? fWeights[c] : 1.0; }
  // The fields the command names, in the document's order (the data's column order).
  const std::vector<FieldColumn>& Fields() const { return fFields; }
  // The field of that name (ignoring case); the command was checked against the dictionary.
  const FieldColumn& Field(const std::string& name) const;

  // The cases usable by a test on `fields`: a weight and a valid value in each of them, and,
  // when the command asks for listwise deletion, in every field it names.
  std::vector<std::size_t> ValidCases(const std::vector<const FieldColumn*>& fields) const;

  // The counts of the document: every case of the group, its summed weight, and the cases (and
  // their weight) left out of every test.
  double TotalCount() const { return static_cast<double>(CaseCount()); }
  double TotalFrequency() const { return fTotalFrequency; }
  double BadWeightCount() const { return fBadWeightCount; }
  double DroppedCount() const { return fDroppedCount; }
  double DroppedFrequency() const { return fDroppedFrequency; }
  bool Weighted() const { return fWeighted; }

private:
  bool Valid(std::size_t c, const FieldColumn& field) const;

  std::vector<FieldColumn> fFields;
  // One weight per case when the data are weighted; none otherwise (each case weighs 1).
  std::vector<double> fWeights;
  std::size_t fCaseCount = 0;
  bool fListwise = false;
  bool fWeighted = false;
  double fTotalFrequency = 0;
  double fBadWeightCount = 0;
  double fDroppedCount = 0;
  double fDroppedFrequency = 0;
};

} // namespace engine
