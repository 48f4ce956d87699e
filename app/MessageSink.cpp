// Escaping and shortening the lines of the program's messages.
#include "MessageSink.h"

#include <cstdio>
#include <ostream>

namespace {

// The code point of the UTF-8 sequence at `i` and its length; length 0 for an invalid sequence.
std::size_t Decode(std::string_view text, std::size_t i, char32_t& code) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i);
  std::size_t length = lead < 0x80                   ? 1
                       : lead >= 0xC2 && lead < 0xE0 ? 2
                       : lead >= 0xE0 && lead < 0xF0 ? 3
                       : lead >= 0xF0 && lead < 0xF5 ? 4
                                                     : 0;
  if (length == 0 || i + length > text.size())
    return 0;
  code = length == 1 ? lead : lead & (0xFF >> (length + 1));
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80)
      return 0;
    code = (code << 6) | (byte(i + k) & 0x3F);
  }
  static const char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < kSmallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
    return 0;
  return length;
}

// Marks that change the direction of the text around them: a file name can make a message read
// backwards with them.
bool IsBidiControl(char32_t code) {
  return code == 0x061C || code == 0x200E || code == 0x200F || (code >= 0x202A && code <= 0x202E) ||
         (code >= 0x2066 && code <= 0x2069);
}

std::string Hex(const char* format, unsigned value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, format, value);
  return buffer;
}

// Carriage return, then the terminal's "erase to the end of the line".
constexpr const char* kEraseLine = "\r\x1B[K";
// A status longer than a narrow terminal's line would wrap, and the carriage return would then
// erase only its last part.
constexpr std::size_t kMaxStatus = 72;

} // namespace

MessageSink::~MessageSink() {
  ClearStatus();
  if (!fLine.empty())
    fOut << Shortened(fLine) << "\n" << std::flush;
}

void MessageSink::Status(const std::string& text) {
  if (!fStatusEnabled)
    return;
  std::string shown = Escaped(text);
  if (shown.size() > kMaxStatus)
    shown.resize(kMaxStatus);
  fOut << kEraseLine << shown << std::flush;
  fStatusShown = true;
}

void MessageSink::ClearStatus() {
  if (!fStatusShown)
    return;
  fOut << kEraseLine << std::flush;
  fStatusShown = false;
}

MessageSink& MessageSink::operator<<(const std::string& text) {
  fLine += Escaped(text);
  return *this;
}

MessageSink& MessageSink::operator<<(int value) {
  fLine += std::to_string(value);
  return *this;
}

MessageSink& MessageSink::operator<<(long value) {
  fLine += std::to_string(value);
  return *this;
}

MessageSink& MessageSink::operator<<(unsigned long value) {
  fLine += std::to_string(value);
  return *this;
}

MessageSink& MessageSink::operator<<(double value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.6g", value);
  fLine += buffer;
  return *this;
}

void MessageSink::Literal(std::string_view text) {
  for (char c : text) {
    if (c != '\n') {
      fLine += c;
      continue;
    }
    ClearStatus();
    fOut << Shortened(fLine) << "\n";
    fLine.clear();
  }
  fOut.flush();
}

std::string MessageSink::Escaped(std::string_view text) {
  std::string shown;
  shown.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    char32_t code = 0;
    const std::size_t length = Decode(text, i, code);
    if (length == 0) {
      shown += Hex("\\x%02X", static_cast<unsigned char>(text[i]));
      ++i;
      continue;
    }
    if (code == '\n')
      shown += "\\n";
    else if (code == '\r')
      shown += "\\r";
    else if (code == '\t')
      shown += "\\t";
    else if (code < 0x20 || code == 0x7F)
      shown += Hex("\\x%02X", static_cast<unsigned>(code));
    else if ((code >= 0x80 && code < 0xA0) || IsBidiControl(code))
      shown += Hex("\\u%04X", static_cast<unsigned>(code));
    else
      shown.append(text.substr(i, length));
    i += length;
  }
  return shown;
}

std::string MessageSink::Shortened(const std::string& line) {
  if (line.size() <= kMaxLine)
    return line;
  // Cut on character boundaries: a continuation byte never starts a kept part.
  const auto boundary = [&](std::size_t at) {
    while (at < line.size() && (static_cast<unsigned char>(line[at]) & 0xC0) == 0x80)
      ++at;
    return at;
  };
  const std::size_t head = boundary(kMaxLine * 2 / 3);
  const std::size_t tail = boundary(line.size() - kMaxLine / 4);
  return line.substr(0, head) + " [... " + std::to_string(tail - head) + " bytes left out ...] " +
         line.substr(tail);
}
