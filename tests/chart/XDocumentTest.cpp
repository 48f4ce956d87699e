// Chart documents: edits through the graph, the variables and the element handles as they reach the
// specification text; refused specifications; the template store.
#include "chart/XDocument.h"

#include "ScratchFolder.h"
#include "ViZNode.h"

#include "chart/ChartError.h"
#include "dict/OBS.h"
#include "dict/VORN_Format.h"
#include "dict/VORN_Variable.h"
#include "strings/PathFactory.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace {

const char* const kSpecification = R"(<?xml version="1.0" encoding="UTF-8"?>
<visualization frameWidth="2.0" frameHeight="1.5">
  <style id="style1" color="gray"/>
  <sourceVariable id="value" source="graphSource" variable="value"/>
  <sourceVariable id="Category" source="graphSource" variable="Category" categorical="true"/>
  <sourceVariable id="Label" source="graphSource" variable="Label"/>
  <graph id="graph1">
    <location part="right" method="fixed" value="74%"/>
    <axis dim="x"><label><text>x</text></label></axis>
    <schema id="schema"><x variable="Category"/><y variable="value"/></schema>
    <lineGuide x="0"/>
    <interval id="bars"><x variable="Category"/><y variable="value"/></interval>
  </graph>
</visualization>
)";

// The document's tree written out and read back, as the output carries it.
std::unique_ptr<ViZNode> Reparsed(XDocument& document) {
  const std::string text = SerializeSpecification(document.getVisualization().node());
  return ParseSpecification(text, XDocument::kMaxSpecificationBytes, XDocument::kMaxNestingDepth)
      .root;
}

const ViZNode* Variable(const ViZNode& root, const std::string& id) {
  const ViZNode* node = root.FindById(id);
  return node != nullptr && (node->name == "sourceVariable" || node->name == "derivedVariable")
             ? node
             : nullptr;
}

std::vector<std::pair<std::string, std::string>> Relabels(const ViZNode& variable) {
  std::vector<std::pair<std::string, std::string>> relabels;
  for (const ViZNode* format : variable.Children("format"))
    for (const ViZNode* relabel : format->Children("relabel"))
      relabels.emplace_back(relabel->AttributeOr("key", "#" + relabel->AttributeOr("index", "")),
                            relabel->AttributeOr("label", ""));
  return relabels;
}

using Strings = std::vector<std::string>;

// The values of the node's attributes, "-" for one it lacks.
Strings Attributes(const ViZNode& node, std::initializer_list<const char*> names) {
  Strings values;
  for (const char* name : names)
    values.push_back(node.AttributeOr(name, "-"));
  return values;
}

std::string TextOf(const ViZNode& root, const char* element) {
  const ViZNode* holder = root.FirstChild(element);
  if (holder == nullptr)
    return "<none>";
  const ViZNode* text = holder->FirstChild("text");
  return text != nullptr ? text->text : "<no text>";
}

TEST(XDocumentEdits, GraphTextsAndFrame) {
  XDocument document(kSpecification);
  XGraph& graph = *document.getExternalGraph();
  graph.setTitle(u"Box <plot> & \"more\"");
  graph.setSubtitle(u"split = 1");
  graph.setThirdText(u"line one\nline two");
  graph.setTitle(u"Box plot\U0001F600"); // a second title replaces the first
  graph.setOuterFrameWidth(20);
  graph.setOuterFrameHeight(1.2);
  EXPECT_TRUE(document.getVisualization().getExtension().hasSubtitle());

  std::unique_ptr<ViZNode> root = Reparsed(document);
  EXPECT_EQ((Strings{TextOf(*root, "title"), TextOf(*root, "subtitle"), TextOf(*root, "footnote")}),
            (Strings{"Box plot\xF0\x9F\x98\x80", "split = 1", "line one\nline two"}));
  EXPECT_EQ(root->Children("title").size(), 1u);
  EXPECT_EQ(root->FirstChild("title")->Children("text").size(), 1u);
  EXPECT_EQ(Attributes(*root, {"frameWidth", "frameHeight"}), (Strings{"10", "1.2"}));

  graph.setSubtitle(u"");
  graph.setThirdText(nullptr);
  graph.setOuterFrameHeight(0.01);
  root = Reparsed(document);
  EXPECT_TRUE(root->FirstChild("subtitle") == nullptr && root->FirstChild("footnote") == nullptr);
  EXPECT_EQ(root->AttributeOr("frameHeight", ""), "0.25");
  EXPECT_FALSE(document.getVisualization().getExtension().hasSubtitle());
}

TEST(XDocumentEdits, VariablesTakeDictionaryVariablesFormatsAndRelabels) {
  XDocument document(kSpecification);
  XGraph& graph = *document.getExternalGraph();

  VORN_Variable group("group", 10);
  group.SetLabel("Feed supplement");
  XVariable category = graph.getVariable("Category");
  ASSERT_TRUE(category.exists());
  category.setVORNVariable(group);
  category.addRelabel("0", ChartString("horse bean"));
  OBS text[2];
  std::memcpy(text, "linseed   ", 10);
  category.addRelabel("1", text[0]);
  category.addRelabel(2, ChartString("soybean"));
  category.addRelabel("0", ChartString("casein")); // a later relabel of the same key wins
  category.setLabel("Feed");

  VORN_Variable date("visit", 0, VORN_Format(VORN_Format::kDATE, 11, 0));
  XVariable value = graph.getVariable("value");
  value.setVORNVariable(date);
  value.setFormatBasedOnVORNVariable(date);
  OBS seconds;
  seconds.f = 12219379200.0; // 1 January 1970
  value.addRelabel("5", seconds);
  value.setCategorical(false);
  value.SetNumberFormat(40, true, u"n = ", nullptr);

  XVariable label = graph.getVariable("Label");
  label.SetNumberFormat(2, false, u"a", u"b");
  label.SetFormatPrefix(nullptr);
  OBS number;
  number.f = 2.5;
  label.addRelabel("7", number); // no dictionary variable: the plain number

  XVariable missing = graph.getVariable("nothing");
  EXPECT_FALSE(missing.exists());
  missing.setLabel("ignored");
  missing.addRelabel(1, ChartString("ignored"));

  std::unique_ptr<ViZNode> root = Reparsed(document);
  const ViZNode* categoryNode = Variable(*root, "Category");
  const ViZNode* valueNode = Variable(*root, "value");
  const ViZNode* labelNode = Variable(*root, "Label");
  ASSERT_TRUE(categoryNode && valueNode && labelNode);
  EXPECT_EQ(Attributes(*categoryNode, {"label", "dictionaryVariable", "valueType"}),
            (Strings{"Feed", "group", "string"}));
  using Pairs = std::vector<std::pair<std::string, std::string>>;
  EXPECT_EQ(Relabels(*categoryNode), (Pairs{{"0", "casein"}, {"1", "linseed"}, {"2", "soybean"}}));
  // The label is the variable's name when it has none.
  EXPECT_EQ(Attributes(*valueNode, {"label", "format", "valueType", "categorical"}),
            (Strings{"visit", "DATE11", "number", "false"}));
  EXPECT_EQ(Relabels(*valueNode), (Pairs{{"5", "01-JAN-1970"}}));
  ASSERT_NE(valueNode->FirstChild("format"), nullptr);
  EXPECT_EQ(
      Attributes(*valueNode->FirstChild("format"), {"decimals", "grouping", "prefix", "suffix"}),
      (Strings{"16", "true", "n = ", "-"}));
  ASSERT_NE(labelNode->FirstChild("format"), nullptr);
  EXPECT_EQ(Attributes(*labelNode->FirstChild("format"), {"prefix", "suffix"}),
            (Strings{"-", "b"}));
  EXPECT_EQ(Relabels(*labelNode), (Pairs{{"7", "2.5"}}));
}

// The chart views' own edits are checked through the views (tests/views);
// these are the rules the handles keep whatever the view.
TEST(XDocumentEdits, HandlesKeepIdsLocationsAndGuidesConsistent) {
  XDocument document(kSpecification);
  document.setEditor(XDocument::kEditorStatistics);
  ViZVisualization visualization = document.getVisualization();
  ViZGraph graph = visualization.getGraph(0);

  ViZStyle unnamed = visualization.addStyle(); // gets an id when something points at it
  unnamed.setColor("green");
  ViZLineGuide guide = graph.addLineGuide();
  guide.setY("3");
  guide.setX("12.5"); // a guide lies along one dimension
  guide.setStyle(unnamed);
  ViZLabelFrame frame = visualization.addLabelFrame(); // no id either
  frame.addLocation().setTarget(graph);
  visualization.addLabelFrame().addLocation().setTarget(frame);

  graph.getLocation(ViZLocation::kRight).setValue("80%");
  ViZLocation top = graph.getLocation(ViZLocation::kTop);
  top.setValue("10%");
  top.setSpecifiedByUser(true);
  frame.addLocation().setSpecifiedByUser(true);

  ASSERT_EQ(graph.getSchemaElementCount(), 2u); // the box and the bars, not the guide
  EXPECT_EQ(graph.getSchemaElement(1).getElementName(), "interval");
  EXPECT_FALSE(graph.getSchemaElement(2).isValid());
  ViZDerivedVariable derived = visualization.addDerivedVariable();
  derived.setId("derived");
  derived.addFormat().addRelabel("1", "Control");
  derived.addFormat().addRelabelAt(1, "Experimental"); // the same format, by position

  document.applyCTemplate(false);
  std::unique_ptr<ViZNode> root = Reparsed(document);
  EXPECT_EQ(root->AttributeOr("editor", ""), "statistics");
  const ViZNode& graphNode = *root->FindById("graph1");
  // Made ids never take one that is there ("style1" is the template's).
  EXPECT_EQ(Attributes(*graphNode.Children("lineGuide").back(), {"x", "y", "style"}),
            (Strings{"12.5", "-", "style2"}));
  const std::vector<ViZNode*> frames = root->Children("labelFrame");
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_EQ(frames[0]->AttributeOr("id", ""), "labelFrame1");
  EXPECT_EQ(frames[1]->FirstChild("location")->AttributeOr("target", ""), "labelFrame1");

  const std::vector<ViZNode*> locations = graphNode.Children("location");
  ASSERT_EQ(locations.size(), 2u); // the right one was reused
  EXPECT_EQ(locations[0]->AttributeOr("value", ""), "80%");
  EXPECT_EQ(Attributes(*locations[1], {"part", "method"}), (Strings{"top", "fixed"}));
  EXPECT_EQ(Relabels(*root->FindById("derived")), (std::vector<std::pair<std::string, std::string>>{
                                                      {"1", "Control"}, {"#1", "Experimental"}}));

  // Dropping what views set leaves the template's locations.
  document.applyCTemplate(true);
  root = Reparsed(document);
  EXPECT_EQ(root->FindById("graph1")->Children("location").size(), 1u);
  EXPECT_EQ(root->FindById("labelFrame1")->Children("location").size(), 1u);
}

TEST(XDocumentEdits, WhatCannotBeDoneThrows) {
  XDocument document(kSpecification);
  ViZVisualization visualization = document.getVisualization();
  ViZGraph missing = visualization.getGraph(1);
  EXPECT_FALSE(missing.isValid());
  EXPECT_THROW(missing.addLineGuide(), ChartError);
  EXPECT_THROW(missing.getLocation(ViZLocation::kTop), ChartError);
  EXPECT_THROW(ViZText().setText("x"), ChartError);
  ViZGraph graph = visualization.getGraph(0);
  EXPECT_THROW(graph.getLocation(6), ChartError);
  ViZLocation location = visualization.addLabelFrame().addLocation();
  EXPECT_THROW(location.setPart(-1), ChartError);
  EXPECT_THROW(location.setMethod(4), ChartError);
  EXPECT_THROW(location.setTarget(missing), ChartError);
  EXPECT_THROW(visualization.addStyle().setFontWeight(3), ChartError);
  EXPECT_THROW(visualization.addExtension().setLegend(-1, visualization.addLegend()), ChartError);
  EXPECT_THROW(document.setEditor(3), ChartError);
  // Nothing half-done stays behind: the document still writes a specification that reads back.
  EXPECT_NE(Reparsed(document), nullptr);
}

TEST(XDocumentSpecification, RefusedTextsNameThePosition) {
  struct Case {
    std::string text;
    const char* message; // a part of the error
    const char* desc;
  };
  std::string deep;
  for (int i = 0; i < 300; ++i)
    deep += "<graph>";
  const Case cases[] = {
      {"<visualization>\n  <graph>\n</visualization>", "line 3, column", "tags that do not match"},
      {"<visualization>\n<popup tokenTemplate=\"a\nb\r\nc\"/>\n<graph>\n</visualization>",
       "line 6, column", "the line as written, after line breaks inside an attribute"},
      {"<!DOCTYPE visualization [<!ENTITY x \"y\">]>\n<visualization>&x;</visualization>", "line",
       "a DOCTYPE"},
      {"<visualization>" + deep, "line 1, column", "nesting deeper than the limit"},
      {"<visualization a=\"1\" a=\"2\"/>", "line 1, column", "a repeated attribute"},
      {"<graph/>", "<graph>, not <visualization>", "another root"},
      {"", "", "an empty text"},
      {"<visualization>\xFF</visualization>", "line 1", "ill-formed UTF-8"},
  };
  for (const Case& c : cases) {
    try {
      XDocument document(c.text);
      ADD_FAILURE() << c.desc << ": no error";
    } catch (const ChartError& error) {
      EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos)
          << c.desc << ": " << error.what();
    }
  }
  const std::string huge =
      "<visualization>" + std::string(XDocument::kMaxSpecificationBytes, ' ') + "</visualization>";
  EXPECT_THROW(XDocument document(huge), ChartError);
}

// Without a chart service (no procedure runs), templates come from the path service's folder.
TEST(TemplateFolder, FetchesPlainFileNamesOnly) {
  ScratchFolder scratch;
  PathFactory::SetTemplatesRoot(scratch.File("templates"));
  scratch.Write("templates/Good.viztemplate", "<?xml version=\"1.0\"?>\n<visualization/>\n");
  scratch.Write("templates/Bare.viztemplate", "<visualization><graph/></visualization>");
  scratch.Write("templates/Empty.viztemplate", "");
  scratch.Write("templates/folder/Inner.viztemplate", "<visualization/>");
  scratch.Write("secret.viztemplate", "<visualization/>");

  const std::string good = XDocument::fetchTemplateFile("Good.viztemplate");
  EXPECT_EQ(good.rfind("<?xml version=\"1.0\"?>", 0), 0u) << good; // the declaration stays first
  EXPECT_NE(good.find("<?nptests-template Good.viztemplate?>"), std::string::npos) << good;
  EXPECT_NO_THROW(XDocument document(good));
  const std::string bare = XDocument::fetchTemplateFile("Bare.viztemplate");
  EXPECT_EQ(bare.rfind("<?nptests-template Bare.viztemplate?>", 0), 0u) << bare;
  EXPECT_NO_THROW(XDocument document(bare));

  for (const char* refused :
       {"../secret.viztemplate", "folder/Inner.viztemplate", "folder", "", ".", "..",
        "Missing.viztemplate", "Empty.viztemplate", "/etc/passwd", "Good.viztemplate?>x"})
    EXPECT_EQ(XDocument::fetchTemplateFile(refused), "") << refused;
  PathFactory::SetTemplatesRoot("");
}

TEST(XDocumentSend, WithoutARunningProcedureNothingIsSent) {
  XDocument document(kSpecification);
  EXPECT_FALSE(document.SendChart(true, false, false));
}

} // namespace
