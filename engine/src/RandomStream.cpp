// Draws of the engine's random stream.
#include "RandomStream.h"

#include <cmath>

namespace engine {

std::uint64_t RandomStream::Below(std::uint64_t n) {
  if (n <= 1)
    return 0;
  const std::uint64_t limit = UINT64_MAX - UINT64_MAX % n;
  std::uint64_t x = 0;
  do
    x = fGenerator();
  while (x >= limit);
  return x % n;
}

double RandomStream::Normal() {
  if (fHasSpare) {
    fHasSpare = false;
    return fSpare;
  }
  double u = 0, v = 0, s = 0;
  do {
    u = 2 * Uniform() - 1;
    v = 2 * Uniform() - 1;
    s = u * u + v * v;
  } while (s >= 1 || s == 0);
  const double factor = std::sqrt(-2 * std::log(s) / s);
  fSpare = v * factor;
  fHasSpare = true;
  return u * factor;
}

double RandomStream::Exponential() {
  return -std::log(Uniform());
}

} // namespace engine
