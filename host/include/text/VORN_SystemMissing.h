// The system-missing value: the most negative finite double. It marks a number that is absent.
#pragma once

#include <limits>

constexpr double VORN_SystemMissing() {
  return -std::numeric_limits<double>::max();
}
