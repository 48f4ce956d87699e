// Scales of the drawing: a continuous scale from data values to pixels with ticks at round values
// (numbers or calendar steps), and a band scale of categories.
#pragma once

#include <cstddef>
#include <vector>

class ChartScale {
public:
  // Collects the extent to cover; non-finite values are ignored.
  void Include(double value);
  // The same for a curve fitted to the data: it is drawn on the data's scale, so it does not
  // turn an axis of counts into one of fractions.
  void IncludeFitted(double value);
  bool HasData() const { return fLow <= fHigh; }
  double Low() const { return fLow; }
  double High() const { return fHigh; }

  // Settles the domain: adds 0 when asked, widens an empty or single-valued extent, and extends
  // the ends to the ticks' round values unless `fixedLow`/`fixedHigh` are set (then those ends
  // are exact). `dates` takes calendar steps for values counted in seconds. At most `maxTicks`
  // ticks (at least 2), a whole step apart when every value included is whole and they span two
  // units or more.
  void Settle(bool includeZero, const double* fixedLow, const double* fixedHigh, bool dates,
              int maxTicks = kDefaultMaxTicks);
  static constexpr int kDefaultMaxTicks = 10;

  // Pixels: the domain's low end maps to `from`, the high end to `to` (swapped when reversed).
  void SetPixels(double from, double to, bool reverse);
  double Map(double value) const;
  bool Reversed() const { return fReverse; }

  const std::vector<double>& Ticks() const { return fTicks; }
  // The distance between two ticks (seconds for dates); 0 when there are no ticks.
  double Step() const { return fStep; }

  // Round steps from 1, 2 and 5 times powers of ten: the smallest that gives at most `maxTicks`
  // ticks between `low` and `high`.
  static double NiceStep(double low, double high, int maxTicks);

private:
  void NumberTicks(const double* fixedLow, const double* fixedHigh);
  void DateTicks(const double* fixedLow, const double* fixedHigh);

  double fLow = 1;
  double fHigh = 0;
  bool fWhole = true; // every value included so far is a whole number
  double fStep = 0;
  int fMaxTicks = kDefaultMaxTicks;
  double fFrom = 0;
  double fTo = 1;
  bool fReverse = false;
  std::vector<double> fTicks;
};

// Categories laid out in bands of equal width; a category's mark sits in the middle of its band.
class BandScale {
public:
  void Set(std::size_t count, double from, double to, bool reverse);
  std::size_t Count() const { return fCount; }
  double Center(std::size_t index) const;
  double Band() const { return fCount == 0 ? 0 : (fTo - fFrom) / static_cast<double>(fCount); }
  double From() const { return fFrom; }
  double To() const { return fTo; }

private:
  std::size_t fCount = 0;
  double fFrom = 0;
  double fTo = 0;
  bool fReverse = false;
};

// Days of the proleptic Gregorian calendar: the day number (0 = 14 October 1582) of a date and
// back. Used for calendar ticks of values counted in seconds from that day.
long DayNumber(int year, int month, int day);
void CivilDate(long dayNumber, int& year, int& month, int& day);
