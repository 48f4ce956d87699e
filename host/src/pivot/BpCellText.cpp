// Anchor of the cell texts' vtable.
#include "pivot/BpCellText.h"

BpCellText::~BpCellText() = default;
