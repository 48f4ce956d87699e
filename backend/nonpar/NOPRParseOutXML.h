// Reads one result document of the engine into a result set: the model check, the case counts,
// the document's own data dictionary, the run settings, one test record per test element and one
// field record per dictionary field.
#pragma once

#include "NOPROutputStats.h"
#include "NOPRXMLGeneral.h"

#include <memory>
#include <string>
#include <vector>

class CFMetaData;
class SDOMXMLWrapper;
class VORN_DataSource;
class VORN_Variable;

class NOPRParseOutXML {
public:
  class XMLParser;

  // Borrows all three: the data source may be null (then no field gets a host variable); the
  // result set and the text must outlive the reader. Nothing is read yet.
  NOPRParseOutXML(VORN_DataSource* dataSource, NOPROutputStats* outputStats,
                  const std::string& xmlText);
  ~NOPRParseOutXML();
  NOPRParseOutXML(const NOPRParseOutXML&) = delete;
  NOPRParseOutXML& operator=(const NOPRParseOutXML&) = delete;

  // Reads the document into the result set; see XMLParser::ParseXML.
  bool ParseXML();
  bool IsParseSuccess() const;
  // Reads `root`, a document the caller has loaded and owns, instead of loading the text.
  void UseLoadedDocument(SDOMXMLWrapper* root);
  // Why the last reading failed, in one line; empty after a success.
  const std::string& Error() const;

private:
  std::unique_ptr<XMLParser> fParser;
};

// The reader itself. Every reader returns whether its part was read; a false result stops the
// reading of the whole document. Records go straight into the result set, which owns them, so a
// failed reading leaves what was read before the failure in place. Element handles belong to
// the loaded document and are never released here.
class NOPRParseOutXML::XMLParser {
public:
  using Stats = NOPROutputStats;
  using NPStructuredTableData = NOPRXMLGeneral::NPStructuredTableData;
  using NPSimpleTableData = NOPRXMLGeneral::NPSimpleTableData;

  XMLParser(VORN_DataSource* dataSource, NOPROutputStats* outputStats, const std::string& xmlText);

  // Reads the document once: after a successful reading further calls return true at once;
  // after a failed one they read the whole document again into the same result set. Never
  // throws: any exception during the reading makes it fail.
  bool ParseXML();
  bool IsParseSuccess() const { return fParseSuccess; }
  void UseLoadedDocument(SDOMXMLWrapper* root) { fRoot = root; }
  const std::string& Error() const { return fError; }

  // Document level.
  // The document's parts in order, after the shared acceptance rules (ResultDocumentRules).
  bool parseStatsXML();
  bool parseDescriptiveModel(SDOMXMLWrapper* root);
  bool parseDataDictionary(SDOMXMLWrapper* root);
  bool parseNonParametricTests(SDOMXMLWrapper* root);
  bool parseAlgorithm(SDOMXMLWrapper* algorithmElm);
  bool postProcessAlgorithm(Stats::BaseHypothesisTest* test);
  bool parseFieldInfos(SDOMXMLWrapper* root);
  // The host variable named like field `fieldIndex` of the metadata, or null.
  const VORN_Variable* findVORNVariable(const CFMetaData* metadata, int fieldIndex) const;

  // Tables common to every test.
  bool parseCondition(SDOMXMLWrapper* elm, Stats::ConditionData& condition);
  bool parseMessage(SDOMXMLWrapper* elm, std::vector<Stats::MessageData>& messages);
  bool parseStatsResult(SDOMXMLWrapper* elm, std::vector<Stats::StatisticsResultData>& results);
  // Our own table of effect size intervals from the cases (docs/effect-sizes.md).
  bool parseEffectSize(SDOMXMLWrapper* elm, std::vector<Stats::EffectSizeData>& effectSizes);
  bool parseVarNotInCate(SDOMXMLWrapper* elm, std::vector<std::string>& values);

  // Test-specific tables, chosen by the record's algorithm.
  bool parseHTestSpec(SDOMXMLWrapper* elm, Stats::BaseHypothesisTest* test);
  bool parseOChiSquareSpec(SDOMXMLWrapper* elm, Stats::HTOChiSquare* test);
  bool parseOBinomialSpec(SDOMXMLWrapper* elm, Stats::HTOBinomial* test);
  bool parseORunsSpec(SDOMXMLWrapper* elm, Stats::HTORuns* test);
  bool parseOWilcoxonSignedRanksSpec(SDOMXMLWrapper* elm, Stats::HTOWilcoxonSignedRanks* test);
  bool parseOEstimateConfidenceIntervalSpec(SDOMXMLWrapper* elm,
                                            Stats::HTOEstimateConfidenceInterval* test);
  bool parseRSignSpec(SDOMXMLWrapper* elm, Stats::HTRSign* test);
  bool parseRWilcoxonSignedRanksSpec(SDOMXMLWrapper* elm, Stats::HTRWilcoxonSignedRanks* test);
  bool parseRCochransQSpec(SDOMXMLWrapper* elm, Stats::HTRCochransQ* test);
  bool parseRMcNemarSpec(SDOMXMLWrapper* elm, Stats::HTRMcNemar* test);
  bool parseRMarginalHomogeneitySpec(SDOMXMLWrapper* elm, Stats::HTRMarginalHomogeneity* test);
  bool parseRFriedmansTwoWayByRanksSpec(SDOMXMLWrapper* elm,
                                        Stats::HTRFriedmansTwoWayByRanks* test);
  bool parseRKendallsCoefficientSpec(SDOMXMLWrapper* elm, Stats::HTRKendallsCoefficient* test);
  bool parseIMosesSpec(SDOMXMLWrapper* elm, Stats::HTIMoses* test);
  bool parseIMannWhitneyUSpec(SDOMXMLWrapper* elm, Stats::HTIMannWhitneyU* test);
  bool parseIWaldWolfowitzRunsSpec(SDOMXMLWrapper* elm, Stats::HTIWaldWolfowitzRuns* test);
  bool parseIKolmogorovSmirnovSpec(SDOMXMLWrapper* elm, Stats::HTIKolmogorovSmirnov* test);
  bool parseIKruskalWallisSpec(SDOMXMLWrapper* elm, Stats::HTIKruskalWallis* test);
  bool parseIJonckheereTerpstraSpec(SDOMXMLWrapper* elm, Stats::HTIJonckheereTerpstra* test);
  bool parseIMedianSpec(SDOMXMLWrapper* elm, Stats::HTIMedian* test);
  bool parseTwoClassComparisonTable(SDOMXMLWrapper* elm, Stats::TSComparisonData& comparison);
  bool parseTwoClassSpec(SDOMXMLWrapper* elm, Stats::TSComparisonData& comparison);
  // Fills the Hodges-Lehmann interval from the statistics when they have its shape: exactly an
  // unnamed group and an "Asymptotic" group. Returns whether the shape was met.
  bool statsToEstConInterval(const std::vector<Stats::StatisticsResultData>& results,
                             Stats::EstConIntervalData& interval);

  // Descriptive tables.
  bool parseFieldDistribution(SDOMXMLWrapper* fieldInfoElm);
  bool parseRSignDist(SDOMXMLWrapper* elm, Stats::RSignDistributionData& distribution);
  bool parseCategoryFieldsComparison(SDOMXMLWrapper* elm,
                                     Stats::CategoryFieldsComparisonData& comparison);
  bool parseVariableInformationData(SDOMXMLWrapper* elm, Stats::VariableInformationData& info);
  bool parseISGroup(SDOMXMLWrapper* elm, Stats::IS_Group& group);
  bool paseISBoxPlot(SDOMXMLWrapper* elm, Stats::IS_BoxPlotInfo& boxPlot);
  bool parseComparisonTable(SDOMXMLWrapper* elm, Stats::CompareResultTableData& compare);

  // Token conversions. The text is split by the host's SplitToToken. The numeric forms leave the
  // output untouched when the text has no token; all return true.
  bool textToStringArray(const std::string& text, std::vector<std::string>& values) const;
  // "__MISSING__" gives the system-missing value; other tokens go through String2Double.
  bool textToNumericArray(const std::string& text, std::vector<double>& values) const;
  bool textToIntegerArray(const std::string& text, std::vector<int>& values) const;
  // Splits the name lists and converts every row; true when every row converted.
  bool generalToSimpleTable(const NPSimpleTableData& source, Stats::SimpleTableData& target) const;

private:
  // The Box and Outliers tables and the numbers of one box-plot group.
  void applyBoxPlotGroup(const NPStructuredTableData& table, Stats::IS_BoxPlot_Group& group);
  bool parseIntervalBounds(const NPStructuredTableData& table, Stats::EstConIntervalData& interval);
  // The single simple table of a generic table into `target`; true when there is not exactly one.
  bool convertOnlySimpleTable(const NPStructuredTableData& table, Stats::SimpleTableData& target);
  void markOrdinalTreatedAsCont(const std::vector<int>& fieldIndexes);

  bool fParseSuccess = false;
  double fSysMissing;
  VORN_DataSource* fDataSource;
  NOPROutputStats* fOutputStats;
  const std::string& fXMLText;
  SDOMXMLWrapper* fRoot = nullptr;
  std::string fError;
  bool fIsUseSample = false;
  bool fIsSigLowerBound = false;
};
