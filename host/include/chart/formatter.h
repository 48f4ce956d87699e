// Date texts that the chart grammar reads back as dates.
#pragma once

#include "chart/ChartString.h"

class formatter {
public:
  // A value counting seconds from 14 October 1582 (the data dictionary's time base) as an ISO
  // date-time, "2024-03-01T14:05:00" (the time always written, seconds rounded to whole ones).
  // The grammar reads it back to the same second. The system-missing value, NaN, infinities and
  // values outside years 1582 to 9999 give the empty text.
  static ChartString formattedDate(const double& seconds);
};
