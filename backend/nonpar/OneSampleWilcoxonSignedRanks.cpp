// The one-sample Wilcoxon chart: axis labels, then the two median guides and their label frames,
// placed to the right of the graph, the hypothesized one above the observed one.
#include "OneSampleWilcoxonSignedRanks.h"

#include "ChartOutput.h"
#include "NOPROutputStatsRecords.h"

#include "chart/XDocument.h"
#include "chart/XUtility.h"
#include "chart/formatter.h"
#include "dict/VORN_Format.h"
#include "dict/VORN_Variable.h"

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

  ViZStyle hypothesizedStyle = visualization.addStyle();
  hypothesizedStyle.setColor(ChartString("green"));
  hypothesizedStyle.setId(ChartString("lineGuide1Style"));
  ViZStyle observedStyle = visualization.addStyle();
  observedStyle.setColor(ChartString("blue"));
  observedStyle.setId(ChartString("lineGuide2Style"));

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
  auto labelStyle = [&visualization](const char* color, const char* id) {
    ViZStyle style = visualization.addStyle();
    style.setColor(ChartString(color));
    style.setFontWeight(ViZStyle::kFontBold);
    style.setId(ChartString(id));
    return style;
  };

  ViZLabelFrame first = visualization.addLabelFrame();
  first.setId(ChartString("frameHypotheticalMedian"));
  locate(first, ViZLocation::kTop, ViZLocation::kSame, &graph, nullptr);
  locate(first, ViZLocation::kLeft, ViZLocation::kAttach, &graph, nullptr);
  locate(first, ViZLocation::kWidth, ViZLocation::kSizeToContent, nullptr, nullptr);
  locate(first, ViZLocation::kRight, ViZLocation::kFixed, nullptr, "100%");
  ViZLabel firstLabel = first.getLabel();
  firstLabel.setStyle(labelStyle("green", "label1Style"));
  firstLabel.getText().setText(medianLabel("OWilcoxonSignedRanksHypotheticalMedian", hypothesized));

  ViZLabelFrame second = visualization.addLabelFrame();
  second.setId(ChartString("frameObservedMedian"));
  locate(second, ViZLocation::kTop, ViZLocation::kAttach, &first, nullptr);
  locate(second, ViZLocation::kLeft, ViZLocation::kSame, &first, nullptr);
  locate(second, ViZLocation::kWidth, ViZLocation::kSizeToContent, nullptr, nullptr);
  locate(second, ViZLocation::kRight, ViZLocation::kSame, &first, nullptr);
  ViZLabel secondLabel = second.getLabel();
  secondLabel.setStyle(labelStyle("blue", "label2Style"));
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
