// Builds the sample document through the output model's own API.
#include "SampleDocument.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

using namespace output;

const char* const kHostileText = "<script>alert(\"x\")</script> & 'q' \x1B[31mred\x7F \xFF\xC3 end";

Label Plain(const std::string& text) {
  return Label::PlainText(text);
}
Label Key(const std::string& key, const std::string& shown) {
  return Label::Translated(key, shown, false);
}
Label Num(double value, const std::string& shown) {
  return Label::Number(value, NumberFormat(NumberFormat::Kind::kSignificance, 3), shown);
}

namespace {

void Put(Table& table, std::vector<const Category*> at, Label label) {
  table.CellAt(at).label = std::move(label);
}

Note MakeNote(Table& table, const std::string& text) {
  return Note{Plain(text), table.MarkFor(text)};
}

void AddSummaryTable(Heading& heading) {
  auto table = std::make_unique<Table>(Key("Hypothesis Test Summary", "Hypothesis Test Summary"),
                                       "Hypothesis Test Summary");
  // The layer is made first, as split layers are; cells then name one category per dimension.
  Dimension* split = table->AddDimension(Plain("Split"));
  split->SetPlacement(Dimension::Place::kLayer, 1, true);
  const Category* layer = split->Root().FindOrAddChild(Plain("x = 1"), false);
  Dimension* items = table->AddDimension(Plain("Item"));
  items->SetPlacement(Dimension::Place::kRow, 1, false);
  Dimension* stats = table->AddDimension(Key("Statistics", "Statistics"));
  stats->SetPlacement(Dimension::Place::kColumn, 1, false);
  const Category* hypothesis =
      stats->Root().FindOrAddChild(Key("Null Hypothesis", "Null Hypothesis"), false);
  const Category* test = stats->Root().FindOrAddChild(Key("Test", "Test"), false);
  Category* sig = stats->Root().FindOrAddChild(Key("Sig.", "Sig."), false);
  sig->AddNote(MakeNote(*table, "The significance level is .050."));

  const Category* row1 = items->Root().FindOrAddChild(Num(1, "1"), false);
  Put(*table, {layer, row1, hypothesis},
      Label::Composite("DefaultEqualProbabilities_O_ChiSquare_1",
                       "The categories defined by Group occur with equal probabilities.", true,
                       false, {Label::Variable("group", "", "Group")}));
  Put(*table, {layer, row1, test}, Key("One-Sample Chi-Square Test", "One-Sample Chi-Square Test"));
  Put(*table, {layer, row1, sig}, Num(0.30000000000000004, ".300"));

  const Category* row2 = items->Root().FindOrAddChild(Num(2, "2"), false);
  Put(*table, {layer, row2, hypothesis}, Plain(kHostileText));
  Put(*table, {layer, row2, test}, Label::Translated("NoSuchKey", "NoSuchKey", true));
  Put(*table, {layer, row2, sig}, Label::Number(std::nullopt, NumberFormat(), "."));
  table->CellAt({layer, row2, sig})
      .notes.push_back(MakeNote(*table, "Asymptotic significance is displayed."));

  table->SetCaption(Plain("Caption with <b>markup</b>"));
  heading.Append(std::move(table));
}

void AddSubsetTable(Heading& heading) {
  auto table = std::make_unique<Table>(Key("Homogeneous Subsets", "Homogeneous Subsets"),
                                       "Homogeneous Subsets Table");
  Dimension* rows = table->AddDimension(Key("Statistics", "Statistics"));
  rows->SetPlacement(Dimension::Place::kRow, 1, false);
  Dimension* subsets = table->AddDimension(Key("Subset", "Subset"));
  subsets->SetPlacement(Dimension::Place::kColumn, 1, true);

  Category* sample = rows->Root().FindOrAddChild(Key("Sample", "Sample"), true);
  sample->AddNote(MakeNote(*table, "Each cell shows the sample average rank."));
  const Category* a = sample->FindOrAddChild(Label::Variable("a", "", "a"), false);
  const Category* b = sample->FindOrAddChild(Label::Variable("b", "", "b"), false);
  const Category* statistic =
      rows->Root().FindOrAddChild(Key("Test Statistic", "Test Statistic"), false);
  const Category* s1 = subsets->Root().FindOrAddChild(Plain("1"), false);
  const Category* s2 = subsets->Root().FindOrAddChild(Plain("2"), false);

  Put(*table, {a, s1}, Num(1.25, "1.250"));
  Put(*table, {b, s1}, Num(1e-300, ".000"));
  Put(*table, {b, s2}, Num(2.75, "2.750"));
  Put(*table, {statistic, s1}, Num(0.5, ".500"));
  Put(*table, {statistic, s2}, Num(12345.678, "12345.678"));
  heading.Append(std::move(table));
}

void AddCharts(Heading& heading) {
  auto drawn = std::make_unique<Chart>();
  drawn->templateName = "NPARBoxplot.viztemplate";
  drawn->title = "Box <plot>";
  drawn->subtitle = "of x";
  drawn->description = "Box plot of x by group";
  drawn->sources["data"].variables = {"x", "group"};
  drawn->sources["data"].rows = {{ChartValue{1.5, std::nullopt}, ChartValue{std::nullopt, "g1"}},
                                 {ChartValue{}, ChartValue{std::nullopt, "g\xFF"}}};
  drawn->variables["group"].relabels = {{"1", "Group 1"}};
  drawn->specification = "<template/>";
  drawn->svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"120\" height=\"40\">"
               "<rect width=\"120\" height=\"40\" fill=\"#ddd\"/></svg>";
  heading.Append(std::move(drawn));

  auto undrawn = std::make_unique<Chart>();
  undrawn->templateName = "NPARHistogram.viztemplate";
  undrawn->title = "Histogram";
  undrawn->svg = "<svg><script>alert(1)</script></svg>";
  heading.Append(std::move(undrawn));
}

} // namespace

std::unique_ptr<Document> MakeSampleDocument() {
  auto document = std::make_unique<Document>();
  Heading* top = document->Append(
      std::make_unique<Heading>(Key("Nonparametric Tests", "Nonparametric Tests")));
  AddSummaryTable(*top);
  Heading* friedman = top->Append(std::make_unique<Heading>(
      Key("Related-Samples Friedman Test", "Related-Samples Friedman Test")));
  AddSubsetTable(*friedman);
  AddCharts(*friedman);
  top->Append(
      std::make_unique<Message>(Message::Level::kWarning, Plain("Not parse element: Foo & <Bar>")));
  return document;
}

void CheckGolden(const std::string& name, const std::string& text) {
  const std::string path = std::string(NPTESTS_SOURCE_DIR) + "/tests/render/golden/" + name;
  if (std::getenv("NPTESTS_UPDATE_GOLDEN") != nullptr) {
    std::ofstream(path, std::ios::binary) << text;
    return;
  }
  std::ifstream in(path, std::ios::binary);
  ASSERT_TRUE(in) << path << " missing; run with NPTESTS_UPDATE_GOLDEN=1 to write it";
  std::stringstream expected;
  expected << in.rdbuf();
  EXPECT_EQ(text, expected.str()) << path;
}
