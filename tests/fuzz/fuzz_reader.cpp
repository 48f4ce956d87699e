// libFuzzer target: any bytes are read as a result document into a fresh result set, with a data
// source and a live procedure output so that the variable look-ups and the warnings run too.
#include "NOPROutputStats.h"
#include "NOPRParseOutXML.h"

#include "dict/VORN_DataSource.h"
#include "output/Document.h"
#include "pivot/BpProcedure.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  VORN_DataSource dataSource;
  dataSource.AddVariable(VORN_Variable("score", 0));
  dataSource.AddVariable(VORN_Variable("grade", 0));
  dataSource.AddVariable(VORN_Variable("sex", 8));
  output::Document document;
  BpProcedure procedure(document, nullptr, &dataSource);
  NOPROutputStats stats;
  NOPRParseOutXML reader(&dataSource, &stats, text);
  // Success or failure are both fine; crashes, leaks and hangs are not.
  reader.ParseXML();
  return 0;
}
