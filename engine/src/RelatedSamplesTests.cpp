// Driver of the /RELATED tests: the tests of two fields need exactly two fields that suit them;
// the tests of k fields at least two. A field whose measurement level does not suit a test is
// left out of it.
#include "RelatedSamplesTests.h"

#include "CochranQTest.h"
#include "FriedmanTest.h"
#include "HodgesLehmannPairsTest.h"
#include "KendallsWTest.h"
#include "MarginalHomogeneityTest.h"
#include "McNemarTest.h"
#include "PairedDifferences.h"
#include "RelatedCases.h"
#include "RelatedWilcoxonTest.h"
#include "SignTest.h"
#include "TestContext.h"

namespace engine {

void RelatedSamplesTests::Write(const TestContext& context,
                                std::vector<ResultElement>& algorithms) {
  const RelatedRequest& request = *context.fRequest.fRelated;
  const RelatedCases ranked(context, RelatedCases::Kind::kRanked);
  const RelatedCases categorical(context, RelatedCases::Kind::kCategorical);
  if (ranked.FieldCount() == 2 && (request.fSign || request.fWilcoxon || request.fHodgesLehmann)) {
    const PairedDifferences pairs(ranked);
    if (request.fSign)
      algorithms.push_back(SignTest::Write(context, pairs));
    if (request.fWilcoxon)
      algorithms.push_back(RelatedWilcoxonTest::Write(context, pairs));
  }
  if (categorical.FieldCount() == 2) {
    if (request.fMcNemar)
      algorithms.push_back(McNemarTest::Write(context, categorical));
    if (request.fMarginalHomogeneity)
      algorithms.push_back(MarginalHomogeneityTest::Write(context, categorical));
  }
  if (categorical.FieldCount() >= 2 && request.fCochran)
    algorithms.push_back(CochranQTest::Write(context, categorical));
  if (ranked.FieldCount() >= 2) {
    if (request.fFriedman)
      algorithms.push_back(FriedmanTest::Write(context, ranked, *request.fFriedman));
    if (request.fKendall)
      algorithms.push_back(KendallsWTest::Write(context, ranked, *request.fKendall));
  }
  if (ranked.FieldCount() == 2 && request.fHodgesLehmann)
    algorithms.push_back(HodgesLehmannPairsTest::Write(context, PairedDifferences(ranked)));
}

} // namespace engine
