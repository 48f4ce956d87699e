// A small dictionary for the parser's tests: a b c d s (numeric, in that order) and name (string).
#pragma once

#include "dict/VORN_DataSource.h"

#include <memory>

inline std::unique_ptr<VORN_DataSource> MakeTestDictionary() {
  auto data = std::make_unique<VORN_DataSource>();
  for (const char* name : {"a", "b", "c", "d", "s"})
    data->AddVariable(VORN_Variable(name, 0));
  data->AddVariable(VORN_Variable("Name", 20));
  return data;
}
