// Writing numbers of the output; std::to_chars keeps the text independent of the C locale.
#include "output/NumberDisplay.h"

#include "text/VORN_SystemMissing.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace output {

namespace {

constexpr int kMaxDecimals = 16;
constexpr double kSignificanceFloor = 0.001;

bool IsShownAsMissing(double value) {
  return value == VORN_SystemMissing() || !std::isfinite(value);
}

bool AllZeroDigits(const std::string& text) {
  return std::none_of(text.begin(), text.end(), [](char c) { return c >= '1' && c <= '9'; });
}

// ".050" rather than "0.050": significances are probabilities, written as the tables of the
// field write them.
std::string DropLeadingZero(std::string text) {
  if (text.compare(0, 2, "0.") == 0) {
    return text.substr(1);
  }
  if (text.compare(0, 3, "-0.") == 0) {
    return "-" + text.substr(2);
  }
  return text;
}

// The one rule for significances, the tables' and the report line's: three decimals without the
// leading zero, and below .001 only the bound. `relation` puts "= " before a value and "< " before
// the bound, as a sentence reads them.
std::string FormatSignificance(double value, bool relation) {
  if (value >= 0 && value < kSignificanceFloor) {
    return relation ? "< .001" : "<.001";
  }
  const std::string shown = DropLeadingZero(FormatFixed(value, 3));
  return relation ? "= " + shown : shown;
}

std::string FormatCountOrCoefficient(double value, int decimals) {
  if (decimals < 0) {
    decimals = value == std::trunc(value) ? 0 : 3;
  }
  return FormatFixed(value, decimals);
}

} // namespace

std::string FormatFixed(double value, int decimals) {
  decimals = std::clamp(decimals, 0, kMaxDecimals);
  // 309 digits before the point at most, plus sign, point and decimals.
  char buffer[400];
  auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  std::string text(buffer, result.ec == std::errc() ? result.ptr : buffer);
  if (!text.empty() && text[0] == '-' && AllZeroDigits(text)) {
    text.erase(0, 1);
  }
  return text;
}

int DecimalsNeeded(double value, int maxDecimals) {
  if (!std::isfinite(value)) {
    return 0;
  }
  for (int decimals = 0; decimals < maxDecimals; ++decimals) {
    std::string text = FormatFixed(value, decimals);
    double back = 0;
    std::from_chars(text.data(), text.data() + text.size(), back);
    if (back == value) {
      return decimals;
    }
  }
  return maxDecimals;
}

std::string FormatNumber(double value, const NumberFormat& format) {
  if (IsShownAsMissing(value)) {
    return ".";
  }
  switch (format.GetKind()) {
  case NumberFormat::Kind::kCount:
    return FormatFixed(value, 0);
  case NumberFormat::Kind::kSignificance:
    return FormatSignificance(value, false);
  case NumberFormat::Kind::kPValue:
    return FormatSignificance(value, true);
  case NumberFormat::Kind::kCoefficient:
    return FormatFixed(value, 3);
  case NumberFormat::Kind::kPercent:
    return FormatFixed(value, 1) + "%";
  case NumberFormat::Kind::kCountOrCoefficient:
    return FormatCountOrCoefficient(value, format.Decimals());
  case NumberFormat::Kind::kSigDigit:
  case NumberFormat::Kind::kStdDev:
  case NumberFormat::Kind::kFixed:
    return FormatFixed(value, format.Decimals());
  }
  return FormatFixed(value, 3);
}

} // namespace output
