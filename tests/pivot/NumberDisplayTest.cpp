// How numbers and data values are shown: each format at its edges, locale-independent.
#include "output/NumberDisplay.h"

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
#include <limits>

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
  const NumberCase cases[] = {
      {"count 0", 0, BpProcedure::Count(), "0"},
      {"count rounds", 12.6, BpProcedure::Count(), "13"},
      {"count tiny negative is 0", -0.0004, BpProcedure::Count(), "0"},
      {"count missing", kSysmis, BpProcedure::Count(), "."},
      {"sig 0", 0, BpProcedure::Significance(), "<.001"},
      {"sig .0005", 0.0005, BpProcedure::Significance(), "<.001"},
      {"sig just below .001", 0.00099, BpProcedure::Significance(), "<.001"},
      {"sig .001", 0.001, BpProcedure::Significance(), ".001"},
      {"sig 1", 1, BpProcedure::Significance(), "1.000"},
      {"sig negative", -0.5, BpProcedure::Significance(), "-.500"},
      {"sig missing", kSysmis, BpProcedure::Significance(), "."},
      {"coef 0", 0, BpProcedure::Coefficient(), "0.000"},
      {"coef .0005 rounds to even binary", 0.0005, BpProcedure::Coefficient(), "0.001"},
      {"coef negative rounding to zero", -0.0004, BpProcedure::Coefficient(), "0.000"},
      {"coef negative", -1.23456, BpProcedure::Coefficient(), "-1.235"},
      {"coef huge", 1e20, BpProcedure::Coefficient(), "100000000000000000000.000"},
      {"percent", 95, BpProcedure::Percent(), "95.0%"},
      {"sigdigit 99.5", 99.5, BpProcedure::SigDigit(99.5), "99.5"},
      {"sigdigit .001", 0.001, BpProcedure::SigDigit(0.001), "0.001"},
      {"sigdigit 1/3 capped", 1.0 / 3, BpProcedure::SigDigit(1.0 / 3), "0.3333333333"},
      {"count-or-coef whole", 4, BpProcedure::CountOrCoefficent(4), "4"},
      {"count-or-coef fraction", 0.25, BpProcedure::CountOrCoefficent(0.25), "0.250"},
      {"NaN shown as missing", std::nan(""), BpProcedure::Coefficient(), "."},
      {"infinity shown as missing", std::numeric_limits<double>::infinity(), BpProcedure::Count(),
       "."},
  };
  for (const NumberCase& c : cases) {
    ExpectShown(c);
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
