// Warnings, errors and translated texts of a procedure reading its command.
#include "parser/ParserMessage.h"

#include "parser/ProcedureTextLookup.h"

#include <cstddef>

ParserMessage::ParserMessage() = default;
ParserMessage::ParserMessage(ParserMessageLog* log) : fLog(log) {}
ParserMessage::~ParserMessage() = default;

std::string ParserMessage::SubstituteArguments(const std::string& text,
                                               const std::vector<std::string>& args) {
  std::string out;
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] == '^' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
      std::size_t end = i + 1;
      std::size_t number = 0;
      // At most four digits: no text has that many arguments, and it bounds the arithmetic.
      while (end < text.size() && end - i <= 4 && text[end] >= '0' && text[end] <= '9')
        number = number * 10 + static_cast<std::size_t>(text[end++] - '0');
      if (number >= 1 && number <= args.size()) {
        out += args[number - 1];
        i = end;
        continue;
      }
    }
    out += text[i++];
  }
  return out;
}

void ParserMessage::Issue(ParserMessageEntry::Level level, const char* text,
                          const std::vector<const char*>& args) {
  if (text == nullptr)
    return;
  std::vector<std::string> given;
  for (const char* arg : args)
    given.push_back(arg == nullptr ? std::string("^" + std::to_string(given.size() + 1))
                                   : std::string(arg));
  ParserMessageEntry entry{level, fCommandName, SubstituteArguments(text, given)};
  if (fLog != nullptr)
    fLog->Add(entry);
  fMessages.push_back(std::move(entry));
}

void ParserMessage::GenericWarning(const char* text, const char* arg1, const char* arg2,
                                   const char* arg3, const char* arg4, const char* arg5) {
  Issue(ParserMessageEntry::Level::kWarning, text, {arg1, arg2, arg3, arg4, arg5});
}

void ParserMessage::GenericError(const char* text, const char* arg1, const char* arg2,
                                 const char* arg3, const char* arg4, const char* arg5) {
  Issue(ParserMessageEntry::Level::kError, text, {arg1, arg2, arg3, arg4, arg5});
}

std::string ParserMessage::GetTranslatedText(const std::string& key,
                                             const std::vector<std::string>& args) const {
  return SubstituteArguments(LookUpProcedureText(fProcedureTitle, key), args);
}
