// The messages that reading a command produced, kept in order for the host to show (the
// command-line host prints them on standard error and puts them in the output document).
#pragma once

#include <string>
#include <vector>

struct ParserMessageEntry {
  enum class Level { kWarning, kError };
  Level fLevel = Level::kWarning;
  std::string fCommand; // the command the message is about, e.g. "NPTESTS"; may be empty
  std::string fText;
};

class ParserMessageLog {
public:
  ParserMessageLog();
  ~ParserMessageLog();

  void Add(ParserMessageEntry entry);
  void AddWarning(const std::string& command, const std::string& text);
  void AddError(const std::string& command, const std::string& text);

  const std::vector<ParserMessageEntry>& GetEntries() const { return fEntries; }
  bool HasErrors() const;
  void Clear() { fEntries.clear(); }

  // "NPTESTS warning: K-S Poisson Sample ignored ..." (the command part left out when empty).
  static std::string Format(const ParserMessageEntry& entry);

private:
  std::vector<ParserMessageEntry> fEntries;
};
