// The procedure's view of the active dictionary; nothing beyond the dictionary yet.
#include "dict/ProcedureDataSource.h"

ProcedureDataSource::ProcedureDataSource() = default;
ProcedureDataSource::~ProcedureDataSource() = default;
