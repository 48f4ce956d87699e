// The check that keeps a drawing that is not plain SVG out of the reports and chart files.
#include "render/PlainSvg.h"

#include <cstring>

namespace {

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Whether `svg` holds `word` (lower case) at `at`, in any letter case.
bool HasAt(std::string_view svg, std::size_t at, std::string_view word) {
  if (svg.size() - at < word.size())
    return false;
  for (std::size_t i = 0; i < word.size(); ++i)
    if (Lower(svg[at + i]) != word[i])
      return false;
  return true;
}

} // namespace

// One pass, without a lower-cased copy: drawings run to megabytes in a large report, and every
// one of them is checked.
bool IsPlainSvg(std::string_view svg) {
  const std::size_t start = svg.find_first_not_of(" \t\r\n");
  if (start == std::string_view::npos || !HasAt(svg, start, "<svg"))
    return false;
  bool closed = false;
  for (std::size_t i = start; i < svg.size(); ++i) {
    const char c = svg[i];
    if (c == '<') {
      if (HasAt(svg, i + 1, "script") || HasAt(svg, i + 1, "foreignobject"))
        return false;
      closed = closed || HasAt(svg, i + 1, "/svg>");
    } else if ((c == 'j' || c == 'J') && HasAt(svg, i, "javascript:")) {
      return false;
    }
  }
  return closed;
}
