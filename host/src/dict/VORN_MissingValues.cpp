// User-missing values: the limits follow the dictionary's rule of three values, or a range and one.
#include "dict/VORN_MissingValues.h"

namespace {

std::string TrimTrailingBlanks(const std::string& text) {
  std::string::size_type end = text.find_last_not_of(' ');
  return end == std::string::npos ? std::string() : text.substr(0, end + 1);
}

} // namespace

bool VORN_MissingValues::AddValue(double value) {
  if (!fStringValues.empty() || fValues.size() >= (fHasRange ? 1u : 3u))
    return false;
  fValues.push_back(value);
  return true;
}

bool VORN_MissingValues::AddValue(const std::string& value) {
  if (!fValues.empty() || fHasRange || fStringValues.size() >= 3)
    return false;
  fStringValues.push_back(TrimTrailingBlanks(value));
  return true;
}

bool VORN_MissingValues::SetRange(double low, double high) {
  if (fHasRange || !fStringValues.empty() || fValues.size() > 1 || low > high)
    return false;
  fHasRange = true;
  fLow = low;
  fHigh = high;
  return true;
}

bool VORN_MissingValues::IsMissing(double value) const {
  if (fHasRange && value >= fLow && value <= fHigh)
    return true;
  for (double v : fValues)
    if (v == value)
      return true;
  return false;
}

bool VORN_MissingValues::IsMissing(const std::string& value) const {
  std::string key = TrimTrailingBlanks(value);
  for (const std::string& v : fStringValues)
    if (v == key)
      return true;
  return false;
}
