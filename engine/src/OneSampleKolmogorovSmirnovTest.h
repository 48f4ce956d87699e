// The one-sample Kolmogorov-Smirnov test of a continuous field against a normal, uniform,
// exponential or Poisson distribution, with given parameters or the sample's; with the sample's,
// the Lilliefors significance (by Dallal and Wilkinson's approximation for the normal, and by
// simulation when asked).
#pragma once

#include "statxml/ResultDocumentWriter.h"

#include <vector>

namespace engine {

struct DistributionRequest;
struct FieldColumn;
struct KolmogorovSmirnovRequest;
struct TestContext;

class OneSampleKolmogorovSmirnovTest {
public:
  enum class Family { kNormal, kUniform, kExponential, kPoisson };

  // Appends the test of each asked distribution, each followed by its simulated companion.
  static void Write(const TestContext& context, const KolmogorovSmirnovRequest& request,
                    const FieldColumn& field, std::vector<ResultElement>& algorithms);

  // Dallal and Wilkinson's approximation to the Lilliefors significance of D for n cases
  // (n above 100 scaled to 100), at most 0.2; NaN below 5 cases. `lowerBound` is set when D is
  // below the 20% critical value, where the significance is only known to exceed 0.2.
  static double LillieforsSignificance(double d, double n, bool& lowerBound);
};

} // namespace engine
