// The grammar of one parameter, built with chained calls.
#include "parser/ParamDescriptor.h"

#include "text/TextFunctions.h"

#include <cmath>
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

std::string ParamDescriptor::DescribeNumbers() const {
  auto number = [](double v) {
    if (v == std::floor(v) && std::fabs(v) < 1e15)
      return IntegerToString(static_cast<long>(v));
    std::string text = std::to_string(v);
    while (!text.empty() && text.back() == '0')
      text.pop_back();
    return text;
  };
  std::string text = fIntegers ? "an integer " : "a number ";
  text += fLowOpen ? "greater than " + number(fLow) : "from " + number(fLow);
  text += fHighOpen ? " and less than " + number(fHigh) : " to " + number(fHigh);
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
