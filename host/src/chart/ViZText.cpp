// The character data of a text element.
#include "chart/ViZText.h"

#include "ViZNode.h"

void ViZText::setText(const ChartString& text) {
  node().text = text.toUTF8();
}

ChartString ViZText::getText() const {
  return ChartString(node().text.c_str());
}
