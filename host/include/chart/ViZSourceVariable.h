// A variable of the chart: a column of a data source (source variable) or one computed from another
// (derived variable), named by its id.
#pragma once

#include "chart/ViZElement.h"

class ViZSourceVariable : public ViZElement {
public:
  using ViZElement::ViZElement;

  // The data source and its column that the variable reads (empty for a derived variable).
  std::string getSourceName() const;
  std::string getColumnName() const;
};
