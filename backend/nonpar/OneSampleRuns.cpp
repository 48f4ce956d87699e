// The runs chart: numbers written over the template's placeholders, then the titles.
#include "OneSampleRuns.h"

#include "ChartOutput.h"
#include "NOPROutputStatsRecords.h"

#include "chart/ChartString.h"
#include "chart/XDocument.h"

#include <cmath>

namespace {

const char* const kTitleKey = "One-Sample Runs Test";

std::string NumberText(double value) {
  ChartString text;
  text.assignDouble(value, 16);
  return text.toUTF8();
}

} // namespace

double OneSampleRuns::mostRuns(double mean, double stdDev) {
  // The mean is 2 n1 n2 / N + 1 and the variance m (m - 1) / (N - 1) with m = mean - 1, so the
  // two give N, and n1 and n2 as the roots of t^2 - N t + m N / 2. At most every case starts a
  // run, and the smaller group can separate at most its count plus one runs of the other.
  if (NOPRUTILITY::isSystemMissing(mean) || NOPRUTILITY::isSystemMissing(stdDev) ||
      !std::isfinite(mean) || !std::isfinite(stdDev) || !(stdDev > 0) || !(mean > 2))
    return NAN;
  const double m = mean - 1;
  const double n = std::round(1 + m * (m - 1) / (stdDev * stdDev));
  const double discriminant = n * n - 2 * m * n;
  if (!(n >= 2) || !(n < 1e12) || discriminant < -0.5)
    return NAN;
  const double smaller = std::round((n - std::sqrt(std::max(0., discriminant))) / 2);
  return std::min(n, 2 * smaller + (2 * smaller == n ? 0 : 1));
}

OneSampleRuns::OneSampleRuns(const FacSTDictionary* dictionary, const NOPROutputStats* stats,
                             const NOPROutputStats::HTORuns* test)
    : fData(std::make_unique<Data>()) {
  fData->fDictionary = dictionary;
  fData->fStats = stats;
  fData->fTest = test;
}

OneSampleRuns::~OneSampleRuns() = default;

std::string OneSampleRuns::editSpecification(std::string specification,
                                             const std::string& subtitle) const {
  if (fData->fTest == nullptr)
    return specification;
  const double mean = fData->fTest->fMean;
  const double stdDev = fData->fTest->fStdDev;
  const std::string meanText = NumberText(mean);
  const std::string observedText = NumberText(fData->fTest->fObservedRunNumber);
  const bool meanKnown = !NOPRUTILITY::isSystemMissing(mean) && std::isfinite(mean);

  // Each marker is overwritten behind (or at the end of) its first occurrence. The axis ends at
  // the most runs the sample allows: a round number beyond it would offer runs it cannot have.
  const double most = mostRuns(mean, stdDev);
  ChartOutput::replaceBehind(specification, "<scale max=\"", 3,
                             std::isfinite(most) ? NumberText(most)
                             : meanKnown         ? NumberText(std::trunc(2 * mean))
                                                 : meanText);
  ChartOutput::replaceSubstring(
      specification, "RunsAxisText",
      ChartOutput::xmlEscape(ChartOutput::lookUp(fData->fDictionary, "NumberOfRuns")));
  ChartOutput::replaceBehind(specification, "parameter=\"", 2, meanText);
  ChartOutput::replaceBehind(specification, "secondaryParameter=\"", 1, NumberText(stdDev));
  const std::string observedGuide = "<lineGuide x=\"20";
  const std::size_t observed = specification.find(observedGuide);
  if (observed != std::string::npos)
    specification.replace(observed + observedGuide.size() - 2, 2, observedText);
  std::string observedLabel =
      ChartOutput::lookUp(fData->fDictionary, "Observed Number of Runs = ^1");
  ChartOutput::replaceSubstring(observedLabel, "^1", observedText);
  ChartOutput::replaceSubstring(specification, "ObservedRunsText",
                                ChartOutput::xmlEscape(observedLabel));
  const std::string meanGuide = "<lineGuide x=\"500";
  const std::size_t meanAt = specification.find(meanGuide);
  if (meanAt != std::string::npos)
    specification.replace(meanAt + meanGuide.size() - 3, 3, meanText);
  ChartOutput::replaceSubstring(
      specification, "TooFewRuns",
      ChartOutput::xmlEscape(ChartOutput::lookUp(fData->fDictionary, "Too few runs")));
  ChartOutput::replaceSubstring(
      specification, "TooManyRuns",
      ChartOutput::xmlEscape(ChartOutput::lookUp(fData->fDictionary, "Too many runs")));
  // A subtitle needs more room above the graph.
  if (!subtitle.empty())
    ChartOutput::replaceSubstring(specification, "10%", "15%");
  return specification;
}

bool OneSampleRuns::createChart(std::string& subtitle, bool append) {
  try {
    return build(subtitle, append);
  } catch (...) {
    // A chart that cannot be made is left out, and said to be; the tables around it stand.
    return ChartOutput::leftOut(ChartOutput::lookUpChart(fData->fDictionary, kTitleKey),
                                std::current_exception());
  }
}

bool OneSampleRuns::build(const std::string& subtitle, bool append) {
  if (fData->fTest == nullptr)
    return false;
  std::string specification = ChartOutput::fetchTemplate("NPAROneSampleRunsTest.viztemplate");
  specification = editSpecification(std::move(specification), subtitle);

  XDocument document(specification);
  document.setEditor(XDocument::kEditorStatistics);
  document.setLanguage();
  const ChartString title = ChartOutput::lookUpChart(fData->fDictionary, kTitleKey);
  ChartOutput::setTitles(document, title, subtitle, true);
  ChartOutput::setDescription(document, title, subtitle, append);
  document.applyCTemplate(false);
  return document.SendChart(true, false, false);
}
