// Documents built to hurt the reader: each must read to a clean false or a clean result, never
// crash, hang or grow without bound (the sanitizer build runs these too).
#include "ReaderTestSupport.h"

#include <string>

using namespace readertest;
using Stats = NOPROutputStats;

namespace {

// A valid document around `tests` (inside NonParametricTests) and `fieldInfos` (inside
// FieldInfos), with a two-field dictionary, so one field record.
std::string documentWith(const std::string& tests, const std::string& fieldInfos = "") {
  return "<StatXML><PMMLModel modelType='NonParametricTests'/><DescriptiveModel>"
         "<DescriptiveSummary><Counts totalFreq='1'/></DescriptiveSummary></DescriptiveModel>"
         "<Extension><NPAROutput><DataDictionary><DataField index='0' name='a'/>"
         "<DataField index='1' name='b'/></DataDictionary><NonParametricTests>" +
         tests + "</NonParametricTests><FieldInfos>" + fieldInfos +
         "</FieldInfos></NPAROutput></Extension></StatXML>";
}

std::string runsTest(const std::string& tables) {
  return "<Algorithm name='ORuns' classification='One_Sample'>" + tables + "</Algorithm>";
}

// What a hostile document must read to; kEither where the wrapper's choice decides.
enum class Outcome { kFalse, kTrue, kEither };

// What the loader refuses (entities, a DOCTYPE, nesting past its cap, ill-formed UTF-8) is
// XMLLoadTest's; these pass the loader and must not hurt the reader.
TEST(HostileTest, ReadCleanly) {
  std::string millionTokens;
  millionTokens.reserve(4000000);
  for (int i = 0; i < 1000000; ++i)
    millionTokens += "1.5 ";

  const struct {
    std::string fText;
    Outcome fRead;
    const char* fDesc;
  } cases[] = {
      {documentWith("<Algorithm name='RMcNemar' classification='Related_Samples'>"
                    "<StructuredTable name='CategoryFieldsComparison'>"
                    "<Attribute name='RowSuccessList' value='" +
                    millionTokens + "'/></StructuredTable></Algorithm>"),
       Outcome::kTrue, "a list of a million tokens"},
      {documentWith(runsTest("<StructuredTable name='RunsParameters'>"
                             "<Attribute name='Mean' value='nan'/>"
                             "<Attribute name='StdDev' value='0x10'/>"
                             "<Attribute name='ObservedRunNumber' value='-1e999'/>"
                             "</StructuredTable>")),
       Outcome::kTrue, "numbers that are no numbers"},
      {documentWith("", "<FieldInfo varIndex='-2147483648'/><FieldInfo varIndex='99999999999'/>"
                        "<FieldInfo varIndex=''/><FieldInfo/>"),
       Outcome::kTrue, "field indexes naming no record"},
      {documentWith("<Algorithm name='OChiSquare' classification='One_Sample'>"
                    "<StructuredTable name='Condition'>"
                    "<Attribute name='OrdinalTreatedAsCont' value='-1 2147483647 99999999999'/>"
                    "<Attribute name='%99999999999' value=''/>"
                    "</StructuredTable></Algorithm>"),
       Outcome::kTrue, "ordinal indexes and parameter numbers out of range"},
      {documentWith("") + std::string(1, '\0'), Outcome::kEither, "a NUL byte after the root"},
      {documentWith(
           runsTest("<StructuredTable name='Runs" + std::string(1, '\0') + "Parameters'/>")),
       Outcome::kEither, "a NUL byte in a name"},
      {documentWith("<Algorithm name=' '><StructuredTable name=''/></Algorithm>"), Outcome::kTrue,
       "blank algorithm name: skipped"},
  };
  for (const auto& c : cases) {
    const bool read = readText(c.fText)->fOk;
    EXPECT_TRUE(c.fRead == Outcome::kEither || read == (c.fRead == Outcome::kTrue)) << c.fDesc;
  }
}

// Also a field index no int can hold.
TEST(HostileTest, OutOfRangeValuesKeepTheirDefaults) {
  auto reading = readText(documentWith(
      runsTest("<StructuredTable name='RunsParameters'>"
               "<Attribute name='ObservedRunNumber' value='-1e999'/></StructuredTable>") +
      "<Algorithm name='IKruskalWallis' classification='Independent_Samples'>"
      "<StructuredTable name='PairwiseResult'><Attribute name='fieldIndex' value='1e300'/>"
      "</StructuredTable></Algorithm>"));
  ASSERT_TRUE(reading->fOk);
  const Stats::TestList& tests = reading->fStats->GetAllHypothesisTest();
  EXPECT_EQ(recordAt<Stats::HTORuns>(tests, 0).fObservedRunNumber, 0);
  EXPECT_EQ(recordAt<Stats::HTIKruskalWallis>(tests, 1).fCompareResult.fFieldIndex, -1);
}

} // namespace
