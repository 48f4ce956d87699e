// A validator for the part of JSON Schema that docs/output-format.schema.json uses, so the tests
// hold the writer's JSON to the published schema without a validator package.
#pragma once

#include <nlohmann/json.hpp>

#include <string>

// Validates `doc` against `schema` (whose local "$ref"s point into itself). Returns "" when valid,
// else the first failure as "<json pointer>: <reason>". A keyword outside the supported subset is
// reported as a failure, so the schema cannot grow a rule that these tests would silently skip.
std::string SchemaCheck(const nlohmann::json& schema, const nlohmann::json& doc);
