// Reading the parsed NPTESTS command into the engine's request.
#include "NptestsRequest.h"

#include "parser/CommandSpec.h"
#include "parser/ParamObj.h"
#include "parser/SubComObj.h"

#include <algorithm>
#include <cctype>

namespace engine {
namespace {

using Items = std::vector<const ParamObj*>;

Items ItemsOf(const ParamObj* param) {
  Items items;
  if (param)
    param->getStringQualList(nullptr, items);
  return items;
}

const ParamObj* Find(const Items& items, const char* name) {
  return ParamObj::getParamObj(name, items);
}

std::vector<std::string> Variables(const SubComObj& sub, const char* name) {
  std::vector<std::string> names;
  if (const ParamObj* param = sub.getParamObj(name))
    param->getVarList(names);
  return names;
}

std::vector<CommandValue> Values(const ParamObj* param) {
  std::vector<CommandValue> values;
  if (!param)
    return values;
  for (std::size_t i = 0; i < param->GetItemCount(); ++i) {
    const ParamObj* item = param->GetItem(i);
    CommandValue value;
    if (item->GetKind() == ParamObj::Kind::kNumber) {
      value.fNumber = item->GetNumber();
    } else {
      value.fIsText = true;
      value.fText = item->getParamName();
    }
    values.push_back(value);
  }
  return values;
}

double NumberOf(const ParamObj* param, double otherwise) {
  double value = otherwise;
  if (param)
    param->getNumberValue(value);
  return value;
}

Compare CompareOf(const ParamObj* param) {
  const ParamObj* compare = Find(ItemsOf(param), "COMPARE");
  if (!compare)
    return Compare::kNone;
  if (compare->isStringValueCase("PAIRWISE"))
    return Compare::kPairwise;
  if (compare->isStringValueCase("STEPWISE"))
    return Compare::kStepwise;
  return Compare::kNone;
}

// SUCCESS=FIRST or SUCCESS=LIST(values) inside `param`.
SuccessRequest SuccessOf(const ParamObj* param) {
  SuccessRequest success;
  const ParamObj* value = Find(ItemsOf(param), "SUCCESS");
  const ParamObj* item = nullptr;
  if (value && value->getStringAndQual(item) && item->getParamName() == "LIST")
    success.fList = Values(item);
  return success;
}

// NORMAL=SAMPLE, NORMAL(SAMPLE=TRUE|FALSE), NORMAL=CUSTOM(MEAN=m SD=s) and the like.
DistributionRequest DistributionOf(const ParamObj* param, const char* first, const char* second,
                                   bool simulatesWithSample) {
  DistributionRequest request;
  if (!param)
    return request;
  request.fAsked = true;
  const ParamObj* item = nullptr;
  if (param->getStringAndQual(item) && item->getParamName() == "CUSTOM") {
    const Items custom = ItemsOf(item);
    request.fSample = false;
    request.fFirst = NumberOf(Find(custom, first), 0);
    if (second)
      request.fSecond = NumberOf(Find(custom, second), 0);
    return request;
  }
  bool simulate = simulatesWithSample;
  if (item && item->getParamName() == "SAMPLE" && !item->isLeadingToken())
    simulate = item->isStringValueCase("TRUE") || !item->isStringValueCase("FALSE");
  request.fSimulate = simulate;
  return request;
}

OneSampleRequest ReadOneSample(const SubComObj& sub) {
  OneSampleRequest one;
  one.fFields = Variables(sub, "TEST");
  if (const ParamObj* param = sub.getParamObj("CHISQUARE")) {
    ChiSquareRequest chi;
    const ParamObj* expected = Find(ItemsOf(param), "EXPECTED");
    const ParamObj* item = nullptr;
    if (expected && expected->getStringAndQual(item) && item->getParamName() == "CUSTOM") {
      chi.fCustom = true;
      for (const CommandValue& value : Values(Find(ItemsOf(item), "FREQUENCIES")))
        chi.fFrequencies.push_back(value.fNumber);
      chi.fCategories = Values(Find(ItemsOf(item), "CATEGORIES"));
    }
    one.fChiSquare = chi;
  }
  if (const ParamObj* param = sub.getParamObj("BINOMIAL")) {
    BinomialRequest binomial;
    const Items items = ItemsOf(param);
    binomial.fTestValue = NumberOf(Find(items, "TESTVALUE"), 0.5);
    const ParamObj* item = nullptr;
    const ParamObj* categorical = Find(items, "SUCCESSCATEGORICAL");
    if (categorical && categorical->getStringAndQual(item) && item->getParamName() == "LIST")
      binomial.fSuccessList = Values(item);
    const ParamObj* continuous = Find(items, "SUCCESSCONTINUOUS");
    item = nullptr;
    if (continuous && continuous->getStringAndQual(item) && item->getParamName() == "CUTPOINT") {
      binomial.fMidpoint = false;
      binomial.fCutpoint = NumberOf(item, 0);
    }
    binomial.fClopperPearson = Find(items, "CLOPPER_PEARSON") != nullptr;
    binomial.fJeffreys = Find(items, "JEFFREYS") != nullptr;
    binomial.fLikelihood = Find(items, "LIKELIHOOD") != nullptr;
    one.fBinomial = binomial;
  }
  if (const ParamObj* param = sub.getParamObj("KOLMOGOROV_SMIRNOV")) {
    KolmogorovSmirnovRequest ks;
    const Items items = ItemsOf(param);
    ks.fNormal = DistributionOf(Find(items, "NORMAL"), "MEAN", "SD", true);
    ks.fUniform = DistributionOf(Find(items, "UNIFORM"), "MIN", "MAX", true);
    ks.fExponential = DistributionOf(Find(items, "EXPONENTIAL"), "MEAN", nullptr, true);
    ks.fPoisson = DistributionOf(Find(items, "POISSON"), "MEAN", nullptr, false);
    if (!ks.fNormal.fAsked && !ks.fUniform.fAsked && !ks.fExponential.fAsked &&
        !ks.fPoisson.fAsked) {
      // Written alone: normality with the sample's parameters, simulated.
      ks.fNormal.fAsked = true;
      ks.fNormal.fSimulate = true;
    }
    int samples = ks.fSamples;
    if (const ParamObj* n = Find(items, "NSAMPLES"); n && n->getIntegerValue(samples))
      ks.fSamples = samples;
    ks.fMonteCarloLevel = NumberOf(Find(items, "MC_CILEVEL"), ks.fMonteCarloLevel);
    one.fKolmogorovSmirnov = ks;
  }
  if (const ParamObj* param = sub.getParamObj("RUNS")) {
    RunsRequest runs;
    const Items items = ItemsOf(param);
    const ParamObj* item = nullptr;
    const ParamObj* categorical = Find(items, "GROUPCATEGORICAL");
    if (categorical && categorical->getStringAndQual(item) && item->getParamName() == "LIST")
      runs.fGroupList = Values(item);
    const ParamObj* cut = Find(ItemsOf(Find(items, "GROUPCONTINUOUS")), "CUTPOINT");
    if (cut) {
      if (cut->isStringValueCase("MEAN"))
        runs.fCut = RunsRequest::Cut::kMean;
      else if (!cut->isStringValueCase("MEDIAN") && cut->getNumberValue(runs.fCutValue))
        runs.fCut = RunsRequest::Cut::kValue;
    }
    one.fRuns = runs;
  }
  if (const ParamObj* param = sub.getParamObj("WILCOXON"))
    one.fWilcoxonTestValue = NumberOf(Find(ItemsOf(param), "TESTVALUE"), 0);
  return one;
}

IndependentRequest ReadIndependent(const SubComObj& sub) {
  IndependentRequest ind;
  ind.fFields = Variables(sub, "TEST");
  if (const ParamObj* group = sub.getParamObj("GROUP"))
    group->getVarName(ind.fGroup);
  ind.fMannWhitney = sub.getParamObj("MANN_WHITNEY") != nullptr;
  ind.fWaldWolfowitz = sub.getParamObj("WALD_WOLFOWITZ") != nullptr;
  ind.fKolmogorovSmirnov = sub.getParamObj("KOLMOGOROV_SMIRNOV") != nullptr;
  ind.fHodgesLehmann = sub.getParamObj("HODGES_LEHMANN") != nullptr;
  if (const ParamObj* moses = sub.getParamObj("MOSES")) {
    ind.fMoses = true;
    int trim = 0;
    const ParamObj* value = Find(ItemsOf(moses), "TRIMOUTLIERS");
    if (value && value->getIntegerValue(trim))
      ind.fMosesTrim = trim;
  }
  if (const ParamObj* kw = sub.getParamObj("KRUSKAL_WALLIS"))
    ind.fKruskalWallis = CompareOf(kw);
  if (const ParamObj* median = sub.getParamObj("MEDIAN")) {
    ind.fMedian = CompareOf(median);
    double value = 0;
    const ParamObj* testValue = Find(ItemsOf(median), "TESTVALUE");
    if (testValue && testValue->getNumberValue(value))
      ind.fMedianValue = value;
  }
  if (const ParamObj* jt = sub.getParamObj("JONCKHEERE_TERPSTRA")) {
    ind.fJonckheereTerpstra = CompareOf(jt);
    const ParamObj* order = Find(ItemsOf(jt), "ORDER");
    ind.fDescending = order && order->isStringValueCase("DESCENDING");
  }
  return ind;
}

RelatedRequest ReadRelated(const SubComObj& sub) {
  RelatedRequest rel;
  rel.fFields = Variables(sub, "TEST");
  rel.fSign = sub.getParamObj("SIGN") != nullptr;
  rel.fWilcoxon = sub.getParamObj("WILCOXON") != nullptr;
  rel.fMarginalHomogeneity = sub.getParamObj("MARGINAL_HOMOGENEITY") != nullptr;
  rel.fHodgesLehmann = sub.getParamObj("HODGES_LEHMANN") != nullptr;
  if (const ParamObj* mcnemar = sub.getParamObj("MCNEMAR"))
    rel.fMcNemar = SuccessOf(mcnemar);
  if (const ParamObj* cochran = sub.getParamObj("COCHRAN")) {
    rel.fCochranSuccess = SuccessOf(cochran);
    rel.fCochran = CompareOf(cochran);
  }
  if (const ParamObj* friedman = sub.getParamObj("FRIEDMAN"))
    rel.fFriedman = CompareOf(friedman);
  if (const ParamObj* kendall = sub.getParamObj("KENDALL"))
    rel.fKendall = CompareOf(kendall);
  return rel;
}

} // namespace

NptestsRequest NptestsRequest::Read(const CommandSpec& command) {
  NptestsRequest request;
  if (const SubComObj* sub = command.getSubComObj("ONESAMPLE"))
    request.fOneSample = ReadOneSample(*sub);
  if (const SubComObj* sub = command.getSubComObj("INDEPENDENT"))
    request.fIndependent = ReadIndependent(*sub);
  if (const SubComObj* sub = command.getSubComObj("RELATED"))
    request.fRelated = ReadRelated(*sub);
  if (const SubComObj* missing = command.getSubComObj("MISSING")) {
    if (const ParamObj* scope = missing->getParamObj("SCOPE"))
      request.fListwise = scope->isStringValueCase("LISTWISE");
    if (const ParamObj* user = missing->getParamObj("USERMISSING"))
      request.fIncludeUserMissing = user->isStringValueCase("INCLUDE");
  }
  if (const SubComObj* criteria = command.getSubComObj("CRITERIA")) {
    request.fAlpha = NumberOf(criteria->getParamObj("ALPHA"), request.fAlpha);
    request.fConfidenceLevel = NumberOf(criteria->getParamObj("CILEVEL"), request.fConfidenceLevel);
  }
  return request;
}

std::vector<std::string> NptestsRequest::NamedFields() const {
  std::vector<std::string> names;
  auto add = [&names](const std::string& name) {
    auto same = [&name](const std::string& other) {
      return std::equal(name.begin(), name.end(), other.begin(), other.end(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) ==
               std::tolower(static_cast<unsigned char>(b));
      });
    };
    if (!name.empty() && std::none_of(names.begin(), names.end(), same))
      names.push_back(name);
  };
  if (fOneSample)
    for (const std::string& name : fOneSample->fFields)
      add(name);
  if (fIndependent) {
    for (const std::string& name : fIndependent->fFields)
      add(name);
    add(fIndependent->fGroup);
  }
  if (fRelated)
    for (const std::string& name : fRelated->fFields)
      add(name);
  return names;
}

} // namespace engine
