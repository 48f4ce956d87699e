// Control-character policy, HTML escaping and terminal column widths.
#include "render/RenderText.h"

#include "text/CodePage.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr char kReplacement[] = "\xEF\xBF\xBD"; // U+FFFD

struct Range {
  char32_t first;
  char32_t last;
};

// Marks that sit on the previous character, and format characters that take no column.
constexpr Range kZeroWidth[] = {
    {0x0300, 0x036F}, {0x0483, 0x0489},  {0x0591, 0x05BD}, {0x05BF, 0x05BF}, {0x05C1, 0x05C2},
    {0x05C4, 0x05C5}, {0x05C7, 0x05C7},  {0x0610, 0x061A}, {0x064B, 0x065F}, {0x0670, 0x0670},
    {0x06D6, 0x06DC}, {0x06DF, 0x06E4},  {0x06E7, 0x06E8}, {0x06EA, 0x06ED}, {0x0E31, 0x0E31},
    {0x0E34, 0x0E3A}, {0x0E47, 0x0E4E},  {0x1AB0, 0x1AFF}, {0x1DC0, 0x1DFF}, {0x200B, 0x200F},
    {0x202A, 0x202E}, {0x2060, 0x2064},  {0x20D0, 0x20FF}, {0xFE00, 0xFE0F}, {0xFE20, 0xFE2F},
    {0xFEFF, 0xFEFF}, {0xE0100, 0xE01EF}};

// East Asian wide and full-width blocks, and the emoji blocks that terminals draw two columns wide.
constexpr Range kDoubleWidth[] = {
    {0x1100, 0x115F},   {0x2E80, 0x303E},  {0x3041, 0x33FF}, {0x3400, 0x4DBF},   {0x4E00, 0x9FFF},
    {0xA000, 0xA4CF},   {0xA960, 0xA97F},  {0xAC00, 0xD7A3}, {0xF900, 0xFAFF},   {0xFE10, 0xFE19},
    {0xFE30, 0xFE6F},   {0xFF00, 0xFF60},  {0xFFE0, 0xFFE6}, {0x1F300, 0x1F64F}, {0x1F900, 0x1F9FF},
    {0x20000, 0x2FFFD}, {0x30000, 0x3FFFD}};

// Letters beyond ASCII that titles and labels hold, by script (see IsLetter).
constexpr Range kLetters[] = {
    {0x00AA, 0x00AA}, {0x00B5, 0x00B5}, {0x00BA, 0x00BA}, {0x00C0, 0x00D6}, {0x00D8, 0x00F6},
    {0x00F8, 0x02AF}, {0x0370, 0x0373}, {0x0376, 0x0377}, {0x037B, 0x037D}, {0x037F, 0x037F},
    {0x0386, 0x0386}, {0x0388, 0x038A}, {0x038C, 0x038C}, {0x038E, 0x03A1}, {0x03A3, 0x03F5},
    {0x03F7, 0x0481}, {0x048A, 0x052F}, {0x0531, 0x0556}, {0x0561, 0x0587}, {0x05D0, 0x05EA},
    {0x0620, 0x064A}, {0x0671, 0x06D3}, {0x0904, 0x0939}, {0x0E01, 0x0E30}, {0x10A0, 0x10FF},
    {0x1E00, 0x1FBC}, {0x3041, 0x3096}, {0x30A1, 0x30FA}, {0x3400, 0x4DBF}, {0x4E00, 0x9FFF},
    {0xAC00, 0xD7A3}};

template <size_t N> bool InRanges(const Range (&ranges)[N], char32_t cp) {
  auto it = std::upper_bound(std::begin(ranges), std::end(ranges), cp,
                             [](char32_t c, const Range& r) { return c < r.first; });
  return it != std::begin(ranges) && cp <= std::prev(it)->last;
}

bool IsControl(char32_t cp) {
  return cp < 0x20 || (cp >= 0x7F && cp <= 0x9F);
}

// Marks that reverse or isolate the direction of the text after them: in data they can make a
// value read as something else, so reports treat them as controls.
bool IsBidiControl(char32_t cp) {
  return cp == 0x061C || cp == 0x200E || cp == 0x200F || (cp >= 0x202A && cp <= 0x202E) ||
         (cp >= 0x2066 && cp <= 0x2069);
}

// Walks valid code points, handing each (with its bytes) to `emit`; ill-formed parts become
// U+FFFD, which `emit` sees as an ordinary code point.
template <typename Emit> void ForEachCodePoint(std::string_view text, Emit emit) {
  size_t pos = 0;
  while (pos < text.size()) {
    char32_t cp = 0;
    size_t length = 0;
    if (DecodeUtf8(text, pos, cp, length))
      emit(cp, text.substr(pos, length));
    else
      emit(char32_t{0xFFFD}, std::string_view(kReplacement));
    pos += length;
  }
}

// True when every byte is printable ASCII: such a text is valid UTF-8, one column per byte, and
// needs no repair; most texts of a report are, so they skip the decoding.
bool IsPlainAscii(std::string_view text) {
  for (const char c : text) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte >= 0x7F)
      return false;
  }
  return true;
}

} // namespace

std::string RenderText::ForTerminal(std::string_view text, bool keepLineFeeds) {
  if (IsPlainAscii(text))
    return std::string(text);
  std::string out;
  out.reserve(text.size());
  ForEachCodePoint(text, [&](char32_t cp, std::string_view bytes) {
    if (!IsControl(cp) && !IsBidiControl(cp))
      out.append(bytes);
    else if (cp == '\n')
      out.push_back(keepLineFeeds ? '\n' : ' ');
    else if (cp == '\r')
      out.append(keepLineFeeds ? "" : " ");
    else if (cp == '\t')
      out.push_back(' ');
    else
      out.append(kReplacement);
  });
  return out;
}

std::string RenderText::ForHtml(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  ForEachCodePoint(text, [&](char32_t cp, std::string_view bytes) {
    switch (cp) {
    case '&':
      out.append("&amp;");
      return;
    case '<':
      out.append("&lt;");
      return;
    case '>':
      out.append("&gt;");
      return;
    case '"':
      out.append("&quot;");
      return;
    case '\'':
      out.append("&#39;");
      return;
    case '\t':
    case '\n':
    case '\r':
      out.push_back(' ');
      return;
    }
    out.append(IsControl(cp) || IsBidiControl(cp) ? std::string_view(kReplacement) : bytes);
  });
  return out;
}

std::string RenderText::ForJson(std::string_view text) {
  static const char kHex[] = "0123456789abcdef";
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  ForEachCodePoint(text, [&](char32_t cp, std::string_view bytes) {
    switch (cp) {
    case '"':
      out.append("\\\"");
      return;
    case '\\':
      out.append("\\\\");
      return;
    case '\b':
      out.append("\\b");
      return;
    case '\f':
      out.append("\\f");
      return;
    case '\n':
      out.append("\\n");
      return;
    case '\r':
      out.append("\\r");
      return;
    case '\t':
      out.append("\\t");
      return;
    }
    if (!IsControl(cp) && !IsBidiControl(cp)) {
      out.append(bytes);
      return;
    }
    // Every control and bidirectional control lies below U+10000: four hex digits hold it.
    out.append("\\u");
    for (int shift = 12; shift >= 0; shift -= 4)
      out.push_back(kHex[(cp >> shift) & 0xF]);
  });
  return out;
}

bool RenderText::Decode(std::string_view text, size_t pos, char32_t& cp, size_t& length) {
  return DecodeUtf8(text, pos, cp, length);
}

bool RenderText::IsLetter(char32_t cp) {
  return InRanges(kLetters, cp);
}

int RenderText::CodePointWidth(std::string_view text, size_t pos, size_t& length) {
  if (pos < text.size() && static_cast<unsigned char>(text[pos]) < 0x80) {
    length = 1;
    return 1;
  }
  char32_t cp = 0;
  if (!DecodeUtf8(text, pos, cp, length))
    return 1;
  if (InRanges(kZeroWidth, cp))
    return 0;
  return InRanges(kDoubleWidth, cp) ? 2 : 1;
}

int RenderText::DisplayWidth(std::string_view text) {
  if (IsPlainAscii(text))
    return static_cast<int>(text.size());
  int width = 0;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t length = 1;
    width += CodePointWidth(text, pos, length);
    pos += length;
  }
  return width;
}
