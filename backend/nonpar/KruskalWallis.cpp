// The Kruskal-Wallis box plots.
#include "KruskalWallis.h"

#include "ChartOutput.h"
#include "NOPRHypothesisTests.h"

KruskalWallis::KruskalWallis(const FacSTDictionary* strings, const NOPROutputStats* stats,
                             const NOPROutputStats::HTIKruskalWallis* test)
    : Boxplot(strings, stats) {
  setTitle(ChartOutput::lookUpChart(strings, "Independent-Samples Kruskal-Wallis Test"));
  if (test != nullptr) {
    setBoxplotInfo(&test->fBoxPlotInfo);
    setConditionTable(&test->fCondition);
  }
}

std::vector<double> KruskalWallis::createRowValues(const NOPROutputStats::IS_BoxPlot_Group& group) {
  return {static_cast<double>(group.fGroupIndex), group.fMeanOfRank};
}

void KruskalWallis::modifyStringSpecification(std::string& text) {
  ChartOutput::insertBefore(
      text, "</visualization>",
      "<popup part=\"median\" target=\"schema\" tokenTemplate=\"" +
          ChartOutput::xmlEscape(ChartOutput::lookUp(getDictionary(), "Mean Rank")) +
          "=$[1]$\"><tokenMapping valueToken=\"1\" variable=\"Tooltips\"/></popup>");
}

void KruskalWallis::modifyDocSpecification(XDocument&) {}
