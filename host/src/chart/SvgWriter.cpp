// SVG text: numbers and escaping in one place, so that no drawing code writes either by hand.
#include "SvgWriter.h"

#include "FontMetrics.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace {

// "%.2f" as printf writes it, through the standard library: exact, and slow enough to show in a
// chart of thousands of numbers.
std::size_t FormatExactly(double value, char* buffer) {
  const std::to_chars_result end =
      std::to_chars(buffer, buffer + 32, value, std::chars_format::fixed, 2);
  std::size_t length = static_cast<std::size_t>(end.ptr - buffer);
  while (buffer[length - 1] == '0')
    --length;
  if (buffer[length - 1] == '.')
    --length;
  if (length == 2 && buffer[0] == '-' && buffer[1] == '0') {
    buffer[0] = '0';
    length = 1;
  }
  return length;
}

// Writes `value` with at most two decimals, trailing zeros dropped, into `buffer` (at least 32
// bytes); returns the length. The same text as "%.2f" trimmed: the hundredths are rounded in
// integers, which gives printf's rounding wherever the scaled value is not within a millionth of
// a tie (the scaling's error is below 2e-7 for values up to 1e7); ties go the exact way.
std::size_t FormatNumber(double value, char* buffer) {
  if (!std::isfinite(value))
    value = 0;
  value = std::fmax(-1e7, std::fmin(1e7, value));
  const double scaled = value * 100;
  const double floor = std::floor(scaled);
  if (std::fabs(scaled - floor - 0.5) < 1e-6)
    return FormatExactly(value, buffer);
  long long hundredths = static_cast<long long>(scaled - floor < 0.5 ? floor : floor + 1);
  std::size_t length = 0;
  if (hundredths < 0) {
    buffer[length++] = '-';
    hundredths = -hundredths;
  }
  const std::to_chars_result end = std::to_chars(buffer + length, buffer + 32, hundredths / 100);
  length = static_cast<std::size_t>(end.ptr - buffer);
  const int cents = static_cast<int>(hundredths % 100);
  if (cents != 0) {
    buffer[length++] = '.';
    buffer[length++] = static_cast<char>('0' + cents / 10);
    if (cents % 10 != 0)
      buffer[length++] = static_cast<char>('0' + cents % 10);
  }
  return length;
}

// Plain ASCII without markup, kept as it is: most attribute values of a chart.
bool IsPlain(std::string_view utf8) {
  for (const char c : utf8) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte >= 0x7F || c == '&' || c == '<' || c == '>' || c == '"' || c == '\'')
      return false;
  }
  return true;
}

} // namespace

std::string SvgWriter::Number(double value) {
  char buffer[32];
  return std::string(buffer, FormatNumber(value, buffer));
}

std::string SvgWriter::Escape(std::string_view utf8) {
  if (IsPlain(utf8))
    return std::string(utf8);
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t pos = 0; pos < utf8.size();) {
    char32_t code = NextCodePoint(utf8, pos);
    switch (code) {
    case '&':
      out += "&amp;";
      continue;
    case '<':
      out += "&lt;";
      continue;
    case '>':
      out += "&gt;";
      continue;
    case '"':
      out += "&quot;";
      continue;
    case '\'':
      out += "&#39;";
      continue;
    default:
      break;
    }
    // XML 1.0 has no place for C0 controls, C1 controls and non-characters show as boxes, and a
    // bidirectional control would reorder what follows it: each shows as U+FFFD, as in the
    // reports' own texts, and tab, line feed and carriage return as a blank.
    const bool blank = code == '\t' || code == '\n' || code == '\r';
    const bool hidden = code < 0x20 || (code >= 0x7F && code <= 0x9F) || code == 0xFFFE ||
                        code == 0xFFFF || code == 0x061C || code == 0x200E || code == 0x200F ||
                        (code >= 0x202A && code <= 0x202E) || (code >= 0x2066 && code <= 0x2069);
    if (blank)
      out += ' ';
    else
      AppendUtf8(out, hidden ? char32_t{0xFFFD} : code);
  }
  return out;
}

SvgWriter& SvgWriter::Start(std::string_view tag) {
  fBody += '<';
  fBody += tag;
  return *this;
}

SvgWriter& SvgWriter::Attr(std::string_view name, std::string_view value) {
  fBody += ' ';
  fBody += name;
  fBody += "=\"";
  if (IsPlain(value))
    fBody += value;
  else
    fBody += Escape(value);
  fBody += '"';
  return *this;
}

SvgWriter& SvgWriter::Attr(std::string_view name, double value) {
  fBody += ' ';
  fBody += name;
  fBody += "=\"";
  char buffer[32];
  fBody.append(buffer, FormatNumber(value, buffer));
  fBody += '"';
  return *this;
}

void SvgWriter::Close(std::string_view tag) {
  fBody += "</";
  fBody += tag;
  fBody += ">\n";
}

void SvgWriter::Title(std::string_view utf8) {
  if (utf8.empty())
    return;
  // A tooltip keeps its lines: browsers show line feeds in a title as line breaks, so they are
  // written as character references rather than dropped.
  fBody += "<title>";
  std::size_t start = 0;
  while (true) {
    std::size_t end = utf8.find('\n', start);
    fBody += Escape(utf8.substr(start, end == std::string_view::npos ? end : end - start));
    if (end == std::string_view::npos)
      break;
    fBody += "&#10;";
    start = end + 1;
  }
  fBody += "</title>";
}
