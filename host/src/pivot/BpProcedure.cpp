// The procedure's root heading, its number formats and the per-thread stack of live procedures.
#include "pivot/BpProcedure.h"

#include "BpState.h"

#include "dict/VORN_DataSource.h"
#include "output/NumberDisplay.h"
#include "pivot/BpString.h"
#include "strings/FacSTDictionary.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr int kDefaultStdDevDecimals = 3;
constexpr int kMaxSigDigitDecimals = 10;

BpFormat Format(output::NumberFormat::Kind kind, int decimals) {
  return BpFormat(output::NumberFormat(kind, decimals));
}

// Procedures of this thread, innermost last. Messages and charts arrive without a pointer to
// their output, so this is how they find it.
std::vector<BpProcedure*>& LiveProcedures() {
  thread_local std::vector<BpProcedure*> procedures;
  return procedures;
}

std::shared_ptr<BpState> MakeState(output::Document& document, const FacSTDictionary* strings,
                                   const VORN_DataSource* dataSource) {
  auto state = std::make_shared<BpState>();
  state->document = &document;
  state->strings = strings;
  state->dataSource = dataSource;
  return state;
}

std::unique_ptr<output::Heading> MakeRoot(const FacSTDictionary* strings,
                                          const std::string& titleKey) {
  return std::make_unique<output::Heading>(BpString(titleKey, true).ToLabel(strings));
}

} // namespace

BpProcedure::BpProcedure(output::Document& document, const FacSTDictionary* strings,
                         const VORN_DataSource* dataSource, const std::string& titleKey)
    : BpHeading(MakeState(document, strings, dataSource),
                document.Append(MakeRoot(strings, titleKey))),
      fStrings(strings), fDataSource(dataSource) {
  Register(document);
}

BpProcedure::BpProcedure(output::Document& document, output::Heading& parent,
                         const FacSTDictionary* strings, const VORN_DataSource* dataSource,
                         const std::string& titleKey)
    : BpHeading(MakeState(document, strings, dataSource),
                parent.Append(MakeRoot(strings, titleKey))),
      fStrings(strings), fDataSource(dataSource) {
  Register(document);
}

void BpProcedure::Register(output::Document& document) {
  if (fStrings != nullptr && !fStrings->Language().empty()) {
    document.SetLanguage(fStrings->Language());
  }
  LiveProcedures().push_back(this);
}

BpProcedure::~BpProcedure() {
  std::vector<BpProcedure*>& procedures = LiveProcedures();
  procedures.erase(std::remove(procedures.begin(), procedures.end(), this), procedures.end());
}

BpFormat BpProcedure::Count() {
  return Format(output::NumberFormat::Kind::kCount, 0);
}

BpFormat BpProcedure::Significance() {
  return Format(output::NumberFormat::Kind::kSignificance, 3);
}

BpFormat BpProcedure::Coefficient() {
  return Format(output::NumberFormat::Kind::kCoefficient, 3);
}

BpFormat BpProcedure::Percent() {
  return Format(output::NumberFormat::Kind::kPercent, 1);
}

BpFormat BpProcedure::PValue() {
  return Format(output::NumberFormat::Kind::kPValue, 3);
}

BpFormat BpProcedure::Fixed(int decimals) {
  return Format(output::NumberFormat::Kind::kFixed, decimals);
}

BpFormat BpProcedure::SigDigit(double value) {
  return Format(output::NumberFormat::Kind::kSigDigit,
                output::DecimalsNeeded(value, kMaxSigDigitDecimals));
}

BpFormat BpProcedure::CountOrCoefficent(double value) {
  bool whole = std::isfinite(value) && value == std::trunc(value);
  return Format(output::NumberFormat::Kind::kCountOrCoefficient, whole ? 0 : 3);
}

BpFormat BpProcedure::StdDev(int variableIndex) const {
  const VORN_Variable* variable =
      fDataSource != nullptr ? fDataSource->GetVariable(variableIndex) : nullptr;
  int decimals =
      variable != nullptr ? variable->GetFormat().Decimals() + 1 : kDefaultStdDevDecimals;
  return Format(output::NumberFormat::Kind::kStdDev, decimals);
}

BpProcedure* BpProcedure::Current() {
  std::vector<BpProcedure*>& procedures = LiveProcedures();
  return procedures.empty() ? nullptr : procedures.back();
}

bool BpProcedure::ChartsDrawn() const {
  return State()->document->ChartsDrawn();
}

bool BpProcedure::PrintDrawings() const {
  return State()->document->PrintDrawings();
}

output::Chart* BpProcedure::SendChart(std::unique_ptr<output::Chart> chart) {
  output::Heading* heading = State()->LatestLiveHeading();
  output::Chart* placed = heading != nullptr ? heading->Append(std::move(chart)) : nullptr;
  if (placed != nullptr)
    ++fChartsPlaced;
  return placed;
}

output::Message* BpProcedure::SendMessage(std::unique_ptr<output::Message> message) {
  output::Heading* heading = State()->LatestLiveHeading();
  return heading != nullptr ? heading->Append(std::move(message)) : nullptr;
}

output::Label BpProcedure::Translate(const BpCellText& text) const {
  return text.ToLabel(fStrings);
}
