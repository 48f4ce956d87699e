// Static utilities that the chart views share. For now: the number texts that charts and the
// split subtitle show.
#pragma once

#include <string>

class VORN_Format;
class VORN_Variable;
union OBS;

class ChartOutput {
public:
  // Without a format (null): the value with up to 16 significant digits ("2.5", "1e-05").
  // With a format: an engine date (days, or seconds for DATETIME and YMDHMS, counted from
  // 1970) is first moved to the dictionary's time base; the format's width is then set to 40
  // (the caller's format changes) and the value written through the dictionary's formatter,
  // without surrounding blanks.
  static std::string double2String(double value, VORN_Format* format);
  // A fixed-point format of the given width and decimals.
  static std::string double2String(double value, int width, int decimals);
  // The variable's print format.
  static std::string double2String(double value, const VORN_Variable& variable);
  // The text of a string case value of the given width, without trailing blanks.
  static std::string trimmedText(const OBS* value, int width);
};
