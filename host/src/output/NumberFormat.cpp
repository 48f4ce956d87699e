// Names of the number formats.
#include "output/NumberFormat.h"

namespace output {

std::string NumberFormat::Name() const {
  switch (fKind) {
  case Kind::kCount:
    return "count";
  case Kind::kSignificance:
    return "significance";
  case Kind::kCoefficient:
    return "coefficient";
  case Kind::kPercent:
    return "percent";
  case Kind::kSigDigit:
    return "sigdigit";
  case Kind::kCountOrCoefficient:
    return "count-or-coefficient";
  case Kind::kStdDev:
    return "stddev";
  case Kind::kFixed:
    return "fixed";
  case Kind::kPValue:
    return "p-value";
  }
  return "count";
}

} // namespace output
