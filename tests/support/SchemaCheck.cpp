// The JSON Schema subset: $ref, type, const, enum, properties, required, additionalProperties,
// items, minItems, maxItems, minLength and oneOf.
#include "SchemaCheck.h"

#include <algorithm>

using nlohmann::json;

namespace {

class Checker {
public:
  explicit Checker(const json& root) : fRoot(root) {}

  std::string Check(const json& schema, const json& doc, const std::string& where) const {
    static const std::string kKnown = " $schema title description $defs $ref type const enum "
                                      "properties required additionalProperties items minItems "
                                      "maxItems minLength oneOf ";
    for (const auto& entry : schema.items())
      if (kKnown.find(" " + entry.key() + " ") == std::string::npos)
        return where + ": schema keyword '" + entry.key() + "' is not supported by the check";
    if (schema.contains("$ref"))
      return CheckRef(schema["$ref"].get<std::string>(), doc, where);
    if (schema.contains("type") && !TypeMatches(schema["type"], doc))
      return where + ": expected type " + schema["type"].dump() + ", got " + doc.dump();
    if (schema.contains("const") && schema["const"] != doc)
      return where + ": expected " + schema["const"].dump() + ", got " + doc.dump();
    if (schema.contains("enum") &&
        std::find(schema["enum"].begin(), schema["enum"].end(), doc) == schema["enum"].end())
      return where + ": " + doc.dump() + " not in " + schema["enum"].dump();
    if (schema.contains("oneOf")) {
      std::string error = CheckOneOf(schema["oneOf"], doc, where);
      if (!error.empty())
        return error;
    }
    if (doc.is_object()) {
      std::string error = CheckObject(schema, doc, where);
      if (!error.empty())
        return error;
    }
    if (doc.is_array())
      return CheckArray(schema, doc, where);
    if (doc.is_string() && schema.contains("minLength") &&
        doc.get<std::string>().size() < schema["minLength"].get<size_t>())
      return where + ": string shorter than " + schema["minLength"].dump();
    return "";
  }

private:
  std::string CheckRef(const std::string& ref, const json& doc, const std::string& where) const {
    if (ref.rfind("#", 0) != 0)
      return where + ": only local $ref supported: " + ref;
    const json::json_pointer pointer(ref.substr(1));
    if (!fRoot.contains(pointer))
      return where + ": dangling $ref " + ref;
    return Check(fRoot.at(pointer), doc, where);
  }

  static bool TypeIs(const std::string& type, const json& doc) {
    return (type == "object" && doc.is_object()) || (type == "array" && doc.is_array()) ||
           (type == "string" && doc.is_string()) || (type == "number" && doc.is_number()) ||
           (type == "integer" && doc.is_number_integer()) ||
           (type == "boolean" && doc.is_boolean()) || (type == "null" && doc.is_null());
  }

  static bool TypeMatches(const json& type, const json& doc) {
    if (type.is_string())
      return TypeIs(type.get<std::string>(), doc);
    for (const json& t : type)
      if (TypeIs(t.get<std::string>(), doc))
        return true;
    return false;
  }

  std::string CheckOneOf(const json& choices, const json& doc, const std::string& where) const {
    int matches = 0;
    std::string firstError;
    for (const json& choice : choices) {
      std::string error = Check(choice, doc, where);
      if (error.empty())
        ++matches;
      else if (firstError.empty())
        firstError = error;
    }
    if (matches == 1)
      return "";
    if (matches == 0)
      return where + ": matches no alternative (first: " + firstError + ")";
    return where + ": matches " + std::to_string(matches) + " alternatives";
  }

  std::string CheckObject(const json& schema, const json& doc, const std::string& where) const {
    if (schema.contains("required"))
      for (const json& name : schema["required"])
        if (!doc.contains(name.get<std::string>()))
          return where + ": missing member '" + name.get<std::string>() + "'";
    const json noProperties = json::object();
    const json& properties = schema.contains("properties") ? schema["properties"] : noProperties;
    for (const auto& member : doc.items()) {
      const std::string path = where + "/" + member.key();
      std::string error;
      if (properties.contains(member.key()))
        error = Check(properties[member.key()], member.value(), path);
      else if (schema.contains("additionalProperties")) {
        const json& extra = schema["additionalProperties"];
        if (extra.is_boolean())
          error = extra.get<bool>() ? "" : path + ": member not allowed";
        else
          error = Check(extra, member.value(), path);
      }
      if (!error.empty())
        return error;
    }
    return "";
  }

  std::string CheckArray(const json& schema, const json& doc, const std::string& where) const {
    if (schema.contains("minItems") && doc.size() < schema["minItems"].get<size_t>())
      return where + ": fewer than " + schema["minItems"].dump() + " items";
    if (schema.contains("maxItems") && doc.size() > schema["maxItems"].get<size_t>())
      return where + ": more than " + schema["maxItems"].dump() + " items";
    if (!schema.contains("items"))
      return "";
    for (size_t i = 0; i < doc.size(); ++i) {
      std::string error = Check(schema["items"], doc[i], where + "/" + std::to_string(i));
      if (!error.empty())
        return error;
    }
    return "";
  }

  const json& fRoot;
};

} // namespace

std::string SchemaCheck(const json& schema, const json& doc) {
  return Checker(schema).Check(schema, doc, "");
}
