// The output driver: headings per test, the lookups the tables share, the once-read chart switch,
// and the procedure's reading and writing of result documents with and without split groups.
#include "NOPRProcCustom.h"
#include "OutputTestSupport.h"

#include "proc/CFAssert.h"
#include "proc/CFStatXMLInfoBlock.h"

#include <cstdlib>

using namespace outtest;

namespace {

std::vector<std::string> childLabels(const output::Heading& heading) {
  std::vector<std::string> labels;
  for (const auto& item : heading.Items()) {
    if (const output::Heading* child = item->AsHeading())
      labels.push_back("heading:" + child->GetLabel().Text());
    else if (const output::Table* table = item->AsTable())
      labels.push_back("table:" + keyOf(table->Title()));
  }
  return labels;
}

// The heading at a position of a heading's items, or null.
const output::Heading* childHeading(const output::Heading& heading, std::size_t position) {
  return position < heading.Items().size() ? heading.Items()[position]->AsHeading() : nullptr;
}

} // namespace

// The distributions' titles show in the stored output of the examples.
TEST(OutputDriver, TitlesRefineOnlyTheOneSampleKS) {
  WriterRun run;
  NOPROutput writer = run.Writer();
  const auto title = [&](Stats::EnumAlgorithmType algorithm, const std::string& key) {
    Stats::BaseHypothesisTest test;
    test.fAlgorithm = algorithm;
    test.fCondition.fConditionKey = key;
    return writer.GetTestTitle(&test);
  };
  EXPECT_EQ(title(Stats::kAOKolmogorovSmirnov, "Other"), "One-Sample Kolmogorov-Smirnov Test");
  EXPECT_EQ(title(Stats::kAIKolmogorovSmirnov, "NormalDistribution_O_KolmogorovSmirnov_3"),
            "Independent-Samples Kolmogorov-Smirnov Test");
  EXPECT_EQ(title(Stats::kAOLillieforsNormal, ""), "Unknown");
}

// The fields a test names, and the sub-heading made of them over the fields a, b and c ("<none>"
// when there is no sub-heading; null when the row does not check it).
TEST(OutputDriver, FieldsOfATestAndTheirHeading) {
  const auto kOne = Stats::kCOneSample;
  const auto kRelated = Stats::kCRelatedSamples;
  const auto kIndependent = Stats::kCIndependentSamples;
  const struct {
    const char* description;
    Stats::EnumClassificationType family;
    Stats::EnumAlgorithmType algorithm;
    std::vector<std::vector<double>> parameters;
    std::vector<int> indexes;
    const char* heading;
  } cases[] = {
      {"one-sample", kOne, Stats::kAOChiSquare, {{1.9}, {7}}, {1}, "b"},
      {"one-sample outside", kOne, Stats::kAOChiSquare, {{7}}, {7}, "<none>"},
      {"one-sample without a value", kOne, Stats::kAOChiSquare, {{}}, {}, nullptr},
      {"related pair", kRelated, Stats::kARSign, {{1}, {3}}, {1, 3}, nullptr},
      {"related pair, one parameter", kRelated, Stats::kARSign, {{1}}, {}, nullptr},
      {"related list", kRelated, Stats::kARCochransQ, {{0, 1, 2}}, {0, 1, 2}, "a, b, c"},
      {"related list, one outside", kRelated, Stats::kARCochransQ, {{0, 9, 2}}, {0, 9, 2}, "a, c"},
      {"related list of one", kRelated, Stats::kARCochransQ, {{0}}, {0}, "<none>"},
      {"related, other algorithm", kRelated, Stats::kAIMoses, {{0}, {1}}, {}, nullptr},
      {"independent", kIndependent, Stats::kAIMedian, {{0}, {2}}, {0, 2}, "a across c"},
      {"group outside", kIndependent, Stats::kAIMedian, {{0}, {9}}, {0, 9}, "<none>"},
      {"no family", Stats::kCNone, Stats::kAIMedian, {{5}, {1}}, {}, nullptr},
  };
  WriterRun run;
  for (const char* name : {"a", "b", "c"})
    run.AddField(name);
  NOPROutput writer = run.Writer();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.description);
    Stats scratch;
    Stats::BaseHypothesisTest* test = addTest(scratch, c.family, c.algorithm, "k", c.parameters);
    std::vector<int> indexes = {99};
    writer.GetTestVariableIndex(test, indexes);
    EXPECT_EQ(indexes, c.indexes);
    if (c.heading == nullptr)
      continue;
    std::unique_ptr<BpCellText> heading = writer.CreateVarHeadingText(test);
    EXPECT_EQ(heading == nullptr ? "<none>" : heading->ToLabel(&run.strings).Text(), c.heading);
  }
}

// The companion is the Lilliefors record of the same field and distribution, and only when that
// distribution is simulated; a companion not on sample parameters breaks the contract.
TEST(OutputDriver, LillieforsCompanions) {
  for (const bool simulate : {true, false}) {
    SCOPED_TRACE(simulate ? "simulated" : "not simulated");
    WriterRun run;
    run.stats.UseKSNormSimul(simulate);
    run.stats.UseKSExponSimul(simulate);
    const auto addLill = [&](const char* key, double field) {
      auto* lill = static_cast<Stats::HTOKolmogorovSmirnov*>(
          addTest(run.stats, Stats::kCOneSample, Stats::kAOLilliefors, key, {{field}}));
      lill->fIsUseSample = true;
      return lill;
    };
    addLill("NormalDistribution_O_Lilliefors_3", 0);
    addLill("NormalDistribution_O_Lilliefors_3", 1);
    addLill("ExponentialDistribution_O_Lilliefors_2", 1);
    const auto companions = [&](const char* key) {
      std::vector<int> found = {42};
      run.Writer().GetLillieforsIndex(
          addTest(run.stats, Stats::kCOneSample, Stats::kAOKolmogorovSmirnov, key, {{1}, {0}}),
          found);
      return found;
    };
    const std::vector<int> none;
    EXPECT_EQ(companions("NormalDistribution_O_KolmogorovSmirnov_3"),
              simulate ? std::vector<int>{1} : none);
    EXPECT_EQ(companions("ExponentialDistribution_O_KolmogorovSmirnov_2"),
              simulate ? std::vector<int>{2} : none);
    EXPECT_EQ(companions("PoissonDistribution_O_KolmogorovSmirnov_2"), none);
    if (simulate) {
      addLill("NormalDistribution_O_Lilliefors_3", 1)->fIsUseSample = false;
      try {
        companions("NormalDistribution_O_KolmogorovSmirnov_3");
        FAIL() << "no assertion";
      } catch (const CFAssertionError& e) {
        EXPECT_EQ(e.Expression(), "theLill->fIsUseSample");
      }
    }
  }
}

TEST(OutputDriver, HeadingsPerTestAndCriticalMessages) {
  WriterRun run;
  run.AddField("x");
  run.AddField("g");
  auto* chi = addTest(run.stats, Stats::kCOneSample, Stats::kAOChiSquare,
                      "DefaultEqualProbabilities_O_ChiSquare_1", {{0}});
  addResult(chi, "", {{"TestStatistic", 1}});
  auto* broken = addTest(run.stats, Stats::kCIndependentSamples, Stats::kAIMannWhitneyU,
                         "DefaultAllDistinctValuesUsed_I_MannWhitneyU_2", {{0}, {1}});
  broken->fMessages.push_back(message(222320, Stats::kMError));
  auto* noRecord = addTest(run.stats, Stats::kCIndependentSamples, Stats::kAIMedian,
                           "DefaultAllDistinctValuesUsed_I_Median_2", {{0}, {7}});
  addResult(noRecord, "", {{"TestStatistic", 2}});
  run.Display();

  const output::Heading& root = run.Root();
  EXPECT_EQ(childLabels(root),
            (std::vector<std::string>{"table:Hypothesis Test Summary",
                                      "heading:One-Sample Chi-Square Test",
                                      "heading:Independent-Samples Mann-Whitney U Test",
                                      "heading:Independent-Samples Median Test"}));
  // The field heading holds the table.
  const output::Heading* chiHeading = childHeading(root, 1);
  ASSERT_NE(chiHeading, nullptr);
  EXPECT_EQ(childLabels(*chiHeading), std::vector<std::string>{"heading:x"});
  EXPECT_EQ(childLabels(*childHeading(*chiHeading, 0)),
            std::vector<std::string>{"table:One-Sample Chi-Square Test Summary"});
  // A critical message leaves the heading empty; the summary carries the message.
  EXPECT_TRUE(childHeading(root, 2)->Items().empty());
  EXPECT_EQ(cellNotes(tableNamed(root, "Hypothesis Test Summary"), {"2", "Sig."}),
            std::vector<std::string>{"222320"});
  // Without the grouping field's record there is no field heading: the table stands directly.
  EXPECT_EQ(childLabels(*childHeading(root, 3)),
            std::vector<std::string>{"table:Independent-Samples Median Test Summary"});
}

TEST(ChartSwitch, ValueRule) {
  EXPECT_TRUE(NOPROutput::ChartsShownFor(nullptr));
  EXPECT_FALSE(NOPROutput::ChartsShownFor("2"));
  for (const char* value : {"1", "", "20", " 2", "2 "})
    EXPECT_TRUE(NOPROutput::ChartsShownFor(value)) << "'" << value << "'";
}

TEST(ChartSwitch, ReadOncePerProcess) {
  const bool first = NOPROutput::ChartsShown();
  // Whatever the variable says now, the first reading stands.
  setenv("DEBUG_MODEL_VIEWER", first ? "2" : "1", 1);
  EXPECT_EQ(NOPROutput::ChartsShown(), first);
  unsetenv("DEBUG_MODEL_VIEWER");
  EXPECT_EQ(NOPROutput::ChartsShown(), first);
}

namespace {

const char* const kBroken = "<StatXML><PMMLModel modelType=\"Other\"/></StatXML>";

// A procedure object writing into a run's document; the split variable is the documents' own
// "group" field (value labels Control, Treatment 1, Treatment 2) when they have one.
struct ProcRun {
  WriterRun run;
  NOPRProcCustom proc;
  int groupIndex = -1;

  explicit ProcRun(const std::string& dictionaryDocument) : run(dictionaryDocument) {
    groupIndex = run.data->FindVarIndex("group", 0);
    proc.SetProcedure(run.procedure.get());
    proc.SetDataSource(run.data.get());
  }

  CFStatXMLInfoBlock Block(const std::string& xml, const char* group, bool byHeading) {
    CFStatXMLInfoBlock block;
    block.fResultXML = xml;
    block.fSplitByHeading = byHeading;
    if (group != nullptr)
      block.AddSplitValue(groupIndex, group, 4);
    return block;
  }
};

std::string example(const char* name) {
  return readFile(sourcePath(std::string("examples/") + name));
}

} // namespace

TEST(ProcessOutput, SplitGroupsAreAllProcessedUnderTheirHeadings) {
  ProcRun p(example("split_ctrl.xml"));
  p.proc.SetSplitVarIndexes({p.groupIndex});
  const std::vector<CFStatXMLInfoBlock> blocks = {
      p.Block(example("split_ctrl.xml"), "ctrl", true),
      p.Block(kBroken, "trt1", true),
      p.Block(example("split_trt2.xml"), "trt2", true),
  };
  EXPECT_TRUE(p.proc.ProcessOutputXML({}, blocks, ""));
  const output::Heading& root = p.run.Root();
  EXPECT_EQ(childLabels(root), (std::vector<std::string>{"heading:Treatment group = Control",
                                                         "heading:Treatment group = Treatment 2"}));
  EXPECT_EQ(keyOf(childHeading(root, 1)->Items().front()->AsTable()->Title()),
            "Hypothesis Test Summary");
}

// A document that cannot be read writes nothing; an unsplit list stops there. (The examples'
// stored output covers the documents that are read.)
TEST(ProcessOutput, UnreadDocumentWritesNothingAndUnsplitListStops) {
  ProcRun p(example("chickwts.xml"));
  EXPECT_FALSE(p.proc.ProcessOutputXML("", p.Block(kBroken, nullptr, true)));
  const std::vector<CFStatXMLInfoBlock> blocks = {p.Block(kBroken, nullptr, true),
                                                  p.Block(example("chickwts.xml"), nullptr, true)};
  EXPECT_FALSE(p.proc.ProcessOutputXML({}, blocks, ""));
  EXPECT_TRUE(p.run.Root().Items().empty());
}
