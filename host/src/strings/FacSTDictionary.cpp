// The string table of a procedure, read from the language folder and the English fallback.
#include "strings/FacSTDictionary.h"

#include <fstream>
#include <sstream>

namespace {

std::string StripTrailingSlashes(std::string path) {
  while (path.size() > 1 && path.back() == '/') {
    path.pop_back();
  }
  return path;
}

std::string LastComponent(const std::string& path) {
  std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Message codes of the computation are keys of up to nine digits.
bool IsMessageCode(const std::string& key) {
  constexpr std::size_t kMaxCodeDigits = 9;
  return !key.empty() && key.size() <= kMaxCodeDigits &&
         key.find_first_not_of("0123456789") == std::string::npos;
}

std::string Parent(const std::string& path) {
  std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) {
    return ".";
  }
  return slash == 0 ? "/" : path.substr(0, slash);
}

} // namespace

FacSTDictionary::FacSTDictionary(const std::string& location)
    : fLocation(StripTrailingSlashes(location)), fLanguage(LastComponent(fLocation)) {}

FacSTDictionary::~FacSTDictionary() = default;

bool FacSTDictionary::LoadFile(const std::string& path,
                               std::map<std::string, std::string>& entries) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    fLastError = path + ": cannot be read";
    return false;
  }
  std::ostringstream text;
  text << in.rdbuf();
  std::vector<StringTableError> errors;
  if (!ParseStringTable(text.str(), entries, errors)) {
    fLastError = path + ":" + std::to_string(errors.front().line) + ": " + errors.front().message;
    return false;
  }
  return true;
}

bool FacSTDictionary::SetProcedure(const std::string& procedure) {
  fProcedure = procedure;
  fEntries.clear();
  fFallback.clear();
  fLastError.clear();
  const std::string file = StringTableFileName(procedure);
  bool ok = LoadFile(fLocation + "/" + file, fEntries);
  if (fLanguage != "en") {
    // The fallback's problems are the English table's to report; keep this table's error.
    std::string ownError = fLastError;
    LoadFile(Parent(fLocation) + "/en/" + file, fFallback);
    fLastError = ownError;
  }
  return ok;
}

const std::string* FacSTDictionary::Find(const std::string& key) const {
  auto entry = fEntries.find(key);
  if (entry != fEntries.end()) {
    return &entry->second;
  }
  entry = fFallback.find(key);
  return entry != fFallback.end() ? &entry->second : nullptr;
}

std::string FacSTDictionary::Translate(const std::string& key, bool& found) const {
  const std::string* text = Find(key);
  found = text != nullptr;
  if (found) {
    return *text;
  }
  const std::string* general = IsMessageCode(key) ? Find(kMessageCodeKey) : nullptr;
  if (general == nullptr) {
    return key;
  }
  std::string filled = *general;
  std::size_t placeholder = filled.find("^1");
  if (placeholder != std::string::npos) {
    filled.replace(placeholder, 2, key);
  }
  return filled;
}

std::string FacSTDictionary::LookUp(const std::string& key) const {
  bool found = false;
  std::string text = Translate(key, found);
  if (!found) {
    fUntranslated.insert(key);
  }
  return text;
}
