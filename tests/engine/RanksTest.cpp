// The radix sort behind every rank gives the order a stable comparison sort gives: negatives,
// both zeros, ties, infinities, subnormals.
#include "Ranks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <random>

TEST(Ranks, RadixOrderIsTheStableComparisonOrder) {
  std::mt19937_64 random(3);
  std::vector<double> values;
  for (int i = 0; i < 20000; ++i)
    values.push_back(std::round(std::normal_distribution<double>(0, 50)(random)) / 4);
  values.insert(values.end(), {-0.0, 0.0, std::numeric_limits<double>::infinity(),
                               -std::numeric_limits<double>::infinity(),
                               std::numeric_limits<double>::denorm_min(), -1e300, 1e300});
  std::vector<std::size_t> expected(values.size());
  std::iota(expected.begin(), expected.end(), std::size_t{0});
  std::stable_sort(expected.begin(), expected.end(),
                   [&values](std::size_t a, std::size_t b) { return values[a] < values[b]; });
  EXPECT_EQ(engine::Ranks::SortOrder(values), expected);
}
