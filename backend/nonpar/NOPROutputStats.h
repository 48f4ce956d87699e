// The result set of one result document: the run's settings, the document's counts and levels,
// the test records, the field records, and the vocabulary (enumerations and name tables) that
// turns the document's names into numbers.
//
// Every record type is nested in NOPROutputStats and defined in a header of its own, which this
// header includes at its end: NOPROutputStatsRecords.h (the value records), BaseHypothesisTest.h
// and NOPRHypothesisTests.h (the test records). Including any one of the four gives all of them.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

class BpHeading;
class BpPivotTable;
class CFMetaData;
class CFStatVariableValue;
class CFStatXMLInfoBlock;
class VORN_DataSource;
class VORN_Variable;

class NOPROutputStats {
public:
  // The enumerations have int as their underlying type so that any number converts safely;
  // TypeToDisplayName and CreateHypothesisTest treat a value outside the list as unknown.

  // Test family, from the test element's "classification".
  enum EnumClassificationType : int {
    kCNone = 0,
    kCOneSample = 1,
    kCRelatedSamples = 2,
    kCIndependentSamples = 3,
  };

  // Test algorithm, from the test element's "name": "kA" and that name. The first letter after
  // "kA" is the family (O one-sample, R related, I independent).
  enum EnumAlgorithmType : int {
    kANone = 0,
    kAOChiSquare = 1,
    kAOBinomial = 2,
    kAORuns = 3,
    kAOWilcoxonSignedRanks = 4,
    kAOEstimateConfidenceInterval = 5,
    kAOKolmogorovSmirnov = 6,
    kAOKolmogorovSmirnovNormal = 7,
    kAOKolmogorovSmirnovUniform = 8,
    kAOKolmogorovSmirnovPoisson = 9,
    kAOKolmogorovSmirnovExponential = 10,
    kAOLilliefors = 11,
    kAOLillieforsNormal = 12,
    kAOLillieforsUniform = 13,
    kAOLillieforsExponential = 14,
    kARSign = 15,
    kARWilcoxonSignedRanks = 16,
    kARCochransQ = 17,
    kARMcNemar = 18,
    kARFriedmansTwoWayByRanks = 19,
    kARKendallsCoefficient = 20,
    kARMarginalHomogeneity = 21,
    kARHodgesLehmannEstimatePairs = 22,
    kAIHodgesLehmannEstimateGroups = 23,
    kAIMoses = 24,
    kAIMannWhitneyU = 25,
    kAIWaldWolfowitzRuns = 26,
    kAIKolmogorovSmirnov = 27,
    kAIKruskalWallis = 28,
    kAIJonckheereTerpstra = 29,
    kAIMedian = 30,
  };

  // Reject or retain the null hypothesis, from the test element's "decision".
  enum EnumDecisionType : int {
    kDNone = 0,
    kDReject = 1,
    kDRetain = 2,
  };

  // Type of a test's message; any unknown type reads as a help message.
  enum EnumMessageType : int {
    kMError = 0,
    kMWarning = 1,
    kMHelpMessage = 2,
  };

  // Missing-value treatment of the run: "listwise" or anything else.
  enum EnumMissingTreatmentType : int {
    kMTOther = 0,
    kMTListwise = 1,
  };

  // Value records (NOPROutputStatsRecords.h).
  struct SimpleTableData;
  struct AttributeData;
  struct StatisticsResultData;
  struct ParameterData;
  struct MessageData;
  struct ConditionData;
  struct EstConIntervalData;
  struct EffectSizeData;
  struct TSComparisonData;
  struct OWilcoxonDistributionData;
  struct RSignDistributionData;
  struct CompareResultTableData;
  struct CategoryFieldData;
  struct CategoryFieldsComparisonData;
  struct VariableInformationData;
  struct IS_Group;
  struct IS_BoxPlotInfo;
  struct IS_BoxPlot_Group;
  struct NPValueLabel;
  struct FieldDistributionData;

  // Test records (BaseHypothesisTest.h, NOPRHypothesisTests.h).
  class BaseHypothesisTest;
  class HTOChiSquare;
  class HTOBinomial;
  class HTORuns;
  class HTOWilcoxonSignedRanks;
  class HTOEstimateConfidenceInterval;
  class HTOKolmogorovSmirnov;
  class HTRSign;
  class HTRWilcoxonSignedRanks;
  class HTRCochransQ;
  class HTRMcNemar;
  class HTRMarginalHomogeneity;
  class HTRFriedmansTwoWayByRanks;
  class HTRKendallsCoefficient;
  class HTRHodgesLehmannEstimatePairs;
  class HTIHodgesLehmannEstimateGroups;
  class HTIMoses;
  class HTIMannWhitneyU;
  class HTIWaldWolfowitzRuns;
  class HTIKolmogorovSmirnov;
  class HTIKruskalWallis;
  class HTIJonckheereTerpstra;
  class HTIMedian;

  using TestList = std::vector<BaseHypothesisTest*>;
  using FieldList = std::vector<FieldDistributionData*>;

  NOPROutputStats();
  // Deletes every record and the local metadata; never the data source, the dictionary
  // metadata or the info block, which are borrowed.
  ~NOPROutputStats();
  NOPROutputStats(const NOPROutputStats&) = delete;
  NOPROutputStats& operator=(const NOPROutputStats&) = delete;

  // Run settings, copied in by the procedure object.
  void UserSeed(int seed) { fUserSeed = seed; }
  void UseKSNormSimul(bool use) { fUseKSNormSimul = use; }
  void UseKSUniformSimul(bool use) { fUseKSUniformSimul = use; }
  void UseKSExponSimul(bool use) { fUseKSExponSimul = use; }
  void NumSamples(int count) { fNumSamples = count; }
  void MCConfLevel(double level) { fMCConfLevel = level; }
  void EffectSizesShown(bool shown) { fEffectSizesShown = shown; }
  int UserSeed() const { return fUserSeed; }
  bool UseKSNormSimul() const { return fUseKSNormSimul; }
  bool UseKSUniformSimul() const { return fUseKSUniformSimul; }
  bool UseKSExponSimul() const { return fUseKSExponSimul; }
  int NumSamples() const { return fNumSamples; }
  double MCConfLevel() const { return fMCConfLevel; }
  bool EffectSizesShown() const { return fEffectSizesShown; }

  // Counts and levels of the document, filled by the reader.
  void TotalFreq(unsigned int count) { fTotalFreq = count; }
  void TotalCount(unsigned int count) { fTotalCount = count; }
  void DroppedCount(unsigned int count) { fDroppedCount = count; }
  void BadWeightCount(unsigned int count) { fBadWeightCount = count; }
  void DroppedFreq(unsigned int count) { fDroppedFreq = count; }
  void TestCount(unsigned int count) { fTestCount = count; }
  void SigLevel(double level) { fSigLevel = level; }
  void ConfLevel(double level) { fConfLevel = level; }
  void MisTreat(EnumMissingTreatmentType treatment) { fMisTreat = treatment; }
  unsigned int TotalFreq() const { return fTotalFreq; }
  unsigned int TotalCount() const { return fTotalCount; }
  unsigned int DroppedCount() const { return fDroppedCount; }
  unsigned int BadWeightCount() const { return fBadWeightCount; }
  unsigned int DroppedFreq() const { return fDroppedFreq; }
  unsigned int TestCount() const { return fTestCount; }
  double SigLevel() const { return fSigLevel; }
  double ConfLevel() const { return fConfLevel; }
  EnumMissingTreatmentType MisTreat() const { return fMisTreat; }

  // Borrowed host objects; each must outlive the result set.
  void SetDataSource(const VORN_DataSource* dataSource) { fDataSource = dataSource; }
  void SetDictMetadata(const CFMetaData* metadata) { fDictMetadata = metadata; }
  void SetCFStatXMLInfoBlock(const CFStatXMLInfoBlock* block) { fInfoBlock = block; }
  const VORN_DataSource* GetDataSource() const { return fDataSource; }
  const CFMetaData* GetDictMetadata() const { return fDictMetadata; }
  const CFStatXMLInfoBlock* GetCFStatXMLInfoBlock() const { return fInfoBlock; }

  // Replaces (and frees) the metadata built from the document's data dictionary with a new,
  // empty one and returns it; the result set owns it.
  CFMetaData* CreateLocalMetadata();
  // The local metadata, or null before CreateLocalMetadata.
  CFMetaData* GetLocalMetadata() { return fLocalMetadata.get(); }
  const CFMetaData* GetLocalMetadata() const { return fLocalMetadata.get(); }

  // Makes the record of the algorithm, sets its three enumerations and files it: interval
  // algorithms among the CI estimates, kAOLilliefors among the Lilliefors tests, the rest among
  // the hypothesis tests. Returns the record (owned by the result set), or null for an algorithm
  // without a record kind; then nothing is filed.
  BaseHypothesisTest* CreateHypothesisTest(EnumClassificationType classification,
                                           EnumAlgorithmType algorithm, EnumDecisionType decision);
  // Append a record to the list of that name and take ownership of it; null is ignored.
  void AddHypothesisTest(BaseHypothesisTest* test);
  void AddCIEstimate(BaseHypothesisTest* test);
  void AddLilliefors(BaseHypothesisTest* test);
  // The record at a position, or null when the position is not below the list's size.
  BaseHypothesisTest* GetHypothesisTest(std::size_t position) const;
  BaseHypothesisTest* GetCIEstimate(std::size_t position) const;
  BaseHypothesisTest* GetLilliefors(std::size_t position) const;
  const TestList& GetAllHypothesisTest() const { return fHypothesisTests; }
  const TestList& GetAllCIEstimate() const { return fCIEstimates; }
  const TestList& GetAllLilliefors() const { return fLilliefors; }

  // Appends a field record with its initial values and returns it; the result set owns it.
  FieldDistributionData* CreateFieldDistributionData();
  // The field record at a position, or null when the position is out of range.
  FieldDistributionData* GetFieldDistributionData(std::size_t position);
  const FieldDistributionData* GetFieldDistributionData(std::size_t position) const;
  const FieldList& GetAllFieldDistributionData() const { return fFieldDistributions; }

  // The host variable of the field record at `fieldIndex`; null when the index is negative or
  // out of range, or the record has no variable.
  const VORN_Variable* GetDictionaryVariable(int fieldIndex) const;
  // The value of the field record's value label at `valueIndex`; null when either index is
  // negative or out of range.
  const CFStatVariableValue* GetDictionaryVariableValue(int fieldIndex, int valueIndex) const;

  // Name tables: exact, case-sensitive. Unknown names give 0, except message types, which give
  // kMHelpMessage.
  static EnumClassificationType NameToClassificationType(const std::string& name);
  static EnumAlgorithmType NameToAlgorithmType(const std::string& name);
  static EnumDecisionType NameToDecisionType(const std::string& name);
  static EnumMessageType NameToMessageType(const std::string& name);

  // The English title of a test; "Unknown" for an algorithm without a record kind and for any
  // value outside the enumeration.
  static std::string TypeToDisplayName(EnumAlgorithmType algorithm);
  // True for the three interval-estimate algorithms (5, 22, 23).
  static bool IsConfidenceInterval(EnumAlgorithmType algorithm);
  // Message codes of the pairwise (222328, 222329, 222333) and stepwise (222331, 222332, 222334,
  // 220013) comparisons; every other code is about the test itself.
  static bool IsPairwiseMessage(unsigned int code);
  static bool IsStepwiseMessage(unsigned int code);
  static bool IsAlgorithmMessage(unsigned int code);
  // The first error message about the test itself (not a comparison message), which stops the
  // test's output; null when there is none, and always null for interval estimates.
  static const MessageData* GetCriticalMessage(const BaseHypothesisTest* test);

  // Texts of the split group of the current result document (from the info block and the data
  // source). A new heading under `parent` titled "var = value" for each split variable, when the
  // group's output stands under a heading of its own; null otherwise. The caller owns the handle.
  BpHeading* GetSplitHeading(BpHeading* parent) const;
  // "Label: value" for each split variable, joined by ","; empty without split variables.
  // `layered` is set when the groups share one output as table layers.
  std::string GetSplitSubtitleForCharts(bool& layered) const;
  // Adds one layer per split variable, showing the group's value, when the groups are layered.
  void SetSplitToTable(BpPivotTable& table) const;

private:
  static void Append(TestList& list, BaseHypothesisTest* test);

  const VORN_DataSource* fDataSource = nullptr;
  const CFMetaData* fDictMetadata = nullptr;
  const CFStatXMLInfoBlock* fInfoBlock = nullptr;
  std::unique_ptr<CFMetaData> fLocalMetadata;
  unsigned int fTotalFreq = 0;
  unsigned int fTotalCount = 0;
  unsigned int fDroppedCount = 0;
  unsigned int fBadWeightCount = 0;
  unsigned int fDroppedFreq = 0;
  unsigned int fTestCount = 0;
  double fSigLevel = 0.0;
  double fConfLevel = 0.0;
  double fMCConfLevel = 99.0;
  bool fEffectSizesShown = true;
  int fUserSeed = 2000000;
  bool fUseKSNormSimul = false;
  bool fUseKSUniformSimul = false;
  bool fUseKSExponSimul = false;
  int fNumSamples = 10000;
  EnumMissingTreatmentType fMisTreat = kMTOther;
  TestList fHypothesisTests;
  TestList fCIEstimates;
  TestList fLilliefors;
  FieldList fFieldDistributions;
};

// The nested records need the class above to be complete, so they come after it. Each of these
// headers includes this one first and only then opens its include guard: whichever of the four a
// file includes first, the class is complete before any record is defined.
#include "BaseHypothesisTest.h"
#include "NOPRHypothesisTests.h"
#include "NOPROutputStatsRecords.h"
