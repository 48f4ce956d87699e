// A small output document with everything the writers must lay out: a layer, nested row and
// column groups, footnotes on categories and cells, a caption, charts, a warning, and labels
// from hostile data.
#pragma once

#include "output/Document.h"

#include <memory>
#include <string>

// Label texts that must arrive escaped or repaired in every format.
extern const char* const kHostileText; // markup, quotes, ampersand, an escape sequence, bad UTF-8

// The document:
//   1 "Nonparametric Tests"                          heading
//     table "Hypothesis Test Summary"                 layer "Split" = "x = 1"; rows "Item" (1, 2);
//                                                     columns Null Hypothesis, Test, Sig. (note a)
//     1.1 "Related-Samples Friedman Test"             heading
//         table "Homogeneous Subsets"                 rows: group "Sample" {a, b}, Test Statistic;
//                                                     columns: group "Subset" {1, 2}
//         chart with an SVG drawing, chart without one
//     warning message
std::unique_ptr<output::Document> MakeSampleDocument();

// Shortcuts for building labels in tests.
output::Label Plain(const std::string& text);
output::Label Key(const std::string& key, const std::string& shown);
output::Label Num(double value, const std::string& shown);

// Compares `text` with the file tests/render/golden/<name>; with NPTESTS_UPDATE_GOLDEN set in the
// environment, rewrites the file instead (review the diff after an intended change of layout).
void CheckGolden(const std::string& name, const std::string& text);
