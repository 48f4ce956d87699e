// Reading --split arguments and putting the group's values into an info block.
#include "SplitArgument.h"

#include "dict/VORN_DataSource.h"
#include "proc/CFStatXMLInfoBlock.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <strings.h>

namespace {

std::string Trim(const std::string& text) {
  const auto notBlank = [](unsigned char c) { return !std::isspace(c); };
  auto begin = std::find_if(text.begin(), text.end(), notBlank);
  auto end = std::find_if(text.rbegin(), text.rend(), notBlank).base();
  return begin < end ? std::string(begin, end) : std::string();
}

// Splits on commas outside quotes; false for an unterminated quote.
bool SplitParts(const std::string& text, std::vector<std::string>& parts) {
  std::string current;
  char quote = 0;
  for (char c : text) {
    if (quote != 0) {
      if (c == quote)
        quote = 0;
      current += c;
    } else if (c == '\'' || c == '"') {
      quote = c;
      current += c;
    } else if (c == ',') {
      parts.push_back(current);
      current.clear();
    } else {
      current += c;
    }
  }
  parts.push_back(current);
  return quote == 0;
}

// Removes one pair of matching quotes around a value.
std::string Unquote(const std::string& value) {
  if (value.size() >= 2 && (value.front() == '\'' || value.front() == '"') &&
      value.back() == value.front())
    return value.substr(1, value.size() - 2);
  return value;
}

enum class Reading { kNumber, kNotANumber, kTooLarge };

// A number too small for a double reads as the nearest one (0 at worst), as the command's numbers
// do; one too large is refused as such.
Reading ReadNumber(const std::string& text, double& value) {
  if (text.empty())
    return Reading::kNotANumber;
  errno = 0;
  char* end = nullptr;
  value = std::strtod(text.c_str(), &end);
  if (end != text.c_str() + text.size())
    return Reading::kNotANumber;
  if (errno == ERANGE && std::isinf(value))
    return Reading::kTooLarge;
  return std::isfinite(value) ? Reading::kNumber : Reading::kNotANumber;
}

} // namespace

bool SplitArgument::Parse(const std::string& text, SplitArgument& split, std::string& error) {
  split.fAssignments.clear();
  std::vector<std::string> parts;
  if (!SplitParts(text, parts)) {
    error = "a quote is not closed in \"" + text + "\"";
    return false;
  }
  for (const std::string& part : parts) {
    const std::size_t equals = part.find('=');
    if (Trim(part).empty()) {
      error = "an empty part in \"" + text + "\"; write VAR=VALUE[,VAR=VALUE]";
      return false;
    }
    if (equals == std::string::npos) {
      error = "\"" + Trim(part) + "\" has no \"=\"; write VAR=VALUE";
      return false;
    }
    Assignment assignment{Trim(part.substr(0, equals)), Unquote(Trim(part.substr(equals + 1)))};
    if (assignment.fVariable.empty()) {
      error = "no variable name before \"=\" in \"" + Trim(part) + "\"";
      return false;
    }
    for (const Assignment& earlier : split.fAssignments) {
      if (strcasecmp(earlier.fVariable.c_str(), assignment.fVariable.c_str()) == 0) {
        error = "the variable " + assignment.fVariable + " is given twice";
        return false;
      }
    }
    split.fAssignments.push_back(std::move(assignment));
  }
  return true;
}

std::vector<std::string> SplitArgument::VariableNames() const {
  std::vector<std::string> names;
  for (const Assignment& assignment : fAssignments)
    names.push_back(assignment.fVariable);
  return names;
}

bool SplitArgument::Apply(const VORN_DataSource& dictionary, CFStatXMLInfoBlock& block,
                          std::string& error) const {
  for (const Assignment& assignment : fAssignments) {
    const int index = dictionary.FindVarIndex(assignment.fVariable, 0);
    const VORN_Variable* variable = dictionary.GetVariable(index);
    if (variable == nullptr) {
      error = "no variable is named \"" + assignment.fVariable + "\"";
      return false;
    }
    if (variable->IsString()) {
      if (static_cast<int>(assignment.fValue.size()) > variable->GetType()) {
        error = "the value \"" + assignment.fValue + "\" is longer than the string variable " +
                variable->GetName() + " (width " + std::to_string(variable->GetType()) + ")";
        return false;
      }
      block.AddSplitValue(index, assignment.fValue, variable->GetType());
      continue;
    }
    double value = 0.0;
    const Reading reading = ReadNumber(assignment.fValue, value);
    if (reading != Reading::kNumber) {
      error = "the value \"" + assignment.fValue + "\" of the numeric variable " +
              variable->GetName() +
              (reading == Reading::kTooLarge ? " is too large (numbers run to about 1.8e308)"
                                             : " is not a number");
      return false;
    }
    block.AddSplitValue(index, value);
  }
  return true;
}
