// A chart document: the specification parsed into the element tree, the edits on the whole
// document, and sending the drawn chart to the output.
#include "chart/XDocument.h"

#include "ChartDrawing.h"
#include "ViZEdit.h"
#include "ViZNode.h"

#include "chart/ChartError.h"
#include "chart/ChartService.h"
#include "chart/VarDataProcessor.h"
#include "output/Chart.h"
#include "pivot/BpProcedure.h"
#include "strings/PathFactory.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <vector>

namespace {

// A 64-bit FNV-1a hash, for ids that tell charts of one report apart.
struct Fingerprint {
  std::uint64_t value = 1469598103934665603ULL;
  void Add(const std::string& text) {
    for (const char c : text) {
      value ^= static_cast<unsigned char>(c);
      value *= 1099511628211ULL;
    }
    value ^= 0xFF; // a separator, so that ("ab", "c") and ("a", "bc") differ
    value *= 1099511628211ULL;
  }
};

std::optional<std::string> OptionalText(const ViZNode& root, const char* element) {
  const ViZNode* holder = root.FirstChild(element);
  if (holder == nullptr)
    return std::nullopt;
  std::string text = JoinedTexts(*holder);
  if (text.empty())
    return std::nullopt;
  return text;
}

// Adds a line to the end of the chart's footnote (made, before the graphs, when there is none).
void AppendFootnoteLine(ViZNode& root, const std::string& line) {
  ViZNode* footnote = root.FirstChild("footnote");
  if (footnote == nullptr) {
    std::size_t at = 0;
    while (at < root.children.size() && root.children[at]->name != "graph")
      ++at;
    footnote = &root.InsertChild(at, "footnote");
  }
  const std::string text = JoinedTexts(*footnote);
  footnote->children.erase(std::remove_if(footnote->children.begin(), footnote->children.end(),
                                          [](const auto& child) { return child->name == "text"; }),
                           footnote->children.end());
  footnote->AddChild("text").text = text.empty() ? line : text + "\n" + line;
}

void CopySources(const VarDataProcessor& data, output::Chart& chart) {
  for (const auto& [name, source] : data.Sources()) {
    output::ChartDataSource& copy = chart.sources[name];
    copy.variables = source.variables;
    const std::size_t rows = source.RowCount();
    copy.rows.resize(rows);
    for (std::size_t row = 0; row < rows; ++row) {
      copy.rows[row].reserve(source.columns.size());
      for (const auto& column : source.columns) {
        output::ChartValue value;
        if (row < column.size()) {
          value.number = column[row].number;
          value.text = column[row].text;
        }
        copy.rows[row].push_back(std::move(value));
      }
    }
  }
}

// The chart's variables as the views set them up; an index relabel (of a category position)
// shows its key as "#<index>".
void CopyVariables(const ViZNode& root, output::Chart& chart) {
  for (const auto& child : root.children) {
    if (child->name != "sourceVariable" && child->name != "derivedVariable")
      continue;
    const std::string* id = child->Attribute("id");
    if (id == nullptr || chart.variables.count(*id) != 0)
      continue;
    output::ChartVariable& variable = chart.variables[*id];
    variable.label = child->AttributeOr("label", "");
    variable.categorical = child->AttributeOr("categorical", "false") == "true";
    variable.format = child->AttributeOr("format", "");
    for (const ViZNode* format : child->Children("format")) {
      for (const ViZNode* relabel : format->Children("relabel")) {
        const std::string* key = relabel->Attribute("key");
        const std::string* index = relabel->Attribute("index");
        if (key == nullptr && index == nullptr)
          continue;
        variable.relabels.emplace_back(key != nullptr ? *key : "#" + *index,
                                       relabel->AttributeOr("label", ""));
      }
    }
  }
}

void FingerprintData(const VarDataProcessor& data, Fingerprint& print) {
  for (const auto& [name, source] : data.Sources()) {
    print.Add(name);
    for (std::size_t i = 0; i < source.variables.size(); ++i) {
      print.Add(source.variables[i]);
      if (i >= source.columns.size())
        continue;
      for (const VarDataProcessor::Value& value : source.columns[i]) {
        char number[32] = "";
        if (value.number)
          std::snprintf(number, sizeof number, "%a", *value.number);
        print.Add(number);
        print.Add(value.text ? "t" + *value.text : "-");
      }
    }
  }
}

} // namespace

std::string XDocument::fetchTemplateFile(const std::string& fileName) {
  if (ChartService* service = ChartService::Current())
    return service->TemplateText(fileName);
  try {
    return ChartService(PathFactory::getPathInstance(PathFactory::kChartTemplates)->getPath())
        .TemplateText(fileName);
  } catch (...) {
    return {};
  }
}

XDocument::XDocument(const std::string& specification) {
  if (ChartService* service = ChartService::Current()) {
    fRoot = service->Parse(specification, fTemplateName);
  } else {
    ParsedSpecification parsed =
        ParseSpecification(specification, kMaxSpecificationBytes, kMaxNestingDepth);
    fRoot = std::move(parsed.root);
    fTemplateName = std::move(parsed.templateName);
  }
  if (fRoot->name != "visualization")
    throw ChartError("the chart specification's root element is <" + fRoot->name +
                     ">, not <visualization>");
  fGraph = std::make_unique<XGraph>(*fRoot);
}

XDocument::~XDocument() = default;

void XDocument::setEditor(int editor) {
  switch (editor) {
  case kEditorStandard:
    fRoot->SetAttribute("editor", "standard");
    return;
  case kEditorStatistics:
    fRoot->SetAttribute("editor", "statistics");
    return;
  default:
    throw ChartError("the editor kind " + std::to_string(editor) + " is not known");
  }
}

void XDocument::setLanguage() {
  fRoot->SetAttribute("lang", PathFactory::GetLanguage());
}

XGraph* XDocument::getExternalGraph() {
  return fGraph.get();
}

ViZVisualization XDocument::getVisualization() {
  return ViZVisualization(fRoot.get());
}

void XDocument::SetDescription(const char16_t* description) {
  fDescription = description != nullptr ? description : u"";
}

void XDocument::SetChartData(VarDataProcessor* data) {
  fData = data;
}

void XDocument::applyCTemplate(bool replaceUserSettings) {
  fRoot->SetAttribute("templateApplied", "true");
  if (!replaceUserSettings)
    return;
  std::vector<ViZNode*> pending{fRoot.get()};
  while (!pending.empty()) {
    ViZNode* node = pending.back();
    pending.pop_back();
    auto& children = node->children;
    children.erase(std::remove_if(children.begin(), children.end(),
                                  [](const auto& child) {
                                    return child->name == "location" &&
                                           child->AttributeOr("specifiedByUser", "") == "true";
                                  }),
                   children.end());
    for (const auto& child : children)
      pending.push_back(child.get());
  }
}

bool XDocument::useColorsOnly() {
  const ChartService* service = ChartService::Current();
  return service != nullptr && service->ColorsOnly();
}

bool XDocument::SendChart(bool /*show*/, bool /*replace*/, bool /*background*/) {
  BpProcedure* procedure = BpProcedure::Current();
  if (procedure == nullptr)
    return false;
  try {
    if (!procedure->ChartNote().empty())
      AppendFootnoteLine(*fRoot, procedure->ChartNote());
    auto chart = std::make_unique<output::Chart>();
    chart->templateName = fTemplateName;
    chart->title = OptionalText(*fRoot, "title").value_or("");
    chart->subtitle = OptionalText(*fRoot, "subtitle");
    chart->thirdText = OptionalText(*fRoot, "footnote");
    chart->description = ChartString(fDescription).toUTF8();
    if (fData != nullptr)
      CopySources(*fData, *chart);
    CopyVariables(*fRoot, *chart);
    chart->specification = SerializeSpecification(*fRoot);

    // Ids inside the SVG must differ between the charts of one page, and a report must come out
    // the same on every run: the chart's place and content decide them, not a counter of the
    // process.
    Fingerprint print;
    print.Add(chart->specification);
    print.Add(chart->description);
    if (fData != nullptr)
      FingerprintData(*fData, print);
    char prefix[40];
    std::snprintf(prefix, sizeof prefix, "c%zu-%08llx-", procedure->ChartsPlaced(),
                  static_cast<unsigned long long>(print.value & 0xFFFFFFFFULL));

    if (procedure->ChartsDrawn()) {
      ChartDrawingContext context;
      context.description = chart->description;
      context.language = fRoot->AttributeOr("lang", "");
      context.idPrefix = prefix;
      chart->svg = DrawChart(*fRoot, fData, context);
      if (chart->svg.empty())
        throw ChartError("the chart drew nothing");
      if (procedure->PrintDrawings()) {
        context.print = true;
        chart->printSvg = DrawChart(*fRoot, fData, context);
      }
    }
    return procedure->SendChart(std::move(chart)) != nullptr;
  } catch (const ChartError&) {
    throw;
  } catch (const std::exception& error) {
    throw ChartError(std::string("the chart could not be made: ") + error.what());
  }
}

bool XDocument::SendLeftOut(const std::string& title, const std::string& reason) {
  BpProcedure* procedure = BpProcedure::Current();
  if (procedure == nullptr)
    return false;
  auto chart = std::make_unique<output::Chart>();
  chart->title = title;
  chart->leftOut = reason.empty() ? std::string("the chart could not be made") : reason;
  return procedure->SendChart(std::move(chart)) != nullptr;
}
