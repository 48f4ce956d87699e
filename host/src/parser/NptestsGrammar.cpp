// The grammar of NPTESTS as data: one builder expression per keyword.
#include "parser/NptestsGrammar.h"

#include <limits>

namespace {

using P = ParamDescriptor;

constexpr double kHuge = std::numeric_limits<double>::max();
constexpr double kMaxSeed = 2000000000.0;
constexpr double kMaxSamples = 1000000000.0;
constexpr std::size_t kMany = std::numeric_limits<std::size_t>::max();

P VarList(const char* name, std::size_t minItems) {
  return P(name).Variables().Items(minItems, kMany).Required();
}

// COMPARE=PAIRWISE|STEPWISE|NONE of the k-sample tests.
P Compare() {
  return P("COMPARE").Words({"PAIRWISE", "STEPWISE", "NONE"});
}

// Data values as numbers or quoted strings.
P Values(const char* name) {
  return P(name).Numbers(-kHuge, kHuge).Strings().Items(1, kMany);
}

// SUCCESS=FIRST or SUCCESS=LIST(values): which category counts as a success.
P Success() {
  return P("SUCCESS").Words({"FIRST"}).Qualifier(Values("LIST"));
}

// A Kolmogorov-Smirnov distribution: parameters estimated from the sample (SAMPLE) or given.
P Distribution(const char* name, P custom, bool sampleTakesValue) {
  P sample =
      sampleTakesValue ? P("SAMPLE").Bare().Words({"TRUE", "FALSE"}) : P("SAMPLE").BareOnly();
  return P(name).Qualifier(sample).Qualifier(custom);
}

SubComDescriptor OneSample() {
  const P custom =
      P("CUSTOM")
          .Items(1, 2)
          .Qualifier(P("FREQUENCIES").Numbers(0, kHuge, true).Items(1, kMany).Required())
          .Qualifier(Values("CATEGORIES"));
  return SubComDescriptor("ONESAMPLE")
      .Param(VarList("TEST", 1))
      .Param(P("CHISQUARE")
                 .Bare()
                 .Items(0, 1)
                 .Qualifier(P("EXPECTED").Words({"EQUAL"}).Qualifier(custom)))
      .Param(P("BINOMIAL")
                 .Bare()
                 .Items(0, kMany)
                 .Qualifier(P("TESTVALUE").Numbers(0, 1, true, true))
                 .Qualifier(P("SUCCESSCATEGORICAL").Words({"FIRST"}).Qualifier(Values("LIST")))
                 .Qualifier(P("SUCCESSCONTINUOUS")
                                .Words({"MIDPOINT"})
                                .Qualifier(P("CUTPOINT").Numbers(-kHuge, kHuge)))
                 .Qualifier(P("CLOPPER_PEARSON").BareOnly())
                 .Qualifier(P("JEFFREYS").BareOnly())
                 .Qualifier(P("LIKELIHOOD").BareOnly()))
      .Param(P("KOLMOGOROV_SMIRNOV")
                 .Bare()
                 .Items(0, kMany)
                 .Qualifier(Distribution("NORMAL",
                                         P("CUSTOM")
                                             .Items(1, 2)
                                             .Qualifier(P("MEAN").Numbers(-kHuge, kHuge).Required())
                                             .Qualifier(P("SD").Numbers(0, kHuge, true).Required()),
                                         true))
                 .Qualifier(Distribution("UNIFORM",
                                         P("CUSTOM")
                                             .Items(1, 2)
                                             .Qualifier(P("MIN").Numbers(-kHuge, kHuge).Required())
                                             .Qualifier(P("MAX").Numbers(-kHuge, kHuge).Required()),
                                         false))
                 .Qualifier(Distribution(
                     "POISSON", P("CUSTOM").Qualifier(P("MEAN").Numbers(0, kHuge, true).Required()),
                     false))
                 .Qualifier(Distribution(
                     "EXPONENTIAL",
                     P("CUSTOM").Qualifier(P("MEAN").Numbers(0, kHuge, true).Required()), false))
                 .Qualifier(P("NSAMPLES").Integers(1, kMaxSamples))
                 .Qualifier(P("MC_CILEVEL").Numbers(0, 100, true, true)))
      .Param(
          P("RUNS")
              .Bare()
              .Items(0, 2)
              .Qualifier(P("GROUPCATEGORICAL").Words({"SAMPLE"}).Qualifier(Values("LIST")))
              .Qualifier(
                  P("GROUPCONTINUOUS")
                      .Qualifier(P("CUTPOINT").Words({"MEDIAN", "MEAN"}).Numbers(-kHuge, kHuge))))
      .Param(P("WILCOXON").Qualifier(P("TESTVALUE").Numbers(-kHuge, kHuge).Required()))
      .AtLeastOneOf({"CHISQUARE", "BINOMIAL", "KOLMOGOROV_SMIRNOV", "RUNS", "WILCOXON"});
}

SubComDescriptor Independent() {
  return SubComDescriptor("INDEPENDENT")
      .Param(VarList("TEST", 1))
      .Param(P("GROUP").Variables().Required())
      .Param(P("MANN_WHITNEY").BareOnly())
      .Param(P("WALD_WOLFOWITZ").BareOnly())
      .Param(P("KOLMOGOROV_SMIRNOV").BareOnly())
      .Param(P("HODGES_LEHMANN").BareOnly())
      .Param(P("MOSES").Bare().Qualifier(P("TRIMOUTLIERS").Words({"SAMPLE"}).Integers(0, kHuge)))
      .Param(P("KRUSKAL_WALLIS").Bare().Qualifier(Compare()))
      .Param(P("MEDIAN")
                 .Bare()
                 .Items(0, 2)
                 .Qualifier(P("TESTVALUE").Words({"SAMPLE"}).Numbers(-kHuge, kHuge))
                 .Qualifier(Compare()))
      .Param(P("JONCKHEERE_TERPSTRA")
                 .Bare()
                 .Items(0, 2)
                 .Qualifier(P("ORDER").Words({"ASCENDING", "DESCENDING"}))
                 .Qualifier(Compare()))
      .AtLeastOneOf({"MANN_WHITNEY", "WALD_WOLFOWITZ", "KOLMOGOROV_SMIRNOV", "HODGES_LEHMANN",
                     "MOSES", "KRUSKAL_WALLIS", "MEDIAN", "JONCKHEERE_TERPSTRA"});
}

SubComDescriptor Related() {
  return SubComDescriptor("RELATED")
      .Param(VarList("TEST", 2))
      .Param(P("SIGN").BareOnly())
      .Param(P("WILCOXON").BareOnly())
      .Param(P("MARGINAL_HOMOGENEITY").BareOnly())
      .Param(P("HODGES_LEHMANN").BareOnly())
      .Param(P("MCNEMAR").Bare().Qualifier(Success()))
      .Param(P("COCHRAN").Bare().Items(0, 2).Qualifier(Success()).Qualifier(Compare()))
      .Param(P("FRIEDMAN").Bare().Qualifier(Compare()))
      .Param(P("KENDALL").Bare().Qualifier(Compare()))
      .AtLeastOneOf({"SIGN", "WILCOXON", "MCNEMAR", "MARGINAL_HOMOGENEITY", "HODGES_LEHMANN",
                     "COCHRAN", "FRIEDMAN", "KENDALL"});
}

SubComDescriptor Missing() {
  return SubComDescriptor("MISSING")
      .Param(P("SCOPE").Words({"ANALYSIS", "LISTWISE"}))
      .Param(P("USERMISSING").Words({"EXCLUDE", "INCLUDE"}))
      .AtLeastOneOf({"SCOPE", "USERMISSING"});
}

SubComDescriptor Criteria() {
  return SubComDescriptor("CRITERIA")
      .Param(P("ALPHA").Numbers(0, 1, true, true))
      .Param(P("CILEVEL").Numbers(0, 100, true, true))
      .Param(P("SEED").Words({"RANDOM"}).Integers(1, kMaxSeed))
      .AtLeastOneOf({"ALPHA", "CILEVEL", "SEED"});
}

} // namespace

CommandDescriptor MakeNptestsDescriptor() {
  CommandDescriptor descriptor("NPTESTS", "Nonparametric Tests");
  descriptor.SubCommand(OneSample())
      .SubCommand(Independent())
      .SubCommand(Related())
      .SubCommand(Missing())
      .SubCommand(Criteria())
      .AtLeastOneOf({"ONESAMPLE", "INDEPENDENT", "RELATED"});
  return descriptor;
}
