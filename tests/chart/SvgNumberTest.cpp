// Numbers of a drawing: printf's "%.2f" with the trailing zeros dropped, written by a faster path
// that must never round differently.
#include "SvgWriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>

namespace {

std::string Printf(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.2f", value);
  std::string out = text;
  while (out.back() == '0')
    out.pop_back();
  if (out.back() == '.')
    out.pop_back();
  return out == "-0" ? "0" : out;
}

TEST(SvgNumber, RoundsAsPrintfDoes) {
  // Ties and near-ties in binary (x.xx5), negatives that round to zero, and the clamp.
  for (double value : {0.0, -0.0, 0.125, 0.375, 1.005, 2.675, -2.675, 0.285, 1e-9, -0.004, -0.005,
                       -0.006, 0.5, -0.5, 99.995, 123456.785, 9999999.995, 1e7, -1e7})
    EXPECT_EQ(SvgWriter::Number(value), Printf(value)) << value;
  EXPECT_EQ(SvgWriter::Number(3e9), "10000000");
  EXPECT_EQ(SvgWriter::Number(std::nan("")), "0");
  EXPECT_EQ(SvgWriter::Number(-INFINITY), "0");

  std::mt19937_64 random(20261206);
  std::uniform_real_distribution<double> wide(-1e7, 1e7), narrow(-10, 10);
  std::uniform_int_distribution<int> cents(-100000, 100000);
  for (int i = 0; i < 200000; ++i) {
    // Plain values, and values a hair off the half-hundredths where rounding turns.
    const double value = i % 3 == 0   ? wide(random)
                         : i % 3 == 1 ? narrow(random)
                                      : (cents(random) + 0.5) / 100 + narrow(random) * 1e-12;
    ASSERT_EQ(SvgWriter::Number(value), Printf(value)) << value;
  }
}

} // namespace
