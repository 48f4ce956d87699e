// Filling a composite's format with the shown texts of its items.
#pragma once

#include "output/Label.h"

#include <string>
#include <vector>

// Expands "^n" to item n's text (a sublist's items joined by ", ") and "[FIRST:REST:END]n" to
// item n written group by group: the items of a sublist fall into groups of the largest
// placeholder number used in FIRST and REST; FIRST (with %1, %2, ...) writes the first group,
// REST (with ^1, ^2, ...) each further group, END (optional) follows the last. A placeholder
// without such an item stays as it is; anything else is copied.
//
// Markers set runs of styled text: "{i}…{/i}" italic, "{sub}…{/sub}" subscript, "{sup}…{/sup}"
// superscript (styles do not nest). They are not part of the text, which stays the plain text a
// text report shows.
std::string ExpandComposite(const std::string& format, const std::vector<output::Label>& items);

// The same with the runs: empty when neither the format has a marker nor an item has runs. An
// item with runs placed by "^n" in plain text keeps its runs.
struct RichText {
  std::string text;
  std::vector<output::TextRun> runs;
};
RichText ExpandRichComposite(const std::string& format, const std::vector<output::Label>& items);

// The items of a sublist joined by ", ".
std::string JoinList(const std::vector<output::Label>& items);
