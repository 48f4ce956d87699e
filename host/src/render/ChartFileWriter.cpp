// Standalone SVG files of the charts: the drawing laid out as a printed figure (or, without one,
// the drawing the reports inline), with an XML declaration, in files named so that they sort in
// the report's order.
#include "render/ChartFileWriter.h"

#include "output/Chart.h"
#include "output/Document.h"
#include "output/Heading.h"
#include "output/Item.h"
#include "render/PlainSvg.h"
#include "render/RenderText.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace {

constexpr std::size_t kSlugBytes = 60;

bool IsAsciiAlnum(unsigned char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
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
      // Letters of other scripts are kept; controls, direction overrides, invisible and
      // separator characters, and ill-formed bytes separate.
      char32_t cp = 0;
      keep = RenderText::Decode(title, i, cp, length) && RenderText::IsLetter(cp);
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

// Headings are numbered as the reports number them; charts among the charts directly under the
// same heading.
void ChartFileWriter::OpenHeading(const output::Heading&) {
  fNumbering.Open();
}

void ChartFileWriter::CloseHeading(const output::Heading&) {
  fNumbering.Close();
}

void ChartFileWriter::Leaf(const output::Item& item) {
  const output::Chart* chart = item.AsChart();
  if (chart == nullptr)
    return;
  const int count = fNumbering.CountChart();
  // The drawing laid out as a printed figure when there is one, else the report's.
  const std::string& svg = chart->printSvg.empty() ? chart->svg : chart->printSvg;
  if (!fError.empty() || !IsPlainSvg(svg))
    return;
  const std::string& number = fNumbering.Number();
  const std::string name = (number.empty() ? "" : number + "-") + "c" + std::to_string(count) +
                           "-" + Slug(chart->title) + ".svg";
  const std::filesystem::path path = std::filesystem::path(fFolder) / name;
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (file)
    file << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" << svg << "\n";
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
