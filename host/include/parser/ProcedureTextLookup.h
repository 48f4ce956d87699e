// The one place where the command parser's messages meet the host's string table.
#pragma once

#include <string>

// The text of `key` in the string table of the procedure titled `procedureTitle`; the key itself
// when there is no entry. Never throws.
std::string LookUpProcedureText(const std::string& procedureTitle, const std::string& key);
