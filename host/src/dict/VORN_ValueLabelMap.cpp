// Value labels kept in insertion order with an index by value.
#include "dict/VORN_ValueLabelMap.h"

#include "dict/OBS.h"

namespace {

std::string TrimTrailingBlanks(const std::string& text) {
  std::string::size_type end = text.find_last_not_of(' ');
  return end == std::string::npos ? std::string() : text.substr(0, end + 1);
}

} // namespace

void VORN_ValueLabelMap::Add(double value, const std::string& label) {
  auto found = fByNumber.find(value);
  if (found != fByNumber.end()) {
    fEntries[found->second].fLabel = label;
    return;
  }
  Entry entry;
  entry.fNumber = value;
  entry.fLabel = label;
  fByNumber.emplace(value, fEntries.size());
  fEntries.push_back(std::move(entry));
}

void VORN_ValueLabelMap::Add(const std::string& value, const std::string& label) {
  std::string key = TrimTrailingBlanks(value);
  auto found = fByText.find(key);
  if (found != fByText.end()) {
    fEntries[found->second].fLabel = label;
    return;
  }
  Entry entry;
  entry.fIsString = true;
  entry.fText = key;
  entry.fLabel = label;
  fByText.emplace(std::move(key), fEntries.size());
  fEntries.push_back(std::move(entry));
}

const std::string* VORN_ValueLabelMap::Find(double value) const {
  auto found = fByNumber.find(value);
  return found == fByNumber.end() ? nullptr : &fEntries[found->second].fLabel;
}

const std::string* VORN_ValueLabelMap::Find(const std::string& value) const {
  auto found = fByText.find(TrimTrailingBlanks(value));
  return found == fByText.end() ? nullptr : &fEntries[found->second].fLabel;
}

const std::string* VORN_ValueLabelMap::Find(const OBS* value, int type) const {
  if (value == nullptr)
    return nullptr;
  if (type <= 0)
    return Find(value->f);
  // A string of width `type` fills its units from the first character on.
  return Find(std::string(value->s, static_cast<std::string::size_type>(type)));
}
