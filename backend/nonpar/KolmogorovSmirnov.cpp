// The Kolmogorov-Smirnov chart: its title by distribution, the distribution's curve, the axis
// labels and the parameters' frame.
#include "KolmogorovSmirnov.h"

#include "ChartOutput.h"
#include "NOPROutputStatsRecords.h"

#include "chart/XDocument.h"
#include "chart/XUtility.h"
#include "chart/formatter.h"
#include "dict/VORN_Format.h"
#include "dict/VORN_Variable.h"

namespace {

const char* const kUniformKey = "UniformDistribution_O_KolmogorovSmirnov_3";
const char* const kNormalKey = "NormalDistribution_O_KolmogorovSmirnov_3";
const char* const kPoissonKey = "PoissonDistribution_O_KolmogorovSmirnov_2";
const char* const kExponentialKey = "ExponentialDistribution_O_KolmogorovSmirnov_2";

const char* TitleKey(const std::string& conditionKey) {
  if (conditionKey == kUniformKey)
    return "One-Sample Kolmogorov-Smirnov Uniform Test";
  if (conditionKey == kNormalKey)
    return "One-Sample Kolmogorov-Smirnov Normal Test";
  if (conditionKey == kPoissonKey)
    return "One-Sample Kolmogorov-Smirnov Poisson Test";
  if (conditionKey == kExponentialKey)
    return "One-Sample Kolmogorov-Smirnov Exponential Test";
  return "One-Sample Kolmogorov-Smirnov Test";
}

// A number text for one more decimals than the format shows.
std::string WithMoreDecimals(double value, VORN_Format format, int more) {
  format.Decimals(static_cast<unsigned char>(format.Decimals() + more));
  return ChartOutput::double2String(value, &format);
}

// A date moved to the dictionary's time base, as the grammar reads dates.
std::string DateText(double engineDate, int type) {
  const double seconds = NumericFormatCFToStat(engineDate, type);
  return formatter::formattedDate(seconds).toUTF8();
}

} // namespace

KolmogorovSmirnov::KolmogorovSmirnov(const FacSTDictionary* dictionary,
                                     const NOPROutputStats* stats,
                                     const NOPROutputStats::BaseHypothesisTest* test)
    : NOPRHistogramChart(dictionary, stats), fTest(test) {
  setTitle(ChartOutput::lookUpChart(dictionary, TitleKey(conditionKey())));
}

const std::string& KolmogorovSmirnov::conditionKey() const {
  static const std::string none;
  return fTest == nullptr ? none : fTest->fCondition.fConditionKey;
}

std::size_t KolmogorovSmirnov::parameterCount() const {
  return fTest == nullptr ? 0 : fTest->fCondition.fParameters.size();
}

double KolmogorovSmirnov::parameter(std::size_t k) const {
  if (k >= parameterCount() || fTest->fCondition.fParameters[k].fValues.empty())
    return 0;
  return fTest->fCondition.fParameters[k].fValues[0];
}

const NOPROutputStats::SimpleTableData* KolmogorovSmirnov::getIntervalTable() {
  const NOPROutputStats::SimpleTableData* table = NOPRHistogramChart::getIntervalTable();
  return table != nullptr && table->fName == "Interval" ? table : nullptr;
}

std::string KolmogorovSmirnov::distributionLine() const {
  if (fTest == nullptr)
    return std::string();
  const std::string& key = conditionKey();
  std::string distribution;
  double p1 = parameter(1);
  bool secondary = false;
  if (key == kNormalKey || key == kUniformKey) {
    if (parameterCount() < 3)
      return std::string();
    distribution = key == kNormalKey ? "normal" : "uniform";
    secondary = true;
  } else if (key == kPoissonKey) {
    distribution = "poisson";
  } else if (key == kExponentialKey) {
    // The grammar's exponential takes the rate; the engine gives the mean.
    distribution = "exponential";
    p1 = 1 / p1;
  } else {
    return std::string();
  }
  const double p2 = parameter(2);

  const VORN_Variable* variable = getVORNVariable();
  const int type = variable == nullptr ? VORN_Format::kF : variable->GetFormat().TypeEx();
  std::string first = ChartOutput::double2String(p1, static_cast<VORN_Format*>(nullptr));
  std::string second = ChartOutput::double2String(p2, static_cast<VORN_Format*>(nullptr));
  if (ChartOutput::isDateFormat(type)) {
    // The histogram's values are dates, so the curve's location is one too, and its spread a
    // duration; a uniform curve's maximum is a date like its minimum.
    first = DateText(p1, type);
    second = distribution == "uniform"
                 ? DateText(p2, type)
                 : ChartOutput::isoDuration(ChartOutput::spreadInDays(p2, type));
  }
  std::string line = "<line><distributionStatistic distribution=\"" + distribution +
                     "\" parameter=\"" + first + "\" ";
  if (secondary)
    line += "secondaryParameter=\"" + second + "\"";
  line += "/><x variable=\"value\"/><y variable=\"count\"/></line>";
  return line;
}

std::string KolmogorovSmirnov::parameterLabel() const {
  const FacSTDictionary* strings = getDictionary();
  const VORN_Variable* variable = getVORNVariable();
  const VORN_Format format =
      variable != nullptr ? variable->GetFormat() : VORN_Format(VORN_Format::kF, 40, 3);
  const std::string& key = conditionKey();
  const std::string lineBreak = "&#10;";
  auto text = [&](const char* entry) {
    return ChartOutput::xmlEscape(ChartOutput::lookUp(strings, entry));
  };
  if (key == kNormalKey) {
    const double spread = parameter(2);
    std::string spreadText =
        ChartOutput::isDateFormat(format.TypeEx())
            ? ChartOutput::durationText(ChartOutput::spreadInDays(spread, format.TypeEx()), strings)
            : WithMoreDecimals(spread, format, 2);
    return text("Normal Parameters") + lineBreak + text("Mean") + " " +
           ChartOutput::xmlEscape(WithMoreDecimals(parameter(1), format, 1)) + lineBreak +
           text("Std. Deviation") + " " + ChartOutput::xmlEscape(spreadText);
  }
  if (key == kUniformKey) {
    VORN_Format shown = format;
    return text("Uniform Parameters") + lineBreak + text("Minimum") + " " +
           ChartOutput::xmlEscape(ChartOutput::double2String(parameter(1), &shown)) + lineBreak +
           text("Maximum") + " " +
           ChartOutput::xmlEscape(ChartOutput::double2String(parameter(2), &shown));
  }
  if (key == kPoissonKey || key == kExponentialKey) {
    return text(key == kPoissonKey ? "Poisson Parameter" : "Exponential Parameter") + lineBreak +
           text("Mean") + " " + ChartOutput::xmlEscape(WithMoreDecimals(parameter(1), format, 1));
  }
  return std::string();
}

void KolmogorovSmirnov::modifyStringSpecification(std::string& specification) {
  const std::string line = distributionLine();
  if (!line.empty())
    ChartOutput::insertBefore(specification, "</graph>", line);
  const VORN_Variable* variable = getVORNVariable();
  const std::string label = variable == nullptr ? std::string() : variable->GetPreferredLabel();
  ChartOutput::replaceSubstring(specification, "xAxisLabel", ChartOutput::xmlEscape(label));
  ChartOutput::replaceSubstring(
      specification, "yAxisLabel",
      ChartOutput::xmlEscape(ChartOutput::lookUp(getDictionary(), "Frequency")));
  ChartOutput::replaceSubstring(specification, "labelText", parameterLabel());
}

void KolmogorovSmirnov::modifyDocSpecification(XDocument& document) {
  const VORN_Variable* variable = getVORNVariable();
  if (variable == nullptr)
    return;
  try {
    XVariable value = document.getExternalGraph()->getVariable(ChartString("value"), 0);
    value.setVORNVariable(*variable);
    value.setFormatBasedOnVORNVariable(*variable);
  } catch (...) {
    // The chart is still drawn, with its numbers in the default format.
  }
}
