// How numbers and data values are shown: each format at its edges, locale-independent.
#include "output/NumberDisplay.h"

#include "DataTable.h"
#include "ScopedGermanLocale.h"

#include "dict/OBS.h"
#include "dict/VORN_DataSource.h"
#include "output/Document.h"
#include "pivot/BpDataValue.h"
#include "pivot/BpNumber.h"
#include "pivot/BpProcedure.h"
#include "text/VORN_SystemMissing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <map>

namespace {

const double kSysmis = VORN_SystemMissing();

struct NumberCase {
  const char* desc;
  double value;
  BpFormat format;
  const char* expected;
};

// The shown text, the format kept beside it, and the raw number exactly as given (none for a
// missing or non-finite value).
void ExpectShown(const NumberCase& c) {
  output::Label label = BpNumber(c.value, c.format).ToLabel(nullptr);
  EXPECT_EQ(label.Text(), c.expected) << c.desc;
  EXPECT_EQ(label.Format(), c.format.ToNumberFormat()) << c.desc;
  const bool missing = c.value == kSysmis || !std::isfinite(c.value);
  EXPECT_EQ(label.Number(), missing ? std::nullopt : std::optional<double>(c.value)) << c.desc;
}

TEST(NumberDisplay, EachFormatAtItsEdges) {
  const std::map<std::string, BpFormat (*)(double)> formats = {
      {"Count", [](double) { return BpProcedure::Count(); }},
      {"Significance", [](double) { return BpProcedure::Significance(); }},
      {"Coefficient", [](double) { return BpProcedure::Coefficient(); }},
      {"Percent", [](double) { return BpProcedure::Percent(); }},
      {"SigDigit", [](double value) { return BpProcedure::SigDigit(value); }},
      {"CountOrCoefficent", [](double value) { return BpProcedure::CountOrCoefficent(value); }}};
  for (const DataRow& row : ReadDataTable("tests/pivot/data/number_formats.tsv", 4)) {
    const double value = row.fields[1] == "sysmis" ? kSysmis : std::stod(row.fields[1]);
    ExpectShown(
        {row.where.c_str(), value, formats.at(row.fields[2])(value), row.fields[3].c_str()});
  }
}

TEST(NumberDisplay, StdDevUsesTheVariablesDecimalsPlusOne) {
  output::Document document;
  VORN_DataSource data;
  data.AddVariable(VORN_Variable("weight", 0, VORN_Format(VORN_Format::kF, 8, 2)));
  data.AddVariable(VORN_Variable("count", 0, VORN_Format(VORN_Format::kF, 8, 0)));
  BpProcedure procedure(document, nullptr, &data);
  EXPECT_EQ(output::FormatNumber(1.23456, procedure.StdDev(0).ToNumberFormat()), "1.235");
  EXPECT_EQ(output::FormatNumber(1.23456, procedure.StdDev(1).ToNumberFormat()), "1.2");
  EXPECT_EQ(procedure.StdDev(7).ToNumberFormat().Decimals(), 3) << "unknown variable";
  BpProcedure without(document, nullptr, nullptr);
  EXPECT_EQ(without.StdDev(0).ToNumberFormat().Decimals(), 3);
}

TEST(NumberDisplay, IndependentOfTheCLocale) {
  std::string coefficient;
  std::string percent;
  std::string value;
  VORN_Variable x("x", 0, VORN_Format(VORN_Format::kF, 8, 2));
  {
    ScopedGermanLocale german;
    if (!german.Active()) {
      GTEST_SKIP() << "no German locale and no localedef to build one";
    }
    coefficient = output::FormatNumber(-1234.25, BpProcedure::Coefficient().ToNumberFormat());
    percent = output::FormatNumber(95.5, BpProcedure::Percent().ToNumberFormat());
    value = BpDataValue(x, 2.5, BpDataValue::kPreferValue).ToLabel(nullptr).Text();
  }
  EXPECT_EQ(coefficient, "-1234.250");
  EXPECT_EQ(percent, "95.5%");
  EXPECT_EQ(value, "2.50");
}

struct ValueCase {
  const char* desc;
  double value;
  int preference;
  const char* expected;
};

TEST(DataValue, NumericPreferencesAndLabels) {
  VORN_Variable group("group", 0, VORN_Format(VORN_Format::kF, 8, 2));
  group.ValueLabels().Add(2, "Female");
  const ValueCase cases[] = {
      {"value", 2, BpDataValue::kPreferValue, "2.00"},
      {"value and label", 2, BpDataValue::kPreferValueAndLabel, "2.00 Female"},
      {"label", 2, BpDataValue::kPreferLabel, "Female"},
      {"label wanted but none", 3, BpDataValue::kPreferLabel, "3.00"},
      {"unknown preference means label", 2, 9, "Female"},
      {"system-missing", kSysmis, BpDataValue::kPreferLabel, "."},
  };
  for (const ValueCase& c : cases) {
    output::Label label = BpDataValue(group, c.value, c.preference).ToLabel(nullptr);
    EXPECT_EQ(label.Text(), c.expected) << c.desc;
    EXPECT_EQ(label.Kind(), output::LabelKind::kValue) << c.desc;
    EXPECT_EQ(label.VariableName(), "group") << c.desc;
  }
  EXPECT_FALSE(BpDataValue(group, kSysmis, 0).ToLabel(nullptr).Number());
}

TEST(DataValue, StringValuesFromTextAndCaseUnits) {
  VORN_Variable city("city", 12);
  city.ValueLabels().Add("BER", "Berlin");
  output::Label fromText = BpDataValue(city, std::string("BER   "), 2).ToLabel(nullptr);
  EXPECT_EQ(fromText.Text(), "Berlin");
  EXPECT_EQ(fromText.StringValue(), std::optional<std::string>("BER"));
  OBS units[2];
  std::memcpy(units[0].s, "Hamburg ", 8);
  std::memcpy(units[1].s, "    ", 4);
  output::Label fromUnits = BpDataValue(city, units, 2).ToLabel(nullptr);
  EXPECT_EQ(fromUnits.Text(), "Hamburg");
  EXPECT_EQ(BpDataValue(city, static_cast<const OBS*>(nullptr), 2).ToLabel(nullptr).Text(), "");
}

TEST(DataValue, NumericCaseUnit) {
  VORN_Variable x("x", 0, VORN_Format(VORN_Format::kF, 5, 1));
  OBS unit;
  unit.f = 2.26;
  EXPECT_EQ(BpDataValue(x, &unit, 0).ToLabel(nullptr).Text(), "2.3");
}

} // namespace
