// The JSON dictionary format: one object with a "variables" array and an optional "weight".
#include "dict/JsonDictionaryReader.h"

#include "dict/VORN_DataSource.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <set>
#include <stdexcept>
#include <vector>

namespace {

using json = nlohmann::ordered_json;

// Thrown inside the reader with a located message; caught in Read.
struct DictionaryError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

[[noreturn]] void Fail(const std::string& where, const std::string& what) {
  throw DictionaryError(where + ": " + what);
}

const char* const kKnownVariableKeys[] = {"name",   "label",   "type",        "width",
                                          "format", "measure", "valueLabels", "missing"};

void CheckKeys(const json& object, const std::string& where) {
  for (auto it = object.begin(); it != object.end(); ++it) {
    bool known = false;
    for (const char* key : kKnownVariableKeys)
      known = known || it.key() == key;
    if (!known)
      Fail(where,
           "unknown key \"" + it.key() +
               "\" (known: name, label, type, width, format, measure, valueLabels, missing)");
  }
}

std::string GetString(const json& object, const char* key, const std::string& where,
                      bool required) {
  auto it = object.find(key);
  if (it == object.end()) {
    if (required)
      Fail(where, std::string("\"") + key + "\" is required");
    return std::string();
  }
  if (!it->is_string())
    Fail(where + "." + key, "must be a text");
  return it->get<std::string>();
}

// "numeric" or "string" (by default: string with an A format, else numeric); a string variable
// needs a width from "width" or its A format.
int ReadType(const json& variable, const std::string& where, const VORN_Format* format,
             bool hasFormat) {
  std::string type = GetString(variable, "type", where, false);
  if (type.empty())
    type = hasFormat && format->IsString() ? "string" : "numeric";
  if (type == "numeric") {
    if (variable.contains("width"))
      Fail(where + ".width", "only string variables have a width");
    if (hasFormat && format->IsString())
      Fail(where + ".format",
           "a numeric variable cannot have the string format " + format->ToText());
    return 0;
  }
  if (type != "string")
    Fail(where + ".type", "must be \"numeric\" or \"string\", not \"" + type + "\"");
  int width = 0;
  if (variable.contains("width")) {
    const json& w = variable["width"];
    if (!w.is_number_integer() || w.get<long long>() < 1 || w.get<long long>() > 32767)
      Fail(where + ".width", "must be a whole number from 1 to 32767");
    width = w.get<int>();
  } else if (hasFormat && format->IsString()) {
    width = format->Width();
  } else {
    Fail(where, "a string variable needs a \"width\" or an A format such as \"A20\"");
  }
  if (hasFormat && !format->IsString())
    Fail(where + ".format", "a string variable needs an A format, not " + format->ToText());
  if (hasFormat && format->Width() != width)
    Fail(where + ".format",
         "the width of " + format->ToText() + " differs from \"width\" " + std::to_string(width));
  return width;
}

VORN_Variable::Measure ReadMeasure(const json& variable, const std::string& where) {
  std::string measure = GetString(variable, "measure", where, false);
  if (measure.empty())
    return VORN_Variable::kMeasureUnknown;
  if (measure == "nominal")
    return VORN_Variable::kMeasureNominal;
  if (measure == "ordinal")
    return VORN_Variable::kMeasureOrdinal;
  if (measure == "scale")
    return VORN_Variable::kMeasureScale;
  Fail(where + ".measure",
       "must be \"nominal\", \"ordinal\" or \"scale\", not \"" + measure + "\"");
}

// A value of the variable's type: a number for numeric variables, a text for string ones.
void CheckValueType(const json& value, bool isString, const std::string& where) {
  if (isString && !value.is_string())
    Fail(where, "must be a text, as the variable is a string");
  if (!isString && !value.is_number())
    Fail(where, "must be a number, as the variable is numeric");
}

void ReadValueLabels(const json& variable, VORN_Variable& target, const std::string& where) {
  auto it = variable.find("valueLabels");
  if (it == variable.end())
    return;
  if (!it->is_array())
    Fail(where + ".valueLabels", "must be a list of {\"value\": ..., \"label\": ...}");
  for (std::size_t i = 0; i < it->size(); ++i) {
    const json& entry = (*it)[i];
    std::string at = where + ".valueLabels[" + std::to_string(i) + "]";
    if (!entry.is_object() || !entry.contains("value") || !entry.contains("label"))
      Fail(at, "must be an object with \"value\" and \"label\"");
    CheckValueType(entry["value"], target.IsString(), at + ".value");
    if (!entry["label"].is_string())
      Fail(at + ".label", "must be a text");
    if (target.IsString())
      target.ValueLabels().Add(entry["value"].get<std::string>(),
                               entry["label"].get<std::string>());
    else
      target.ValueLabels().Add(entry["value"].get<double>(), entry["label"].get<std::string>());
  }
}

void ReadMissing(const json& variable, VORN_Variable& target, const std::string& where) {
  auto it = variable.find("missing");
  if (it == variable.end())
    return;
  std::string at = where + ".missing";
  if (!it->is_object())
    Fail(at, "must be an object with \"values\" and/or \"range\"");
  for (auto key = it->begin(); key != it->end(); ++key)
    if (key.key() != "values" && key.key() != "range")
      Fail(at, "unknown key \"" + key.key() + "\" (known: values, range)");
  VORN_MissingValues& missing = target.MissingValues();
  if (it->contains("range")) {
    const json& range = (*it)["range"];
    if (target.IsString())
      Fail(at + ".range", "string variables have no missing range");
    if (!range.is_array() || range.size() != 2 || !range[0].is_number() || !range[1].is_number())
      Fail(at + ".range", "must be [low, high]");
    if (!missing.SetRange(range[0].get<double>(), range[1].get<double>()))
      Fail(at + ".range", "low must not exceed high");
  }
  if (it->contains("values")) {
    const json& values = (*it)["values"];
    if (!values.is_array())
      Fail(at + ".values", "must be a list");
    for (std::size_t i = 0; i < values.size(); ++i) {
      std::string vat = at + ".values[" + std::to_string(i) + "]";
      CheckValueType(values[i], target.IsString(), vat);
      bool added = target.IsString() ? missing.AddValue(values[i].get<std::string>())
                                     : missing.AddValue(values[i].get<double>());
      if (!added)
        Fail(vat, "too many missing values (at most three, or one besides a range)");
    }
  }
}

void ReadVariable(const json& variable, VORN_DataSource& dataSource, const std::string& where) {
  if (!variable.is_object())
    Fail(where, "must be an object");
  CheckKeys(variable, where);
  std::string name = GetString(variable, "name", where, true);
  if (name.empty())
    Fail(where + ".name", "must not be empty");
  std::string formatText = GetString(variable, "format", where, false);
  VORN_Format format;
  if (!formatText.empty()) {
    std::string formatError;
    if (!VORN_Format::FromText(formatText, format, &formatError))
      Fail(where + ".format", formatError);
  }
  int type = ReadType(variable, where, &format, !formatText.empty());
  VORN_Variable target =
      formatText.empty() ? VORN_Variable(name, type) : VORN_Variable(name, type, format);
  target.SetLabel(GetString(variable, "label", where, false));
  target.SetMeasure(ReadMeasure(variable, where));
  ReadValueLabels(variable, target, where);
  ReadMissing(variable, target, where);
  if (dataSource.AddVariable(target) < 0)
    Fail(where + ".name", "\"" + name + "\" names a variable twice (names ignore case)");
}

void ReadDictionary(const json& root, VORN_DataSource& dataSource) {
  if (!root.is_object())
    Fail("dictionary", "must be a JSON object with a \"variables\" list");
  for (auto it = root.begin(); it != root.end(); ++it)
    if (it.key() != "variables" && it.key() != "weight" && it.key() != "format" &&
        it.key() != "version")
      Fail("dictionary", "unknown key \"" + it.key() + "\" (known: variables, weight)");
  auto variables = root.find("variables");
  if (variables == root.end() || !variables->is_array())
    Fail("dictionary", "needs a \"variables\" list");
  for (std::size_t i = 0; i < variables->size(); ++i)
    ReadVariable((*variables)[i], dataSource, "variables[" + std::to_string(i) + "]");
  auto weight = root.find("weight");
  if (weight != root.end()) {
    if (!weight->is_string())
      Fail("weight", "must be the name of a variable");
    int index = dataSource.FindVarIndex(weight->get<std::string>(), 0);
    if (index < 0)
      Fail("weight", "no variable is named \"" + weight->get<std::string>() + "\"");
    if (dataSource.GetVariable(index)->IsString())
      Fail("weight", "the weight variable must be numeric");
    dataSource.SetWeightVarIndex(index);
  }
}

// The JSON library's message without its own tag ("[json.exception.parse_error.101] parse error
// at "), so that it reads as the program's other errors: line, column, what was expected.
std::string LibraryWords(const json::exception& e) {
  std::string text = e.what();
  const std::size_t tagEnd = text.find("] ");
  if (text.rfind("[json.exception.", 0) == 0 && tagEnd != std::string::npos)
    text.erase(0, tagEnd + 2);
  for (const char* lead : {"parse error at ", "parse error: "}) {
    if (text.rfind(lead, 0) == 0)
      text.erase(0, std::string(lead).size());
  }
  return text;
}

// Follows a parse only to learn where it stops: the library's error for a number beyond the range
// of a double carries no position, but its parser hands one to the handler.
class StopFinder : public json::json_sax_t {
public:
  bool null() override { return true; }
  bool boolean(bool) override { return true; }
  bool number_integer(number_integer_t) override { return true; }
  bool number_unsigned(number_unsigned_t) override { return true; }
  bool number_float(number_float_t, const string_t&) override { return true; }
  bool string(string_t&) override { return true; }
  bool binary(binary_t&) override { return true; }
  bool start_object(std::size_t) override { return true; }
  bool key(string_t&) override { return true; }
  bool end_object() override { return true; }
  bool start_array(std::size_t) override { return true; }
  bool end_array() override { return true; }
  bool parse_error(std::size_t position, const std::string& token,
                   const nlohmann::detail::exception&) override {
    fPosition = position;
    fToken = token;
    return false;
  }

  std::size_t fPosition = 0;
  std::string fToken;
};

// "line L, column C: the number ... is too large": the number's place, counted as the library
// counts it in its other messages (lines from 1 at each line feed, columns from 1).
std::string NumberTooLarge(const std::string& text) {
  StopFinder finder;
  json::sax_parse(text, &finder);
  // The parser stands just past the number when it finds it too large.
  const std::size_t end = std::min(finder.fPosition, text.size());
  const std::size_t start = end >= finder.fToken.size() ? end - finder.fToken.size() : 0;
  std::size_t line = 1;
  std::size_t lineStart = 0;
  for (std::size_t i = 0; i < start; ++i) {
    if (text[i] == '\n') {
      ++line;
      lineStart = i + 1;
    }
  }
  std::string number = finder.fToken;
  if (number.size() > 40)
    number = number.substr(0, 20) + "..." + number.substr(number.size() - 10);
  return "line " + std::to_string(line) + ", column " + std::to_string(start - lineStart + 1) +
         ": the number " + number + " is too large (numbers run to about 1.8e308)";
}

// A key given twice in one object would keep its last value without a word; it is refused with
// its name instead. The check rides on the library's own tree builder (its event interface), not on
// a parse callback: the callback parser looks through the enclosing array after every object, which
// makes a list of a million value labels take quadratic time.
class DuplicateRefusingBuilder : public nlohmann::detail::json_sax_dom_parser<json> {
public:
  explicit DuplicateRefusingBuilder(json& root) : Builder(root, true) {}

  bool start_object(std::size_t elements) {
    fOpen.emplace_back();
    return Builder::start_object(elements);
  }
  bool end_object() {
    if (!fOpen.empty())
      fOpen.pop_back();
    return Builder::end_object();
  }
  bool key(json::string_t& name) {
    if (!fOpen.empty() && !fOpen.back().insert(name).second)
      Fail("dictionary", "the key \"" + name + "\" is given twice in one object");
    return Builder::key(name);
  }

private:
  using Builder = nlohmann::detail::json_sax_dom_parser<json>;
  std::vector<std::set<std::string>> fOpen;
};

json ParseRefusingDuplicateKeys(const std::string& text) {
  json root;
  DuplicateRefusingBuilder builder(root);
  json::sax_parse(text, &builder);
  return root;
}

} // namespace

bool JsonDictionaryReader::Read(const std::string& text, VORN_DataSource& dataSource,
                                std::string& error) {
  try {
    json root = ParseRefusingDuplicateKeys(text);
    ReadDictionary(root, dataSource);
    return true;
  } catch (const json::parse_error& e) {
    error = "not a JSON document: " + LibraryWords(e);
  } catch (const DictionaryError& e) {
    error = e.what();
  } catch (const json::out_of_range& e) {
    error = e.id == 406 ? NumberTooLarge(text) : LibraryWords(e);
  } catch (const json::exception& e) {
    error = LibraryWords(e);
  }
  return false;
}
