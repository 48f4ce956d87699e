// The independent-samples records as the reader takes them, the command's options, and weights as
// replicated cases. The figures themselves are checked against R by
// scripts/check-engine-independent.R.
#include "EngineRun.h"

namespace {

using enginetest::Attribute;
using enginetest::Read;
using enginetest::RunEngine;

const std::string kTwo = "NPTESTS /INDEPENDENT TEST(y) GROUP(g) MANN_WHITNEY WALD_WOLFOWITZ "
                         "KOLMOGOROV_SMIRNOV MOSES HODGES_LEHMANN ";
const std::string kAll = kTwo + "MEDIAN ";

std::string Tests(const std::string& document) {
  const std::size_t start = document.find("<NonParametricTests");
  return document.substr(start, document.find("</NonParametricTests>") - start);
}

TEST(IndependentSamples, EveryRecordReadsBackWithoutWarnings) {
  std::string csv = "y,g\n";
  for (int i = 0; i < 30; ++i)
    csv += std::to_string((i * 7) % 11 + (i % 3)) + "," + "abc"[i % 3] + "\n";
  for (const char* compare : {"PAIRWISE", "STEPWISE"}) {
    const std::string option = std::string("(COMPARE=") + compare + ")";
    const std::string command = kTwo + "MEDIAN" + option + " KRUSKAL_WALLIS" + option +
                                " JONCKHEERE_TERPSTRA" + option + ".";
    const auto documents = RunEngine(csv, command);
    ASSERT_EQ(documents.size(), 1u);
    const auto back = Read(documents[0].fText);
    EXPECT_TRUE(back->fOk) << back->fError;
    EXPECT_TRUE(back->fWarnings.empty()) << back->fWarnings.front();
    // Three groups: no two-sample test; Kruskal-Wallis, median and Jonckheere-Terpstra.
    EXPECT_NE(documents[0].fText.find(R"(<NonParametricTests number="3")"), std::string::npos);
  }
  // Two groups (the third one has no valid case): six tests and the estimate.
  std::string two = "y,g\n";
  for (int i = 0; i < 20; ++i)
    two += std::to_string((i * 5) % 9) + "," + "ab"[i % 2] + "\n";
  two += ",c\n";
  const auto documents = RunEngine(two, kAll + "JONCKHEERE_TERPSTRA.");
  const auto back = Read(documents.at(0).fText);
  EXPECT_TRUE(back->fOk) << back->fError;
  EXPECT_TRUE(back->fWarnings.empty()) << back->fWarnings.front();
  EXPECT_NE(documents[0].fText.find(R"(<NonParametricTests number="6")"), std::string::npos);
  EXPECT_NE(documents[0].fText.find("IHodgesLehmannEstimateGroups"), std::string::npos);
}

TEST(IndependentSamples, DegenerateSamplesGiveRecordsNotErrors) {
  // Groups of one, every value equal, no spread within groups: statistics may be missing, but
  // every document reads back.
  for (const char* csv :
       {"y,g\n1,a\n1,b\n", "y,g\n1,a\n1,a\n1,b\n1,b\n", "y,g\n1,a\n2,b\n",
        "y,g\n1,a\n1,a\n2,b\n2,b\n", "y,g\n1,a\n1,b\n1,c\n", "y,g\n5,a\n5,b\n5,c\n5,c\n"}) {
    for (const char* compare : {"PAIRWISE", "STEPWISE"}) {
      const std::string option = std::string("(COMPARE=") + compare + ")";
      const auto documents =
          RunEngine(csv, kTwo + "MEDIAN(TESTVALUE=1 COMPARE=" + compare + ") KRUSKAL_WALLIS" +
                             option + " JONCKHEERE_TERPSTRA" + option + ".");
      const auto back = Read(documents.at(0).fText);
      EXPECT_TRUE(back->fOk) << csv << back->fError;
    }
  }
}

TEST(IndependentSamples, OptionsOfTheCommand) {
  std::string csv = "y,g\n";
  for (int i = 0; i < 52; ++i)
    csv += std::to_string(i % 13) + "," + "pq"[i % 2] + "\n";
  const std::string text =
      RunEngine(csv, "NPTESTS /INDEPENDENT TEST(y) GROUP(g) MANN_WHITNEY MOSES(TRIMOUTLIERS=3) "
                     "MEDIAN(TESTVALUE=4.5).")
          .at(0)
          .fText;
  // 52 cases: no exact significance, and the note saying so.
  EXPECT_EQ(Attribute(text, "ExactSig2Tailed"), "none");
  EXPECT_EQ(Attribute(text, "code"), "222303");
  EXPECT_EQ(Attribute(Tests(text).substr(Tests(text).find("OutliersTrimmed")), "TestStatistic"),
            "3");
  EXPECT_EQ(Attribute(Tests(text).substr(Tests(text).find("IMedian")), "Median"), "4.5");

  // Descending order counts the pairs the other way round: J + J' = sum of n_a n_b.
  const std::string k3 = "y,g\n1,a\n2,a\n2,b\n5,b\n3,c\n9,c\n";
  const auto j = [&](const std::string& order) {
    const std::string command =
        "NPTESTS /INDEPENDENT TEST(y) GROUP(g) JONCKHEERE_TERPSTRA(ORDER=" + order + ").";
    return std::stod(Attribute(RunEngine(k3, command).at(0).fText, "TestStatistic"));
  };
  EXPECT_DOUBLE_EQ(j("ASCENDING") + j("DESCENDING"), 12.0);
}

TEST(IndependentSamples, WeightsCountAsReplicatedCases) {
  const std::string weighted = "y,g,w\n1,a,2\n3,a,1\n3,b,3\n4,a,1\n6,b,2\n2,b,1\n";
  std::string raw = "y,g,w\n";
  for (const char* row : {"1,a", "1,a", "3,a", "3,b", "3,b", "3,b", "4,a", "6,b", "6,b", "2,b"})
    raw += std::string(row) + ",1\n";
  const std::string json = R"({"variables": [{"name": "y", "measure": "scale"},
      {"name": "g", "type": "string", "width": 1, "measure": "nominal"}, {"name": "w"}],
      "weight": "w"})";
  const std::string command = kAll + "KRUSKAL_WALLIS(COMPARE=PAIRWISE) JONCKHEERE_TERPSTRA.";
  EXPECT_EQ(Tests(RunEngine(weighted, command, json).at(0).fText),
            Tests(RunEngine(raw, command, json).at(0).fText));
}

} // namespace
