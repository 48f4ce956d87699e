// A procedure's voice towards the user while it reads its command: warnings and errors that go
// to the host's message log, and texts of the procedure's string table with numbered arguments.
#pragma once

#include "parser/ParserMessageLog.h"

#include <string>
#include <vector>

class ParserMessage {
public:
  // Messages are kept in this object only (GetMessages).
  ParserMessage();
  // Messages are also added to `log`, which is borrowed and may be null.
  explicit ParserMessage(ParserMessageLog* log);
  ~ParserMessage();

  void SetCommandName(const std::string& name) { fCommandName = name; }
  void SetProcedureTitle(const std::string& title) { fProcedureTitle = title; }
  const std::string& GetCommandName() const { return fCommandName; }
  const std::string& GetProcedureTitle() const { return fProcedureTitle; }

  // Issues `text` with ^1 ... ^5 replaced by the arguments that are not null. A null text issues
  // nothing.
  void GenericWarning(const char* text, const char* arg1, const char* arg2, const char* arg3,
                      const char* arg4, const char* arg5);
  void GenericError(const char* text, const char* arg1, const char* arg2, const char* arg3,
                    const char* arg4, const char* arg5);

  // The text of `key` in the string table of the procedure title (the key itself when the table
  // has no entry), with ^1, ^2, ... replaced by the arguments in order. A ^N without an argument
  // stays as written.
  std::string GetTranslatedText(const std::string& key, const std::vector<std::string>& args) const;
  template <typename... Args>
  std::string GetTranslatedText(const std::string& key, const Args&... args) const {
    return GetTranslatedText(key, std::vector<std::string>{std::string(args)...});
  }

  const std::vector<ParserMessageEntry>& GetMessages() const { return fMessages; }

  // `text` with ^1 ... ^N replaced by `args`; a caret not followed by a known number stays.
  static std::string SubstituteArguments(const std::string& text,
                                         const std::vector<std::string>& args);

private:
  void Issue(ParserMessageEntry::Level level, const char* text,
             const std::vector<const char*>& args);

  ParserMessageLog* fLog = nullptr;
  std::string fCommandName;
  std::string fProcedureTitle;
  std::vector<ParserMessageEntry> fMessages;
};
