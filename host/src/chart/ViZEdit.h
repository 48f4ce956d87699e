// Small edits of the element tree that several handles share: ids that other elements point at,
// children made on first use, texts of labels.
#pragma once

#include "chart/ChartString.h"

#include <string>
#include <string_view>

struct ViZNode;

// The node's id; when it has none, a new one ("<name><n>", unique in its tree) is given to it.
std::string EnsureNodeId(ViZNode& node);

// The first child of that name, made (as the last child) when there is none.
ViZNode& FirstOrNewChild(ViZNode& node, std::string_view childName);

// Attribute values the grammar reads.
const char* BooleanText(bool value);
// A number as the grammar writes it: the shortest text that reads back as the same double.
std::string NumberText(double value);

// The texts of a title, subtitle, footnote or label (its `text` children), joined by line feeds.
std::string JoinedTexts(const ViZNode& holder);

// The grammar's name of a location part (ViZLocation::Part); throws ChartError for another number.
const char* ViZLocationPartName(int part);

// Relabels the value whose `by` attribute ("key" or "index") is `key` in a format element: a later
// relabel of the same key replaces the label of the earlier one.
void SetFormatRelabel(ViZNode& format, const char* by, const std::string& key, std::string label);
