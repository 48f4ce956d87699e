// The chart service of one report: the folder chart templates are read from, how the groups of a
// chart are told apart, and what it keeps between the charts it serves (template texts, parsed
// specifications). The host makes one per report and hands it to the procedures whose charts it
// serves; a second report, or a test, makes its own and shares nothing with the first.
#pragma once

#include <memory>
#include <string>

struct ViZNode;

class ChartService {
public:
  // Templates are read from `templateFolder`; with `colorsOnly` the groups of a chart are told
  // apart by colour alone, without fill patterns.
  explicit ChartService(std::string templateFolder, bool colorsOnly = false);
  ~ChartService();
  ChartService(const ChartService&) = delete;
  ChartService& operator=(const ChartService&) = delete;

  // The service of the charts made on this thread now: the one the host gave the innermost live
  // procedure (BpProcedure::SetChartService). Null when no procedure runs or it was given none.
  static ChartService* Current();

  const std::string& TemplateFolder() const { return fTemplateFolder; }
  bool ColorsOnly() const { return fColorsOnly; }

  // The text of the template file `fileName`, as XDocument::fetchTemplateFile gives it. A file is
  // read once and again only when it changed (its identity, size or time of change). Never throws.
  std::string TemplateText(const std::string& fileName);

  // The tree of a specification, and the name of the template it records (empty when none). A
  // report makes hundreds of charts from a dozen templates, so a text is parsed once and its tree
  // copied after that: no chart sees another's edits. Throws ChartError, naming the line and
  // column, when the text does not parse; a failure is not kept.
  std::unique_ptr<ViZNode> Parse(const std::string& specification, std::string& templateName);

private:
  // Template texts and parsed specifications, each bounded in size, behind one lock: a procedure
  // may run on any thread.
  struct Caches;

  const std::string fTemplateFolder;
  const bool fColorsOnly;
  std::unique_ptr<Caches> fCaches;
};
