// Well-formed UTF-8 and raw control characters in a written report.
#include "ReportTextCheck.h"

#include <cstdio>

namespace {

std::string At(const char* what, unsigned code, std::size_t at) {
  char text[96];
  std::snprintf(text, sizeof text, "%s (0x%X) at byte %zu", what, code, at);
  return text;
}

} // namespace

std::string CheckReportText(std::string_view text, bool withC1) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
      if ((lead < 0x20 && lead != '\t' && lead != '\n' && lead != '\r') || (withC1 && lead == 0x7F))
        return At("a raw control character", lead, i);
      ++i;
      continue;
    }
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF; // the range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      low = lead == 0xE0 ? 0xA0 : low;   // overlong
      high = lead == 0xED ? 0x9F : high; // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      low = lead == 0xF0 ? 0x90 : low;   // overlong
      high = lead == 0xF4 ? 0x8F : high; // beyond U+10FFFF
    } else {
      return At("ill-formed UTF-8", lead, i);
    }
    if (i + length > text.size())
      return At("ill-formed UTF-8", lead, i);
    unsigned code = lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if (next < (k == 1 ? low : 0x80) || next > (k == 1 ? high : 0xBF))
        return At("ill-formed UTF-8", lead, i);
      code = (code << 6) | (next & 0x3F);
    }
    if (withC1 && code <= 0x9F)
      return At("a raw control character", code, i);
    i += length;
  }
  return "";
}
