// Recursive descent over the grammar's descriptors. Each descriptor says what may follow a
// keyword, so the reader needs no knowledge of any particular command.
#include "parser/CommandParser.h"

#include "dict/VORN_DataSource.h"
#include "parser/CommandLexer.h"
#include "parser/CommandSyntaxError.h"
#include "parser/KeywordSuggester.h"
#include "parser/ParserMessageLog.h"
#include "parser/VarListExpander.h"

#include <utility>
#include <vector>

namespace {

using Kind = CommandToken::Kind;

std::string JoinNames(const std::vector<std::string>& names) {
  std::string text;
  for (std::size_t i = 0; i < names.size(); ++i)
    text += (i == 0 ? "" : (i + 1 == names.size() ? " or " : ", ")) + names[i];
  return text;
}

template <typename T> std::vector<std::string> NamesOf(const std::vector<T>& items) {
  std::vector<std::string> names;
  for (const T& item : items)
    names.push_back(item.GetName());
  return names;
}

bool Contains(const std::vector<std::string>& names, const std::string& word) {
  for (const std::string& name : names)
    if (SameKeyword(name, word))
      return true;
  return false;
}

// One reading of one text.
class ParseRun {
public:
  ParseRun(const CommandDescriptor& grammar, const VORN_DataSource* dataSource,
           const std::string& text)
      : fGrammar(grammar), fDataSource(dataSource), fLexer(text) {
    Advance();
  }

  std::unique_ptr<CommandSpec> ParseCommand();

private:
  void Advance() { fToken = fLexer.Next(); }
  [[noreturn]] void Fail(const CommandToken& at, const std::string& problem,
                         const std::string& suggestion = std::string()) const {
    const std::string shown = at.fKind == Kind::kEndOfText ? std::string() : at.fWritten;
    throw CommandSyntaxError(at.fLine, at.fColumn, shown, problem, suggestion);
  }
  bool AtSubcommandEnd() const {
    return fToken.fKind == Kind::kSlash || fToken.fKind == Kind::kEndCommand ||
           fToken.fKind == Kind::kEndOfText;
  }
  bool AtItem() const {
    return fToken.fKind == Kind::kWord || fToken.fKind == Kind::kNumber ||
           fToken.fKind == Kind::kString;
  }

  void ParseSubcommand(const SubComDescriptor& descriptor, SubComObj& subcommand);
  std::unique_ptr<ParamObj> ParseParam(const ParamDescriptor& descriptor,
                                       const std::vector<std::string>& siblings, int depth);
  void ParseItems(const ParamDescriptor& descriptor, ParamObj& param, const CommandToken& keyword,
                  bool inParens, int depth);
  void ParseOneItem(const ParamDescriptor& descriptor, ParamObj& param,
                    std::vector<CommandToken>& pendingVariables, int depth);
  void FlushVariables(std::vector<CommandToken>& pending, ParamObj& param);
  void CheckItems(const ParamDescriptor& descriptor, const ParamObj& param,
                  const CommandToken& keyword) const;
  [[noreturn]] void FailMisplaced(const std::string& where,
                                  const std::vector<std::string>& keywords) const;

  const CommandDescriptor& fGrammar;
  const VORN_DataSource* fDataSource;
  CommandLexer fLexer;
  CommandToken fToken;
};

std::unique_ptr<CommandSpec> ParseRun::ParseCommand() {
  const CommandToken name = fToken;
  if (name.fKind != Kind::kWord || !SameKeyword(name.fText, fGrammar.getCommandName()))
    Fail(name, "the command must start with its name " + fGrammar.getCommandName(),
         name.fKind == Kind::kWord
             ? KeywordSuggester::Nearest(name.fText, {fGrammar.getCommandName()})
             : std::string());
  auto spec = std::make_unique<CommandSpec>(fGrammar.getCommandName());
  Advance();
  bool first = true;
  while (fToken.fKind != Kind::kEndCommand && fToken.fKind != Kind::kEndOfText) {
    if (fToken.fKind == Kind::kSlash)
      Advance();
    else if (!first || fToken.fKind != Kind::kWord)
      Fail(fToken, "expected \"/\" and a subcommand");
    first = false;
    const CommandToken subName = fToken;
    if (subName.fKind != Kind::kWord)
      Fail(subName, "expected a subcommand after \"/\" (" +
                        JoinNames(NamesOf(fGrammar.GetSubCommands())) + ")");
    const SubComDescriptor* descriptor = fGrammar.getSubComDesc(subName.fText);
    if (descriptor == nullptr)
      Fail(subName, subName.fText + " is not a subcommand of " + fGrammar.getCommandName(),
           KeywordSuggester::Nearest(subName.fText, NamesOf(fGrammar.GetSubCommands())));
    if (spec->getSubComObj(descriptor->GetName()) != nullptr)
      Fail(subName, descriptor->GetName() + " is given twice");
    Advance();
    SubComObj& subcommand = spec->AddSubCom(
        std::make_unique<SubComObj>(descriptor->GetName(), subName.fLine, subName.fColumn));
    ParseSubcommand(*descriptor, subcommand);
  }
  if (fToken.fKind == Kind::kEndCommand) {
    Advance();
    if (fToken.fKind != Kind::kEndOfText)
      Fail(fToken, "there is text after the end of the command; give one command at a time");
  }
  const std::vector<std::string>& needed = fGrammar.GetAtLeastOneOf();
  bool found = needed.empty();
  for (const std::string& sub : needed)
    found = found || spec->getSubComObj(sub) != nullptr;
  if (!found)
    Fail(name,
         fGrammar.getCommandName() + " needs at least one of the subcommands " + JoinNames(needed));
  return spec;
}

void ParseRun::FailMisplaced(const std::string& where,
                             const std::vector<std::string>& keywords) const {
  const std::string expected = keywords.empty() ? "" : " (" + JoinNames(keywords) + ")";
  switch (fToken.fKind) {
  case Kind::kNumber:
    Fail(fToken, "a number where a keyword of " + where + " belongs" + expected);
  case Kind::kString:
    Fail(fToken, "a string where a keyword of " + where + " belongs" + expected);
  case Kind::kOpen:
    Fail(fToken, "a \"(\" where a keyword of " + where + " belongs" + expected);
  case Kind::kClose:
    Fail(fToken, "a \")\" without a \"(\" before it");
  case Kind::kEquals:
    Fail(fToken, "an \"=\" without a keyword before it");
  case Kind::kWord:
  case Kind::kComma:
  case Kind::kSlash:
  case Kind::kEndCommand:
  case Kind::kEndOfText:
    break;
  }
  Fail(fToken, "unexpected " + std::string(CommandTokenKindName(fToken.fKind)) + " in " + where);
}

void ParseRun::ParseSubcommand(const SubComDescriptor& descriptor, SubComObj& subcommand) {
  const std::vector<std::string> names = NamesOf(descriptor.GetParams());
  const CommandToken subName{Kind::kWord, subcommand.GetName(), subcommand.GetName(),
                             0.0,         subcommand.GetLine(), subcommand.GetColumn()};
  while (!AtSubcommandEnd()) {
    if (fToken.fKind == Kind::kComma) {
      Advance();
      continue;
    }
    if (fToken.fKind != Kind::kWord)
      FailMisplaced(descriptor.GetName(), names);
    const ParamDescriptor* param = descriptor.getParamDesc(fToken.fText);
    if (param == nullptr) {
      if (fGrammar.getSubComDesc(fToken.fText) != nullptr)
        Fail(fToken, fToken.fText + " is a subcommand: write /" + UpperKeyword(fToken.fText));
      Fail(fToken, fToken.fText + " is not a keyword of " + descriptor.GetName(),
           KeywordSuggester::Nearest(fToken.fText, names));
    }
    if (subcommand.getParamObj(param->GetName()) != nullptr)
      Fail(fToken, param->GetName() + " is given twice in " + descriptor.GetName());
    subcommand.AddParam(ParseParam(*param, names, 1));
  }
  for (const ParamDescriptor& param : descriptor.GetParams())
    if (param.IsRequired() && subcommand.getParamObj(param.GetName()) == nullptr)
      Fail(subName, descriptor.GetName() + " needs " + param.GetName());
  const std::vector<std::string>& needed = descriptor.GetAtLeastOneOf();
  bool found = needed.empty();
  for (const std::string& param : needed)
    found = found || subcommand.getParamObj(param) != nullptr;
  if (!found)
    Fail(subName, descriptor.GetName() + " needs at least one of " + JoinNames(needed));
}

std::unique_ptr<ParamObj> ParseRun::ParseParam(const ParamDescriptor& descriptor,
                                               const std::vector<std::string>& siblings,
                                               int depth) {
  const CommandToken keyword = fToken;
  if (depth > CommandParser::kMaxDepth)
    Fail(keyword, "parameters are nested more than " + std::to_string(CommandParser::kMaxDepth) +
                      " levels deep");
  const std::string name = descriptor.IsOpen() && !SameKeyword(keyword.fText, descriptor.GetName())
                               ? UpperKeyword(keyword.fText)
                               : descriptor.GetName();
  auto param =
      std::make_unique<ParamObj>(ParamObj::Kind::kKeyword, name, keyword.fLine, keyword.fColumn);
  Advance();
  const bool wantsValue = fToken.fKind == Kind::kEquals || fToken.fKind == Kind::kOpen;
  if (wantsValue && descriptor.IsBareOnly())
    Fail(fToken, name + " takes no value");
  if (fToken.fKind == Kind::kEquals) {
    param->SetForm(ParamObj::Form::kEquals);
    Advance();
    if (!AtItem())
      Fail(fToken, "expected a value after " + name + "=");
    std::vector<CommandToken> pending;
    ParseOneItem(descriptor, *param, pending, depth);
    // Further items belong to this parameter until a keyword of its own level begins.
    while (descriptor.GetMaxItems() > 1 && !descriptor.IsOpen() && AtItem() &&
           !(fToken.fKind == Kind::kWord && Contains(siblings, fToken.fText)))
      ParseOneItem(descriptor, *param, pending, depth);
    FlushVariables(pending, *param);
  } else if (fToken.fKind == Kind::kOpen) {
    param->SetForm(ParamObj::Form::kParens);
    Advance();
    ParseItems(descriptor, *param, keyword, true, depth);
  } else if (!descriptor.IsBareAllowed()) {
    Fail(keyword, name + " needs a value, written " + name + "=... or " + name + "(...)");
  }
  if (param->GetForm() != ParamObj::Form::kBare)
    CheckItems(descriptor, *param, keyword);
  return param;
}

void ParseRun::ParseItems(const ParamDescriptor& descriptor, ParamObj& param,
                          const CommandToken& keyword, bool inParens, int depth) {
  std::vector<CommandToken> pending;
  while (inParens && fToken.fKind != Kind::kClose) {
    if (AtSubcommandEnd())
      Fail(fToken, "the \"(\" after " + param.getParamName() + " at line " +
                       std::to_string(keyword.fLine) + ", column " +
                       std::to_string(keyword.fColumn) + " is not closed with \")\"");
    if (fToken.fKind == Kind::kComma) {
      Advance();
      continue;
    }
    ParseOneItem(descriptor, param, pending, depth);
  }
  FlushVariables(pending, param);
  Advance(); // the ")"
}

void ParseRun::ParseOneItem(const ParamDescriptor& descriptor, ParamObj& param,
                            std::vector<CommandToken>& pending, int depth) {
  const std::string& where = param.getParamName();
  std::vector<std::string> keywords = NamesOf(descriptor.GetQualifiers());
  keywords.insert(keywords.end(), descriptor.GetWords().begin(), descriptor.GetWords().end());

  switch (fToken.fKind) {
  case Kind::kWord: {
    const ParamDescriptor* qualifier = descriptor.getParamDesc(fToken.fText);
    if (descriptor.IsOpen()) {
      param.AddItem(ParseParam(descriptor, {}, depth + 1));
    } else if (qualifier != nullptr) {
      FlushVariables(pending, param);
      for (std::size_t i = 0; i < param.GetItemCount(); ++i)
        if (SameKeyword(param.GetItem(i)->getParamName(), qualifier->GetName()) &&
            param.GetItem(i)->GetKind() == ParamObj::Kind::kKeyword)
          Fail(fToken, qualifier->GetName() + " is given twice in " + where);
      param.AddItem(ParseParam(*qualifier, NamesOf(descriptor.GetQualifiers()), depth + 1));
    } else if (descriptor.HasWord(fToken.fText)) {
      FlushVariables(pending, param);
      param.AddItem(std::make_unique<ParamObj>(ParamObj::Kind::kWord, UpperKeyword(fToken.fText),
                                               fToken.fLine, fToken.fColumn));
      Advance();
    } else if (descriptor.AcceptsVariables()) {
      pending.push_back(fToken);
      Advance();
    } else if (keywords.empty()) {
      Fail(fToken, where + " takes " + descriptor.DescribeNumbers() + ", not a word");
    } else {
      Fail(fToken,
           fToken.fText + " is not a keyword of " + where + " (" + JoinNames(keywords) + ")" +
               (descriptor.AcceptsNumbers() ? ", nor " + descriptor.DescribeNumbers() : ""),
           KeywordSuggester::Nearest(fToken.fText, keywords));
    }
    return;
  }
  case Kind::kNumber: {
    FlushVariables(pending, param);
    if (!descriptor.IsOpen() && !descriptor.AcceptsNumbers() && descriptor.AcceptsVariables())
      Fail(fToken, where + " takes variable names, not a number");
    if (!descriptor.IsOpen() && !descriptor.AcceptsNumbers())
      FailMisplaced(where, keywords);
    if (!descriptor.IsOpen() && !descriptor.IsNumberInRange(fToken.fNumber))
      Fail(fToken, where + " takes " + descriptor.DescribeNumbers());
    auto item = std::make_unique<ParamObj>(ParamObj::Kind::kNumber, fToken.fText, fToken.fLine,
                                           fToken.fColumn);
    item->SetNumber(fToken.fNumber);
    param.AddItem(std::move(item));
    Advance();
    return;
  }
  case Kind::kString:
    FlushVariables(pending, param);
    if (!descriptor.IsOpen() && !descriptor.AcceptsStrings() && descriptor.AcceptsVariables())
      Fail(fToken, where + " takes variable names, not a string");
    if (!descriptor.IsOpen() && !descriptor.AcceptsStrings())
      FailMisplaced(where, keywords);
    param.AddItem(std::make_unique<ParamObj>(ParamObj::Kind::kString, fToken.fText, fToken.fLine,
                                             fToken.fColumn));
    Advance();
    return;
  case Kind::kSlash:
  case Kind::kEquals:
  case Kind::kOpen:
  case Kind::kClose:
  case Kind::kComma:
  case Kind::kEndCommand:
  case Kind::kEndOfText:
    break;
  }
  FailMisplaced(where, keywords);
}

void ParseRun::FlushVariables(std::vector<CommandToken>& pending, ParamObj& param) {
  if (pending.empty())
    return;
  std::vector<CommandToken> tokens;
  tokens.swap(pending);
  if (fDataSource == nullptr) {
    for (const CommandToken& token : tokens)
      param.AddItem(std::make_unique<ParamObj>(ParamObj::Kind::kVariable, token.fText, token.fLine,
                                               token.fColumn));
    return;
  }
  std::vector<std::string> names;
  for (const CommandToken& token : tokens)
    names.push_back(token.fText);
  const VarListExpander::Result expanded = VarListExpander::Expand(names, *fDataSource);
  if (!expanded.fOk) {
    const CommandToken& bad = tokens[expanded.fBadPosition];
    std::vector<std::string> known;
    for (int v = 0; v < fDataSource->GetVariableCount(); ++v)
      known.push_back(fDataSource->GetVariable(v)->GetName());
    const bool unknown = fDataSource->FindVarIndex(bad.fText, 0) < 0 &&
                         !SameKeyword(bad.fText, "TO") && !SameKeyword(bad.fText, "ALL");
    Fail(bad, expanded.fProblem,
         unknown ? KeywordSuggester::Nearest(bad.fText, known) : std::string());
  }
  // Each variable points at the name it came from; a range's variables at its start.
  for (std::size_t i = 0; i < expanded.fIndexes.size(); ++i) {
    const CommandToken& origin = tokens[expanded.fOrigins[i]];
    param.AddItem(std::make_unique<ParamObj>(
        ParamObj::Kind::kVariable, fDataSource->GetVariable(expanded.fIndexes[i])->GetName(),
        origin.fLine, origin.fColumn));
  }
}

void ParseRun::CheckItems(const ParamDescriptor& descriptor, const ParamObj& param,
                          const CommandToken& keyword) const {
  if (descriptor.IsOpen())
    return;
  const std::string noun = descriptor.AcceptsVariables() ? "variable" : "value";
  const std::size_t count = param.GetItemCount();
  if (count < descriptor.GetMinItems())
    Fail(keyword, param.getParamName() + " needs at least " +
                      std::to_string(descriptor.GetMinItems()) + " " + noun +
                      (descriptor.GetMinItems() == 1 ? "" : "s"));
  if (count > descriptor.GetMaxItems()) {
    const ParamObj* extra = param.GetItem(descriptor.GetMaxItems());
    const CommandToken at{Kind::kWord, extra->getParamName(), extra->getParamName(),
                          0.0,         extra->GetLine(),      extra->GetColumn()};
    Fail(at, descriptor.GetMaxItems() == 1
                 ? param.getParamName() + " takes only one " + noun
                 : param.getParamName() + " takes at most " +
                       std::to_string(descriptor.GetMaxItems()) + " " + noun + "s");
  }
  for (const ParamDescriptor& qualifier : descriptor.GetQualifiers()) {
    if (!qualifier.IsRequired())
      continue;
    bool given = false;
    for (std::size_t i = 0; i < count; ++i)
      given = given || (param.GetItem(i)->GetKind() == ParamObj::Kind::kKeyword &&
                        SameKeyword(param.GetItem(i)->getParamName(), qualifier.GetName()));
    if (!given)
      Fail(keyword, param.getParamName() + " needs " + qualifier.GetName());
  }
}

} // namespace

CommandParser::CommandParser(const CommandDescriptor& grammar, const VORN_DataSource* dataSource)
    : fGrammar(grammar), fDataSource(dataSource) {}

std::unique_ptr<CommandSpec> CommandParser::Parse(const std::string& text) const {
  if (text.size() > kMaxTextLength)
    throw CommandSyntaxError(
        1, 1, "", "the command is longer than " + std::to_string(kMaxTextLength) + " characters");
  ParseRun run(fGrammar, fDataSource, text);
  return run.ParseCommand();
}

std::unique_ptr<CommandSpec> CommandParser::Parse(const std::string& text,
                                                  ParserMessageLog* log) const {
  try {
    return Parse(text);
  } catch (const CommandSyntaxError& error) {
    if (log != nullptr)
      log->AddError(fGrammar.getCommandName(), error.what());
    return nullptr;
  }
}
