// NOPROutput, source 1 of 5 (see NOPROutput.h): the output driver and the lookups the tables share:
// test titles, field headings, the fields of a test and the Lilliefors companion.
#include "NOPROutput.h"

#include "FieldInformation.h"
#include "IndependentSamples.h"
#include "NOPRAlgorithmTable.h"
#include "NOPRReportLine.h"
#include "NOPRUTILITY.h"
#include "OneSample.h"
#include "PairwiseComparison.h"
#include "RelatedSamples.h"

#include "pivot/BpComposite.h"
#include "pivot/BpHeading.h"
#include "pivot/BpProcedure.h"
#include "pivot/BpString.h"
#include "pivot/BpVariable.h"
#include "proc/CFAssert.h"
#include "strings/FacSTDictionary.h"
#include "strings/PathFactory.h"

#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

namespace {

const char* const kSource = "backend/nonpar/NOPROutput";
const char* const kNormalKS = "NormalDistribution_O_KolmogorovSmirnov_3";
const char* const kUniformKS = "UniformDistribution_O_KolmogorovSmirnov_3";
const char* const kPoissonKS = "PoissonDistribution_O_KolmogorovSmirnov_2";
const char* const kExponentialKS = "ExponentialDistribution_O_KolmogorovSmirnov_2";

using Stats = NOPROutputStats;

// A field index past every list of fields: the views choose no field for it.
constexpr unsigned long kNoField = std::numeric_limits<unsigned long>::max();

// The first value of a parameter as a field index, or -1 when there is none.
int firstIndex(const std::vector<Stats::ParameterData>& parameters, std::size_t position) {
  if (position >= parameters.size() || parameters[position].fValues.empty())
    return -1;
  return NOPRUTILITY::truncateToInt(parameters[position].fValues[0], -1);
}

bool isPairAlgorithm(Stats::EnumAlgorithmType algorithm) {
  const NOPRAlgorithmTable::Row* row = NOPRAlgorithmTable::Find(algorithm);
  return row != nullptr && row->fFields == NOPRAlgorithmTable::Fields::kPair;
}

bool isListAlgorithm(Stats::EnumAlgorithmType algorithm) {
  const NOPRAlgorithmTable::Row* row = NOPRAlgorithmTable::Find(algorithm);
  return row != nullptr && row->fFields == NOPRAlgorithmTable::Fields::kList;
}

// The comparison of a k-sample test, or null for every other test (and for a record whose class
// does not carry one).
const Stats::CompareResultTableData* comparisonOf(const Stats::BaseHypothesisTest* test) {
  const NOPRAlgorithmTable::Row* row = NOPRAlgorithmTable::Of(test);
  if (row == nullptr || row->fComparison == NOPRAlgorithmTable::Comparison::kNone)
    return nullptr;
  if (const auto* record = dynamic_cast<const Stats::HTRCochransQ*>(test))
    return &record->fCompareResult;
  if (const auto* record = dynamic_cast<const Stats::HTRFriedmansTwoWayByRanks*>(test))
    return &record->fCompareResult;
  if (const auto* record = dynamic_cast<const Stats::HTRKendallsCoefficient*>(test))
    return &record->fCompareResult;
  if (const auto* record = dynamic_cast<const Stats::HTIKruskalWallis*>(test))
    return &record->fCompareResult;
  if (const auto* record = dynamic_cast<const Stats::HTIJonckheereTerpstra*>(test))
    return &record->fCompareResult;
  if (const auto* record = dynamic_cast<const Stats::HTIMedian*>(test))
    return &record->fCompareResult;
  return nullptr;
}

} // namespace

NOPROutput::NOPROutput(BpProcedure* procedure, BpHeading* heading, VORN_DataSource* dataSource,
                       const NOPROutputStats* stats)
    : fSysMis(NOPRUTILITY::getSysMissing()), fProcedure(procedure), fHeading(heading),
      fDataSource(dataSource), fStats(stats) {
  if (fStats != nullptr) {
    fUserSeed = fStats->UserSeed();
    fUseKSNormSimul = fStats->UseKSNormSimul();
    fUseKSUniformSimul = fStats->UseKSUniformSimul();
    fUseKSExponSimul = fStats->UseKSExponSimul();
    fNumSamples = fStats->NumSamples();
  }
  fMessage.SetCommandName("NPTESTS");
  fMessage.SetProcedureTitle("Nonparametric Tests");
}

NOPROutput::~NOPROutput() = default;

bool NOPROutput::ChartsShownFor(const char* value) {
  return value == nullptr || std::strcmp(value, "2") != 0;
}

bool NOPROutput::ChartsShown() {
  // A function-level static: initialised once, thread-safely, on the first call.
  static const bool shown = ChartsShownFor(std::getenv("DEBUG_MODEL_VIEWER"));
  return shown;
}

void NOPROutput::DisplayOutput() {
  if (fStats == nullptr || fHeading == nullptr)
    return;
  auto strings = std::make_unique<FacSTDictionary>(
      PathFactory::getPathInstance(PathFactory::kStringTables)->getPath());
  strings->SetProcedure("Nonparametric Tests");
  const bool chartsShown = ChartsShown();
  // Cleared on every way out, a failed check's exception included.
  struct TitlesFor {
    const FacSTDictionary*& titles;
    ~TitlesFor() { titles = nullptr; }
  } titlesFor{fTitles = strings.get()};

  DspHypoTestSumTable();
  DspConfIntSumTable();

  // Split groups as table layers share one procedure heading: each group's test headings name the
  // group, or the contents list would show the same titles once per group.
  bool layered = false;
  const std::string group = fStats->GetSplitSubtitleForCharts(layered);
  const Stats::TestList& tests = fStats->GetAllHypothesisTest();
  for (std::size_t i = 0; i < tests.size(); ++i) {
    const Stats::BaseHypothesisTest* test = tests[i];
    if (test == nullptr)
      continue;
    const BpString title(GetTestTitle(test), true);
    BpComposite titleOfGroup("^1 (^2)", false);
    titleOfGroup.Add(title);
    titleOfGroup.Add(BpString(group, false));
    BpHeading testHeading =
        fHeading->Heading(layered && !group.empty() ? static_cast<const BpCellText&>(titleOfGroup)
                                                    : static_cast<const BpCellText&>(title));
    if (Stats::GetCriticalMessage(test) != nullptr)
      continue;
    AtTest(i + 1, test, [&] {
      std::unique_ptr<BpHeading> fieldHeading;
      if (std::unique_ptr<BpCellText> text = CreateVarHeadingText(test))
        fieldHeading = std::make_unique<BpHeading>(testHeading.Heading(*text));
      BpHeading& tableHeading = fieldHeading ? *fieldHeading : testHeading;

      DspHypoTestStatsTable(tableHeading, test, LillieforsCompanion(test));
      if (fStats->EffectSizesShown())
        DspEffectSizeTable(tableHeading, test, LillieforsCompanion(test));
      if (chartsShown)
        DspTestCharts(test, strings.get());
      DspComparisonsTable(tableHeading, test, strings.get());
    });
  }
  if (chartsShown)
    DspFieldCharts(strings.get());
}

void NOPROutput::DspTestCharts(const Stats::BaseHypothesisTest* test,
                               const FacSTDictionary* strings) {
  bool layered = false;
  std::string subtitle = fStats->GetSplitSubtitleForCharts(layered);
  std::vector<int> fields;
  GetTestVariableIndex(test, fields);
  // A condition without a field parameter charts the first field; a negative index (a missing
  // or unreadable parameter) names no field, so it must choose none rather than the first.
  unsigned long field = 0;
  if (!fields.empty())
    field = fields[0] < 0 ? kNoField : static_cast<unsigned long>(fields[0]);
  // The test's charts carry its one-line report in their footnote, so that a chart copied into a
  // paper says what was found without the tables around it. The effect size is quoted when the
  // report shows effect sizes.
  std::string line;
  if (test != nullptr) {
    const std::vector<NOPREffectSize::Result> effects =
        fStats->EffectSizesShown() ? NOPREffectSize::Of(*test, fStats->ConfLevel() * 100.0)
                                   : std::vector<NOPREffectSize::Result>();
    if (std::unique_ptr<BpComposite> composite =
            NOPRReportLine::Build(*test, LillieforsCompanion(test), effects))
      line = NOPRReportLine::PlainText(*composite, strings);
  }
  BpProcedure* procedure = BpProcedure::Current();
  struct NoteScope {
    BpProcedure* procedure;
    ~NoteScope() {
      if (procedure != nullptr)
        procedure->SetChartNote(std::string());
    }
  } scope{procedure};
  if (procedure != nullptr)
    procedure->SetChartNote(line);
  // Every test is offered to all three; each charts only the tests of its own family.
  OneSample(strings, fStats).genSubView(test, field, subtitle, layered);
  IndependentSamples(strings, fStats).genSubView(test, subtitle, layered);
  RelatedSamples(strings, fStats).genSubView(test, subtitle, layered);
}

void NOPROutput::DspFieldCharts(const FacSTDictionary* strings) {
  bool layered = false;
  std::string subtitle = fStats->GetSplitSubtitleForCharts(layered);
  const std::size_t count = fStats->GetAllFieldDistributionData().size();
  for (std::size_t j = 0; j < count; ++j) {
    // Only the view whose kind matches the field's draws.
    for (bool categorical : {true, false}) {
      FieldInformation view(strings, fStats, categorical);
      view.setFDD(j);
      view.createChart(subtitle, layered);
    }
  }
}

void NOPROutput::DspPairwiseChart(const Stats::CompareResultTableData& compare,
                                  const FacSTDictionary* strings, bool medians) {
  // The network stands with its table, so it is made whether or not the other charts are.
  if (fStats == nullptr || strings == nullptr)
    return;
  bool layered = false;
  std::string subtitle = fStats->GetSplitSubtitleForCharts(layered);
  PairwiseComparison chart(*fStats, compare, *strings);
  chart.setMedians(medians);
  chart.createChart(subtitle, layered);
}

void NOPROutput::AtTest(std::size_t number, const Stats::BaseHypothesisTest* test,
                        const std::function<void()>& write) const {
  AtPlace(
      [&] {
        const std::string key = GetTestTitle(test);
        bool found = false;
        const std::string title = fTitles != nullptr ? fTitles->Translate(key, found) : key;
        return "test " + std::to_string(number) + " (" + (found ? title : key) + ")";
      },
      write);
}

void NOPROutput::AtPlace(const std::function<std::string()>& place,
                         const std::function<void()>& write) {
  try {
    write();
  } catch (CFAssertionError& failure) {
    if (failure.Place().empty())
      failure.SetPlace(place());
    throw;
  }
}

const Stats::BaseHypothesisTest*
NOPROutput::LillieforsCompanion(const Stats::BaseHypothesisTest* test) const {
  std::vector<int> lillIndexes;
  GetLillieforsIndex(test, lillIndexes);
  if (lillIndexes.empty())
    return nullptr;
  const int lillVarInd = lillIndexes.front();
  CF_ASSERT(lillVarInd >= 0, "DisplayOutput", kSource);
  return fStats->GetLilliefors(static_cast<std::size_t>(lillVarInd));
}

std::string NOPROutput::GetTestTitle(const Stats::BaseHypothesisTest* test) const {
  if (test == nullptr)
    return Stats::TypeToDisplayName(Stats::kANone);
  if (test->fAlgorithm == Stats::kAOKolmogorovSmirnov) {
    const std::string& key = test->fCondition.fConditionKey;
    if (key == kUniformKS)
      return "One-Sample Kolmogorov-Smirnov Uniform Test";
    if (key == kNormalKS)
      return "One-Sample Kolmogorov-Smirnov Normal Test";
    if (key == kPoissonKS)
      return "One-Sample Kolmogorov-Smirnov Poisson Test";
    if (key == kExponentialKS)
      return "One-Sample Kolmogorov-Smirnov Exponential Test";
  }
  return Stats::TypeToDisplayName(test->fAlgorithm);
}

void NOPROutput::GetTestVariableIndex(const Stats::BaseHypothesisTest* test,
                                      std::vector<int>& indexes) const {
  indexes.clear();
  if (test == nullptr)
    return;
  const std::vector<Stats::ParameterData>& params = test->fCondition.fParameters;
  const auto addPair = [&]() {
    const int first = firstIndex(params, 0);
    const int second = firstIndex(params, 1);
    if (params.size() >= 2 && !params[0].fValues.empty() && !params[1].fValues.empty()) {
      indexes.push_back(first);
      indexes.push_back(second);
    }
  };
  switch (test->fClassification) {
  case Stats::kCOneSample:
    if (!params.empty() && !params[0].fValues.empty())
      indexes.push_back(NOPRUTILITY::truncateToInt(params[0].fValues[0], -1));
    return;
  case Stats::kCRelatedSamples:
    if (isPairAlgorithm(test->fAlgorithm)) {
      addPair();
    } else if (isListAlgorithm(test->fAlgorithm) && !params.empty()) {
      for (double value : params[0].fValues)
        indexes.push_back(NOPRUTILITY::truncateToInt(value, -1));
    }
    return;
  case Stats::kCIndependentSamples:
    addPair();
    return;
  case Stats::kCNone:
    return;
  }
}

std::unique_ptr<BpCellText>
NOPROutput::CreateVarHeadingText(const Stats::BaseHypothesisTest* test) const {
  if (test == nullptr || fStats == nullptr)
    return nullptr;
  std::vector<int> indexes;
  GetTestVariableIndex(test, indexes);
  const auto variableAt = [&](int index) -> const VORN_Variable* {
    if (index < 0)
      return nullptr;
    const Stats::FieldDistributionData* record =
        fStats->GetFieldDistributionData(static_cast<std::size_t>(index));
    return record == nullptr ? nullptr : record->fVariable;
  };
  switch (test->fClassification) {
  case Stats::kCOneSample: {
    const VORN_Variable* variable = indexes.empty() ? nullptr : variableAt(indexes[0]);
    if (variable == nullptr)
      return nullptr;
    return std::make_unique<BpVariable>(*variable, 2);
  }
  case Stats::kCRelatedSamples: {
    if (indexes.size() < 2)
      return nullptr;
    auto composite = std::make_unique<BpComposite>("[%1:, ^1]1", true);
    composite->Sublist();
    for (int index : indexes) {
      if (const VORN_Variable* variable = variableAt(index))
        composite->Add(BpVariable(*variable, BpVariable::kShowLabel));
    }
    composite->EndSublist();
    composite->Finish();
    return composite;
  }
  case Stats::kCIndependentSamples: {
    if (indexes.size() < 2)
      return nullptr;
    const VORN_Variable* testField = variableAt(indexes[0]);
    const VORN_Variable* groupField = variableAt(indexes[1]);
    if (testField == nullptr || groupField == nullptr)
      return nullptr;
    auto composite = std::make_unique<BpComposite>("^1 across ^2", true);
    composite->Add(BpVariable(*testField, BpVariable::kShowLabel));
    composite->Add(BpVariable(*groupField, BpVariable::kShowLabel));
    composite->Finish();
    return composite;
  }
  case Stats::kCNone:
    return nullptr;
  }
  return nullptr;
}

void NOPROutput::GetLillieforsIndex(const Stats::BaseHypothesisTest* test,
                                    std::vector<int>& indexes) const {
  indexes.clear();
  if (test == nullptr || fStats == nullptr || test->fAlgorithm != Stats::kAOKolmogorovSmirnov ||
      test->fClassification != Stats::kCOneSample)
    return;
  const auto* theTest = dynamic_cast<const Stats::HTOKolmogorovSmirnov*>(test);
  CF_ASSERT(theTest != 0, "GetLillieforsIndex", kSource);

  const std::string& key = test->fCondition.fConditionKey;
  std::string wanted;
  if (key == kNormalKS) {
    if (!fUseKSNormSimul)
      return;
    wanted = "NormalDistribution_O_Lilliefors_3";
  } else if (key == kUniformKS) {
    if (!fUseKSUniformSimul)
      return;
    wanted = "UniformDistribution_O_Lilliefors_3";
  } else if (key == kExponentialKS) {
    if (!fUseKSExponSimul)
      return;
    wanted = "ExponentialDistribution_O_Lilliefors_2";
  } else if (key == kPoissonKS) {
    return;
  }

  std::vector<int> fields;
  GetTestVariableIndex(test, fields);
  if (fields.empty())
    return;
  const int testVarInd = fields.front();
  CF_ASSERT(testVarInd >= 0, "GetLillieforsIndex", kSource);

  const Stats::TestList& all = fStats->GetAllLilliefors();
  for (std::size_t i = 0; i < all.size(); ++i) {
    const Stats::BaseHypothesisTest* hLill = all[i];
    CF_ASSERT(hLill != 0, "GetLillieforsIndex", kSource);
    // Every Lilliefors record is looked at, not only this test's companion.
    const std::string record = "the document's Lilliefors record " + std::to_string(i + 1);
    CF_ASSERT_DESCRIBED(hLill->fAlgorithm == NOPROutputStats::kAOLilliefors, "GetLillieforsIndex",
                        kSource, record + " is not a Lilliefors test");
    CF_ASSERT_DESCRIBED(hLill->fClassification == NOPROutputStats::kCOneSample,
                        "GetLillieforsIndex", kSource,
                        record + " is not of the one-sample class (classification=\"One_Sample\")");
    const auto* theLill = dynamic_cast<const Stats::HTOKolmogorovSmirnov*>(hLill);
    CF_ASSERT_DESCRIBED(theLill != 0, "GetLillieforsIndex", kSource,
                        record + " is not a Kolmogorov-Smirnov record");
    CF_ASSERT_DESCRIBED(theLill->fIsUseSample, "GetLillieforsIndex", kSource,
                        record + " does not estimate its parameters from the sample "
                                 "(isUseSample=\"true\")");
    if (hLill->fCondition.fConditionKey != wanted)
      continue;
    const int lillVarInd = firstIndex(hLill->fCondition.fParameters, 0);
    if (hLill->fCondition.fParameters.empty() || hLill->fCondition.fParameters[0].fValues.empty())
      continue;
    CF_ASSERT(lillVarInd >= 0, "GetLillieforsIndex", kSource);
    if (lillVarInd == testVarInd)
      indexes.push_back(static_cast<int>(i));
  }
}

void NOPROutput::DspComparisonsTable(BpHeading& heading, const Stats::BaseHypothesisTest* test,
                                     const FacSTDictionary* strings) {
  const Stats::CompareResultTableData* compare = comparisonOf(test);
  if (compare == nullptr)
    return;
  if (compare->fComparisonType == Stats::CompareResultTableData::kCTPairwise)
    DspPairwiseCompOutput(heading, compare, test->fAlgorithm, test->fMessages, strings);
  else if (compare->fComparisonType == Stats::CompareResultTableData::kCTStepwise)
    DspHomogSubsetCompTable(heading, compare, test->fAlgorithm, test->fMessages);
}
