// Helpers shared by the files of the result-document reader (NOPRParseOutXML*.cpp); not part of
// the plug-in's interface.
#pragma once

#include "NOPRXMLGeneral.h"

#include <cmath>
#include <initializer_list>
#include <string>

namespace NOPRParseOutXMLSupport {

// An integer text as an int: String2Integer's rules, and 0 (its value for text that is no
// integer) for a number outside the range of int as well.
int integerOf(const std::string& text);

// Where one named number of a generic table goes: exactly one of the two targets is set.
struct NumberTarget {
  const char* fName;
  int* fInteger;
  double* fDouble;
};

inline NumberTarget intTarget(const char* name, int& target) {
  return {name, &target, nullptr};
}
inline NumberTarget doubleTarget(const char* name, double& target) {
  return {name, nullptr, &target};
}

// Stores the attribute's value in the target of its name; false when no target has that name.
bool applyNumber(const NOPRXMLGeneral::NPAttributeData& attribute,
                 std::initializer_list<NumberTarget> targets);

// Applies every direct attribute of the table; a name without a target draws the unknown-name
// warning and the walk goes on.
void applyNumbersOrWarn(const NOPRXMLGeneral::NPStructuredTableData& table,
                        std::initializer_list<NumberTarget> targets);

// True when `text` occurs anywhere in `name`.
inline bool nameContains(const std::string& name, const char* text) {
  return name.find(text) != std::string::npos;
}

} // namespace NOPRParseOutXMLSupport
