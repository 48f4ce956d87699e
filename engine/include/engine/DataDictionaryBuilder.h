// Makes the dictionary of a data set: one variable per column, in column order, described by an
// optional JSON dictionary (matched by name) and otherwise by the column's own kind.
#pragma once

#include <memory>
#include <string>

class ProcedureDataSource;

namespace engine {

class DataSet;

class DataDictionaryBuilder {
public:
  // `data` was read from `dataName`; `json` is the text of the dictionary file `jsonName`, empty
  // for none. A numeric column that the dictionary calls a string becomes a text column (its
  // numbers written shortest), so `data` may change. Throws EngineError with one line for a
  // dictionary that does not fit the data: a text in a column it says is numeric, a negative
  // weight or one that is not a number, a variable that is no column of the data.
  static std::unique_ptr<ProcedureDataSource> Build(DataSet& data, const std::string& dataName,
                                                    const std::string& json,
                                                    const std::string& jsonName);
};

} // namespace engine
