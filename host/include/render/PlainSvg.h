// Whether a chart's drawing may be written out as markup: the one rule the HTML report and the
// standalone chart files share.
#pragma once

#include <string_view>

// True when `svg` is an <svg> element (after leading white space) with its end tag, holding no
// script, embedded HTML or javascript: link, in any letter case. Anything else would let a broken
// drawing break or script the page it lands in.
bool IsPlainSvg(std::string_view svg);
