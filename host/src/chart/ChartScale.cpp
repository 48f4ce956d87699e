// Scales and round ticks. Ticks fall on 1, 2 or 5 times a power of ten, or on days, weeks,
// months, quarters or years, so that a reader can interpolate between them.
#include "ChartScale.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kSecondsPerDay = 86400.;
// Days from 1 January 1970 back to the day-number origin, 14 October 1582.
constexpr long kEpochShift = 141428;

long DaysFromCivil(long y, long m, long d) {
  y -= m <= 2;
  const long era = (y >= 0 ? y : y - 399) / 400;
  const long yoe = y - era * 400;
  const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

} // namespace

long DayNumber(int year, int month, int day) {
  return DaysFromCivil(year, month, day) + kEpochShift;
}

void CivilDate(long dayNumber, int& year, int& month, int& day) {
  long z = dayNumber - kEpochShift + 719468;
  const long era = (z >= 0 ? z : z - 146096) / 146097;
  const long doe = z - era * 146097;
  const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(yoe + era * 400 + (month <= 2));
}

void ChartScale::Include(double value) {
  if (std::isfinite(value))
    fWhole = fWhole && value == std::floor(value);
  IncludeFitted(value);
}

void ChartScale::IncludeFitted(double value) {
  if (!std::isfinite(value))
    return;
  if (fLow > fHigh) {
    fLow = fHigh = value;
    return;
  }
  fLow = std::min(fLow, value);
  fHigh = std::max(fHigh, value);
}

double ChartScale::NiceStep(double low, double high, int maxTicks) {
  // Ends of opposite signs near the largest double have a span beyond it: halved, it is not.
  const double span = high - low;
  const double halfSpan = std::isinf(span) ? high / 2 - low / 2 : span / 2;
  if (!(halfSpan > 0) || !std::isfinite(halfSpan))
    return 1;
  double raw = std::isinf(span) ? halfSpan / std::max(1, maxTicks - 1) * 2
                                : span / std::max(1, maxTicks - 1);
  double power = std::pow(10., std::floor(std::log10(raw)));
  for (double factor : {1., 2., 5., 10.}) {
    double step = factor * power;
    // Counted after the ends are extended to ticks.
    if (std::ceil(high / step - 1e-9) - std::floor(low / step + 1e-9) + 1 <= maxTicks)
      return step;
  }
  return 10 * power;
}

void ChartScale::Settle(bool includeZero, const double* fixedLow, const double* fixedHigh,
                        bool dates, int maxTicks) {
  fMaxTicks = std::max(2, maxTicks);
  if (fixedLow != nullptr && std::isfinite(*fixedLow))
    Include(*fixedLow);
  if (fixedHigh != nullptr && std::isfinite(*fixedHigh))
    Include(*fixedHigh);
  if (!HasData())
    fLow = 0, fHigh = 1;
  if (includeZero)
    Include(0);
  if (fixedLow != nullptr && std::isfinite(*fixedLow))
    fLow = *fixedLow;
  if (fixedHigh != nullptr && std::isfinite(*fixedHigh))
    fHigh = *fixedHigh;
  if (fLow > fHigh)
    std::swap(fLow, fHigh);
  if (fHigh - fLow <= std::fabs(fHigh) * 1e-12) {
    // One value: a unit around it (a day for dates), so that it sits inside the axis.
    double pad = dates ? kSecondsPerDay : fLow == 0 ? 1 : std::fabs(fLow) * 0.1;
    if (fixedLow == nullptr || includeZero)
      fLow -= fLow == 0 && includeZero ? 0 : pad;
    fHigh += pad;
  }
  if (dates && fHigh - fLow >= 2 * kSecondsPerDay)
    DateTicks(fixedLow, fixedHigh);
  else
    NumberTicks(fixedLow, fixedHigh);
}

void ChartScale::NumberTicks(const double* fixedLow, const double* fixedHigh) {
  fStep = NiceStep(fLow, fHigh, fMaxTicks);
  // Counts and other whole values read badly on a scale of halves ("1.5 cases") once they span
  // a few units; a span of one unit (a proportion from 0 to 1) keeps its fractions.
  if (fWhole && fStep < 1 && fHigh - fLow >= 2)
    fStep = 1;
  if (fixedLow == nullptr)
    fLow = std::floor(fLow / fStep + 1e-9) * fStep;
  if (fixedHigh == nullptr)
    fHigh = std::ceil(fHigh / fStep - 1e-9) * fStep;
  fTicks.clear();
  double first = std::ceil(fLow / fStep - 1e-9);
  for (double i = first; i * fStep <= fHigh + fStep * 1e-9 && fTicks.size() < 50; ++i) {
    double tick = i * fStep;
    fTicks.push_back(std::fabs(tick) < fStep * 1e-9 ? 0 : tick);
  }
}

void ChartScale::DateTicks(const double* fixedLow, const double* fixedHigh) {
  double days = (fHigh - fLow) / kSecondsPerDay;
  fTicks.clear();
  // Whole days or weeks: a number step in seconds of 1, 2, 7 or 14 days; months when a span of
  // more than a month has too little room for fortnights.
  double step = 0;
  for (double candidate : {1., 2., 7., 14.})
    if (days <= 70 && days / candidate <= fMaxTicks - 1) {
      step = candidate;
      break;
    }
  if (step == 0 && days <= 31)
    step = 14;
  if (step > 0) {
    fStep = step * kSecondsPerDay;
    if (fixedLow == nullptr)
      fLow = std::floor(fLow / fStep) * fStep;
    if (fixedHigh == nullptr)
      fHigh = std::ceil(fHigh / fStep) * fStep;
    for (double t = std::ceil(fLow / fStep) * fStep; t <= fHigh && fTicks.size() < 50; t += fStep)
      fTicks.push_back(t);
    return;
  }
  // Months, quarters, or years (1, 2, 5, 10, ... of them).
  int lowYear, lowMonth, lowDay, highYear, highMonth, highDay;
  CivilDate(static_cast<long>(std::floor(fLow / kSecondsPerDay)), lowYear, lowMonth, lowDay);
  CivilDate(static_cast<long>(std::floor(fHigh / kSecondsPerDay)), highYear, highMonth, highDay);
  long months = (highYear - lowYear) * 12L + (highMonth - lowMonth) + 1;
  long monthStep = 0;
  for (long candidate : {1L, 2L, 3L, 6L, 12L})
    if (months / candidate <= fMaxTicks - 1) {
      monthStep = candidate;
      break;
    }
  if (monthStep == 0)
    monthStep = 12 * static_cast<long>(NiceStep(lowYear, highYear + 1, fMaxTicks));
  monthStep = std::max(1L, monthStep);
  fStep = monthStep * 30.4375 * kSecondsPerDay;
  long index = lowYear * 12L + (lowMonth - 1);
  index = (index / monthStep) * monthStep;
  auto tickAt = [](long monthIndex) {
    long year = monthIndex / 12;
    return static_cast<double>(
               DayNumber(static_cast<int>(year), static_cast<int>(monthIndex - year * 12 + 1), 1)) *
           kSecondsPerDay;
  };
  if (fixedLow == nullptr)
    fLow = std::min(fLow, tickAt(index));
  long last = highYear * 12L + (highMonth - 1);
  long end = ((last + monthStep) / monthStep) * monthStep;
  if (fixedHigh == nullptr)
    fHigh = std::max(fHigh, tickAt(end));
  for (long i = index; fTicks.size() < 50; i += monthStep) {
    double t = tickAt(i);
    if (t > fHigh + 1)
      break;
    if (t >= fLow - 1)
      fTicks.push_back(t);
  }
}

void ChartScale::SetPixels(double from, double to, bool reverse) {
  fFrom = from;
  fTo = to;
  fReverse = reverse;
}

double ChartScale::Map(double value) const {
  double span = fHigh - fLow;
  double share = span > 0 ? (value - fLow) / span : 0.5;
  if (std::isinf(span))
    share = (value / 2 - fLow / 2) / (fHigh / 2 - fLow / 2);
  if (fReverse)
    share = 1 - share;
  return fFrom + share * (fTo - fFrom);
}

void BandScale::Set(std::size_t count, double from, double to, bool reverse) {
  fCount = count;
  fFrom = from;
  fTo = to;
  fReverse = reverse;
}

double BandScale::Center(std::size_t index) const {
  double position = fReverse ? static_cast<double>(fCount - 1 - index) : static_cast<double>(index);
  return fFrom + (position + 0.5) * Band();
}
