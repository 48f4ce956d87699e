// The rule that decides which drawings reach a page or a chart file as markup.
#include "render/PlainSvg.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(PlainSvg, OnlyWholeSvgWithoutScriptingPasses) {
  struct Case {
    std::string svg;
    bool plain;
  };
  const std::vector<Case> cases = {
      {"<svg width=\"10\"><rect/></svg>", true},
      {" \n\t<SVG><g/></SVG>", true},
      {"<svg><text>java script: is two words</text></svg>", true},
      {"", false},
      {"   ", false},
      {"x<svg></svg>", false},
      {"<svg><rect/>", false},
      {"<svg></svg >", false},
      {"<svg><ScRiPt>alert(1)</script></svg>", false},
      {"<svg><foreignObject><div/></foreignObject></svg>", false},
      {"<svg><a href=\"JavaScript:alert(1)\"/></svg>", false},
      {"<svg><a href=\"javascript:", false},
      {"<svg></svg><script", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(IsPlainSvg(c.svg), c.plain) << c.svg;
}

} // namespace
