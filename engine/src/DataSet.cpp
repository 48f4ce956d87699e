// Column storage of the engine's data set.
#include "engine/DataSet.h"

#include "proc/CFAssert.h"

#include <cctype>

namespace engine {
namespace {

bool SameIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size())
    return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

} // namespace

DataColumn::DataColumn(std::string name, Kind kind) : fName(std::move(name)), fKind(kind) {}

void DataColumn::AppendText(const std::string& text) {
  auto found = fCodeOfText.find(text);
  if (found != fCodeOfText.end()) {
    fCodes.push_back(found->second);
    return;
  }
  CF_ASSERT(fTexts.size() < UINT32_MAX, "DataColumn::AppendText", "engine/DataSet");
  const auto code = static_cast<std::uint32_t>(fTexts.size());
  fTexts.push_back(text);
  fCodeOfText.emplace(text, code);
  fCodes.push_back(code);
}

void DataColumn::Reserve(std::size_t rows) {
  if (IsText())
    fCodes.reserve(rows);
  else
    fNumbers.reserve(rows);
}

void DataSet::AddColumn(DataColumn column) {
  CF_ASSERT(fColumns.empty() || column.Size() == RowCount(), "DataSet::AddColumn",
            "engine/DataSet");
  fColumns.push_back(std::move(column));
}

int DataSet::FindColumn(const std::string& name) const {
  for (std::size_t i = 0; i < fColumns.size(); ++i)
    if (SameIgnoringCase(fColumns[i].Name(), name))
      return static_cast<int>(i);
  return -1;
}

} // namespace engine
