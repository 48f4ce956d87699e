// The document-level reading: counts, dictionary, run settings and field records, what a failed
// reading keeps, and reading once. (Why a document is refused: RefusalTest.)
#include "ReaderTestSupport.h"

#include "dict/CFMetaData.h"
#include "dict/VORN_DataSource.h"

using namespace readertest;
using Stats = NOPROutputStats;

namespace {

TEST(DocumentTest, CountsAndRunSettingsAndTheirDefaults) {
  auto reading = readDocument("one_sample.xml");
  ASSERT_TRUE(reading->fOk);
  const Stats& stats = *reading->fStats;
  EXPECT_EQ(
      (std::vector<std::size_t>{stats.TotalFreq(), stats.TotalCount(), stats.DroppedCount(),
                                stats.BadWeightCount(), stats.DroppedFreq(), stats.TestCount()}),
      (std::vector<std::size_t>{40, 38, 2, 1, 3, 8}));
  EXPECT_DOUBLE_EQ(stats.SigLevel(), 0.05);
  EXPECT_DOUBLE_EQ(stats.ConfLevel(), 95);
  EXPECT_EQ(stats.MisTreat(), Stats::kMTListwise);
  EXPECT_EQ(readDocument("related_samples.xml")->fStats->MisTreat(), Stats::kMTOther)
      << "\"Listwise\" differs in case";

  auto minimal = readDocument("minimal.xml");
  ASSERT_TRUE(minimal->fOk);
  EXPECT_EQ(minimal->fStats->TotalFreq(), 3u);
  EXPECT_EQ(minimal->fStats->TotalCount(), 0u) << "a negative count counts as absent";
  EXPECT_TRUE(isMissing(minimal->fStats->SigLevel()));
  EXPECT_EQ(minimal->fStats->MisTreat(), Stats::kMTOther);
  EXPECT_EQ(minimal->fStats->GetLocalMetadata(), nullptr);
}

TEST(DocumentTest, ThreeFieldDictionaryGivesTwoFieldRecords) {
  auto reading = readDocument("one_sample.xml");
  ASSERT_TRUE(reading->fOk);
  const Stats& stats = *reading->fStats;
  EXPECT_EQ(stats.GetLocalMetadata()->FieldCount(), 3);
  ASSERT_EQ(stats.GetAllFieldDistributionData().size(), 2u);
  const Stats::FieldDistributionData& score = *stats.GetFieldDistributionData(0);
  EXPECT_TRUE(score.fIsValid);
  EXPECT_EQ(score.fIsCategorical, 0);
  EXPECT_EQ(score.fTotalN, 38);
  EXPECT_EQ((std::vector<double>{score.fMin, score.fMax, score.fMean, score.fStdDev}),
            (std::vector<double>{31, 77, 52.25, 9.5}));
  ASSERT_EQ(score.fTable.fRows.size(), 2u);
  EXPECT_EQ(score.fTable.fRows[1], (std::vector<double>{50, 80, 18}));
  EXPECT_FALSE(score.fOrdinalTreatedAsCont);

  const Stats::FieldDistributionData& grade = *stats.GetFieldDistributionData(1);
  EXPECT_EQ(grade.fFieldIndex, 1);
  EXPECT_EQ(grade.fVariable, nullptr) << "without a data source no field has a host variable";
  EXPECT_TRUE(grade.fIsValid) << "two simple tables leave the table empty but the field valid";
  EXPECT_EQ(grade.fIsCategorical, 1);
  EXPECT_TRUE(grade.fTable.fName.empty());
  EXPECT_TRUE(grade.fOrdinalTreatedAsCont) << "listed by the chi-square condition";
}

TEST(DocumentTest, DictionaryAgainstDataSource) {
  VORN_DataSource dataSource;
  dataSource.AddVariable(VORN_Variable("SEX", 8));
  for (const char* name : {"level", "born", "weight", "target"})
    dataSource.AddVariable(VORN_Variable(name, 0));
  auto reading = readDocument("dictionary.xml", &dataSource);
  ASSERT_TRUE(reading->fOk);
  const Stats& stats = *reading->fStats;

  const CFMetaData& metadata = *stats.GetLocalMetadata();
  ASSERT_EQ(metadata.FieldCount(), 6);
  const struct {
    int fIndex;
    const char* fLabel;
    int fFieldType;
    int fStorageType;
  } fields[] = {
      {0, "Sex", CFField::kCategorical, CFField::kString},
      {1, "Level", CFField::kOrdinal, CFField::kInteger},
      {2, "Born", CFField::kContinuous, CFField::kDate},
      {3, "", CFField::kOtherField, CFField::kDouble},
      {4, "Not in the data source", CFField::kOtherField, CFField::kUnknownStorage},
  };
  for (const auto& f : fields) {
    const CFField& field = *metadata.GetField(f.fIndex);
    EXPECT_EQ(field.GetLabel(), f.fLabel) << f.fIndex;
    EXPECT_EQ(field.GetFieldType(), f.fFieldType) << f.fIndex;
    EXPECT_EQ(field.GetStorageType(), f.fStorageType) << f.fIndex;
    EXPECT_EQ(field.GetRoleType(), 7) << f.fIndex;
  }
  // The value "1" is stored by each field's storage type.
  EXPECT_EQ(metadata.GetField(0)->GetValues()[0].GetKind(), CFDatum::kString);
  EXPECT_STREQ(metadata.GetField(0)->GetValues()[0].GetString(), "1");
  EXPECT_EQ(metadata.GetField(1)->GetValues()[1].GetKind(), CFDatum::kInteger);
  EXPECT_EQ(metadata.GetField(1)->GetValues()[1].GetInteger(), 3);
  EXPECT_EQ(metadata.GetField(2)->GetValues()[0].GetKind(), CFDatum::kDouble);
  EXPECT_EQ(metadata.GetField(1)->GetValueLabels()[1].GetDisplayLabel(), "High");
  EXPECT_EQ(metadata.GetField(1)->GetValues()[1].GetDisplayLabel(), "3");

  ASSERT_EQ(stats.GetAllFieldDistributionData().size(), 5u) << "six fields, five records";
  const Stats::FieldDistributionData& sex = *stats.GetFieldDistributionData(0);
  EXPECT_EQ(sex.fVariable, dataSource.GetVariable(0)) << "names match case-insensitively";
  ASSERT_EQ(sex.fValueLabels.size(), 2u);
  EXPECT_EQ(sex.fValueLabels[1].fLabel, "Male");
  EXPECT_EQ(sex.fValueLabels[1].fValue.GetStringValue(), "m");
  const Stats::FieldDistributionData& level = *stats.GetFieldDistributionData(1);
  ASSERT_EQ(level.fValueLabels.size(), 2u);
  EXPECT_DOUBLE_EQ(level.fValueLabels[1].fValue.GetNumber(), 3);
  EXPECT_EQ(stats.GetFieldDistributionData(4)->fVariable, nullptr);

  // "OrdinalTreatedAsCont" lists 1, 99 and -1: only the existing record is marked, the condition
  // keeps all three.
  EXPECT_TRUE(level.fOrdinalTreatedAsCont);
  EXPECT_FALSE(sex.fOrdinalTreatedAsCont);
  EXPECT_EQ(stats.GetHypothesisTest(0)->fCondition.fOrdinalTreatedAsCont,
            (std::vector<int>{1, 99, -1}));
  // FieldInfo elements naming no record (negative, the record-less last field, huge) are skipped.
  for (const Stats::FieldDistributionData* field : stats.GetAllFieldDistributionData())
    EXPECT_FALSE(field->fIsValid) << field->fFieldIndex;
}

TEST(DocumentTest, FailedDictionaryKeepsFieldsReadBeforeTheFailure) {
  auto reading = readDocument("failing/field_out_of_sequence.xml");
  ASSERT_FALSE(reading->fOk);
  ASSERT_NE(reading->fStats->GetLocalMetadata(), nullptr);
  EXPECT_EQ(reading->fStats->GetLocalMetadata()->FieldCount(), 1);
  EXPECT_TRUE(reading->fStats->GetAllFieldDistributionData().empty());
}

TEST(DocumentTest, SuccessIsReadOnceFailureIsReadAgainIntoTheSameResultSet) {
  std::string text = loadDocument("one_sample.xml");
  Stats stats;
  NOPRParseOutXML reader(nullptr, &stats, text);
  EXPECT_FALSE(reader.IsParseSuccess());
  ASSERT_TRUE(reader.ParseXML());
  const std::size_t tests = stats.GetAllHypothesisTest().size();
  text.clear(); // a second reading would now fail
  EXPECT_TRUE(reader.ParseXML());
  EXPECT_EQ(stats.GetAllHypothesisTest().size(), tests);

  const std::string failing = loadDocument("failing/param_num_mismatch.xml");
  Stats again;
  NOPRParseOutXML failingReader(nullptr, &again, failing);
  EXPECT_FALSE(failingReader.ParseXML());
  EXPECT_FALSE(failingReader.ParseXML());
  EXPECT_EQ(again.GetAllHypothesisTest().size(), 2u);
}

TEST(DocumentTest, FailedTableKeepsItsRecordAndStopsTheTests) {
  auto reading = readDocument("failing/param_num_mismatch.xml");
  const Stats::TestList& tests = reading->fStats->GetAllHypothesisTest();
  ASSERT_EQ(tests.size(), 1u) << "the ORuns test after the failure is not read";
  const std::vector<Stats::MessageData>& messages = tests[0]->fMessages;
  ASSERT_EQ(messages.size(), 2u) << "every message is read before the failure counts";
  EXPECT_EQ(messages[0].fParamNum, 2);
  EXPECT_EQ(messages[0].fParameters.size(), 1u);
  EXPECT_EQ(messages[1].fType, Stats::kMError);
}

TEST(DocumentTest, FailedTablesKeepWhatWasReadBeforeTheFailure) {
  auto stats = readDocument("failing/attribute_without_name.xml");
  ASSERT_EQ(stats->fStats->GetAllHypothesisTest().size(), 1u);
  const auto& results = stats->fStats->GetHypothesisTest(0)->fStatisticsResults;
  ASSERT_EQ(results.size(), 1u);
  ASSERT_EQ(results[0].fAttributes.size(), 2u) << "the unnamed attribute stays, the later goes";
  EXPECT_EQ(results[0].fAttributes[0].fName, "Sig");

  auto interval = readDocument("failing/interval_without_bounds.xml");
  EXPECT_TRUE(
      recordAt<Stats::HTOEstimateConfidenceInterval>(interval->fStats->GetAllCIEstimate(), 0)
          .fIntervals.empty());

  auto comparison = readDocument("failing/comparison_table_unnamed.xml");
  EXPECT_FALSE(comparison->fOk);
  const auto& kruskal =
      recordAt<Stats::HTIKruskalWallis>(comparison->fStats->GetAllHypothesisTest(), 0);
  EXPECT_EQ(kruskal.fCompareResult.fTables[1].fName, "Content");
}

} // namespace
