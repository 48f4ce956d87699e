// How a number in the output is meant to be shown: the kind of statistic it is and, where the
// kind needs one, a number of decimals. The raw number is kept beside it, never rounded.
#pragma once

#include <string>

namespace output {

class NumberFormat {
public:
  enum class Kind {
    kCount,              // an integer
    kSignificance,       // three decimals; below .001 shown as "<.001"
    kCoefficient,        // three decimals
    kPercent,            // one decimal and a percent sign
    kSigDigit,           // the decimals the value needs (Decimals() holds them)
    kCountOrCoefficient, // integer when whole, else three decimals
    kStdDev,             // the decimals of a variable plus one (Decimals() holds them)
    kFixed,              // exactly Decimals() decimals
    kPValue,             // a significance with its relation, as a report line writes it:
                         // "= .289", "< .001"
  };

  // A count.
  NumberFormat() = default;
  NumberFormat(Kind kind, int decimals) : fKind(kind), fDecimals(decimals) {}

  Kind GetKind() const { return fKind; }
  // Decimals for kSigDigit, kStdDev and kFixed; for the other kinds the fixed decimals of the
  // kind (0 for counts, 3 for significances and coefficients, 1 for percents) or -1 when it
  // depends on the value (kCountOrCoefficient).
  int Decimals() const { return fDecimals; }

  // A stable lower-case name for programs: "count", "significance", "coefficient", "percent",
  // "sigdigit", "count-or-coefficient", "stddev", "fixed", "p-value".
  std::string Name() const;

  bool operator==(const NumberFormat& other) const {
    return fKind == other.fKind && fDecimals == other.fDecimals;
  }
  bool operator!=(const NumberFormat& other) const { return !(*this == other); }

private:
  Kind fKind = Kind::kCount;
  int fDecimals = 0;
};

} // namespace output
