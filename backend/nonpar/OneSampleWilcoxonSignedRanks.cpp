// The one-sample Wilcoxon chart: axis labels, then the two median guides and their label frames,
// placed to the right of the graph, the hypothesized one above the observed one; the frames are
// the guides' key.
#include "OneSampleWilcoxonSignedRanks.h"

#include "ChartOutput.h"
#include "NOPROutputStatsRecords.h"

#include "chart/XDocument.h"
#include "chart/XUtility.h"
#include "chart/formatter.h"
#include "dict/VORN_Format.h"
#include "dict/VORN_Variable.h"

namespace {

// The two guides must stay apart in grey and for red-green colour blindness, and stand out from
// the bars: black and a dark orange differ by 4:1 in luminance, and both differ from the light
// bars by more than 3:1 (tests/views/OneSampleChartsTest.cpp checks it); the dashes tell them
// apart where colour cannot.
constexpr const char* kBarFill = "#BFE1F5";
constexpr const char* kHypothesizedColor = "#C2410C";
constexpr const char* kHypothesizedDash = "7 4";
constexpr const char* kObservedColor = "#000000";
constexpr double kGuideWidth = 2;

} // namespace

OneSampleWilcoxonSignedRanks::OneSampleWilcoxonSignedRanks(
    const FacSTDictionary* dictionary, const NOPROutputStats* stats,
    const NOPROutputStats::HTOWilcoxonSignedRanks* test)
    : NOPRHistogramChart(dictionary, stats), fWData(std::make_unique<WData>()) {
  fWData->fDictionary = dictionary;
  fWData->fTest = test;
  setTitle(ChartOutput::lookUpChart(dictionary, "One-Sample Wilcoxon Signed Rank Test"));
}

OneSampleWilcoxonSignedRanks::~OneSampleWilcoxonSignedRanks() = default;

void OneSampleWilcoxonSignedRanks::modifyStringSpecification(std::string& specification) {
  if (getFDD() != nullptr)
    fWData->fVariable = getVORNVariable();
  const VORN_Variable* variable = fWData->fVariable;
  ChartOutput::replaceSubstring(
      specification, "xAxisLabel",
      ChartOutput::xmlEscape(variable == nullptr ? std::string() : variable->GetPreferredLabel()));
  ChartOutput::replaceSubstring(
      specification, "yAxisLabel",
      ChartOutput::xmlEscape(ChartOutput::lookUp(fWData->fDictionary, "Frequency")));
  // The medians get frames of their own; the statistics frame stays empty and is not drawn.
  ChartOutput::replaceSubstring(specification, "labelText", "");
  // Light bars, so that both guides stand out from them.
  ChartOutput::replaceSubstring(specification, "fill=\"#56B4E9\"",
                                std::string("fill=\"") + kBarFill + "\"");
}

ChartString OneSampleWilcoxonSignedRanks::medianLabel(const char* key, double median) const {
  std::string text = ChartOutput::lookUp(fWData->fDictionary, key);
  if (fWData->fVariable != nullptr)
    text += ChartOutput::double2String(median, *fWData->fVariable);
  else
    text += ChartOutput::double2String(median, static_cast<VORN_Format*>(nullptr));
  ChartString label = XUtility::ChartStringFromOLANG(text.c_str());
  label.replaceSubstring(u"\\n", u"\n");
  return label;
}

ChartString OneSampleWilcoxonSignedRanks::guideValue(double median) const {
  const int type =
      fWData->fVariable == nullptr ? VORN_Format::kF : fWData->fVariable->GetFormat().TypeEx();
  if (ChartOutput::isDateFormat(type))
    return formatter::formattedDate(NumericFormatCFToStat(median, type));
  ChartString value;
  value.assignDouble(median, 16);
  return value;
}

void OneSampleWilcoxonSignedRanks::addMedianGuides(XDocument& document) {
  if (fWData->fTest == nullptr)
    return;
  const double hypothesized = fWData->fTest->fDistribution.fHypotheticalMedian;
  const double observed = fWData->fTest->fDistribution.fObservedMedian;
  ViZVisualization visualization = document.getVisualization();
  ViZGraph graph = visualization.getGraph(0);

  // A guide's look; its label in the key takes the same look and draws a sample of the line.
  auto guideStyle = [&visualization](const char* color, const char* dash, const char* id,
                                     bool bold) {
    ViZStyle style = visualization.addStyle();
    style.setColor(ChartString(color));
    style.setStrokeWidth(kGuideWidth);
    if (*dash != '\0')
      style.setDash(ChartString(dash));
    if (bold)
      style.setFontWeight(ViZStyle::kFontBold);
    style.setId(ChartString(id));
    return style;
  };
  ViZStyle hypothesizedStyle =
      guideStyle(kHypothesizedColor, kHypothesizedDash, "lineGuide1Style", false);
  ViZStyle observedStyle = guideStyle(kObservedColor, "", "lineGuide2Style", false);

  ViZLineGuide hypothesizedGuide = graph.addLineGuide();
  hypothesizedGuide.setX(guideValue(hypothesized));
  hypothesizedGuide.setStyle(hypothesizedStyle);
  ViZLineGuide observedGuide = graph.addLineGuide();
  observedGuide.setX(guideValue(observed));
  observedGuide.setStyle(observedStyle);

  ViZLocation right = graph.getLocation(ViZLocation::kRight);
  right.setMethod(ViZLocation::kFixed);
  right.setValue(ChartString("80%"));
  right.setSpecifiedByUser(true);
  ViZLocation top = graph.getLocation(ViZLocation::kTop);
  top.setValue(ChartString(visualization.getExtension().hasSubtitle() ? "15%" : "10%"));
  top.setSpecifiedByUser(true);

  auto locate = [](ViZLabelFrame& frame, int part, int method, const ViZElement* target,
                   const char* value) {
    ViZLocation location = frame.addLocation();
    location.setPart(part);
    location.setMethod(method);
    if (target != nullptr)
      location.setTarget(*target);
    if (value != nullptr)
      location.setValue(ChartString(value));
  };

  ViZLabelFrame first = visualization.addLabelFrame();
  first.setId(ChartString("frameHypotheticalMedian"));
  locate(first, ViZLocation::kTop, ViZLocation::kSame, &graph, nullptr);
  locate(first, ViZLocation::kLeft, ViZLocation::kAttach, &graph, nullptr);
  locate(first, ViZLocation::kWidth, ViZLocation::kSizeToContent, nullptr, nullptr);
  locate(first, ViZLocation::kRight, ViZLocation::kFixed, nullptr, "100%");
  ViZLabel firstLabel = first.getLabel();
  firstLabel.setStyle(guideStyle(kHypothesizedColor, kHypothesizedDash, "label1Style", true));
  firstLabel.getText().setText(medianLabel("OWilcoxonSignedRanksHypotheticalMedian", hypothesized));

  ViZLabelFrame second = visualization.addLabelFrame();
  second.setId(ChartString("frameObservedMedian"));
  locate(second, ViZLocation::kTop, ViZLocation::kAttach, &first, nullptr);
  locate(second, ViZLocation::kLeft, ViZLocation::kSame, &first, nullptr);
  locate(second, ViZLocation::kWidth, ViZLocation::kSizeToContent, nullptr, nullptr);
  locate(second, ViZLocation::kRight, ViZLocation::kSame, &first, nullptr);
  ViZLabel secondLabel = second.getLabel();
  secondLabel.setStyle(guideStyle(kObservedColor, "", "label2Style", true));
  secondLabel.getText().setText(medianLabel("OWilcoxonSignedRanksObservedMedian", observed));
}

void OneSampleWilcoxonSignedRanks::modifyDocSpecification(XDocument& document) {
  addMedianGuides(document);
  if (fWData->fVariable == nullptr)
    return;
  XVariable value = document.getExternalGraph()->getVariable(ChartString("value"), 0);
  value.setVORNVariable(*fWData->fVariable);
  value.setFormatBasedOnVORNVariable(*fWData->fVariable);
}
