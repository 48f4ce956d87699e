// Driver of the /INDEPENDENT tests: for each test field, the tests the command asks for, in the
// order two-sample tests (Mann-Whitney, Wald-Wolfowitz, Kolmogorov-Smirnov, Moses,
// Hodges-Lehmann), then k-sample tests (Kruskal-Wallis, median, Jonckheere-Terpstra).
#include "IndependentSamplesTests.h"

#include "GroupedCases.h"
#include "HodgesLehmannGroupsTest.h"
#include "JonckheereTerpstraTest.h"
#include "KruskalWallisTest.h"
#include "MannWhitneyTest.h"
#include "MedianTest.h"
#include "MosesTest.h"
#include "TestContext.h"
#include "TwoSampleKolmogorovSmirnovTest.h"
#include "WaldWolfowitzTest.h"

namespace engine {

void IndependentSamplesTests::Write(const TestContext& context,
                                    std::vector<ResultElement>& algorithms) {
  const IndependentRequest& request = *context.fRequest.fIndependent;
  const FieldColumn& group = context.fData.Field(request.fGroup);
  // Groups are categories: a continuous grouping field takes no test.
  if (!group.IsCategorical())
    return;
  for (const std::string& name : request.fFields) {
    const FieldColumn& test = context.fData.Field(name);
    if (test.fLevel == FieldColumn::Level::kCategorical)
      continue;
    const GroupedCases cases(context.fData, test, group);
    const std::size_t k = cases.GroupCount();
    // Two-sample tests need exactly two groups among the valid cases.
    if (k == 2) {
      if (request.fMannWhitney)
        algorithms.push_back(MannWhitneyTest::Write(context, cases, test, group));
      if (request.fWaldWolfowitz)
        algorithms.push_back(WaldWolfowitzTest::Write(context, cases, test, group));
      if (request.fKolmogorovSmirnov)
        algorithms.push_back(TwoSampleKolmogorovSmirnovTest::Write(context, cases, test, group));
      // The span needs two control cases.
      if (request.fMoses && cases.Size(0) >= 2)
        algorithms.push_back(MosesTest::Write(context, cases, test, group, request.fMosesTrim));
      if (request.fHodgesLehmann)
        algorithms.push_back(HodgesLehmannGroupsTest::Write(context, cases, test, group));
    }
    if (k < 2)
      continue;
    if (request.fKruskalWallis)
      algorithms.push_back(
          KruskalWallisTest::Write(context, cases, test, group, *request.fKruskalWallis));
    if (request.fMedian)
      if (auto record = MedianTest::Write(context, cases, test, group, request.fMedianValue,
                                          *request.fMedian))
        algorithms.push_back(std::move(*record));
    if (request.fJonckheereTerpstra)
      algorithms.push_back(JonckheereTerpstraTest::Write(
          context, cases, test, group, request.fDescending, *request.fJonckheereTerpstra));
  }
}

} // namespace engine
