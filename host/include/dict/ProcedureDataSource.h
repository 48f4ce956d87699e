// The data source a procedure is constructed with: the active dictionary as the procedure sees it.
#pragma once

#include "dict/VORN_DataSource.h"

class ProcedureDataSource : public VORN_DataSource {
public:
  ProcedureDataSource();
  ~ProcedureDataSource() override;
};
