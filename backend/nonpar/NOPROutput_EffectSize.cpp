// NOPROutput, source 5 of 5 (see NOPROutput.h): the effect size table of a test: each measure with
// its estimate and interval at the run's confidence level, a note naming how the interval was made,
// and the test's report line as the caption.
#include "NOPREffectSize.h"
#include "NOPROutput.h"
#include "NOPRReportLine.h"

#include "pivot/BpCategory.h"
#include "pivot/BpComposite.h"
#include "pivot/BpDimension.h"
#include "pivot/BpGroup.h"
#include "pivot/BpHeading.h"
#include "pivot/BpNumber.h"
#include "pivot/BpPivotTable.h"
#include "pivot/BpProcedure.h"
#include "pivot/BpString.h"

namespace {

using Interval = NOPREffectSize::Interval;

BpString key(const std::string& text) {
  return BpString(text, true);
}

// The note naming how a measure's interval was made.
BpAnnotation intervalNote(const NOPREffectSize::Result& result) {
  const char* text = nullptr;
  switch (result.fInterval) {
  case Interval::kNone:
    text = "ES note no interval";
    break;
  case Interval::kNoncentralChiSquare:
    text = "ES note noncentral chi-square";
    break;
  case Interval::kClopperPearson:
    text = "ES note Clopper-Pearson";
    break;
  case Interval::kWilson:
    text = "ES note Wilson";
    break;
  case Interval::kFisherZ:
    text = "ES note Fisher z";
    break;
  case Interval::kLogOddsRatio:
    text = "ES note log odds ratio";
    break;
  case Interval::kNeedsData:
    text = "ES note needs data";
    break;
  case Interval::kPercentileBootstrap:
  case Interval::kBCaBootstrap: {
    BpComposite note(result.fInterval == Interval::kBCaBootstrap
                         ? "ES note BCa bootstrap ^1"
                         : "ES note percentile bootstrap ^1",
                     true);
    note.Add(BpNumber(result.fResamples, BpProcedure::Count()));
    note.Finish();
    return BpAnnotation(note);
  }
  }
  return BpAnnotation(key(text));
}

} // namespace

void NOPROutput::DspEffectSizeTable(BpHeading& heading, const Stats::BaseHypothesisTest* test,
                                    const Stats::BaseHypothesisTest* lilliefors) {
  if (test == nullptr)
    return;
  const double level = fStats->ConfLevel() * 100.0;
  const std::vector<NOPREffectSize::Result> effects = NOPREffectSize::Of(*test, level);
  if (effects.empty())
    return;
  BpPivotTable table =
      heading.PivotTable(key("Effect Size"), BpString("Effect Size", false), false);
  table.MinDataColumnWidth(100);
  fStats->SetSplitToTable(table);
  BpDimension measures = table.Dimension(key("Measure"), BpPivotTable::kSortAsMade);
  measures.Position(BpDimension::kRow, BpDimension::kOutermost, true, false);
  BpDimension statistics = table.Dimension(key("Statistics"), BpPivotTable::kSortAsMade);
  statistics.Position(BpDimension::kColumn, BpDimension::kOutermost, true, false);

  // A document without a usable confidence level gets estimates only.
  const bool intervals = level > 0.0 && level < 100.0;
  BpComposite interval("^1 Confidence Interval", true);
  interval.Add(BpNumber(level, BpProcedure::Percent()));
  interval.Finish();
  for (const NOPREffectSize::Result& effect : effects) {
    BpCategory measure = measures.Category(key(NOPREffectSize::Row(effect.fMeasure).fTitle));
    measure.Note(intervalNote(effect));
    statistics.Category(key("Estimate"))
        .Cell(BpNumber(effect.fEstimate, BpProcedure::Coefficient()));
    if (!intervals)
      continue;
    BpGroup bounds = statistics.Group(interval, true, BpPivotTable::kSortAsMade);
    bounds.Category(key("Lower")).Cell(BpNumber(effect.fLower, BpProcedure::Coefficient()));
    bounds.Category(key("Upper")).Cell(BpNumber(effect.fUpper, BpProcedure::Coefficient()));
  }
  if (std::unique_ptr<BpComposite> line = NOPRReportLine::Build(*test, lilliefors, effects))
    table.Caption(*line);
}
