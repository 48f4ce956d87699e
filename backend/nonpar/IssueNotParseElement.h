// The reader's warning for an element or attribute name it does not know.
#pragma once

#include <string>

// Issues "Not parse element: " followed by `name` as a warning line of the output, through the
// pivot builder's error channel. Reading is never stopped by it; does not throw on its own.
void IssueNotParseElement(const std::string& name);
