// A chart document: made from a chart specification (the text of an edited template), edited
// through its graph and element tree, given data and a description, and sent to the output, where
// it is drawn as SVG (docs/chart-grammar.md).
#pragma once

#include "chart/ChartString.h"
#include "chart/ViZVisualization.h"
#include "chart/XGraph.h"

#include <memory>
#include <string>

class VarDataProcessor;
struct ViZNode;

class XDocument {
public:
  // The editor kinds the views name; recorded with the chart.
  enum EDITOR { kEditorStandard = 1, kEditorStatistics = 2 };

  // The text of the template file `fileName` from the template folder of the chart service
  // (ChartService::Current(); without one, the folder of the host's path service); empty when it
  // is not there or cannot be read, when the name is not a plain file name (no folders, no "..")
  // or when the file is larger than kMaxSpecificationBytes. Never throws.
  static std::string fetchTemplateFile(const std::string& fileName);

  static constexpr std::size_t kMaxSpecificationBytes = std::size_t{16} * 1024 * 1024;
  static constexpr int kMaxNestingDepth = 256;

  // Parses the specification with the hardened XML settings of the host. Throws ChartError, naming
  // the line and column, when the text does not parse or its root is not a visualization.
  explicit XDocument(const std::string& specification);
  ~XDocument();
  XDocument(const XDocument&) = delete;
  XDocument& operator=(const XDocument&) = delete;

  void setEditor(int editor);
  // The output language of the host (its string tables' language).
  void setLanguage();

  // Owned by the document; never null.
  XGraph* getExternalGraph();
  ViZVisualization getVisualization();

  // The chart's accessible description.
  void SetDescription(const char16_t* description);
  // The data the chart draws; borrowed, and must live until SendChart has returned.
  void SetChartData(VarDataProcessor* data);
  // Lays the template's defaults over the document: with `replaceUserSettings`, locations that
  // views marked as specified by the user are dropped in favour of the template's.
  void applyCTemplate(bool replaceUserSettings);
  // The chart service's setting: true when charts are to be told apart by colour alone; false
  // without a chart service.
  static bool useColorsOnly();

  // Places the chart in the output, after everything written so far under the innermost live
  // heading of the running procedure, drawn when the output draws charts
  // (output::Document::ChartsDrawn). The three flags are reserved (the views pass true, false,
  // false). Returns false when no procedure is running. Throws ChartError when the chart cannot be
  // drawn.
  bool SendChart(bool show, bool replace, bool background);

  // Places, where the chart would have stood, a chart titled `title` that could not be made, with
  // `reason` (what failed, for the reader of the report): the writers show it as left out, and
  // the program names it in a warning. Returns false when no procedure is running. Never throws
  // but std::bad_alloc.
  static bool SendLeftOut(const std::string& title, const std::string& reason);

private:
  std::unique_ptr<ViZNode> fRoot;
  std::unique_ptr<XGraph> fGraph;
  std::u16string fDescription;
  VarDataProcessor* fData = nullptr;
  std::string fTemplateName;
};
