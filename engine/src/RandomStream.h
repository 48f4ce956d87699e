// The engine's random numbers: the 64-bit Mersenne Twister (std::mt19937_64, whose output the C++
// standard fixes for every platform) turned into doubles by our own code, so that a seed gives
// the same draws on every machine and library.
#pragma once

#include <cstdint>
#include <random>

namespace engine {

class RandomStream {
public:
  explicit RandomStream(std::uint64_t seed) : fGenerator(seed) {}

  // Uniform on (0, 1): 53 random bits, never 0 or 1.
  double Uniform() { return ((fGenerator() >> 11) + 0.5) * 0x1.0p-53; }
  // Uniform integer in [0, n): by rejection, without modulo bias.
  std::uint64_t Below(std::uint64_t n);
  // Standard normal by the polar method.
  double Normal();
  // Exponential with mean 1.
  double Exponential();

private:
  std::mt19937_64 fGenerator;
  bool fHasSpare = false;
  double fSpare = 0;
};

} // namespace engine
