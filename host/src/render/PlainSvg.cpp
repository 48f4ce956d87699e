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

// Without a lower-cased copy, and jumping from one '<' or ':' to the next: drawings run to
// megabytes in a large report, and every one of them is checked.
bool IsPlainSvg(std::string_view svg) {
  const std::size_t start = svg.find_first_not_of(" \t\r\n");
  if (start == std::string_view::npos || !HasAt(svg, start, "<svg"))
    return false;
  bool closed = false;
  for (std::size_t i = svg.find('<', start + 1); i != std::string_view::npos;
       i = svg.find('<', i + 1)) {
    if (HasAt(svg, i + 1, "script") || HasAt(svg, i + 1, "foreignobject"))
      return false;
    closed = closed || HasAt(svg, i + 1, "/svg>");
  }
  constexpr std::string_view kScheme = "javascript";
  for (std::size_t i = svg.find(':'); i != std::string_view::npos; i = svg.find(':', i + 1))
    if (i >= kScheme.size() && HasAt(svg, i - kScheme.size(), kScheme))
      return false;
  return closed;
}
