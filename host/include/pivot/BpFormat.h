// The number format a BpNumber is shown with; made by BpProcedure's format functions.
#pragma once

#include "output/NumberFormat.h"

using BpFormat = output::NumberFormat;
