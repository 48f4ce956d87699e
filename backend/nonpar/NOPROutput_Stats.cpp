// NOPROutput, source 3 of 5 (see NOPROutput.h): the statistics table of each test, with the Monte
// Carlo rows of a Lilliefors companion and the notes that explain particular statistics.
#include "NOPROutput.h"

#include "pivot/BpCategory.h"
#include "pivot/BpComposite.h"
#include "pivot/BpDimension.h"
#include "pivot/BpHeading.h"
#include "pivot/BpNumber.h"
#include "pivot/BpPivotTable.h"
#include "pivot/BpProcedure.h"
#include "pivot/BpString.h"
#include "proc/CFAssert.h"

namespace {

const char* const kSource = "backend/nonpar/NOPROutput";
const char* const kMonteCarlo = "MonteCarloSig2Tailed";

using Stats = NOPROutputStats;

BpString key(const std::string& text) {
  return BpString(text, true);
}

// Equal minimum and maximum numbers of runs: there were no ties between the groups.
bool runsWithoutTies(const Stats::BaseHypothesisTest& test) {
  if (test.fAlgorithm != Stats::kAIWaldWolfowitzRuns)
    return false;
  double minimum = 0.0;
  double maximum = 0.0;
  return test.HasStatisticsResultData(minimum, "TestStatistic", "MinimumPossible") &&
         test.HasStatisticsResultData(maximum, "TestStatistic", "MaximumPossible") &&
         minimum == maximum;
}

} // namespace

void NOPROutput::DspHypoTestStatsTable(BpHeading& heading, const Stats::BaseHypothesisTest* test,
                                       const Stats::BaseHypothesisTest* lilliefors) {
  const Stats::BaseHypothesisTest* hTest = test;
  CF_ASSERT(hTest, "DspHypoTestStatsTable", kSource);
  const std::string title = GetTestTitle(test) + " Summary";
  BpPivotTable table = heading.PivotTable(BpString(title, true), BpString(title, false), false);
  table.MinDataColumnWidth(150);
  fStats->SetSplitToTable(table);
  BpDimension statistics = table.Dimension(key("Statistics"), BpPivotTable::kSortAsMade);
  statistics.Position(BpDimension::kRow, BpDimension::kOutermost, true, false);

  const bool noTies = runsWithoutTies(*test);
  if (lilliefors != nullptr) {
    CF_ASSERT(!noTies, "DspHypoTestStatsTable", kSource);
    const bool ownMonteCarlo =
        test->fCondition.fConditionKey != "NormalDistribution_O_KolmogorovSmirnov_3";
    for (const auto* record : {test, lilliefors}) {
      const bool monteCarlo = record == lilliefors || ownMonteCarlo;
      for (const Stats::StatisticsResultData& result : record->fStatisticsResults) {
        if (result.fName.empty()) {
          DspStatsValue(statistics, result.fAttributes, monteCarlo);
        } else {
          BpGroup group = statistics.Group(key(result.fName), true, BpPivotTable::kSortAsMade);
          DspStatsValue(group, result.fAttributes, monteCarlo);
        }
      }
    }
  } else {
    for (const Stats::StatisticsResultData& result : test->fStatisticsResults) {
      if (result.fName.empty()) {
        DspStatsValue(statistics, result.fAttributes, false);
      } else if (noTies) {
        // Without ties the minimum and maximum results agree: one ungrouped set of rows says all.
        DspStatsValue(statistics, result.fAttributes, false);
        break;
      } else {
        BpGroup group = statistics.Group(key(result.fName), true, BpPivotTable::kSortAsMade);
        DspStatsValue(group, result.fAttributes, false);
      }
    }
  }

  if (test->fAlgorithm == Stats::kAIMoses) {
    for (const char* groupName : {"ObservedControlGroup", "TrimmedControlGroup"}) {
      double value = 0.0;
      if (test->HasStatisticsResultData(value, "TestStatistic", groupName))
        statistics.Group(key(groupName), true, BpPivotTable::kSortAsMade)
            .Category(key("TestStatistic"))
            .Note(BpAnnotation(key("The test statistic is the span.")));
    }
  } else if (test->fAlgorithm == Stats::kAIWaldWolfowitzRuns) {
    const BpAnnotation runsNote(key("The test statistic is the number of runs."));
    if (noTies) {
      statistics.Category(key("TestStatistic")).Note(runsNote);
    } else {
      for (const char* groupName : {"MinimumPossible", "MaximumPossible"}) {
        BpCategory category = statistics.Group(key(groupName), true, BpPivotTable::kSortAsMade)
                                  .Category(key("TestStatistic"));
        category.Note(runsNote);
        AddHelpMessages(category, test->fMessages);
      }
    }
  } else if (test->fAlgorithm == Stats::kAOKolmogorovSmirnov) {
    AddKSNotes(statistics, *test, lilliefors);
  }

  if (!(test->fAlgorithm == Stats::kAIWaldWolfowitzRuns && !noTies)) {
    BpCategory category = statistics.Category(key("TestStatistic"));
    AddHelpMessages(category, test->fMessages);
  }
}

void NOPROutput::AddKSNotes(BpDimension& statistics, const Stats::BaseHypothesisTest& test,
                            const Stats::BaseHypothesisTest* lilliefors) {
  const auto* ks = dynamic_cast<const Stats::HTOKolmogorovSmirnov*>(&test);
  if (ks != nullptr && ks->fIsUseSample &&
      test.fCondition.fConditionKey == "NormalDistribution_O_KolmogorovSmirnov_3") {
    BpCategory sig = statistics.Category(key("AsymptoticSig2Tailed"));
    double totalN = 0.0;
    if (test.HasStatisticsResultData(totalN, "TotalN", "") && totalN < 5) {
      sig.Cell(BpNumber(fSysMis, BpProcedure::Significance()));
      sig.CellNote(BpAnnotation(key("HTSFootNoteFisherCantCompute")));
    } else {
      sig.Note(BpAnnotation(key("HTSFootNoteFootNoteFisherLillifors")));
      if (ks->fIsSigLowerBound) {
        sig.Cell(BpNumber(0.2, BpProcedure::Significance()));
        sig.CellNote(BpAnnotation(key("HTSFootNoteFootNoteFisherLowerBound")));
      }
    }
  }
  if (lilliefors != nullptr) {
    BpComposite note("Lill ^1 samples ^ 2 seed ...", true);
    note.Add(BpNumber(fNumSamples, BpProcedure::Count()));
    note.Add(BpNumber(fUserSeed, BpProcedure::Count()));
    note.Finish();
    statistics.Group(key(kMonteCarlo), true, BpPivotTable::kSortAsMade).Note(BpAnnotation(note));
  }
}

void NOPROutput::DspStatsValue(BpGroup& target, const std::vector<Stats::AttributeData>& attributes,
                               bool monteCarlo) {
  for (const Stats::AttributeData& attribute : attributes) {
    const std::string& name = attribute.fName;
    const bool bound =
        name == "ConfidenceIntervalLowerBound" || name == "ConfidenceIntervalUpperBound";
    if (monteCarlo && (name == "AsymptoticSig2Tailed" || bound)) {
      BpGroup group = target.Group(key(kMonteCarlo), true, BpPivotTable::kSortAsMade);
      if (!bound) {
        group.Category(key("Sig.")).Cell(BpNumber(attribute.fValue, BpProcedure::Significance()));
        continue;
      }
      const double level = fStats->MCConfLevel();
      BpComposite label("^1% Confidence Interval", true);
      label.Add(
          BpNumber(level, level == 99.0 ? BpProcedure::Count() : BpProcedure::SigDigit(level)));
      label.Finish();
      BpGroup interval = group.Group(label, true, BpPivotTable::kSortAsMade);
      const char* side = name == "ConfidenceIntervalLowerBound" ? "Lower Bound" : "Upper Bound";
      interval.Category(key(side)).Cell(BpNumber(attribute.fValue, BpProcedure::Significance()));
      continue;
    }
    const bool count = name == "TotalN" || name == "DegreeOfFreedom";
    target.Category(key(name)).Cell(
        BpNumber(attribute.fValue, count ? BpProcedure::Count() : BpProcedure::Significance()));
  }
}

void NOPROutput::AddHelpMessages(BpCategory& category,
                                 const std::vector<Stats::MessageData>& messages) {
  for (const Stats::MessageData& message : messages) {
    if (Stats::IsAlgorithmMessage(message.fCode))
      category.CellNote(CreateNote(message));
  }
}
