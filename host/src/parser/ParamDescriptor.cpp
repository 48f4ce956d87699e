// The grammar of one parameter, built with chained calls.
#include "parser/ParamDescriptor.h"

#include "text/TextFunctions.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <utility>

std::string UpperKeyword(const std::string& word) {
  std::string upper = word;
  for (char& c : upper)
    if (c >= 'a' && c <= 'z')
      c = static_cast<char>(c - 'a' + 'A');
  return upper;
}

bool SameKeyword(const std::string& a, const std::string& b) {
  return a.size() == b.size() && UpperKeyword(a) == UpperKeyword(b);
}

ParamDescriptor::ParamDescriptor(std::string name) : fName(UpperKeyword(name)) {}
ParamDescriptor::~ParamDescriptor() = default;
ParamDescriptor::ParamDescriptor(const ParamDescriptor&) = default;
ParamDescriptor& ParamDescriptor::operator=(const ParamDescriptor&) = default;
ParamDescriptor::ParamDescriptor(ParamDescriptor&&) noexcept = default;
ParamDescriptor& ParamDescriptor::operator=(ParamDescriptor&&) noexcept = default;

ParamDescriptor& ParamDescriptor::Bare() {
  fBare = true;
  return *this;
}

ParamDescriptor& ParamDescriptor::BareOnly() {
  fBare = true;
  fBareOnly = true;
  return *this;
}

ParamDescriptor& ParamDescriptor::Required() {
  fRequired = true;
  return *this;
}

ParamDescriptor& ParamDescriptor::Variables() {
  fVariables = true;
  return *this;
}

ParamDescriptor& ParamDescriptor::Strings() {
  fStrings = true;
  return *this;
}

ParamDescriptor& ParamDescriptor::Words(std::vector<std::string> words) {
  for (std::string& word : words)
    fWords.push_back(UpperKeyword(word));
  return *this;
}

ParamDescriptor& ParamDescriptor::Numbers(double low, double high, bool lowOpen, bool highOpen) {
  fNumbers = true;
  fLow = low;
  fHigh = high;
  fLowOpen = lowOpen;
  fHighOpen = highOpen;
  return *this;
}

ParamDescriptor& ParamDescriptor::Integers(double low, double high) {
  Numbers(low, high);
  fIntegers = true;
  return *this;
}

ParamDescriptor& ParamDescriptor::Qualifier(ParamDescriptor qualifier) {
  fQualifiers.push_back(std::move(qualifier));
  return *this;
}

ParamDescriptor& ParamDescriptor::Items(std::size_t minItems, std::size_t maxItems) {
  fMinItems = minItems;
  fMaxItems = maxItems;
  return *this;
}

ParamDescriptor& ParamDescriptor::Open() {
  fOpen = true;
  fBare = true;
  fMinItems = 0;
  fMaxItems = std::numeric_limits<std::size_t>::max();
  return *this;
}

bool ParamDescriptor::IsNumberInRange(double value) const {
  if (!fNumbers || !std::isfinite(value))
    return false;
  if (fIntegers && value != std::floor(value))
    return false;
  const bool aboveLow = fLowOpen ? value > fLow : value >= fLow;
  const bool belowHigh = fHighOpen ? value < fHigh : value <= fHigh;
  return aboveLow && belowHigh;
}

namespace {

// A bound as a reader writes it: whole numbers in digits, others in the fewest significant digits
// that give the value back ("0.05", "2.5e-07").
std::string BoundText(double v) {
  if (v == std::floor(v) && std::fabs(v) < 1e15)
    return IntegerToString(static_cast<long>(v));
  char text[32];
  for (int digits = 1; digits <= 17; ++digits) {
    std::snprintf(text, sizeof text, "%.*g", digits, v);
    if (std::strtod(text, nullptr) == v)
      break;
  }
  return text;
}

} // namespace

std::string ParamDescriptor::DescribeNumbers() const {
  // The grammar marks "no bound" with the largest double; a bound of 309 digits tells nobody
  // anything, so such a side is left unsaid.
  constexpr double kUnbounded = std::numeric_limits<double>::max();
  const bool low = fLow > -kUnbounded;
  const bool high = fHigh < kUnbounded;
  std::string text = fIntegers ? "an integer" : "a number";
  if (low && high && !fLowOpen && !fHighOpen)
    return text + " from " + BoundText(fLow) + " to " + BoundText(fHigh);
  if (low && high)
    return text + (fLowOpen ? " greater than " : " of at least ") + BoundText(fLow) +
           (fHighOpen ? " and less than " : " and at most ") + BoundText(fHigh);
  if (low)
    return text +
           (fLowOpen ? " greater than " + BoundText(fLow) : " of " + BoundText(fLow) + " or more");
  if (high)
    return text +
           (fHighOpen ? " less than " + BoundText(fHigh) : " of " + BoundText(fHigh) + " or less");
  return text;
}

bool ParamDescriptor::HasWord(const std::string& word) const {
  for (const std::string& w : fWords)
    if (SameKeyword(w, word))
      return true;
  return false;
}

const ParamDescriptor* ParamDescriptor::getParamDesc(const std::string& name) const {
  for (const ParamDescriptor& q : fQualifiers)
    if (SameKeyword(q.fName, name))
      return &q;
  return nullptr;
}
