// The JSON writer: one ordered JSON value per model object, assembled and dumped once.
#include "render/JsonWriter.h"

#include "output/Document.h"
#include "render/RenderText.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <ostream>

namespace {

using Json = nlohmann::ordered_json;
using namespace output;

Json Text(const std::string& text) {
  return RenderText::ValidUtf8(text);
}

Json OptionalText(const std::optional<std::string>& text) {
  return text ? Text(*text) : Json(nullptr);
}

Json Number(const std::optional<double>& value) {
  if (!value || !std::isfinite(*value))
    return nullptr;
  return *value;
}

Json LabelJson(const Label& label);

Json ItemsJson(const std::vector<Label>& items) {
  Json array = Json::array();
  for (const Label& item : items)
    array.push_back(LabelJson(item));
  return array;
}

Json LabelJson(const Label& label) {
  Json json = Json::object();
  if (label.Kind() == LabelKind::kList) {
    json["kind"] = LabelKindName(label.Kind());
    json["items"] = ItemsJson(label.Items());
    return json;
  }
  json["text"] = Text(label.Text());
  json["key"] = OptionalText(label.Key());
  json["kind"] = LabelKindName(label.Kind());
  switch (label.Kind()) {
  case LabelKind::kString:
    break;
  case LabelKind::kNumber:
    json["value"] = Number(label.Number());
    break;
  case LabelKind::kVariable:
    json["variable"] = Text(label.VariableName());
    break;
  case LabelKind::kValue:
    json["variable"] = Text(label.VariableName());
    json["value"] = label.StringValue() ? Text(*label.StringValue()) : Number(label.Number());
    break;
  case LabelKind::kComposite:
    json["items"] = ItemsJson(label.Items());
    break;
  case LabelKind::kList:
    break; // handled above
  }
  if (label.Untranslated())
    json["untranslated"] = true;
  return json;
}

Json NotesJson(const std::vector<Note>& notes) {
  Json array = Json::array();
  for (const Note& note : notes)
    array.push_back(LabelJson(note.label));
  return array;
}

Json NodeJson(const Category& node) {
  Json children = Json::array();
  for (const auto& child : node.Children())
    children.push_back(NodeJson(*child));
  Json json = Json::object();
  json["label"] = LabelJson(node.GetLabel());
  json["group"] = node.IsGroup();
  json["notes"] = NotesJson(node.Notes());
  json["children"] = std::move(children);
  return json;
}

Json DimensionJson(const Dimension& dimension) {
  Json categories = Json::array();
  for (const auto& category : dimension.Categories())
    categories.push_back(NodeJson(*category));
  Json json = Json::object();
  json["label"] = LabelJson(dimension.GetLabel());
  json["place"] = PlaceName(dimension.GetPlace());
  json["notes"] = NotesJson(dimension.Root().Notes());
  json["categories"] = std::move(categories);
  return json;
}

Json CellJson(const Cell& cell) {
  Json path = Json::array();
  for (const Category* category : cell.categories) {
    Json steps = Json::array();
    if (category != nullptr)
      for (const Category* step : category->PathFromTop())
        steps.push_back(Text(step->GetLabel().PathText()));
    path.push_back(std::move(steps));
  }
  Json json = Json::object();
  json["path"] = std::move(path);
  json["value"] = Number(cell.Value());
  json["label"] = LabelJson(cell.label);
  json["notes"] = NotesJson(cell.notes);
  return json;
}

Json TableJson(const Table& table) {
  Json dimensions = Json::array();
  for (const auto& dimension : table.Dimensions())
    dimensions.push_back(DimensionJson(*dimension));
  Json cells = Json::array();
  for (const Cell& cell : table.Cells())
    cells.push_back(CellJson(cell));
  Json footnotes = Json::array();
  for (const Footnote& footnote : table.Footnotes())
    footnotes.push_back(Json{{"mark", Text(footnote.mark)}, {"text", Text(footnote.text)}});
  Json json = Json::object();
  json["kind"] = "table";
  json["title"] = LabelJson(table.Title());
  json["subtitle"] = Text(table.Subtitle());
  json["caption"] = table.Caption() ? LabelJson(*table.Caption()) : Json(nullptr);
  json["dimensions"] = std::move(dimensions);
  json["cells"] = std::move(cells);
  json["footnotes"] = std::move(footnotes);
  return json;
}

Json ChartValueJson(const ChartValue& value) {
  if (value.number)
    return Number(value.number);
  return OptionalText(value.text);
}

Json ChartJson(const Chart& chart) {
  Json sources = Json::object();
  for (const auto& [name, source] : chart.sources) {
    Json variables = Json::array();
    for (const std::string& variable : source.variables)
      variables.push_back(Text(variable));
    Json rows = Json::array();
    for (const auto& row : source.rows) {
      Json values = Json::array();
      for (const ChartValue& value : row)
        values.push_back(ChartValueJson(value));
      rows.push_back(std::move(values));
    }
    sources[RenderText::ValidUtf8(name)] =
        Json{{"variables", std::move(variables)}, {"rows", std::move(rows)}};
  }
  Json variables = Json::object();
  for (const auto& [name, variable] : chart.variables) {
    Json relabels = Json::array();
    for (const auto& [key, label] : variable.relabels)
      relabels.push_back(Json::array({Text(key), Text(label)}));
    Json json = Json::object();
    json["relabels"] = std::move(relabels);
    json["label"] = Text(variable.label);
    json["categorical"] = variable.categorical;
    json["format"] = Text(variable.format);
    variables[RenderText::ValidUtf8(name)] = std::move(json);
  }
  Json json = Json::object();
  json["kind"] = "chart";
  json["template"] = Text(chart.templateName);
  json["title"] = Text(chart.title);
  json["subtitle"] = OptionalText(chart.subtitle);
  json["thirdText"] = OptionalText(chart.thirdText);
  json["description"] = Text(chart.description);
  json["sources"] = std::move(sources);
  json["variables"] = std::move(variables);
  json["specification"] = Text(chart.specification);
  json["svg"] = Text(chart.svg);
  return json;
}

Json ItemJson(const Item& item);

Json ItemListJson(const std::vector<std::unique_ptr<Item>>& items) {
  Json array = Json::array();
  for (const auto& item : items)
    array.push_back(ItemJson(*item));
  return array;
}

Json ItemJson(const Item& item) {
  switch (item.Kind()) {
  case ItemKind::kHeading: {
    const Heading& heading = *item.AsHeading();
    Json json = Json::object();
    json["kind"] = "heading";
    json["label"] = LabelJson(heading.GetLabel());
    json["items"] = ItemListJson(heading.Items());
    return json;
  }
  case ItemKind::kTable:
    return TableJson(*item.AsTable());
  case ItemKind::kChart:
    return ChartJson(*item.AsChart());
  case ItemKind::kMessage: {
    const Message& message = *item.AsMessage();
    Json json = Json::object();
    json["kind"] = "message";
    json["level"] = MessageLevelName(message.GetLevel());
    json["label"] = LabelJson(message.GetLabel());
    return json;
  }
  }
  return nullptr;
}

} // namespace

JsonWriter::JsonWriter(int indent) : fIndent(indent) {}

JsonWriter::~JsonWriter() = default;

void JsonWriter::Write(const output::Document& document, std::ostream& out) const {
  Json json = Json::object();
  json["format"] = "nptests-output";
  json["version"] = 1;
  json["items"] = ItemListJson(document.Items());
  // Every text was repaired above; `replace` only guards against a text this writer missed.
  out << json.dump(fIndent, ' ', false, Json::error_handler_t::replace) << '\n';
}
