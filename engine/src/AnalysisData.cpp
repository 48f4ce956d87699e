// Building the tests' view of one split group's cases.
#include "AnalysisData.h"

#include "NptestsRequest.h"
#include "engine/DataSet.h"
#include "engine/Engine.h"

#include "dict/VORN_DataSource.h"
#include "dict/VORN_Variable.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>

namespace engine {
namespace {

constexpr double kMissing = std::numeric_limits<double>::quiet_NaN();
// Seconds from 14 October 1582 to 1 January 1970: dictionary dates count from the former,
// documents from the latter, in days.
constexpr double kSecondsTo1970 = 12219379200.0;
constexpr double kSecondsPerDay = 86400.0;

bool SameName(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

FieldColumn::Level LevelOf(const VORN_Variable& variable, bool isText) {
  switch (variable.GetMeasure()) {
  case VORN_Variable::kMeasureNominal:
    return FieldColumn::Level::kCategorical;
  case VORN_Variable::kMeasureOrdinal:
    return FieldColumn::Level::kOrdinal;
  case VORN_Variable::kMeasureScale:
    return isText ? FieldColumn::Level::kCategorical : FieldColumn::Level::kContinuous;
  default:
    return isText ? FieldColumn::Level::kCategorical : FieldColumn::Level::kContinuous;
  }
}

// A number's text as the dictionary's values are written: integers without a decimal point.
std::string NumberLabel(double value) {
  char buffer[32];
  if (std::fabs(value) < 1e15 && value == std::trunc(value))
    std::snprintf(buffer, sizeof buffer, "%.0f", value);
  else
    std::snprintf(buffer, sizeof buffer, "%.17g", value);
  return buffer;
}

// The categories of a numeric field: its valid values ascending, each with its value label.
void NumericCategories(FieldColumn& field, const VORN_Variable& variable) {
  std::vector<double> distinct;
  for (double v : field.fValues)
    if (!std::isnan(v))
      distinct.push_back(v);
  std::sort(distinct.begin(), distinct.end());
  distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
  for (double v : distinct) {
    Category category;
    category.fNumber = v;
    const std::string* label = variable.GetValueLabels().Find(v);
    category.fLabel = label ? *label : NumberLabel(v);
    field.fCategories.push_back(category);
  }
  for (double& v : field.fValues)
    if (!std::isnan(v))
      v = static_cast<double>(std::lower_bound(distinct.begin(), distinct.end(), v) -
                              distinct.begin());
}

} // namespace

int FieldColumn::FindCategory(bool isText, double number, const std::string& text) const {
  for (std::size_t i = 0; i < fCategories.size(); ++i) {
    const Category& category = fCategories[i];
    if (isText && fIsText && category.fText == text)
      return static_cast<int>(i);
    if (!isText && !fIsText && category.fNumber == number)
      return static_cast<int>(i);
  }
  return -1;
}

AnalysisData::AnalysisData(const DataSet& data, const VORN_DataSource& dictionary,
                           const NptestsRequest& request, const std::vector<std::size_t>& rows)
    : fListwise(request.fListwise) {
  const bool includeUser = request.fIncludeUserMissing;
  // Weights: rounded frequency weights; a case without a usable one counts in no test.
  const int weightColumn = dictionary.GetWeightVarIndex();
  fWeighted = weightColumn >= 0 && !data.Column(weightColumn).IsText();
  fCaseCount = rows.size();
  if (fWeighted) {
    fWeights.assign(rows.size(), 1.0);
    const DataColumn& column = data.Column(static_cast<std::size_t>(weightColumn));
    for (std::size_t c = 0; c < rows.size(); ++c) {
      const double w = column.Number(rows[c]);
      const double rounded = std::isnan(w) ? 0 : std::round(w);
      fWeights[c] = rounded > 0 ? rounded : 0;
      if (fWeights[c] == 0)
        ++fBadWeightCount;
    }
  }
  fTotalFrequency = fWeighted ? 0 : static_cast<double>(rows.size());
  for (double w : fWeights)
    fTotalFrequency += w;

  // The named fields, in the data's column order.
  std::vector<int> columns;
  for (const std::string& name : request.NamedFields()) {
    const int column = data.FindColumn(name);
    if (column < 0)
      throw EngineError("the command names " + name + ", which is not a column of the data");
    columns.push_back(column);
  }
  std::sort(columns.begin(), columns.end());
  for (int column : columns) {
    const DataColumn& source = data.Column(static_cast<std::size_t>(column));
    const VORN_Variable& variable = *dictionary.GetVariable(column);
    FieldColumn field;
    field.fName = variable.GetName();
    field.fLabel = variable.GetLabel();
    field.fColumn = column;
    field.fDocumentIndex = column;
    field.fIsText = source.IsText();
    field.fLevel = LevelOf(variable, field.fIsText);
    field.fIsDate = !field.fIsText && (source.IsDate() || variable.GetFormat().IsDateTime());
    const VORN_MissingValues& missing = variable.GetMissingValues();
    field.fValues.resize(rows.size(), kMissing);
    if (field.fIsText) {
      // Codes of the valid texts, then their order: value-label order first, then bytes. A table
      // indexed by code keeps both steps linear: each distinct text is judged once, not per case.
      constexpr int kUnseen = -2, kInvalid = -1;
      std::vector<int> positionOfCode(source.TextCount(), kUnseen);
      positionOfCode[0] = kInvalid;
      std::vector<std::uint32_t> used;
      for (std::size_t c = 0; c < rows.size(); ++c) {
        const std::uint32_t code = source.Code(rows[c]);
        if (positionOfCode[code] != kUnseen)
          continue;
        const bool valid = includeUser || !missing.IsMissing(source.Text(code));
        positionOfCode[code] = valid ? 0 : kInvalid;
        if (valid)
          used.push_back(code);
      }
      const auto& labels = variable.GetValueLabels();
      auto labelRank = [&](std::uint32_t code) {
        const auto& entries = labels.Entries();
        for (std::size_t i = 0; i < entries.size(); ++i)
          if (entries[i].fIsString && entries[i].fText == source.Text(code))
            return i;
        return entries.size();
      };
      std::sort(used.begin(), used.end(), [&](std::uint32_t a, std::uint32_t b) {
        const std::size_t ra = labelRank(a), rb = labelRank(b);
        if (ra != rb)
          return ra < rb;
        return source.Text(a) < source.Text(b);
      });
      for (std::size_t i = 0; i < used.size(); ++i) {
        positionOfCode[used[i]] = static_cast<int>(i);
        Category category;
        category.fIsText = true;
        category.fText = source.Text(used[i]);
        const std::string* label = labels.Find(category.fText);
        category.fLabel = label ? *label : category.fText;
        field.fCategories.push_back(category);
      }
      for (std::size_t c = 0; c < rows.size(); ++c) {
        const int position = positionOfCode[source.Code(rows[c])];
        if (position >= 0)
          field.fValues[c] = position;
      }
    } else {
      for (std::size_t c = 0; c < rows.size(); ++c) {
        const double v = source.Number(rows[c]);
        if (std::isnan(v) || (!includeUser && missing.IsMissing(v)))
          continue;
        field.fValues[c] = field.fIsDate ? (v - kSecondsTo1970) / kSecondsPerDay : v;
      }
      if (field.IsCategorical())
        NumericCategories(field, variable);
    }
    fFields.push_back(std::move(field));
  }

  // Cases left out of every test: no weight, or (listwise) a missing value in a named field.
  for (std::size_t c = 0; c < rows.size(); ++c) {
    bool dropped = Weight(c) == 0;
    for (const FieldColumn& field : fFields)
      if (fListwise && std::isnan(field.fValues[c]))
        dropped = true;
    if (dropped && Weight(c) > 0) {
      ++fDroppedCount;
      fDroppedFrequency += Weight(c);
    }
  }
}

const FieldColumn& AnalysisData::Field(const std::string& name) const {
  for (const FieldColumn& field : fFields)
    if (SameName(field.fName, name))
      return field;
  throw EngineError("the command names " + name + ", which is not a column of the data");
}

bool AnalysisData::Valid(std::size_t c, const FieldColumn& field) const {
  return !std::isnan(field.fValues[c]);
}

std::vector<std::size_t>
AnalysisData::ValidCases(const std::vector<const FieldColumn*>& fields) const {
  std::vector<std::size_t> cases;
  cases.reserve(CaseCount());
  for (std::size_t c = 0; c < CaseCount(); ++c) {
    if (Weight(c) == 0)
      continue;
    bool valid = true;
    if (fListwise) {
      for (const FieldColumn& field : fFields)
        valid = valid && Valid(c, field);
    } else {
      for (const FieldColumn* field : fields)
        valid = valid && Valid(c, *field);
    }
    if (valid)
      cases.push_back(c);
  }
  return cases;
}

} // namespace engine
