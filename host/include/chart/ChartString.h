// The chart document model's text: UTF-16, the parser's own character type, so that texts pass
// into the element tree without conversion.
#pragma once

#include <string>

class ChartString {
public:
  ChartString() = default;
  // From UTF-8 (the local code page); ill-formed bytes become U+FFFD. Null gives the empty text.
  ChartString(const char* utf8);
  ChartString(const char16_t* text);
  explicit ChartString(std::u16string text);

  ChartString& assign(const char* utf8);
  ChartString& assign(const char16_t* text);
  ChartString& assign(const ChartString& text);
  // Decimal digits with a leading '-' for negative values.
  ChartString& assignInteger(long long value);
  // `value` with at most `precision` significant digits and no trailing zeros ("2.5", "1e-05",
  // "12345678"), as printf's %g writes it; a precision of 0 or less gives the shortest text that
  // reads back as the same double. The system-missing value and NaN give ".", infinities "inf"
  // and "-inf". Never depends on the C locale.
  ChartString& assignDouble(double value, int precision);

  ChartString& append(const char* utf8);
  ChartString& append(const char16_t* text);
  ChartString& append(char16_t character);
  ChartString& append(const ChartString& text);
  ChartString& appendInteger(long long value);

  // Replaces every occurrence of `from` (searching on after each replacement, so the replacement
  // is never searched again) by `to`. An empty or null `from` changes nothing. Returns the number
  // of replacements.
  std::size_t replaceSubstring(const char16_t* from, const char16_t* to);

  bool equals(const ChartString& other) const { return fText == other.fText; }
  bool equals(const char16_t* other) const;
  bool operator==(const ChartString& other) const { return equals(other); }
  bool operator!=(const ChartString& other) const { return !equals(other); }

  // UTF-8; an unpaired surrogate becomes U+FFFD.
  std::string toUTF8() const;
  // The text, terminated by a zero; valid until the string changes.
  const char16_t* xc_str() const { return fText.c_str(); }
  const std::u16string& text() const { return fText; }
  std::size_t length() const { return fText.size(); }
  bool empty() const { return fText.empty(); }

private:
  std::u16string fText;
};
