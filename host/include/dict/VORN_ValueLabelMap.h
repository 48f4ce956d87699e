// Value labels of one variable: numeric values or string values, each with its label, kept in
// the order they were added and found by value.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <vector>

union OBS;

class VORN_ValueLabelMap {
public:
  struct Entry {
    bool fIsString = false;
    double fNumber = 0.0; // the value of a numeric entry
    std::string fText;    // the value of a string entry, trailing blanks removed
    std::string fLabel;
  };

  // Adding a value that is already there replaces its label and keeps its place.
  void Add(double value, const std::string& label);
  void Add(const std::string& value, const std::string& label);

  // The label of a value, or null. String values compare without trailing blanks.
  const std::string* Find(double value) const;
  const std::string* Find(const std::string& value) const;
  // The label of a case value of a variable of this type (0 numeric, else a string width).
  const std::string* Find(const OBS* value, int type) const;

  const std::vector<Entry>& Entries() const { return fEntries; }
  std::size_t Size() const { return fEntries.size(); }
  bool Empty() const { return fEntries.empty(); }

private:
  std::vector<Entry> fEntries;
  std::map<double, std::size_t> fByNumber;
  std::map<std::string, std::size_t> fByText;
};
