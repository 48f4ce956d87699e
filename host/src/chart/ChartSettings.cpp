// The host's chart settings: set once by the program before procedures run, read while charts are
// drawn on the same thread.
#include "chart/ChartSettings.h"

#include <atomic>

namespace {
std::atomic<bool> gUseColorsOnly{false};
} // namespace

bool ChartSettings::UseColorsOnly() {
  return gUseColorsOnly.load(std::memory_order_relaxed);
}

void ChartSettings::SetUseColorsOnly(bool colorsOnly) {
  gUseColorsOnly.store(colorsOnly, std::memory_order_relaxed);
}
