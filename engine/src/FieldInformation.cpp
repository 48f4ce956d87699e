// The field records of a document. A continuous field's histogram takes R's hist() bins: Sturges'
// number of classes made round by pretty(), so that the bins start and end at round numbers.
#include "FieldInformation.h"

#include "AnalysisData.h"
#include "TestWriting.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <string>

namespace engine {
namespace {

// R's pretty(c(lo, up), n, min.n = 1) as hist() calls it (shrink.sml = 0.75,
// high.u.bias = 1.5, u5.bias = 2.75): round break points covering [lo, up].
std::vector<double> PrettyBreaks(double lo, double up, int ndiv) {
  const double h = 1.5, h5 = 0.5 + 1.5 * h;
  const int minN = 1;
  const double dx = up - lo;
  double cell = 0;
  bool small = false;
  if (dx == 0 && up == 0) {
    cell = 1;
    small = true;
  } else {
    cell = std::max(std::fabs(lo), std::fabs(up));
    double u = 1 + ((h5 >= 1.5 * h + 0.5) ? 1 / (1 + h) : 1.5 / (1 + h5));
    u *= std::max(1, ndiv) * DBL_EPSILON;
    small = dx < cell * u * 3;
  }
  if (small) {
    if (cell > 10)
      cell = 9 + cell / 10;
    cell *= 0.75;
    if (minN > 1)
      cell /= minN;
  } else {
    cell = dx;
    if (ndiv > 1)
      cell /= ndiv;
  }
  if (cell < 20 * DBL_MIN)
    cell = 20 * DBL_MIN;
  else if (cell * 10 > DBL_MAX)
    cell = 0.1 * DBL_MAX;
  const double base = std::pow(10.0, std::floor(std::log10(cell)));
  double unit = base;
  if (2 * base - cell < h * (cell - unit)) {
    unit = 2 * base;
    if (5 * base - cell < h5 * (cell - unit)) {
      unit = 5 * base;
      if (10 * base - cell < h * (cell - unit))
        unit = 10 * base;
    }
  }
  double ns = std::floor(lo / unit + 1e-7);
  double nu = std::ceil(up / unit - 1e-7);
  const double roundingEps = 1e-10;
  while (ns * unit > lo + roundingEps * unit)
    ns--;
  while (nu * unit < up - roundingEps * unit)
    nu++;
  int k = static_cast<int>(0.5 + nu - ns);
  if (k < minN) {
    k = minN - k;
    if (ns >= 0) {
      nu += k / 2;
      ns -= k / 2 + k % 2;
    } else {
      ns -= k / 2;
      nu += k / 2 + k % 2;
    }
    ndiv = minN;
  } else {
    ndiv = k;
  }
  const double low = std::min(ns * unit, lo), high = std::max(nu * unit, up);
  // seq(low, high, length.out = ndiv + 1)
  std::vector<double> breaks(static_cast<std::size_t>(ndiv) + 1);
  const double by = (high - low) / ndiv;
  for (int i = 0; i <= ndiv; ++i)
    breaks[static_cast<std::size_t>(i)] = low + i * by;
  if (ndiv > 0)
    breaks.back() = high;
  return breaks;
}

ResultElement Continuous(const AnalysisData& data, const FieldColumn& field,
                         const std::vector<std::size_t>& cases) {
  double n = 0, sum = 0, low = INFINITY, high = -INFINITY;
  for (std::size_t c : cases) {
    const double x = field.fValues[c], w = data.Weight(c);
    n += w;
    sum += w * x;
    low = std::min(low, x);
    high = std::max(high, x);
  }
  const double mean = n > 0 ? sum / n : NAN;
  double squares = 0;
  for (std::size_t c : cases)
    squares += data.Weight(c) * (field.fValues[c] - mean) * (field.fValues[c] - mean);
  const double sd = n > 1 ? std::sqrt(squares / (n - 1)) : NAN;

  ResultElement table = TestWriting::Table("ContinuousDistribution");
  table.Add(TestWriting::Attribute("TotalN", n));
  table.Add(TestWriting::Attribute("Min", n > 0 ? low : NAN));
  table.Add(TestWriting::Attribute("Max", n > 0 ? high : NAN));
  table.Add(TestWriting::Attribute("Mean", mean));
  table.Add(TestWriting::Attribute("StdDev", sd));
  if (n > 0)
    table.Add(FieldInformation::Histogram(data, field, cases));
  return table;
}

ResultElement Categorical(const AnalysisData& data, const FieldColumn& field,
                          const std::vector<std::size_t>& cases) {
  std::vector<double> counts(field.fCategories.size(), 0), positions;
  double n = 0;
  for (std::size_t c : cases) {
    counts[static_cast<std::size_t>(field.fValues[c])] += data.Weight(c);
    n += data.Weight(c);
  }
  for (std::size_t i = 0; i < counts.size(); ++i)
    positions.push_back(static_cast<double>(i));
  ResultElement table = TestWriting::Table("CategoricalDistribution");
  table.Add(TestWriting::Attribute("TotalN", n));
  table.Add(TestWriting::SimpleTable("Interval", {"Count", "Value"},
                                     TestWriting::Positions(counts.size()), {counts, positions}));
  return table;
}

} // namespace

namespace {

// hist(): Sturges' classes, right-closed bins, the first closed on the left too, with R's fuzz of
// 1e-7 of the median bin width on the edges. `value(i)` and `weight(i)` read the i-th of `count`
// cases where they are, so that no copy of a large field is made for its histogram.
template <class Value, class Weight>
ResultElement HistogramOf(const std::string& name, std::size_t count, Value value, Weight weight) {
  double n = 0, low = INFINITY, high = -INFINITY;
  for (std::size_t i = 0; i < count; ++i) {
    n += weight(i);
    low = std::min(low, value(i));
    high = std::max(high, value(i));
  }
  const int classes = static_cast<int>(std::ceil(std::log2(n) + 1));
  const std::vector<double> breaks = PrettyBreaks(low, high, classes);
  const std::size_t bins = breaks.size() - 1;
  std::vector<double> widths;
  for (std::size_t i = 0; i < bins; ++i)
    widths.push_back(breaks[i + 1] - breaks[i]);
  std::vector<double> sorted = widths;
  std::sort(sorted.begin(), sorted.end());
  const double median = sorted.empty() ? 0
                        : sorted.size() % 2
                            ? sorted[sorted.size() / 2]
                            : (sorted[sorted.size() / 2 - 1] + sorted[sorted.size() / 2]) / 2;
  const double fuzz = 1e-7 * median;
  std::vector<double> edges = breaks;
  for (std::size_t i = 0; i < edges.size(); ++i)
    edges[i] += i == 0 ? -fuzz : fuzz;
  std::vector<double> counts(std::max<std::size_t>(bins, 1), 0), mids;
  // The first edge above or at x closes its bin (x above the last edge: the last bin). The bins
  // are of one width, so the division finds the bin or its neighbour and a step or two settles it.
  const std::size_t last = edges.size() - 1;
  const double width = bins > 0 ? (breaks.back() - breaks.front()) / static_cast<double>(bins) : 0;
  for (std::size_t i = 0; i < count; ++i) {
    const double x = value(i);
    double guess = (x - breaks.front()) / width + 1;
    if (!(guess >= 1))
      guess = 1;
    if (guess > static_cast<double>(last))
      guess = static_cast<double>(last);
    auto j = static_cast<std::size_t>(guess);
    while (j > 1 && edges[j - 1] >= x)
      --j;
    while (j < last && edges[j] < x)
      ++j;
    counts[std::min(j - 1, counts.size() - 1)] += weight(i);
  }
  for (std::size_t i = 0; i < bins; ++i)
    mids.push_back((breaks[i] + breaks[i + 1]) / 2);
  std::vector<std::string> names;
  for (std::size_t i = 0; i < bins; ++i)
    names.push_back(std::to_string(i + 1));
  counts.resize(bins);
  return TestWriting::SimpleTable(name, {"Count", "Value"}, names, {counts, mids});
}

} // namespace

ResultElement FieldInformation::Histogram(const std::string& name,
                                          const std::vector<double>& values,
                                          const std::vector<double>& weights) {
  return HistogramOf(
      name, values.size(), [&values](std::size_t i) { return values[i]; },
      [&weights](std::size_t i) { return weights[i]; });
}

ResultElement FieldInformation::Histogram(const AnalysisData& data, const FieldColumn& field,
                                          const std::vector<std::size_t>& cases) {
  return HistogramOf(
      "Interval", cases.size(), [&](std::size_t i) { return field.fValues[cases[i]]; },
      [&](std::size_t i) { return data.Weight(cases[i]); });
}

ResultElement FieldInformation::Write(const AnalysisData& data, const FieldColumn& field) {
  ResultElement info("FieldInfo");
  info.Set("varIndex", static_cast<double>(field.fDocumentIndex));
  const std::vector<std::size_t> cases = data.ValidCases({&field});
  info.Add(field.IsCategorical() ? Categorical(data, field, cases)
                                 : Continuous(data, field, cases));
  return info;
}

} // namespace engine
