// User-missing values of one variable: up to three discrete values, or a range with at most one
// discrete value besides (numeric variables only).
#pragma once

#include <string>
#include <vector>

class VORN_MissingValues {
public:
  // At most three values, or at most one value besides a range; false when that is exceeded.
  bool AddValue(double value);
  bool AddValue(const std::string& value);
  bool SetRange(double low, double high);

  bool IsMissing(double value) const;
  bool IsMissing(const std::string& value) const;

  const std::vector<double>& Values() const { return fValues; }
  const std::vector<std::string>& StringValues() const { return fStringValues; }
  bool HasRange() const { return fHasRange; }
  double RangeLow() const { return fLow; }
  double RangeHigh() const { return fHigh; }
  bool Empty() const { return fValues.empty() && fStringValues.empty() && !fHasRange; }

private:
  std::vector<double> fValues;
  std::vector<std::string> fStringValues;
  bool fHasRange = false;
  double fLow = 0.0;
  double fHigh = 0.0;
};
