// The grammar of the NPTESTS command: every subcommand, keyword and value form a user may write.
// docs/nptests-command.md describes it with examples.
#pragma once

#include "parser/CommandDescriptor.h"

// A new descriptor of NPTESTS (procedure title "Nonparametric Tests") with no message log.
CommandDescriptor MakeNptestsDescriptor();
