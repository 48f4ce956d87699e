// The translated string table of a procedure: the text behind each key, in the output language,
// with English behind every key the language's table lacks.
#pragma once

#include "strings/StringTableFormat.h"

#include <map>
#include <set>
#include <string>
#include <vector>

class FacSTDictionary {
public:
  // `location` is the folder of one language's tables (what PathFactory::getPathInstance(3)
  // gives, e.g. ".../resources/strings/de"); its last path component names the language. Reads
  // nothing until SetProcedure.
  explicit FacSTDictionary(const std::string& location);
  virtual ~FacSTDictionary();
  FacSTDictionary(const FacSTDictionary&) = delete;
  FacSTDictionary& operator=(const FacSTDictionary&) = delete;

  // Loads the procedure's table from the location, and, for a language other than "en", the
  // English table beside it as the fallback. Returns false when the table of the location could
  // not be read or had bad lines (LastError() says why); whatever could be read stays usable.
  // Never throws.
  bool SetProcedure(const std::string& procedure);

  // The entry of a message code without an entry of its own: its "^1" is the code.
  static constexpr const char* kMessageCodeKey = "MessageCode^1";

  // The text of a key. When no table has the key, the key is recorded as untranslated and shown
  // as itself, except a message code (one to nine digits), which is shown through the entry
  // kMessageCodeKey when there is one.
  std::string LookUp(const std::string& key) const;
  // The same, but says through `found` whether a table had the key itself. Records nothing.
  std::string Translate(const std::string& key, bool& found) const;

  // Keys that LookUp could not find, for diagnostics.
  const std::set<std::string>& UntranslatedKeys() const { return fUntranslated; }
  const std::string& Location() const { return fLocation; }
  const std::string& Language() const { return fLanguage; }
  const std::string& Procedure() const { return fProcedure; }
  // Empty after a successful SetProcedure; otherwise the file and the first problem.
  const std::string& LastError() const { return fLastError; }
  std::size_t EntryCount() const { return fEntries.size(); }

private:
  const std::string* Find(const std::string& key) const;
  bool LoadFile(const std::string& path, std::map<std::string, std::string>& entries);

  std::string fLocation;
  std::string fLanguage;
  std::string fProcedure;
  std::string fLastError;
  std::map<std::string, std::string> fEntries;
  std::map<std::string, std::string> fFallback;
  mutable std::set<std::string> fUntranslated;
};
