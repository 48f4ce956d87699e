// Serialising result documents.
#include "statxml/ResultDocumentWriter.h"

#include <charconv>
#include <cmath>

namespace {

// The reader's text for a missing value.
constexpr const char* kMissing = "__MISSING__";

void AppendEscaped(std::string& out, const std::string& text) {
  for (char c : text) {
    switch (c) {
    case '&':
      out += "&amp;";
      break;
    case '<':
      out += "&lt;";
      break;
    case '>':
      out += "&gt;";
      break;
    case '"':
      out += "&quot;";
      break;
    case '\t':
      out += "&#9;";
      break;
    case '\n':
      out += "&#10;";
      break;
    case '\r':
      out += "&#13;";
      break;
    default:
      // XML 1.0 allows no other control character, not even as a reference.
      if (static_cast<unsigned char>(c) < 0x20)
        out += "\xEF\xBF\xBD";
      else
        out += c;
    }
  }
}

} // namespace

ResultElement::ResultElement(std::string tag) : fTag(std::move(tag)) {}

ResultElement& ResultElement::Set(const std::string& name, const std::string& value) {
  fAttributes.emplace_back(name, value);
  return *this;
}

ResultElement& ResultElement::Set(const std::string& name, const char* value) {
  return Set(name, std::string(value));
}

ResultElement& ResultElement::Set(const std::string& name, double value) {
  return Set(name, ResultDocumentWriter::NumberText(value));
}

ResultElement& ResultElement::Add(const std::string& tag) {
  fChildren.emplace_back(tag);
  return fChildren.back();
}

ResultElement& ResultElement::Add(ResultElement child) {
  fChildren.push_back(std::move(child));
  return fChildren.back();
}

void ResultElement::WriteTo(std::string& out, int depth) const {
  out.append(static_cast<std::size_t>(depth) * 2, ' ');
  out += '<';
  out += fTag;
  for (const auto& [name, value] : fAttributes) {
    out += ' ';
    out += name;
    out += "=\"";
    AppendEscaped(out, value);
    out += '"';
  }
  if (fChildren.empty() && fText.empty()) {
    out += "/>\n";
    return;
  }
  out += '>';
  if (fChildren.empty()) {
    AppendEscaped(out, fText);
  } else {
    out += '\n';
    for (const ResultElement& child : fChildren)
      child.WriteTo(out, depth + 1);
    out.append(static_cast<std::size_t>(depth) * 2, ' ');
  }
  out += "</";
  out += fTag;
  out += ">\n";
}

std::string ResultDocumentWriter::NumberText(double value) {
  if (std::isnan(value))
    return kMissing;
  if (value == 0)
    return "0"; // also -0, which the tables would show as "-0"
  char buffer[32];
  std::to_chars_result result{};
  if (std::fabs(value) < 1e15 && value == std::trunc(value))
    result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<long long>(value));
  else
    result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string ResultDocumentWriter::NumbersText(const std::vector<double>& values) {
  std::string text;
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (i > 0)
      text += ' ';
    text += NumberText(values[i]);
  }
  return text;
}

std::string ResultDocumentWriter::Write(const ResultElement& root) {
  std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  root.WriteTo(out);
  return out;
}
