// The chart document model's 16-bit text: conversions from and to UTF-8, and numbers as text.
#include "chart/ChartString.h"

#include "text/CodePage.h"
#include "text/VORN_SystemMissing.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <system_error>

namespace {

constexpr char16_t kReplacement = 0xFFFD;

void AppendUtf8(std::u16string& out, const char* utf8) {
  if (utf8 == nullptr)
    return;
  // Repairing first leaves only well-formed sequences, each replacement being U+FFFD itself.
  const std::string text = SanitizeUtf8(utf8);
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t length = Utf8SequenceLength(text, i);
    const auto byte = [&](std::size_t k) {
      return static_cast<std::uint32_t>(static_cast<unsigned char>(text[i + k]));
    };
    std::uint32_t code;
    switch (length) {
    case 1:
      code = byte(0);
      break;
    case 2:
      code = ((byte(0) & 0x1F) << 6) | (byte(1) & 0x3F);
      break;
    case 3:
      code = ((byte(0) & 0x0F) << 12) | ((byte(1) & 0x3F) << 6) | (byte(2) & 0x3F);
      break;
    case 4:
      code = ((byte(0) & 0x07) << 18) | ((byte(1) & 0x3F) << 12) | ((byte(2) & 0x3F) << 6) |
             (byte(3) & 0x3F);
      break;
    default:
      // Cannot happen after the repair; one replacement per byte keeps the loop moving.
      out += kReplacement;
      ++i;
      continue;
    }
    i += length;
    if (code >= 0x10000) {
      code -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (code >> 10));
      out += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
    } else {
      out += static_cast<char16_t>(code);
    }
  }
}

void AppendText(std::u16string& out, const char16_t* text) {
  if (text != nullptr)
    out += text;
}

void AppendCodePoint(std::string& out, std::uint32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

bool IsHighSurrogate(char16_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char16_t c) {
  return c >= 0xDC00 && c <= 0xDFFF;
}

std::string IntegerText(long long value) {
  char buffer[24];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string DoubleText(double value, int precision) {
  if (std::isnan(value) || value == VORN_SystemMissing())
    return ".";
  if (std::isinf(value))
    return value > 0 ? "inf" : "-inf";
  // %g of a double never needs more than 17 significant digits to be exact; more only adds noise.
  char buffer[64];
  const auto result =
      precision <= 0 ? std::to_chars(buffer, buffer + sizeof buffer, value)
                     : std::to_chars(buffer, buffer + sizeof buffer, value,
                                     std::chars_format::general, precision > 17 ? 17 : precision);
  if (result.ec != std::errc())
    return ".";
  std::string text(buffer, result.ptr);
  if (text == "-0")
    text = "0";
  return text;
}

} // namespace

ChartString::ChartString(const char* utf8) {
  AppendUtf8(fText, utf8);
}

ChartString::ChartString(const char16_t* text) {
  AppendText(fText, text);
}

ChartString::ChartString(std::u16string text) : fText(std::move(text)) {}

ChartString& ChartString::assign(const char* utf8) {
  std::u16string text;
  AppendUtf8(text, utf8);
  fText = std::move(text);
  return *this;
}

ChartString& ChartString::assign(const char16_t* text) {
  // `text` may point into this string's own buffer.
  std::u16string copy;
  AppendText(copy, text);
  fText = std::move(copy);
  return *this;
}

ChartString& ChartString::assign(const ChartString& text) {
  fText = text.fText;
  return *this;
}

ChartString& ChartString::assignInteger(long long value) {
  fText.clear();
  return appendInteger(value);
}

ChartString& ChartString::assignDouble(double value, int precision) {
  fText.clear();
  AppendUtf8(fText, DoubleText(value, precision).c_str());
  return *this;
}

ChartString& ChartString::append(const char* utf8) {
  AppendUtf8(fText, utf8);
  return *this;
}

ChartString& ChartString::append(const char16_t* text) {
  if (text != nullptr)
    fText.append(std::u16string(text));
  return *this;
}

ChartString& ChartString::append(char16_t character) {
  fText += character;
  return *this;
}

ChartString& ChartString::append(const ChartString& text) {
  if (&text == this)
    fText.append(std::u16string(text.fText));
  else
    fText += text.fText;
  return *this;
}

ChartString& ChartString::appendInteger(long long value) {
  AppendUtf8(fText, IntegerText(value).c_str());
  return *this;
}

std::size_t ChartString::replaceSubstring(const char16_t* from, const char16_t* to) {
  if (from == nullptr || *from == 0)
    return 0;
  // Copies, since either text may point into this string's buffer.
  const std::u16string pattern(from);
  const std::u16string replacement = to != nullptr ? std::u16string(to) : std::u16string();
  std::size_t count = 0;
  std::size_t at = fText.find(pattern);
  while (at != std::u16string::npos) {
    fText.replace(at, pattern.size(), replacement);
    ++count;
    at = fText.find(pattern, at + replacement.size());
  }
  return count;
}

bool ChartString::equals(const char16_t* other) const {
  return other == nullptr ? fText.empty() : fText == other;
}

std::string ChartString::toUTF8() const {
  std::string out;
  out.reserve(fText.size());
  for (std::size_t i = 0; i < fText.size(); ++i) {
    const char16_t c = fText[i];
    if (IsHighSurrogate(c) && i + 1 < fText.size() && IsLowSurrogate(fText[i + 1])) {
      const std::uint32_t code =
          0x10000 + ((static_cast<std::uint32_t>(c) - 0xD800) << 10) + (fText[i + 1] - 0xDC00);
      AppendCodePoint(out, code);
      ++i;
    } else if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
      AppendCodePoint(out, kReplacement);
    } else {
      AppendCodePoint(out, c);
    }
  }
  return out;
}
