// What the NPTESTS command asks the engine to compute, read once from the parsed command so that
// the tests never look at parser objects.
#pragma once

#include <optional>
#include <string>
#include <vector>

class CommandSpec;

namespace engine {

enum class Compare { kNone, kPairwise, kStepwise };

// A value the command names (a category, a success value): a number or a text.
struct CommandValue {
  bool fIsText = false;
  double fNumber = 0;
  std::string fText;
};

struct ChiSquareRequest {
  bool fCustom = false;
  std::vector<double> fFrequencies;
  std::vector<CommandValue> fCategories; // empty: the observed categories in order
};

struct BinomialRequest {
  double fTestValue = 0.5;
  std::vector<CommandValue> fSuccessList; // empty: the first category is the success
  bool fMidpoint = true;                  // else fCutpoint splits a continuous field
  double fCutpoint = 0;
  bool fClopperPearson = false;
  bool fJeffreys = false;
  bool fLikelihood = false;
};

struct DistributionRequest {
  bool fAsked = false;
  bool fSample = true; // parameters from the sample; else the custom ones
  bool fSimulate = false;
  double fFirst = 0;  // mean, or minimum
  double fSecond = 0; // standard deviation, or maximum
};

struct KolmogorovSmirnovRequest {
  DistributionRequest fNormal, fUniform, fExponential, fPoisson;
  int fSamples = 10000;
  double fMonteCarloLevel = 99; // percent
};

struct RunsRequest {
  std::vector<CommandValue> fGroupList; // empty: the first two categories of the sample
  enum class Cut { kMedian, kMean, kValue } fCut = Cut::kMedian;
  double fCutValue = 0;
};

struct OneSampleRequest {
  std::vector<std::string> fFields;
  std::optional<ChiSquareRequest> fChiSquare;
  std::optional<BinomialRequest> fBinomial;
  std::optional<KolmogorovSmirnovRequest> fKolmogorovSmirnov;
  std::optional<RunsRequest> fRuns;
  std::optional<double> fWilcoxonTestValue;
};

struct IndependentRequest {
  std::vector<std::string> fFields;
  std::string fGroup;
  bool fMannWhitney = false, fWaldWolfowitz = false, fKolmogorovSmirnov = false,
       fHodgesLehmann = false;
  bool fMoses = false;
  std::optional<int> fMosesTrim; // none: 5% of the control group's cases
  std::optional<Compare> fKruskalWallis;
  std::optional<Compare> fMedian;
  std::optional<double> fMedianValue; // none: the pooled sample median
  std::optional<Compare> fJonckheereTerpstra;
  bool fDescending = false;
};

struct SuccessRequest {
  std::vector<CommandValue> fList; // empty: the first category is the success
};

struct RelatedRequest {
  std::vector<std::string> fFields;
  bool fSign = false, fWilcoxon = false, fMarginalHomogeneity = false, fHodgesLehmann = false;
  std::optional<SuccessRequest> fMcNemar;
  std::optional<SuccessRequest> fCochranSuccess;
  std::optional<Compare> fCochran;
  std::optional<Compare> fFriedman;
  std::optional<Compare> fKendall;
};

struct NptestsRequest {
  std::optional<OneSampleRequest> fOneSample;
  std::optional<IndependentRequest> fIndependent;
  std::optional<RelatedRequest> fRelated;
  bool fListwise = false;
  bool fIncludeUserMissing = false;
  double fAlpha = 0.05;
  double fConfidenceLevel = 95; // percent

  // The command as the parser checked it; what the grammar leaves to the defaults gets them.
  static NptestsRequest Read(const CommandSpec& command);
  // Every field the command names, in the order named, each once.
  std::vector<std::string> NamedFields() const;
};

} // namespace engine
