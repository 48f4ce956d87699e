// NOPROutput, source 2 of 5 (see NOPROutput.h): the hypothesis test summary (null hypothesis
// sentences, significances with their notes, decisions) and the confidence interval summary.
#include "NOPRAlgorithmTable.h"
#include "NOPROutput.h"
#include "NOPRUTILITY.h"

#include "dict/VORN_DataSource.h"
#include "dict/VORN_Format.h"
#include "dict/VORN_Variable.h"
#include "pivot/BpCategory.h"
#include "pivot/BpComposite.h"
#include "pivot/BpDataValue.h"
#include "pivot/BpDimension.h"
#include "pivot/BpHeading.h"
#include "pivot/BpNumber.h"
#include "pivot/BpPivotTable.h"
#include "pivot/BpProcedure.h"
#include "pivot/BpString.h"
#include "pivot/BpVariable.h"
#include "proc/CFAssert.h"
#include "strings/FacSTDictionary.h"
#include "text/TextFunctions.h"

#include <climits>
#include <string>

namespace {

const char* const kSource = "backend/nonpar/NOPROutput";
const char* const kNormalKS = "NormalDistribution_O_KolmogorovSmirnov_3";

using Stats = NOPROutputStats;

// "1 parameter", "3 parameters".
std::string Parameters(std::size_t count) {
  return std::to_string(count) + (count == 1 ? " parameter" : " parameters");
}

// One check per count, so that the check's own text names the count the key demands.
void assertParamCount(const Stats::ConditionData& data, std::size_t count) {
  const std::size_t given = data.fParameters.size();
  const auto words = [&] {
    return "its condition " + data.fConditionKey + " has " + Parameters(given) +
           " where the key needs " + std::to_string(count);
  };
  switch (count) {
  case 1:
    CF_ASSERT_DESCRIBED(data.fParameters.size() == 1, "SetConditonText", kSource, words());
    return;
  case 2:
    CF_ASSERT_DESCRIBED(data.fParameters.size() == 2, "SetConditonText", kSource, words());
    return;
  case 3:
    CF_ASSERT_DESCRIBED(data.fParameters.size() == 3, "SetConditonText", kSource, words());
    return;
  case 4:
    CF_ASSERT_DESCRIBED(data.fParameters.size() == 4, "SetConditonText", kSource, words());
    return;
  case 5:
    CF_ASSERT_DESCRIBED(data.fParameters.size() == 5, "SetConditonText", kSource, words());
    return;
  default:
    CF_ASSERT_DESCRIBED(data.fParameters.size() == count, "SetConditonText", kSource, words());
    return;
  }
}

bool validParam(const Stats::ConditionData& condition, int param) {
  return param >= 0 && static_cast<std::size_t>(param) < condition.fParameters.size();
}

void addNote(BpCategory& category, const std::string& key) {
  category.CellNote(BpAnnotation(BpString(key, true)));
}

} // namespace

// --- Hypothesis test summary -------------------------------------------------------------------

NOPROutput::TestSummTypes NOPROutput::SummaryKind() const {
  int lilliefors = 0;
  int sampleNormal = 0;
  int other = 0;
  const Stats::TestList& tests = fStats->GetAllHypothesisTest();
  for (std::size_t i = 0; i < tests.size(); ++i) {
    const Stats::BaseHypothesisTest* test = tests[i];
    const auto* ks = dynamic_cast<const Stats::HTOKolmogorovSmirnov*>(test);
    const Stats::BaseHypothesisTest* companion = nullptr;
    AtTest(i + 1, test, [&] { companion = LillieforsCompanion(test); });
    if (companion != nullptr)
      ++lilliefors;
    else if (ks != nullptr && test->fAlgorithm == Stats::kAOKolmogorovSmirnov &&
             test->fCondition.fConditionKey == kNormalKS && ks->fIsUseSample)
      ++sampleNormal;
    else
      ++other;
  }
  if (lilliefors >= 1 && sampleNormal == 0 && other == 0)
    return kTSAllLilliefors;
  if (lilliefors == 0 && sampleNormal > 0 && other == 0)
    return kTSAllSampleNormal;
  if (lilliefors == 0 && sampleNormal == 0 && other > 0)
    return kTSAllOther;
  return kTSMixed;
}

void NOPROutput::DspHypoTestSumTable() {
  const Stats::TestList& tests = fStats->GetAllHypothesisTest();
  if (tests.empty())
    return;
  BpPivotTable table = fHeading->PivotTable(BpString("Hypothesis Test Summary", true),
                                            BpString("Hypothesis Test Summary", false), false);
  table.MinDataColumnWidth(100);
  table.MaxDataColumnWidth(200);
  const TestSummTypes kind = SummaryKind();
  fStats->SetSplitToTable(table);

  BpDimension items = table.Dimension(BpString("Item", false), BpPivotTable::kSortAsMade);
  items.Position(BpDimension::kRow, BpDimension::kOutermost, true, false);
  BpDimension statistics = table.Dimension(BpString("Statistics", true), BpPivotTable::kSortAsMade);
  statistics.Position(BpDimension::kColumn, BpDimension::kOutermost, true, false);

  for (std::size_t i = 0; i < tests.size(); ++i) {
    const Stats::BaseHypothesisTest* test = tests[i];
    items.Category(BpNumber(static_cast<double>(i + 1), BpProcedure::Count()));
    const Stats::BaseHypothesisTest* lilliefors = nullptr;
    AtTest(i + 1, test, [&] {
      lilliefors = LillieforsCompanion(test);
      BpCategory hypothesis = statistics.Category(BpString("Null Hypothesis", true));
      SetConditonText(hypothesis, test);
      BpCategory testName = statistics.Category(BpString("Test", true));
      testName.Cell(
          BpString(Stats::TypeToDisplayName(test ? test->fAlgorithm : Stats::kANone), true));
      BpCategory sig = statistics.Category(BpString("Sig.", true));
      SetSigValue(sig, test, lilliefors, kind);
    });

    BpCategory decision = statistics.Category(BpString("Decision", true));
    const Stats::BaseHypothesisTest* source = lilliefors != nullptr ? lilliefors : test;
    if (source == nullptr)
      continue;
    switch (source->fDecision) {
    case Stats::kDNone:
      decision.Cell(BpString("Unable to compute.", true));
      break;
    case Stats::kDReject:
      decision.Cell(BpString("Reject the null hypothesis.", true));
      break;
    case Stats::kDRetain:
      decision.Cell(BpString("Retain the null hypothesis.", true));
      break;
    }
  }
}

const VORN_Variable* NOPROutput::TestVariable(const Stats::BaseHypothesisTest* test) const {
  if (test == nullptr || test->fClassification != Stats::kCOneSample)
    return nullptr;
  std::vector<int> indexes;
  GetTestVariableIndex(test, indexes);
  if (indexes.empty() || indexes[0] < 0)
    return nullptr;
  const Stats::FieldDistributionData* record =
      fStats->GetFieldDistributionData(static_cast<std::size_t>(indexes[0]));
  return record == nullptr ? nullptr : record->fVariable;
}

void NOPROutput::SetConditonText(BpCategory& category, const Stats::BaseHypothesisTest* test) {
  if (test == nullptr) {
    category.Cell(BpString(" ", true));
    return;
  }
  const std::string& key = test->fCondition.fConditionKey;
  BpComposite composite(key, true);
  if (AddConditionItems(composite, *test)) {
    composite.Finish();
    category.Cell(composite);
  } else {
    category.Cell(BpString("Unknown Condition Key: " + key, false));
  }
}

bool NOPROutput::AddConditionItems(BpComposite& composite, const Stats::BaseHypothesisTest& test) {
  const NOPRAlgorithmTable::ConditionRecipe* recipe =
      NOPRAlgorithmTable::FindCondition(test.fAlgorithm, test.fCondition.fConditionKey);
  if (recipe == nullptr)
    return false;
  const Stats::ConditionData& data = test.fCondition;
  assertParamCount(data, recipe->paramCount);
  const VORN_Variable* variable = TestVariable(&test);
  for (std::size_t k = 0; k < recipe->itemCount; ++k) {
    const NOPRAlgorithmTable::ConditionItem& item = recipe->items[k];
    switch (item.kind) {
    case NOPRAlgorithmTable::ConditionItemKind::kVariables:
      HelpAddVariable(composite, data, item.a, item.asList);
      break;
    case NOPRAlgorithmTable::ConditionItemKind::kValue:
      HelpAddValue(composite, data, item.a, nullptr, item.asList);
      break;
    case NOPRAlgorithmTable::ConditionItemKind::kValueOfVar:
      HelpAddValue(composite, data, item.a, variable, item.asList);
      break;
    case NOPRAlgorithmTable::ConditionItemKind::kCategories:
      if (item.withLabels)
        HelpAddVariableValue(composite, data, item.a, item.b, test.fValsNotInCategories,
                             item.asList);
      else
        HelpAddVariableValue(composite, data, item.a, item.b, item.asList);
      break;
    case NOPRAlgorithmTable::ConditionItemKind::kNormalStdDev:
      AddNormalStdDevItem(composite, data, variable);
      break;
    }
  }
  return true;
}

void NOPROutput::AddNormalStdDevItem(BpComposite& composite, const Stats::ConditionData& condition,
                                     const VORN_Variable* variable) {
  const bool canFormat = fProcedure != nullptr && fDataSource != nullptr && variable != nullptr &&
                         validParam(condition, 2) && !condition.fParameters[2].fValues.empty();
  if (!canFormat) {
    HelpAddValue(composite, condition, 2, nullptr, false);
    return;
  }
  double value = condition.fParameters[2].fValues[0];
  // Date formats hold seconds, while the engine reports the spread of a date in days.
  if (EngineTimeUnitOf(variable->GetFormat().TypeEx()) == EngineTimeUnit::kDays &&
      !NOPRUTILITY::isSystemMissing(value))
    value *= 86400.0;
  const int index = fDataSource->FindVarIndex(variable->GetName(), 0);
  composite.Add(BpNumber(value, fProcedure->StdDev(index)));
}

void NOPROutput::HelpAddVariable(BpComposite& composite, const Stats::ConditionData& condition,
                                 int param, bool asList) const {
  if (!validParam(condition, param)) {
    composite.Add(BpString("Incorrect Parameter Index", false));
    return;
  }
  std::vector<int> fields;
  for (double value : condition.fParameters[static_cast<std::size_t>(param)].fValues)
    fields.push_back(NOPRUTILITY::truncateToInt(value, -1));
  HelpAddVariable(composite, fields, asList);
}

void NOPROutput::HelpAddVariable(BpComposite& composite, const std::vector<int>& fields,
                                 bool asList) const {
  if (asList)
    composite.Sublist();
  bool found = true;
  for (std::size_t i = 0; i < fields.size() && found; ++i) {
    const int curIndex = fields[i];
    const Stats::FieldDistributionData* data =
        curIndex < 0 ? nullptr
                     : fStats->GetFieldDistributionData(static_cast<std::size_t>(curIndex));
    found = data != nullptr && data->fVariable != nullptr;
    if (found) {
      CF_ASSERT(curIndex == data->fFieldIndex, "HelpAddVariable", kSource);
      composite.Add(BpVariable(*data->fVariable, BpVariable::kShowLabel));
    }
  }
  if (fields.empty())
    composite.Add(BpString(" ", false));
  else if (!found)
    composite.Add(BpString("Unknown Variable", false));
  if (asList)
    composite.EndSublist();
}

void NOPROutput::HelpAddValue(BpComposite& composite, const Stats::ConditionData& condition,
                              int param, const VORN_Variable* variable, bool asList) const {
  if (!validParam(condition, param)) {
    composite.Add(BpString("Incorrect Parameter Index", false));
    return;
  }
  HelpAddValue(composite, condition.fParameters[static_cast<std::size_t>(param)].fValues, variable,
               asList);
}

void NOPROutput::HelpAddValue(BpComposite& composite, const std::vector<double>& values,
                              const VORN_Variable* variable, bool asList) const {
  if (asList)
    composite.Sublist();
  for (double value : values) {
    if (variable != nullptr && variable->GetType() == 0) {
      const double shown = NumericFormatCFToStat(value, variable->GetFormat().TypeEx());
      composite.Add(BpDataValue(*variable, shown, BpDataValue::kPreferValue));
    } else {
      composite.Add(BpNumber(value, BpProcedure::Significance()));
    }
  }
  if (values.empty())
    composite.Add(BpString(" ", false));
  if (asList)
    composite.EndSublist();
}

void NOPROutput::HelpAddVariableValue(BpComposite& composite, const Stats::ConditionData& condition,
                                      int fieldParam, int valueParam, bool asList) const {
  HelpAddVariableValue(composite, condition, fieldParam, valueParam, {}, asList);
}

void NOPROutput::HelpAddVariableValue(BpComposite& composite, const Stats::ConditionData& condition,
                                      int fieldParam, int valueParam,
                                      const std::vector<std::string>& labels, bool asList) const {
  int field = -1;
  bool hasField = false;
  if (validParam(condition, fieldParam)) {
    const std::vector<double>& fieldValues =
        condition.fParameters[static_cast<std::size_t>(fieldParam)].fValues;
    if (fieldValues.size() == 1) {
      field = NOPRUTILITY::truncateToInt(fieldValues[0], -1);
      hasField = true;
    }
  }
  if (!hasField || !validParam(condition, valueParam)) {
    composite.Add(BpString("Incorrect Parameter Index", false));
    return;
  }
  std::vector<int> values;
  for (double value : condition.fParameters[static_cast<std::size_t>(valueParam)].fValues)
    values.push_back(NOPRUTILITY::isSystemMissing(value) ? INT_MIN
                                                         : NOPRUTILITY::truncateToInt(value, -1));
  HelpAddVariableValue(composite, field, values, labels, asList);
}

void NOPROutput::HelpAddVariableValue(BpComposite& composite, int field,
                                      const std::vector<int>& values,
                                      const std::vector<std::string>& labels, bool asList) const {
  if (asList)
    composite.Sublist();
  const Stats::FieldDistributionData* data =
      field < 0 ? nullptr : fStats->GetFieldDistributionData(static_cast<std::size_t>(field));
  if (data != nullptr) {
    const int fIndex = field;
    CF_ASSERT(fIndex == data->fFieldIndex, "HelpAddVariableValue", kSource);
  }
  const VORN_Variable* variable = data == nullptr ? nullptr : data->fVariable;
  bool good = variable != nullptr;
  std::size_t nextLabel = 0;
  for (std::size_t i = 0; good && i < values.size(); ++i) {
    const int value = values[i];
    if (value == INT_MIN) {
      if (variable->IsString())
        composite.Add(BpDataValue(*variable, std::string(" "), BpDataValue::kPreferLabel));
      else
        composite.Add(BpDataValue(*variable, fSysMis, BpDataValue::kPreferLabel));
    } else if (value >= 0 && static_cast<std::size_t>(value) < data->fValueLabels.size()) {
      const Stats::NPValueLabel& label = data->fValueLabels[static_cast<std::size_t>(value)];
      composite.Add(BpDataValue(*variable, label.fValue.GetObsValue(), BpDataValue::kPreferLabel));
    } else if (nextLabel < labels.size()) {
      composite.Add(BpString(labels[nextLabel++], false));
    } else {
      good = false;
    }
  }
  if (good && values.empty())
    composite.Add(BpString(" ", false));
  if (!good)
    composite.Add(BpString("Unknown Variable", false));
  if (asList)
    composite.EndSublist();
}

void NOPROutput::SetSigValue(BpCategory& category, const Stats::BaseHypothesisTest* test,
                             const Stats::BaseHypothesisTest* lilliefors, TestSummTypes kind) {
  if (test == nullptr) {
    category.Cell(BpNumber(fSysMis, BpProcedure::Significance()));
    return;
  }
  double sig = fSysMis;
  std::string sigName;
  std::string resultName;
  SummarySignificance(*test, lilliefors, sig, sigName, &resultName);
  category.Cell(BpNumber(sig, BpProcedure::Significance()));

  for (const Stats::BaseHypothesisTest* owner : {test, lilliefors}) {
    if (const Stats::MessageData* critical = Stats::GetCriticalMessage(owner)) {
      category.CellNote(CreateNote(*critical));
      return;
    }
  }

  AddSigColumnNotes(category, kind);
  AddSigCellNotes(category, *test, lilliefors, kind, sigName, resultName);
}

bool NOPROutput::SummarySignificance(const Stats::BaseHypothesisTest& test,
                                     const Stats::BaseHypothesisTest* lilliefors, double& sig,
                                     std::string& name, std::string* resultName) {
  const Stats::BaseHypothesisTest& source = lilliefors != nullptr ? *lilliefors : test;
  const auto& results = source.fStatisticsResults;
  for (auto result = results.rbegin(); result != results.rend(); ++result) {
    for (auto attr = result->fAttributes.rbegin(); attr != result->fAttributes.rend(); ++attr) {
      if (attr->fName.find("Sig") != std::string::npos) {
        sig = attr->fValue;
        name = attr->fName;
        if (resultName != nullptr)
          *resultName = result->fName;
        return true;
      }
    }
  }
  return false;
}

void NOPROutput::AddSigColumnNotes(BpCategory& category, TestSummTypes kind) {
  if (kind == kTSAllLilliefors) {
    BpComposite note("Sig ^1 Lill ^2 samples ^ 3 seed ...", true);
    note.Add(BpNumber(fStats->SigLevel(), BpProcedure::Significance()));
    note.Add(BpNumber(fNumSamples, BpProcedure::Count()));
    note.Add(BpNumber(fUserSeed, BpProcedure::Count()));
    note.Finish();
    category.Note(BpAnnotation(note));
  } else {
    BpComposite note("The significance level is ^1.", true);
    note.Add(BpNumber(fStats->SigLevel(), BpProcedure::Significance()));
    note.Finish();
    category.Note(BpAnnotation(note));
  }
  switch (kind) {
  case kTSAllSampleNormal:
    category.Note(BpAnnotation(BpString("HTSFootNoteFootNoteFisherLillAsymp", true)));
    break;
  case kTSAllOther:
    category.Note(BpAnnotation(BpString("Asymptotic significance is displayed.", true)));
    break;
  case kTSAllLilliefors:
  case kTSMixed:
    break;
  }
}

void NOPROutput::AddSigCellNotes(BpCategory& category, const Stats::BaseHypothesisTest& test,
                                 const Stats::BaseHypothesisTest* lilliefors, TestSummTypes kind,
                                 const std::string& sigName, const std::string& resultName) {
  if (sigName.find("ExactSig") != std::string::npos) {
    addNote(category, "HTSFootNoteShowExact");
    return;
  }
  if (test.fAlgorithm == Stats::kAIWaldWolfowitzRuns) {
    double minimum = 0.0;
    double maximum = 0.0;
    if (test.HasStatisticsResultData(minimum, "TestStatistic", "MinimumPossible") &&
        test.HasStatisticsResultData(maximum, "TestStatistic", "MaximumPossible") &&
        minimum != maximum)
      addNote(category, "HTSFootNoteUsingMaxWhenTies");
    return;
  }
  if (test.fAlgorithm == Stats::kAIMedian) {
    if (resultName == "YatesContinuityCorrection" &&
        sigName.find("AsymptoticSig") != std::string::npos)
      addNote(category, "HTSFootNoteYateAsymSig");
    return;
  }
  if (test.fAlgorithm != Stats::kAOKolmogorovSmirnov)
    return;

  const auto* ks = dynamic_cast<const Stats::HTOKolmogorovSmirnov*>(&test);
  if (lilliefors == nullptr && ks != nullptr && test.fCondition.fConditionKey == kNormalKS &&
      ks->fIsUseSample) {
    double totalN = 0.0;
    if (test.HasStatisticsResultData(totalN, "TotalN", "") && totalN < 5) {
      category.Cell(BpNumber(fSysMis, BpProcedure::Significance()));
      addNote(category, "HTSFootNoteFisherCantCompute");
      return;
    }
    if (kind != kTSAllSampleNormal)
      addNote(category, "HTSFootNoteFootNoteFisherLillAsymp");
    if (ks->fIsSigLowerBound) {
      category.Cell(BpNumber(0.2, BpProcedure::Significance()));
      addNote(category, "HTSFootNoteFootNoteFisherLowerBound");
    }
  } else if (lilliefors == nullptr) {
    if (kind != kTSAllOther)
      addNote(category, "Asymptotic significance is displayed.");
  } else if (kind != kTSAllLilliefors) {
    const std::string text = fMessage.GetTranslatedText(
        "Lill ^1 samples ^ 2 seed ...", IntegerToString(fNumSamples), IntegerToString(fUserSeed));
    category.CellNote(BpAnnotation(BpString(text, false)));
  }
}

BpAnnotation NOPROutput::CreateNote(const Stats::MessageData& message) const {
  const std::string code = Integer2String(static_cast<long>(message.fCode));
  if (message.fParameters.empty())
    return BpAnnotation(BpString(code, true));
  BpComposite composite(code, true);
  for (const Stats::ParameterData& parameter : message.fParameters) {
    if (parameter.fValues.empty())
      continue;
    const double value = parameter.fValues[0];
    composite.Add(BpNumber(value, BpProcedure::CountOrCoefficent(value)));
  }
  composite.Finish();
  return BpAnnotation(composite);
}

// --- Confidence interval summary ---------------------------------------------------------------

void NOPROutput::DspConfIntSumTable() {
  const Stats::TestList& records = fStats->GetAllCIEstimate();
  if (records.empty())
    return;
  BpPivotTable table = fHeading->PivotTable(BpString("Confidence Interval Summary", true),
                                            BpString("Confidence Interval Summary", false), false);
  table.MinDataColumnWidth(100);
  table.MaxDataColumnWidth(200);
  fStats->SetSplitToTable(table);
  BpDimension items = table.Dimension(BpString("Item", false), BpPivotTable::kSortAsMade);
  items.Position(BpDimension::kRow, BpDimension::kOutermost, true, true);
  BpDimension statistics = table.Dimension(BpString("Statistics", true), BpPivotTable::kSortAsMade);
  statistics.Position(BpDimension::kColumn, BpDimension::kOutermost, true, false);

  int row = 0;
  const auto writeRow = [&](const Stats::BaseHypothesisTest* record, const BpCellText& type,
                            const Stats::EstConIntervalData& interval, unsigned int code) {
    ++row;
    items.Category(BpNumber(row, BpProcedure::Count()));
    statistics.Category(BpString("Confidence Interval Type", true)).Cell(type);
    AtPlace(
        [&] {
          const std::string key = Stats::TypeToDisplayName(record->fAlgorithm);
          bool found = false;
          const std::string name = fTitles != nullptr ? fTitles->Translate(key, found) : key;
          return "row " + std::to_string(row) + " of the confidence interval summary (" +
                 (found ? name : key) + ")";
        },
        [&] {
          BpCategory parameter = statistics.Category(BpString("Parameter", true));
          SetConditonText(parameter, record);
          DspCIEValue(statistics, interval, code, row);
        });
  };

  for (const Stats::BaseHypothesisTest* record : records) {
    if (record == nullptr)
      continue;
    const std::string name = Stats::TypeToDisplayName(record->fAlgorithm);
    const unsigned int code = record->fMessages.empty() ? 0 : record->fMessages.front().fCode;
    if (const auto* binomial = dynamic_cast<const Stats::HTOEstimateConfidenceInterval*>(record);
        binomial != nullptr && record->fAlgorithm == Stats::kAOEstimateConfidenceInterval) {
      for (const Stats::EstConIntervalData& interval : binomial->fIntervals) {
        BpComposite type(name + " ^1", true);
        type.Add(BpString(interval.fMethod, true));
        type.Finish();
        writeRow(record, type, interval, code);
      }
      if (binomial->fIntervals.empty())
        writeRow(record, BpString(name, true), Stats::EstConIntervalData(), code);
    } else if (const auto* pairs =
                   dynamic_cast<const Stats::HTRHodgesLehmannEstimatePairs*>(record);
               pairs != nullptr && record->fAlgorithm == Stats::kARHodgesLehmannEstimatePairs) {
      writeRow(record, BpString(name, true), pairs->fEstimate, code);
    } else if (const auto* groups =
                   dynamic_cast<const Stats::HTIHodgesLehmannEstimateGroups*>(record);
               groups != nullptr && record->fAlgorithm == Stats::kAIHodgesLehmannEstimateGroups) {
      writeRow(record, BpString(name, true), groups->fEstimate, code);
    }
  }
}

void NOPROutput::DspCIEValue(BpDimension& dimension, const Stats::EstConIntervalData& interval) {
  DspCIEValue(dimension, interval, 0, 0);
}

void NOPROutput::DspCIEValue(BpDimension& dimension, const Stats::EstConIntervalData& interval,
                             unsigned int code, int) {
  BpCategory estimate = dimension.Category(BpString("Estimate", true));
  estimate.Cell(BpNumber(interval.fEstimate, BpProcedure::Coefficient()));
  if (code != 0)
    estimate.CellNote(BpAnnotation(BpString(Integer2String(static_cast<long>(code)), true)));

  BpComposite label("^1 Confidence Interval", true);
  label.Add(BpNumber(fStats->ConfLevel() * 100.0, BpProcedure::Percent()));
  label.Finish();
  BpGroup bounds = dimension.Group(label, true, BpPivotTable::kSortAsMade);
  bounds.Category(BpString("Lower", true))
      .Cell(BpNumber(interval.fLower, BpProcedure::Coefficient()));
  bounds.Category(BpString("Upper", true))
      .Cell(BpNumber(interval.fUpper, BpProcedure::Coefficient()));
}
