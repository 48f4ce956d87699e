// The Jonckheere-Terpstra box plots: the base's chart under the test's title.
#include "IJonckheere_Terpstra.h"

#include "ChartOutput.h"
#include "NOPRHypothesisTests.h"

IJonckheere_Terpstra::IJonckheere_Terpstra(const FacSTDictionary* strings,
                                           const NOPROutputStats* stats,
                                           const NOPROutputStats::HTIJonckheereTerpstra* test)
    : Boxplot(strings, stats) {
  setTitle(ChartOutput::lookUpChart(
      strings, "Independent-Samples Jonckheere-Terpstra Test for Ordered Alternatives"));
  if (test != nullptr) {
    setBoxplotInfo(&test->fBoxPlotInfo);
    setConditionTable(&test->fCondition);
  }
}

void IJonckheere_Terpstra::modifyStringSpecification(std::string&) {}
