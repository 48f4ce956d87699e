// libFuzzer target of the charts: a specification (a shipped template with its placeholders filled,
// plus fuzzed elements, or wholly fuzzed text) and fuzzed data go through the document model and
// the drawing into an output document.
//
// Input: byte 0 picks the specification; the text up to the first NUL byte is the fuzzed
// specification text; the bytes after it are the data, read a few at a time.
#include "GallerySamples.h"
#include "ViZNode.h"

#include "chart/ChartError.h"
#include "chart/VarDataProcessor.h"
#include "chart/XDocument.h"
#include "output/Document.h"
#include "pivot/BpProcedure.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

std::vector<std::string>& Specifications() {
  static std::vector<std::string> specifications;
  return specifications;
}

// Reads the data bytes; past the end every read gives 0.
class Bytes {
public:
  Bytes(const std::uint8_t* data, std::size_t size) : fData(data), fSize(size) {}
  std::uint8_t Byte() { return fAt < fSize ? fData[fAt++] : 0; }
  double Double() {
    double value = 0;
    std::uint8_t raw[sizeof value] = {};
    for (std::uint8_t& byte : raw)
      byte = Byte();
    std::memcpy(&value, raw, sizeof value);
    return value;
  }
  std::string Text(std::size_t length) {
    std::string text;
    while (length-- > 0 && fAt < fSize)
      text += static_cast<char>(fData[fAt++]);
    return text;
  }
  bool Done() const { return fAt >= fSize; }

private:
  const std::uint8_t* fData;
  std::size_t fSize;
  std::size_t fAt = 0;
};

// The (source, variable) pairs the specification names, in document order.
std::vector<std::pair<std::string, std::string>> SourceVariables(const std::string& text) {
  std::vector<std::pair<std::string, std::string>> found;
  try {
    ParsedSpecification parsed =
        ParseSpecification(text, XDocument::kMaxSpecificationBytes, XDocument::kMaxNestingDepth);
    std::set<std::pair<std::string, std::string>> seen;
    for (const ViZNode* node : parsed.root->Children("sourceVariable")) {
      std::pair<std::string, std::string> pair = {node->AttributeOr("source", ""),
                                                  node->AttributeOr("variable", "")};
      if (seen.insert(pair).second)
        found.push_back(pair);
    }
  } catch (const std::exception&) {
    // Text that does not parse has no variables; the document model refuses it below.
  }
  return found;
}

// Rows of values of every variable the specification names: small whole numbers (categories),
// any double (NaN, infinities and huge values included), dates in seconds, texts of any bytes,
// and missing values.
void FillData(VarDataProcessor& data, const std::vector<std::pair<std::string, std::string>>& names,
              Bytes& bytes) {
  const unsigned long rows = bytes.Byte() % 48;
  for (const auto& [source, variable] : names) {
    data.AddDataSource(source);
    data.AddVariable(source, variable);
  }
  for (unsigned long row = 0; row < rows && !bytes.Done(); ++row)
    for (const auto& [source, variable] : names) {
      const std::uint8_t kind = bytes.Byte();
      switch (kind % 8) {
      case 0:
        break; // missing
      case 1:
      case 2:
      case 3:
        data.SetVariableValue(source, variable, row, static_cast<double>(bytes.Byte() % 12));
        break;
      case 4:
        data.SetVariableValue(source, variable, row,
                              static_cast<double>(static_cast<std::int8_t>(bytes.Byte())) * 12.5);
        break;
      case 5:
        data.SetVariableValue(source, variable, row, bytes.Double());
        break;
      case 6: // seconds from the dictionary's day 0, around 1970 to 2040
        data.SetVariableValue(source, variable, row,
                              12219292800.0 + 86400.0 * 365 * (bytes.Byte() % 70) +
                                  3600.0 * bytes.Byte());
        break;
      default:
        data.SetStringVariableValue(source, variable, row, bytes.Text(bytes.Byte() % 16));
        break;
      }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  for (GalleryChart& chart : BuildGalleryCharts(NPTESTS_TEMPLATE_DIR))
    Specifications().push_back(std::move(chart.specification));
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0)
    return 0;
  const std::vector<std::string>& specifications = Specifications();
  const std::size_t pick = data[0] % (specifications.size() + 1);
  const std::uint8_t* end = static_cast<const std::uint8_t*>(std::memchr(data + 1, 0, size - 1));
  const std::size_t textSize = end == nullptr ? size - 1 : static_cast<std::size_t>(end - data - 1);
  const std::string fuzzed(reinterpret_cast<const char*>(data + 1), textSize);
  std::string specification;
  if (pick < specifications.size()) {
    // The fuzzed text joins a real template as further elements of the visualization.
    specification = specifications[pick];
    const std::size_t close = specification.rfind("</visualization>");
    if (close != std::string::npos)
      specification.insert(close, fuzzed);
  } else {
    specification = fuzzed;
  }
  Bytes bytes(end == nullptr ? data + size : end + 1,
              end == nullptr ? 0 : static_cast<std::size_t>(data + size - end - 1));

  output::Document document;
  BpProcedure procedure(document, nullptr, nullptr);
  VarDataProcessor chartData;
  try {
    FillData(chartData, SourceVariables(specification), bytes);
    XDocument chart(specification);
    chart.setEditor(XDocument::kEditorStandard);
    chart.SetChartData(&chartData);
    chart.applyCTemplate(bytes.Byte() % 2 == 1);
    chart.SendChart(true, false, false);
  } catch (const ChartError&) {
    // A specification or data that the chart refuses is a clear error, not a fault.
  }
  return 0;
}
