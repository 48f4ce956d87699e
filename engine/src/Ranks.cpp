// Sorting and midranks.
#include "Ranks.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <numeric>

namespace engine {

namespace {

// Below this many values a comparison sort is as fast and needs no buffers.
constexpr std::size_t kRadixFrom = 2048;
constexpr int kDigitBits = 11;
constexpr std::uint64_t kDigitMask = (1u << kDigitBits) - 1;

// The double's bits as an unsigned integer of the same order: the sign bit set for positive
// numbers, every bit flipped for negative ones. Both zeros map to one key.
std::uint64_t OrderedKey(double value) {
  if (value == 0)
    value = 0; // -0 as +0
  std::uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  return (bits >> 63) != 0 ? ~bits : bits | (std::uint64_t{1} << 63);
}

} // namespace

std::vector<std::size_t> Ranks::SortOrder(const std::vector<double>& values) {
  const std::size_t n = values.size();
  if (n < kRadixFrom || n > UINT32_MAX) {
    std::vector<std::size_t> order(n);
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&values](std::size_t a, std::size_t b) { return values[a] < values[b]; });
    return order;
  }
  // Least significant digit first, 11 bits a pass: stable, linear in n, and a pass whose digit is
  // the same for every value (the high bits of data of one sign and magnitude) is skipped.
  std::vector<std::uint64_t> keys(n), keysOut(n);
  std::vector<std::uint32_t> index(n), indexOut(n);
  for (std::size_t i = 0; i < n; ++i) {
    keys[i] = OrderedKey(values[i]);
    index[i] = static_cast<std::uint32_t>(i);
  }
  std::vector<std::size_t> counts(kDigitMask + 1);
  for (int shift = 0; shift < 64; shift += kDigitBits) {
    std::fill(counts.begin(), counts.end(), 0);
    for (std::uint64_t key : keys)
      ++counts[(key >> shift) & kDigitMask];
    if (counts[(keys[0] >> shift) & kDigitMask] == n)
      continue;
    std::size_t position = 0;
    for (std::size_t& count : counts) {
      const std::size_t here = count;
      count = position;
      position += here;
    }
    for (std::size_t i = 0; i < n; ++i) {
      const std::size_t to = counts[(keys[i] >> shift) & kDigitMask]++;
      keysOut[to] = keys[i];
      indexOut[to] = index[i];
    }
    keys.swap(keysOut);
    index.swap(indexOut);
  }
  // The order is made once the keys are gone, so that the sort's peak is its buffers alone.
  std::vector<std::uint64_t>().swap(keys);
  std::vector<std::uint64_t>().swap(keysOut);
  std::vector<std::uint32_t>().swap(indexOut);
  return std::vector<std::size_t>(index.begin(), index.end());
}

RankedCases Ranks::Midranks(const std::vector<double>& values, const std::vector<double>& weights) {
  RankedCases ranked;
  ranked.fRanks.resize(values.size());
  ranked.fOrder = SortOrder(values);
  const std::vector<std::size_t>& order = ranked.fOrder;
  auto weight = [&weights](std::size_t i) { return weights.empty() ? 1.0 : weights[i]; };
  double before = 0; // summed weight of the cases below the current block
  for (std::size_t start = 0; start < order.size();) {
    std::size_t end = start;
    double block = 0;
    while (end < order.size() && values[order[end]] == values[order[start]])
      block += weight(order[end++]);
    const double midrank = before + (block + 1) / 2;
    for (std::size_t i = start; i < end; ++i)
      ranked.fRanks[order[i]] = midrank;
    ranked.fTieTerm += block * block * block - block;
    before += block;
    start = end;
  }
  ranked.fTotal = before;
  return ranked;
}

} // namespace engine
