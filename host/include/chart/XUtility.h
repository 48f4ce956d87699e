// Conversions of host texts into chart texts.
#pragma once

#include "chart/ChartString.h"

class XUtility {
public:
  // A text in the output language's code page (the string table's texts). The host writes every
  // language in UTF-8; ill-formed bytes become U+FFFD. Null gives the empty text.
  static ChartString ChartStringFromOLANG(const char* text);
  // A text in the local code page (data dictionary labels and values): UTF-8, as above.
  static ChartString ChartStringFromLocalCodePage(const char* text);
};
