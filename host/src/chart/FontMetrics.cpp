// Text widths of the chart font: advances read once through fontconfig and FreeType, with a table
// of the typeface's widths for machines without the font.
#include "FontMetrics.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_ADVANCES_H

#include <array>
#include <memory>

namespace {

// Advance widths (thousandths of an em) of the printable ASCII characters, 32 to 126, of the
// regular face; the chart font is metric-compatible with it. Used only when no font file loads.
constexpr std::array<short, 95> kAsciiAdvances = {
    278, 278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333,  278, 278, 556, 556, 556,
    556, 556, 556, 556, 556, 556, 556, 278, 278, 584, 584, 584, 556, 1015, 667, 667, 722, 722, 667,
    611, 778, 722, 278, 500, 667, 556, 833, 722, 778, 667, 778, 722, 667,  611, 722, 667, 944, 667,
    667, 611, 278, 278, 278, 469, 556, 333, 556, 556, 500, 556, 556, 278,  556, 556, 222, 222, 500,
    222, 833, 556, 556, 556, 556, 333, 500, 278, 556, 500, 722, 500, 500,  500, 334, 260, 334, 584};
// Bold glyphs are about this much wider on average.
constexpr float kBoldFactor = 1.08f;

std::string MatchFontFile(const char* pattern) {
  // A configuration of our own rather than fontconfig's process-wide one: destroying it frees
  // everything the look-up allocated, so a host that never calls FcFini leaks nothing.
  std::unique_ptr<FcConfig, decltype(&FcConfigDestroy)> config(FcInitLoadConfigAndFonts(),
                                                               &FcConfigDestroy);
  std::string file;
  if (config == nullptr)
    return file;
  std::unique_ptr<FcPattern, decltype(&FcPatternDestroy)> query(
      FcNameParse(reinterpret_cast<const FcChar8*>(pattern)), &FcPatternDestroy);
  if (query == nullptr)
    return file;
  FcConfigSubstitute(config.get(), query.get(), FcMatchPattern);
  FcDefaultSubstitute(query.get());
  FcResult result = FcResultNoMatch;
  std::unique_ptr<FcPattern, decltype(&FcPatternDestroy)> match(
      FcFontMatch(config.get(), query.get(), &result), &FcPatternDestroy);
  FcChar8* path = nullptr;
  FcChar8* family = nullptr;
  // fontconfig always answers with some font; only the chart font itself will do, since the SVG
  // names it.
  if (match != nullptr && FcPatternGetString(match.get(), FC_FILE, 0, &path) == FcResultMatch &&
      FcPatternGetString(match.get(), FC_FAMILY, 0, &family) == FcResultMatch &&
      std::string(reinterpret_cast<const char*>(family)) == "Liberation Sans")
    file = reinterpret_cast<const char*>(path);
  return file;
}

// Fills `advances` from the font file; false when it cannot be read.
bool ReadAdvances(FT_Library library, const std::string& file, std::vector<float>& advances,
                  float& fallback) {
  if (file.empty())
    return false;
  FT_Face face = nullptr;
  if (FT_New_Face(library, file.c_str(), 0, &face) != 0)
    return false;
  bool ok = face->units_per_EM > 0;
  float scale = ok ? 1000.f / static_cast<float>(face->units_per_EM) : 0.f;
  for (char32_t code = 0; ok && code < advances.size(); ++code) {
    FT_UInt glyph = FT_Get_Char_Index(face, code);
    FT_Fixed advance = 0;
    if (glyph != 0 && FT_Get_Advance(face, glyph, FT_LOAD_NO_SCALE, &advance) == 0)
      advances[code] = static_cast<float>(advance) * scale;
    else
      advances[code] = -1.f; // not in the font: the browser substitutes; take the fallback
  }
  if (ok && advances['0'] > 0)
    fallback = advances['0'];
  FT_Done_Face(face);
  return ok;
}

} // namespace

char32_t NextCodePoint(std::string_view utf8, std::size_t& pos) {
  const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(utf8[at]); };
  unsigned char lead = byte(pos);
  if (lead < 0x80) {
    ++pos;
    return lead;
  }
  int length = lead >= 0xF0 && lead <= 0xF4 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
  if (length == 0 || lead > 0xF4 || pos + length > utf8.size()) {
    ++pos;
    return 0xFFFD;
  }
  char32_t code = lead & (0xFF >> (length + 1));
  for (int i = 1; i < length; ++i) {
    unsigned char next = byte(pos + i);
    if ((next & 0xC0) != 0x80) {
      ++pos;
      return 0xFFFD;
    }
    code = (code << 6) | (next & 0x3F);
  }
  static constexpr char32_t kSmallest[5] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < kSmallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
    ++pos;
    return 0xFFFD;
  }
  pos += length;
  return code;
}

void AppendUtf8(std::string& out, char32_t code) {
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

const FontMetrics& FontMetrics::Instance() {
  static const FontMetrics metrics;
  return metrics;
}

FontMetrics::FontMetrics() : fRegular(kTableSize, -1.f), fBold(kTableSize, -1.f) {
  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library) == 0) {
    bool regular = ReadAdvances(library, MatchFontFile("Liberation Sans:style=Regular"), fRegular,
                                fRegularDefault);
    bool bold =
        ReadAdvances(library, MatchFontFile("Liberation Sans:style=Bold"), fBold, fBoldDefault);
    fFromFont = regular && bold;
    FT_Done_FreeType(library);
  }
  if (!fFromFont) {
    for (char32_t code = 0; code < kTableSize; ++code) {
      float advance = code >= 32 && code < 127 ? kAsciiAdvances[code - 32] : -1.f;
      fRegular[code] = advance;
      fBold[code] = advance < 0 ? -1.f : advance * kBoldFactor;
    }
    fRegularDefault = 556.f;
    fBoldDefault = 556.f * kBoldFactor;
  }
}

double FontMetrics::Advance(char32_t code, bool bold) const {
  if (code < 32)
    return 0;
  const std::vector<float>& table = bold ? fBold : fRegular;
  float advance = code < kTableSize ? table[code] : -1.f;
  if (advance >= 0)
    return advance;
  // Wide scripts take about a full em; everything else the width of a digit.
  bool wide = (code >= 0x2E80 && code <= 0xA4CF) || (code >= 0xAC00 && code <= 0xD7A3) ||
              (code >= 0xF900 && code <= 0xFAFF) || (code >= 0xFF00 && code <= 0xFF60);
  return wide ? 1000. : bold ? fBoldDefault : fRegularDefault;
}

double FontMetrics::Width(std::string_view utf8, double size, bool bold) const {
  double thousandths = 0;
  for (std::size_t pos = 0; pos < utf8.size();)
    thousandths += Advance(NextCodePoint(utf8, pos), bold);
  return thousandths * size / 1000.;
}

std::vector<std::string> FontMetrics::Wrap(std::string_view utf8, double size, bool bold,
                                           double maxWidth, std::size_t maxLines) const {
  std::vector<std::string> lines;
  if (maxLines == 0)
    return lines;
  const double space = Width(" ", size, bold);
  bool truncated = false;
  std::size_t start = 0;
  while (start <= utf8.size() && !truncated) {
    // Texts of the templates and the strings files break lines with the two characters "\n"
    // where data break them with a line feed; both end a paragraph.
    std::size_t end = utf8.find('\n', start);
    std::size_t escape = utf8.find("\\n", start);
    std::size_t breakLength = 1;
    if (escape < end) {
      end = escape;
      breakLength = 2;
    }
    std::string_view paragraph =
        utf8.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
    std::string line;
    double lineWidth = 0;
    std::size_t at = 0;
    while (at < paragraph.size()) {
      std::size_t blank = paragraph.find(' ', at);
      std::string_view word = paragraph.substr(
          at, blank == std::string_view::npos ? std::string_view::npos : blank - at);
      at = blank == std::string_view::npos ? paragraph.size() : blank + 1;
      if (word.empty())
        continue;
      double wordWidth = Width(word, size, bold);
      if (!line.empty() && lineWidth + space + wordWidth > maxWidth) {
        if (lines.size() + 1 >= maxLines) {
          truncated = true;
          break;
        }
        lines.push_back(std::move(line));
        line.clear();
        lineWidth = 0;
      }
      if (!line.empty()) {
        line += ' ';
        lineWidth += space;
      }
      line.append(word);
      lineWidth += wordWidth;
    }
    lines.push_back(std::move(line));
    if (end == std::string_view::npos)
      break;
    if (lines.size() >= maxLines) {
      truncated = true;
      break;
    }
    start = end + breakLength;
  }
  if (truncated && !lines.empty())
    lines.back() += "\u2026";
  return lines;
}
