// The one-line report of a test as a paper prints it (APA 7, section 6.43): the statistic, the
// significance, the first effect size with its interval, and N, e.g.
// "H(5) = 37.34, p < .001, ε²R = 0.53, 95% CI [0.41, 1.00], N = 71".
#pragma once

#include "NOPREffectSize.h"
#include "NOPROutputStats.h"

#include "pivot/BpComposite.h"

#include <memory>
#include <string>
#include <vector>

class FacSTDictionary;

class NOPRReportLine {
public:
  using Stats = NOPROutputStats;

  NOPRReportLine() = delete;

  // The line of `test` (with its Lilliefors companion or null, whose significance the summary
  // reports), quoting the first of `effects`: a composite of parts, each a translatable composite
  // whose symbols are styled (italic, sub- and superscripts) and whose numbers are its items.
  // Parts whose figures the document lacks are left out; null when no part is left.
  static std::unique_ptr<BpComposite> Build(const Stats::BaseHypothesisTest& test,
                                            const Stats::BaseHypothesisTest* lilliefors,
                                            const std::vector<NOPREffectSize::Result>& effects);

  // The same with the test's own effect sizes at `level` percent (the run's confidence level).
  static std::unique_ptr<BpComposite> Build(const Stats::BaseHypothesisTest& test,
                                            const Stats::BaseHypothesisTest* lilliefors,
                                            double level) {
    return Build(test, lilliefors, NOPREffectSize::Of(test, level));
  }

  // The line as plain text, in the language of `strings`.
  static std::string PlainText(const BpComposite& line, const FacSTDictionary* strings) {
    return line.PlainText(strings);
  }
};
