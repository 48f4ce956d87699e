// The grammar of one parameter (a keyword of a subcommand, or a qualifier inside a parameter):
// whether it may stand alone, and which items may follow it after "=" or inside parentheses.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class ParamDescriptor {
public:
  // Builds a parameter that accepts nothing yet; the builder calls below widen it. Names are kept
  // in upper case; lookups ignore case.
  explicit ParamDescriptor(std::string name);
  ~ParamDescriptor();
  ParamDescriptor(const ParamDescriptor&);
  ParamDescriptor& operator=(const ParamDescriptor&);
  ParamDescriptor(ParamDescriptor&&) noexcept;
  ParamDescriptor& operator=(ParamDescriptor&&) noexcept;

  // Builders; each returns *this so a grammar reads as one expression per parameter.
  ParamDescriptor& Bare();      // may be written alone ("a leading token")
  ParamDescriptor& BareOnly();  // may only be written alone
  ParamDescriptor& Required();  // must be given where it is allowed
  ParamDescriptor& Variables(); // variable names, with TO ranges and ALL
  ParamDescriptor& Strings();   // quoted strings
  ParamDescriptor& Words(std::vector<std::string> words); // these keywords as values
  // Numbers within [low, high]; an open end excludes its bound. `integers` refuses fractions.
  ParamDescriptor& Numbers(double low, double high, bool lowOpen = false, bool highOpen = false);
  ParamDescriptor& Integers(double low, double high);
  ParamDescriptor& Qualifier(ParamDescriptor qualifier); // a nested parameter
  ParamDescriptor& Items(std::size_t minItems, std::size_t maxItems);
  // Anything at any depth, checked only by whoever reads it (keywords, values, nested lists).
  ParamDescriptor& Open();

  const std::string& GetName() const { return fName; }
  bool IsBareAllowed() const { return fBare; }
  bool IsBareOnly() const { return fBareOnly; }
  bool IsRequired() const { return fRequired; }
  bool IsOpen() const { return fOpen; }
  bool AcceptsVariables() const { return fVariables; }
  bool AcceptsStrings() const { return fStrings; }
  bool AcceptsNumbers() const { return fNumbers; }
  bool AcceptsOnlyIntegers() const { return fIntegers; }
  const std::vector<std::string>& GetWords() const { return fWords; }
  const std::vector<ParamDescriptor>& GetQualifiers() const { return fQualifiers; }
  std::size_t GetMinItems() const { return fMinItems; }
  std::size_t GetMaxItems() const { return fMaxItems; }

  // True when `value` lies in the accepted range (and is whole when only integers are accepted).
  bool IsNumberInRange(double value) const;
  // "a number from 0 to 1", "an integer from 1 to 1000000000", ... for error messages.
  std::string DescribeNumbers() const;
  // True when `word` (any case) is one of the accepted keyword values.
  bool HasWord(const std::string& word) const;

  // The nested parameter of that name (any case), or null. The descriptor owns it.
  const ParamDescriptor* getParamDesc(const std::string& name) const;

private:
  std::string fName;
  bool fBare = false;
  bool fBareOnly = false;
  bool fRequired = false;
  bool fOpen = false;
  bool fVariables = false;
  bool fStrings = false;
  bool fNumbers = false;
  bool fIntegers = false;
  double fLow = 0.0;
  double fHigh = 0.0;
  bool fLowOpen = false;
  bool fHighOpen = false;
  std::vector<std::string> fWords;
  std::vector<ParamDescriptor> fQualifiers;
  std::size_t fMinItems = 1;
  std::size_t fMaxItems = 1;
};

// ASCII upper case of a keyword; keywords and variable names compare without regard to case.
std::string UpperKeyword(const std::string& word);
bool SameKeyword(const std::string& a, const std::string& b);
