// The parser's way into the string table: the table of the output language that the host's path
// service names.
#include "parser/ProcedureTextLookup.h"

#include "strings/FacSTDictionary.h"
#include "strings/PathFactory.h"

std::string LookUpProcedureText(const std::string& procedureTitle, const std::string& key) {
  // Reading the table per text is affordable: a procedure asks for a handful of message texts.
  FacSTDictionary dictionary(PathFactory::getPathInstance(PathFactory::kStringTables)->getPath());
  dictionary.SetProcedure(procedureTitle); // what could not be read falls back to the key
  bool found = false;
  std::string text = dictionary.Translate(key, found);
  return found ? text : key;
}
