// Static utilities that the chart views share: number texts, value labels of fields, the field
// indexes of a condition, placeholder replacement in specification texts, and error counts.
#pragma once

#include "NOPROutputStats.h"

#include <cstddef>
#include <exception>
#include <string>
#include <vector>

class CFStatVariableValue;
class ChartString;
class FacSTDictionary;
class VORN_Format;
class VORN_Variable;
class XDocument;
class XVariable;
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
  // The same for a stored value, never reading past it (a numeric one has eight characters).
  static std::string storedText(const CFStatVariableValue& value, int width);

  // The field indexes a condition names, read by the kind of test its key belongs to: one-sample
  // keys ("O_" first or "_O_" inside) give the first number of parameter 0; related- and
  // independent-samples keys ("R_", "I_") give the first numbers of parameters 0 and 1 when both
  // have one, and otherwise the numbers of parameter 0 (all of them for related samples, the first
  // for independent samples). Any other key gives none.
  static std::vector<double>
  getFieldParameterValueList(const NOPROutputStats::ConditionData& condition);
  // Attaches the field's variable to the chart variable (when it has one), then relabels the
  // category key i (the position of a value label) to the label's text, or to its stored value
  // when the text is empty. Nothing without a field.
  static void addValueLabels(const NOPROutputStats::FieldDistributionData* field,
                             XVariable& variable);
  // The label of the value whose position in the field's value list is `code`: its text, or its
  // stored value when the text is empty; the code as a number text when no label has that
  // position (or there is no field).
  static std::string getFieldValueLabel(const NOPROutputStats::FieldDistributionData* field,
                                        int code);
  // Replaces the first occurrence of `placeholder` in `text` by `replacement`; no occurrence, or
  // an empty placeholder, leaves the text as it is.
  static void replaceSubstring(std::string& text, const std::string& placeholder,
                               const std::string& replacement);
  // The number of error messages (not warnings or help texts) among `messages`.
  static std::size_t
  getErrorMessageCount(const std::vector<NOPROutputStats::MessageData>& messages);

  // What the views share beyond the above.

  // True for the formats whose engine values are dates (days or seconds from 1970): such a
  // field's values are moved to the dictionary's time base before they are charted, and its
  // spreads are shown as durations.
  static bool isDateFormat(int formatType);
  // A spread of such a field in days (the seconds of a date-time field divided out); other
  // formats keep the value.
  static double spreadInDays(double value, int formatType);
  // A spread of days as a reader takes it in: "28.2 days", under a day "5.3 hours", under an
  // hour "12.5 minutes" (one decimal; the unit from the string table). Empty for a missing or
  // non-finite value.
  static std::string durationText(double days, const FacSTDictionary* strings);
  // Days as the ISO duration "P<days>DT<hh>H<mm>M<ss>S" that the chart grammar reads; the seconds
  // are rounded. Empty for a missing or non-finite value.
  static std::string isoDuration(double days);
  // Escapes the five XML special characters, so that a text can stand in a specification's
  // character data or attribute value. A control character that XML 1.0 cannot hold (C0 but tab,
  // line feed and carriage return), which a document in XML 1.1 may carry in its labels, becomes
  // U+FFFD: written as it is, it would make the specification unreadable and lose the chart.
  static std::string xmlEscape(const std::string& text);
  // The text of the template file `name`. Throws std::runtime_error, naming the template and the
  // folder, when it is missing, empty or cannot be read.
  static std::string fetchTemplate(const std::string& name);
  // For a view's handler of any exception (`failure` is std::current_exception()): the chart
  // titled `title` is placed as left out, with the exception's text as the reason, so that the
  // report and the program say which chart is missing and why. Returns false, the view's result.
  static bool leftOut(const ChartString& title, std::exception_ptr failure);
  // The string table's text of a key, through the output language's code page, as UTF-8.
  static std::string lookUp(const FacSTDictionary* strings, const std::string& key);
  static ChartString lookUpChart(const FacSTDictionary* strings, const std::string& key);
  // Inserts `fragment` in front of the first `marker`; false (and nothing inserted) when the
  // marker is not there.
  static bool insertBefore(std::string& text, const std::string& marker,
                           const std::string& fragment);
  // Overwrites `count` characters behind the first `marker` with `replacement`; false when the
  // marker is not there or too few characters follow it.
  static bool replaceBehind(std::string& text, const std::string& marker, std::size_t count,
                            const std::string& replacement);
  // A crosstab chart has a panel per cell, and the drawing lays out at most this many panels a
  // side: a larger table's chart shows its first categories, and a footnote says so (see
  // crosstabFootnote). Its data stop there too, so a table of a million cells costs no more.
  static constexpr std::size_t kMaxCrosstabCategories = 12;
  // The categories of a crosstab: its longest side.
  static std::size_t crosstabCategories(const std::vector<std::vector<double>>& rows);
  // For a crosstab of `categories` categories a side: the footnote "The first 12 of k categories
  // are shown.", or empty text when all are.
  static ChartString crosstabFootnote(const FacSTDictionary* strings, std::size_t categories);
  // Sets the graph's title (when `graphTitle`) and, for a non-empty split subtitle, its subtitle.
  static void setTitles(XDocument& document, const ChartString& title, const std::string& subtitle,
                        bool graphTitle);
  // The chart's description: the title, followed by "; " and the split subtitle when `append`.
  static void setDescription(XDocument& document, const ChartString& title,
                             const std::string& subtitle, bool append);
};
