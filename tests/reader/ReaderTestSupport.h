// Shared helpers of the reader tests: reading a document of tests/reader/documents/ (or an
// inline text) into a fresh result set, and typed access to its records.
#pragma once

#include "NOPROutputStats.h"
#include "NOPRParseOutXML.h"
#include "ScratchFolder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

class VORN_DataSource;

namespace readertest {

inline std::string documentPath(const std::string& name) {
  return std::string(NPTESTS_SOURCE_DIR) + "/tests/reader/documents/" + name;
}

inline std::string loadDocument(const std::string& name) {
  const std::string text = ReadAll(documentPath(name));
  EXPECT_FALSE(text.empty()) << "cannot read " << documentPath(name);
  return text;
}

// One reading: the result set and whether the reading succeeded. The text lives here because
// the reader borrows it.
struct Reading {
  std::string fText;
  std::unique_ptr<NOPROutputStats> fStats = std::make_unique<NOPROutputStats>();
  bool fOk = false;
};

inline std::unique_ptr<Reading> readText(std::string text, VORN_DataSource* dataSource = nullptr) {
  auto reading = std::make_unique<Reading>();
  reading->fText = std::move(text);
  NOPRParseOutXML reader(dataSource, reading->fStats.get(), reading->fText);
  reading->fOk = reader.ParseXML();
  EXPECT_EQ(reading->fOk, reader.IsParseSuccess());
  return reading;
}

inline std::unique_ptr<Reading> readDocument(const std::string& name,
                                             VORN_DataSource* dataSource = nullptr) {
  return readText(loadDocument(name), dataSource);
}

// The record at a position of a list, as the kind its algorithm promises; fails the test when
// the record is missing or of another kind.
template <class Record>
const Record& recordAt(const NOPROutputStats::TestList& list, std::size_t position) {
  static const Record empty{};
  if (position >= list.size()) {
    ADD_FAILURE() << "no record at " << position;
    return empty;
  }
  const auto* record = dynamic_cast<const Record*>(list[position]);
  if (record == nullptr) {
    ADD_FAILURE() << "record at " << position << " is of another kind";
    return empty;
  }
  return *record;
}

inline bool isMissing(double value) {
  return value == NOPRUTILITY::getSysMissing();
}

} // namespace readertest
