// Variables of a chart against their data: categories in display order, and the texts a reader
// sees for values and categories.
#include "ChartVariable.h"

#include "ViZNode.h"

#include "text/TextFunctions.h"
#include "text/VORN_SystemMissing.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <unordered_map>

namespace {

using Value = VarDataProcessor::Value;

std::optional<double> NumberOf(const Value& value) {
  if (value.number) {
    if (std::isfinite(*value.number) && *value.number != VORN_SystemMissing())
      return *value.number;
    return std::nullopt;
  }
  if (value.text && !value.text->empty()) {
    double number = String2Double(*value.text);
    if (number != VORN_SystemMissing() && std::isfinite(number))
      return number;
  }
  return std::nullopt;
}

bool IsMissing(const Value& value) {
  if (value.number)
    return !NumberOf(value);
  return !value.text || value.text->empty();
}

std::string Shortest(double value) {
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.15g", value);
  std::string text(buffer);
  return text == "-0" ? "0" : text;
}

std::string Fixed(double value, int decimals) {
  char buffer[400];
  std::snprintf(buffer, sizeof buffer, "%.*f", std::clamp(decimals, 0, 16), value);
  std::string text(buffer);
  // "-0.0" reads as a sign on nothing.
  if (text[0] == '-' && text.find_first_not_of("-0.") == std::string::npos)
    text.erase(0, 1);
  return text;
}

// Decimals that tell ticks `step` apart.
int StepDecimals(double step) {
  return std::clamp(static_cast<int>(std::ceil(-std::log10(step) - 1e-9)), 0, 16);
}

// Digits a double holds; a tick written with more shows digits that are noise (1e308 in full has
// 309 of them, which no axis has room for).
constexpr int kMaxTickDigits = 15;

// Digits before the point of a number of that magnitude.
int IntegerDigits(double magnitude) {
  return magnitude < 10 ? 1 : static_cast<int>(std::floor(std::log10(magnitude))) + 1;
}

// A tick in the host's E notation (docs/display-formats.md) with as many significant digits as
// tell ticks `step` apart up to `reach`.
std::string ScientificTick(double value, double step, double reach) {
  if (value == 0)
    return "0";
  const int digits = std::clamp(static_cast<int>(std::floor(std::log10(reach))) -
                                    static_cast<int>(std::floor(std::log10(step))) + 1,
                                1, kMaxTickDigits);
  std::string text = FormatValue(value, VORN_Format(VORN_Format::kE, digits + 7, digits - 1));
  text.erase(0, text.find_first_not_of(' '));
  return text;
}

void Group(std::string& number) {
  std::size_t start = number[0] == '-' ? 1 : 0;
  std::size_t end = number.find('.');
  if (end == std::string::npos)
    end = number.size();
  for (std::size_t at = end; at > start + 3; at -= 3)
    number.insert(at - 3, 1, ',');
}

bool SameKey(const std::string& key, const Value& value) {
  if (value.text && *value.text == key)
    return true;
  std::optional<double> number = NumberOf(value);
  if (!number)
    return false;
  double keyNumber = String2Double(key);
  return keyNumber != VORN_SystemMissing() && keyNumber == *number;
}

} // namespace

std::optional<double> ChartVariable::Number(std::size_t row) const {
  if (row >= Rows())
    return std::nullopt;
  return NumberOf((*fValues)[row]);
}

int ChartVariable::FindCategory(const Value& value) const {
  if (IsMissing(value))
    return -1;
  std::string key = KeyText(value);
  for (std::size_t i = 0; i < fCategories.size(); ++i)
    if (SameKey(key, fCategories[i]))
      return static_cast<int>(i);
  return -1;
}

std::string ChartVariable::KeyText(const Value& value) {
  if (value.text)
    return *value.text;
  return value.number ? Shortest(*value.number) : std::string();
}

const std::string* ChartVariable::Relabel(const Value& value, int categoryIndex) const {
  if (categoryIndex >= 0) {
    auto found = fIndexRelabels.find(categoryIndex);
    if (found != fIndexRelabels.end())
      return &found->second;
  }
  for (auto it = fKeyRelabels.rbegin(); it != fKeyRelabels.rend(); ++it)
    if (SameKey(it->first, value))
      return &it->second;
  return nullptr;
}

std::string ChartVariable::FormatNumber(double value, double step) const {
  std::string text;
  // Ticks of a plain number format take the decimals their step needs ("150", not "150.00");
  // dates and times keep their format.
  bool plainTick = step > 0 && fFormat && !fFormat->IsDateTime() && fDecimals < 0;
  if (fFormat && !plainTick && (fFormat->IsDateTime() || (fDecimals < 0 && !fFormat->IsString()))) {
    text = FormatValue(value, *fFormat);
  } else if (fDecimals >= 0) {
    text = Fixed(value, fDecimals);
  } else if (step > 0) {
    const int decimals = StepDecimals(step);
    // Formats that group digits, carry a currency sign or a percent sign keep them on ticks,
    // with the decimals of the step.
    const int type = fFormat ? fFormat->TypeEx() : VORN_Format::kF;
    if (type == VORN_Format::kCOMMA || type == VORN_Format::kDOLLAR || type == VORN_Format::kDOT ||
        type == VORN_Format::kPCT) {
      VORN_Format tick = *fFormat;
      tick.Width(VORN_Format::kMaxNumericWidth);
      tick.Decimals(static_cast<unsigned char>(decimals));
      text = FormatValue(value, tick);
    } else {
      text = Fixed(value, decimals);
    }
  } else {
    text = Shortest(value);
  }
  if (fGrouping && text.find_first_of("eE") == std::string::npos)
    Group(text);
  return fPrefix + text + fSuffix;
}

std::string ChartVariable::TickText(double value, double step, double reach) const {
  if (Dates() || !(step > 0) || !std::isfinite(reach) || !std::isfinite(step))
    return FormatNumber(value, step);
  const int decimals = fDecimals >= 0 ? fDecimals : StepDecimals(step);
  if (IntegerDigits(reach) + decimals <= kMaxTickDigits)
    return FormatNumber(value, step);
  return fPrefix + ScientificTick(value, step, std::max(reach, step)) + fSuffix;
}

std::string ChartVariable::Text(std::size_t row) const {
  if (row >= Rows() || IsMissing((*fValues)[row]))
    return std::string();
  const Value& value = (*fValues)[row];
  if (const std::string* label = Relabel(value, Category(row)))
    return *label;
  if (value.number)
    return FormatNumber(*value.number);
  // A text that reads as a number is shown in the variable's format, as a number would be, when
  // the variable asks for one.
  std::optional<double> number = NumberOf(value);
  if (number && (fFormat || fDecimals >= 0 || !fPrefix.empty() || !fSuffix.empty()))
    return FormatNumber(*number);
  return *value.text;
}

std::string ChartVariable::CategoryText(std::size_t index) const {
  if (index >= fCategories.size())
    return std::string();
  const Value& value = fCategories[index];
  if (const std::string* label = Relabel(value, static_cast<int>(index)))
    return *label;
  if (value.number)
    return FormatNumber(*value.number);
  return *value.text;
}

void ChartVariable::ReadFormat(const ViZNode& node) {
  if (const std::string* format = node.Attribute("format")) {
    VORN_Format parsed;
    if (VORN_Format::FromText(*format, parsed))
      fFormat = parsed;
  }
  fLabel = node.AttributeOr("label", "");
  for (const ViZNode* format : node.Children("format")) {
    if (const std::string* decimals = format->Attribute("decimals")) {
      long value = String2Integer(*decimals);
      if (value >= 0 && value <= 16 && !decimals->empty())
        fDecimals = static_cast<int>(value);
    }
    if (const std::string* grouping = format->Attribute("grouping"))
      fGrouping = *grouping == "true";
    if (const std::string* prefix = format->Attribute("prefix"))
      fPrefix = *prefix;
    if (const std::string* suffix = format->Attribute("suffix"))
      fSuffix = *suffix;
    for (const ViZNode* relabel : format->Children("relabel")) {
      std::string label = relabel->AttributeOr("label", "");
      if (const std::string* key = relabel->Attribute("key")) {
        fKeyRelabels.emplace_back(*key, label);
      } else if (const std::string* index = relabel->Attribute("index")) {
        long position = String2Integer(*index);
        if (position >= 0 && position < static_cast<long>(kMaxCategories))
          fIndexRelabels[static_cast<int>(position)] = label;
      }
    }
  }
}

void ChartVariable::BuildCategories(const std::string& order) {
  const std::size_t rows = Rows();
  std::map<double, std::size_t> numbers; // first row of each number
  std::unordered_map<std::string, std::size_t> texts;
  std::vector<std::size_t> textRows; // first rows of texts, in order of appearance
  bool anyNumber = false;
  bool anyText = false;
  for (std::size_t row = 0; row < rows; ++row) {
    const Value& value = (*fValues)[row];
    if (IsMissing(value))
      continue;
    if (value.number) {
      anyNumber = true;
      if (numbers.size() < 4 * kMaxCategories)
        numbers.emplace(*value.number, row);
    } else {
      anyText = true;
      if (texts.size() < 4 * kMaxCategories && texts.emplace(*value.text, row).second)
        textRows.push_back(row);
    }
  }
  if (anyText && !anyNumber)
    fCategorical = true;

  std::vector<std::size_t> firstRows;
  std::vector<std::string> wanted;
  for (std::size_t start = 0; !order.empty() && wanted.size() < kMaxCategories;) {
    std::size_t end = order.find(';', start);
    wanted.push_back(order.substr(start, end == std::string::npos ? end : end - start));
    if (end == std::string::npos)
      break;
    start = end + 1;
  }
  std::vector<std::size_t> candidates;
  for (const auto& [number, row] : numbers)
    candidates.push_back(row);
  candidates.insert(candidates.end(), textRows.begin(), textRows.end());
  std::vector<char> used(candidates.size(), 0);
  for (const std::string& key : wanted) {
    for (std::size_t i = 0; i < candidates.size(); ++i) {
      if (!used[i] && SameKey(key, (*fValues)[candidates[i]])) {
        used[i] = 1;
        firstRows.push_back(candidates[i]);
        break;
      }
    }
  }
  for (std::size_t i = 0; i < candidates.size(); ++i)
    if (!used[i])
      firstRows.push_back(candidates[i]);
  if (firstRows.size() > kMaxCategories)
    firstRows.resize(kMaxCategories);

  std::map<double, int> numberIndex;
  std::unordered_map<std::string, int> textIndex;
  for (std::size_t i = 0; i < firstRows.size(); ++i) {
    const Value& value = (*fValues)[firstRows[i]];
    fCategories.push_back(value);
    if (value.number)
      numberIndex.emplace(*value.number, static_cast<int>(i));
    else
      textIndex.emplace(*value.text, static_cast<int>(i));
  }
  fCategoryOfRow.assign(rows, -1);
  for (std::size_t row = 0; row < rows; ++row) {
    const Value& value = (*fValues)[row];
    if (IsMissing(value))
      continue;
    if (value.number) {
      auto found = numberIndex.find(*value.number);
      if (found != numberIndex.end())
        fCategoryOfRow[row] = found->second;
    } else {
      auto found = textIndex.find(*value.text);
      if (found != textIndex.end())
        fCategoryOfRow[row] = found->second;
    }
  }
}

std::map<std::string, std::unique_ptr<ChartVariable>>
ChartVariable::ResolveAll(const ViZNode& root, const VarDataProcessor* data) {
  static const std::vector<Value> kNoValues;
  std::map<std::string, std::unique_ptr<ChartVariable>> variables;
  for (const auto& child : root.children) {
    const ViZNode& node = *child;
    bool derived = node.name == "derivedVariable";
    if (!derived && node.name != "sourceVariable")
      continue;
    std::string id = node.AttributeOr("id", "");
    if (id.empty() || variables.count(id) != 0)
      continue;
    auto variable = std::make_unique<ChartVariable>();
    variable->fId = id;
    variable->fValues = &kNoValues;
    if (!derived) {
      variable->fSource = node.AttributeOr("source", "");
      const VarDataProcessor::Source* source =
          data == nullptr ? nullptr : data->GetSource(variable->fSource);
      int column = source == nullptr ? -1 : source->VariableIndex(node.AttributeOr("variable", id));
      if (column >= 0)
        variable->fValues = &source->columns[static_cast<std::size_t>(column)];
    } else {
      auto base = variables.find(node.AttributeOr("value", ""));
      if (base != variables.end()) {
        const ChartVariable& from = *base->second;
        variable->fSource = from.fSource;
        std::vector<ViZNode*> tests = node.Children("when");
        variable->fOwned.resize(from.Rows());
        for (std::size_t row = 0; row < from.Rows(); ++row) {
          if (tests.empty()) {
            variable->fOwned[row] = (*from.fValues)[row];
            continue;
          }
          std::optional<double> number = from.Number(row);
          if (!number)
            continue;
          for (const ViZNode* test : tests) {
            const std::string* above = test->Attribute("above");
            const std::string* below = test->Attribute("below");
            const std::string* equals = test->Attribute("equals");
            bool holds = (above || below || equals) &&
                         (!above || *number > String2Double(*above)) &&
                         (!below || *number < String2Double(*below)) &&
                         (!equals || *number == String2Double(*equals));
            if (holds) {
              variable->fOwned[row].text = test->AttributeOr("category", "");
              break;
            }
          }
        }
        variable->fValues = &variable->fOwned;
        variable->fCategorical = !tests.empty();
      }
    }
    variable->fCategorical =
        variable->fCategorical || node.AttributeOr("categorical", "false") == "true";
    variable->ReadFormat(node);
    variable->BuildCategories(node.AttributeOr("categoryOrder", ""));
    variables.emplace(id, std::move(variable));
  }
  return variables;
}
