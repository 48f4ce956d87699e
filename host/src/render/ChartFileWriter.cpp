// Standalone SVG files of the charts: the drawing the reports inline, with an XML declaration, in
// files named so that they sort in the report's order.
#include "render/ChartFileWriter.h"

#include "output/Chart.h"
#include "output/Document.h"
#include "output/Heading.h"
#include "output/Item.h"
#include "render/PlainSvg.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace {

constexpr std::size_t kSlugBytes = 60;

struct Range {
  char32_t first;
  char32_t last;
};

// Letters beyond ASCII that a title may hold, by script: Latin, Greek, Cyrillic, Armenian, Hebrew,
// Arabic, Devanagari, Thai, Georgian, kana, CJK ideographs and Hangul. Marks, digits of other
// scripts, punctuation, symbols, spaces, and the format and control characters (direction
// overrides, zero-width spaces, line separators, byte order marks) are not in it: they separate.
constexpr Range kLetters[] = {
    {0x00AA, 0x00AA}, {0x00B5, 0x00B5}, {0x00BA, 0x00BA}, {0x00C0, 0x00D6}, {0x00D8, 0x00F6},
    {0x00F8, 0x02AF}, {0x0370, 0x0373}, {0x0376, 0x0377}, {0x037B, 0x037D}, {0x037F, 0x037F},
    {0x0386, 0x0386}, {0x0388, 0x038A}, {0x038C, 0x038C}, {0x038E, 0x03A1}, {0x03A3, 0x03F5},
    {0x03F7, 0x0481}, {0x048A, 0x052F}, {0x0531, 0x0556}, {0x0561, 0x0587}, {0x05D0, 0x05EA},
    {0x0620, 0x064A}, {0x0671, 0x06D3}, {0x0904, 0x0939}, {0x0E01, 0x0E30}, {0x10A0, 0x10FF},
    {0x1E00, 0x1FBC}, {0x3041, 0x3096}, {0x30A1, 0x30FA}, {0x3400, 0x4DBF}, {0x4E00, 0x9FFF},
    {0xAC00, 0xD7A3}};

bool IsAsciiAlnum(unsigned char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsLetter(char32_t cp) {
  for (const Range& range : kLetters)
    if (cp >= range.first && cp <= range.last)
      return true;
  return false;
}

// The code point of the well-formed UTF-8 sequence at `at` and its length; 0 bytes when the bytes
// there are not one (a stray byte, a cut-off or overlong sequence, a surrogate).
std::size_t Decode(const std::string& text, std::size_t at, char32_t& cp) {
  const unsigned char lead = static_cast<unsigned char>(text[at]);
  std::size_t length = lead >= 0xF0 && lead <= 0xF4   ? 4
                       : lead >= 0xE0 && lead <= 0xEF ? 3
                       : lead >= 0xC2 && lead <= 0xDF ? 2
                                                      : 0;
  if (length == 0 || at + length > text.size())
    return 0;
  cp = lead & (0x7F >> length);
  for (std::size_t k = 1; k < length; ++k) {
    const unsigned char b = static_cast<unsigned char>(text[at + k]);
    if ((b & 0xC0) != 0x80)
      return 0;
    cp = (cp << 6) | (b & 0x3F);
  }
  const bool overlong = (length == 3 && cp < 0x800) || (length == 4 && cp < 0x10000);
  if (overlong || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF)
    return 0;
  return length;
}

} // namespace

std::string ChartFileWriter::Slug(const std::string& title) {
  std::string slug;
  bool dash = false;
  for (std::size_t i = 0; i < title.size();) {
    const unsigned char c = static_cast<unsigned char>(title[i]);
    std::size_t length = 1;
    bool keep = IsAsciiAlnum(c);
    if (c >= 0x80) {
      char32_t cp = 0;
      const std::size_t decoded = Decode(title, i, cp);
      keep = decoded != 0 && IsLetter(cp);
      length = decoded != 0 ? decoded : 1;
    }
    if (!keep) {
      dash = !slug.empty();
      i += length;
      continue;
    }
    if (slug.size() + (dash ? 1 : 0) + length > kSlugBytes)
      break;
    if (dash)
      slug += '-';
    dash = false;
    for (std::size_t k = 0; k < length; ++k) {
      const char b = title[i + k];
      slug += (b >= 'A' && b <= 'Z') ? static_cast<char>(b - 'A' + 'a') : b;
    }
    i += length;
  }
  return slug.empty() ? "chart" : slug;
}

ChartFileWriter::ChartFileWriter(const std::string& folder) : fFolder(folder) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error)
    throw std::runtime_error("cannot make the folder " + folder + ": " + error.message());
}

ChartFileWriter::~ChartFileWriter() = default;

// Headings are numbered among their siblings as the reports number them; charts among the charts
// directly under the same heading.
void ChartFileWriter::OpenHeading(const output::Heading&) {
  Level& parent = fLevels.back();
  const std::string number =
      (parent.number.empty() ? "" : parent.number + ".") + std::to_string(++parent.headings);
  Level level;
  level.number = number;
  fLevels.push_back(std::move(level));
}

void ChartFileWriter::CloseHeading(const output::Heading&) {
  fLevels.pop_back();
}

void ChartFileWriter::Leaf(const output::Item& item) {
  const output::Chart* chart = item.AsChart();
  if (chart == nullptr)
    return;
  Level& level = fLevels.back();
  ++level.charts;
  if (!fError.empty() || !IsPlainSvg(chart->svg))
    return;
  const std::string name = (level.number.empty() ? "" : level.number + "-") + "c" +
                           std::to_string(level.charts) + "-" + Slug(chart->title) + ".svg";
  const std::filesystem::path path = std::filesystem::path(fFolder) / name;
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (file)
    file << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" << chart->svg << "\n";
  if (file)
    file.close();
  if (!file) {
    fError = "cannot write " + path.string() + ": " + std::strerror(errno);
    return;
  }
  fWritten.push_back(path.string());
}

std::vector<std::string> ChartFileWriter::Write(const output::Document& document,
                                                const std::string& folder) {
  ChartFileWriter files(folder);
  output::Document::Walk(document, files);
  if (!files.Error().empty())
    throw std::runtime_error(files.Error());
  return files.Written();
}
