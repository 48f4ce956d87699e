// Why a document is refused: the shared acceptance rules name the part, the reader gives the same
// words as the program's check for every rule, and names the test or field entry it could not
// read beyond them. (A tree loaded by the caller is what the program reads: tests/output,
// tests/app.)
#include "ReaderTestSupport.h"
#include "statxml/ResultDocumentRules.h"

#include "xml/SDOMXMLWrapper.h"

#include <gtest/gtest.h>

#include <string>

using namespace readertest;

namespace {

// The reader's reason for refusing `text`; empty when it read it.
std::string ReaderError(const std::string& text) {
  NOPROutputStats stats;
  NOPRParseOutXML reader(nullptr, &stats, text);
  const bool read = reader.ParseXML();
  EXPECT_EQ(read, reader.Error().empty()) << reader.Error();
  return reader.Error();
}

std::string RulesRefusal(const std::string& text) {
  SDOMXMLWrapper root;
  EXPECT_NE(root.LoadFromString(text), 0) << root.GetLastError().ToString();
  return ResultDocumentRules::Refusal(root);
}

TEST(RefusalTest, ProgramAndReaderGiveTheSameReasonForEveryRule) {
  const struct {
    const char* fDocument;
    const char* fReason;
  } cases[] = {
      {"failing/wrong_root.xml", "not a nonparametric tests result: its root element is <"},
      {"failing/no_model.xml", "not a nonparametric tests result: it has no <PMMLModel> element"},
      {"failing/wrong_model_type.xml", "not a nonparametric tests result: its model type is \""},
      {"failing/no_counts.xml",
       "a required part is missing: DescriptiveModel/DescriptiveSummary/Counts (the case counts)"},
      {"failing/field_out_of_sequence.xml",
       "a required part is malformed: DataDictionary/DataField number 2 has index \"2\""},
      {"failing/value_out_of_sequence.xml", "/Value number 1 has index \"1\""},
      {"failing/no_tests.xml", "a required part is missing: "
                               "Extension/NPAROutput/NonParametricTests (the test results)"},
      {"failing/no_field_infos.xml",
       "a required part is missing: Extension/NPAROutput/FieldInfos (the field information)"},
  };
  for (const auto& c : cases) {
    const std::string text = loadDocument(c.fDocument);
    const std::string refusal = RulesRefusal(text);
    EXPECT_NE(refusal.find(c.fReason), std::string::npos) << c.fDocument << ": " << refusal;
    EXPECT_EQ(ReaderError(text), refusal) << c.fDocument;
    EXPECT_EQ(refusal.find('\n'), std::string::npos) << c.fDocument << ": one line";
  }
}

TEST(RefusalTest, ReadableDocumentsBreakNoRule) {
  for (const char* name : {"one_sample.xml", "independent_samples.xml", "related_samples.xml"}) {
    const std::string text = loadDocument(name);
    EXPECT_EQ(RulesRefusal(text), "") << name;
    EXPECT_EQ(ReaderError(text), "") << name;
  }
}

// Past the shared rules, the reader names the test (by number and algorithm) or the field
// information entry it could not read, never the bare "missing or malformed".
TEST(RefusalTest, ReaderNamesTheTestOrFieldEntryItCouldNotRead) {
  const struct {
    const char* fDocument;
    const char* fPart;
  } cases[] = {
      {"failing/param_num_mismatch.xml", "a required part is malformed: test 1 (Algorithm \""},
      {"failing/interval_without_bounds.xml", "a required part is malformed: test 1"},
      {"failing/attribute_without_name.xml", "a required part is malformed: "},
      {"failing/simple_table_without_names.xml", "a required part is malformed: "},
      {"failing/field_info_without_table.xml", "FieldInfos/FieldInfo number 1 cannot be read"},
  };
  for (const auto& c : cases) {
    const std::string text = loadDocument(c.fDocument);
    EXPECT_EQ(RulesRefusal(text), "") << c.fDocument << " keeps the shared rules";
    const std::string error = ReaderError(text);
    EXPECT_NE(error.find(c.fPart), std::string::npos) << c.fDocument << ": " << error;
    EXPECT_EQ(error.find("missing or malformed"), std::string::npos)
        << c.fDocument << ": " << error;
  }
  EXPECT_EQ(ReaderError("<StatXML>").rfind("not an XML document: line 1", 0), 0u);
  EXPECT_EQ(
      ReaderError(loadDocument("failing/not_well_formed.xml")).rfind("not an XML document", 0), 0u);
  EXPECT_NE(ReaderError(""), "");
}

} // namespace
