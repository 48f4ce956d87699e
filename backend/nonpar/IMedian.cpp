// The median test's box plots.
#include "IMedian.h"

#include "ChartOutput.h"
#include "NOPRHypothesisTests.h"

#include "dict/VORN_Variable.h"

IMedian::IMedian(const FacSTDictionary* strings, const NOPROutputStats* stats,
                 const NOPROutputStats::HTIMedian* test)
    : Boxplot(strings, stats) {
  setTitle(ChartOutput::lookUpChart(strings, "Independent-Samples Median Test"));
  if (test != nullptr) {
    setBoxplotInfo(&test->fBoxPlotInfo);
    setConditionTable(&test->fCondition);
  }
}

std::vector<double> IMedian::createRowValues(const NOPROutputStats::IS_BoxPlot_Group& group) {
  return {static_cast<double>(group.fGroupIndex)};
}

void IMedian::modifyStringSpecification(std::string& text) {
  const NOPROutputStats::IS_BoxPlotInfo* info = getBoxplotInfo();
  // Without a grand median there is nothing to mark; a guide at "." would only confuse.
  if (info == nullptr || NOPRUTILITY::isSystemMissing(info->fGrandMedian))
    return;
  const NOPROutputStats::FieldDistributionData* testField = getYFDD();
  // One decimal more than the field shows, so the guide can be told from the medians it splits.
  const std::string median =
      testField != nullptr && testField->fVariable != nullptr
          ? ChartOutput::double2String(info->fGrandMedian, 40,
                                       testField->fVariable->GetFormat().Decimals() + 1)
          : ChartOutput::double2String(info->fGrandMedian, 40, 2);
  // Drawn dashed and in colour, so that it is not taken for a box's median, and labelled at the
  // line, where the drawing finds room between the boxes.
  const std::string label =
      ChartOutput::xmlEscape(ChartOutput::lookUp(getDictionary(), "Grand Median")) + " = " + median;
  if (!ChartOutput::insertBefore(text, "</graph>",
                                 "<lineGuide y=\"" + median +
                                     "\" style=\"grandMedianStyle\"><label><text>" + label +
                                     "</text></label></lineGuide>"))
    return;
  ChartOutput::insertBefore(text, "<sourceVariable",
                            "<style id=\"grandMedianStyle\" stroke=\"#C2410C\" strokeWidth=\"2\" "
                            "dash=\"7 4\" fontSize=\"11\"/>");
}

void IMedian::modifyDocSpecification(XDocument&) {}
