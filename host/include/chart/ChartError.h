// The one exception of the chart service: what a chart host call throws when it cannot do what it
// was asked (a specification that does not parse, an unknown data source, an element that is not
// there). Chart views catch it, and any other exception, and make no chart.
#pragma once

#include <stdexcept>
#include <string>

class ChartError : public std::runtime_error {
public:
  explicit ChartError(const std::string& what) : std::runtime_error(what) {}
};
