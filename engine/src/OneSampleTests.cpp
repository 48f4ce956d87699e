// Driver of the /ONESAMPLE tests: each asked test on each named field whose measurement level
// fits it, test by test in a fixed order (chi-square, binomial, runs, Wilcoxon,
// Kolmogorov-Smirnov), the binomial success-rate intervals after the binomial tests.
#include "OneSampleTests.h"

#include "BinomialTest.h"
#include "ChiSquareTest.h"
#include "OneSampleKolmogorovSmirnovTest.h"
#include "OneSampleWilcoxonTest.h"
#include "RunsTest.h"
#include "TestContext.h"

namespace engine {

void OneSampleTests::Write(const TestContext& context, std::vector<ResultElement>& algorithms) {
  const OneSampleRequest& request = *context.fRequest.fOneSample;
  std::vector<const FieldColumn*> fields;
  for (const std::string& name : request.fFields)
    fields.push_back(&context.fData.Field(name));

  if (request.fChiSquare)
    for (const FieldColumn* field : fields)
      if (field->IsCategorical())
        ChiSquareTest::Write(context, *request.fChiSquare, *field, algorithms);
  if (request.fBinomial) {
    std::vector<ResultElement> intervals;
    for (const FieldColumn* field : fields)
      BinomialTest::Write(context, *request.fBinomial, *field, algorithms, intervals);
    for (ResultElement& interval : intervals)
      algorithms.push_back(std::move(interval));
  }
  if (request.fRuns)
    for (const FieldColumn* field : fields)
      RunsTest::Write(context, *request.fRuns, *field, algorithms);
  if (request.fWilcoxonTestValue)
    for (const FieldColumn* field : fields)
      if (!field->IsCategorical())
        OneSampleWilcoxonTest::Write(context, *request.fWilcoxonTestValue, *field, algorithms);
  if (request.fKolmogorovSmirnov)
    for (const FieldColumn* field : fields)
      if (!field->IsCategorical())
        OneSampleKolmogorovSmirnovTest::Write(context, *request.fKolmogorovSmirnov, *field,
                                              algorithms);
}

} // namespace engine
