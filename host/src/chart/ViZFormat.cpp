// A variable format's relabels, affixes, decimals and grouping.
#include "chart/ViZFormat.h"

#include "ViZEdit.h"
#include "ViZNode.h"

#include "chart/ChartError.h"

// One relabel per key (or index): a later relabel of the same one replaces its label, which is
// what the drawing would show anyway, and keeps the order in which keys were first relabelled.
void SetFormatRelabel(ViZNode& format, const char* by, const std::string& key, std::string label) {
  for (ViZNode* relabel : format.Children("relabel")) {
    const std::string* existing = relabel->Attribute(by);
    if (existing != nullptr && *existing == key) {
      relabel->SetAttribute("label", std::move(label));
      return;
    }
  }
  ViZNode& relabel = format.AddChild("relabel");
  relabel.SetAttribute(by, key);
  relabel.SetAttribute("label", std::move(label));
}

void ViZFormat::addRelabel(const ChartString& key, const ChartString& label) {
  SetFormatRelabel(node(), "key", key.toUTF8(), label.toUTF8());
}

void ViZFormat::addRelabelAt(int index, const ChartString& label) {
  if (index < 0)
    throw ChartError("a category index cannot be negative (" + std::to_string(index) + ")");
  SetFormatRelabel(node(), "index", std::to_string(index), label.toUTF8());
}

void ViZFormat::setPrefix(const ChartString& prefix) {
  node().SetAttribute("prefix", prefix.toUTF8());
}

void ViZFormat::setSuffix(const ChartString& suffix) {
  node().SetAttribute("suffix", suffix.toUTF8());
}

void ViZFormat::setDecimals(int decimals) {
  if (decimals < 0 || decimals > 16)
    throw ChartError("a number of decimals must be 0 to 16, not " + std::to_string(decimals));
  node().SetAttribute("decimals", std::to_string(decimals));
}

void ViZFormat::setGrouping(bool grouping) {
  node().SetAttribute("grouping", BooleanText(grouping));
}
