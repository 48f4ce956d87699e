// SVG text: numbers and escaping in one place, so that no drawing code writes either by hand.
#include "SvgWriter.h"

#include "FontMetrics.h"

#include <charconv>
#include <cmath>
#include <cstdio>

std::string SvgWriter::Number(double value) {
  if (!std::isfinite(value))
    value = 0;
  value = std::fmax(-1e7, std::fmin(1e7, value));
  // Two decimals, as "%.2f" writes them, without the locale and the formatting machinery.
  char buffer[32];
  const std::to_chars_result end =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
  std::string text(buffer, end.ptr);
  while (text.back() == '0')
    text.pop_back();
  if (text.back() == '.')
    text.pop_back();
  if (text == "-0")
    text = "0";
  return text;
}

std::string SvgWriter::Escape(std::string_view utf8) {
  // Most attribute values are plain ASCII without markup: they are kept as they are.
  bool plain = true;
  for (const char c : utf8) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte >= 0x7F || c == '&' || c == '<' || c == '>' || c == '"' || c == '\'') {
      plain = false;
      break;
    }
  }
  if (plain)
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
    // XML 1.0 has no place for C0 controls, and C1 controls and non-characters show as boxes.
    bool control =
        code < 0x20 || (code >= 0x7F && code <= 0x9F) || code == 0xFFFE || code == 0xFFFF;
    if (!control)
      AppendUtf8(out, code);
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
  fBody += Escape(value);
  fBody += '"';
  return *this;
}

SvgWriter& SvgWriter::Attr(std::string_view name, double value) {
  fBody += ' ';
  fBody += name;
  fBody += "=\"";
  fBody += Number(value);
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
