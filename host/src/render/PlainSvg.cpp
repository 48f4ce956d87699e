// The check that keeps a drawing that is not plain SVG out of the reports and chart files.
#include "render/PlainSvg.h"

#include <algorithm>
#include <cctype>
#include <string>

bool IsPlainSvg(std::string_view svg) {
  std::string lower(svg);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  const size_t start = lower.find_first_not_of(" \t\r\n");
  return start != std::string::npos && lower.compare(start, 4, "<svg") == 0 &&
         lower.find("<script") == std::string::npos &&
         lower.find("<foreignobject") == std::string::npos &&
         lower.find("javascript:") == std::string::npos &&
         lower.find("</svg>") != std::string::npos;
}
