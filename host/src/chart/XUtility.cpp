// Host texts into chart texts. The host writes every language, and the local code page, in UTF-8.
#include "chart/XUtility.h"

ChartString XUtility::ChartStringFromOLANG(const char* text) {
  return ChartString(text);
}

ChartString XUtility::ChartStringFromLocalCodePage(const char* text) {
  return ChartString(text);
}
